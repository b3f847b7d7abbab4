#include "app/MessageTexts.h"
#include "app/qt/GuiApplication.h"
#include "app/qt/GuiPlatform.h"
#include "app/qt/Program.h"
#include "project/Globals.h"

#include <exception>

#include <QIcon>

// Start-up and shutdown. Command-line arguments are ignored; the exit code
// is 0 on every path, also after an error during start-up.
int main(int argc, char** argv) {
    qntcalc::GuiApplication app(argc, argv);
    const QString title =
        QString::fromUtf8(qntcalc::texts::kWindowTitle.data(),
                          static_cast<qsizetype>(qntcalc::texts::kWindowTitle.size()));
    QApplication::setApplicationName(title);
    QApplication::setDesktopFileName(QStringLiteral("qntcalc"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/qntcalc/qntcalc.png")));

    try {
        qntcalc::Globals globals;
        qntcalc::QtMessageBoxes messages;
        qntcalc::QtFileDialogs dialogs;
        qntcalc::QtHelpSystem help(messages);
        qntcalc::Program program(globals, {messages, dialogs, help}, qntcalc::TodayText());
        messages.SetMainWindow(&program.Window());
        dialogs.SetMainWindow(&program.Window());
        program.ShowMainWindow();
        QApplication::exec();
    } catch (const std::exception& e) {
        app.ShowError(QString::fromUtf8(e.what()));
    } catch (...) {
        app.ShowError(QString());
    }
    return 0;
}
