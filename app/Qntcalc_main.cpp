#include "app/GuiApplication.h"
#include "app/Program.h"
#include "report/ReportOptions.h"
#include "report/qt/ReportCommand.h"
#include "ui/Globals.h"
#include "ui/UiTexts.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/QtText.h"

#include <exception>
#include <string>
#include <vector>

// Start-up and shutdown. The exit code is 0 on every path, also after an
// error during start-up, except 1 when no window can be opened at all;
// --report makes a report without a window and exits as qntcalc-cli does.
int main(int argc, char** argv) {
    using namespace qntcalc;
    if (WantsReport(std::vector<std::string>(argv + 1, argv + argc)))
        return RunReportCommand(argc, argv);
    WindowSystemGuard windowSystem;
    GuiApplication app(argc, argv);
    windowSystem.Done();
    QObject::connect(&app, &GuiApplication::errorEscaped, &ShowErrorBox);
    QApplication::setApplicationName(ToQString(texts::kProgramTitle));
    QApplication::setDesktopFileName(QStringLiteral("qntcalc"));
    QApplication::setStyle(StartupStyle());
    QApplication::setWindowIcon(ProgramIcon());

    try {
        Globals globals;
        QtMessageBoxes messages;
        QtFileDialogs dialogs;
        // The help window is the program's too, made when help is first asked for.
        Program* windows = nullptr;
        QtHelpSystem help(messages, [&windows]() -> HelpWindow& { return windows->HelpViewer(); });
        Program program(globals, {messages, dialogs, help}, TodayText());
        windows = &program;
        messages.SetMainWindow(&program.Window());
        dialogs.SetMainWindow(&program.Window());
        program.ShowMainWindow();
        // Qt has taken its own options out; the rest are the bytes given,
        // which its texts would change where they are not UTF-8.
        program.OpenArguments(std::vector<std::string>(argv, argv + argc));
        QApplication::exec();
    } catch (const std::exception& e) {
        ShowErrorBox(ToQString(e.what()));
    } catch (...) {
        ShowErrorBox(QString());
    }
    return 0;
}
