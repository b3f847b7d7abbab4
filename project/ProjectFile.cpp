#include "project/ProjectFile.h"

#include "app/MasterForm.h"
#include "engine/Int32.h"
#include "engine/RateModel.h"
#include "project/ProjectKeys.h"
#include "project/ProjectTexts.h"

#include <array>
#include <span>

namespace qntcalc {

namespace {

using namespace ini;

struct TextKey {
    std::string_view key;
    EditField MasterFormControls::*edit;
    std::string_view fallback;
};

using C = MasterFormControls;

// Read defaults differ from the window's start texts on purpose: a missing
// key means an old or hand-made file, not a new window.
constexpr std::array kStructureTexts{
    TextKey{kDropMax, &C::Ed_DropMax, "0"},
    TextKey{kDropTot, &C::Ed_DropTot, "0"},
    TextKey{kNumRouters, &C::Ed_NumRouters, "0"},
};
constexpr std::array kRouterTexts{
    TextKey{kRouterCorr, &C::Ed_RouterCorr, "0"},
    TextKey{kLongSeg, &C::Ed_LongSeg, "0"},
    TextKey{kMDSeg, &C::Ed_MDSeg, "0"},
    TextKey{kNumRepeater, &C::Ed_NumRepeater, "0"},
};
constexpr std::array kDeviceTexts{
    TextKey{kLRepeater, &C::Ed_LRepeater, "0"},
    TextKey{kLoadFact, &C::Ed_LoadFact, "5"},
    TextKey{kNumIOD, &C::Ed_NumIOD, "2"},
};
constexpr std::array kIoTexts{
    TextKey{kNumInp, &C::Ed_NumInp, "16"},        TextKey{kNumInpCycl, &C::Ed_NumInpCycl, "0"},
    TextKey{kInpCycl, &C::Ed_InpCycl, "100"},     TextKey{kNumOut, &C::Ed_NumOut, "16"},
    TextKey{kNumOutCycl, &C::Ed_NumOutCycl, "0"}, TextKey{kOutCycl, &C::Ed_OutCycl, "100"},
};
constexpr std::array kResultTexts{
    TextKey{kBaud, &C::Ed_Baud, ""},
    TextKey{kBaudLong, &C::Ed_BaudLong, ""},
    TextKey{kRouterCorrRes, &C::Ed_RouterCorrRes, ""},
    TextKey{kETO, &C::Ed_ETO, ""},
    TextKey{kCTO, &C::Ed_CTO, ""},
    TextKey{kRmax, &C::Ed_Rmax, ""},
    TextKey{kAlarm, &C::Ed_Alarm, ""},
    TextKey{kCVesk, &C::Ed_CVesk, ""},
};

void ReadTexts(TMasterForm& form, const IniFile& ini, std::span<const TextKey> keys) {
    for (const TextKey& k : keys)
        (form.*k.edit).SetText(ini.ReadString(kSettings, k.key, k.fallback));
}

void WriteTexts(const TMasterForm& form, IniFile& ini, std::span<const TextKey> keys) {
    for (const TextKey& k : keys)
        ini.WriteString(kSettings, k.key, (form.*k.edit).Text());
}

// The name decides, compared exactly; an unknown name leaves index 0.
template <std::size_t N>
void ReadType(ComboBox& combo, const IniFile& ini, std::string_view key,
              const std::array<std::string_view, N>& names) {
    combo.SetItemIndex(0);
    const std::string name = ini.ReadString(kSettings, key, names[0]);
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == name) {
            combo.SetItemIndex(static_cast<int>(i));
            break;
        }
    }
}

// Older files count controllers per CPU kind. Both counts are added: the
// controllers of both kinds are devices on the bus, and counting one kind
// only would give optimistic timing.
void ConvertControllerCounts(TMasterForm& form, IniFile& ini) {
    const int32_t cpu12 = i32::ParseOr(ini.ReadString(kSettings, kNumVesk1, "1"), 0);
    const int32_t cpu3 = i32::ParseOr(ini.ReadString(kSettings, kNumVesk3, "0"), 0);
    form.Ed_NumVesk.SetText(i32::ToText(i32::Add(cpu12, cpu3)));

    if (i32::ParseOr(ini.ReadString(kSettings, kNumVesk3, "0"), 0) > 0)
        form.RB_Vesk3.SetChecked(true);
    else
        form.RB_Vesk1.SetChecked(true);

    ini.WriteString(kSettings, kNumVesk, form.Ed_NumVesk.Text());
    ini.WriteBool(kSettings, kVesk1, form.RB_Vesk1.Checked());
    ini.WriteBool(kSettings, kVesk3, form.RB_Vesk3.Checked());
    ini.DeleteKey(kSettings, kNumVesk1);
    ini.DeleteKey(kSettings, kNumVesk3);
}

} // namespace

FileResult CheckProject(const IniFile& ini) {
    if (!ini.Opened().Ok())
        return ini.Opened();
    // One pass over the section, however large the file; names match
    // without regard to letter case, as on reading.
    for (const std::string& key : ini.Keys(kSettings)) {
        for (std::string_view known : kSettingsKeys) {
            if (IniFile::SameName(key, known))
                return {};
        }
    }
    return {FileResult::Failure::NotAProject, ini.path(), std::string(texts::kNotAProject)};
}

void ReadSettingsFromFile(TMasterForm& form, IniFile& ini) {
    form.Expert.SetChecked(ini.ReadBool(kMode, kExpert, false));
    form.Standard.SetChecked(ini.ReadBool(kMode, kStandard, true));
    form.Baudratemode.SetChecked(ini.ReadBool(kMode, kBaudRateMode, false));

    form.Ed_Project.SetText(ini.ReadString(kSettings, kProject, "Empty Project"));
    form.Ed_Mainpath.SetText(ini.ReadString(kSettings, kMainpath, "100"));
    form.Ed_MainBaud.SetText(ini.ReadString(kSettings, kMainBaud, "500"));
    form.RB_Main.SetChecked(ini.ReadBool(kSettings, kRB_Main, true));
    form.RB_Baud.SetChecked(ini.ReadBool(kSettings, kRB_Baud, false));
    form.CB_Routers.SetChecked(ini.ReadBool(kSettings, kCBRouters, true));
    form.CB_Repeaters.SetChecked(ini.ReadBool(kSettings, kCBRepeaters, true));
    form.CB_DropLines.SetChecked(ini.ReadBool(kSettings, kCBDropLines, true));
    ReadTexts(form, ini, kStructureTexts);
    ReadType(form.CB_RouterType, ini, kRouterType, RouterTypes);
    ReadTexts(form, ini, kRouterTexts);
    ReadType(form.CB_RepeaterType, ini, kRepeaterType, RepeaterTypes);
    ReadTexts(form, ini, kDeviceTexts);

    if (ini.ValueExists(kSettings, kNumVesk)) {
        form.Ed_NumVesk.SetText(ini.ReadString(kSettings, kNumVesk, "1"));
        form.RB_Vesk1.SetChecked(ini.ReadBool(kSettings, kVesk1, true));
        form.RB_Vesk3.SetChecked(ini.ReadBool(kSettings, kVesk3, false));
    } else {
        ConvertControllerCounts(form, ini);
    }

    ReadTexts(form, ini, kIoTexts);
    ReadTexts(form, ini, kResultTexts);
    form.CB_CVeskManual.SetChecked(ini.ReadBool(kSettings, kCVeskManual, false));
    form.PageControl1.SetActivePageIndex(ini.ReadInteger(kMode, kPageSelect, 0));
    form.Recalculate();
}

void WriteSettingsToFile(const TMasterForm& form, const Globals& globals, IniFile& ini) {
    ini.WriteString(kSettings, kProject, form.Ed_Project.Text());
    ini.WriteString(kSettings, kMainpath, form.Ed_Mainpath.Text());
    ini.WriteString(kSettings, kMainBaud, form.Ed_MainBaud.Text());
    ini.WriteBool(kSettings, kRB_Main, form.RB_Main.Checked());
    ini.WriteBool(kSettings, kRB_Baud, form.RB_Baud.Checked());
    ini.WriteBool(kSettings, kCBRouters, form.CB_Routers.Checked());
    ini.WriteBool(kSettings, kCBRepeaters, form.CB_Repeaters.Checked());
    ini.WriteBool(kSettings, kCBDropLines, form.CB_DropLines.Checked());
    WriteTexts(form, ini, kStructureTexts);
    ini.WriteString(kSettings, kRouterType, form.CB_RouterType.Text());
    ini.WriteInteger(kSettings, kRouterTypeIdx, form.CB_RouterType.ItemIndex());
    WriteTexts(form, ini, kRouterTexts);
    ini.WriteString(kSettings, kRepeaterType, form.CB_RepeaterType.Text());
    ini.WriteInteger(kSettings, kRepeaterTypeIdx, form.CB_RepeaterType.ItemIndex());
    WriteTexts(form, ini, kDeviceTexts);
    ini.WriteString(kSettings, kNumVesk, form.Ed_NumVesk.Text());
    ini.WriteBool(kSettings, kVesk1, form.RB_Vesk1.Checked());
    ini.WriteBool(kSettings, kVesk3, form.RB_Vesk3.Checked());
    WriteTexts(form, ini, kIoTexts);
    WriteTexts(form, ini, kResultTexts);
    ini.WriteBool(kSettings, kCVeskManual, form.CB_CVeskManual.Checked());
    ini.WriteBool(kMode, kExpert, form.Expert.Checked());
    ini.WriteBool(kMode, kStandard, form.Standard.Checked());
    ini.WriteBool(kMode, kBaudRateMode, form.Baudratemode.Checked());
    ini.WriteInteger(kMode, kPageSelect, form.PageControl1.ActivePageIndex());
    ini.WriteString(kAbout, kProgram, globals.ProgramName);
    ini.WriteString(kAbout, kVersion, globals.ProgramVersion);
}

void ReadSettingsFromFile(TMasterForm& form, const std::string& path) {
    IniFile ini(path);
    ReadSettingsFromFile(form, ini);
}

std::string WriteSettingsToFile(const TMasterForm& form, const Globals& globals,
                                const std::string& path) {
    IniFile ini(path);
    {
        // One atomic replacement: a failure leaves the whole old project.
        IniFile::Batch batch(ini);
        WriteSettingsToFile(form, globals, ini);
    }
    return ini.error();
}

} // namespace qntcalc
