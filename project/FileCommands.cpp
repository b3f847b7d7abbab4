#include "project/FileCommands.h"

#include "fileio/FileIo.h"
#include "project/ProjectFile.h"
#include "project/ProjectTexts.h"
#include "text/Strings.h"
#include "ui/UiTexts.h"
#include "window/MasterForm.h"

#include <filesystem>
#include <system_error>

namespace qntcalc {

namespace {

// Save must reach the same file wherever the working directory goes.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

} // namespace

FileCommands::FileCommands(TMasterForm& form, Globals& globals, FileDialogs& dialogs,
                           MessageBoxes& messages, PathStyle style)
    : form_(form), globals_(globals), dialogs_(dialogs), messages_(messages), style_(style),
      settings_(form, globals, messages, style), changes_(form), history_(form) {
    history_.OnChanged = [this] {
        form_.Undo.SetEnabled(history_.CanUndo());
        form_.Redo.SetEnabled(history_.CanRedo());
    };
}

std::optional<std::string> FileCommands::SettingsPath() const {
    return settings_.SettingsPath();
}

void FileCommands::ReadSettingsFromFile() {
    settings_.Read();
}

void FileCommands::WriteSettingsToFile() {
    settings_.Write(DiscardedAtClose());
}

void FileCommands::ShowStartNotice() {
    settings_.ShowStartNotice();
}

void FileCommands::AddSettingsSection(SettingsSection& section) {
    settings_.AddSection(section);
}

void FileCommands::KeepRecentFiles(RecentFiles& recent) {
    recent_ = &recent;
    AddSettingsSection(recent);
}

void FileCommands::FormCreate() {
    ReadSettingsFromFile();
    form_.Recalculate();
    history_.Reset();
}

void FileCommands::FormClose() {
    WriteSettingsToFile();
}

std::string FileCommands::InitialDir() const {
    return fileio::DialogFolder(globals_.ProjectDir);
}

void FileCommands::SetCaption() {
    form_.MasterForm.SetCaption(std::string(texts::kProgramTitle) + " - " +
                                BaseNameOfPath(globals_.ProjectFile, style_));
}

bool FileCommands::SaveChangesFirst(bool* discarded) {
    if (!changes_.Modified())
        return true;
    const std::string text =
        text::Format(texts::kSaveChanges, {BaseNameOfPath(globals_.ProjectFile, style_)});
    switch (messages_.AskSave(text, texts::kProgramTitle)) {
    case SaveChoice::Save:
        return Save();
    case SaveChoice::Discard:
        if (discarded)
            *discarded = true;
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void FileCommands::OpenClick() {
    if (!SaveChangesFirst())
        return;
    const std::optional<std::string> chosen =
        dialogs_.ChooseOpenFile({std::string(texts::kProjectFilter), InitialDir(), {}});
    if (chosen)
        static_cast<void>(OpenFile(*chosen)); // a failure is shown
}

Result FileCommands::OpenFile(const std::string& path) {
    std::optional<IniFile> ini;
    if (Result found = OpenProject(path, ini); !found.Ok()) {
        messages_.Show(found.Message(), texts::kOpenErrorCaption, MessageKind::Critical);
        return found;
    }
    changes_.Forget();
    globals_.ProjectFile = path;
    form_.Save.SetEnabled(true);
    SetCaption();
    globals_.ProjectDir = DirOfPath(globals_.ProjectFile, style_);
    if (recent_)
        recent_->Add(globals_.ProjectFile);
    // The content read above. An older file is converted in place; one that
    // cannot be (a read-only file) is still open, and Save writes it anew.
    static_cast<void>(qntcalc::ReadSettingsFromFile(form_, *ini));
    MarkSaved();
    history_.Reset();
    return {};
}

void FileCommands::OpenRecent(const std::string& path) {
    if (!SaveChangesFirst())
        return;
    if (OpenFile(path).failure == Result::Failure::Missing && recent_)
        recent_->Remove(path);
}

const Result& FileCommands::ShowSaveError(const Result& written) {
    if (!written.Ok())
        messages_.Show(written.Message(), texts::kSaveErrorCaption, MessageKind::Critical);
    return written;
}

void FileCommands::SaveClick() {
    static_cast<void>(Save()); // a failure is shown
}

bool FileCommands::Save() {
    // A failure is shown already; nothing else changes then.
    if (!ShowSaveError(qntcalc::WriteSettingsToFile(form_, globals_, globals_.ProjectFile)).Ok())
        return false;
    MarkSaved();
    if (recent_)
        recent_->Add(globals_.ProjectFile);
    return true;
}

void FileCommands::SaveAsClick() {
    if (globals_.ProjectFile.empty())
        globals_.ProjectFile = form_.Ed_Project.Text();
    const std::optional<std::string> chosen = dialogs_.ChooseSaveFile(
        {std::string(texts::kProjectFilter), InitialDir(), globals_.ProjectFile});
    if (!chosen)
        return;
    const std::string& q = *chosen;
    const std::string target = CutExtension(q) + ".ini";
    const std::string backup = CutExtension(q) + ".BAK";
    // A FIFO or a device chosen is left where it is, not moved aside, and so
    // is a file that holds no project.
    for (const std::string& place : {q, target}) {
        Result refused = fileio::Replaceable(place);
        if (refused.Ok())
            refused = CheckProjectTarget(place);
        if (!refused.Ok()) {
            static_cast<void>(ShowSaveError(refused));
            return;
        }
    }
    std::error_code error;
    // A kept backup is never replaced, so a second Save as keeps the first.
    const bool backedUp = std::filesystem::exists(q, error) && fileio::RenameNoReplace(q, backup).Ok();
    Result written = qntcalc::WriteSettingsToFile(form_, globals_, target);
    if (!written.Ok()) {
        // As if never chosen: the file goes back to its name.
        if (backedUp) {
            if (const Result back = fileio::RenameNoReplace(backup, q); !back.Ok())
                written.Also({Result::Failure::NotPutBack, backup,
                              text::Format(texts::kKeepsBackupName, {back.reason, q})});
        }
        static_cast<void>(ShowSaveError(written));
        return;
    }
    globals_.ProjectFile = target;
    globals_.ProjectDir = DirOfPath(globals_.ProjectFile, style_);
    form_.Save.SetEnabled(true);
    SetCaption();
    MarkSaved();
    if (recent_)
        recent_->Add(globals_.ProjectFile);
}

void FileCommands::ExitClick() {
    if (!FormCloseQuery())
        return;
    WriteSettingsToFile();
    if (OnCloseRequested)
        OnCloseRequested();
}

void FileCommands::MarkSaved() {
    changes_.MarkSaved();
    closeAnswered_.reset();
}

bool FileCommands::Answered() const {
    return changes_.Modified() && closeAnswered_ &&
           closeAnswered_->content == ProjectContent(form_);
}

bool FileCommands::NothingToAsk() const {
    return !changes_.Modified() || Answered();
}

const std::string* FileCommands::DiscardedAtClose() const {
    if (!Answered() || !closeAnswered_->discarded || !changes_.SavedProject())
        return nullptr;
    return &*changes_.SavedProject();
}

bool FileCommands::FormCloseQuery() {
    if (NothingToAsk())
        return true;
    bool discarded = false;
    if (!SaveChangesFirst(&discarded))
        return false;
    closeAnswered_ = {ProjectContent(form_), discarded};
    return true;
}

bool FileCommands::CommitData(const std::function<bool()>& mayAsk) {
    if (NothingToAsk())
        return true;
    if (mayAsk())
        return FormCloseQuery();
    // Nor may the close that ends the session ask; the settings file keeps
    // the changes, as at every close.
    closeAnswered_ = {ProjectContent(form_), false};
    return true;
}

std::optional<std::string> ProjectFileArgument(std::span<const std::string> arguments) {
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--")
            options = false;
        else if (!argument.empty() && !(options && argument.starts_with('-')))
            return Absolute(argument);
    }
    return std::nullopt;
}

} // namespace qntcalc
