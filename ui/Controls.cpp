#include "ui/Controls.h"

#include <algorithm>

namespace qntcalc {

namespace {

void Run(const Handler& handler) {
    if (handler)
        handler();
}

} // namespace

void ControlSet::RemoveObserver(ControlObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void ControlSet::Notify(const Control& control) const {
    for (ControlObserver* observer : observers_)
        observer->ControlChanged(control);
}

void ControlSet::NotifyUserAction(const Control& control, bool begins) const {
    // A copy: an observer may end the run of another.
    const std::vector<ControlObserver*> observers = observers_;
    for (ControlObserver* observer : observers) {
        if (begins)
            observer->UserActionBegins(control);
        else
            observer->UserActionEnds(control);
    }
}

void ControlSet::NotifyWindowData() const {
    for (ControlObserver* observer : observers_)
        observer->WindowDataChanged();
}

Control* ControlSet::Find(std::string_view name) const {
    for (Control* control : controls_) {
        if (control->Name() == name)
            return control;
    }
    return nullptr;
}

Control::Control(ControlSet& set, std::string name, int helpTopic, std::string hint)
    : set_(set), name_(std::move(name)), helpTopic_(helpTopic), hint_(std::move(hint)) {
    set_.Register(this);
}

void Control::SetHint(std::string hint) {
    if (hint == hint_)
        return;
    hint_ = std::move(hint);
    Changed();
}

void Control::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Changed();
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Changed();
}

Label::Label(ControlSet& set, std::string name, int helpTopic, std::string caption,
             std::string hint)
    : Control(set, std::move(name), helpTopic, std::move(hint)), caption_(std::move(caption)) {}

void Label::SetCaption(std::string caption) {
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    Changed();
}

EditField::EditField(ControlSet& set, std::string name, int helpTopic, std::string hint,
                     std::string text)
    : Control(set, std::move(name), helpTopic, std::move(hint)), text_(std::move(text)) {}

void EditField::SetText(std::string text) {
    if (text == text_)
        return;
    text_ = std::move(text);
    Changed();
    Run(OnChange);
}

void EditField::Enter() {
    NotifyUserAction(true);
    Run(OnEnter);
}

void EditField::Leave() {
    NotifyUserAction(false);
}

void EditField::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_)
        return;
    readOnly_ = readOnly;
    Changed();
}

CheckBox::CheckBox(ControlSet& set, std::string name, int helpTopic, std::string hint,
                   std::string caption)
    : Control(set, std::move(name), helpTopic, std::move(hint)), caption_(std::move(caption)) {}

void CheckBox::SetChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    Changed();
    Run(OnClick);
}

void CheckBox::Exit() {
    Run(OnExit);
}

void CheckBox::UserSetChecked(bool checked) {
    AsUser([&] { SetChecked(checked); });
}

RadioButton::RadioButton(ControlSet& set, RadioGroup& group, std::string name, int helpTopic,
                         std::string hint, std::string caption)
    : Control(set, std::move(name), helpTopic, std::move(hint)), group_(group),
      caption_(std::move(caption)) {
    group_.Add(this);
}

void RadioButton::UserSelect() {
    AsUser([&] { SetChecked(true); });
}

void RadioButton::Deselect() {
    if (!checked_)
        return;
    checked_ = false;
    Changed();
}

void RadioButton::SetChecked(bool checked) {
    if (!checked) {
        Deselect();
        return;
    }
    if (checked_)
        return;
    for (RadioButton* other : group_.Buttons()) {
        if (other != this)
            other->Deselect();
    }
    checked_ = true;
    Changed();
    Run(OnClick);
}

ComboBox::ComboBox(ControlSet& set, std::string name, int helpTopic, std::string hint)
    : Control(set, std::move(name), helpTopic, std::move(hint)) {}

void ComboBox::Clear() {
    items_.clear();
    itemIndex_ = -1;
    Changed();
}

void ComboBox::Add(std::string item) {
    items_.push_back(std::move(item));
    Changed();
}

std::string ComboBox::Text() const {
    return itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)] : std::string();
}

void ComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        index = -1;
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    Changed();
}

void ComboBox::UserSelect(int index) {
    AsUser([&] {
        SetItemIndex(index);
        Run(OnChange);
    });
}

PageControl::PageControl(ControlSet& set, std::string name, int helpTopic,
                         std::vector<TabSheet> pages)
    : Control(set, std::move(name), helpTopic), pages_(std::move(pages)) {}

int PageControl::IndexOf(std::string_view pageName) const {
    for (int i = 0; i < PageCount(); ++i) {
        if (pages_[static_cast<std::size_t>(i)].name == pageName)
            return i;
    }
    return -1;
}

bool PageControl::TabVisible(int page) const {
    return page >= 0 && page < PageCount() && pages_[static_cast<std::size_t>(page)].tabVisible;
}

void PageControl::SetTabVisible(int page, bool visible) {
    if (page < 0 || page >= PageCount() || TabVisible(page) == visible)
        return;
    pages_[static_cast<std::size_t>(page)].tabVisible = visible;
    Changed();
}

void PageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount())
        index = -1;
    if (index == active_)
        return;
    active_ = index;
    Changed();
}

void PageControl::UserSelectPage(int index) {
    if (TabVisible(index))
        SetActivePageIndex(index);
}

void PageControl::UserStepPage(int step) {
    const int count = PageCount();
    // With no page active, the first step lands on the first or last page.
    int page = active_ >= 0 ? active_ : (step > 0 ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        page = ((page + step) % count + count) % count;
        if (TabVisible(page)) {
            SetActivePageIndex(page);
            return;
        }
    }
}

StatusBar::StatusBar(ControlSet& set, std::string name, int helpTopic, std::string hint)
    : Control(set, std::move(name), helpTopic, std::move(hint)) {}

void StatusBar::SetPanelText(int panel, std::string text) {
    std::string& current = panels_[panel == 0 ? 0 : 1];
    if (text == current)
        return;
    current = std::move(text);
    Changed();
}

void StatusBar::SetColour(StatusColour colour) {
    if (colour == colour_)
        return;
    colour_ = colour;
    Changed();
}

IndicatorBar::IndicatorBar(ControlSet& set, std::string name, int helpTopic, std::string hint,
                           int maximum)
    : Control(set, std::move(name), helpTopic, std::move(hint)), maximum_(maximum) {}

int IndicatorBar::ShownPosition() const {
    return std::clamp(position_, 0, std::max(maximum_, 0));
}

void IndicatorBar::SetPosition(int position) {
    if (position == position_)
        return;
    position_ = position;
    Changed();
}

void IndicatorBar::SetMaximum(int maximum) {
    if (maximum == maximum_)
        return;
    maximum_ = maximum;
    Changed();
}

MenuItem::MenuItem(ControlSet& set, std::string name, int helpTopic, std::string caption,
                   std::string shortcut, MenuGroup* group)
    : Control(set, std::move(name), helpTopic), caption_(std::move(caption)),
      shortcut_(std::move(shortcut)), group_(group) {
    if (group_)
        group_->Add(this);
}

void MenuItem::SetCheckedOnly(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    Changed();
}

void MenuItem::SetChecked(bool checked) {
    if (checked && group_) {
        for (MenuItem* other : group_->Items()) {
            if (other != this)
                other->SetCheckedOnly(false);
        }
    }
    SetCheckedOnly(checked);
}

void MenuItem::Click() {
    if (Enabled())
        AsUser([&] { Run(OnClick); });
}

} // namespace qntcalc
