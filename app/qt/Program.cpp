#include "app/qt/Program.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace qntcalc {

Program::Program(Globals& globals, const PlatformServices& platform, const std::string& today) {
    form_ = std::make_unique<TMasterForm>(globals, platform.messages, platform.help, today);
    window_ = std::make_unique<MasterWindow>(*form_);
    commands_ =
        std::make_unique<FileCommands>(*form_, globals, platform.dialogs, platform.messages);
    commands_->OnCloseRequested = [this] { window_->close(); };
    window_->OnClose = [this] {
        // Closing the main window ends the program, whatever else is open.
        const auto quit = qScopeGuard([] { QCoreApplication::quit(); });
        commands_->FormClose();
    };
    commands_->FormCreate();

    // The About box reads the version that the print sheet shows and every
    // project file records, so it must come before the sheet.
    about_ = std::make_unique<TAboutForm>(
        globals, platform.help,
        // The help window always reads QntCalc.hlp, the file named here.
        [](const std::string&) {}, window_.get());
    form_->About.OnClick = [this] { about_->exec(); };

    printForm_ = std::make_unique<TPrintForm>(*form_, globals.ProgramVersion);
    printWindow_ = std::make_unique<PrintSheetWindow>(*printForm_, platform.help);
    printCommands_ = std::make_unique<PrintCommands>(*printWindow_, platform.messages);
    printCommands_->BindMainMenu(*form_);
}

Program::~Program() = default;

void Program::ShowMainWindow() {
    window_->show();
}

} // namespace qntcalc
