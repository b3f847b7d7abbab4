#pragma once

#include "base/ExitStatus.h"
#include "base/Result.h"
#include "whatif/Headroom.h"
#include "whatif/WhatIfForm.h"
#include "window/MasterForm.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The calculation report: everything a reviewer needs to check one
// project's numbers, in the order it is read. Built here without a
// toolkit; the Qt side only lays the blocks out and draws the chart.
namespace qntcalc {

struct ReportBlock {
    // SignOff: lines to fill in by hand, one per row, its label first.
    enum class Kind { Title, Heading, Subheading, Paragraph, Table, Chart, SignOff };
    Kind kind = Kind::Paragraph;
    std::string text;
    // A table's rows, the first its header.
    std::vector<std::vector<std::string>> rows;
    // A table whose last column is free text, read as a line of its own
    // under each row's other cells.
    bool lastColumnBelow = false;
    // What a reviewer must not miss: an error status, a broken requirement.
    bool alert = false;
    // A table's rows that fail (the header's first), and its columns of
    // numbers, read from the right; empty: none.
    std::vector<bool> alertRows = {};
    std::vector<bool> numericColumns = {};
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
    // Which project and which bytes of it, for every page.
    std::string projectName;
    std::optional<std::string> sha256;

    // 1 for an error status or a broken requirement, else 0.
    Exit ExitStatus() const { return errorStatus || breaksRequirement ? kFindings : kSound; }
};

// The line every page carries: "Assembly hall 2 - SHA-256 0123456789ab - page
// 1 of 4"; "not saved" where the report names no hash.
std::string PageLine(const CalcReport& report, int page, int pages);

// How the calculation's iteration ended, after `passes` passes.
std::string IterationText(bool stable, int passes);

// Told how far the report is as it is made, on the thread that makes it:
// `done` of `steps`, the limits of each input a step and the chart the
// last; false stops it.
using ReportProgress = std::function<bool(int done, int steps)>;

// Refused only when the limits or the sweep cannot be computed, or
// Cancelled when `progress` stopped it.
Result MakeReport(const TMasterForm& form, const ReportFacts& facts, CalcReport& report,
                  const ReportProgress& progress = {});

} // namespace qntcalc
