#include "whatif/WhatIf.h"

#include "engine/Int32.h"
#include "text/Strings.h"
#include "whatif/WhatIfTexts.h"
#include "window/FieldTable.h"

#include <algorithm>
#include <cstdlib>

namespace qntcalc {

namespace {

constexpr std::size_t kInputCount = [] {
    std::size_t count = 0;
    for (const FieldRow& row : kFieldRows)
        count += row.whatIf.typing != Typing::Never ? 1 : 0;
    return count;
}();

constexpr std::array<WhatIfInput, kInputCount> kInputs = [] {
    std::array<WhatIfInput, kInputCount> inputs{};
    for (const FieldRow& row : kFieldRows) {
        const WhatIfFacts& w = row.whatIf;
        if (w.typing != Typing::Never)
            inputs[static_cast<std::size_t>(w.position)] = {
                row.field, row.page, SubjectOf(row), w.inSentence, w.unit, w.practicalLimit, w.searchDownwards};
    }
    return inputs;
}();

Result Refused(Result::Failure failure, Field field, std::string_view reason) {
    return {failure, std::string(FieldName(field)), std::string(reason)};
}

} // namespace

std::span<const WhatIfInput> WhatIfInputs() {
    return kInputs;
}

const WhatIfInput* FindWhatIfInput(Field field) {
    for (const WhatIfInput& input : kInputs) {
        if (input.field == field)
            return &input;
    }
    return nullptr;
}

const WhatIfInput* FindWhatIfInput(std::string_view key) {
    for (const WhatIfInput& input : kInputs) {
        if (text::SameName(RowOf(input.field).key, key))
            return &input;
    }
    return nullptr;
}

std::string WhatIfInputKeys() {
    std::string keys;
    for (const WhatIfInput& input : kInputs)
        keys += (keys.empty() ? "" : ", ") + std::string(FieldName(input.field));
    return keys;
}

bool UserCanType(const TMasterForm& form, const WhatIfInput& input) {
    const WhatIfFacts& facts = RowOf(input.field).whatIf;
    const bool chosen =
        std::visit(Overloaded{[](std::monostate) { return true; },
                              [&](auto MasterFormControls::*box) { return (form.*box).Checked(); }},
                   facts.countsWhile);
    return facts.typing == Typing::Free && chosen && form.UserCanChange(form.EditFor(input.field));
}

int64_t SweepValueCount(int32_t from, int32_t to, int32_t step) {
    return std::llabs(static_cast<int64_t>(to) - from) / std::max(step, 1) + 1;
}

WhatIf::WhatIf(WindowSnapshot current)
    : current_(std::move(current)),
      form_(std::make_unique<TMasterForm>(globals_, static_cast<MessageBoxes&>(*this),
                                          static_cast<HelpSystem&>(*this), "")) {
    form_->OnValueRefused = [this](const EditField&, std::string_view message) {
        // A refusal before any calculation started is the field's own value
        // check refusing the value; later ones come from the cascade.
        if (refusals_.empty() && form_->Calc().CalculationCount() == calculationsBeforeTyping_)
            rejected_ = true;
        refusals_.emplace_back(message);
    };
    if (!current_.RestoreInto(*form_).Ok())
        return; // nothing editable
    const std::vector<Control*>& all = form_->controls.All();
    for (std::size_t i = 0; i < all.size(); ++i)
        placeOf_.emplace(all[i], i);
    changed_.assign(all.size(), false);
    form_->controls.AddObserver(this);
    const TMasterForm& f = *form_;
    for (Field field : kAllFields)
        currentValues_[static_cast<std::size_t>(field)] = i32::ParseOr(f.EditFor(field).Text(), 0);
    for (const WhatIfInput& input : kInputs) {
        if (UserCanType(f, input))
            editable_.push_back(input.field);
    }
}

WhatIf::~WhatIf() {
    form_->controls.RemoveObserver(this);
}

void WhatIf::ControlChanged(const Control& control) {
    const auto place = placeOf_.find(&control);
    if (place == placeOf_.end() || changed_[place->second])
        return;
    changed_[place->second] = true;
    changedPlaces_.push_back(place->second);
}

bool WhatIf::Editable(Field field) const {
    return std::find(editable_.begin(), editable_.end(), field) != editable_.end();
}

std::vector<Field> WhatIf::EditableInputs() const {
    return editable_;
}

bool WhatIf::ListChosen(ComboBox MasterFormControls::*list) const {
    // The first item of a type list asks for a choice ("Please select ...").
    return ((*form_).*list).ItemIndex() > 0;
}

std::string WhatIf::ListName(ComboBox MasterFormControls::*list) const {
    return std::string(((*form_).*list).Name());
}

int32_t WhatIf::CurrentValue(Field field) const {
    return currentValues_[static_cast<std::size_t>(field)];
}

// Every box the private window shows is a value check's, heard already.
void WhatIf::Show(std::string_view, std::string_view, MessageKind) {}

Result WhatIf::Type(Field field, int32_t value, WhatIfPoint& point, const Change& then) {
    if (!pristine_) {
        // In the window's order, as a whole restore goes.
        std::sort(changedPlaces_.begin(), changedPlaces_.end());
        const Result restored = current_.RestoreChanged(*form_, changedPlaces_);
        // Putting back notifies too: none of that is a change to undo.
        for (std::size_t place : changedPlaces_)
            changed_[place] = false;
        changedPlaces_.clear();
        if (!restored.Ok())
            return restored;
    }
    pristine_ = false;
    refusals_.clear();
    rejected_ = false;
    calculationsBeforeTyping_ = form_->Calc().CalculationCount();

    EditField& edit = form_->EditFor(field);
    edit.Enter();
    edit.SetText(i32::ToText(value));
    if (then && !rejected_)
        then(*form_);

    point = WhatIfPoint{};
    point.value = value;
    point.rejected = rejected_;
    point.valueErrors = refusals_;
    if (point.rejected)
        return {};
    const TMasterForm& f = *form_;
    for (Field shown : kAllFields)
        point.fields[static_cast<std::size_t>(shown)] = f.EditFor(shown).Text();
    point.state = f.State();
    point.passes = f.Calc().LastPassCount();
    point.messages = f.LastMessages();
    point.status = f.SB_Status.PanelText(1);
    point.statusError = f.SB_Status.Colour() == StatusColour::Red;
    return {};
}

Result WhatIf::Evaluate(Field field, int32_t value, WhatIfPoint& point) {
    if (!Editable(field))
        return Refused(Result::Failure::NotTypeable, field, texts::kNotTypeableNow);
    return Type(field, value, point);
}

Result WhatIf::EvaluateThen(Field field, int32_t value, const Change& then, WhatIfPoint& point) {
    if (!Editable(field))
        return Refused(Result::Failure::NotTypeable, field, texts::kNotTypeableNow);
    return Type(field, value, point, then);
}

Result WhatIf::CanSweep(Field field, int32_t from, int32_t to, int32_t step) const {
    if (!Editable(field))
        return Refused(Result::Failure::NotTypeable, field, texts::kNotTypeableNow);
    if (step < 1)
        return Refused(Result::Failure::BadRange, field, texts::kStepBelowOne);
    if (SweepValueCount(from, to, step) > kMostWhatIfValues)
        return Refused(Result::Failure::BadRange, field,
                       std::string(texts::kMoreValuesThan) +
                           GroupedNumber(static_cast<int32_t>(kMostWhatIfValues)));
    return {};
}

Result WhatIf::Sweep(Field field, int32_t from, int32_t to, int32_t step, const Visitor& visit) {
    if (Result refused = CanSweep(field, from, to, step); !refused.Ok())
        return refused;
    // In 64 bits, so a range up to the ends of int32 cannot wrap.
    const int64_t stride = from <= to ? step : -static_cast<int64_t>(step);
    WhatIfPoint point;
    for (int64_t v = from; from <= to ? v <= to : v >= to; v += stride) {
        if (Result typed = Type(field, static_cast<int32_t>(v), point); !typed.Ok())
            return typed;
        if (!visit(point, *form_))
            break;
    }
    return {};
}

Result WhatIf::Sweep(Field field, int32_t from, int32_t to, int32_t step,
                     std::vector<WhatIfPoint>& points) {
    points.clear();
    const auto collect = [&points](const WhatIfPoint& point, const TMasterForm&) {
        points.push_back(point);
        return true;
    };
    return Sweep(field, from, to, step, collect);
}

} // namespace qntcalc
