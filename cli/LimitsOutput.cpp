#include "cli/WhatIfOutput.h"

#include "base/ExitStatus.h"
#include "cli/CliTexts.h"
#include "cli/ProjectOutput.h"
#include "cli/WhatIfCommon.h"
#include "whatif/LimitsText.h"
#include "whatif/Requirements.h"
#include "whatif/WhatIfCsv.h"

#include <algorithm>

namespace qntcalc::cli {

namespace {

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

// The CSV's columns: each heading with what its cell reads.
struct CsvColumn {
    std::string_view heading;
    std::string (*cell)(const InputLimit& limit, const Requirements& required);
};

std::string Whole(int64_t value) {
    return std::to_string(value);
}

// As the JSON output writes the same number.
std::string Decimal(double value) {
    return nlohmann::ordered_json(value).dump();
}

template <typename T, typename Cell>
std::string Or(const std::optional<T>& value, Cell cell) {
    return value ? cell(*value) : std::string();
}

using L = const InputLimit&;
using R = const Requirements&;
// After the input's key and label and the headroom's other cells.
constexpr CsvColumn kLimitCsvColumns[] = {
    {"margin", [](L l, R) { return Or(l.margin, Whole); }},
    {"marginPercent", [](L l, R) { return Or(l.marginPercent, Decimal); }},
    {"fixValue", [](L l, R) { return l.fix ? Whole(l.fix->point.value) : ""; }},
    {"fixChange", [](L l, R) { return l.fix ? Whole(l.fix->change) : ""; }},
    {"fixChangePercent",
     [](L l, R) { return l.fix ? Or(l.fix->changePercent, Decimal) : ""; }},
    {"fixRmax", [](L l, R) { return l.fix ? Whole(l.fix->point.state.Rmax) : ""; }},
    {"needs", [](L l, R) { return l.needs ? l.needs->key : ""; }},
    {"kept", [](L l, R) { return std::string(l.kept ? "true" : "false"); }},
};

std::string CsvText(const nlohmann::ordered_json& value) {
    if (value.is_null())
        return {};
    return value.is_string() ? value.get<std::string>() : value.dump();
}

// The file comes first, from the run rather than the limit; the label
// follows the key.
std::string LimitsCsvHeader() {
    const std::span<const HeadroomCell> cells = HeadroomCells();
    std::string header = "file," + std::string(cells.front().name) + ",label";
    for (const HeadroomCell& cell : cells.subspan(1))
        header += "," + std::string(cell.name);
    for (const CsvColumn& column : kLimitCsvColumns)
        header += "," + std::string(column.heading);
    return header + "\n";
}

std::string LimitsCsvRows(const std::vector<InputLimit>& limits, const Requirements& required,
                          const std::optional<std::string>& file) {
    const std::span<const HeadroomCell> cells = HeadroomCells();
    std::string rows;
    for (const InputLimit& limit : limits) {
        rows += CsvField(file.value_or(""));
        rows += "," + CsvField(CsvText(cells.front().value(limit.headroom, required)));
        rows += "," + CsvField(std::string(limit.input->subject));
        for (const HeadroomCell& cell : cells.subspan(1))
            rows += "," + CsvField(CsvText(cell.value(limit.headroom, required)));
        for (const CsvColumn& column : kLimitCsvColumns)
            rows += "," + CsvField(column.cell(limit, required));
        rows += "\n";
    }
    return rows;
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

} // namespace

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
