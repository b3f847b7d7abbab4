#pragma once

#include "base/ExitStatus.h"
#include "base/Result.h"
#include "whatif/Headroom.h"
#include "whatif/WhatIfForm.h"
#include "window/MasterForm.h"

#include <optional>
#include <string>
#include <vector>

// The calculation report: everything a reviewer needs to check one
// project's numbers, in the order it is read. Built here without a
// toolkit; the Qt side only lays the blocks out and draws the chart.
namespace qntcalc {

struct ReportBlock {
    enum class Kind { Title, Heading, Subheading, Paragraph, Table, Chart };
    Kind kind = Kind::Paragraph;
    std::string text;
    // A table's rows, the first its header.
    std::vector<std::vector<std::string>> rows;
};

// What the report says about the file and its making, from the caller.
struct ReportFacts {
    std::optional<std::string> file; // none for a project never saved
    // The hash of the file's bytes on disk, lower-case hex; none when the
    // window differs from the file (or it could not be read).
    std::optional<std::string> sha256;
    bool fileUnreadable = false;
    std::string madeAt; // date and time
    std::string programName;
    std::string programVersion;
    Requirements required{kDefaultRequiredRmaxMs, std::nullopt, std::nullopt};
    // The chart's input; none: the tightest of the limits, else Main path.
    std::optional<Field> whatIfInput;
};

struct CalcReport {
    std::vector<ReportBlock> blocks;
    // The chart's input and sweep, as the What-if window would show them.
    WhatIfForm whatIf;
    bool errorStatus = false;
    bool breaksRequirement = false;

    // 1 for an error status or a broken requirement, else 0.
    Exit ExitStatus() const { return errorStatus || breaksRequirement ? kFindings : kSound; }
};

// How the calculation's iteration ended, after `passes` passes.
std::string IterationText(bool stable, int passes);

// Refused only when the limits or the sweep cannot be computed.
Result MakeReport(const TMasterForm& form, const ReportFacts& facts, CalcReport& report);

} // namespace qntcalc
