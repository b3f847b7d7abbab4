#include "fileio/Paths.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

struct PathRow {
    const char* name;
    PathStyle style;
    const char* path;
    const char* dir;
    const char* cut;
    const char* base;
};

void PrintTo(const PathRow& row, std::ostream* os) {
    *os << row.name;
}

class PathRuleTest : public testing::TestWithParam<PathRow> {};

TEST_P(PathRuleTest, CutsThePath) {
    const PathRow& row = GetParam();
    EXPECT_EQ(DirOfPath(row.path, row.style), row.dir);
    EXPECT_EQ(CutExtension(row.path), row.cut);
    EXPECT_EQ(BaseNameOfPath(row.path, row.style), row.base);
}

constexpr PathStyle kWin = PathStyle::Windows;
constexpr PathStyle kPosix = PathStyle::Posix;

INSTANTIATE_TEST_SUITE_P(
    Paths, PathRuleTest,
    testing::Values(
        PathRow{"WinPlans", kWin, "D:\\plans\\alpha.ini", "D:\\plans", "D:\\plans\\alpha", "alpha"},
        PathRow{"WinDriveRoot", kWin, "D:\\alpha.ini", "D:", "D:\\alpha", "alpha"},
        PathRow{"WinDottedDir", kWin, "D:\\ver2.5\\alpha", "D:\\ver2.5", "D:\\ver2", ""},
        PathRow{"WinDriveRelative", kWin, "D:alpha.ini", "D", "D:alpha", "alpha"},
        PathRow{"WinNoSeparator", kWin, "alpha.ini", "", "alpha", "alpha"},
        PathRow{"WinLeadingSeparator", kWin, "\\alpha.ini", "", "\\alpha", "alpha"},
        PathRow{"WinNoExtension", kWin, "D:\\plans\\alpha", "D:\\plans", "D:\\plans\\alpha",
                "alpha"},
        PathRow{"WinTwoDots", kWin, "D:\\a.b.ini", "D:", "D:\\a.b", "a.b"},
        PathRow{"WinTrailingSeparator", kWin, "D:\\plans\\", "D:\\plans", "D:\\plans\\", ""},
        PathRow{"WinOnlyExtension", kWin, "D:\\plans\\.ini", "D:\\plans", "D:\\plans\\", ""},
        PathRow{"WinSlashIsNoSeparator", kWin, "D:/plans/alpha.ini", "D", "D:/plans/alpha",
                "/plans/alpha"},
        PathRow{"WinEmpty", kWin, "", "", "", ""},
        PathRow{"PosixPlans", kPosix, "/home/plans/alpha.ini", "/home/plans", "/home/plans/alpha",
                "alpha"},
        PathRow{"PosixRoot", kPosix, "/alpha.ini", "", "/alpha", "alpha"},
        PathRow{"PosixDottedDir", kPosix, "/home/ver2.5/alpha", "/home/ver2.5", "/home/ver2", ""},
        PathRow{"PosixRelative", kPosix, "plans/alpha.ini", "plans", "plans/alpha", "alpha"},
        PathRow{"PosixHiddenFile", kPosix, "/home/.qntcalc", "/home", "/home/", ""},
        PathRow{"PosixBackslashIsNoSeparator", kPosix, "D:\\plans\\alpha.ini", "",
                "D:\\plans\\alpha", "D:\\plans\\alpha"},
        PathRow{"PosixNonAscii", kPosix, "/home/Mäßig/Plan ü.ini", "/home/Mäßig",
                "/home/Mäßig/Plan ü", "Plan ü"}),
    [](const testing::TestParamInfo<PathRow>& info) { return info.param.name; });

TEST(JoinPathTest, UsesTheStyleSeparator) {
    EXPECT_EQ(JoinPath("D:\\work", "QntCalc.ini", PathStyle::Windows), "D:\\work\\QntCalc.ini");
    EXPECT_EQ(JoinPath("/home/work", "QntCalc.ini", PathStyle::Posix), "/home/work/QntCalc.ini");
}

} // namespace
} // namespace qntcalc
