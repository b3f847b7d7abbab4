#include "project/LoadedProject.h"
#include "report/CalcReport.h"
#include "report/ReportTexts.h"
#include "tests/support/GermanLocale.h"
#include "tests/support/WindowFixture.h"
#include "whatif/WhatIf.h"
#include "window/FieldTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qntcalc {
namespace {

const std::string kProject = std::string(QNTCALC_SOURCE_DIR) + "/examples/assembly-hall.ini";

using Kind = ReportBlock::Kind;
using Sets = std::vector<std::pair<std::string, std::string>>;

// As a user would: each value typed into the input of that key, or the
// Routers box ticked, or the preselected rate's button clicked.
void Apply(TMasterForm& form, const Sets& sets) {
    for (const auto& [key, value] : sets) {
        if (key == "CBRouters") {
            form.CB_Routers.SetChecked(value == "1");
            continue;
        }
        if (key == "RB_Baud") {
            form.RB_Baud.SetChecked(value == "1");
            continue;
        }
        const WhatIfInput* input = FindWhatIfInput(std::string_view(key));
        ASSERT_NE(input, nullptr) << key;
        testing::Type(form, RowOf(input->field).edit, value);
    }
}


CalcReport Made(const TMasterForm& form, const ReportFacts& facts) {
    CalcReport report;
    const Result made = MakeReport(form, facts, report);
    EXPECT_TRUE(made.Ok()) << made.Message();
    return report;
}

// The texts of the blocks of one kind between two headings.
std::vector<std::string> Between(const CalcReport& report, std::string_view from,
                                 std::string_view to, Kind kind) {
    std::vector<std::string> found;
    bool inside = false;
    for (const ReportBlock& block : report.blocks) {
        if (block.kind == Kind::Heading)
            inside = block.text == from ? true : block.text == to ? false : inside;
        else if (inside && block.kind == kind)
            found.push_back(block.text);
    }
    return found;
}

bool Holds(const CalcReport& report, std::string_view text) {
    return std::any_of(report.blocks.begin(), report.blocks.end(),
                       [text](const ReportBlock& block) { return block.text == text; });
}

const std::vector<std::vector<std::string>>* FirstTableAfter(const CalcReport& report,
                                                             std::string_view heading) {
    bool inside = false;
    for (const ReportBlock& block : report.blocks) {
        if (block.kind == Kind::Heading)
            inside = block.text == heading;
        else if (inside && block.kind == Kind::Table)
            return &block.rows;
    }
    return nullptr;
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(loaded.Load(kProject).Ok()); }
    Globals program;
    LoadedProject loaded{program};
};

struct ModeRow {
    MenuItem MasterFormControls::*mode;
    std::vector<std::pair<std::string, std::string>> sets;
    const char* shown;
    std::vector<std::string> pages;
    std::vector<std::string> results;
    // The Network structure page's rows under the header.
    std::vector<std::vector<std::string>> network;
};

TEST_F(ReportTest, EachModeListsOnlyThePagesAndResultsItShows) {
    const std::vector<ModeRow> rows{
        {&MasterFormControls::Standard, {}, "Mode: Standard mode",
         {"Network structure", "Devices", "Inputs", "Outputs"},
         {"Transmission rate", "Transmission rate longest segment", "Router correction time",
          "Event timeout", "Cycle timeout", "Worst case reaction time", "Alarm reaction time",
          "Vesk cycle time"},
         {{"Main path", "180", "l [m]"},
          {"Routers", "no", ""},
          {"Repeaters", "no", ""},
          {"Drop lines", "no", ""}}},
        // The preselected rate lies under its empty placeholder: no value.
        {&MasterFormControls::Expert, {{"CBRouters", "1"}}, "Mode: Expert mode",
         {"Network structure", "Devices", "Inputs", "Outputs", "Routers"},
         {"Transmission rate", "Transmission rate longest segment", "Router correction time",
          "Event timeout", "Cycle timeout", "Worst case reaction time", "Alarm reaction time",
          "Vesk cycle time", "Vesk cycle time entered manually"},
         {{"Main path", "180", "l [m]"},
          {"Routers", "yes", ""},
          {"Repeaters", "no", ""},
          {"Drop lines", "no", ""}}},
        // And the main path under its own once the rate is preselected.
        {&MasterFormControls::Expert, {{"RB_Baud", "1"}, {"MainBaud", "250"}}, "Mode: Expert mode",
         {"Network structure", "Devices", "Inputs", "Outputs"},
         {"Transmission rate", "Transmission rate longest segment", "Router correction time",
          "Event timeout", "Cycle timeout", "Worst case reaction time", "Alarm reaction time",
          "Vesk cycle time", "Vesk cycle time entered manually"},
         {{"Transmission rate", "250", "[kBits/s]"}}},
        // The window hides the typed rate and the Routers box here.
        {&MasterFormControls::Baudratemode, {}, "Mode: Baud rate mode", {"Network structure"},
         {"Transmission rate"},
         {{"Main path", "180", "l [m]"}, {"Repeaters", "no", ""}, {"Drop lines", "no", ""}}},
    };
    for (const ModeRow& row : rows) {
        SCOPED_TRACE(row.shown);
        (loaded.Form().*row.mode).Click();
        Apply(loaded.Form(), row.sets);
        const CalcReport report = Made(loaded.Form(), {});
        EXPECT_TRUE(Holds(report, row.shown));
        EXPECT_EQ(Between(report, texts::kReportInputs, texts::kReportResults, Kind::Subheading),
                  row.pages);
        const auto* results = FirstTableAfter(report, texts::kReportResults);
        ASSERT_NE(results, nullptr);
        std::vector<std::string> labels;
        for (std::size_t i = 1; i < results->size(); ++i)
            labels.push_back((*results)[i][0]);
        EXPECT_EQ(labels, row.results);
        const auto* network = FirstTableAfter(report, texts::kReportInputs);
        ASSERT_NE(network, nullptr);
        EXPECT_EQ(std::vector(network->begin() + 1, network->end()), row.network);
    }
}

TEST_F(ReportTest, InputsAndResultsAsTheWindowShowsThem) {
    const CalcReport report = Made(loaded.Form(), {});
    EXPECT_EQ(report.blocks.front().text, "Calculation report: Assembly hall 2");
    const auto* network = FirstTableAfter(report, texts::kReportInputs);
    ASSERT_NE(network, nullptr);
    EXPECT_EQ(network->at(1), (std::vector<std::string>{"Main path", "180", "l [m]"}));
    const auto* results = FirstTableAfter(report, texts::kReportResults);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->at(6),
              (std::vector<std::string>{"Worst case reaction time", "106", "t [ms]"}));
    const auto* messages = FirstTableAfter(report, texts::kReportChecks);
    ASSERT_NE(messages, nullptr);
    EXPECT_EQ(messages->at(1),
              (std::vector<std::string>{"info", "All values are estimates and may differ!"}));
    EXPECT_TRUE(Holds(report, "Status: All values are estimates and may differ!"));
    EXPECT_TRUE(Holds(report, "The iteration settled after 3 passes."));
}

TEST_F(ReportTest, TheLimitsTightestFirstAndTheChartOfTheTightest) {
    const CalcReport report = Made(loaded.Form(), {});
    const auto* limits = FirstTableAfter(report, texts::kReportLimits);
    ASSERT_NE(limits, nullptr);
    // The tightest real limit first; an input at 0 that only enables
    // another is none, and comes last.
    EXPECT_EQ(limits->at(1),
              (std::vector<std::string>{"Cycle time of cyclic inputs [ms]", "50", "15", "14",
                                        "35 (70.0%)",
                                        "The cycle time of cyclic inputs is too fast!"}));
    EXPECT_EQ(limits->back(),
              (std::vector<std::string>{"Number of devices with cyclic outputs", "0", "0", "1",
                                        "needs cycle time of cyclic outputs first",
                                        "The cycle time of cyclic outputs is too fast!"}));
    const std::string sentence = "Cycle time of cyclic inputs can shrink from 50 ms to 15 ms; at "
                                 "14 ms the status bar shows \"The cycle time of cyclic inputs "
                                 "is too fast!\"";
    EXPECT_TRUE(Holds(report, sentence));
    EXPECT_EQ(report.whatIf.ChosenInput(), Field::InpCycl);
    EXPECT_EQ(std::count_if(report.blocks.begin(), report.blocks.end(),
                            [](const ReportBlock& b) { return b.kind == Kind::Chart; }),
              1);
}

// The window's thread learns how far the report is, and stops it at any
// step: a stopped report is no report.
TEST_F(ReportTest, ProgressRisesAndStopsTheReportAtAnyStep) {
    std::vector<int> told;
    int steps = 0;
    CalcReport report;
    ASSERT_TRUE(MakeReport(loaded.Form(), {}, report, [&](int done, int of) {
                    told.push_back(done);
                    steps = of;
                    return true;
                }).Ok());
    ASSERT_GT(told.size(), 8u);
    EXPECT_EQ(steps, 9) << "eight inputs and the chart";
    EXPECT_EQ(told.front(), 0);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.back(), 8) << "the chart is the last step";
    const std::size_t blocks = Made(loaded.Form(), {}).blocks.size();
    EXPECT_EQ(report.blocks.size(), blocks) << "the same report as without";

    for (const std::size_t stopAt : {std::size_t{0}, told.size() / 2, told.size() - 1}) {
        std::size_t asked = 0;
        const Result made = MakeReport(loaded.Form(), {}, report,
                                       [&](int, int) { return asked++ < stopAt; });
        EXPECT_EQ(made.failure, Result::Failure::Cancelled) << stopAt;
        EXPECT_EQ(made.Message(), "The report was cancelled; nothing was written.");
        EXPECT_EQ(asked, stopAt + 1) << "not asked again once stopped";
    }
}

// QntCalc --report sets the locale from the environment, as every Qt
// program does; the report's numbers are English as its texts are.
TEST_F(ReportTest, NumbersReadTheSameUnderAGermanLocale) {
    ReportFacts facts;
    facts.required = {1000, std::nullopt, std::nullopt};
    const CalcReport english = Made(loaded.Form(), facts);
    const ScopedLocale german(kGermanLocale);
    if (!german.Made())
        GTEST_SKIP() << kNoGermanLocale;
    const CalcReport report = Made(loaded.Form(), facts);
    EXPECT_TRUE(Holds(report, "Required: worst case reaction time at most 1,000 ms."));
    const auto* limits = FirstTableAfter(report, texts::kReportLimits);
    ASSERT_NE(limits, nullptr);
    EXPECT_TRUE(std::any_of(limits->begin(), limits->end(), [](const auto& row) {
        return row.front() == "Cycle time of cyclic inputs [ms]" && row[4] == "35 (70.0%)";
    }));
    ASSERT_EQ(report.blocks.size(), english.blocks.size());
    for (std::size_t i = 0; i < report.blocks.size(); ++i) {
        EXPECT_EQ(report.blocks[i].text, english.blocks[i].text);
        EXPECT_EQ(report.blocks[i].rows, english.blocks[i].rows);
    }
}

TEST_F(ReportTest, TheChosenInputAndTheRequirementsAreUsed) {
    ReportFacts facts;
    facts.whatIfInput = Field::Mainpath;
    facts.required = {106, 38, std::nullopt};
    const CalcReport meets = Made(loaded.Form(), facts);
    EXPECT_EQ(meets.whatIf.ChosenInput(), Field::Mainpath);
    EXPECT_TRUE(Holds(meets, "Required: worst case reaction time at most 106 ms, ETO at most 38 ms."));
    EXPECT_TRUE(Holds(meets, texts::kReportMeets));
    EXPECT_EQ(meets.ExitStatus(), 0);

    // One ms below the project's times, each requirement alone breaks it;
    // an error status breaks the project while every requirement is met.
    struct Row {
        Requirements required;
        std::vector<std::pair<std::string, std::string>> sets;
    };
    const std::vector<Row> rows{
        {{105, std::nullopt, std::nullopt}, {}},
        {{300, 37, std::nullopt}, {}},
        {{300, std::nullopt, 58}, {}},
        {{300, std::nullopt, std::nullopt}, {{"InpCycl", "14"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.required.rmaxMs);
        Apply(loaded.Form(), row.sets);
        facts.required = row.required;
        const CalcReport breaks = Made(loaded.Form(), facts);
        EXPECT_TRUE(Holds(breaks, texts::kReportBreaks));
        EXPECT_EQ(breaks.breaksRequirement, row.sets.empty());
        EXPECT_EQ(breaks.ExitStatus(), kFindings);
    }
}

// A failing project says which single change makes it meet, smallest
// first, and charts that one with its fix marked; a meeting one says none.
TEST_F(ReportTest, HowToMeetTheRequirements) {
    ReportFacts facts;
    facts.required = {100, std::nullopt, std::nullopt};
    const CalcReport fails = Made(loaded.Form(), facts);
    EXPECT_TRUE(Holds(fails, texts::kReportHowToMeet));
    EXPECT_TRUE(Holds(fails, "Shorten the main path from 180 m to 100 m (-44.4%): the rate rises "
                             "to 500 kBits/s and the worst case reaction time becomes 60 ms."));
    // 22 devices give the same 84 ms as typing 22 in the window does.
    EXPECT_TRUE(Holds(fails, "Reduce the number of I/O devices from 24 to 22 (-8.3%): the worst "
                             "case reaction time becomes 84 ms."));
    EXPECT_EQ(fails.whatIf.ChosenInput(), Field::InpCycl);
    EXPECT_EQ(fails.whatIf.ShownFix(), 52);

    facts.required = {100, 35, std::nullopt};
    // Three clauses, the last joined with "and".
    EXPECT_TRUE(Holds(Made(loaded.Form(), facts),
                      "Shorten the main path from 180 m to 100 m (-44.4%): the rate rises to 500 "
                      "kBits/s, the worst case reaction time becomes 60 ms and the event timeout "
                      "(ETO) becomes 15 ms."));
    EXPECT_TRUE(Holds(Made(loaded.Form(), facts),
                      "Lengthen the cycle time of cyclic inputs from 50 ms to 52 ms (+4.0%): the "
                      "worst case reaction time becomes 90 ms and the event timeout (ETO) "
                      "becomes 30 ms."));

    facts.required = {5, std::nullopt, std::nullopt};
    const CalcReport nothing = Made(loaded.Form(), facts);
    EXPECT_TRUE(Holds(nothing, texts::kReportHowToMeet));
    EXPECT_FALSE(nothing.whatIf.ShownFix());

    facts.required = {106, std::nullopt, std::nullopt};
    const CalcReport meets = Made(loaded.Form(), facts);
    EXPECT_FALSE(Holds(meets, texts::kReportHowToMeet));
    EXPECT_FALSE(meets.whatIf.ShownFix());
}

// What a reviewer must not miss stands out; the limits' causes read below
// their rows; the report ends with lines to sign; every page names the
// project and the start of its hash, or that it is not saved.
TEST_F(ReportTest, PagesForFiling) {
    const auto alerts = [](const CalcReport& report) {
        std::vector<std::string> texts;
        for (const ReportBlock& block : report.blocks) {
            if (block.alert)
                texts.push_back(block.text);
        }
        return texts;
    };
    ReportFacts facts;
    facts.sha256 = std::string(64, 'a').replace(0, 13, "0123456789abc");
    const CalcReport meets = Made(loaded.Form(), facts);
    EXPECT_TRUE(alerts(meets).empty());
    EXPECT_EQ(PageLine(meets, 2, 5), "Assembly hall 2 - SHA-256 0123456789ab - page 2 of 5");
    ASSERT_EQ(meets.blocks.back().kind, Kind::SignOff);
    EXPECT_EQ(meets.blocks.back().rows,
              (std::vector<std::vector<std::string>>{
                  {"Prepared by"}, {"Checked by"}, {"Date"}, {"Signature"}}));
    const auto limits = std::find_if(meets.blocks.begin(), meets.blocks.end(),
                                     [](const ReportBlock& b) { return b.lastColumnBelow; });
    ASSERT_NE(limits, meets.blocks.end());
    EXPECT_EQ(limits->rows.front().back(), "Cause");

    facts.sha256.reset();
    facts.required = {105, std::nullopt, std::nullopt};
    const CalcReport breaks = Made(loaded.Form(), facts);
    // The verdict first, and again after the limits.
    EXPECT_EQ(alerts(breaks), (std::vector<std::string>{std::string(texts::kReportBreaks),
                                                        std::string(texts::kReportBreaks)}));
    EXPECT_EQ(PageLine(breaks, 1, 1), "Assembly hall 2 - not saved - page 1 of 1");

    Apply(loaded.Form(), {{"NumInp", "0"}, {"NumOut", "0"}});
    const std::string status = "Status (error): " + loaded.Form().SB_Status.PanelText(1);
    EXPECT_EQ(alerts(Made(loaded.Form(), facts)),
              (std::vector<std::string>{std::string(texts::kReportBreaks), status, status,
                                        std::string(texts::kReportBreaks)}));
}

// Page 1 answers at once: each requirement against what the project
// achieves, the failing ones red, and the settings to configure.
TEST_F(ReportTest, TheVerdictComesFirst) {
    ReportFacts facts;
    facts.required = {100, 38, std::nullopt};
    const CalcReport report = Made(loaded.Form(), facts);
    const auto verdict = std::find_if(report.blocks.begin(), report.blocks.end(),
                                      [](const ReportBlock& b) { return b.kind == Kind::Heading; });
    ASSERT_NE(verdict, report.blocks.end());
    EXPECT_EQ(verdict->text, texts::kReportVerdict);
    EXPECT_EQ((verdict + 1)->text, texts::kReportBreaks);
    EXPECT_TRUE((verdict + 1)->alert);
    const ReportBlock& required = *(verdict + 2);
    EXPECT_EQ(required.rows, (std::vector<std::vector<std::string>>{
                                 {"Requirement", "Required", "Achieved", "Margin"},
                                 {"Worst case reaction time", "at most 100 ms", "106 ms", "-6 ms"},
                                 {"Event timeout", "at most 38 ms", "38 ms", "0 ms"}}));
    EXPECT_EQ(required.alertRows, (std::vector<bool>{false, true, false}));
    const ReportBlock& settings = *(verdict + 3);
    EXPECT_EQ(settings.rows, (std::vector<std::vector<std::string>>{
                                 {"Setting to configure", "Value", "Unit"},
                                 {"Transmission rate", "250", "[kBits/s]"},
                                 {"Router correction time", "0", "t [ms]"},
                                 {"Event timeout", "38", "t [ms]"},
                                 {"Cycle timeout", "59", "t [ms]"},
                                 {"Vesk cycle time", "15", "t [ms]"}}));
    EXPECT_EQ((verdict + 4)->text, "Status: All values are estimates and may differ!");
    // Failing, the limits say the one reason once, not once an input.
    EXPECT_TRUE(Holds(report, "Every input fails at its current value: the worst case reaction "
                              "time is 106 ms, above the required 100 ms."));
    EXPECT_FALSE(Holds(report, "Main path at 180 m does not meet the requirements: the worst "
                               "case reaction time is 106 ms, above the required 100 ms."));

    facts.required = {200, std::nullopt, std::nullopt};
    const CalcReport meets = Made(loaded.Form(), facts);
    EXPECT_TRUE(Holds(meets, texts::kReportMeets));
    EXPECT_TRUE(Holds(meets, "Main path can grow from 180 m to 250 m; at 251 m the rate drops to "
                             "125 kBits/s and the worst case reaction time becomes 218 ms, above "
                             "the required 200 ms."));
}

// The window hides its results while a state is unstable (an error), so
// the report says nothing of the iteration then; the sentence itself tells
// a settled iteration from one that did not settle, whatever the passes.
TEST_F(ReportTest, AnUnstableStateNeverReadsAsSettled) {
    // A cycle timeout too long to be stable, after an iteration that ended.
    Apply(loaded.Form(), {{"Mainpath", "700"}});
    ASSERT_FALSE(loaded.Form().State().Stable);
    ASSERT_LT(loaded.Form().Calc().LastPassCount(), Calculator::kMaxPasses);
    const CalcReport report = Made(loaded.Form(), {});
    EXPECT_FALSE(Holds(report, texts::kReportStableOnce));
    EXPECT_TRUE(Holds(report, texts::kReportResultsHidden));

    struct Row {
        bool stable;
        int passes;
        std::string text;
    };
    const std::vector<Row> rows{
        {true, 1, "The iteration settled after 1 pass."},
        {true, 2, "The iteration settled after 2 passes."},
        {false, 1, "The iteration did not settle in 1 passes."},
        {false, 100, "The iteration did not settle in 100 passes."},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IterationText(row.stable, row.passes), row.text);
}

TEST_F(ReportTest, TheHashOnlyWhenTheWindowHoldsTheFile) {
    struct Row {
        const char* name;
        std::optional<std::string> file;
        std::optional<std::string> sha256;
        bool unreadable;
        std::string expected;
    };
    const std::vector<Row> rows{
        {"saved", "/p/a.ini", "ab12", false, "SHA-256 of the project file: ab12"},
        {"modified", "/p/a.ini", std::nullopt, false, std::string(texts::kReportNotSaved)},
        {"unreadable", "/p/a.ini", std::nullopt, true, std::string(texts::kReportUnreadable)},
        {"never saved", std::nullopt, std::nullopt, false, std::string(texts::kReportNoFile)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ReportFacts facts;
        facts.file = row.file;
        facts.sha256 = row.sha256;
        facts.fileUnreadable = row.unreadable;
        const CalcReport report = Made(loaded.Form(), facts);
        EXPECT_TRUE(Holds(report, row.expected));
        // Nothing of a file's state without a file.
        EXPECT_EQ(Holds(report, std::string(texts::kReportNotSaved)),
                  row.expected == texts::kReportNotSaved);
        const auto hashLines =
            std::count_if(report.blocks.begin(), report.blocks.end(), [](const ReportBlock& b) {
                return b.text.starts_with("SHA-256");
            });
        EXPECT_EQ(hashLines, row.sha256 ? 1 : 0);
    }
}

} // namespace
} // namespace qntcalc
