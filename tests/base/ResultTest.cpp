#include "base/Result.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

using F = Result::Failure;

TEST(ResultTest, EachFailureReadsWithItsVerb) {
    const std::pair<Result, std::string> rows[] = {
        {{}, ""},
        {{F::Missing, "a.ini", "No such file or directory"},
         "Cannot open \"a.ini\": No such file or directory"},
        {{F::KeptUnread, "a.ini", "Is a directory"}, "Cannot write \"a.ini\": Is a directory"},
        {{F::Unwritable, "a.ini", "Permission denied"},
         "Cannot write \"a.ini\": Permission denied"},
        {{F::NotRenamed, "a.ini", "File exists"}, "Cannot rename \"a.ini\": File exists"},
        {{F::NotPutBack, "a.BAK", "File exists"}, "Cannot put back \"a.BAK\": File exists"},
        {Result::Unsuitable("read", "a.exe", "None"), "Cannot read \"a.exe\": None"},
        {{F::NotTypeable, "CVesk", "Not now"}, "Cannot type into \"CVesk\": Not now"},
        {{F::BadRange, "Mainpath", "Too many"}, "Cannot sweep \"Mainpath\": Too many"},
        {Result::Unsuitable("restore", "MasterForm", "Other"), "Cannot restore \"MasterForm\": Other"},
        {Result::BadArgument("--sweep needs a key"), "--sweep needs a key"},
    };
    for (const auto& [result, message] : rows)
        EXPECT_EQ(result.Message(), message);
}

// Save as that cannot write and then cannot put the backup back says both.
TEST(ResultTest, FailuresOnTheWayBackFollowALineEach) {
    Result written{F::Unwritable, "a.ini", "Permission denied"};
    written.Also({});
    EXPECT_EQ(written.Message(), "Cannot write \"a.ini\": Permission denied");
    written.Also({F::NotPutBack, "a.BAK", "File exists"});
    written.Also({F::NotRenamed, "b", "c"});
    EXPECT_EQ(written.Message(), "Cannot write \"a.ini\": Permission denied\n"
                                 "Cannot put back \"a.BAK\": File exists\n"
                                 "Cannot rename \"b\": c");
    EXPECT_EQ(written.failure, F::Unwritable);
}

} // namespace
} // namespace qntcalc
