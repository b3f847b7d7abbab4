#include "app/GuiApplication.h"

#include "app/ProgramIconPixels.h"

#include "project/ProjectTexts.h"
#include "ui/UiTexts.h"
#include "ui/qt/FileKinds.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/QtText.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QIconEngine>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

namespace qntcalc {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler gPassOnTo = nullptr;
std::vector<HeldMessage> gHeld;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        gHeld.push_back({type, QByteArray(context.category), text});
        return;
    }
    const QString line = NoWindowSystemText(qEnvironmentVariable("QT_QPA_PLATFORM"),
                                            qEnvironmentVariable("DISPLAY"));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    // Nothing has been written yet that destructors would have to finish.
    std::_Exit(1);
}

void PrintError(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", ToQString(texts::kProgramTitle).toLocal8Bit().constData(),
                 text.toLocal8Bit().constData());
}

} // namespace

void ShowErrorBox(const QString& text) {
    QMessageBox::critical(DialogParent(nullptr), ToQString(texts::kProgramTitle), text);
}

WindowSystemGuard::WindowSystemGuard() {
    gPassOnTo = qInstallMessageHandler(&HoldMessage);
}

void WindowSystemGuard::Done() {
    if (!std::exchange(active_, false))
        return;
    qInstallMessageHandler(gPassOnTo);
    for (const HeldMessage& held : std::exchange(gHeld, {})) {
        const QMessageLogger logger(nullptr, 0, nullptr, held.category.constData());
        switch (held.type) {
        case QtDebugMsg:
            logger.debug("%s", qUtf8Printable(held.text));
            break;
        case QtInfoMsg:
            logger.info("%s", qUtf8Printable(held.text));
            break;
        case QtCriticalMsg:
            logger.critical("%s", qUtf8Printable(held.text));
            break;
        default:
            logger.warning("%s", qUtf8Printable(held.text));
            break;
        }
    }
}

QString NoWindowSystemText(const QString& platform, const QString& display) {
    QString problem;
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")))
        problem = ToQString(texts::kWindowSystemFailed).arg(platform);
    else if (display.isEmpty())
        problem = ToQString(texts::kDisplayNotSet);
    else
        problem = ToQString(texts::kDisplayUnreachable).arg(display);
    return ToQString(texts::kNotePrefix) + problem + ToQString(texts::kRunTheCli);
}

QIcon ProgramIcon() {
    const QImage image(reinterpret_cast<const uchar*>(kProgramIconPixels), kProgramIconWidth,
                       kProgramIconHeight, QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(image));
}

namespace {

// An icon that is asked of the style when it is first needed.
class StyleIconEngine : public QIconEngine {
public:
    StyleIconEngine(const QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
        : style_(style), which_(which), widget_(widget) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("qntcalc-style"); }
    QIconEngine* clone() const override {
        auto* copy = new StyleIconEngine(style_, which_, widget_);
        copy->icon_ = icon_;
        return copy;
    }

private:
    QIcon& Icon() {
        if (!icon_)
            icon_ = style_ ? style_->standardIcon(which_, nullptr, widget_) : QIcon();
        return *icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    QPointer<const QWidget> widget_;
    std::optional<QIcon> icon_;
};

class LateIconStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton ||
            which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new StyleIconEngine(baseStyle(), which, widget));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

QStyle* StartupStyle() {
    return new LateIconStyle;
}

GuiApplication::GuiApplication(int& argc, char** argv) : QApplication(argc, argv) {
    KeepAllDialogsFromFileContents(*this);
}

bool GuiApplication::notify(QObject* receiver, QEvent* event) {
    QString error;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        error = ToQString(e.what());
    } catch (...) {
        error.clear();
    }
    // An error raised while the last one is still on screen goes to stderr,
    // so that a fault in the display cannot stack boxes without end.
    if (showingError_) {
        PrintError(error);
        return false;
    }
    showingError_ = true;
    try {
        emit errorEscaped(error);
    } catch (...) {
        PrintError(error);
    }
    showingError_ = false;
    return false;
}

} // namespace qntcalc
