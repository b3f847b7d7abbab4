#pragma once

#include "ui/Controls.h"

#include <functional>
#include <optional>
#include <string>

namespace qntcalc {

class TMasterForm;

// What a project file holds of the window, as the project writer writes it,
// less what no user enters: the results (the Vesk cycle time only while it
// is entered by hand), the page shown and the program's own name and
// version. Two windows with the same content save the same project.
std::string ProjectContent(const TMasterForm& form);

// Whether the window differs from its project file. Each change of a control
// compares the content with what was last read from or written to the file,
// so a value changed back leaves the window unmodified again. Without a file
// there is nothing to compare with, and the window is never modified.
class ProjectChanges : private ControlObserver {
public:
    explicit ProjectChanges(TMasterForm& form);
    ~ProjectChanges() override;
    ProjectChanges(const ProjectChanges&) = delete;
    ProjectChanges& operator=(const ProjectChanges&) = delete;

    // The window now holds what its file holds.
    void MarkSaved();
    // Until the next MarkSaved: while a file is read into the window.
    void Forget();
    bool Modified() const { return modified_; }
    // The project as the window held it at the last MarkSaved, in the
    // project writer's words; none until then.
    const std::optional<std::string>& SavedProject() const { return savedProject_; }

    // Runs on every change of Modified().
    std::function<void(bool modified)> OnModifiedChanged;

private:
    void ControlChanged(const Control& control) override;
    void WindowDataChanged() override;
    void SetModified(bool modified);

    TMasterForm& form_;
    std::optional<std::string> saved_;
    std::optional<std::string> savedProject_;
    bool modified_ = false;
};

} // namespace qntcalc
