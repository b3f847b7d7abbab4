#include "report/qt/ReportCommand.h"

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace qntcalc {
namespace {

// Both ways to a report gather its facts here: a hash only of bytes read
// from a named file that the window shows exactly.
TEST(ReportFacts, TheHashOnlyOfBytesTheWindowHolds) {
    const std::string abc = "abc";
    const std::string empty;
    struct Row {
        const char* name;
        std::optional<std::string> file;
        const std::string* bytes;
        bool holds;
        std::optional<std::string> sha256;
        bool unreadable;
    };
    const std::vector<Row> rows{
        {"held", "/p/a.ini", &abc, true,
         "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", false},
        {"held, empty", "/p/a.ini", &empty, true,
         "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", false},
        {"not held", "/p/a.ini", &abc, false, std::nullopt, false},
        {"unreadable", "/p/a.ini", nullptr, true, std::nullopt, true},
        {"never saved", std::nullopt, &abc, true, std::nullopt, false},
    };
    Globals program;
    program.ProgramName = "QntCalc";
    program.ProgramVersion = "9.8";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ReportSource source;
        source.file = row.file;
        source.bytes = row.bytes;
        source.windowHoldsBytes = row.holds;
        source.required = {250, 40, std::nullopt};
        source.whatIfInput = Field::NumIOD;
        const ReportFacts facts = GatherReportFacts(program, source);
        EXPECT_EQ(facts.file, row.file);
        EXPECT_EQ(facts.sha256, row.sha256);
        EXPECT_EQ(facts.fileUnreadable, row.unreadable);
        EXPECT_EQ(facts.programName, "QntCalc");
        EXPECT_EQ(facts.programVersion, "9.8");
        EXPECT_EQ(facts.required.rmaxMs, 250);
        EXPECT_EQ(facts.required.etoMs, 40);
        EXPECT_EQ(facts.whatIfInput, Field::NumIOD);
        EXPECT_TRUE(std::regex_match(facts.madeAt, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
            << facts.madeAt;
    }
}

} // namespace
} // namespace qntcalc
