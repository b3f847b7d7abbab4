#pragma once

#include "base/ExitStatus.h"
#include "base/Result.h"
#include "report/CalcReport.h"
#include "ui/Globals.h"
#include "whatif/WhatIfForm.h"
#include "window/MasterForm.h"
#include "window/WindowSnapshot.h"

#include <optional>
#include <string>

// The report command, whichever way it is asked for: File > Export report...
// in the window, or QntCalc --report without one.
namespace qntcalc {

// What either way knows of the project it reports on.
struct ReportSource {
    // The project file as the report names it; none for a project never saved.
    std::optional<std::string> file;
    // The file's bytes as read for this report; null when they could not be read.
    const std::string* bytes = nullptr;
    // Whether the window shows exactly those bytes: only then are they hashed.
    bool windowHoldsBytes = false;
    Requirements required{kDefaultRequiredRmaxMs, std::nullopt, std::nullopt};
    std::optional<Field> whatIfInput;
};

// The report's facts, made now by the program `program` names.
ReportFacts GatherReportFacts(const Globals& program, const ReportSource& source);

// Makes the report of `form` and writes it to `out` as a PDF, never over
// `projectFile` (if any); `status` gets the report's exit status.
Result WriteReport(const TMasterForm& form, const ReportFacts& facts, const std::string& out,
                   const std::string& projectFile, Exit& status);

// File > Export report... in three steps, so that the long one runs off the
// window's thread: what the report is made of, taken on the window's thread;
// the report, made from it on any thread; the PDF, drawn on the window's.
struct WindowReportJob {
    WindowSnapshot window;
    ReportFacts facts;
    Globals program;
    std::string projectFile; // never written over; empty for none
};

// The report of the window's project, with the requirements and input of
// the What-if window (whatIf, null while it was never opened). `modified`:
// the window differs from its project file.
WindowReportJob PrepareWindowReport(const TMasterForm& form, const Globals& program,
                                    bool modified, const WhatIfForm* whatIf);
// In a window of its own, restored from the job's snapshot: the very report
// the window would give.
Result MakeWindowReport(const WindowReportJob& job, CalcReport& report,
                        const ReportProgress& progress = {});
// All three at once.
Result ExportWindowReport(const TMasterForm& form, const Globals& program, bool modified,
                          const WhatIfForm* whatIf, const std::string& out);

// The whole run of QntCalc --report without a window: an Exit status as
// qntcalc-cli's, nothing on standard output. argc and argv are the
// program's own, its name first.
int RunReportCommand(int& argc, char** argv);

} // namespace qntcalc
