#include "project/ProjectFile.h"

#include "engine/Int32.h"
#include "engine/RateModel.h"
#include "fileio/FileIo.h"
#include "project/ProjectKeys.h"
#include "project/ProjectTexts.h"
#include "text/Strings.h"
#include "window/FieldTable.h"
#include "window/MasterForm.h"

#include <array>
#include <optional>
#include <span>

namespace qntcalc {

namespace {

using namespace ini;

// Read defaults differ from the window's start texts on purpose: a missing
// key means an old or hand-made file, not a new window.
void ReadField(TMasterForm& form, const IniFile& ini, const FieldRow& row) {
    (form.*row.edit).SetText(ini.ReadString(kSettings, row.key, row.readDefault));
}

// `later` is read by the caller once the control that decides whether its
// handler keeps the value has been read.
void ReadFields(TMasterForm& form, const IniFile& ini, FileGroup group,
                std::optional<Field> later = {}) {
    for (const FieldRow& row : kFieldRows) {
        if (row.group == group && row.field != later)
            ReadField(form, ini, row);
    }
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

void WriteFields(const TMasterForm& form, Writes& out, FileGroup group) {
    for (const FieldRow& row : kFieldRows) {
        if (row.group == group)
            out.String(kSettings, row.key, (form.*row.edit).Text());
    }
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
    const FieldRow& numVesk = RowOf(Field::NumVesk);
    EditField& count = form.*numVesk.edit;
    const int32_t cpu12 = i32::ParseOr(ini.ReadString(kSettings, kNumVesk1, "1"), 0);
    const int32_t cpu3 = i32::ParseOr(ini.ReadString(kSettings, kNumVesk3, "0"), 0);
    count.SetText(i32::ToText(i32::Add(cpu12, cpu3)));

    if (i32::ParseOr(ini.ReadString(kSettings, kNumVesk3, "0"), 0) > 0)
        form.RB_Vesk3.SetChecked(true);
    else
        form.RB_Vesk1.SetChecked(true);

    Writes out(ini);
    out.String(kSettings, numVesk.key, count.Text());
    out.Bool(kSettings, kVesk1, form.RB_Vesk1.Checked());
    out.Bool(kSettings, kVesk3, form.RB_Vesk3.Checked());
    out.Delete(kSettings, kNumVesk1);
    out.Delete(kSettings, kNumVesk3);
    return out.First();
}

void WriteAbout(const Globals& globals, Writes& out) {
    out.String(kAbout, kProgram, globals.ProgramName);
    out.String(kAbout, kVersion, globals.ProgramVersion);
}

// Missing, empty or below the least: none required.
std::optional<int32_t> ReadMs(const IniFile& ini, std::string_view key) {
    const int32_t ms = i32::ParseOr(ini.ReadString(kRequirements, key, ""), 0);
    return ms >= kLeastRequiredMs ? std::optional<int32_t>(ms) : std::nullopt;
}

// Keys in any letter case, blanks around them ignored; a key that names no
// input of the window is no input to keep.
KeptInputs ReadKept(const IniFile& ini) {
    KeptInputs kept;
    for (const std::string& key : text::Split(ini.ReadString(kRequirements, kKept, ""), ',')) {
        for (const FieldRow& row : kFieldRows) {
            if (row.group != FileGroup::Results && text::SameName(row.key, key))
                kept.Set(row.field, true);
        }
    }
    return kept;
}

Requirements ReadRequirements(const IniFile& ini) {
    return {ReadMs(ini, kRequiredRmax).value_or(kDefaultRequiredRmaxMs),
            ReadMs(ini, kRequiredEto), ReadMs(ini, kRequiredCto), ReadKept(ini)};
}

void WriteRequirements(const Requirements& required, Writes& out) {
    const auto ms = [](std::optional<int32_t> limit) {
        return limit ? i32::ToText(*limit) : std::string();
    };
    std::string kept;
    for (const FieldRow& row : kFieldRows) {
        if (required.kept.Has(row.field))
            kept += (kept.empty() ? "" : ",") + std::string(row.key);
    }
    out.Integer(kRequirements, kRequiredRmax, required.rmaxMs);
    out.String(kRequirements, kRequiredEto, ms(required.etoMs));
    out.String(kRequirements, kRequiredCto, ms(required.ctoMs));
    out.String(kRequirements, kKept, kept);
}

} // namespace

Result CheckProject(const IniFile& ini) {
    // One pass over the section, however large the file; names match
    // without regard to letter case, as on reading.
    for (const std::string& key : ini.Keys(kSettings)) {
        for (std::string_view known : kSettingsKeys) {
            if (text::SameName(key, known))
                return {};
        }
        for (const FieldRow& row : kFieldRows) {
            if (text::SameName(key, row.key))
                return {};
        }
    }
    return Result::Unsuitable(std::string(texts::kOpenVerb), ini.path(),
                              std::string(texts::kNotAProject));
}

Result OpenProject(const std::string& path, std::optional<IniFile>& ini, IniFile::Mode mode) {
    const Result opened = IniFile::Open(path, ini, mode);
    return opened.Ok() ? CheckProject(*ini) : opened;
}

Result ReadSettingsFromFile(TMasterForm& form, IniFile& ini) {
    // A project read is the window's own: nothing of the window before it
    // is given back when its mode ends.
    form.ForgetModeForcing();
    form.Expert.SetChecked(ini.ReadBool(kMode, kExpert, false));
    form.Standard.SetChecked(ini.ReadBool(kMode, kStandard, true));
    form.Baudratemode.SetChecked(ini.ReadBool(kMode, kBaudRateMode, false));

    form.Ed_Project.SetText(ini.ReadString(kSettings, kProject, "Empty Project"));
    // The rate source before the preselected rate, and later the tick before
    // the typed cycle time: until then their handlers throw the stored
    // values away, and a file would read back as the window held before.
    ReadFields(form, ini, FileGroup::Network, Field::MainBaud);
    form.RB_Main.SetChecked(ini.ReadBool(kSettings, kRB_Main, true));
    form.RB_Baud.SetChecked(ini.ReadBool(kSettings, kRB_Baud, false));
    ReadField(form, ini, RowOf(Field::MainBaud));
    form.CB_Routers.SetChecked(ini.ReadBool(kSettings, kCBRouters, true));
    form.CB_Repeaters.SetChecked(ini.ReadBool(kSettings, kCBRepeaters, true));
    form.CB_DropLines.SetChecked(ini.ReadBool(kSettings, kCBDropLines, true));
    ReadFields(form, ini, FileGroup::Structure);
    ReadType(form.CB_RouterType, ini, kRouterType, RouterTypes);
    ReadFields(form, ini, FileGroup::Routers);
    ReadType(form.CB_RepeaterType, ini, kRepeaterType, RepeaterTypes);
    ReadFields(form, ini, FileGroup::Devices);

    Result converted;
    if (ini.ValueExists(kSettings, RowOf(Field::NumVesk).key)) {
        ReadFields(form, ini, FileGroup::Controllers);
        form.RB_Vesk1.SetChecked(ini.ReadBool(kSettings, kVesk1, true));
        form.RB_Vesk3.SetChecked(ini.ReadBool(kSettings, kVesk3, false));
    } else {
        converted = ConvertControllerCounts(form, ini);
    }

    ReadFields(form, ini, FileGroup::InputsOutputs);
    ReadFields(form, ini, FileGroup::Results, Field::CVesk);
    form.CB_CVeskManual.SetChecked(ini.ReadBool(kSettings, kCVeskManual, false));
    ReadField(form, ini, RowOf(Field::CVesk));
    form.PageControl1.SetActivePageIndex(ini.ReadInteger(kMode, kPageSelect, 0));
    form.SetRequirements(ReadRequirements(ini));
    form.Recalculate();
    form.ForgetModeForcing();
    return converted;
}

Result WriteSettingsToFile(const TMasterForm& form, const Globals& globals, IniFile& ini) {
    Writes out(ini);
    out.String(kSettings, kProject, form.Ed_Project.Text());
    WriteFields(form, out, FileGroup::Network);
    out.Bool(kSettings, kRB_Main, form.RB_Main.Checked());
    out.Bool(kSettings, kRB_Baud, form.RB_Baud.Checked());
    out.Bool(kSettings, kCBRouters, form.CB_Routers.Checked());
    out.Bool(kSettings, kCBRepeaters, form.CB_Repeaters.Checked());
    out.Bool(kSettings, kCBDropLines, form.CB_DropLines.Checked());
    WriteFields(form, out, FileGroup::Structure);
    out.String(kSettings, kRouterType, form.CB_RouterType.Text());
    out.Integer(kSettings, kRouterTypeIdx, form.CB_RouterType.ItemIndex());
    WriteFields(form, out, FileGroup::Routers);
    out.String(kSettings, kRepeaterType, form.CB_RepeaterType.Text());
    out.Integer(kSettings, kRepeaterTypeIdx, form.CB_RepeaterType.ItemIndex());
    WriteFields(form, out, FileGroup::Devices);
    WriteFields(form, out, FileGroup::Controllers);
    out.Bool(kSettings, kVesk1, form.RB_Vesk1.Checked());
    out.Bool(kSettings, kVesk3, form.RB_Vesk3.Checked());
    WriteFields(form, out, FileGroup::InputsOutputs);
    WriteFields(form, out, FileGroup::Results);
    out.Bool(kSettings, kCVeskManual, form.CB_CVeskManual.Checked());
    out.Bool(kMode, kExpert, form.Expert.Checked());
    out.Bool(kMode, kStandard, form.Standard.Checked());
    out.Bool(kMode, kBaudRateMode, form.Baudratemode.Checked());
    out.Integer(kMode, kPageSelect, form.PageControl1.ActivePageIndex());
    WriteAbout(globals, out);
    WriteRequirements(form.Required(), out);
    return out.First();
}

Result WriteProjectToFile(const IniFile& project, const Globals& globals, IniFile& ini) {
    Writes out(ini);
    for (const std::string& section : project.Sections()) {
        for (const std::string& key : project.Keys(section))
            out.String(section, key, project.ReadString(section, key, {}));
    }
    WriteAbout(globals, out);
    return out.First();
}

Result ReadSettingsFromFile(TMasterForm& form, const std::string& path) {
    std::optional<IniFile> ini;
    const Result opened = IniFile::Open(path, ini);
    if (!ini) {
        // The window is filled all the same, as from an empty file.
        IniFile none = IniFile::FromBytes({});
        static_cast<void>(ReadSettingsFromFile(form, none));
        return opened;
    }
    return ReadSettingsFromFile(form, *ini);
}

Result CheckProjectTarget(const std::string& path) {
    std::string bytes;
    if (!fileio::ReadWholeFile(path, kMostProjectBytes, bytes).Ok() ||
        bytes.find_first_not_of(" \t\r\n") == std::string::npos)
        return {};
    if (CheckProject(IniFile::FromBytes(bytes, path)).Ok())
        return {};
    return Result::Unsuitable(std::string(texts::kWriteVerb), path,
                              std::string(texts::kHoldsNoProject));
}

Result WriteSettingsToFile(const TMasterForm& form, const Globals& globals,
                           const std::string& path) {
    if (Result refused = CheckProjectTarget(path); !refused.Ok())
        return refused;
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
