#include "GuiFixture.h"

#include "app/GuiApplication.h"
#include "report/qt/ReportExport.h"
#include "ui/qt/GuiPlatform.h"

#include <stdexcept>
#include <variant>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

namespace qntcalc::testing {

void ExpectedMessages::Show(std::string_view text, std::string_view caption, MessageKind kind) {
    over.push_back(DialogParent(nullptr));
    RecordingMessages::Show(text, caption, kind);
}

namespace {

void Close(QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

} // namespace

ModalWatcher* ModalWatcher::active_ = nullptr;

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> whileOpen)
    : whileOpen_(std::move(whileOpen)) {
    active_ = this;
    QObject::connect(&timer_, &QTimer::timeout, [this] { Check(); });
    timer_.start(10);
}

ModalWatcher::~ModalWatcher() {
    timer_.stop();
    active_ = nullptr;
}

void ModalWatcher::Check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (seen++ == 0 && whileOpen_)
        whileOpen_(modal);
    if (!modal->isVisible())
        return;
    ADD_FAILURE() << "modal window \"" << modal->windowTitle().toStdString() << "\" left open";
    Close(modal);
}

GuiTest::GuiTest() : startDir_(QDir::currentPath()) {
    if (!QDir::setCurrent(dir.path()))
        throw std::runtime_error("no working directory for the test");

    // A first start shows the window and nothing else.
    StartProgram();
}

void GuiTest::StartProgram() {
    program.reset();
    program =
        std::make_unique<Program>(globals, PlatformServices{messages, dialogs, help}, "07.12.2026");
}

void GuiTest::SetUp() {
    QObject::connect(&watchdog_, &QTimer::timeout, [this] { CheckModal(); });
    watchdog_.start(10);
    auto* app = qobject_cast<GuiApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    QObject::connect(app, &GuiApplication::errorEscaped, &watchdog_,
                     [this](const QString& text) { escapedErrors.push_back(text); });

    program->ShowMainWindow();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
}

void GuiTest::TearDown() {
    watchdog_.stop();
    program.reset();
    EXPECT_TRUE(messages.AllShown()) << "an announced message box was not shown";
    EXPECT_TRUE(dialogs.openAnswers.empty() && dialogs.saveAnswers.empty())
        << "an announced file dialog was not shown";
    EXPECT_TRUE(expectedModal_.isEmpty()) << "no modal window " << expectedModal_.toStdString();
    EXPECT_TRUE(escapedErrors.empty()) << "an error escaped: " << escapedErrors[0].toStdString();
    QDir::setCurrent(startDir_);
}

void GuiTest::CheckModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || ModalWatcher::Watching())
        return;
    if (modal->windowTitle() == expectedModal_ && !expectedModal_.isEmpty()) {
        expectedModal_.clear();
        ++modalsSeen;
    } else {
        ADD_FAILURE() << "unexpected modal window \"" << modal->windowTitle().toStdString() << '"';
    }
    Close(modal);
}

void GuiTest::ShowPageOf(QWidget* widget) {
    auto* tabs = ViewOf<QTabWidget>("PageControl1");
    for (int page = 0; page < tabs->count(); ++page) {
        if (tabs->widget(page)->isAncestorOf(widget) && tabs->currentIndex() != page) {
            QTabBar* bar = tabs->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
        }
    }
}

void GuiTest::Type(std::string_view field, const QString& text) {
    QLineEdit* edit = EditView(field);
    ASSERT_NE(edit, nullptr);
    ShowPageOf(edit);
    ASSERT_TRUE(edit->isVisible()) << field;
    QTest::mouseClick(edit, Qt::LeftButton);
    ASSERT_TRUE(edit->hasFocus()) << field;
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

void GuiTest::Trigger(std::string_view menuItem) {
    auto* action = ViewOf<QAction>(menuItem);
    ASSERT_NE(action, nullptr);
    action->trigger();
}

void GuiTest::ExportReport() {
    Trigger("ExportReport");
    EXPECT_TRUE(QTest::qWaitFor([this] { return !program->Reports().Running(); }, 60000));
    // A slow run's box took the focus; the window has it back as after
    // any dialog.
    if (Window().isVisible() && QApplication::activeWindow() != &Window()) {
        Window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window()));
    }
}

QString GuiTest::ShownTitle() {
    Window().winId(); // the window system's window, which gets the title
    return Window().windowHandle()->title();
}

QString GuiTest::StatusText() {
    return Window().findChild<QLabel*>(QStringLiteral("SB_Status_Panel1"))->text();
}

bool GuiTest::StatusRed() {
    return Window().statusBar()->palette().color(QPalette::Window) == QColor(255, 0, 0);
}

SheetWindowTest::SheetWindowTest()
    : sheet(program->PrintForm()), window(program->PrintSheet()), commands(program->Printing()) {
    messages.acceptAll = true;
    QGuiApplication::clipboard()->clear();
}

QString SheetWindowTest::ShownText(std::string_view field) {
    auto* edit = ViewOf<QLineEdit>(field);
    return edit ? edit->text() : QString();
}

void SheetWindowTest::TriggerSheetItem(std::string_view name) {
    auto* action = ViewOf<QAction>(name);
    ASSERT_NE(action, nullptr);
    action->trigger();
}

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void ExpectWidget(const Control& control, const QWidget* widget) {
    EXPECT_EQ(widget->isHidden(), !control.Visible());
    EXPECT_EQ(widget->isEnabled(), control.Enabled());
    EXPECT_EQ(widget->toolTip(), Q(control.Hint()));
}

void ExpectLabel(const Label& label, const QObject* view, const QWidget& window) {
    if (view == &window) {
        // The main window's title holds the placeholder of its modified mark.
        const QString title = window.windowTitle();
        EXPECT_TRUE(title == Q(label.Caption()) || title == Q(label.Caption()) + "[*]") << title.toStdString();
    } else if (auto* menu = qobject_cast<const QMenu*>(view)) {
        EXPECT_EQ(menu->title(), "&" + Q(label.Caption()));
        EXPECT_EQ(menu->menuAction()->isVisible(), label.Visible());
    } else if (auto* group = qobject_cast<const QGroupBox*>(view)) {
        ExpectWidget(label, group);
        EXPECT_EQ(group->title(), Q(label.Caption()));
    } else if (auto* text = qobject_cast<const QLabel*>(view)) {
        ExpectWidget(label, text);
        EXPECT_EQ(text->text(), Q(label.Caption()));
    } else {
        EXPECT_NE(qobject_cast<const QFrame*>(view), nullptr) << "no view kind for a label";
    }
}

void ExpectStatus(const StatusBar& status, const QObject* view) {
    auto* bar = qobject_cast<const QStatusBar*>(view);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->findChild<QLabel*>("SB_Status_Panel0")->text(), Q(status.PanelText(0)));
    EXPECT_EQ(bar->findChild<QLabel*>("SB_Status_Panel1")->text(), Q(status.PanelText(1)));
    const bool red = bar->palette().color(QPalette::Window) == QColor(255, 0, 0);
    EXPECT_EQ(red, status.Colour() == StatusColour::Red);
    EXPECT_EQ(bar->toolTip(), Q(status.Hint()));
}

void ExpectMenuItem(const MenuItem& item, const QObject* view) {
    auto* action = qobject_cast<const QAction*>(view);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->isSeparator(), item.Caption() == "-");
    if (!action->isSeparator()) {
        EXPECT_EQ(action->text(), Q(item.Caption()));
    }
    EXPECT_EQ(action->shortcut(), QKeySequence(Q(item.Shortcut())));
    EXPECT_EQ(action->isChecked(), item.Checked());
    EXPECT_EQ(action->isEnabled(), item.Enabled());
    EXPECT_EQ(action->isVisible(), item.Visible());
}

void ExpectControl(const Control& control, const QObject* view, const QWidget& window) {
    std::visit(Overloaded{
                   [&](const Label* label) { ExpectLabel(*label, view, window); },
                   [&](const EditField* edit) {
                       auto* line = qobject_cast<const QLineEdit*>(view);
                       ASSERT_NE(line, nullptr);
                       ExpectWidget(control, line);
                       EXPECT_EQ(line->text(), Q(edit->Text()));
                       EXPECT_EQ(line->isReadOnly(), edit->ReadOnly());
                   },
                   [&](const CheckBox* box) {
                       auto* check = qobject_cast<const QCheckBox*>(view);
                       ASSERT_NE(check, nullptr);
                       ExpectWidget(control, check);
                       EXPECT_EQ(check->isChecked(), box->Checked());
                       EXPECT_EQ(check->text(), Q(box->Caption()));
                   },
                   [&](const RadioButton* button) {
                       auto* radio = qobject_cast<const QRadioButton*>(view);
                       ASSERT_NE(radio, nullptr);
                       ExpectWidget(control, radio);
                       EXPECT_EQ(radio->isChecked(), button->Checked());
                       EXPECT_EQ(radio->text(), Q(button->Caption()));
                   },
                   [&](const ComboBox* list) {
                       auto* combo = qobject_cast<const QComboBox*>(view);
                       ASSERT_NE(combo, nullptr);
                       ExpectWidget(control, combo);
                       ASSERT_EQ(combo->count(), static_cast<int>(list->Items().size()));
                       for (int i = 0; i < combo->count(); ++i)
                           EXPECT_EQ(combo->itemText(i),
                                     Q(list->Items()[static_cast<std::size_t>(i)]));
                       EXPECT_EQ(combo->currentIndex(), list->ItemIndex());
                   },
                   [&](const PageControl* pages) {
                       auto* tabs = qobject_cast<const QTabWidget*>(view);
                       ASSERT_NE(tabs, nullptr);
                       for (int i = 0; i < pages->PageCount(); ++i) {
                           const TabSheet& sheet = pages->Pages()[static_cast<std::size_t>(i)];
                           EXPECT_EQ(tabs->isTabVisible(i), sheet.tabVisible) << sheet.name;
                           EXPECT_EQ(tabs->tabText(i), Q(sheet.caption));
                           EXPECT_EQ(tabs->widget(i)->objectName(), Q(sheet.name));
                       }
                       EXPECT_EQ(tabs->currentIndex(), pages->ActivePageIndex());
                   },
                   [&](const StatusBar* status) { ExpectStatus(*status, view); },
                   [&](const IndicatorBar* indicator) {
                       auto* bar = qobject_cast<const QProgressBar*>(view);
                       ASSERT_NE(bar, nullptr);
                       ExpectWidget(control, bar);
                       EXPECT_EQ(bar->minimum(), 0);
                       EXPECT_EQ(bar->maximum(), indicator->Maximum());
                       EXPECT_EQ(bar->value(), indicator->ShownPosition());
                   },
                   [&](const MenuItem* item) { ExpectMenuItem(*item, view); },
               },
               control.Kind());
}

} // namespace

void ExpectMirrored(const ControlSet& controls, const ControlViews& views, const QWidget& window) {
    for (const Control* control : controls.All()) {
        SCOPED_TRACE(control->Name());
        const QObject* view = views.ViewOf(control->Name());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->objectName(), Q(control->Name()));
        EXPECT_EQ(views.ControlOf(view), control);
        ExpectControl(*control, view, window);
    }
}

} // namespace qntcalc::testing
