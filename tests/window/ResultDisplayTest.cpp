#include "checks/StatusTexts.h"
#include "tests/support/WindowFixture.h"

#include <tuple>

namespace qntcalc::testing {
namespace {

using DisplayTest = WindowTest;

TEST_F(DisplayTest, InformationShowsTheReactionTimeIndicator) {
    EXPECT_EQ(f().SB_Status.PanelText(0), "28 ms");
    EXPECT_EQ(f().BAR_Reaction.Position(), 28);
    EXPECT_EQ(f().BAR_Reaction.Maximum(), 300);
    EXPECT_EQ(f().BAR_Reaction.Hint(), "Error reaction time indicator");
    EXPECT_FALSE(Red());
    EXPECT_TRUE(TabShown(Page::Results));
}

TEST_F(DisplayTest, BaudRateModeShowsTheRateIndicatorFull) {
    f().Baudratemode.Click();
    EXPECT_EQ(f().SB_Status.PanelText(0), "500 kBaud");
    EXPECT_EQ(f().BAR_Reaction.Maximum(), 500);
    EXPECT_EQ(f().BAR_Reaction.ShownPosition(), 500);
    EXPECT_EQ(f().BAR_Reaction.Hint(), "Baud rate indicator");
}

TEST_F(DisplayTest, ErrorTurnsTheStatusRedAndTakesTheResultsAway) {
    f().PageControl1.UserSelectPage(static_cast<int>(Page::Results));
    Type(f().Ed_NumInp, "0");
    Type(f().Ed_NumOut, "0");
    EXPECT_EQ(Status(), texts::kNoIO);
    EXPECT_TRUE(Red());
    EXPECT_EQ(f().SB_Status.PanelText(0), "");
    EXPECT_EQ(f().BAR_Reaction.Position(), f().BAR_Reaction.Maximum());
    EXPECT_EQ(f().BAR_Reaction.Hint(), "Error reaction time indicator");
    EXPECT_FALSE(TabShown(Page::Results));
    EXPECT_EQ(f().PageControl1.ActivePageIndex(), static_cast<int>(Page::Network));

    Type(f().Ed_NumOut, "8");
    EXPECT_FALSE(Red());
    EXPECT_TRUE(TabShown(Page::Results));
    EXPECT_EQ(f().PageControl1.ActivePageIndex(), static_cast<int>(Page::Network))
        << "a page shown again does not become active by itself";
}

TEST_F(DisplayTest, TheLastFailingRuleIsShown) {
    f().Expert.Click();
    Type(f().Ed_NumIOD, "64");
    Type(f().Ed_LoadFact, "101");
    EXPECT_EQ(Status(), texts::kLoadFactor);
    const auto& last = f().LastMessages();
    EXPECT_EQ(std::count(last.begin(), last.end(),
                         StatusMessage{Severity::Error, texts::kTooManyDevices}),
              1);
}

TEST_F(DisplayTest, RoutersWithRepeatersWarnInExpertModeOnly) {
    f().Expert.Click();
    f().CB_Routers.SetChecked(true);
    f().CB_Repeaters.SetChecked(true);
    Type(f().Ed_NumRouters, "1");
    Type(f().Ed_MDSeg, "100");
    Type(f().Ed_LongSeg, "100");
    Type(f().Ed_NumRepeater, "1");
    EXPECT_EQ(Status(), texts::kRepeatersAndRouters);
    EXPECT_FALSE(Red());
    EXPECT_TRUE(TabShown(Page::Results));

    f().Standard.SetChecked(true); // as a file read in Standard mode leaves it
    f().Recalculate();
    EXPECT_EQ(Status(), texts::kRepeatersAndRouters);
    EXPECT_TRUE(Red());
    EXPECT_FALSE(TabShown(Page::Results));
}

TEST_F(DisplayTest, FieldsShowPlainDecimals) {
    f().Ed_NumIOD.SetText("007");
    EXPECT_EQ(f().Ed_NumIOD.Text(), "7");
    f().Ed_ETO.SetText("abc"); // results are rewritten by the next calculation
    f().Recalculate();
    EXPECT_EQ(f().Ed_ETO.Text(), "5") << "8 devices";
}

TEST_F(DisplayTest, UntickingTheActivePagesBoxShowsTheNetworkPage) {
    f().CB_Repeaters.SetChecked(true);
    f().PageControl1.UserSelectPage(static_cast<int>(Page::Repeaters));
    EXPECT_EQ(f().PageControl1.ActivePageIndex(), static_cast<int>(Page::Repeaters));
    f().CB_Repeaters.SetChecked(false);
    EXPECT_EQ(f().PageControl1.ActivePageIndex(), static_cast<int>(Page::Network));
}

TEST_F(DisplayTest, NoActivePageBecomesTheNetworkPage) {
    f().PageControl1.SetActivePageIndex(9);
    f().Recalculate();
    EXPECT_EQ(f().PageControl1.ActivePageIndex(), static_cast<int>(Page::Network));
}

TEST_F(DisplayTest, ReactionTimeAboveThreeHundredIsAFullBar) {
    Type(f().Ed_Mainpath, "2000");
    EXPECT_EQ(f().Ed_Rmax.Text(), "340");
    EXPECT_EQ(f().BAR_Reaction.ShownPosition(), 300);
    EXPECT_EQ(f().SB_Status.PanelText(0), "340 ms");
}

// Lengths beyond 32 bits end at the slowest rate with its error, never
// wrapped round to a short network.
TEST_F(DisplayTest, AbsurdNetworksAreTooLong) {
    f().Expert.Click();
    f().CB_Repeaters.SetChecked(true);
    Type(f().Ed_NumRepeater, "1");
    f().CB_RepeaterType.UserSelect(1); // Harlen - Vesk QN Kappa-7
    Type(f().Ed_Mainpath, "2147483647");
    EXPECT_EQ(f().Ed_Baud.Text(), "10");
    EXPECT_EQ(Status(), texts::kPathTooLong);
    EXPECT_TRUE(Red());

    f().CB_Repeaters.SetChecked(false);
    Type(f().Ed_Mainpath, "100");
    f().CB_DropLines.SetChecked(true);
    Type(f().Ed_DropTot, "400000000");
    Type(f().Ed_DropMax, "400000000");
    EXPECT_EQ(f().Ed_Baud.Text(), "10");
    EXPECT_EQ(Status(), texts::kPathTooLong);
}

// A reaction time beyond 32 bits is held at the limit, and such a number is
// never shown as a sound result; one below the limit is.
TEST_F(DisplayTest, AReactionTimeBeyond32BitsIsAnError) {
    f().Expert.Click();
    f().CB_CVeskManual.SetChecked(true);
    for (auto [cycle, rmax, error] : {std::tuple{"2147483647", "2147483647", true},
                                      {"1073741817", "2147483647", true},
                                      {"1073741816", "2147483646", false}}) {
        Type(f().Ed_CVesk, cycle);
        EXPECT_EQ(f().Ed_Rmax.Text(), rmax) << cycle;
        EXPECT_EQ(Status(), error ? texts::kNotStable : texts::kEstimates) << cycle;
        EXPECT_EQ(Red(), error) << cycle;
    }
}

// The reference driver cases, typed into the window as a user would.
TEST_F(DisplayTest, ReferenceCasesThroughTheWindow) {
    Type(f().Ed_NumInpCycl, "16");
    Type(f().Ed_InpCycl, "20");
    EXPECT_EQ(f().State().NumMessages, 28);
    EXPECT_EQ(f().Ed_ETO.Text(), "16");
    EXPECT_EQ(f().Ed_CTO.Text(), "29");
    EXPECT_EQ(f().Ed_Rmax.Text(), "46");
    EXPECT_EQ(f().Ed_Alarm.Text(), "37");
    EXPECT_EQ(Status(), texts::kEstimates);
}

TEST_F(DisplayTest, RouterReferenceCaseThroughTheWindow) {
    f().CB_Routers.SetChecked(true);
    Type(f().Ed_NumRouters, "3");
    f().CB_RouterType.UserSelect(5);
    Type(f().Ed_MDSeg, "100");
    Type(f().Ed_LongSeg, "200");
    Type(f().Ed_Mainpath, "600");
    EXPECT_EQ(f().Ed_Baud.Text(), "500");
    EXPECT_EQ(f().Ed_BaudLong.Text(), "50");
    EXPECT_EQ(f().Ed_RouterCorrRes.Text(), "120");
    EXPECT_EQ(f().Ed_ETO.Text(), "127");
    EXPECT_EQ(f().Ed_CTO.Text(), "140");
    EXPECT_EQ(f().Ed_Rmax.Text(), "268");
    EXPECT_EQ(f().Ed_Alarm.Text(), "259");
    EXPECT_EQ(Status(), texts::kEstimates);
}

} // namespace
} // namespace qntcalc::testing
