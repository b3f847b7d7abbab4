#include "print/qt/PrintSheetWindow.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qntcalc {

namespace {

// The sheet was drawn in pixels at 96 dpi; its fonts are sized the same way
// so that every text keeps its place whatever the screen's resolution.
constexpr int PixelsOf(int points) {
    return (points * 96 + 36) / 72;
}

// Free pixels a caption keeps to its left and right.
constexpr int kCaptionGap = 2;
// The sheet's font gets at most this many pixels smaller than designed.
constexpr int kMostFontSteps = 3;

// Captions of buttons and menus are literal: an ampersand is no mnemonic.
QString Literal(const std::string& text) {
    return ToQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QFont SheetFont(int pixels) {
    QFont font;
    // Narrow faces first: the captions were laid out for a narrow font.
    font.setFamilies({QString::fromLatin1(sheet::kFontName.data(),
                                          static_cast<qsizetype>(sheet::kFontName.size())),
                      QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

// The design's font, made smaller by `steps` pixels of the sheet's default
// size and the others in proportion.
QFont FontOf(const Placement& place, int steps) {
    const int base = PixelsOf(sheet::kFontPoints);
    const int design = PixelsOf(place.points);
    QFont font = SheetFont((design * (base - steps) * 2 + base) / (base * 2));
    font.setBold(place.bold);
    return font;
}

// Controls whose width comes from their text.
bool SizedByText(const Placement& place) {
    return place.frame == Frame::None && place.width == 0;
}

// Nothing on the sheet takes input, but everything is there to be read and
// printed: disabled controls keep the colours of enabled ones.
QPalette SheetPalette(QPalette palette) {
    palette.setColor(QPalette::Window, palette.color(QPalette::Active, QPalette::Button));
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Text,
                                           QPalette::ButtonText, QPalette::Base, QPalette::Button})
        palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    return palette;
}

bool IsSeparator(const MenuItem& item) {
    return item.Caption() == "-";
}

} // namespace

PrintSheetWindow::PrintSheetWindow(TPrintForm& sheet, HelpSystem& help, QWidget* parent)
    : QDialog(parent), sheet_(sheet), help_(help) {
    Register(sheet_.PrintForm, this,
             [this] { setWindowTitle(ToQString(sheet_.PrintForm.Caption())); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // A fixed page: the user cannot resize the window.
    column->setSizeConstraint(QLayout::SetFixedSize);
    BuildMenu();
    BuildClientArea();
    column->addWidget(client_);

    auto* contextHelp = new QAction(this);
    contextHelp->setShortcut(QKeySequence::HelpContents);
    connect(contextHelp, &QAction::triggered, this,
            [this] { help_.ShowTopic(sheet_.PrintForm.HelpTopic()); });
    addAction(contextHelp);

    sheet_.Close1.OnClick = [this] { close(); };

    for (Control* control : sheet_.controls.All())
        Mirror(*control);
    placing_ = false;
    FitFonts();
    sheet_.controls.AddObserver(this);
    column->activate();
    move(sheet::kScreenLeft, sheet::kScreenTop);
}

PrintSheetWindow::~PrintSheetWindow() {
    sheet_.controls.RemoveObserver(this);
    sheet_.Close1.OnClick = nullptr;
}

void PrintSheetWindow::BuildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = bar->addMenu(QString());
    Register(sheet_.File1, file, [this, file] {
        file->setTitle(QLatin1Char('&') + Literal(sheet_.File1.Caption()));
        file->menuAction()->setVisible(sheet_.File1.Visible());
        file->menuAction()->setEnabled(sheet_.File1.Enabled());
    });
    for (Control* control : sheet_.controls.All()) {
        auto* item = dynamic_cast<MenuItem*>(control);
        if (!item)
            continue;
        QAction* action = IsSeparator(*item) ? file->addSeparator() : file->addAction(QString());
        if (!item->Shortcut().empty())
            action->setShortcut(QKeySequence(ToQString(item->Shortcut())));
        Register(*item, action, [action, item] {
            if (!action->isSeparator())
                action->setText(Literal(item->Caption()));
            action->setVisible(item->Visible());
            action->setEnabled(item->Enabled());
        });
        if (!action->isSeparator())
            connect(action, &QAction::triggered, this, [item] { item->Click(); });
    }
}

void PrintSheetWindow::BuildClientArea() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    client_->setFixedSize(sheet::kClientWidth, sheet::kClientHeight);
    client_->setFont(SheetFont(PixelsOf(sheet::kFontPoints)));
    client_->setPalette(SheetPalette(client_->palette()));
    client_->setAutoFillBackground(true);

    // In layout order: the frames first, so that they lie beneath.
    for (const Placement& place : PrintFormControls::Layout()) {
        Control* control = sheet_.controls.Find(place.name);
        if (!control)
            continue;
        QWidget* view = CreateView(*control, place);
        view->setFont(FontOf(place, 0));
        placed_.push_back({view, &place});
    }
}

QWidget* PrintSheetWindow::CreateView(Control& control, const Placement& place) {
    if (place.frame != Frame::None) {
        auto& label = static_cast<Label&>(control);
        if (place.frame == Frame::Titled) {
            auto* group = new QGroupBox(client_);
            Register(label, group, [this, group, &label, &place] {
                MirrorWidget(label, group);
                group->setTitle(Literal(label.Caption()));
                Place(group, place);
            });
            return group;
        }
        auto* frame = new QFrame(client_);
        frame->setFrameStyle(place.frame == Frame::Sunken ? QFrame::Panel | QFrame::Sunken
                                                          : QFrame::NoFrame);
        Register(label, frame, [this, frame, &label, &place] {
            MirrorWidget(label, frame);
            Place(frame, place);
        });
        return frame;
    }
    if (auto* field = dynamic_cast<EditField*>(&control)) {
        auto* edit = new QLineEdit(client_);
        edit->setFocusPolicy(Qt::NoFocus);
        Register(*field, edit, [this, edit, field, &place] {
            MirrorWidget(*field, edit);
            const QString text = ToQString(field->Text());
            if (edit->text() != text) {
                edit->setText(text);
                // A text longer than its field shows its beginning.
                edit->setCursorPosition(0);
            }
            edit->setReadOnly(field->ReadOnly());
            Place(edit, place);
        });
        return edit;
    }
    if (auto* button = dynamic_cast<RadioButton*>(&control)) {
        auto* radio = new QRadioButton(client_);
        // The model keeps the groups exclusive and may select none.
        radio->setAutoExclusive(false);
        radio->setFocusPolicy(Qt::NoFocus);
        Register(*button, radio, [this, radio, button, &place] {
            MirrorWidget(*button, radio);
            radio->setText(Literal(button->Caption()));
            radio->setChecked(button->Checked());
            Place(radio, place);
        });
        return radio;
    }
    if (auto* box = dynamic_cast<CheckBox*>(&control)) {
        auto* check = new QCheckBox(client_);
        check->setFocusPolicy(Qt::NoFocus);
        Register(*box, check, [this, check, box, &place] {
            MirrorWidget(*box, check);
            check->setText(Literal(box->Caption()));
            check->setChecked(box->Checked());
            Place(check, place);
        });
        return check;
    }
    auto& label = static_cast<Label&>(control);
    auto* text = new QLabel(client_);
    text->setTextFormat(Qt::PlainText);
    text->setAlignment(place.align == Align::Right ? Qt::AlignRight | Qt::AlignTop
                                                   : Qt::AlignLeft | Qt::AlignTop);
    Register(label, text, [this, text, &label, &place] {
        MirrorWidget(label, text);
        const QString caption = ToQString(label.Caption());
        if (text->text() != caption)
            text->setText(caption);
        Place(text, place);
        // Only a longer text can crowd the sheet.
        if (!placing_ && Crowded(text))
            FitFonts();
    });
    return text;
}

void PrintSheetWindow::Place(QWidget* view, const Placement& place) {
    const QSize hint = view->sizeHint();
    const int width = place.width > 0 ? place.width : hint.width();
    const int height = place.height > 0 ? place.height : hint.height();
    const int left = place.align == Align::Right ? place.x - width : place.x;
    view->setGeometry(left, place.top, width, height);
}

void PrintSheetWindow::FitFonts() {
    for (int steps = 0; steps <= kMostFontSteps; ++steps) {
        for (const PlacedView& placed : placed_) {
            placed.view->setFont(FontOf(*placed.place, steps));
            Place(placed.view, *placed.place);
        }
        const bool crowded =
            std::any_of(placed_.begin(), placed_.end(), [this](const PlacedView& p) {
                return SizedByText(*p.place) && Crowded(p.view);
            });
        if (!crowded)
            return;
    }
}

bool PrintSheetWindow::Crowded(const QWidget* view) const {
    if (!client_->rect().contains(view->geometry()))
        return true;
    // A text keeps a little space to either side. Rows that merely touch,
    // as the two lines of one caption do, are no clash.
    const QRect reach = view->geometry().adjusted(-kCaptionGap, 1, kCaptionGap, -1);
    for (const PlacedView& other : placed_) {
        if (other.view != view && other.place->frame == Frame::None && !other.view->isHidden() &&
            other.view->geometry().intersects(reach))
            return true;
    }
    return false;
}

QImage PrintSheetWindow::ClientImage(qreal scale) const {
    QImage image(client_->size() * scale, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(scale);
    image.fill(client_->palette().color(QPalette::Window));
    client_->render(&image);
    return image;
}

void PrintSheetWindow::ShowModal() {
    // A sheet left open by a failed print becomes the preview.
    if (isVisible())
        hide();
    exec();
}

bool PrintSheetWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        sheet_.FormActivate();
    return QDialog::event(event);
}

void PrintSheetWindow::showEvent(QShowEvent* event) {
    // Also when the window manager does not activate the window.
    sheet_.FormActivate();
    QDialog::showEvent(event);
}

} // namespace qntcalc
