#include "report/ReportOptions.h"
#include "report/ReportTexts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qntcalc {
namespace {

TEST(ReportArguments, Parsed) {
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        bool ok;
        std::optional<int32_t> rmax; // none: the project's own
        std::optional<int32_t> eto;
        std::optional<int32_t> cto;
        std::optional<std::string> whatIf;
    };
    const std::vector<Row> rows{
        {"ProjectAndPdf", {"--report", "r.pdf", "p.ini"}, true, {}, {}, {}, {}},
        {"EveryOption",
         {"p.ini", "--report", "r.pdf", "--whatif", "mainpath", "--require-rmax", "1",
          "--require-eto", "40", "--require-cto", "60"},
         true, 1, 40, 60, "mainpath"},
        {"NoProject", {"--report", "r.pdf"}, false, 0, {}, {}, {}},
        {"NoPdf", {"--report"}, false, 0, {}, {}, {}},
        // An empty name is no file to write.
        {"EmptyPdfName", {"--report", "", "p.ini"}, false, 0, {}, {}, {}},
        {"EmptyPdfAfterEquals", {"--report=", "p.ini"}, false, 0, {}, {}, {}},
        {"TwoProjects", {"--report", "r.pdf", "p.ini", "q.ini"}, false, 0, {}, {}, {}},
        {"UnknownOption", {"--report", "r.pdf", "p.ini", "--json"}, false, 0, {}, {}, {}},
        {"WhatIfOfNoInput",
         {"--report", "r.pdf", "p.ini", "--whatif", "Baud"}, false, 0, {}, {}, {}},
        {"RmaxZero", {"--report", "r.pdf", "p.ini", "--require-rmax", "0"}, false, 0, {}, {}, {}},
        {"EtoNotANumber",
         {"--report", "r.pdf", "p.ini", "--require-eto", "12x"}, false, 0, {}, {}, {}},
        {"CtoBeyondInt32",
         {"--report", "r.pdf", "p.ini", "--require-cto", "99999999999"}, false, 0, {}, {}, {}},
        // Spelt as qntcalc-cli takes them; after "--" only the project.
        {"WithEqualsSigns",
         {"--report=r.pdf", "--whatif=NumIOD", "--require-rmax=250", "p.ini"}, true, 250, {}, {},
         "NumIOD"},
        {"ProjectAfterDashes", {"--report", "r.pdf", "--", "p.ini"}, true, {}, {}, {}, {}},
        {"DashedProjectAfterDashes",
         {"--report", "r.pdf", "--require-eto", "1", "--", "-p.ini"}, true, {}, 1, {}, {}},
        {"KeepTwoInputs",
         {"--report", "r.pdf", "--keep", "numiod,Mainpath", "p.ini"}, true, {}, {}, {}, {}},
        {"KeepNone", {"--report", "r.pdf", "--keep=", "p.ini"}, true, {}, {}, {}, {}},
        {"KeepAResult",
         {"--report", "r.pdf", "p.ini", "--keep", "NumIOD,Rmax"}, false, {}, {}, {}, {}},
        {"OptionAfterDashes",
         {"--report", "r.pdf", "p.ini", "--", "--whatif"}, false, 0, {}, {}, {}},
        {"RmaxWithoutValue", {"--report", "r.pdf", "--require-rmax"}, false, 0, {}, {}, {}},
        // A second value would silently win over the first.
        {"ReportTwice", {"--report", "r.pdf", "--report=s.pdf", "p.ini"}, false, 0, {}, {}, {}},
        {"WhatIfTwice",
         {"--report", "r.pdf", "p.ini", "--whatif", "NumIOD", "--whatif", "NumIOD"}, false, 0,
         {}, {}, {}},
        {"RmaxTwice",
         {"--report", "r.pdf", "p.ini", "--require-rmax", "9", "--require-rmax=9"}, false, 0, {},
         {}, {}},
        {"KeepTwice",
         {"--report", "r.pdf", "p.ini", "--keep=", "--keep", "NumIOD"}, false, 0, {}, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(WantsReport(row.arguments) || !row.ok);
        ReportOptions options;
        const Result parsed = ParseReportArguments(row.arguments, options);
        ASSERT_EQ(parsed.Ok(), row.ok) << parsed.Message();
        if (!row.ok)
            continue;
        EXPECT_EQ(options.out, "r.pdf");
        EXPECT_EQ(options.project, row.arguments.back() == "-p.ini" ? "-p.ini" : "p.ini");
        EXPECT_EQ(options.required.rmaxMs, row.rmax);
        EXPECT_EQ(options.required.etoMs, row.eto);
        EXPECT_EQ(options.required.ctoMs, row.cto);
        EXPECT_EQ(options.whatIfKey, row.whatIf);
    }
    EXPECT_FALSE(WantsReport(std::vector<std::string>{"p.ini", "--reports"}));
    EXPECT_FALSE(WantsReport(std::vector<std::string>{"--", "--report"})) << "a file's name";
}

TEST(ReportArguments, MessagesSayWhatWasWrong) {
    struct Row {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::vector<Row> rows{
        {{"--report", "r.pdf", "p.ini", "--whatif", "Bogus"},
         "--whatif: no input is called \"Bogus\"; the inputs that can be charted: Mainpath, "
         "DropMax, DropTot, NumRouters, RouterCorr, LongSeg, MDSeg, NumRepeater, LRepeater, LoadFact, "
         "NumIOD, NumVesk, NumInp, NumInpCycl, InpCycl, NumOut, NumOutCycl, OutCycl, CVesk, MainBaud"},
        {{"--report", "r.pdf", "p.ini", "q.ini"},
         "one project per report, not both p.ini and q.ini\n" +
             std::string(texts::kReportUsage)},
        {{"--report", "r.pdf", "p.ini", "--require-cto", "0"},
         "--require-cto needs a whole number of milliseconds, at least 1, not \"0\""},
        {{"--report", "r.pdf", "p.ini", "--require-eto"},
         "--require-eto needs a value\n" + std::string(texts::kReportUsage)},
        {{"--report=", "p.ini"}, std::string(texts::kReportUsage)},
        {{"--report", "r.pdf", "p.ini", "--keep", "NumIOD, Rmax"},
         "--keep: no input is called \"Rmax\"; the inputs that can be kept: Mainpath, "
         "DropMax, DropTot, NumRouters, RouterCorr, LongSeg, MDSeg, NumRepeater, LRepeater, LoadFact, "
         "NumIOD, NumVesk, NumInp, NumInpCycl, InpCycl, NumOut, NumOutCycl, OutCycl, CVesk, MainBaud"},
        {{"--report", "r.pdf", "--report", "s.pdf", "p.ini"},
         "--report is given twice; give it once"},
    };
    for (const Row& row : rows) {
        ReportOptions options;
        EXPECT_EQ(ParseReportArguments(row.arguments, options).Message(), row.message);
    }
}

// A requirement is a whole number of ms, at least 1, for each of the three
// options (by the rule qntcalc-cli shares).
TEST(ReportArguments, RequirementsAreWholeMillisecondsFromOne) {
    struct Row {
        const char* value;
        std::optional<int32_t> ms;
    };
    const std::vector<Row> rows{
        {"1", 1},           {"0", {}},    {"-1", {}},
        {"+7", 7},          {" 12 ", 12}, {"1.5", {}},
        {"", {}},           {"fast", {}}, {"2147483647", 2147483647},
        {"2147483648", {}},
    };
    for (const char* option : {"--require-rmax", "--require-eto", "--require-cto"}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(option) + " \"" + row.value + "\"");
            ReportOptions report;
            const bool reportRead =
                ParseReportArguments(
                    std::vector<std::string>{"--report", "r.pdf", "p.ini", option, row.value},
                    report)
                    .Ok();
            EXPECT_EQ(reportRead, row.ms.has_value());
            if (!row.ms)
                continue;
            const std::string_view name = option;
            if (name == "--require-rmax") {
                EXPECT_EQ(report.required.rmaxMs, row.ms);
            } else if (name == "--require-eto") {
                EXPECT_EQ(report.required.etoMs, row.ms);
            } else {
                EXPECT_EQ(report.required.ctoMs, row.ms);
            }
        }
    }
}

} // namespace
} // namespace qntcalc
