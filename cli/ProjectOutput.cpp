#include "cli/ProjectOutput.h"

#include "cli/CliTexts.h"
#include "engine/CalcState.h"
#include "text/Strings.h"
#include "text/Units.h"
#include "window/FieldTable.h"

#include <sstream>

namespace qntcalc::cli {

namespace {

std::string_view SeverityName(Severity severity) {
    return severity == Severity::Info ? "info" : "error";
}

nlohmann::ordered_json Message(const StatusMessage& message) {
    return {{"severity", SeverityName(message.severity)}, {"text", message.text}};
}

// A result in its column.
std::string Line(std::string_view label, const std::string& value) {
    std::string line = "  " + std::string(label);
    line.resize(std::max<std::size_t>(line.size(), 28), ' ');
    return line + value + "\n";
}

} // namespace

std::optional<std::string> ModeName(const TMasterForm& form) {
    if (form.Standard.Checked())
        return "Standard";
    if (form.Expert.Checked())
        return "Expert";
    if (form.Baudratemode.Checked())
        return "BaudRateMode";
    return std::nullopt;
}

std::string ReportHeading(const TMasterForm& form, const std::optional<std::string>& file) {
    const std::optional<std::string> mode = ModeName(form);
    return text::Format(texts::kReportProject,
                        {form.Ed_Project.Text(), file.value_or(std::string(texts::kNewProject))}) +
           "\n  " + text::Format(texts::kReportMode, {mode ? *mode : texts::kReportNoMode}) + "\n";
}

std::string TextReport(const LoadedProject& loaded, const std::optional<std::string>& file) {
    const TMasterForm& f = loaded.Form();
    std::ostringstream out;
    out << ReportHeading(f, file);
    const auto field = [&f](Field shown, std::string_view label, InputUnit unit,
                            std::string_view pattern = "%1") {
        return Line(label.empty() ? RowOf(shown).label : label,
                    text::Format(pattern, {WithUnit(f.EditFor(shown).Text(), unit)}));
    };
    constexpr InputUnit kRate = InputUnit::KBitsPerSecond;
    constexpr InputUnit kMs = InputUnit::Milliseconds;
    out << field(Field::Baud, {}, kRate);
    if (!f.Baudratemode.Checked()) {
        out << field(Field::BaudLong, "Longest segment rate", kRate);
        out << field(Field::RouterCorrRes, {}, kMs);
        out << field(Field::ETO, "Event timeout (ETO)", kMs);
        out << field(Field::CTO, "Cycle timeout (CTO)", kMs);
        out << field(Field::Rmax, {}, kMs);
        out << field(Field::Alarm, {}, kMs);
        out << field(Field::CVesk, {}, kMs,
                     f.CB_CVeskManual.Checked() ? texts::kReportEntered : "%1");
    }
    const int passes = f.Calc().LastPassCount();
    out << Line("Stable", text::Format(passes == 1 ? texts::kReportOnePass : texts::kReportPasses,
                                       {f.State().Stable ? texts::kReportYes : texts::kReportNo,
                                        std::to_string(passes)}));
    const std::string& status = f.SB_Status.PanelText(1);
    out << "  "
        << text::Format(
               texts::kReportStatus,
               {loaded.EndsWithError() ? text::Format(texts::kReportError, {status}) : status})
        << "\n";
    for (const StatusMessage& message : f.LastMessages()) {
        if (message.severity == Severity::Error)
            out << "    " << text::Format(texts::kReportErrorMessage, {message.text}) << "\n";
    }
    return out.str();
}

nlohmann::ordered_json JsonReport(const LoadedProject& loaded,
                                  const std::optional<std::string>& file) {
    return JsonReport(loaded.Form(), loaded.ValueErrors(), file);
}

nlohmann::ordered_json JsonReport(const TMasterForm& f, const std::vector<std::string>& valueErrors,
                                  const std::optional<std::string>& file) {
    nlohmann::ordered_json j;
    j["file"] = file ? nlohmann::ordered_json(*file) : nlohmann::ordered_json(nullptr);
    j.update(JsonState(f, valueErrors));
    j["fields"]["Project"] = f.Ed_Project.Text();
    return j;
}

nlohmann::ordered_json JsonState(const TMasterForm& f,
                                 const std::vector<std::string>& valueErrors) {
    nlohmann::ordered_json j;
    const auto mode = ModeName(f);
    j["mode"] = mode ? nlohmann::ordered_json(*mode) : nlohmann::ordered_json(nullptr);

    nlohmann::ordered_json fields;
    for (Field field : kAllFields)
        fields[std::string(RowOf(field).key)] = f.EditFor(field).Text();
    j["fields"] = fields;

    j["selections"] = {
        {"RouterType", f.CB_RouterType.Text()},    {"RepeaterType", f.CB_RepeaterType.Text()},
        {"RB_Main", f.RB_Main.Checked()},          {"RB_Baud", f.RB_Baud.Checked()},
        {"CBRouters", f.CB_Routers.Checked()},     {"CBRepeaters", f.CB_Repeaters.Checked()},
        {"CBDropLines", f.CB_DropLines.Checked()}, {"Vesk1", f.RB_Vesk1.Checked()},
        {"Vesk3", f.RB_Vesk3.Checked()},           {"CVeskManual", f.CB_CVeskManual.Checked()}};
    j["stable"] = f.State().Stable;
    j["passes"] = f.Calc().LastPassCount();
    j["numMessages"] = f.State().NumMessages;

    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    for (const StatusMessage& message : f.LastMessages())
        messages.push_back(Message(message));
    j["messages"] = messages;
    j["status"] = {{"severity", f.SB_Status.Colour() == StatusColour::Red ? "error" : "info"},
                   {"text", f.SB_Status.PanelText(1)}};
    j["indicator"] = {{"position", f.BAR_Reaction.Position()},
                      {"maximum", f.BAR_Reaction.Maximum()},
                      {"hint", f.BAR_Reaction.Hint()},
                      {"panel", f.SB_Status.PanelText(0)}};

    nlohmann::ordered_json pages = nlohmann::ordered_json::array();
    for (int i = 0; i < f.PageControl1.PageCount(); ++i) {
        if (f.PageControl1.TabVisible(i))
            pages.push_back(f.PageControl1.Pages()[static_cast<std::size_t>(i)].name);
    }
    j["pages"] = pages;
    const int active = f.PageControl1.ActivePageIndex();
    j["activePage"] =
        active >= 0
            ? nlohmann::ordered_json(f.PageControl1.Pages()[static_cast<std::size_t>(active)].name)
            : nlohmann::ordered_json(nullptr);
    j["valueErrors"] = valueErrors;
    return j;
}

std::string JsonText(const nlohmann::ordered_json& value) {
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string JsonLine(const nlohmann::ordered_json& object) {
    return JsonText(object) + "\n";
}

} // namespace qntcalc::cli
