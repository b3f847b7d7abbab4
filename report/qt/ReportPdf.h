#pragma once

#include "base/Result.h"
#include "report/CalcReport.h"

#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

namespace qntcalc {

// The report as a PDF of real text, its chart drawn by the What-if
// window's chart. False when nothing could be drawn.
bool RenderReportPdf(const CalcReport& report, const QString& title, QByteArray& pdf);

// Which of the report's blocks each page of its PDF holds, in order. A
// heading is laid out with the paragraphs after it and the table or chart
// they lead to; a block taller than a page continues over the next ones
// (a table with its header row again on each).
std::vector<std::vector<std::size_t>> ReportPageBlocks(const CalcReport& report);

// Refuses a path that is the project file the report is made from
// (projectFile, if any) under any name.
Result CheckReportTarget(const std::string& path, const std::string& projectFile);

// Draws the report and writes it to path atomically, after CheckReportTarget.
Result WriteReportPdf(const CalcReport& report, const QString& title, const std::string& path,
                      const std::string& projectFile);

} // namespace qntcalc
