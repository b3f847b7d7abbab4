#include "window/PageLayout.h"

#include "window/FieldTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace qntcalc {
namespace {

using namespace page_layout;

// Where each named control is placed: its page, counted once per cell.
std::multimap<std::string, Page> Placed() {
    std::multimap<std::string, Page> placed;
    for (const PageCells& page : kPages) {
        for (const Cell& cell : page.cells) {
            for (std::string_view name : cell.controls) {
                if (!name.empty())
                    placed.emplace(std::string(name), page.page);
            }
        }
    }
    return placed;
}

TEST(PageLayoutTest, EveryPageControlHasOneCell) {
    MasterFormControls form;
    const auto placed = Placed();
    // Above the pages, below them or in the menu.
    const std::set<std::string> offPage{"MasterForm", "GroupBox5", "Ed_Project", "Lbl_Date",
                                        "File1",      "Edit1",     "Options",    "Help1"};
    for (const auto& [name, page] : placed) {
        EXPECT_NE(form.controls.Find(name), nullptr) << name;
        EXPECT_EQ(placed.count(name), 1u) << name;
    }
    for (const Control* control : form.controls.All()) {
        const bool onPage = std::visit(
            Overloaded{[](const Label*) { return true; }, [](const EditField*) { return true; },
                       [](const CheckBox*) { return true; },
                       [](const RadioButton*) { return true; },
                       [](const ComboBox*) { return true; }, [](const auto*) { return false; }},
            control->Kind());
        if (onPage && !offPage.count(control->Name())) {
            EXPECT_EQ(placed.count(control->Name()), 1u) << control->Name();
        }
    }
}

TEST(PageLayoutTest, FieldsSitOnTheirPages) {
    MasterFormControls form;
    const auto placed = Placed();
    for (const FieldRow& row : kFieldRows) {
        const std::string& name = (form.*row.edit).Name();
        ASSERT_EQ(placed.count(name), 1u) << name;
        EXPECT_EQ(placed.find(name)->second, row.page) << name;
    }
    for (std::size_t index = 0; index < kPages.size(); ++index)
        EXPECT_EQ(static_cast<std::size_t>(kPages[index].page), index);
}

} // namespace
} // namespace qntcalc
