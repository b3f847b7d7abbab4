#include "app/Program.h"

#include "app/RecentFilesMenu.h"
#include "app/WindowPlaceKeeper.h"
#include "about/VerInfo.h"
#include "project/ProjectChanges.h"
#include "report/qt/ReportExport.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/HelpWindow.h"
#include "whatif/qt/WhatIfWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QSessionManager>
#include <QTimer>
#include <QWindow>

#include <functional>

#include <filesystem>
#include <span>

namespace qntcalc {

Program::Program(Globals& globals, const PlatformServices& platform, const std::string& today)
    : globals_(globals), platform_(platform) {
    form_ = std::make_unique<TMasterForm>(globals, platform.messages, platform.help, today);
    window_ = std::make_unique<MasterWindow>(*form_);
    commands_ =
        std::make_unique<FileCommands>(*form_, globals, platform.dialogs, platform.messages);
    commands_->FormCreate();

    // The version that the print sheet shows and every project file records,
    // the settings file at the first close included, so before the sheet.
    PublishProgramVersion(globals);
    printForm_ = std::make_unique<TPrintForm>(*form_, globals.ProgramVersion);

    WireOwnMenus();
    WireFileMenu();
    WirePrintMenus();
    WireHelpMenu();
    WireWindows();
    WireWhatIf();
    WireReport();
}

Program::~Program() = default;

// The modes and Help > Help run the main window's own handlers.
void Program::WireOwnMenus() {
    WireOwnMenuItems(*form_);
}

void Program::WireFileMenu() {
    FileCommands& files = *commands_;
    form_->Open.OnClick = [&files] { files.OpenClick(); };
    form_->Save.OnClick = [&files] { files.SaveClick(); };
    form_->SaveAs.OnClick = [&files] { files.SaveAsClick(); };
    form_->Exit.OnClick = [&files] { files.ExitClick(); };
    form_->Undo.OnClick = [this] { UndoStep(&UndoHistory::Undo); };
    form_->Redo.OnClick = [this] { UndoStep(&UndoHistory::Redo); };
    files.OnCloseRequested = [window = window_.get()] { window->close(); };
    window_->CloseQuery = [&files] { return files.FormCloseQuery(); };
    files.Changes().OnModifiedChanged = [window = window_.get()](bool modified) {
        window->setWindowModified(modified);
    };
#ifndef QT_NO_SESSIONMANAGER
    // Logging out of the desktop closes the window too, where it may ask.
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, window_.get(),
                     [&files](QSessionManager& session) {
                         if (!files.CommitData([&session] { return session.allowsInteraction(); }))
                             session.cancel();
                     });
#endif
    files.KeepRecentFiles(recentFiles_);
    recentMenu_ = std::make_unique<RecentFilesMenu>(
        recentFiles_, *window_, [&files](const std::string& path) { files.OpenRecent(path); });
}

// One printer and one sheet serve both menus.
void Program::WirePrintMenus() {
    form_->CopytoClipboard1.OnClick = [this] { Printing().CopyToClipboard(); };
    form_->Printersetup1.OnClick = [this] { Printing().PrinterSetup(); };
    form_->Print.OnClick = [this] { Printing().Print(); };
    form_->Printpreview1.OnClick = [this] { Printing().PrintPreview(); };

    TPrintForm& sheet = *printForm_;
    sheet.CopytoClipboard1.OnClick = [this] { Printing().CopySheetToClipboard(); };
    sheet.Printsetup1.OnClick = [this] { Printing().PrinterSetup(); };
    sheet.Print1.OnClick = [this] { Printing().PrintSheet(); };
    sheet.Close1.OnClick = [this] { PrintSheet().close(); };
}

void Program::UndoStep(void (UndoHistory::*step)()) {
    (commands_->History().*step)();
    window_->EnterFocusedFieldAgain();
}

void Program::WireHelpMenu() {
    form_->About.OnClick = [this] { AboutBox().exec(); };
}

TAboutForm& Program::AboutBox() {
    if (!about_) {
        about_ = new TAboutForm(
            globals_, platform_.help,
            // The help window always reads QntCalc.hlp, the file named here.
            [](const std::string&) {}, window_.get());
    }
    return *about_;
}

PrintSheetWindow& Program::PrintSheet() {
    Printing();
    return *printWindow_;
}

PrintCommands& Program::Printing() {
    if (!printCommands_) {
        printWindow_ = std::make_unique<PrintSheetWindow>(*printForm_, platform_.help);
        printCommands_ = std::make_unique<PrintCommands>(*printWindow_, platform_.messages);
    }
    return *printCommands_;
}

HelpWindow& Program::HelpViewer() {
    if (!helpWindow_)
        helpWindow_ = std::make_unique<HelpWindow>();
    return *helpWindow_;
}

void Program::WireWindows() {
    commands_->AddSettingsSection(windowPlace_);
    KeepWindowPlace(windowPlace_, *window_);
    QObject::connect(window_.get(), &MasterWindow::closed, window_.get(), [this] {
        // Closing the main window ends the program, whatever else is open.
        const auto quit = qScopeGuard([] { QCoreApplication::quit(); });
        commands_->FormClose();
    });
}

// The What-if window is made on first use: most runs never open it.
void Program::WireWhatIf() {
    form_->WhatIf1.OnClick = [this] { ShowWhatIf(); };
}

void Program::ShowWhatIf() {
    if (!whatIf_) {
        whatIf_ = new WhatIfWindow(*form_, globals_, platform_.messages, platform_.dialogs,
                                   platform_.help, window_.get());
        commands_->AddSettingsSection(whatIf_->Settings());
    }
    whatIf_->show();
    whatIf_->raise();
    whatIf_->activateWindow();
}

void Program::WireReport() {
    form_->ExportReport.OnClick = [this] { ExportReport(); };
}

void Program::ExportReport() {
    Reports().Export(platform_.dialogs, *form_, globals_, commands_->Changes().Modified(),
                     whatIf_ ? &whatIf_->Form() : nullptr);
}

ReportExport& Program::Reports() {
    if (!reports_)
        reports_ = new ReportExport(platform_.messages, window_.get());
    return *reports_;
}

namespace {

// Runs a function once the window is first exposed: by then the window
// manager has placed it, so a box centred on it shows over it.
class OnFirstExpose : public QObject {
public:
    OnFirstExpose(QWindow& window, std::function<void()> then)
        : QObject(&window), then_(std::move(then)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(then_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

} // namespace

void Program::ShowMainWindow() {
    window_->show();
    // Over the shown window, not in place of it.
    auto notice = [this] { commands_->ShowStartNotice(); };
    if (QWindow* shown = window_->windowHandle(); shown && !shown->isExposed())
        new OnFirstExpose(*shown, notice);
    else
        QTimer::singleShot(0, window_.get(), notice);
}

namespace {

// "../p5.ini" started in /dir/run1 is /dir/p5.ini, also where run1 is a
// link, as the system itself resolves the dots.
std::string CleanPath(const std::string& path) {
    const std::filesystem::path given(path);
    if (given.lexically_normal() == given)
        return path;
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(given, error);
    return error ? path : resolved.string();
}

} // namespace

void Program::OpenArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return;
    const std::span<const std::string> names(arguments.begin() + 1, arguments.end());
    if (const std::optional<std::string> file = ProjectFileArgument(names))
        static_cast<void>(commands_->OpenFile(CleanPath(*file))); // a failure is shown
}

} // namespace qntcalc
