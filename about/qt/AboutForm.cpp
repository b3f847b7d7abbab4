#include "about/qt/AboutForm.h"

#include "about/AboutTexts.h"
#include "about/VerInfo.h"
#include "ui/HelpTopics.h"
#include "ui/UiTexts.h"
#include "ui/qt/Pixels.h"
#include "ui/qt/QtText.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace qntcalc {

namespace {

QFont ArialFont(int points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("Nimbus Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(PixelsOf(points));
    font.setBold(bold);
    return font;
}

// The design's measures in pixels: the framed box is at least this wide and
// leaves this much room around its texts; each line starts this far below
// the one above it, or lower where a larger font needs it.
constexpr int kBoxWidth = 225;
constexpr int kTextSide = 7;
constexpr int kBoxTop = 8;
constexpr int kBoxBottom = 16;
constexpr int kTitleWidth = 215;
constexpr int kTitleLine = 24;
constexpr int kVersionLine = 24;
constexpr int kCopyrightLine = 16;
constexpr QSize kButtonSize(75, 25);
// The dialog's margin, and the space between the box and the button.
constexpr int kSpacing = 8;

} // namespace

TAboutForm::TAboutForm(Globals& globals, HelpSystem& help,
                       const std::function<void(const std::string&)>& setHelpFile, QWidget* parent)
    : QDialog(parent), help_(help) {
    Build();
    // After the main window's construction, so this is the help file in force.
    if (setHelpFile)
        setHelpFile(std::string(texts::kHelpFileName));

    // The box has no help topic of its own: help on it is the main window's.
    auto* contextHelp = new QAction(this);
    contextHelp->setShortcut(QKeySequence::HelpContents);
    connect(contextHelp, &QAction::triggered, this, [this] { help_.ShowTopic(topic::kWindow); });
    addAction(contextHelp);

    PublishProgramVersion(globals);
    label4_->setText(ToQString(globals.ProgramVersion));
}

void TAboutForm::Build() {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(ToQString(texts::kAboutCaption));

    // The frame lies beneath the texts, in the same cells.
    auto* box = new QGridLayout;
    box->setSpacing(0);
    box->setColumnMinimumWidth(0, kBoxWidth);
    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    box->addWidget(bevel1, 0, 0, 4, 1);

    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    int row = 0;
    // `line`: from the line's top to the next one's; 0 for the last line.
    const auto text = [&](const char* name, std::string_view caption, int points, bool bold,
                          int line) {
        auto* label = new QLabel(ToQString(caption), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextFormat(Qt::PlainText);
        label->setFont(ArialFont(points, bold));
        label->setPalette(black);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const int above = row == 0 ? kBoxTop : 0;
        label->setContentsMargins(kTextSide, above, kTextSide, line == 0 ? kBoxBottom : 0);
        label->setMinimumHeight(above + line);
        box->addWidget(label, row++, 0);
        return label;
    };
    title_ = text("Title", texts::kProgramTitle, 14, true, kTitleLine);
    title_->setMinimumWidth(kTextSide + kTitleWidth + kTextSide);
    label4_ = text("Label4", "1.0.0", 10, true, kVersionLine);
    text("Copyright", texts::kCopyright, 10, false, kCopyrightLine);
    text("Label1", QNTCALC_MAKER_NAME, 10, false, 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    okButton_->setObjectName(QStringLiteral("OkButton"));
    okButton_->setMinimumSize(kButtonSize);
    // A plain button, as the box was drawn, whatever the style adds.
    okButton_->setIcon(QIcon());
    okButton_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kSpacing, kSpacing, kSpacing, kSpacing);
    column->setSpacing(kSpacing);
    // Sized by its texts: the box cannot be resized.
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addLayout(box);
    column->addWidget(buttons);
    // Placed now, not at the first showing: the box's size is read before.
    column->activate();
    buttons->layout()->activate();
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Opens in the middle of the desktop, not over the main window.
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

} // namespace qntcalc
