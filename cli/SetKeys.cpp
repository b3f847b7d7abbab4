#include "cli/SetKeys.h"

#include "engine/RateModel.h"
#include "project/ProjectKeys.h"
#include "text/Strings.h"
#include "whatif/WhatIf.h"
#include "window/FieldTable.h"
#include "window/MasterForm.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <span>

namespace qntcalc::cli {

namespace {

using C = MasterFormControls;

struct CheckKey {
    std::string_view key;
    CheckBox C::*box;
};

struct RadioKey {
    std::string_view key;
    RadioButton C::*button;
};

// The keys of the project file's Settings section that a user can change,
// besides Project and the edit fields of the what-if inputs.
constexpr std::array kCheckKeys{
    CheckKey{ini::kCBRouters, &C::CB_Routers},
    CheckKey{ini::kCBRepeaters, &C::CB_Repeaters},
    CheckKey{ini::kCBDropLines, &C::CB_DropLines},
    CheckKey{ini::kCVeskManual, &C::CB_CVeskManual},
};

constexpr std::array kRadioKeys{
    RadioKey{ini::kRB_Main, &C::RB_Main},
    RadioKey{ini::kRB_Baud, &C::RB_Baud},
    RadioKey{ini::kVesk1, &C::RB_Vesk1},
    RadioKey{ini::kVesk3, &C::RB_Vesk3},
};

template <typename T> const T* FindKey(std::span<const T> keys, std::string_view key) {
    for (const T& k : keys) {
        if (text::SameName(k.key, key))
            return &k;
    }
    return nullptr;
}

template <std::size_t N>
int IndexOfName(const std::array<std::string_view, N>& names, std::string_view value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == value)
            return static_cast<int>(i);
    }
    return -1;
}

template <std::size_t N> std::string NameList(const std::array<std::string_view, N>& names) {
    std::string list;
    for (std::string_view name : names)
        list += "\n  " + std::string(name);
    return list;
}

std::optional<Field> FieldNamed(std::string_view key) {
    for (Field field : kAllFields) {
        if (text::SameName(RowOf(field).key, key))
            return field;
    }
    return std::nullopt;
}

// Project, then the inputs `typeable` lets through, then the rest.
std::string KeyList(const std::function<bool(const WhatIfInput&)>& typeable) {
    std::string list(ini::kProject);
    const auto add = [&list](std::string_view key) { list += ", " + std::string(key); };
    for (const WhatIfInput& input : WhatIfInputs()) {
        if (typeable(input))
            add(RowOf(input.field).key);
    }
    for (const CheckKey& k : kCheckKeys)
        add(k.key);
    for (const RadioKey& k : kRadioKeys)
        add(k.key);
    add(ini::kRouterType);
    add(ini::kRepeaterType);
    return list;
}

} // namespace

Result ValidateSet(std::string_view key, std::string_view value) {
    const std::string prefix = "--set " + std::string(key) + ": ";
    // A field is judged when it is set, in the window's state then.
    if (text::SameName(key, ini::kProject) || FieldNamed(key))
        return {};
    if (FindKey<CheckKey>(kCheckKeys, key) || FindKey<RadioKey>(kRadioKeys, key)) {
        if (value == "0" || value == "1")
            return {};
        return Result::BadArgument(prefix +
                                   "the value must be 1 (ticked or selected) or 0, not \"" +
                                   std::string(value) + "\"");
    }
    if (text::SameName(key, ini::kRouterType)) {
        if (IndexOfName(RouterTypes, value) >= 0)
            return {};
        return Result::BadArgument(prefix + "unknown router type \"" + std::string(value) +
                                   "\"; the router types are:" + NameList(RouterTypes));
    }
    if (text::SameName(key, ini::kRepeaterType)) {
        if (IndexOfName(RepeaterTypes, value) >= 0)
            return {};
        return Result::BadArgument(prefix + "unknown repeater type \"" + std::string(value) +
                                   "\"; the repeater types are:" + NameList(RepeaterTypes));
    }
    return Result::BadArgument(
        "--set: unknown key \"" + std::string(key) +
        "\"; the keys are: " + KeyList([](const WhatIfInput&) { return true; }) +
        " (an input only while the project's state lets a user type into it)");
}

Result ApplySet(TMasterForm& form, std::string_view key, std::string_view value) {
    if (const std::optional<Field> field = FieldNamed(key)) {
        // Results and the router correction time are computed: what is
        // typed there would only show until the next calculation.
        const WhatIfInput* input = FindWhatIfInput(*field);
        if (!input || !UserCanType(form, *input))
            return Result::BadArgument(
                "--set " + std::string(key) + ": " + std::string(RowOf(*field).key) +
                " is not a field a user can type into now; keys that can be set now: " +
                KeyList([&form](const WhatIfInput& i) { return UserCanType(form, i); }));
        EditField& edit = form.EditFor(*field);
        edit.Enter();
        edit.SetText(std::string(value));
    } else if (text::SameName(key, ini::kProject)) {
        form.Ed_Project.Enter();
        form.Ed_Project.SetText(std::string(value));
    } else if (const CheckKey* c = FindKey<CheckKey>(kCheckKeys, key)) {
        (form.*c->box).SetChecked(value == "1");
    } else if (const RadioKey* r = FindKey<RadioKey>(kRadioKeys, key)) {
        (form.*r->button).SetChecked(value == "1");
    } else if (text::SameName(key, ini::kRouterType)) {
        form.CB_RouterType.UserSelect(IndexOfName(RouterTypes, value));
    } else if (text::SameName(key, ini::kRepeaterType)) {
        form.CB_RepeaterType.UserSelect(IndexOfName(RepeaterTypes, value));
    }
    return {};
}

} // namespace qntcalc::cli
