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
    EXPECT_EQ(form.Note(), "The limits are being computed…") << "a blank table is no answer";
    ASSERT_TRUE(form.Accept(AnswerNow()));
    EXPECT_TRUE(form.UpToDate());
    EXPECT_EQ(form.Shown()->required.rmaxMs, 27);
    form.SetUpdating(true);
    EXPECT_FALSE(form.Stale()) << "the rows answer the latest request";
    EXPECT_EQ(form.Note(), "");
    Require(300);
    EXPECT_FALSE(form.UpToDate());
    EXPECT_EQ(form.RowCount(), 7u) << "shown until the next answer";
    EXPECT_TRUE(form.Stale());
    EXPECT_EQ(form.Note(), "Updating…");
    form.SetUpdating(false);
    EXPECT_FALSE(form.Stale()) << "only once the runner has waited long";
    EXPECT_EQ(form.Note(), "");
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
    EXPECT_EQ(form.Columns(), LimitsColumns::Meeting);
    EXPECT_EQ(form.Headings(), (std::vector<std::string>{"Input", "Current", "Last meeting",
                                                         "First failing", "Margin", "Cause"}));
    EXPECT_EQ(form.Cells(3),
              (std::vector<std::string>{
                  "Main path [m]", "100", "1,450", "1,451", "1,350 (1,350.0%)",
                  "worst case reaction time 340 ms above the required 300 ms"}));
    EXPECT_FALSE(form.Fails(3));
    Require(27);
    ASSERT_TRUE(form.Accept(AnswerNow()));
    EXPECT_TRUE(form.Fails(0));
}

// The values a user may take over, only from an answer to the latest
// request; a kept input offers no fix and says so.
TEST_F(LimitsFormTest, ValuesToUseAndKeptInputs) {
    const auto rowOf = [this](Field field) {
        for (std::size_t row = 0; row < form.RowCount(); ++row) {
            if (form.FieldOf(row) == field)
                return row;
        }
        ADD_FAILURE() << "no row";
        return std::size_t{0};
    };
    KeptInputs kept;
    kept.Set(F::Mainpath, true);
    form.Changed({27, std::nullopt, std::nullopt, kept});
    ASSERT_TRUE(form.Accept(AnswerNow()));
    const std::size_t path = rowOf(F::Mainpath);
    EXPECT_TRUE(form.Kept(path));
    EXPECT_EQ(form.NearestMeeting(path), std::nullopt);
    EXPECT_EQ(form.Cells(path)[0], "Main path [m] (kept)");
    EXPECT_EQ(form.Cells(path)[kLimitNearestColumn], "kept, not searched");
    const std::size_t devices = rowOf(F::NumIOD);
    EXPECT_FALSE(form.Kept(devices));
    EXPECT_EQ(form.LastMeeting(devices), std::nullopt) << "the current value fails";
    ASSERT_TRUE(form.NearestMeeting(devices).has_value());

    Require(300);
    ASSERT_TRUE(form.Accept(AnswerNow()));
    EXPECT_EQ(form.LastMeeting(rowOf(F::Mainpath)), 1450);
    EXPECT_EQ(form.NearestMeeting(rowOf(F::Mainpath)), std::nullopt) << "it meets already";
    Require(301);
    EXPECT_EQ(form.LastMeeting(rowOf(F::Mainpath)), std::nullopt) << "out of date";
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
    const std::size_t last = form.RowCount() - 1;
    form.SetCharted(form.FieldOf(last));
    EXPECT_EQ(form.HighlightedRow(), last) << "the last row";
    form.SetCharted(std::nullopt);
    EXPECT_EQ(form.HighlightedRow(), std::nullopt);
}

} // namespace
} // namespace qntcalc::testing
