#include "print/qt/PrintSheetWindow.h"

#include "ui/qt/FieldEdit.h"
#include "ui/qt/Pixels.h"
#include "ui/qt/QtText.h"

#include <algorithm>
#include <variant>

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

// Free pixels a caption keeps to its left and right.
constexpr int kCaptionGap = 2;
// The sheet's font gets at most this many pixels smaller than designed.
constexpr int kMostFontSteps = 3;

QFont SheetFont(int pixels) {
    QFont font;
    // Narrow faces first: the captions were laid out for a narrow font.
    font.setFamilies({ToQString(sheet::kFontName), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Tahoma"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans Condensed")});
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

} // namespace

PrintSheetWindow::PrintSheetWindow(TPrintForm& sheet, HelpSystem& help, QWidget* parent)
    : QDialog(parent), sheet_(sheet), help_(help), views_(sheet.controls) {
    views_.Title(sheet_.PrintForm, this);

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

    views_.MirrorAll();
    placing_ = false;
    FitFonts();
    column->activate();
    move(sheet::kScreenLeft, sheet::kScreenTop);
}

void PrintSheetWindow::BuildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = views_.Menu(sheet_.File1, bar);
    for (MenuItem* item : {&sheet_.CopytoClipboard1, &sheet_.N2, &sheet_.Printsetup1,
                           &sheet_.Print1, &sheet_.N1, &sheet_.Close1})
        views_.Action(*item, file);
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
        QWidget* view = control ? CreateView(*control, place) : nullptr;
        if (!view)
            continue;
        view->setFont(FontOf(place, 0));
        placed_.push_back({view, &place});
    }
}

QWidget* PrintSheetWindow::CreateView(Control& control, const Placement& place) {
    QWidget* view = std::visit(
        Overloaded{
            [&](Label* label) -> QWidget* {
                if (place.frame == Frame::Titled)
                    return views_.Group(*label, client_);
                if (place.frame == Frame::None) {
                    QLabel* text = views_.Text(*label, client_);
                    text->setAlignment(place.align == Align::Right ? Qt::AlignRight | Qt::AlignTop
                                                                   : Qt::AlignLeft | Qt::AlignTop);
                    return text;
                }
                QFrame* frame = views_.Frame(*label, client_);
                frame->setFrameStyle(place.frame == Frame::Sunken ? QFrame::Panel | QFrame::Sunken
                                                                  : QFrame::NoFrame);
                return frame;
            },
            [&](EditField* field) -> QWidget* {
                FieldEdit* edit = views_.Edit(*field, client_);
                // A text longer than its field shows its beginning.
                views_.AfterMirror(*field, [edit] { edit->setCursorPosition(0); });
                return edit;
            },
            [&](RadioButton* button) -> QWidget* { return views_.Radio(*button, client_); },
            [&](CheckBox* box) -> QWidget* { return views_.Check(*box, client_); },
            // The sheet has no other kind of control on its page.
            [](auto*) -> QWidget* { return nullptr; },
        },
        control.Kind());
    if (!view)
        return nullptr;
    view->setFocusPolicy(Qt::NoFocus);
    views_.AfterMirror(control, [this, view, &place] { Place(view, place); });
    if (qobject_cast<QLabel*>(view)) {
        // Only a longer text can crowd the sheet.
        views_.AfterMirror(control, [this, view] {
            if (!placing_ && Crowded(view))
                FitFonts();
        });
    }
    return view;
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
