#include "cli/WhatIfReport.h"

#include "app/Headroom.h"
#include "app/WhatIfCsv.h"
#include "app/WhatIfForm.h"
#include "cli/CliTexts.h"
#include "cli/ExitStatus.h"
#include "cli/Report.h"
#include "cli/WhatIfOptions.h"
#include "text/Strings.h"

#include <nlohmann/json.hpp>

namespace qntcalc::cli {

namespace {

nlohmann::ordered_json FileName(const std::optional<std::string>& file) {
    return file ? nlohmann::ordered_json(*file) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json JsonRow(const WhatIfPoint& point, const TMasterForm& shown,
                               const std::optional<std::string>& file) {
    nlohmann::ordered_json row;
    row["file"] = FileName(file);
    row["value"] = point.value;
    row["rejected"] = point.rejected;
    if (point.rejected) {
        row["valueErrors"] = point.valueErrors;
        return row;
    }
    // The report's own "file" lands on the first member, already there.
    row.update(JsonReport(shown, point.valueErrors, file));
    return row;
}

// A text table, one column per result, right-aligned under its heading.
class Table {
public:
    explicit Table(const WhatIfInput& input) {
        headings_ = {std::string(FieldName(input.field)) + std::string(UnitTag(input.unit)),
                     "Rate [kBits/s]",
                     "ETO [ms]",
                     "CTO [ms]",
                     "Rmax [ms]",
                     "Alarm [ms]",
                     "CVesk [ms]",
                     "Stable"};
    }

    std::string Heading() const {
        std::string line = "  ";
        for (const std::string& heading : headings_)
            line += heading + "  ";
        return line + "Status\n";
    }

    std::string Row(const WhatIfPoint& point) const {
        if (point.rejected)
            return Cell(0, std::to_string(point.value)) +
                   "  " + text::Format(texts::kSweepRejected, {text::Joined(point.valueErrors, "; ")}) +
                   "\n";
        const CalcState& s = point.state;
        const std::vector<std::string> cells{std::to_string(point.value), std::to_string(s.Baud),
                                             std::to_string(s.ETO),       std::to_string(s.CTO),
                                             std::to_string(s.Rmax),      std::to_string(s.Alarm),
                                             std::to_string(s.CVesk),     s.Stable ? "yes" : "NO"};
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i)
            line += Cell(i, cells[i]);
        return line + "  " + (point.statusError ? "ERROR: " : "") + point.status + "\n";
    }

private:
    std::string Cell(std::size_t column, const std::string& text) const {
        const std::size_t width = headings_[column].size() + 2;
        return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
    }

    std::vector<std::string> headings_;
};

// Refuses an input the project's state does not let a user type into.
Result CheckEditable(const WhatIf& whatIf, const WhatIfInput& input,
                     const std::optional<std::string>& file) {
    if (whatIf.Editable(input.field))
        return {};
    std::string editable;
    for (Field field : whatIf.EditableInputs())
        editable += (editable.empty() ? "" : ", ") + std::string(FieldName(field));
    return Result::BadArgument(
        file.value_or(std::string(texts::kNewProject)) + ": " + std::string(FieldName(input.field)) +
        " cannot be typed into in this project's current state; inputs that can: " +
        (editable.empty() ? "none" : editable));
}

// Says why the what-if cannot run: false when it can.
bool Refused(const Result& result, std::ostream& err) {
    if (result.Ok())
        return false;
    err << texts::kCliPrefix << result.Message() << '\n';
    return true;
}

std::string RequirementsText(const Requirements& required) {
    std::vector<std::string> parts{
        text::Format(texts::kRequiredRmax, {std::to_string(required.rmaxMs)})};
    if (required.etoMs)
        parts.push_back(text::Format(texts::kRequiredEto, {std::to_string(*required.etoMs)}));
    if (required.ctoMs)
        parts.push_back(text::Format(texts::kRequiredCto, {std::to_string(*required.ctoMs)}));
    return text::Joined(parts, texts::kRequiredSeparator);
}

} // namespace

int RunSweep(const Evaluation& evaluation, const Options& options,
             const std::optional<std::string>& file, std::ostream& out, std::ostream& err,
             bool& csvHeaderWritten) {
    const SweepSpec& sweep = *options.sweep;
    const WhatIfInput& input = *FindWhatIfInput(sweep.key);
    WhatIf whatIf(evaluation.Form());
    if (Refused(CheckEditable(whatIf, input, file), err))
        return kUsage;

    if (options.csv && !csvHeaderWritten) {
        out << WhatIfCsvHeader();
        csvHeaderWritten = true;
    }
    const Table table(input);
    if (!options.json && !options.csv)
        out << ReportHeading(evaluation.Form(), file) << table.Heading();
    const auto print = [&](const WhatIfPoint& point, const TMasterForm& shown) {
        if (options.json)
            out << JsonLine(JsonRow(point, shown, file));
        else if (options.csv)
            out << WhatIfCsvRow(point, file.value_or(""));
        else
            out << table.Row(point);
        return true;
    };
    if (Refused(whatIf.Sweep(input.field, sweep.from, sweep.to, sweep.step, print), err))
        return kUsage;
    return kSound;
}

int RunHeadroom(const Evaluation& evaluation, const Options& options,
                const std::optional<std::string>& file, std::ostream& out, std::ostream& err) {
    const WhatIfInput& input = *FindWhatIfInput(*options.headroomKey);
    WhatIf whatIf(evaluation.Form());
    if (Refused(CheckEditable(whatIf, input, file), err))
        return kUsage;

    const Requirements required{*options.requireRmaxMs, options.requireEtoMs, options.requireCtoMs};
    const int32_t current = whatIf.CurrentValue(input.field);
    // An upward input already past its practical limit is searched no further.
    const int32_t limit = options.headroomTo.value_or(
        input.searchDownwards ? input.practicalLimit : std::max(input.practicalLimit, current));
    if (const int64_t count = SweepValueCount(current, limit, 1); count > kMostWhatIfValues) {
        err << texts::kCliPrefix << file.value_or(std::string(texts::kNewProject)) << ": "
            << TooManyValues("--headroom", count) << " (from " << current << " to " << limit
            << "); give a nearer --to\n";
        return kUsage;
    }
    Headroom headroom;
    if (Refused(FindHeadroom(whatIf, input.field, required, limit, headroom), err))
        return kUsage;
    const std::string sentence = HeadroomSentence(headroom, required);

    if (options.json) {
        nlohmann::ordered_json j;
        j["file"] = FileName(file);
        j["key"] = FieldName(input.field);
        j["direction"] = headroom.direction == Direction::Up ? "up" : "down";
        j["current"] = headroom.current;
        j["last"] = headroom.last ? nlohmann::ordered_json(headroom.last->value) : nullptr;
        j["next"] = headroom.next ? nlohmann::ordered_json(headroom.next->value) : nullptr;
        j["cause"] = headroom.next ? nlohmann::ordered_json(
                                         ShortfallText(*headroom.next, required).value_or(""))
                                   : nullptr;
        j["rate"] = headroom.next && !headroom.next->rejected
                        ? nlohmann::ordered_json(headroom.next->state.Baud)
                        : nullptr;
        j["text"] = sentence;
        out << JsonLine(j);
    } else {
        out << ReportHeading(evaluation.Form(), file);
        out << "  "
            << text::Format(texts::kHeadroomSearched,
                            {FieldName(input.field), WithUnit(current, input.unit),
                             WithUnit(limit, input.unit)})
            << "\n";
        out << "  " << text::Format(texts::kHeadroomRequired, {RequirementsText(required)}) << "\n";
        out << "  " << sentence << "\n";
    }
    return headroom.MeetsNow() ? kSound : kFindings;
}

} // namespace qntcalc::cli
