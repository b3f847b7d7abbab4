#include "ui/Controls.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

class CountingObserver : public ControlObserver {
public:
    void ControlChanged(const Control& control) override { changed.push_back(control.Name()); }
    std::vector<std::string> changed;
};

class ControlsTest : public ::testing::Test {
protected:
    ControlsTest() { set.AddObserver(&observer); }
    ControlSet set;
    CountingObserver observer;
};

TEST_F(ControlsTest, EditFieldNotifiesOnlyRealChanges) {
    EditField edit(set, "Ed", 20, "", "100");
    int changes = 0;
    int enters = 0;
    edit.OnChange = [&] { ++changes; };
    edit.OnEnter = [&] { ++enters; };
    edit.SetText("100");
    EXPECT_EQ(changes, 0);
    edit.SetText("300");
    EXPECT_EQ(changes, 1);
    edit.Enter();
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(observer.changed, std::vector<std::string>{"Ed"});
}

TEST_F(ControlsTest, CheckBoxClicksOnEveryRealChange) {
    CheckBox box(set, "CB", 20, "", "Routers");
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.SetChecked(false);
    box.SetChecked(true);
    box.SetChecked(true);
    box.SetChecked(false);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, RadioSelectionClicksOnlyTheNewlySelected) {
    RadioGroup group;
    RadioButton main(set, group, "RB_Main", 20, "", "");
    RadioButton baud(set, group, "RB_Baud", 20, "", "");
    int mainClicks = 0;
    int baudClicks = 0;
    main.OnClick = [&] { ++mainClicks; };
    baud.OnClick = [&] { ++baudClicks; };

    main.SetChecked(true);
    baud.SetChecked(true);
    EXPECT_FALSE(main.Checked());
    EXPECT_EQ(mainClicks, 1);
    EXPECT_EQ(baudClicks, 1);

    baud.SetChecked(true);
    EXPECT_EQ(baudClicks, 1) << "already selected";

    baud.SetChecked(false);
    EXPECT_FALSE(baud.Checked());
    EXPECT_FALSE(main.Checked()) << "deselecting leaves the group with none";
    EXPECT_EQ(mainClicks + baudClicks, 2);
}

TEST_F(ControlsTest, ComboBoxRaisesOnlyForTheUser) {
    ComboBox combo(set, "CB_RouterType", 24, "");
    combo.Add("a");
    combo.Add("b");
    int changes = 0;
    combo.OnChange = [&] { ++changes; };
    combo.SetItemIndex(1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(combo.Text(), "b");
    combo.UserSelect(0);
    EXPECT_EQ(changes, 1);
    combo.SetItemIndex(7);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
}

TEST_F(ControlsTest, PageControlKeepsHiddenActivePageAndAllowsNone) {
    PageControl pages(set, "PageControl1", 10, {{"A", "a", 20}, {"B", "b", 21}});
    pages.SetActivePageIndex(1);
    pages.SetTabVisible(1, false);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    pages.UserSelectPage(1);
    pages.SetActivePageIndex(0);
    pages.UserSelectPage(1);
    EXPECT_EQ(pages.ActivePageIndex(), 0) << "a hidden tab cannot be picked";
    pages.SetActivePageIndex(9);
    EXPECT_EQ(pages.ActivePageIndex(), -1);
}

TEST_F(ControlsTest, StepsGoToTheNextVisiblePageRoundTheEnds) {
    struct Row {
        const char* name;
        int active;
        std::vector<int> hidden;
        int step;
        int expected;
    };
    for (const Row& row : {
             Row{"Next", 0, {}, 1, 1},
             Row{"Previous", 2, {}, -1, 1},
             Row{"PastHidden", 0, {1, 2}, 1, 3},
             Row{"RoundTheEnd", 3, {}, 1, 0},
             Row{"RoundTheStart", 0, {3}, -1, 2},
             Row{"FromAHiddenActivePage", 1, {1}, 1, 2},
             Row{"FromNoPage", -1, {0}, 1, 1},
             Row{"FromNoPageBack", -1, {}, -1, 3},
             Row{"OnlyPage", 2, {0, 1, 3}, 1, 2},
         }) {
        PageControl pages(set, "PageControl1", 10,
                          {{"A", "a", 20}, {"B", "b", 21}, {"C", "c", 22}, {"D", "d", 23}});
        for (int page : row.hidden)
            pages.SetTabVisible(page, false);
        pages.SetActivePageIndex(row.active);
        pages.UserStepPage(row.step);
        EXPECT_EQ(pages.ActivePageIndex(), row.expected) << row.name;
    }
}

TEST_F(ControlsTest, MenuGroupIsExclusiveAndSetWithoutHandlers) {
    MenuGroup group;
    MenuItem a(set, "Standard", 15, "Standard mode", "", &group);
    MenuItem b(set, "Expert", 15, "Expert mode", "", &group);
    int clicks = 0;
    a.OnClick = b.OnClick = [&] { ++clicks; };
    a.SetChecked(true);
    b.SetChecked(true);
    EXPECT_FALSE(a.Checked());
    b.SetChecked(false);
    EXPECT_FALSE(a.Checked());
    EXPECT_FALSE(b.Checked());
    EXPECT_EQ(clicks, 0);
    a.Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, IndicatorShowsPositionClampedToItsRange) {
    IndicatorBar bar(set, "BAR_Reaction", 10, "", 800);
    struct Row {
        int position, maximum, shown;
    };
    for (Row row : {Row{340, 300, 300}, Row{57, 300, 57}, Row{-5, 300, 0}, Row{500, 500, 500}}) {
        bar.SetPosition(row.position);
        bar.SetMaximum(row.maximum);
        EXPECT_EQ(bar.ShownPosition(), row.shown) << row.position;
    }
}

} // namespace
} // namespace qntcalc
