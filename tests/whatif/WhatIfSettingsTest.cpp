#include "whatif/WhatIfSettings.h"

#include "whatif/WhatIfForm.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

struct ReadRow {
    const char* name;
    const char* ini;
    std::optional<Field> input;
    Requirements required;
    std::optional<SweepRange> range = std::nullopt;
};

void PrintTo(const ReadRow& row, std::ostream* os) {
    *os << row.name;
}

class WhatIfSettingsReadTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(WhatIfSettingsReadTest, TakesWhatCanBeUsedAndDefaultsTheRest) {
    WhatIfForm form;
    WhatIfSettings settings(form);
    settings.ReadSettings(IniFile::FromBytes(GetParam().ini));
    EXPECT_EQ(form.ChosenInput(), GetParam().input);
    EXPECT_EQ(form.Required().rmaxMs, GetParam().required.rmaxMs);
    EXPECT_EQ(form.Required().etoMs, GetParam().required.etoMs);
    EXPECT_EQ(form.Required().ctoMs, GetParam().required.ctoMs);
    EXPECT_EQ(form.Request().range, GetParam().range);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WhatIfSettingsReadTest,
    ::testing::Values(
        ReadRow{"NoSection", "[Settings]\nProject=x\n", {}, {300, {}, {}}},
        // An older version's requirements: the project has its own now.
        ReadRow{"Everything",
                "[whatif]\ninput=numiod\nRequireRmax=250\nRequireETO=40\nRequireCTO=90\n",
                Field::NumIOD,
                {300, {}, {}}},
        ReadRow{"Unusable",
                "[WhatIf]\nInput=Rmax\nRequireRmax=0\nRequireETO=-4\nRequireCTO=1e3\n",
                {},
                {300, {}, {}}},
        ReadRow{"RangeInOrder",
                "[WhatIf]\nInput=Mainpath\nFrom=600\nTo=-1\n",
                Field::Mainpath,
                {300, {}, {}},
                SweepRange{-1, 600}},
        ReadRow{"RangeWithoutItsInput", "[WhatIf]\nFrom=0\nTo=50\n", {}, {300, {}, {}}},
        ReadRow{"RangeOfAnUnknownInput",
                "[WhatIf]\nInput=Rmax\nFrom=0\nTo=50\n",
                {},
                {300, {}, {}}},
        ReadRow{"RangeWithOneEnd",
                "[WhatIf]\nInput=NumIOD\nFrom=0\nTo=5.5\n",
                Field::NumIOD,
                {300, {}, {}}}),
    [](const ::testing::TestParamInfo<ReadRow>& info) { return std::string(info.param.name); });

TEST(WhatIfSettingsWrite, KeepsTheQuestionAndDropsWhatIsNoLongerRequired) {
    WhatIfForm form;
    form.ChooseInput(Field::InpCycl);
    form.SetRequirements({250, 40, std::nullopt});
    IniFile ini = IniFile::FromBytes("[WhatIf]\nRequireCTO=90\n[Other]\nKey=1\n");
    ASSERT_TRUE(WhatIfSettings(form).WriteSettings(ini).Ok());
    EXPECT_EQ(ini.Content(), "[WhatIf]\nInput=InpCycl\n[Other]\nKey=1\n");

    WhatIfForm back;
    WhatIfSettings(back).ReadSettings(ini);
    EXPECT_EQ(back.ChosenInput(), Field::InpCycl);
    EXPECT_EQ(back.Required(), Requirements());
    EXPECT_EQ(back.Request().range, std::nullopt);

    // A range chosen by hand goes with its input, and only while it is chosen.
    form.SetRange(7, 70);
    ASSERT_TRUE(WhatIfSettings(form).WriteSettings(ini).Ok());
    EXPECT_EQ(ini.ReadString("WhatIf", "From", ""), "7");
    EXPECT_EQ(ini.ReadString("WhatIf", "To", ""), "70");
    WhatIfSettings(back).ReadSettings(ini);
    EXPECT_EQ(back.Request().range, (SweepRange{7, 70}));
    form.ResetRange();
    ASSERT_TRUE(WhatIfSettings(form).WriteSettings(ini).Ok());
    EXPECT_FALSE(ini.ValueExists("WhatIf", "From"));
    EXPECT_FALSE(ini.ValueExists("WhatIf", "To"));
}

} // namespace
} // namespace qntcalc
