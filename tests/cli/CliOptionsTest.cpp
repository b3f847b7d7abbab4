#include "cli/CliOptions.h"

#include <optional>

#include <gtest/gtest.h>

namespace qntcalc::cli {
namespace {

// The options read, or nothing when the arguments are refused.
std::optional<Options> Parsed(const std::vector<std::string>& args) {
    Options options;
    if (!ParseArguments(args, options).Ok())
        return std::nullopt;
    return options;
}

TEST(CliOptionsTest, ReadsEveryOptionInBothSpellings) {
    const auto parsed = Parsed({"--mode=expert", "--set", "Mainpath=300", "--set=NumIOD=4",
                                "--json", "--require-rmax", "250", "--save=out.ini",
                                "--keep=mainpath, NumIOD", "a.ini"});
    ASSERT_TRUE(parsed.has_value());
    const Options& o = *parsed;
    EXPECT_EQ(o.mode, "expert");
    EXPECT_EQ(o.sets, (std::vector<std::pair<std::string, std::string>>{{"Mainpath", "300"},
                                                                        {"NumIOD", "4"}}));
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.required.rmaxMs, 250);
    ASSERT_TRUE(o.required.kept.has_value());
    EXPECT_TRUE(o.required.kept->Has(Field::Mainpath));
    EXPECT_TRUE(o.required.kept->Has(Field::NumIOD));
    EXPECT_FALSE(o.required.kept->Has(Field::NumVesk));
    EXPECT_EQ(o.saveTo, "out.ini");
    EXPECT_EQ(o.files, std::vector<std::string>{"a.ini"});
}

TEST(CliOptionsTest, ValuesMayHoldEqualsAndFilesMayLookLikeOptions) {
    const auto parsed = Parsed(
        {"--set", "Project=a=b; c", "--set", "RouterType=Lindat + Vesk QN Router", "--", "--json"});
    ASSERT_TRUE(parsed.has_value());
    const Options& o = *parsed;
    EXPECT_EQ(o.sets[0].second, "a=b; c");
    EXPECT_FALSE(o.json);
    EXPECT_EQ(o.files, std::vector<std::string>{"--json"});
}

TEST(CliOptionsTest, SweepRangeRunsEitherWay) {
    const auto parsed = Parsed({"--sweep=inpcycl=30:-3:11", "--csv"});
    ASSERT_TRUE(parsed.has_value());
    const SweepSpec& sweep = *parsed->sweep;
    EXPECT_EQ(sweep.key, "inpcycl");
    EXPECT_EQ(sweep.from, 30);
    EXPECT_EQ(sweep.to, -3);
    EXPECT_EQ(sweep.step, 11);
    EXPECT_EQ(Parsed({"--sweep", "NumIOD=-2147483648:2147483647:4294967"})->sweep->step, 4294967);
    EXPECT_EQ(Parsed({"--sweep", "Mainpath=-999999:0"})->sweep->from, -999999);
}

TEST(CliOptionsTest, KeysMatchWithoutRegardToCase) {
    EXPECT_TRUE(Parsed({"--set", "mainpath=300"}).has_value());
    EXPECT_TRUE(Parsed({"--set", "vesk1=1"}).has_value());
}

TEST(CliOptionsTest, RejectsWhatCannotBeMeant) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--mode"},
                                               {"--require-rmax", "-5"},
                                               {"--require-rmax", "99999999999"},
                                               {"--save", ""},
                                               {"--set", "RepeaterType=Mirato - raylink"},
                                               {"--set", "RouterTypeIdx=3"},
                                               {"--set", "PageSelect=2"},
                                               {"-x"}})
        EXPECT_FALSE(Parsed(args).has_value()) << args[0];
}

TEST(CliOptionsTest, RejectsWhatIfOptionsThatCannotBeMeant) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--sweep", "Mainpath=1:2:x"},
             {"--sweep", "Mainpath=1::2"},
             {"--sweep", "Mainpath=0:2147483648"},
             {"--sweep", "Mainpath=0:1000000"},
             {"--sweep", "NumIOD=-2147483648:2147483647"},
             {"--headroom", "Mainpath", "--require-rmax", "1", "--require-cto", "-1"},
             {"--headroom", "Mainpath", "--require-rmax", "1", "--to", "ten"},
             {"--sweep", "Mainpath=1:2", "--headroom", "NumIOD"},
             {"--sweep", "Mainpath=1:2", "--save", "a.ini"},
             {"--sweep", "Mainpath=1:2", "--csv", "--json"}})
        EXPECT_FALSE(Parsed(args).has_value()) << args[1];
}

} // namespace
} // namespace qntcalc::cli
