#include "project/WhatIfSettings.h"

#include "app/WhatIfForm.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

struct ReadRow {
    const char* name;
    const char* ini;
    std::optional<Field> input;
    Requirements required;
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
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WhatIfSettingsReadTest,
    ::testing::Values(
        ReadRow{"NoSection", "[Settings]\nProject=x\n", {}, {300, {}, {}}},
        ReadRow{"Everything",
                "[whatif]\ninput=numiod\nRequireRmax=250\nRequireETO=40\nRequireCTO=90\n",
                Field::NumIOD,
                {250, 40, 90}},
        ReadRow{"Unusable",
                "[WhatIf]\nInput=Rmax\nRequireRmax=0\nRequireETO=-4\nRequireCTO=1e3\n",
                {},
                {300, {}, {}}}),
    [](const ::testing::TestParamInfo<ReadRow>& info) { return std::string(info.param.name); });

TEST(WhatIfSettingsWrite, KeepsTheQuestionAndDropsWhatIsNoLongerRequired) {
    WhatIfForm form;
    form.ChooseInput(Field::InpCycl);
    form.SetRequirements({250, 40, std::nullopt});
    IniFile ini = IniFile::FromBytes("[WhatIf]\nRequireCTO=90\n[Other]\nKey=1\n");
    ASSERT_TRUE(WhatIfSettings(form).WriteSettings(ini).Ok());
    EXPECT_EQ(ini.Content(),
              "[WhatIf]\nInput=InpCycl\nRequireRmax=250\nRequireETO=40\n[Other]\nKey=1\n");

    WhatIfForm back;
    WhatIfSettings(back).ReadSettings(ini);
    EXPECT_EQ(back.ChosenInput(), Field::InpCycl);
    EXPECT_EQ(back.Required().etoMs, 40);
    EXPECT_EQ(back.Required().ctoMs, std::nullopt);
}

} // namespace
} // namespace qntcalc
