#include "project/FileCommands.h"

#include "app/MasterForm.h"
#include "app/MessageTexts.h"
#include "project/ProjectFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace qntcalc {

namespace {

// Renames without ever replacing an existing file of the new name, also
// when another program creates it at the same moment.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without no-replace renames: a hard link fails on an
    // existing name, so the old name is dropped only once the new one holds.
    std::error_code error;
    std::filesystem::create_hard_link(from, to, error);
    return !error && std::filesystem::remove(from, error);
}

} // namespace

FileCommands::FileCommands(TMasterForm& form, Globals& globals, FileDialogs& dialogs,
                           MessageBoxes& messages, PathStyle style)
    : form_(form), globals_(globals), dialogs_(dialogs), messages_(messages), style_(style) {
    form_.Open.OnClick = [this] { OpenClick(); };
    form_.Save.OnClick = [this] { SaveClick(); };
    form_.SaveAs.OnClick = [this] { SaveAsClick(); };
    form_.Exit.OnClick = [this] { ExitClick(); };
}

std::string FileCommands::SettingsPath() const {
    return JoinPath(globals_.StartDir, texts::kSettingsFileName, style_);
}

void FileCommands::ReadSettingsFromFile() {
    qntcalc::ReadSettingsFromFile(form_, SettingsPath());
}

void FileCommands::WriteSettingsToFile() {
    // Closing must never be stopped by the settings file.
    const std::string error = qntcalc::WriteSettingsToFile(form_, globals_, SettingsPath());
    if (!error.empty())
        std::cerr << "QntCalc: settings not saved: " << error << '\n';
}

void FileCommands::FormCreate() {
    ReadSettingsFromFile();
    form_.Recalculate();
}

void FileCommands::FormClose() {
    WriteSettingsToFile();
}

std::string FileCommands::InitialDir() const {
    if (!globals_.ProjectDir.empty())
        return globals_.ProjectDir;
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return error ? std::string() : cwd.string();
}

void FileCommands::SetCaption() {
    form_.MasterForm.SetCaption(std::string(texts::kWindowTitle) + " - " +
                                BaseNameOfPath(globals_.ProjectFile, style_));
}

void FileCommands::OpenClick() {
    const std::optional<std::string> chosen =
        dialogs_.ChooseOpenFile({std::string(texts::kProjectFilter), InitialDir(), {}});
    if (!chosen)
        return;
    globals_.ProjectFile = *chosen;
    form_.Save.SetEnabled(true);
    SetCaption();
    globals_.ProjectDir = DirOfPath(globals_.ProjectFile, style_);
    qntcalc::ReadSettingsFromFile(form_, globals_.ProjectFile);
}

bool FileCommands::WriteProject(const std::string& path) {
    const std::string error = qntcalc::WriteSettingsToFile(form_, globals_, path);
    if (error.empty())
        return true;
    messages_.Show(error, texts::kSaveErrorCaption);
    return false;
}

void FileCommands::SaveClick() {
    WriteProject(globals_.ProjectFile);
}

void FileCommands::SaveAsClick() {
    if (globals_.ProjectFile.empty())
        globals_.ProjectFile = form_.Ed_Project.Text();
    const std::optional<std::string> chosen = dialogs_.ChooseSaveFile(
        {std::string(texts::kProjectFilter), InitialDir(), globals_.ProjectFile});
    if (!chosen)
        return;
    const std::string& q = *chosen;
    globals_.ProjectFile = CutExtension(q) + ".ini";
    std::error_code error;
    if (std::filesystem::exists(q, error))
        RenameNoReplace(q, CutExtension(q) + ".BAK"); // a kept backup is never replaced
    globals_.ProjectDir = DirOfPath(globals_.ProjectFile, style_);
    form_.Save.SetEnabled(true);
    SetCaption();
    WriteProject(globals_.ProjectFile);
}

void FileCommands::ExitClick() {
    WriteSettingsToFile();
    if (OnCloseRequested)
        OnCloseRequested();
}

} // namespace qntcalc
