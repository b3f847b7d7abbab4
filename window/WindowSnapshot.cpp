#include "window/WindowSnapshot.h"

#include "window/WindowTexts.h"

#include <utility>

namespace qntcalc {

namespace {

// Takes a handler away for one change, so the change notifies the views
// but runs no check and no calculation.
class MutedHandler {
public:
    explicit MutedHandler(Handler& handler) : handler_(handler), saved_(std::move(handler)) {
        handler_ = nullptr;
    }
    ~MutedHandler() { handler_ = std::move(saved_); }
    MutedHandler(const MutedHandler&) = delete;
    MutedHandler& operator=(const MutedHandler&) = delete;

private:
    Handler& handler_;
    Handler saved_;
};

} // namespace

WindowSnapshot::WindowSnapshot(const TMasterForm& form)
    : state_(form.calc_.State()), lastPassCount_(form.calc_.LastPassCount()),
      lastMessages_(form.lastMessages_), savedText_(form.savedText_),
      takenByMode_(form.takenByMode_), required_(form.required_) {
    const std::vector<Control*>& all = form.controls.All();
    controls_.reserve(all.size());
    for (const Control* control : all)
        controls_.push_back({control->Name(), control->Hint(), control->Visible(),
                             control->Enabled(), Capture(*control)});
}

WindowSnapshot::Specific WindowSnapshot::Capture(const Control& control) {
    return std::visit(
        Overloaded{
            [](const Label* label) -> Specific { return LabelState{label->Caption()}; },
            [](const EditField* edit) -> Specific {
                return EditState{edit->Text(), edit->ReadOnly()};
            },
            [](const CheckBox* box) -> Specific { return CheckBoxState{box->Checked()}; },
            [](const RadioButton* radio) -> Specific { return RadioState{radio->Checked()}; },
            [](const ComboBox* combo) -> Specific {
                return ComboState{combo->Items(), combo->ItemIndex()};
            },
            [](const PageControl* pages) -> Specific {
                PagesState state{{}, pages->ActivePageIndex()};
                for (int i = 0; i < pages->PageCount(); ++i)
                    state.tabVisible.push_back(pages->TabVisible(i));
                return state;
            },
            [](const StatusBar* status) -> Specific {
                return StatusState{status->PanelText(0), status->PanelText(1), status->Colour()};
            },
            [](const IndicatorBar* bar) -> Specific {
                return BarState{bar->Position(), bar->Maximum()};
            },
            [](const MenuItem* item) -> Specific { return MenuState{item->Checked()}; },
        },
        control.Kind());
}

Result WindowSnapshot::RestoreInto(TMasterForm& form) const {
    const std::vector<Control*>& all = form.controls.All();
    const auto other = [&] {
        return Result::Unsuitable(std::string(texts::kRestoreVerb), form.MasterForm.Name(),
                                  std::string(texts::kOtherControls));
    };
    if (all.size() != controls_.size())
        return other();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i]->Name() != controls_[i].name)
            return other();
    }
    for (std::size_t i = 0; i < all.size(); ++i)
        Restore(*all[i], controls_[i]);
    RestoreForm(form);
    return {};
}

Result WindowSnapshot::RestoreChanged(TMasterForm& form,
                                      std::span<const std::size_t> changed) const {
    const std::vector<Control*>& all = form.controls.All();
    if (all.size() != controls_.size())
        return Result::Unsuitable(std::string(texts::kRestoreVerb), form.MasterForm.Name(),
                                  std::string(texts::kOtherControls));
    for (std::size_t i : changed) {
        if (i < all.size())
            Restore(*all[i], controls_[i]);
    }
    RestoreForm(form);
    return {};
}

void WindowSnapshot::RestoreForm(TMasterForm& form) const {
    form.calc_.Restore(state_, lastPassCount_);
    form.lastMessages_ = lastMessages_;
    form.takenByMode_ = takenByMode_;
    form.SetRequirements(required_);
    if (form.savedText_ != savedText_)
        form.savedText_ = savedText_;
    form.restoring_ = nullptr;
}

// The kind was recorded from this very control, so the casts hold.
void WindowSnapshot::Restore(Control& control, const ControlState& saved) {
    if (control.Hint() != saved.hint)
        control.SetHint(saved.hint);
    control.SetVisible(saved.visible);
    control.SetEnabled(saved.enabled);
    std::visit(
        Overloaded{
            [&](const LabelState& s) {
                auto& label = static_cast<Label&>(control);
                if (label.Caption() != s.caption)
                    label.SetCaption(s.caption);
            },
            [&](const EditState& s) {
                auto& edit = static_cast<EditField&>(control);
                if (edit.Text() != s.text) {
                    MutedHandler muted(edit.OnChange);
                    edit.SetText(s.text);
                }
                edit.SetReadOnly(s.readOnly);
            },
            [&](const CheckBoxState& s) {
                auto& box = static_cast<CheckBox&>(control);
                MutedHandler muted(box.OnClick);
                box.SetChecked(s.checked);
            },
            [&](const RadioState& s) {
                // Selecting deselects the others of the group silently, and
                // a button deselected this way is also saved unselected.
                auto& radio = static_cast<RadioButton&>(control);
                MutedHandler muted(radio.OnClick);
                radio.SetChecked(s.checked);
            },
            [&](const ComboState& s) {
                auto& combo = static_cast<ComboBox&>(control);
                if (combo.Items() != s.items) {
                    combo.Clear();
                    for (const std::string& item : s.items)
                        combo.Add(item);
                }
                combo.SetItemIndex(s.index);
            },
            [&](const PagesState& s) {
                auto& pages = static_cast<PageControl&>(control);
                for (std::size_t page = 0; page < s.tabVisible.size(); ++page)
                    pages.SetTabVisible(static_cast<int>(page), s.tabVisible[page]);
                pages.SetActivePageIndex(s.active);
            },
            [&](const StatusState& s) {
                auto& status = static_cast<StatusBar&>(control);
                status.SetPanelText(0, s.panel0);
                status.SetPanelText(1, s.panel1);
                status.SetColour(s.colour);
            },
            [&](const BarState& s) {
                auto& bar = static_cast<IndicatorBar&>(control);
                bar.SetPosition(s.position);
                bar.SetMaximum(s.maximum);
            },
            [&](const MenuState& s) { static_cast<MenuItem&>(control).SetChecked(s.checked); },
        },
        saved.specific);
}

} // namespace qntcalc
