#include "app/qt/GuiApplication.h"

#include "project/ProjectTexts.h"
#include "ui/UiTexts.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/QtText.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmap>

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
    // Told the format, and that it is sure, the reader asks no plugin
    // whether it reads PNG too; asking would load every one of them.
    QImageReader reader(QStringLiteral(":/qntcalc/qntcalc.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

GuiApplication::GuiApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
