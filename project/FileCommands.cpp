#include "project/FileCommands.h"

#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "project/ProjectKeys.h"
#include "project/ProjectTexts.h"
#include "text/Strings.h"
#include "ui/UiTexts.h"
#include "window/FieldTable.h"
#include "window/MasterForm.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace qntcalc {

namespace {

void Note(std::string_view text) {
    std::cerr << texts::kNotePrefix << text << '\n';
}

// Renames without ever replacing an existing file of the new name, also
// when another program creates it at the same moment.
Result RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    const int code = errno;
    if (code != EINVAL && code != ENOSYS)
        return {Result::Failure::NotRenamed, from, text::SystemError(code)};
    // A file system without no-replace renames: a hard link fails on an
    // existing name, so the old name is dropped only once the new one holds.
    std::error_code error;
    std::filesystem::create_hard_link(from, to, error);
    if (!error && std::filesystem::remove(from, error))
        return {};
    return {Result::Failure::NotRenamed, from, text::SystemError(error ? error.value() : ENOENT)};
}

// A notice text with its folder (%1) and reason (%2) put in.
std::string Notice(std::string_view text, const std::string& dir, const std::string& reason = {}) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? dir : reason;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

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
      changes_(form) {}

std::optional<std::string> FileCommands::SettingsPath() const {
    if (globals_.StartDir.empty() || !settingsUsable_)
        return std::nullopt;
    return JoinPath(globals_.StartDir, texts::kSettingsFileName, style_);
}

void FileCommands::ReadWithoutSettingsFile() {
    settingsUsable_ = false;
    IniFile none = IniFile::FromBytes({});
    ReadStartSettings(none);
}

void FileCommands::ReadStartSettings(IniFile& ini) {
    // A first start has no Vesk cycle time yet, whose check would refuse
    // the empty text with a box before the window is even shown. The check
    // puts the text right all the same; only the box is left out.
    std::optional<TMasterForm::QuietChecks> quiet;
    if (!ini.ValueExists(ini::kSettings, RowOf(Field::CVesk).key))
        quiet.emplace(form_);
    // A missing file is created by the read's conversion of the controller
    // counts. Where that fails, the close's write says so.
    static_cast<void>(qntcalc::ReadSettingsFromFile(form_, ini));
}

void FileCommands::ShowStartNotice() {
    if (!startNotice_)
        return;
    const std::string text = std::move(*startNotice_);
    startNotice_.reset();
    messages_.Show(text, texts::kStartNoticeCaption, MessageKind::Information);
}

void FileCommands::ReadSettingsFromFile() {
    ReadWindowSettings();
    settingsRead_ = true;
    for (SettingsSection* section : sections_)
        ReadSection(*section);
}

void FileCommands::ReadSection(SettingsSection& section) const {
    const std::optional<std::string> path = SettingsPath();
    std::optional<IniFile> ini;
    // What could not be read was said at start; the section reads as new.
    if (path)
        static_cast<void>(IniFile::Open(*path, ini));
    if (!ini)
        ini.emplace(IniFile::FromBytes({}));
    section.ReadSettings(*ini);
}

void FileCommands::KeepRecentFiles(RecentFiles& recent) {
    recent_ = &recent;
    AddSettingsSection(recent);
}

void FileCommands::AddSettingsSection(SettingsSection& section) {
    sections_.push_back(&section);
    if (settingsRead_)
        ReadSection(section);
}

void FileCommands::ReadWindowSettings() {
    // Never a settings file beside some other directory, such as the root.
    if (globals_.StartDir.empty()) {
        Note(texts::kNoteNoStartDir);
        startNotice_ = std::string(texts::kStartNoticeNoStartDir);
        ReadWithoutSettingsFile();
        return;
    }
    settingsUsable_ = true;
    const std::string path = *SettingsPath();
    std::optional<IniFile> ini;
    const Result found = OpenProject(path, ini);
    if (found.Ok() || found.failure == Result::Failure::Missing) {
        ReadStartSettings(*ini);
        return;
    }
    const std::string& dir = globals_.StartDir;
    std::error_code error;
    if (found.failure == Result::Failure::NotAProject) {
        const std::string backup = JoinPath(dir, texts::kSettingsBackupName, style_);
        const Result renamed = RenameNoReplace(path, backup);
        if (renamed.Ok()) {
            Note(found.Message() + std::string(texts::kNoteKeptAs) + '"' + backup + '"' +
                 std::string(texts::kNoteNewSettings));
            startNotice_ = Notice(texts::kStartNoticeRenamed, dir);
            // Where even the fresh file cannot be read, the close's write says so.
            std::optional<IniFile> fresh;
            static_cast<void>(IniFile::OpenToWrite(path, fresh));
            if (!fresh)
                fresh.emplace(IniFile::FromBytes({}));
            ReadStartSettings(*fresh);
            return;
        }
        startNotice_ = Notice(texts::kStartNoticeNotRenamed, dir, renamed.reason);
    } else if (std::filesystem::is_directory(path, error)) {
        startNotice_ = Notice(texts::kStartNoticeDirectory, dir);
    } else {
        startNotice_ = Notice(texts::kStartNoticeUnreadable, dir, found.reason);
    }
    Note(found.Message() + std::string(texts::kNoteUnused));
    ReadWithoutSettingsFile();
}

void FileCommands::WriteSettingsToFile() {
    const std::optional<std::string> path = SettingsPath();
    if (!path)
        return; // said at start
    // Closing must never be stopped by the settings file.
    std::optional<IniFile> ini;
    Result written = IniFile::OpenToWrite(*path, ini);
    if (ini) {
        IniFile::Batch batch(*ini);
        if (const std::string* saved = DiscardedAtClose())
            written = WriteProjectToFile(IniFile::FromBytes(*saved), globals_, *ini);
        else
            written = qntcalc::WriteSettingsToFile(form_, globals_, *ini);
        for (const SettingsSection* section : sections_) {
            if (written.Ok())
                written = section->WriteSettings(*ini);
        }
        if (Result ended = batch.End(); written.Ok())
            written = std::move(ended);
    }
    if (!written.Ok())
        Note(std::string(texts::kNoteNotSaved) + written.Message());
}

void FileCommands::FormCreate() {
    ReadSettingsFromFile();
    form_.Recalculate();
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
        Notice(texts::kSaveChanges, BaseNameOfPath(globals_.ProjectFile, style_));
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
    // A FIFO or a device chosen is left where it is, not moved aside.
    if (Result refused = fileio::Replaceable(q); !refused.Ok()) {
        static_cast<void>(ShowSaveError(refused));
        return;
    }
    std::error_code error;
    // A kept backup is never replaced, so a second Save as keeps the first.
    const bool backedUp = std::filesystem::exists(q, error) && RenameNoReplace(q, backup).Ok();
    Result written = qntcalc::WriteSettingsToFile(form_, globals_, target);
    if (!written.Ok()) {
        // As if never chosen: the file goes back to its name.
        if (backedUp) {
            if (const Result back = RenameNoReplace(backup, q); !back.Ok())
                written.Also({Result::Failure::NotPutBack, backup,
                              back.reason + std::string(texts::kKeepsBackupName) + q + '"'});
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
