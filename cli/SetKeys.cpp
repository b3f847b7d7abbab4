#include "cli/SetKeys.h"

#include "cli/CliTexts.h"
#include "engine/RateModel.h"
#include "fileio/FileIo.h"
#include "fileio/IniFile.h"
#include "project/ProjectFile.h"
#include "project/ProjectKeys.h"
#include "text/Strings.h"
#include "whatif/WhatIf.h"
#include "window/FieldTable.h"
#include "window/MasterForm.h"

#include <array>
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
    std::string_view other; // the other button of its pair
};

struct ListKey {
    std::string_view key;
    ComboBox C::*list;
    std::span<const std::string_view> names;
    std::string_view unknown; // a name not in the list: --set KEY=VALUE refused
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
    RadioKey{ini::kRB_Main, &C::RB_Main, ini::kRB_Baud},
    RadioKey{ini::kRB_Baud, &C::RB_Baud, ini::kRB_Main},
    RadioKey{ini::kVesk1, &C::RB_Vesk1, ini::kVesk3},
    RadioKey{ini::kVesk3, &C::RB_Vesk3, ini::kVesk1},
};

constexpr std::array kListKeys{
    ListKey{ini::kRouterType, &C::CB_RouterType, RouterTypes, texts::kSetUnknownRouterType},
    ListKey{ini::kRepeaterType, &C::CB_RepeaterType, RepeaterTypes, texts::kSetUnknownRepeaterType},
};

template <typename T> const T* FindKey(std::span<const T> keys, std::string_view key) {
    for (const T& k : keys) {
        if (text::SameName(k.key, key))
            return &k;
    }
    return nullptr;
}

int IndexOfName(std::span<const std::string_view> names, std::string_view value) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == value)
            return static_cast<int>(i);
    }
    return -1;
}

std::string NameList(std::span<const std::string_view> names) {
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

// Every key, or with a window only those a user can change in it now:
// Project, the inputs, the boxes, the buttons, the type lists.
std::string KeyList(const TMasterForm* form) {
    std::string list;
    const auto add = [&list](std::string_view key) {
        list += (list.empty() ? "" : ", ") + std::string(key);
    };
    const auto changeable = [form](auto member) {
        return !form || form->UserCanChange(form->*member);
    };
    if (changeable(&C::Ed_Project))
        add(ini::kProject);
    for (const WhatIfInput& input : WhatIfInputs()) {
        if (!form || UserCanType(*form, input))
            add(RowOf(input.field).key);
    }
    for (const CheckKey& k : kCheckKeys) {
        if (changeable(k.box))
            add(k.key);
    }
    for (const RadioKey& k : kRadioKeys) {
        if (changeable(k.button))
            add(k.key);
    }
    for (const ListKey& k : kListKeys) {
        if (changeable(k.list))
            add(k.key);
    }
    return list.empty() ? std::string(texts::kSetNoKeys) : list;
}

// `pattern` names the control's kind: kSetBoxNotNow. `given` is the key as
// typed, where the pattern also names the key as the file spells it.
Result NotNow(std::string_view pattern, std::string_view key, const TMasterForm& form,
              std::string_view given = {}) {
    return Result::BadArgument(
        text::Format(pattern, {given.empty() ? key : given, key, KeyList(&form)}));
}

} // namespace

Result ValidateSet(std::string_view key, std::string_view value) {
    // A field is judged when it is set, in the window's state then.
    if (text::SameName(key, ini::kProject) || FieldNamed(key))
        return {};
    if (FindKey<CheckKey>(kCheckKeys, key) || FindKey<RadioKey>(kRadioKeys, key)) {
        if (value == "0" || value == "1")
            return {};
        return Result::BadArgument(text::Format(texts::kSetBoxValue, {key, value}));
    }
    if (const ListKey* l = FindKey<ListKey>(kListKeys, key)) {
        if (IndexOfName(l->names, value) >= 0)
            return {};
        return Result::BadArgument(
            text::Format(l->unknown, {key, value, "", "", NameList(l->names)}));
    }
    return Result::BadArgument(text::Format(texts::kSetUnknownKey, {key, "", KeyList(nullptr)}));
}

Result ApplySet(TMasterForm& form, std::string_view key, std::string_view value) {
    if (const std::optional<Field> field = FieldNamed(key)) {
        // Results are computed: what is typed there would only show until
        // the next calculation.
        const WhatIfInput* input = FindWhatIfInput(*field);
        if (!input || !UserCanType(form, *input))
            return NotNow(texts::kSetFieldNotNow, RowOf(*field).key, form, key);
        EditField& edit = form.EditFor(*field);
        edit.Enter();
        edit.SetText(std::string(value));
    } else if (text::SameName(key, ini::kProject)) {
        if (!form.UserCanChange(form.Ed_Project))
            return NotNow(texts::kSetProjectNotNow, ini::kProject, form);
        form.Ed_Project.Enter();
        form.Ed_Project.SetText(std::string(value));
    } else if (const CheckKey* c = FindKey<CheckKey>(kCheckKeys, key)) {
        CheckBox& box = form.*c->box;
        if (!form.UserCanChange(box))
            return NotNow(texts::kSetBoxNotNow, c->key, form);
        box.SetChecked(value == "1");
    } else if (const RadioKey* r = FindKey<RadioKey>(kRadioKeys, key)) {
        RadioButton& button = form.*r->button;
        if (!form.UserCanChange(button))
            return NotNow(texts::kSetButtonNotNow, r->key, form);
        // A click selects; only selecting the other clears a button.
        if (value == "0" && button.Checked())
            return Result::BadArgument(
                text::Format(texts::kSetButtonCleared, {r->key, "", "", r->other}));
        if (value == "1")
            button.SetChecked(true);
    } else if (const ListKey* l = FindKey<ListKey>(kListKeys, key)) {
        ComboBox& list = form.*l->list;
        if (!form.UserCanChange(list))
            return NotNow(texts::kSetListNotNow, l->key, form);
        list.UserSelect(IndexOfName(l->names, value));
    }
    return {};
}

Result CheckSaveTarget(const std::string& path, const std::optional<std::string>& file,
                       bool force) {
    if (Result refused = CheckProjectTarget(path); !refused.Ok())
        return refused;
    std::string bytes;
    const bool holdsOne = fileio::ReadWholeFile(path, kMostProjectBytes, bytes).Ok() &&
                          bytes.find_first_not_of(" \t\r\n") != std::string::npos;
    if (!holdsOne || force || (file && fileio::SameFile(path, *file)))
        return {};
    return Result::BadArgument(text::Format(texts::kSaveOverProject, {path}));
}

void ApplyMode(TMasterForm& form, const std::string& mode) {
    if (mode == "standard")
        form.Standard.Click();
    else if (mode == "expert")
        form.Expert.Click();
    else if (mode == "baud")
        form.Baudratemode.Click();
}

Result ApplySets(TMasterForm& form, const Options& options) {
    auto later = options.laterModes.begin();
    const auto modesBefore = [&](std::size_t set) {
        for (; later != options.laterModes.end() && later->first <= set; ++later)
            ApplyMode(form, later->second);
    };
    for (std::size_t i = 0; i < options.sets.size(); ++i) {
        modesBefore(i);
        const auto& [key, value] = options.sets[i];
        if (Result applied = ApplySet(form, key, value); !applied.Ok())
            return applied;
    }
    modesBefore(options.sets.size());
    return {};
}

} // namespace qntcalc::cli
