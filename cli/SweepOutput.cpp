#include "base/ExitStatus.h"
#include "cli/CliTexts.h"
#include "cli/ProjectOutput.h"
#include "cli/WhatIfCommon.h"
#include "cli/WhatIfOutput.h"
#include "text/Strings.h"
#include "whatif/WhatIfCsv.h"
#include "text/Units.h"

namespace qntcalc::cli {

namespace {

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
        headings_ = {std::string(FieldName(input.field)) + UnitTag(input.unit)};
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
            return Cell(0, std::to_string(point.value)) + "  " +
                   text::Format(texts::kSweepRejected, {text::Joined(point.valueErrors, "; ")}) +
                   "\n";
        const CalcState& s = point.state;
        const std::vector<std::string> cells{
            std::to_string(point.value),
            std::to_string(s.Baud),
            std::to_string(s.ETO),
            std::to_string(s.CTO),
            std::to_string(s.Rmax),
            std::to_string(s.Alarm),
            std::to_string(s.CVesk),
            std::string(s.Stable ? texts::kReportYes : texts::kReportNo)};
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

} // namespace qntcalc::cli
