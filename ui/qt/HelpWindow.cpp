#include "ui/qt/HelpWindow.h"

#include "ui/UiTexts.h"
#include "ui/qt/QtText.h"
#include "ui/qt/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace qntcalc {

namespace {

// The platform's keys for a command, and the one every Linux browser knows.
QList<QKeySequence> KeysOf(QKeySequence::StandardKey standard, const QKeySequence& usual) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    if (!keys.contains(usual))
        keys.prepend(usual);
    return keys;
}

QAction* AddCommand(QWidget* window, const QString& text, const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, window);
    action->setShortcuts(keys);
    if (!text.isEmpty() && !keys.isEmpty())
        action->setToolTip(QStringLiteral("%1 (%2)").arg(
            text, keys.constFirst().toString(QKeySequence::NativeText)));
    window->addAction(action);
    return action;
}

} // namespace

// QTextBrowser's own history loses the page a link inside the same file led
// to, so Forward never comes back to it; this one records every move.
void HelpBrowser::doSetSource(const QUrl& url, QTextDocument::ResourceType type) {
    const bool moved = !walking_ && !source().isEmpty() && url != source();
    const Place left = Here();
    QTextBrowser::doSetSource(url, type);
    if (moved) {
        earlier_.append(left);
        later_.clear();
        HistoryChanged();
    }
}

void HelpBrowser::backward() {
    Walk(earlier_, later_);
}

void HelpBrowser::forward() {
    Walk(later_, earlier_);
}

HelpBrowser::Place HelpBrowser::Here() const {
    return {source(), verticalScrollBar()->value()};
}

void HelpBrowser::Walk(QList<Place>& from, QList<Place>& to) {
    if (from.isEmpty())
        return;
    to.append(Here());
    const Place place = from.takeLast();
    walking_ = true;
    setSource(place.url, QTextDocument::HtmlResource);
    walking_ = false;
    verticalScrollBar()->setValue(place.scrolled);
    HistoryChanged();
}

void HelpBrowser::HistoryChanged() {
    if (OnHistoryChanged)
        OnHistoryChanged();
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(ToQString(texts::kProgramTitle) + ToQString(texts::kHelpWindowSuffix));

    browser_ = new HelpBrowser(this);
    browser_->setOpenExternalLinks(true);

    back_ = AddCommand(this, ToQString(texts::kHelpBack),
                       KeysOf(QKeySequence::Back, QKeySequence(Qt::ALT | Qt::Key_Left)));
    back_->setIcon(QIcon::fromTheme(QStringLiteral("go-previous"),
                                    style()->standardIcon(QStyle::SP_ArrowBack)));
    back_->setEnabled(false);
    forward_ = AddCommand(this, ToQString(texts::kHelpForward),
                          KeysOf(QKeySequence::Forward, QKeySequence(Qt::ALT | Qt::Key_Right)));
    forward_->setIcon(QIcon::fromTheme(QStringLiteral("go-next"),
                                       style()->standardIcon(QStyle::SP_ArrowForward)));
    forward_->setEnabled(false);
    QAction* contents = AddCommand(this, ToQString(texts::kHelpContents),
                           {QKeySequence(Qt::ALT | Qt::Key_Home)});
    contents->setIcon(QIcon::fromTheme(QStringLiteral("go-home"),
                                        style()->standardIcon(QStyle::SP_DirHomeIcon)));
    connect(back_, &QAction::triggered, browser_, [this] { browser_->backward(); });
    connect(forward_, &QAction::triggered, browser_, [this] { browser_->forward(); });
    connect(contents, &QAction::triggered, this, &HelpWindow::ShowContents);
    browser_->OnHistoryChanged = [this] {
        back_->setEnabled(browser_->CanGoBack());
        forward_->setEnabled(browser_->CanGoForward());
    };

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->addActions({back_, forward_, contents});

    findField_ = new QLineEdit(this);
    findField_->setClearButtonEnabled(true);
    findField_->setMinimumWidth(findField_->fontMetrics().averageCharWidth() * 24);
    findField_->installEventFilter(this);
    auto* findLabel = new QLabel(ToQString(texts::kHelpFind), this);
    findLabel->setBuddy(findField_);
    findState_ = new QLabel(this);
    connect(findField_, &QLineEdit::textEdited, this, &HelpWindow::FindAsTyped);
    connect(AddCommand(this, {}, QKeySequence::keyBindings(QKeySequence::Find)),
            &QAction::triggered, findField_, [this] {
                findField_->setFocus(Qt::ShortcutFocusReason);
                findField_->selectAll();
            });
    connect(AddCommand(this, {}, QKeySequence::keyBindings(QKeySequence::FindNext)),
            &QAction::triggered, this, &HelpWindow::FindNext);
    connect(AddCommand(this, {}, QKeySequence::keyBindings(QKeySequence::FindPrevious)),
            &QAction::triggered, this, &HelpWindow::FindPrevious);

    auto* findBar = new QHBoxLayout;
    findBar->setContentsMargins(style()->pixelMetric(QStyle::PM_LayoutLeftMargin), 0, 0, 0);
    findBar->addWidget(findLabel);
    findBar->addWidget(findField_);
    findBar->addWidget(findState_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, style()->pixelMetric(QStyle::PM_LayoutBottomMargin));
    layout->addWidget(toolBar);
    layout->addWidget(browser_, 1);
    layout->addLayout(findBar);

    const QFontMetrics metrics(browser_->font());
    resize(metrics.averageCharWidth() * 90, metrics.height() * 40);
}

void HelpWindow::Open(const QUrl& url) {
    // A closed window is shown in a new platform window, which the window
    // manager places anew unless its place is set before it is made.
    if (isHidden() && place_)
        PlaceWindow(*this, *place_);
    // Help asked for from a modal window (the About box, the print preview)
    // must not be blocked by it: a window is not blocked by a modal window it
    // is transient for. Help asked for elsewhere belongs to no window.
    winId();
    QWidget* modal = QApplication::activeModalWidget();
    windowHandle()->setTransientParent(modal ? modal->windowHandle() : nullptr);
    // A minimised help window comes back, keeping a maximised size.
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();

    browser_->setSource(url, QTextDocument::HtmlResource);
    raise();
    activateWindow();
    browser_->setFocus();
}

void HelpWindow::ShowContents() {
    browser_->setSource(browser_->source().adjusted(QUrl::RemoveFragment));
}

void HelpWindow::FindNext() {
    Find({}, false);
}

void HelpWindow::FindPrevious() {
    Find(QTextDocument::FindBackward, false);
}

// Typing refines the match in place instead of moving on to the next one.
void HelpWindow::FindAsTyped() {
    Find({}, true);
}

void HelpWindow::Find(QTextDocument::FindFlags flags, bool fromSelectionStart) {
    findState_->clear();
    QTextCursor from = browser_->textCursor();
    // A search goes on from what the reader sees, not from where an earlier
    // one left the cursor before the page was changed.
    if (!browser_->viewport()->rect().intersects(browser_->cursorRect()))
        from = browser_->cursorForPosition(QPoint(0, 0));
    else if (fromSelectionStart)
        from.setPosition(from.selectionStart());
    const QString text = findField_->text();
    if (text.isEmpty()) {
        browser_->setTextCursor(from); // without the last match's highlight
        return;
    }
    QTextDocument* document = browser_->document();
    QTextCursor found = document->find(text, from, flags);
    if (found.isNull()) {
        const bool backward = flags.testFlag(QTextDocument::FindBackward);
        QTextCursor edge(document);
        edge.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        found = document->find(text, edge, flags);
        findState_->setText(found.isNull() ? ToQString(texts::kHelpNotFound)
                            : ToQString(backward ? texts::kHelpWrappedToBottom
                                                 : texts::kHelpWrappedToTop));
    }
    browser_->setTextCursor(found.isNull() ? from : found);
}

void HelpWindow::hideEvent(QHideEvent* event) {
    place_ = PlaceOf(*this);
    QWidget::hideEvent(event);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == findField_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                FindPrevious();
            else
                FindNext();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qntcalc
