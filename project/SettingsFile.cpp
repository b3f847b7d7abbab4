#include "project/SettingsFile.h"

#include "fileio/FileIo.h"
#include "project/ProjectFile.h"
#include "project/ProjectKeys.h"
#include "project/ProjectTexts.h"
#include "text/Strings.h"
#include "ui/UiTexts.h"
#include "window/FieldTable.h"
#include "window/MasterForm.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace qntcalc {

namespace {

void Note(std::string_view text) {
    std::cerr << texts::kNotePrefix << text << '\n';
}

} // namespace

SettingsFile::SettingsFile(TMasterForm& form, Globals& globals, MessageBoxes& messages,
                           PathStyle style)
    : form_(form), globals_(globals), messages_(messages), style_(style) {}

std::optional<std::string> SettingsFile::SettingsPath() const {
    if (globals_.StartDir.empty() || !settingsUsable_)
        return std::nullopt;
    return JoinPath(globals_.StartDir, texts::kSettingsFileName, style_);
}

void SettingsFile::ReadWithoutSettingsFile() {
    settingsUsable_ = false;
    IniFile none = IniFile::FromBytes({});
    ReadStartSettings(none);
}

void SettingsFile::ReadStartSettings(IniFile& ini) {
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

void SettingsFile::ShowStartNotice() {
    if (!startNotice_)
        return;
    const std::string text = std::move(*startNotice_);
    startNotice_.reset();
    messages_.Show(text, texts::kStartNoticeCaption, MessageKind::Information);
}

void SettingsFile::Read() {
    ReadWindowSettings();
    settingsRead_ = true;
    for (SettingsSection* section : sections_)
        ReadSection(*section);
}

void SettingsFile::ReadSection(SettingsSection& section) const {
    const std::optional<std::string> path = SettingsPath();
    std::optional<IniFile> ini;
    // What could not be read was said at start; the section reads as new.
    if (path)
        static_cast<void>(IniFile::Open(*path, ini));
    if (!ini)
        ini.emplace(IniFile::FromBytes({}));
    section.ReadSettings(*ini);
}

void SettingsFile::AddSection(SettingsSection& section) {
    sections_.push_back(&section);
    if (settingsRead_)
        ReadSection(section);
}

void SettingsFile::ReadWindowSettings() {
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
    if (found.failure == Result::Failure::Unsuitable) { // no project in it
        const std::string backup = JoinPath(dir, texts::kSettingsBackupName, style_);
        const Result renamed = fileio::RenameNoReplace(path, backup);
        if (renamed.Ok()) {
            Note(text::Format(texts::kNoteKeptAs, {found.Message(), backup}));
            startNotice_ = text::Format(texts::kStartNoticeRenamed, {dir});
            // Where even the fresh file cannot be read, the close's write says so.
            std::optional<IniFile> fresh;
            static_cast<void>(IniFile::OpenToWrite(path, fresh));
            if (!fresh)
                fresh.emplace(IniFile::FromBytes({}));
            ReadStartSettings(*fresh);
            return;
        }
        startNotice_ = text::Format(texts::kStartNoticeNotRenamed, {dir, renamed.reason});
    } else if (std::filesystem::is_directory(path, error)) {
        startNotice_ = text::Format(texts::kStartNoticeDirectory, {dir});
    } else {
        startNotice_ = text::Format(texts::kStartNoticeUnreadable, {dir, found.reason});
    }
    Note(text::Format(texts::kNoteUnused, {found.Message()}));
    ReadWithoutSettingsFile();
}

void SettingsFile::Write(const std::string* discardedProject) {
    const std::optional<std::string> path = SettingsPath();
    if (!path)
        return; // said at start
    // Closing must never be stopped by the settings file.
    std::optional<IniFile> ini;
    Result written = IniFile::OpenToWrite(*path, ini);
    if (ini) {
        IniFile::Batch batch(*ini);
        if (discardedProject)
            written = WriteProjectToFile(IniFile::FromBytes(*discardedProject), globals_, *ini);
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
        Note(text::Format(texts::kNoteNotSaved, {written.Message()}));
}

} // namespace qntcalc
