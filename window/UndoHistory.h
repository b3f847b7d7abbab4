#pragma once

#include "window/MasterForm.h"
#include "window/WindowSnapshot.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace qntcalc {

// Edit > Undo and Redo over what a user enters in the main window. One step
// is one action of the user's, as the controls tell them: typing in a field
// from entering it to leaving it, with whatever its value check put back
// and the window reset because of it; one click of a box or button, one
// pick from a list, one mode; one change of the requirements or of a kept
// mark; one value used from the limits. A step that changes no input is no
// step.
//
// Each step keeps the whole window as it was after it, so undoing puts back
// every input, the results and the mode's memory exactly as they were, and
// runs no calculation; the page shown stays where it is while it can. It
// knows nothing of files: whoever reads a project calls Reset.
class UndoHistory : private ControlObserver {
public:
    // The oldest steps go beyond this many.
    static constexpr std::size_t kMostSteps = 200;

    // `form` must outlive the history; the window as it is now is the start.
    explicit UndoHistory(TMasterForm& form);
    ~UndoHistory() override;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // The window as it is now is the start, with nothing to undo or redo.
    void Reset();
    // Ends the step under way, if any: the program ends one that no control
    // ends by itself.
    void EndStep();
    bool CanUndo() const { return pending_ || !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // Each ends the step under way first, so the last step is always the
    // one undone.
    void Undo();
    void Redo();

    // Runs whenever CanUndo() or CanRedo() may have changed.
    std::function<void()> OnChanged;

private:
    void ControlChanged(const Control& control) override;
    void UserActionBegins(const Control&) override { EndStep(); }
    void UserActionEnds(const Control&) override { EndStep(); }
    void WindowDataChanged() override { Pending(); }
    using Steps = std::deque<WindowSnapshot>;
    // Puts back the window of the latest step in `from`, keeping the window
    // as it is now in `to`.
    void Step(Steps& from, Steps& to);
    void Pending();
    void Changed() const;
    void Restore(const WindowSnapshot& snapshot);
    // What the user enters, in one text: equal texts, no step between them.
    std::string Inputs() const;

    TMasterForm& form_;
    // The controls a step puts back: not the menus of files and windows,
    // and not the caption, which name the file rather than the project.
    std::vector<std::size_t> content_;
    WindowSnapshot current_; // the window after the last step
    std::string currentInputs_;
    Steps undo_;
    Steps redo_;
    bool pending_ = false;
    bool restoring_ = false;
};

} // namespace qntcalc
