#include "whatif/LimitsForm.h"

#include "tests/support/WindowFixture.h"

namespace qntcalc::testing {
namespace {

using F = Field;

class LimitsFormTest : public WindowTest {
protected:
    // The form's request, answered from the main window as it is now.
    LimitsAnswer AnswerNow() {
        return *AnswerLimits(WindowSnapshot(f()), form.Request(), [] { return true; });
    }
    void Require(int32_t rmaxMs) { form.Changed({rmaxMs, std::nullopt, std::nullopt}); }

    LimitsForm form;
};

TEST_F(LimitsFormTest, TakesOnlyTheAnswerToTheLatestRequest) {
    Require(300);
    LimitsAnswer older = AnswerNow();
    Require(27);
    EXPECT_FALSE(form.Accept(older));
    EXPECT_EQ(form.Shown(), nullptr);
    EXPECT_EQ(form.RowCount(), 0u);
    ASSERT_TRUE(form.Accept(AnswerNow()));
    EXPECT_TRUE(form.UpToDate());
    EXPECT_EQ(form.Shown()->required.rmaxMs, 27);
    Require(300);
    EXPECT_FALSE(form.UpToDate());
    EXPECT_EQ(form.RowCount(), 7u) << "shown until the next answer";
}

TEST_F(LimitsFormTest, RowsTightestFirstWithTheirCells) {
    Require(300);
    ASSERT_TRUE(form.Accept(AnswerNow()));
    std::vector<Field> order;
    for (std::size_t row = 0; row < form.RowCount(); ++row)
        order.push_back(form.FieldOf(row));
    EXPECT_EQ(order, (std::vector<Field>{F::NumInp, F::NumIOD, F::NumOut, F::Mainpath, F::NumVesk,
                                         F::NumInpCycl, F::NumOutCycl}));
    // 1,350 m beyond 100 m.
    EXPECT_DOUBLE_EQ(*form.Shown()->limits[3].marginPercent, 1350.0);
    EXPECT_EQ(form.Cells(3), (std::array<std::string, kLimitColumns>{
                                 "Main path [m]", "100", "up", "1,450", "1,451", "1,350", "1,350.0",
                                 "-", "worst case reaction time 340 ms above the required 300 ms"}));
    EXPECT_FALSE(form.Fails(3));
    Require(27);
    ASSERT_TRUE(form.Accept(AnswerNow()));
    EXPECT_TRUE(form.Fails(0));
}

TEST_F(LimitsFormTest, HighlightsTheChartedInputWhereverTheOrderPutsIt) {
    form.SetCharted(F::NumIOD);
    EXPECT_EQ(form.HighlightedRow(), std::nullopt) << "no rows yet";
    Require(300);
    ASSERT_TRUE(form.Accept(AnswerNow()));
    EXPECT_EQ(form.HighlightedRow(), 1u);
    Require(27);
    ASSERT_TRUE(form.Accept(AnswerNow()));
    EXPECT_EQ(form.HighlightedRow(), 0u) << "the smallest fix";
    form.SetCharted(std::nullopt);
    EXPECT_EQ(form.HighlightedRow(), std::nullopt);
}

} // namespace
} // namespace qntcalc::testing
