#include "window/UndoHistory.h"

#include <utility>
#include <variant>

namespace qntcalc {

namespace {

// Whether the control holds something a user enters: a field, a box, a
// button, a list, or one of the modes.
bool HoldsInput(const Control& control) {
    return std::visit(Overloaded{[](const EditField*) { return true; },
                                 [](const CheckBox*) { return true; },
                                 [](const RadioButton*) { return true; },
                                 [](const ComboBox*) { return true; },
                                 [](const MenuItem* item) { return item->Group() != nullptr; },
                                 [](const auto*) { return false; }},
                      control.Kind());
}

} // namespace

UndoHistory::UndoHistory(TMasterForm& form) : form_(form), current_(form) {
    const std::vector<Control*>& all = form_.controls.All();
    for (std::size_t place = 0; place < all.size(); ++place) {
        const Control& control = *all[place];
        const bool menu = std::holds_alternative<const MenuItem*>(control.Kind());
        if (&control != &form_.MasterForm && (!menu || HoldsInput(control)))
            content_.push_back(place);
    }
    currentInputs_ = Inputs();
    form_.controls.AddObserver(this);
}

UndoHistory::~UndoHistory() {
    form_.controls.RemoveObserver(this);
}

void UndoHistory::Reset() {
    undo_.clear();
    redo_.clear();
    pending_ = false;
    current_ = WindowSnapshot(form_);
    currentInputs_ = Inputs();
    Changed();
}

void UndoHistory::ControlChanged(const Control& control) {
    if (HoldsInput(control))
        Pending();
}

void UndoHistory::Pending() {
    if (restoring_ || pending_)
        return;
    pending_ = true;
    Changed();
}

void UndoHistory::Changed() const {
    if (OnChanged)
        OnChanged();
}

void UndoHistory::EndStep() {
    if (!pending_)
        return;
    pending_ = false;
    std::string inputs = Inputs();
    if (inputs != currentInputs_) {
        undo_.push_back(std::move(current_));
        if (undo_.size() > kMostSteps)
            undo_.pop_front();
        redo_.clear();
        current_ = WindowSnapshot(form_);
        currentInputs_ = std::move(inputs);
    }
    Changed();
}

void UndoHistory::Undo() {
    Step(undo_, redo_);
}

void UndoHistory::Redo() {
    Step(redo_, undo_);
}

void UndoHistory::Step(Steps& from, Steps& to) {
    EndStep();
    if (from.empty())
        return;
    to.push_back(std::move(current_));
    current_ = std::move(from.back());
    from.pop_back();
    Restore(current_);
    Changed();
}

void UndoHistory::Restore(const WindowSnapshot& snapshot) {
    restoring_ = true;
    PageControl& pages = form_.PageControl1;
    const int page = pages.ActivePageIndex();
    // The same window's controls: nothing to refuse.
    static_cast<void>(snapshot.RestoreChanged(form_, content_));
    if (page >= 0 && pages.TabVisible(page))
        pages.SetActivePageIndex(page);
    else if (pages.ActivePageIndex() < 0 || !pages.TabVisible(pages.ActivePageIndex()))
        pages.SetActivePageIndex(static_cast<int>(Page::Network));
    currentInputs_ = Inputs();
    restoring_ = false;
}

std::string UndoHistory::Inputs() const {
    std::string inputs;
    const std::vector<Control*>& all = form_.controls.All();
    for (std::size_t place : content_) {
        std::visit(Overloaded{[&](const EditField* edit) { inputs += edit->Text(); },
                              [&](const CheckBox* box) { inputs += box->Checked() ? '1' : '0'; },
                              [&](const RadioButton* radio) {
                                  inputs += radio->Checked() ? '1' : '0';
                              },
                              [&](const ComboBox* list) {
                                  inputs += std::to_string(list->ItemIndex());
                              },
                              [&](const MenuItem* item) { inputs += item->Checked() ? '1' : '0'; },
                              [](const auto*) {}},
                   std::as_const(*all[place]).Kind());
        inputs += '\n';
    }
    const Requirements& required = form_.Required();
    inputs += std::to_string(required.rmaxMs) + ' ' + std::to_string(required.etoMs.value_or(0)) +
              ' ' + std::to_string(required.ctoMs.value_or(0)) + ' ';
    for (Field field : kAllFields)
        inputs += required.kept.Has(field) ? '1' : '0';
    return inputs;
}

} // namespace qntcalc
