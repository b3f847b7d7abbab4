#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Toolkit-free models of the main window's controls. They hold the state a
// widget shows and raise the notifications the window logic relies on: a
// change made by the program notifies exactly like a user's change whenever
// the value really changes. They draw nothing; a view mirrors them by
// listening to ControlSet.
namespace qntcalc {

class Control;
class Label;
class EditField;
class CheckBox;
class RadioButton;
class ComboBox;
class PageControl;
class StatusBar;
class IndicatorBar;
class MenuItem;

// A control as its own kind: std::visit(Overloaded{...}, control.Kind())
// runs the lambda for that kind, where a chain of casts would guess.
using ControlKind = std::variant<Label*, EditField*, CheckBox*, RadioButton*, ComboBox*,
                                 PageControl*, StatusBar*, IndicatorBar*, MenuItem*>;
using ConstControlKind = std::variant<const Label*, const EditField*, const CheckBox*,
                                      const RadioButton*, const ComboBox*, const PageControl*,
                                      const StatusBar*, const IndicatorBar*, const MenuItem*>;

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
// For compilers without deduction for aggregates (clang before 17).
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    // Any property of the control changed; the view re-reads what it shows.
    virtual void ControlChanged(const Control& control) = 0;
    // A user's action on the control begins, or has ended: a click, a pick
    // or a menu item around its change; a field is entered (begins) and
    // left (ends). What changes in between is the user's doing.
    virtual void UserActionBegins(const Control&) {}
    virtual void UserActionEnds(const Control&) {}
    // What the window holds besides its controls changed (its project's
    // requirements).
    virtual void WindowDataChanged() {}
};

// The controls of one window, by name, and the observers of all of them.
class ControlSet {
public:
    void AddObserver(ControlObserver* observer) { observers_.push_back(observer); }
    void RemoveObserver(ControlObserver* observer);
    void Register(Control* control) { controls_.push_back(control); }
    void Notify(const Control& control) const;
    void NotifyUserAction(const Control& control, bool begins) const;
    void NotifyWindowData() const;

    Control* Find(std::string_view name) const;
    const std::vector<Control*>& All() const { return controls_; }

private:
    std::vector<Control*> controls_;
    std::vector<ControlObserver*> observers_;
};

using Handler = std::function<void()>;

class Control {
public:
    Control(ControlSet& set, std::string name, int helpTopic, std::string hint = {});
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    int HelpTopic() const { return helpTopic_; }
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    virtual ControlKind Kind() = 0;
    virtual ConstControlKind Kind() const = 0;

protected:
    void Changed() const { set_.Notify(*this); }
    void NotifyUserAction(bool begins) const { set_.NotifyUserAction(*this, begins); }
    // Runs `change` as a user's action on this control.
    template <class F> void AsUser(F&& change) {
        NotifyUserAction(true);
        change();
        NotifyUserAction(false);
    }

private:
    ControlSet& set_;
    std::string name_;
    int helpTopic_;
    std::string hint_;
    bool visible_ = true;
    bool enabled_ = true;
};

// Label or group box: a caption and nothing to edit.
class Label : public Control {
public:
    Label(ControlSet& set, std::string name, int helpTopic, std::string caption,
          std::string hint = {});
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    std::string caption_;
};

class EditField : public Control {
public:
    EditField(ControlSet& set, std::string name, int helpTopic, std::string hint, std::string text);

    const std::string& Text() const { return text_; }
    // Program and user changes alike: OnChange runs when the text differs.
    void SetText(std::string text);
    // The field received the focus: a user's action on it begins.
    void Enter();
    // The focus went to another control of the window: the action ends.
    void Leave();
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    Handler OnChange;
    Handler OnEnter;

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    std::string text_;
    bool readOnly_ = false;
};

class CheckBox : public Control {
public:
    CheckBox(ControlSet& set, std::string name, int helpTopic, std::string hint,
             std::string caption);

    const std::string& Caption() const { return caption_; }
    bool Checked() const { return checked_; }
    // OnClick runs on every real change, by program or user.
    void SetChecked(bool checked);
    // The user ticked or unticked the box.
    void UserSetChecked(bool checked);
    // The box lost the focus.
    void Exit();

    Handler OnClick;
    Handler OnExit;

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    std::string caption_;
    bool checked_ = false;
};

class RadioButton;

// Buttons of which at most one is selected; none is possible.
class RadioGroup {
public:
    void Add(RadioButton* button) { buttons_.push_back(button); }
    const std::vector<RadioButton*>& Buttons() const { return buttons_; }

private:
    std::vector<RadioButton*> buttons_;
};

class RadioButton : public Control {
public:
    RadioButton(ControlSet& set, RadioGroup& group, std::string name, int helpTopic,
                std::string hint, std::string caption);

    const std::string& Caption() const { return caption_; }
    bool Checked() const { return checked_; }
    // Selecting deselects the others silently and raises OnClick on this one
    // only; deselecting changes only this one and raises nothing.
    void SetChecked(bool checked);
    // The user clicked the button: it is selected.
    void UserSelect();

    Handler OnClick;

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    friend class RadioGroup;
    void Deselect();

    RadioGroup& group_;
    std::string caption_;
    bool checked_ = false;
};

// Drop-down list without free text.
class ComboBox : public Control {
public:
    ComboBox(ControlSet& set, std::string name, int helpTopic, std::string hint);

    void Clear();
    void Add(std::string item);
    const std::vector<std::string>& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    // The shown text: the selected item, or empty with none selected.
    std::string Text() const;
    // A program change: raises nothing. Out-of-range selects none (-1).
    void SetItemIndex(int index);
    // The user picked an entry: raises OnChange.
    void UserSelect(int index);

    Handler OnChange;

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

struct TabSheet {
    std::string name;
    std::string caption;
    int helpTopic;
    bool tabVisible = true;
};

class PageControl : public Control {
public:
    PageControl(ControlSet& set, std::string name, int helpTopic, std::vector<TabSheet> pages);

    const std::vector<TabSheet>& Pages() const { return pages_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    int IndexOf(std::string_view pageName) const;
    bool TabVisible(int page) const;
    void SetTabVisible(int page, bool visible);
    // -1 when no page is active. A hidden page can stay active.
    int ActivePageIndex() const { return active_; }
    // Any index; one outside the pages leaves no page active.
    void SetActivePageIndex(int index);
    // The user clicked a tab: only visible tabs can be selected.
    void UserSelectPage(int index);
    // The user moved to the next visible page (step 1) or the one before
    // (step -1), round from the last to the first and back.
    void UserStepPage(int step);

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    std::vector<TabSheet> pages_;
    int active_ = 0;
};

enum class StatusColour { Normal, Red };

class StatusBar : public Control {
public:
    StatusBar(ControlSet& set, std::string name, int helpTopic, std::string hint);

    const std::string& PanelText(int panel) const { return panels_[panel == 0 ? 0 : 1]; }
    void SetPanelText(int panel, std::string text);
    StatusColour Colour() const { return colour_; }
    void SetColour(StatusColour colour);

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    std::string panels_[2];
    StatusColour colour_ = StatusColour::Normal;
};

// Progress-style bar from 0 to Maximum(). The position is kept as set; a
// view shows it clamped to the range, so a value above the maximum is a
// full bar whichever of the two was set first.
class IndicatorBar : public Control {
public:
    IndicatorBar(ControlSet& set, std::string name, int helpTopic, std::string hint, int maximum);

    int Position() const { return position_; }
    int Maximum() const { return maximum_; }
    int ShownPosition() const;
    void SetPosition(int position);
    void SetMaximum(int maximum);

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    int position_ = 0;
    int maximum_;
};

class MenuItem;

// Menu items of which at most one is checked; none is possible.
class MenuGroup {
public:
    void Add(MenuItem* item) { items_.push_back(item); }
    const std::vector<MenuItem*>& Items() const { return items_; }

private:
    std::vector<MenuItem*> items_;
};

class MenuItem : public Control {
public:
    MenuItem(ControlSet& set, std::string name, int helpTopic, std::string caption,
             std::string shortcut = {}, MenuGroup* group = nullptr);

    const std::string& Caption() const { return caption_; }
    const std::string& Shortcut() const { return shortcut_; }
    MenuGroup* Group() const { return group_; }
    bool Checked() const { return checked_; }
    // Set by program: no handler runs. Checking one of a group unchecks the
    // others; unchecking leaves them as they are.
    void SetChecked(bool checked);
    // The user chose the item.
    void Click();

    Handler OnClick;

    ControlKind Kind() override { return this; }
    ConstControlKind Kind() const override { return this; }

private:
    void SetCheckedOnly(bool checked);

    std::string caption_;
    std::string shortcut_;
    MenuGroup* group_;
    bool checked_ = false;
};

} // namespace qntcalc
