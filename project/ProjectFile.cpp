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

// The writes of one pass over a file. All are tried, as a batch writes all
// of them or none; the first failure is the one to report.
class Writes {
public:
    explicit Writes(IniFile& ini) : ini_(ini) {}

    void String(std::string_view section, std::string_view key, std::string_view value) {
        Keep(ini_.WriteString(section, key, value));
    }
    void Integer(std::string_view section, std::string_view key, int32_t value) {
        Keep(ini_.WriteInteger(section, key, value));
    }
    void Bool(std::string_view section, std::string_view key, bool value) {
        Keep(ini_.WriteBool(section, key, value));
    }
    void Delete(std::string_view section, std::string_view key) {
        Keep(ini_.DeleteKey(section, key));
    }
    Result First() const { return first_; }

private:
    void Keep(Result result) {
        if (first_.Ok())
            first_ = std::move(result);
    }

    IniFile& ini_;
    Result first_;
};

void WriteTexts(const TMasterForm& form, Writes& out, std::span<const TextKey> keys) {
    for (const TextKey& k : keys)
        out.String(kSettings, k.key, (form.*k.edit).Text());
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
Result ConvertControllerCounts(TMasterForm& form, IniFile& ini) {
    const int32_t cpu12 = i32::ParseOr(ini.ReadString(kSettings, kNumVesk1, "1"), 0);
    const int32_t cpu3 = i32::ParseOr(ini.ReadString(kSettings, kNumVesk3, "0"), 0);
    form.Ed_NumVesk.SetText(i32::ToText(i32::Add(cpu12, cpu3)));

    if (i32::ParseOr(ini.ReadString(kSettings, kNumVesk3, "0"), 0) > 0)
        form.RB_Vesk3.SetChecked(true);
    else
        form.RB_Vesk1.SetChecked(true);

    Writes out(ini);
    out.String(kSettings, kNumVesk, form.Ed_NumVesk.Text());
    out.Bool(kSettings, kVesk1, form.RB_Vesk1.Checked());
    out.Bool(kSettings, kVesk3, form.RB_Vesk3.Checked());
    out.Delete(kSettings, kNumVesk1);
    out.Delete(kSettings, kNumVesk3);
    return out.First();
}

} // namespace

Result CheckProject(const IniFile& ini) {
    // One pass over the section, however large the file; names match
    // without regard to letter case, as on reading.
    for (const std::string& key : ini.Keys(kSettings)) {
        for (std::string_view known : kSettingsKeys) {
            if (IniFile::SameName(key, known))
                return {};
        }
    }
    return {Result::Failure::NotAProject, ini.path(), std::string(texts::kNotAProject)};
}

Result OpenProject(const std::string& path, std::optional<IniFile>& ini, IniFile::Mode mode) {
    const Result opened = IniFile::Open(path, ini, mode);
    return opened.Ok() ? CheckProject(*ini) : opened;
}

Result ReadSettingsFromFile(TMasterForm& form, IniFile& ini) {
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

    Result converted;
    if (ini.ValueExists(kSettings, kNumVesk)) {
        form.Ed_NumVesk.SetText(ini.ReadString(kSettings, kNumVesk, "1"));
        form.RB_Vesk1.SetChecked(ini.ReadBool(kSettings, kVesk1, true));
        form.RB_Vesk3.SetChecked(ini.ReadBool(kSettings, kVesk3, false));
    } else {
        converted = ConvertControllerCounts(form, ini);
    }

    ReadTexts(form, ini, kIoTexts);
    ReadTexts(form, ini, kResultTexts);
    form.CB_CVeskManual.SetChecked(ini.ReadBool(kSettings, kCVeskManual, false));
    form.PageControl1.SetActivePageIndex(ini.ReadInteger(kMode, kPageSelect, 0));
    form.Recalculate();
    return converted;
}

Result WriteSettingsToFile(const TMasterForm& form, const Globals& globals, IniFile& ini) {
    Writes out(ini);
    out.String(kSettings, kProject, form.Ed_Project.Text());
    out.String(kSettings, kMainpath, form.Ed_Mainpath.Text());
    out.String(kSettings, kMainBaud, form.Ed_MainBaud.Text());
    out.Bool(kSettings, kRB_Main, form.RB_Main.Checked());
    out.Bool(kSettings, kRB_Baud, form.RB_Baud.Checked());
    out.Bool(kSettings, kCBRouters, form.CB_Routers.Checked());
    out.Bool(kSettings, kCBRepeaters, form.CB_Repeaters.Checked());
    out.Bool(kSettings, kCBDropLines, form.CB_DropLines.Checked());
    WriteTexts(form, out, kStructureTexts);
    out.String(kSettings, kRouterType, form.CB_RouterType.Text());
    out.Integer(kSettings, kRouterTypeIdx, form.CB_RouterType.ItemIndex());
    WriteTexts(form, out, kRouterTexts);
    out.String(kSettings, kRepeaterType, form.CB_RepeaterType.Text());
    out.Integer(kSettings, kRepeaterTypeIdx, form.CB_RepeaterType.ItemIndex());
    WriteTexts(form, out, kDeviceTexts);
    out.String(kSettings, kNumVesk, form.Ed_NumVesk.Text());
    out.Bool(kSettings, kVesk1, form.RB_Vesk1.Checked());
    out.Bool(kSettings, kVesk3, form.RB_Vesk3.Checked());
    WriteTexts(form, out, kIoTexts);
    WriteTexts(form, out, kResultTexts);
    out.Bool(kSettings, kCVeskManual, form.CB_CVeskManual.Checked());
    out.Bool(kMode, kExpert, form.Expert.Checked());
    out.Bool(kMode, kStandard, form.Standard.Checked());
    out.Bool(kMode, kBaudRateMode, form.Baudratemode.Checked());
    out.Integer(kMode, kPageSelect, form.PageControl1.ActivePageIndex());
    out.String(kAbout, kProgram, globals.ProgramName);
    out.String(kAbout, kVersion, globals.ProgramVersion);
    return out.First();
}

Result ReadSettingsFromFile(TMasterForm& form, const std::string& path) {
    std::optional<IniFile> ini;
    if (Result opened = IniFile::OpenToWrite(path, ini); !opened.Ok()) {
        // The window is filled all the same, as from an empty file.
        IniFile none = IniFile::FromBytes({});
        static_cast<void>(ReadSettingsFromFile(form, none));
        return opened;
    }
    return ReadSettingsFromFile(form, *ini);
}

Result WriteSettingsToFile(const TMasterForm& form, const Globals& globals,
                           const std::string& path) {
    std::optional<IniFile> ini;
    if (Result opened = IniFile::OpenToWrite(path, ini); !opened.Ok())
        return opened;
    // One atomic replacement: a failure leaves the whole old project.
    IniFile::Batch batch(*ini);
    const Result written = WriteSettingsToFile(form, globals, *ini);
    Result ended = batch.End();
    return written.Ok() ? ended : written;
}

} // namespace qntcalc
