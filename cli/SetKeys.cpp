#include "cli/SetKeys.h"

#include "app/MasterForm.h"
#include "engine/RateModel.h"
#include "project/ProjectKeys.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <span>

namespace qntcalc::cli {

namespace {

using C = MasterFormControls;

struct EditKey {
    std::string_view key;
    EditField C::*edit;
};

struct CheckKey {
    std::string_view key;
    CheckBox C::*box;
};

struct RadioKey {
    std::string_view key;
    RadioButton C::*button;
};

// The keys of the project file's Settings section that a user can change.
constexpr std::array kEditKeys{
    EditKey{ini::kProject, &C::Ed_Project},
    EditKey{ini::kMainpath, &C::Ed_Mainpath},
    EditKey{ini::kMainBaud, &C::Ed_MainBaud},
    EditKey{ini::kDropMax, &C::Ed_DropMax},
    EditKey{ini::kDropTot, &C::Ed_DropTot},
    EditKey{ini::kNumRouters, &C::Ed_NumRouters},
    EditKey{ini::kRouterCorr, &C::Ed_RouterCorr},
    EditKey{ini::kLongSeg, &C::Ed_LongSeg},
    EditKey{ini::kMDSeg, &C::Ed_MDSeg},
    EditKey{ini::kNumRepeater, &C::Ed_NumRepeater},
    EditKey{ini::kLRepeater, &C::Ed_LRepeater},
    EditKey{ini::kLoadFact, &C::Ed_LoadFact},
    EditKey{ini::kNumIOD, &C::Ed_NumIOD},
    EditKey{ini::kNumVesk, &C::Ed_NumVesk},
    EditKey{ini::kNumInp, &C::Ed_NumInp},
    EditKey{ini::kNumInpCycl, &C::Ed_NumInpCycl},
    EditKey{ini::kInpCycl, &C::Ed_InpCycl},
    EditKey{ini::kNumOut, &C::Ed_NumOut},
    EditKey{ini::kNumOutCycl, &C::Ed_NumOutCycl},
    EditKey{ini::kOutCycl, &C::Ed_OutCycl},
    EditKey{ini::kBaud, &C::Ed_Baud},
    EditKey{ini::kBaudLong, &C::Ed_BaudLong},
    EditKey{ini::kRouterCorrRes, &C::Ed_RouterCorrRes},
    EditKey{ini::kETO, &C::Ed_ETO},
    EditKey{ini::kCTO, &C::Ed_CTO},
    EditKey{ini::kRmax, &C::Ed_Rmax},
    EditKey{ini::kAlarm, &C::Ed_Alarm},
    EditKey{ini::kCVesk, &C::Ed_CVesk},
};

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

// Names match without regard to case, as in the project file.
bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

template <typename T> const T* FindKey(std::span<const T> keys, std::string_view key) {
    for (const T& k : keys) {
        if (SameName(k.key, key))
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

std::string AllKeys() {
    std::string list;
    const auto add = [&list](std::string_view key) {
        list += list.empty() ? "" : ", ";
        list += key;
    };
    for (const EditKey& k : kEditKeys)
        add(k.key);
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
    if (FindKey<EditKey>(kEditKeys, key))
        return {};
    if (FindKey<CheckKey>(kCheckKeys, key) || FindKey<RadioKey>(kRadioKeys, key)) {
        if (value == "0" || value == "1")
            return {};
        return Result::BadArgument(prefix +
                                   "the value must be 1 (ticked or selected) or 0, not \"" +
                                   std::string(value) + "\"");
    }
    if (SameName(key, ini::kRouterType)) {
        if (IndexOfName(RouterTypes, value) >= 0)
            return {};
        return Result::BadArgument(prefix + "unknown router type \"" + std::string(value) +
                                   "\"; the router types are:" + NameList(RouterTypes));
    }
    if (SameName(key, ini::kRepeaterType)) {
        if (IndexOfName(RepeaterTypes, value) >= 0)
            return {};
        return Result::BadArgument(prefix + "unknown repeater type \"" + std::string(value) +
                                   "\"; the repeater types are:" + NameList(RepeaterTypes));
    }
    return Result::BadArgument("--set: unknown key \"" + std::string(key) +
                               "\"; the keys are: " + AllKeys());
}

void ApplySet(TMasterForm& form, std::string_view key, std::string_view value) {
    if (const EditKey* k = FindKey<EditKey>(kEditKeys, key)) {
        EditField& edit = form.*k->edit;
        edit.Enter();
        edit.SetText(std::string(value));
    } else if (const CheckKey* c = FindKey<CheckKey>(kCheckKeys, key)) {
        (form.*c->box).SetChecked(value == "1");
    } else if (const RadioKey* r = FindKey<RadioKey>(kRadioKeys, key)) {
        (form.*r->button).SetChecked(value == "1");
    } else if (SameName(key, ini::kRouterType)) {
        form.CB_RouterType.UserSelect(IndexOfName(RouterTypes, value));
    } else if (SameName(key, ini::kRepeaterType)) {
        form.CB_RepeaterType.UserSelect(IndexOfName(RepeaterTypes, value));
    }
}

} // namespace qntcalc::cli
