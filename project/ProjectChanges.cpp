#include "project/ProjectChanges.h"

#include "fileio/IniFile.h"
#include "project/ProjectFile.h"
#include "project/ProjectKeys.h"
#include "window/FieldTable.h"
#include "window/MasterForm.h"

namespace qntcalc {

namespace {

using namespace ini;

// Results are computed, not typed; the cycle time only while entered by hand.
bool CountsAsChange(const FieldRow& row, bool cycleTimeTyped) {
    return row.group != FileGroup::Results || (row.field == Field::CVesk && cycleTimeTyped);
}

bool CountsAsChange(std::string_view section, std::string_view key, bool cycleTimeTyped) {
    if (section == kAbout || key == kPageSelect)
        return false;
    if (section != kSettings)
        return true;
    for (const FieldRow& row : kFieldRows) {
        if (row.key == key)
            return CountsAsChange(row, cycleTimeTyped);
    }
    return true;
}

// Whether a change of this edit field can change what is compared: the
// project name and the inputs can; the results that every calculation
// writes back cannot (the cycle time only while typed by hand), so they
// are not worth a comparison each.
bool EditCountsAsChange(const TMasterForm& form, const EditField& edit) {
    for (const FieldRow& row : kFieldRows) {
        if (&(form.*row.edit) == &edit)
            return CountsAsChange(row, form.CB_CVeskManual.Checked());
    }
    return true; // the project name
}

// The window as the project writer writes it, with no program named.
IniFile Written(const TMasterForm& form) {
    static const Globals kNoProgram;
    IniFile ini = IniFile::FromBytes({});
    // In memory, with the writer's own names: nothing can fail.
    static_cast<void>(WriteSettingsToFile(form, kNoProgram, ini));
    return ini;
}

std::string ContentOf(const IniFile& written) {
    const bool cycleTimeTyped = written.ReadBool(kSettings, kCVeskManual, false);
    std::string content;
    for (const std::string& section : written.Sections()) {
        content += '[' + section + "]\n";
        for (const std::string& key : written.Keys(section)) {
            if (CountsAsChange(section, key, cycleTimeTyped))
                content += key + '=' + written.ReadString(section, key, {}) + '\n';
        }
    }
    return content;
}

} // namespace

std::string ProjectContent(const TMasterForm& form) {
    return ContentOf(Written(form));
}

ProjectChanges::ProjectChanges(TMasterForm& form) : form_(form) {
    form_.controls.AddObserver(this);
}

ProjectChanges::~ProjectChanges() {
    form_.controls.RemoveObserver(this);
}

void ProjectChanges::MarkSaved() {
    IniFile written = Written(form_);
    saved_ = ContentOf(written);
    savedProject_ = written.Content();
    SetModified(false);
}

void ProjectChanges::Forget() {
    saved_.reset();
    savedProject_.reset();
    SetModified(false);
}

void ProjectChanges::ControlChanged(const Control& control) {
    if (!saved_)
        return;
    // Labels, pages and the status bar hold nothing of a project.
    const bool input = std::visit(
        Overloaded{[this](const EditField* edit) { return EditCountsAsChange(form_, *edit); },
                   [](const CheckBox*) { return true; },
                   [](const RadioButton*) { return true; }, [](const ComboBox*) { return true; },
                   [](const MenuItem*) { return true; }, [](const auto*) { return false; }},
        control.Kind());
    if (input)
        SetModified(ProjectContent(form_) != *saved_);
}

// The requirements are the project's too.
void ProjectChanges::WindowDataChanged() {
    if (saved_)
        SetModified(ProjectContent(form_) != *saved_);
}

void ProjectChanges::SetModified(bool modified) {
    if (modified == modified_)
        return;
    modified_ = modified;
    if (OnModifiedChanged)
        OnModifiedChanged(modified_);
}

} // namespace qntcalc
