#include "text/Strings.h"

#include <gtest/gtest.h>

namespace qntcalc::text {
namespace {

TEST(FormatTest, FillsNumberedPlacesOnce) {
    struct Row {
        std::string_view pattern;
        std::string expected;
    };
    const Row rows[] = {
        {"%2 before %1", "b before a"},
        {"%1%1", "aa"},
        {"%3 has no argument", "%3 has no argument"},
        {"100% and %0 stay", "100% and %0 stay"},
        {"ends with %", "ends with %"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Format(row.pattern, {"a", "b"}), row.expected) << row.pattern;
    // An argument is never read as a pattern itself.
    EXPECT_EQ(Format("%1 %2", {"%2", "x"}), "%2 x");
}

TEST(SameNameTest, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(SameName("MainPath", "mainpath"));
    EXPECT_TRUE(SameName("NUMIOD", "NumIOD"));
    EXPECT_FALSE(SameName("Mainpath", "Mainpat"));
    EXPECT_FALSE(SameName("\xC4", "\xE4")); // Latin-1 letters are not folded
    EXPECT_FALSE(SameName("@", "`"));       // just outside A to Z
    EXPECT_FALSE(SameName("[", "{"));
}

} // namespace
} // namespace qntcalc::text
