#include "cli/WhatIfReport.h"

#include "base/ExitStatus.h"
#include "cli/CliTexts.h"
#include "cli/Report.h"
#include "cli/WhatIfOptions.h"
#include "text/Strings.h"
#include "whatif/Headroom.h"
#include "whatif/LimitsText.h"
#include "whatif/Requirements.h"
#include "whatif/WhatIfCsv.h"
#include "whatif/WhatIfForm.h"

#include <nlohmann/json.hpp>

namespace qntcalc::cli {

namespace {

nlohmann::ordered_json FileName(const std::optional<std::string>& file) {
    return file ? nlohmann::ordered_json(*file) : nlohmann::ordered_json(nullptr);
}

// The sweep's object up to the opening of its rows; the file and the
// project's name, which no value changes, are told here once.
std::string JsonSweepHead(const TMasterForm& form, const SweepSpec& sweep, const WhatIfInput& input,
                          const std::optional<std::string>& file) {
    nlohmann::ordered_json head;
    head["file"] = FileName(file);
    head["project"] = form.Ed_Project.Text();
    head["key"] = FieldName(input.field);
    head["from"] = sweep.from;
    head["to"] = sweep.to;
    head["step"] = sweep.step;
    std::string text = JsonText(head);
    text.back() = ','; // the closing brace
    return text + "\"rows\":[";
}

nlohmann::ordered_json JsonRow(const WhatIfPoint& point, const TMasterForm& shown) {
    nlohmann::ordered_json row;
    row["value"] = point.value;
    row["rejected"] = point.rejected;
    if (point.rejected) {
        row["valueErrors"] = point.valueErrors;
        return row;
    }
    row.update(JsonState(shown, point.valueErrors));
    return row;
}

// A text table, one column per result, right-aligned under its heading.
class Table {
public:
    explicit Table(const WhatIfInput& input) {
        headings_ = {std::string(FieldName(input.field)) + std::string(UnitTag(input.unit))};
        headings_.insert(headings_.end(), std::begin(texts::kSweepHeadings),
                         std::end(texts::kSweepHeadings));
    }

    std::string Heading() const {
        std::string line = "  ";
        for (const std::string& heading : headings_)
            line += heading + "  ";
        return line + std::string(texts::kSweepStatusHeading) + "\n";
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
                                             std::to_string(s.CVesk),     std::string(s.Stable ? texts::kReportYes : texts::kReportNo)};
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i)
            line += Cell(i, cells[i]);
        return line + "  " + std::string(point.statusError ? texts::kSweepErrorPrefix : "") +
               point.status + "\n";
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
    std::vector<std::string> editable;
    for (Field field : whatIf.EditableInputs())
        editable.emplace_back(FieldName(field));
    return Result::BadArgument(text::Format(
        texts::kNotTypeable,
        {file.value_or(std::string(texts::kNewProject)), FieldName(input.field),
         editable.empty() ? std::string(texts::kNoneTypeable) : text::Joined(editable, ", ")}));
}

// Prints why the what-if cannot run, if it cannot; true when it printed.
bool PrintRefusal(const Result& result, std::ostream& err) {
    if (result.Ok())
        return false;
    err << texts::kCliPrefix << result.Message() << '\n';
    return true;
}

// The members of one headroom, the same for --headroom and each input of
// --limits.
nlohmann::ordered_json JsonHeadroom(const Headroom& headroom, const Requirements& required,
                                    const std::optional<std::string>& file) {
    nlohmann::ordered_json j;
    j["file"] = FileName(file);
    j["key"] = FieldName(headroom.field);
    j["direction"] = headroom.direction == Direction::Up ? "up" : "down";
    j["current"] = headroom.current;
    j["last"] = headroom.last ? nlohmann::ordered_json(headroom.last->value) : nullptr;
    j["next"] = headroom.next ? nlohmann::ordered_json(headroom.next->value) : nullptr;
    j["cause"] = headroom.next
                     ? nlohmann::ordered_json(ShortfallText(*headroom.next, required).value_or(""))
                     : nullptr;
    j["rate"] = headroom.next && !headroom.next->rejected
                    ? nlohmann::ordered_json(headroom.next->state.Baud)
                    : nullptr;
    j["text"] = HeadroomSentence(headroom, required);
    return j;
}

template <typename T>
nlohmann::ordered_json OrNull(const std::optional<T>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

// The overview as a text table: the input's label and unit on the left,
// numbers right-aligned under their headings, the cause last.
std::string LimitsTable(const std::vector<InputLimit>& limits, const Requirements& required) {
    using Row = std::vector<std::string>;
    const LimitsColumns columns = ColumnsFor(limits);
    std::vector<Row> rows{LimitsHeadings(columns)};
    for (const InputLimit& limit : limits)
        rows.push_back(LimitCells(limit, required, columns));
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const Row& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    std::string table;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i + 1 < row.size(); ++i) {
            const std::string pad(widths[i] - row[i].size(), ' ');
            line += "  " + (NumericLimitColumn(columns, i) ? pad + row[i] : row[i] + pad);
        }
        line += "  " + row.back();
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        table += line + "\n";
    }
    return table;
}

std::string LimitsCsvHeader() {
    return "file,key,label,direction,current,last,next,cause,rate,margin,marginPercent,fixValue,"
           "fixChange,fixChangePercent,fixRmax,needs,kept\n";
}

// The fix of a limit: null, or where it is and what it gives.
nlohmann::ordered_json JsonFix(const InputLimit& limit) {
    if (!limit.fix)
        return nullptr;
    const Fix& fix = *limit.fix;
    const CalcState& s = fix.point.state;
    nlohmann::ordered_json j;
    j["value"] = fix.point.value;
    j["change"] = fix.change;
    j["changePercent"] = OrNull(fix.changePercent);
    j["rmax"] = s.Rmax;
    j["eto"] = s.ETO;
    j["cto"] = s.CTO;
    j["rate"] = s.Baud;
    return j;
}

nlohmann::ordered_json JsonNeeds(const InputLimit& limit) {
    return limit.needs ? nlohmann::ordered_json(limit.needs->key) : nlohmann::ordered_json(nullptr);
}

std::string LimitsCsvRows(const std::vector<InputLimit>& limits, const Requirements& required,
                          const std::optional<std::string>& file) {
    std::string rows;
    for (const InputLimit& limit : limits) {
        const nlohmann::ordered_json j = JsonHeadroom(limit.headroom, required, file);
        const auto cell = [](const nlohmann::ordered_json& value) {
            return value.is_null() ? std::string() : value.is_string() ? value.get<std::string>()
                                                                        : value.dump();
        };
        const nlohmann::ordered_json fix = JsonFix(limit);
        const auto fixCell = [&](const char* member) {
            return fix.is_null() ? std::string() : cell(fix[member]);
        };
        const std::vector<std::string> cells{
            file.value_or(""),          cell(j["key"]),     std::string(limit.input->subject),
            cell(j["direction"]),       cell(j["current"]), cell(j["last"]),
            cell(j["next"]),            cell(j["cause"]),   cell(j["rate"]),
            cell(OrNull(limit.margin)), cell(OrNull(limit.marginPercent)),
            fixCell("value"),           fixCell("change"),  fixCell("changePercent"),
            fixCell("rmax"),            cell(JsonNeeds(limit)),
            limit.kept ? "true" : "false"};
        for (std::size_t i = 0; i < cells.size(); ++i)
            rows += (i == 0 ? "" : ",") + CsvField(cells[i]);
        rows += "\n";
    }
    return rows;
}

} // namespace

int RunSweep(const LoadedProject& loaded, const Options& options,
             const std::optional<std::string>& file, std::ostream& out, std::ostream& err,
             bool& csvHeaderWritten) {
    const SweepSpec& sweep = *options.sweep;
    const WhatIfInput& input = *FindWhatIfInput(sweep.key);
    WhatIf whatIf(loaded.Form());
    if (PrintRefusal(CheckEditable(whatIf, input, file), err))
        return kCannotRun;
    if (PrintRefusal(whatIf.CanSweep(input.field, sweep.from, sweep.to, sweep.step), err))
        return kCannotRun;
    if (options.csv && !csvHeaderWritten) {
        out << WhatIfCsvHeader();
        csvHeaderWritten = true;
    }
    const Table table(input);
    if (options.json)
        out << JsonSweepHead(loaded.Form(), sweep, input, file);
    else if (!options.csv)
        out << ReportHeading(loaded.Form(), file) << table.Heading();
    bool first = true;
    const auto print = [&](const WhatIfPoint& point, const TMasterForm& shown) {
        if (options.json)
            out << (first ? "" : ",") << JsonText(JsonRow(point, shown));
        else if (options.csv)
            out << WhatIfCsvRow(point, file.value_or(""));
        else
            out << table.Row(point);
        first = false;
        return true;
    };
    const Result swept = whatIf.Sweep(input.field, sweep.from, sweep.to, sweep.step, print);
    // The object is closed whatever happened, so the line stays valid JSON.
    if (options.json)
        out << "]}\n";
    return PrintRefusal(swept, err) ? kCannotRun : kSound;
}

int RunHeadroom(const LoadedProject& loaded, const Options& options,
                const std::optional<std::string>& file, std::ostream& out, std::ostream& err) {
    const WhatIfInput& input = *FindWhatIfInput(*options.headroomKey);
    WhatIf whatIf(loaded.Form());
    if (PrintRefusal(CheckEditable(whatIf, input, file), err))
        return kCannotRun;

    const Requirements required = Applicable(loaded.Form(), loaded.Form().Required());
    const int32_t current = whatIf.CurrentValue(input.field);
    const int32_t limit =
        options.headroomTo.value_or(DefaultHeadroomLimit(input, current));
    if (const int64_t count = SweepValueCount(current, limit, 1); count > kMostWhatIfValues) {
        err << texts::kCliPrefix << file.value_or(std::string(texts::kNewProject)) << ": "
            << text::Format(texts::kHeadroomTooFar,
                            {TooManyValues("--headroom", count), GroupedNumber(current),
                             GroupedNumber(limit)})
            << "\n";
        return kCannotRun;
    }
    Headroom headroom;
    if (PrintRefusal(FindHeadroom(whatIf, input.field, required, limit, headroom), err))
        return kCannotRun;
    if (options.json) {
        out << JsonLine(JsonHeadroom(headroom, required, file));
    } else {
        out << ReportHeading(loaded.Form(), file);
        out << "  "
            << text::Format(texts::kHeadroomSearched,
                            {FieldName(input.field), WithUnit(current, input.unit),
                             WithUnit(limit, input.unit)})
            << "\n";
        out << "  " << RequirementsSentence(required) << "\n";
        out << "  " << HeadroomSentence(headroom, required) << "\n";
    }
    return headroom.MeetsNow() ? kSound : kFindings;
}

int RunLimits(const LoadedProject& loaded, const Options& options,
              const std::optional<std::string>& file, std::ostream& out, std::ostream& err,
              bool& csvHeaderWritten) {
    const Requirements required = Applicable(loaded.Form(), loaded.Form().Required());
    WhatIf whatIf(loaded.Form());
    std::vector<InputLimit> limits;
    if (PrintRefusal(FindLimits(whatIf, required, limits), err))
        return kCannotRun;
    // The state's own verdict: a failing state with no input to type into
    // fails all the same.
    const bool meets = JudgeState(loaded.Form(), required) == Shortfall::None;
    const std::optional<Closest> closest = ClosestChange(limits);

    if (options.json) {
        nlohmann::ordered_json j;
        j["file"] = FileName(file);
        nlohmann::ordered_json kept = nlohmann::ordered_json::array();
        for (const WhatIfInput& input : WhatIfInputs()) {
            if (required.kept.Has(input.field))
                kept.push_back(FieldName(input.field));
        }
        const auto judged = [&required](std::optional<int32_t> ms) {
            return required.timesJudged ? OrNull(ms) : nullptr;
        };
        j["requirements"] = {{"rmax", judged(required.rmaxMs)},
                             {"eto", judged(required.etoMs)},
                             {"cto", judged(required.ctoMs)},
                             {"kept", std::move(kept)}};
        j["limits"] = nlohmann::ordered_json::array();
        for (const InputLimit& limit : limits) {
            nlohmann::ordered_json item = JsonHeadroom(limit.headroom, required, file);
            item["margin"] = OrNull(limit.margin);
            item["marginPercent"] = OrNull(limit.marginPercent);
            item["fix"] = JsonFix(limit);
            item["needs"] = JsonNeeds(limit);
            item["kept"] = limit.kept;
            j["limits"].push_back(std::move(item));
        }
        j["closest"] = nullptr;
        if (closest)
            j["closest"] = {{"key", FieldName(closest->input->field)},
                            {"value", closest->point.value},
                            {"rmax", closest->point.state.Rmax}};
        out << JsonLine(j);
    } else if (options.csv) {
        if (!csvHeaderWritten) {
            out << LimitsCsvHeader();
            csvHeaderWritten = true;
        }
        out << LimitsCsvRows(limits, required, file);
    } else {
        out << ReportHeading(loaded.Form(), file);
        out << "  " << RequirementsSentence(required) << "\n";
        if (const std::optional<std::string> kept = KeptSentence(required))
            out << "  " << *kept << "\n";
        if (limits.empty()) {
            if (!meets)
                out << "  " << texts::kLimitsFailNoInputs << "\n";
            out << "  " << texts::kLimitsNoInputs << "\n";
        } else {
            out << "  " << (meets ? texts::kLimitsMeet : texts::kLimitsFail) << "\n";
            out << LimitsTable(limits, required);
            if (closest)
                out << "  " << ClosestSentence(*closest) << "\n";
        }
    }
    return meets ? kSound : kFindings;
}

} // namespace qntcalc::cli
