#include "about/qt/AboutForm.h"

#include "about/VerInfo.h"
#include "app/MasterFormControls.h"
#include "app/qt/QtText.h"

#include <algorithm>

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace qntcalc {

namespace {

// The box was drawn in pixels at 96 dpi; its fonts are sized the same way
// so that the texts keep their places on any screen.
constexpr int PixelsOf(int points) {
    return (points * 96 + 36) / 72;
}

QFont ArialFont(int points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("Nimbus Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(PixelsOf(points));
    font.setBold(bold);
    return font;
}

// Where a text of the box starts; a font larger than the design's pushes
// the lines below it down instead of letting them overlap.
struct Line {
    QLabel* label;
    int x;
    int top;
};

// The framed box keeps a dialog's usual margin from the window's edges.
constexpr QPoint kOrigin(8, 8);
constexpr int kBevelWidth = 225;
constexpr int kTitleWidth = 215;
constexpr int kTitleHeight = 22;
constexpr int kTextLeft = 7;
constexpr int kBevelPadding = 8;
constexpr int kButtonGap = 8;
constexpr QSize kButtonSize(75, 25);

} // namespace

TAboutForm::TAboutForm(Globals& globals, HelpSystem& help,
                       const std::function<void(const std::string&)>& setHelpFile, QWidget* parent)
    : QDialog(parent), help_(help) {
    Build();
    // After the main window's construction, so this is the help file in force.
    if (setHelpFile)
        setHelpFile(std::string(texts::kHelpFile));

    // The box has no help topic of its own: help on it is the main window's.
    auto* contextHelp = new QAction(this);
    contextHelp->setShortcut(QKeySequence::HelpContents);
    connect(contextHelp, &QAction::triggered, this, [this] { help_.ShowTopic(topic::kWindow); });
    addAction(contextHelp);

    {
        const VerInfo info(OwnExecutableFileName());
        label4_->setText(QString::fromStdString(info.GetInfo(VerInfo::kFileVersion)));
        globals.ProgramVersion = info.GetInfo(VerInfo::kFileVersion);
        globals.ProgramName = info.GetInfo(VerInfo::kProductName);
    }
    Arrange();
}

void TAboutForm::Build() {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(ToQString(texts::kAboutCaption));

    bevel1_ = new QFrame(this);
    bevel1_->setObjectName(QStringLiteral("Bevel1"));
    bevel1_->setFrameStyle(QFrame::Box | QFrame::Sunken);

    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    const auto text = [this, &black](const char* name, std::string_view caption, int points,
                                     bool bold) {
        auto* label = new QLabel(ToQString(caption), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextFormat(Qt::PlainText);
        label->setFont(ArialFont(points, bold));
        label->setPalette(black);
        return label;
    };
    title_ = text("Title", texts::kAboutTitle, 14, true);
    label4_ = text("Label4", "1.0.0", 10, true);
    copyright_ = text("Copyright", texts::kCopyright, 10, false);
    label1_ = text("Label1", QNTCALC_MAKER_NAME, 10, false);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OkButton"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutForm::Arrange() {
    const Line lines[] = {
        {title_, kTextLeft, 8},
        {label4_, kTextLeft, 32},
        {copyright_, kTextLeft, 56},
        {label1_, kTextLeft, 72},
    };
    int bottom = 0;
    int right = kBevelWidth;
    for (const Line& line : lines) {
        QSize size = line.label->sizeHint();
        if (line.label == title_)
            size = size.expandedTo(QSize(kTitleWidth, kTitleHeight));
        const int top = std::max(line.top, bottom);
        line.label->setGeometry(QRect(kOrigin + QPoint(line.x, top), size));
        bottom = top + size.height();
        right = std::max(right, line.x + size.width() + kTextLeft);
    }
    const QRect bevel(kOrigin, QSize(right, bottom + kBevelPadding * 2));
    bevel1_->setGeometry(bevel);
    bevel1_->lower();
    const QSize button = kButtonSize.expandedTo(okButton_->sizeHint());
    okButton_->setGeometry(
        QRect(QPoint(bevel.center().x() + 1 - button.width() / 2, bevel.bottom() + 1 + kButtonGap),
              button));
    setFixedSize(bevel.right() + 1 + kOrigin.x(), okButton_->geometry().bottom() + 1 + kOrigin.y());
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Opens in the middle of the desktop, not over the main window.
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

} // namespace qntcalc
