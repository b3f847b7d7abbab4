#include "fileio/IniFile.h"
#include "tests/support/GermanLocale.h"
#include "tests/support/IniFiles.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sys/stat.h>
#include <sys/wait.h>

namespace qntcalc {
namespace {

struct CliRun {
    int exit = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the built tool the way a script does, in the test's directory.
class CliTest : public TempDirTest {
protected:
    // `environment`: NAME=VALUE settings for the run.
    CliRun Cli(const std::vector<std::string>& args, const std::string& environment = "") {
        std::string command =
            "cd " + Quote(dir_.string()) + " && env " + environment + " " + Quote(QNTCALC_CLI);
        for (const std::string& arg : args)
            command += " " + Quote(arg);
        command += " >" + Quote(Path("out.txt")) + " 2>" + Quote(Path("err.txt")) + " </dev/null";
        const int status = std::system(command.c_str());
        CliRun run;
        run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadBytes("out.txt");
        run.err = ReadBytes("err.txt");
        return run;
    }

    nlohmann::json Json(const std::vector<std::string>& args, int expectedExit = 0) {
        std::vector<std::string> all{"--json"};
        all.insert(all.end(), args.begin(), args.end());
        const CliRun run = Cli(all);
        EXPECT_EQ(run.exit, expectedExit) << run.err;
        return nlohmann::json::parse(run.out);
    }
};

constexpr const char* kRouterProject =
    "[Settings]\r\nProject=Press line\r\nMainpath=600\r\n"
    "CBRouters=1\r\nCBRepeaters=0\r\nCBDropLines=0\r\n"
    "NumRouters=3\r\nRouterType=Brenner Elektronik - Lindat\r\n"
    "LongSeg=200\r\nMDSeg=100\r\nNumIOD=10\r\nNumVesk=1\r\n"
    "NumInp=64\r\nNumOut=50\r\nCVesk=7\r\n[Mode]\r\nStandard=1\r\n";

TEST_F(CliTest, StartStateWithCyclicInputs) {
    const auto j = Json({"--set", "NumInpCycl=16", "--set", "InpCycl=20"});
    EXPECT_EQ(j["file"], nullptr);
    EXPECT_EQ(j["mode"], "Standard");
    EXPECT_EQ(j["numMessages"], 28);
    EXPECT_EQ(j["fields"]["ETO"], "16");
    EXPECT_EQ(j["fields"]["CTO"], "29");
    EXPECT_EQ(j["fields"]["Rmax"], "46");
    EXPECT_EQ(j["fields"]["Alarm"], "37");
    EXPECT_EQ(j["stable"], true);
    EXPECT_EQ(j["status"]["severity"], "info");
    EXPECT_EQ(j["status"]["text"], "All values are estimates and may differ!");
    EXPECT_EQ(j["indicator"]["panel"], "46 ms");
    EXPECT_EQ(j["pages"], nlohmann::json({"GB_Network", "GB_Devices", "GB_Inputs", "GB_Outputs",
                                          "GB_Results"}));
    EXPECT_EQ(j["activePage"], "GB_Network");
}

// ASCII text as UTF-16 with its byte order mark.
std::string Utf16(std::string_view ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii)
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}

TEST_F(CliTest, ProjectWithRoutersAndItsReport) {
    // As Notepad saves it ("Unicode", "Unicode big endian") and with the
    // line ends of old Mac editors, the project reads the same.
    std::string crOnly = kRouterProject;
    std::erase(crOnly, '\n');
    for (const std::string& bytes : {std::string(kRouterProject), Utf16(kRouterProject, false),
                                     Utf16(kRouterProject, true), crOnly}) {
        WriteBytes("other.ini", bytes);
        const auto other = Json({"other.ini"});
        EXPECT_EQ(other["fields"]["Rmax"], "268") << other["fields"];
        EXPECT_EQ(other["fields"]["Project"], "Press line");
    }
    WriteBytes("press.ini", kRouterProject);
    const auto j = Json({"press.ini"});
    EXPECT_EQ(j["file"], "press.ini");
    EXPECT_EQ(j["fields"]["Baud"], "500");
    EXPECT_EQ(j["fields"]["BaudLong"], "50");
    EXPECT_EQ(j["fields"]["RouterCorrRes"], "120");
    EXPECT_EQ(j["fields"]["ETO"], "127");
    EXPECT_EQ(j["fields"]["CTO"], "140");
    EXPECT_EQ(j["fields"]["Rmax"], "268");
    EXPECT_EQ(j["selections"]["RouterType"], "Brenner Elektronik - Lindat");
    EXPECT_EQ(j["selections"]["CBRouters"], true);

    const CliRun text = Cli({"press.ini"});
    EXPECT_EQ(text.exit, 0);
    for (const char* line : {"Project: Press line (press.ini)", "Mode: Standard", "268 ms",
                             "120 ms", "Status: All values are estimates and may differ!"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;
}

TEST_F(CliTest, OlderFileIsConvertedInMemoryOnly) {
    const std::string old = "[Settings]\nNumVesk1=1\nNumVesk3=2\nCVesk=7\n[Mode]\nExpert=1\n"
                            "Standard=0\n";
    WriteBytes("old.ini", old);
    const auto j = Json({"old.ini"});
    EXPECT_EQ(j["fields"]["NumVesk"], "3");
    EXPECT_EQ(j["selections"]["Vesk3"], true);
    EXPECT_EQ(ReadBytes("old.ini"), old);
}

struct ExitRow {
    const char* name;
    std::vector<std::string> args;
    int exit;
    const char* stderrHas;
    bool oneLine = false; // the whole of standard error
};

void PrintTo(const ExitRow& row, std::ostream* os) {
    *os << row.name;
}

class CliExitTest : public CliTest, public ::testing::WithParamInterface<ExitRow> {};

TEST_P(CliExitTest, ExitStatusAndMessage) {
    std::string garbage(4096, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>(i * 7919 % 251);
    const std::vector<std::pair<std::string, std::string>> files{
        {"press.ini", kRouterProject},
        {"foreign.ini", "[Database]\r\nhost=db.example\r\nport=5432\r\n"},
        {"garbage.ini", garbage}};
    for (const auto& [name, bytes] : files)
        WriteBytes(name, bytes);
    std::filesystem::create_directory(dir_ / "folder.ini");
    ASSERT_EQ(::mkfifo(Path("fifo.ini").c_str(), 0644), 0);
    WriteBytes("big.ini", "[Settings]\nProject=big\n");
    std::filesystem::resize_file(Path("big.ini"), (std::uintmax_t{4} << 20) + 1); // sparse
    const CliRun run = Cli(GetParam().args);
    EXPECT_EQ(run.exit, GetParam().exit) << run.err;
    EXPECT_NE(run.err.find(GetParam().stderrHas), std::string::npos) << run.err;
    if (GetParam().oneLine) {
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(ReadBytes(name), bytes) << name;
    EXPECT_TRUE(std::filesystem::is_directory(Path("folder.ini")));
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo.ini")));
    EXPECT_EQ(std::filesystem::file_size(Path("big.ini")), (std::uintmax_t{4} << 20) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Status, CliExitTest,
    ::testing::Values(
        ExitRow{"Sound", {}, 0, ""}, ExitRow{"SoundFile", {"press.ini"}, 0, ""},
        ExitRow{"ErrorStatus", {"--set", "NumInp=0", "--set", "NumOut=0"}, 1, ""},
        ExitRow{"RmaxWithinLimit", {"--require-rmax", "28"}, 0, ""},
        ExitRow{"RmaxAboveLimit", {"--require-rmax", "27"}, 1, "exceeds 27 ms"},
        ExitRow{"OneOfTwoFilesMissing",
                {"press.ini", "nope.ini"},
                2,
                "Cannot open \"nope.ini\": No such file or directory",
                true},
        ExitRow{"FolderAsFile", {"folder.ini"}, 2, "Cannot open \"folder.ini\": Is a directory", true},
        ExitRow{"ForeignFile",
                {"foreign.ini", "--save", "foreign.ini"},
                2,
                "Cannot open \"foreign.ini\": Not a project file; it has no [Settings] section with "
                "a project key",
                true},
        ExitRow{"GarbageFile", {"--json", "garbage.ini"}, 2, "\"garbage.ini\": Not a project file",
                true},
        ExitRow{"UnknownOption", {"--fast"}, 2, "unknown option \"--fast\""},
        ExitRow{"UnknownKey", {"--set", "Speed=3"}, 2, "Mainpath"},
        ExitRow{"ResultCannotBeSet",
                {"--set", "Mainpath=5000", "--set", "Rmax=5", "--require-rmax", "300"},
                2,
                "Rmax is not a field a user can type into now; keys that can be set now: Project, "
                "Mainpath, NumIOD, NumVesk, NumInp, NumInpCycl, NumOut, NumOutCycl, CBRouters",
                true},
        ExitRow{"CycleTimeOnlyWhileEnteredByHand",
                {"--mode", "expert", "--set", "CVesk=20", "--set", "CVeskManual=1"},
                2,
                "--set CVesk: CVesk is not a field"},
        ExitRow{"RateOnlyWhilePreselected",
                {"--mode", "expert", "--set", "MainBaud=125", "--set", "RB_Baud=1"},
                2,
                "--set MainBaud: MainBaud is not a field"},
        ExitRow{"RouterCorrectionIsComputed",
                {"press.ini", "--set", "RouterCorr=5"},
                2,
                "keys that can be set now: Project, Mainpath, NumRouters, LongSeg, MDSeg, NumIOD"},
        ExitRow{"RouterCorrectionTimedByHand",
                {"press.ini", "--set", "RouterType=Other - Manual time entry", "--set",
                 "RouterCorr=33"},
                0,
                ""},
        // The list is shown, but disabled while no routers are counted.
        ExitRow{"RouterTypeWhileNoRoutersCounted",
                {"--set", "CBRouters=1", "--set", "RouterType=Other - Manual time entry"},
                2,
                "--set RouterType: RouterType is not a list a user can change in the window "
                "now; keys that can be set now: Project, Mainpath, NumRouters, NumIOD, NumVesk, "
                "NumInp, NumInpCycl, NumOut, NumOutCycl, CBRouters, CBRepeaters, CBDropLines\n",
                true},
        // Taken; the segments are still missing.
        ExitRow{"RouterTypeOnceCounted",
                {"--set", "CBRouters=1", "--set", "NumRouters=1", "--set",
                 "RouterType=Harlen - Vesk QN Router"},
                1,
                ""},
        ExitRow{"BoxHiddenInBaudRateMode",
                {"--mode", "baud", "--set", "CBRouters=1"},
                2,
                "--set CBRouters: CBRouters is not a box a user can change in the window now; "
                "keys that can be set now: Project, Mainpath, CBRepeaters, CBDropLines\n",
                true},
        ExitRow{"ButtonOnlyInExpertMode", {"--set", "Vesk1=1"}, 2, "Vesk1 is not a button"},
        ExitRow{"SelectedButtonNotClearedWithZero",
                {"--mode", "expert", "--set", "RB_Main=0"},
                2,
                "--set RB_Main=0: a selected button is cleared by selecting the other of its "
                "pair: --set RB_Baud=1"},
        ExitRow{"ClearButtonStaysClear", {"--mode", "expert", "--set", "RB_Baud=0"}, 0, ""},
        // Cleared, the rate stays computed: nothing to type it into.
        ExitRow{"ClearButtonKeepsTheRateComputed",
                {"--mode", "expert", "--set", "RB_Baud=0", "--set", "MainBaud=125"},
                2,
                "--set MainBaud: MainBaud is not a field"},
        ExitRow{"ListSetToItsFirstEntry",
                {"--set", "CBRouters=1", "--set", "NumRouters=1", "--set",
                 "RouterType=Please select router type!"},
                1,
                ""},
        ExitRow{"PreselectedRate",
                {"--mode", "expert", "--set", "RB_Baud=1", "--set", "MainBaud=125"},
                0,
                ""},
        ExitRow{
            "BooleanNotZeroOrOne", {"--set", "CBRouters=yes"}, 2, "1 (ticked or selected) or 0"},
        ExitRow{"UnknownRouterType", {"--set", "RouterType=Fast"}, 2, "Harlen - Vesk QN Router"},
        ExitRow{"SetWithoutValue", {"--set"}, 2, "--set needs a value"},
        ExitRow{"SetWithoutEquals", {"--set", "Mainpath"}, 2, "KEY=VALUE"},
        ExitRow{"BadMode", {"--mode", "turbo"}, 2, "standard, expert or baud"},
        ExitRow{"BadRmax", {"--require-rmax", "fast"}, 2, "whole number"},
        ExitRow{"RmaxZeroCanNeverBeMet",
                {"--require-rmax", "0"},
                2,
                "--require-rmax needs a whole number of milliseconds, at least 1, not \"0\""},
        ExitRow{"RmaxOneIsTheLeast", {"--require-rmax=1"}, 1, "exceeds 1 ms"},
        ExitRow{"EtoAloneNeedsASearch",
                {"--require-eto", "40"},
                2,
                "--require-eto needs --headroom, --limits or --save"},
        ExitRow{"CtoWithSweepNeedsASearch",
                {"--sweep", "NumIOD=1:2", "--require-cto", "40"},
                2,
                "--require-cto needs --headroom, --limits or --save"},
        ExitRow{"EtoToSave", {"--require-eto", "40", "--save", "x.ini"}, 0, ""},
        ExitRow{"KeepAloneNeedsLimits", {"--keep", "NumIOD"}, 2, "--keep needs --limits or --save"},
        ExitRow{"KeepWithSweep",
                {"--sweep", "NumIOD=1:2", "--keep", "NumIOD", "--save", "x.ini"},
                2,
                "--keep does not apply to --sweep; use --limits"},
        ExitRow{"KeepUnknownInput",
                {"--limits", "--keep", "NumIOD,Bogus"},
                2,
                "--keep: no input is called \"Bogus\"; the inputs that can be kept: Mainpath"},
        ExitRow{"KeepNothing", {"--limits", "--keep="}, 0, ""},
        ExitRow{"ToAloneNeedsHeadroom", {"--to", "5"}, 2, "--to needs --headroom"},
        ExitRow{"SaveTwoFiles", {"--save", "x.ini", "a.ini", "b.ini"}, 2, "at most one"},
        ExitRow{"SaveIntoMissingFolder", {"--save", "no/such/dir.ini"}, 2, "no/such/dir.ini"},
        // A failed save is a failed write, whatever stopped it.
        ExitRow{"SaveOverAFolder",
                {"press.ini", "--save", "folder.ini"},
                2,
                "qntcalc-cli: Cannot write \"folder.ini\": Is a directory",
                true},
        ExitRow{"SaveOverAFifo",
                {"press.ini", "--save", "fifo.ini"},
                2,
                "qntcalc-cli: Cannot write \"fifo.ini\": Not a regular file",
                true},
        ExitRow{"SaveOverAFileAboveTheSizeLimit",
                {"press.ini", "--save", "big.ini"},
                2,
                "qntcalc-cli: Cannot write \"big.ini\": Larger than 4 MiB",
                true},
        ExitRow{"HeadroomMetNow", {"--headroom", "Mainpath", "--require-rmax", "28"}, 0, ""},
        ExitRow{"HeadroomBrokenNow", {"--headroom", "Mainpath", "--require-rmax", "27"}, 1, ""},
        ExitRow{"HeadroomEtoBrokenNow",
                {"--headroom", "NumIOD", "--require-rmax", "300", "--require-eto", "6"},
                1,
                ""},
        ExitRow{"HeadroomCtoEqualMet",
                {"--headroom", "NumIOD", "--require-rmax", "28", "--require-cto", "20"},
                0,
                ""},
        ExitRow{"HeadroomCtoBrokenNow",
                {"--headroom", "NumIOD", "--require-rmax", "28", "--require-cto", "19"},
                1,
                ""},
        ExitRow{"HeadroomLongestSearch",
                {"--headroom", "Mainpath", "--require-rmax", "300", "--to", "1000099"},
                0,
                ""},
        ExitRow{"HeadroomOneValueTooMany",
                {"--headroom", "Mainpath", "--require-rmax", "300", "--to", "1000100"},
                2,
                "--headroom: at most 1,000,000 values, not 1,000,001"},
        // The project's own requirement: 300 ms, as none is saved.
        ExitRow{"HeadroomWithoutRequirement", {"--headroom", "Mainpath"}, 0, ""},
        ExitRow{"HeadroomNotEditableNow",
                {"--headroom", "InpCycl", "--require-rmax", "300"},
                2,
                "inputs that can: Mainpath, NumIOD"},
        ExitRow{"HeadroomUnknownInput",
                {"--headroom", "RouterCorrRes"},
                2,
                "the inputs are: Mainpath, DropMax, DropTot, NumRouters, RouterCorr, LongSeg"},
        ExitRow{"HeadroomRouterCorrectionOfATableType",
                {"press.ini", "--headroom", "RouterCorr", "--require-rmax", "300"},
                2,
                "RouterCorr cannot be typed into in this project's current state"},
        ExitRow{"LimitsMetNow", {"--limits", "--require-rmax", "28"}, 0, ""},
        ExitRow{"LimitsBrokenNow", {"--limits", "--require-rmax", "27"}, 1, ""},
        ExitRow{"LimitsCtoEqualMet",
                {"--limits", "--require-rmax", "28", "--require-cto", "20"},
                0,
                ""},
        ExitRow{"LimitsCtoBrokenNow",
                {"--limits", "--require-rmax", "28", "--require-cto", "19", "--csv"},
                1,
                ""},
        ExitRow{"LimitsOfTwoFilesTheWorst",
                {"--limits", "--require-rmax", "268", "press.ini", "press.ini"},
                0,
                ""},
        ExitRow{"LimitsWithoutRequirement", {"--limits"}, 0, ""},
        ExitRow{"LimitsWithHeadroom",
                {"--limits", "--headroom", "Mainpath", "--require-rmax", "300"},
                2,
                "cannot be combined with --sweep or --headroom"},
        ExitRow{"LimitsWithTo",
                {"--limits", "--require-rmax", "300", "--to", "5"},
                2,
                "--to needs --headroom"},
        ExitRow{"LimitsWithSave",
                {"--limits", "--require-rmax", "300", "--save", "x.ini"},
                2,
                "--save cannot be combined"},
        ExitRow{"LimitsOfAnUnreadableFile",
                {"--limits", "--require-rmax", "300", "garbage.ini"},
                2,
                "garbage.ini"},
        ExitRow{"SweepSound", {"--sweep", "NumIOD=0:80:10"}, 0, ""},
        ExitRow{"SweepWithoutRange", {"--sweep", "Mainpath=100"}, 2, "KEY=FROM:TO[:STEP]"},
        ExitRow{"SweepZeroStep", {"--sweep", "Mainpath=1:9:0"}, 2, "STEP must be 1 or more"},
        ExitRow{"SweepTooLong", {"--sweep", "Mainpath=-2000000:0"}, 2, "at most 1,000,000 values"},
        ExitRow{"SweepCountedIn64Bits",
                {"--sweep", "NumIOD=-2147483648:2147483647"},
                2,
                "at most 1,000,000 values, not 4,294,967,296"},
        ExitRow{"SweepWithRequirement",
                {"--sweep", "Mainpath=1:2", "--require-rmax", "300"},
                2,
                "does not apply"},
        ExitRow{"CsvWithoutSweep", {"--csv"}, 2, "--csv needs --sweep"},
        // A value its check refuses is a bad argument: nothing evaluated.
        ExitRow{"ValueErrorStopsTheRun",
                {"--set", "Mainpath=0"},
                2,
                "Value Error: Value must be greater than 0."},
        // A project is never written over a file that holds none.
        ExitRow{"SaveOverAnIniThatIsNoProject",
                {"press.ini", "--save", "foreign.ini"},
                2,
                "qntcalc-cli: Cannot write \"foreign.ini\": It holds no project, and a project "
                "is written only over a project file or an empty one",
                true},
        ExitRow{"SaveOverBinaryBytes", {"--save", "garbage.ini"}, 2, "It holds no project", true},
        // The FILE forgotten: another project is replaced only with --force.
        ExitRow{"SaveOverAnotherProject",
                {"--save", "press.ini"},
                2,
                "qntcalc-cli: Cannot write \"press.ini\": It holds another project than the one "
                "read; give --force to replace it",
                true},
        ExitRow{"ForceWithoutSave", {"--force"}, 2, "--force needs --save"},
        // Every option but --set and --mode once.
        ExitRow{"SaveTwice", {"--save", "a.ini", "--save=b.ini"}, 2, "--save is given twice"},
        ExitRow{"LimitsTwice", {"--limits", "--limits"}, 2, "--limits is given twice"},
        ExitRow{"RequirementTwice",
                {"--require-rmax", "100", "--require-rmax=200"},
                2,
                "--require-rmax is given twice"},
        ExitRow{"SweepTwice",
                {"--sweep", "NumIOD=1:2", "--sweep", "NumIOD=1:3"},
                2,
                "--sweep is given twice"},
        ExitRow{"HeadroomTwice",
                {"--headroom", "Mainpath", "--headroom", "NumIOD"},
                2,
                "--headroom is given twice"},
        ExitRow{"KeepTwice", {"--limits", "--keep", "NumIOD", "--keep="}, 2, "--keep is given twice"},
        ExitRow{"HelpTwice", {"-h", "--help"}, 2, "--help is given twice"}),
    [](const ::testing::TestParamInfo<ExitRow>& info) { return info.param.name; });

TEST_F(CliTest, ModeAndUserChangesInOrder) {
    const auto j = Json(
        {"--mode", "expert", "--set", "Vesk1=1", "--set", "CVeskManual=1", "--set", "CVesk=20"});
    EXPECT_EQ(j["mode"], "Expert");
    EXPECT_EQ(j["fields"]["CVesk"], "20");
    EXPECT_EQ(j["selections"]["Vesk1"], true);

    EXPECT_EQ(Json({"--set", "mainpath=500"})["fields"]["Mainpath"], "500") << "keys in any case";

    const auto baud = Json({"--mode", "baud"});
    EXPECT_EQ(baud["indicator"]["panel"], "500 kBaud");
    EXPECT_EQ(baud["pages"], nlohmann::json({"GB_Network", "GB_Results"}));

    // The first --mode comes before every --set, a further one in its
    // place: Baud rate mode forces the counts while it lasts and gives them
    // back when it ends.
    const auto back =
        Json({"--mode", "standard", "--set", "NumIOD=30", "--mode", "baud", "--set",
              "Mainpath=200", "--mode", "standard", "--set", "NumVesk=3"});
    EXPECT_EQ(back["mode"], "Standard");
    EXPECT_EQ(back["fields"]["NumIOD"], "30");
    EXPECT_EQ(back["fields"]["Mainpath"], "200");
    EXPECT_EQ(back["fields"]["NumVesk"], "3");
    const auto stays = Json({"--mode", "standard", "--set", "NumIOD=30", "--mode", "baud"});
    EXPECT_EQ(stays["fields"]["NumIOD"], "1");
}

// The window takes a typed router correction time for the manual type only.
TEST_F(CliTest, RouterCorrectionTypedForTheManualType) {
    WriteBytes("press.ini", kRouterProject);
    const std::vector<std::string> manual{
        "press.ini", "--set", "RouterType=Other - Manual time entry", "--set", "RouterCorr=33"};
    const auto j = Json(manual);
    EXPECT_EQ(j["fields"]["RouterCorr"], "33");
    EXPECT_EQ(j["fields"]["RouterCorrRes"], "99");

    std::vector<std::string> sweep = manual;
    sweep.insert(sweep.end(), {"--sweep", "RouterCorr=34:33"});
    const auto rows = Json(sweep)["rows"];
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["fields"]["RouterCorrRes"], "102");
    EXPECT_EQ(rows[1]["fields"]["RouterCorrRes"], "99");
}

// A name that fills the file is written once, not once a row.
TEST_F(CliTest, SweepTellsALongProjectNameOnce) {
    const std::string name(1 << 20, 'N');
    WriteBytes("long.ini", "[Settings]\nProject=" + name + "\nNumVesk=1\n");
    const CliRun run = Cli({"long.ini", "--json", "--sweep", "NumIOD=1:20"});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_LT(run.out.size(), name.size() + 40'000);
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["project"], name);
    EXPECT_EQ(j["rows"].size(), 20u);
}

// One network, one answer: the example with 22 I/O devices has two
// self-consistent timeouts, and neither the order of the changes nor the
// results a file stores picks the other one.
TEST_F(CliTest, OneNetworkOneAnswerWhateverCameBefore) {
    std::ifstream example(std::filesystem::path(QNTCALC_SOURCE_DIR) / "examples" /
                          "assembly-hall.ini");
    ASSERT_TRUE(example);
    std::string text((std::istreambuf_iterator<char>(example)), std::istreambuf_iterator<char>());
    WriteBytes("hall.ini", text);
    const auto replaced = [&text](std::string_view from, std::string_view to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    // The larger solution's timeouts, and no results at all.
    WriteBytes("larger.ini", replaced("ETO=38\nCTO=59\n", "ETO=36\nCTO=56\n"));
    WriteBytes("empty.ini", replaced("ETO=38\nCTO=59\nRmax=106", "ETO=\nCTO=\nRmax="));

    const auto fields = [this](std::vector<std::string> args) {
        return Json(args)["fields"];
    };
    const nlohmann::json typed = fields({"hall.ini", "--set", "NumIOD=22"});
    EXPECT_EQ(typed["Rmax"], "84");
    EXPECT_EQ(typed["ETO"], "28");
    EXPECT_EQ(typed["CTO"], "48");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"hall.ini", "--set", "NumIOD=2", "--set", "NumIOD=22"},
          {"hall.ini", "--set", "NumIOD=60", "--set", "NumIOD=22"},
          {"larger.ini", "--set", "NumIOD=22"},
          {"empty.ini", "--set", "NumIOD=22"}})
        EXPECT_EQ(fields(args), typed) << args[0] << " " << args.back();
    const nlohmann::json stored = fields({"hall.ini"});
    EXPECT_EQ(stored["Rmax"], "106");
    EXPECT_EQ(fields({"larger.ini"}), stored);
    EXPECT_EQ(fields({"empty.ini"}), stored);
}

// The requirements and kept inputs are the project's: --save writes what
// the run used, and the next run without options judges by them; a
// --require-* or --keep replaces its own part for one run only.
TEST_F(CliTest, RequirementsTravelWithTheProject) {
    WriteBytes("press.ini", kRouterProject);
    const CliRun saved = Cli({"press.ini", "--require-rmax", "200", "--require-cto", "150",
                              "--keep", "Mainpath", "--save", "kept.ini"});
    ASSERT_EQ(saved.exit, 1) << "268 ms exceeds 200 ms";
    const auto limits = Json({"kept.ini", "--limits"}, 1);
    EXPECT_EQ(limits["requirements"],
              nlohmann::json::parse(R"({"rmax":200,"eto":null,"cto":150,"kept":["Mainpath"]})"));
    bool mainPathSeen = false;
    for (const auto& limit : limits["limits"]) {
        EXPECT_EQ(limit["kept"], limit["key"] == "Mainpath");
        if (limit["key"] == "Mainpath") {
            mainPathSeen = true;
            EXPECT_TRUE(limit["fix"].is_null());
        }
    }
    EXPECT_TRUE(mainPathSeen);
    EXPECT_NE(Cli({"kept.ini", "--limits"}).out.find("  Kept as they are: Main path.\n"),
              std::string::npos);

    const auto replaced = Json({"kept.ini", "--limits", "--require-rmax", "300", "--keep="});
    EXPECT_EQ(replaced["requirements"],
              nlohmann::json::parse(R"({"rmax":300,"eto":null,"cto":150,"kept":[]})"));
    // A project without them: 300 ms, nothing kept.
    EXPECT_EQ(Json({"press.ini", "--limits"})["requirements"],
              nlohmann::json::parse(R"({"rmax":300,"eto":null,"cto":null,"kept":[]})"));
    EXPECT_EQ(Cli({"kept.ini", "--headroom", "NumIOD"}).exit, 1) << "268 ms above 200 ms";
    // In Baud rate mode only the rate applies: no time is judged.
    const auto baud = Json({"kept.ini", "--mode", "baud", "--limits"});
    EXPECT_EQ(baud["requirements"],
              nlohmann::json::parse(R"({"rmax":null,"eto":null,"cto":null,"kept":["Mainpath"]})"));
    const CliRun rateOnly = Cli({"kept.ini", "--mode", "baud", "--limits", "--require-rmax", "1"});
    EXPECT_EQ(rateOnly.exit, 0) << rateOnly.err;
    EXPECT_NE(rateOnly.out.find("In Baud rate mode only the transmission rate applies"),
              std::string::npos);
}

// A --set that its check refuses stops the run: said, nothing saved. What
// the file itself holds is reported as the window reads it, and goes on.
TEST_F(CliTest, ValueErrorsOfASetStopTheRunAndSaveNothing) {
    const CliRun run = Cli({"--set", "Mainpath=0", "--set", "Mainpath=300", "--save", "out.ini"});
    EXPECT_EQ(run.exit, 2);
    EXPECT_NE(run.err.find("Value Error: Value must be greater than 0."), std::string::npos);
    EXPECT_NE(run.err.find("nothing was evaluated or saved"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(Path("out.ini")));

    WriteBytes("nocycle.ini", "[Settings]\nNumVesk=1\n");
    const auto j = Json({"nocycle.ini", "--set", "Mainpath=300"});
    EXPECT_EQ(j["valueErrors"], nlohmann::json({"Value must be greater than 0."}));
    EXPECT_EQ(j["fields"]["Baud"], "125");
}

TEST_F(CliTest, SavedProjectReadsBack) {
    WriteBytes("press.ini", kRouterProject);
    const std::string before = ReadBytes("press.ini");
    const CliRun run = Cli({"press.ini", "--set", "Project=Variant B", "--set", "NumRouters=2",
                            "--save", "variant.ini"});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(ReadBytes("press.ini"), before);
    IniFile saved = OpenIni(Path("variant.ini"));
    EXPECT_EQ(saved.ReadString("Settings", "Project", ""), "Variant B");
    EXPECT_EQ(saved.ReadString("Settings", "NumRouters", ""), "2");
    EXPECT_EQ(saved.ReadString("About", "Version", ""), "1.3.2.1");

    const auto j = Json({"variant.ini"});
    EXPECT_EQ(j["fields"]["NumRouters"], "2");
    EXPECT_EQ(j["fields"]["Project"], "Variant B");

    // A result typed in would be saved as if computed.
    EXPECT_EQ(Cli({"press.ini", "--set", "Rmax=5", "--save", "result.ini"}).exit, 2);
    EXPECT_FALSE(std::filesystem::exists(Path("result.ini")));

    // Back into the file read, and over another project with --force.
    EXPECT_EQ(Cli({"variant.ini", "--set", "NumRouters=3", "--save", "variant.ini"}).exit, 0);
    EXPECT_EQ(OpenIni(Path("variant.ini")).ReadString("Settings", "NumRouters", ""), "3");
    EXPECT_EQ(Cli({"variant.ini", "--save", "press.ini"}).exit, 2);
    EXPECT_EQ(ReadBytes("press.ini"), before);
    EXPECT_EQ(Cli({"variant.ini", "--save", "press.ini", "--force"}).exit, 0);
    EXPECT_EQ(OpenIni(Path("press.ini")).ReadString("Settings", "Project", ""), "Variant B");
}

// What the engineer designed comes back from the saved file.
TEST_F(CliTest, PreselectedRateAndTypedCycleTimeReadBack) {
    struct Row {
        const char* name;
        std::vector<std::string> sets;
        std::map<std::string, std::string> fields;
    };
    const std::vector<Row> rows = {
        {"PreselectedRate",
         {"--set", "RB_Baud=1", "--set", "MainBaud=125"},
         {{"MainBaud", "125"}, {"Baud", "125"}, {"Rmax", "218"}}},
        {"TypedCycleTime",
         {"--set", "CVeskManual=1", "--set", "CVesk=40"},
         {{"CVesk", "40"}, {"Rmax", "156"}}},
    };
    const std::string example = std::string(QNTCALC_SOURCE_DIR) + "/examples/assembly-hall.ini";
    for (const Row& row : rows) {
        std::vector<std::string> args{example, "--mode", "expert"};
        args.insert(args.end(), row.sets.begin(), row.sets.end());
        const std::string saved = std::string(row.name) + ".ini";
        args.insert(args.end(), {"--save", saved});
        const auto designed = Json(args);
        const auto read = Json({saved});
        for (const auto& [key, value] : row.fields) {
            EXPECT_EQ(designed["fields"][key], value) << row.name << " " << key;
            EXPECT_EQ(read["fields"][key], value) << row.name << " " << key;
        }
        EXPECT_EQ(read["status"], designed["status"]) << row.name;
    }
}

TEST_F(CliTest, VersionAndHelp) {
    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.exit, 0);
    EXPECT_EQ(version.out, "1.3.2.1\n");
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.exit, 0);
    for (const char* line :
         {"Usage: qntcalc-cli", "--sweep KEY=FROM:TO[:STEP]", "--headroom KEY", "--limits  ",
          "  Mainpath      5,000 m\n", "  InpCycl       0 ms (searched downwards)",
          "  NumRouters    64\n  RouterCorr    301 ms (only for the manual router type)\n",
          "  NumOutCycl    64\n",
          "1,000,000 values: a table", "at most 1,000,000 values from the current one"})
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
}

// The manual page is written by hand; every option and every what-if input
// with its limit that --help lists must be there too.
TEST_F(CliTest, ManPageNamesEverythingHelpLists) {
    std::ifstream file(std::filesystem::path(QNTCALC_SOURCE_DIR) / "man" / "qntcalc-cli.1");
    ASSERT_TRUE(file);
    std::string man((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    man = std::regex_replace(man, std::regex(R"(\\-)"), "-");

    const std::string help = Cli({"--help"}).out;
    std::vector<std::string> wanted;
    const std::regex option("--[a-z][a-z-]*");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
         it != std::sregex_iterator(); ++it)
        wanted.push_back(it->str());
    const std::string inputs = help.substr(help.find("KEY is an input"));
    const std::regex input(R"(\n  ([A-Za-z]+) +([^\n]+))");
    for (auto it = std::sregex_iterator(inputs.begin(), inputs.end(), input);
         it != std::sregex_iterator(); ++it)
        wanted.push_back((*it)[1].str() + "\t" + (*it)[2].str());
    ASSERT_GE(wanted.size(), 30U);
    for (const std::string& text : wanted)
        EXPECT_NE(man.find(text), std::string::npos) << text;
}

// A name that is not UTF-8 reaches JSON and CSV with U+FFFD for its bad byte.
TEST_F(CliTest, OneJsonLinePerFile) {
    WriteBytes("a.ini", kRouterProject);
    WriteBytes("b.ini", "[Settings]\nNumVesk=1\nMainpath=2000\n");
    WriteBytes("c\xff.ini", kRouterProject);
    const auto files = [this](std::vector<std::string> args) {
        args.insert(args.begin(), "--json");
        const CliRun run = Cli(args);
        EXPECT_EQ(run.exit, 0) << run.err;
        std::istringstream lines(run.out);
        std::string line;
        std::vector<std::string> names;
        while (std::getline(lines, line))
            names.push_back(nlohmann::json::parse(line)["file"]);
        return names;
    };
    EXPECT_EQ(files({"a.ini", "c\xff.ini", "b.ini"}),
              (std::vector<std::string>{"a.ini", "c\uFFFD.ini", "b.ini"}));
    EXPECT_EQ(files({"--sweep", "NumIOD=1:2", "c\xff.ini", "a.ini"}),
              (std::vector<std::string>{"c\uFFFD.ini", "a.ini"}));
    EXPECT_EQ(files({"--headroom", "NumIOD", "--require-rmax", "300", "c\xff.ini", "a.ini"}),
              (std::vector<std::string>{"c\uFFFD.ini", "a.ini"}));

    // CSV names it alike, in the first cell of every row.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--csv", "--sweep", "NumIOD=1:2", "c\xff.ini"},
          std::vector<std::string>{"--csv", "--limits", "--require-rmax", "300", "c\xff.ini"}}) {
        const CliRun csv = Cli(args);
        EXPECT_EQ(csv.exit, 0) << csv.err;
        std::istringstream lines(csv.out);
        std::string line;
        std::getline(lines, line); // the header
        int rows = 0;
        for (; std::getline(lines, line); ++rows)
            EXPECT_TRUE(line.starts_with("c\uFFFD.ini,")) << line;
        EXPECT_GE(rows, 2) << args[1];
    }
}

// The program's texts are English, and so are its numbers, whatever the
// locale: thousands grouped with commas, decimals after a point.
TEST_F(CliTest, NumbersReadTheSameUnderAGermanLocale) {
    if (!GermanLocaleInstalled())
        GTEST_SKIP() << kNoGermanLocale;
    const std::string german = std::string("LC_ALL=") + kGermanLocale;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--limits", "--require-rmax", "300"},
                                               {"--limits", "--require-rmax", "300", "--csv"},
                                               {"--headroom", "Mainpath", "--require-rmax", "1000"},
                                               {"--require-rmax", "1"}}) {
        const CliRun english = Cli(args);
        const CliRun run = Cli(args, german);
        EXPECT_EQ(run.exit, english.exit);
        EXPECT_EQ(run.out, english.out);
        EXPECT_EQ(run.err, english.err);
    }
    const CliRun limits = Cli({"--limits", "--require-rmax", "300"}, german);
    EXPECT_NE(limits.out.find("  1,450          1,451  "), std::string::npos) << limits.out;
    EXPECT_NE(limits.out.find(" 1,350 (1,350.0%)  "), std::string::npos) << limits.out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(CliTest, SweepAsTableJsonAndCsv) {
    WriteBytes("press.ini", kRouterProject);
    const CliRun table = Cli({"press.ini", "--sweep", "LongSeg=151:149"});
    EXPECT_EQ(table.exit, 0) << table.err;
    EXPECT_EQ(Lines(table.out),
              (std::vector<std::string>{
                  "Project: Press line (press.ini)", "  Mode: Standard",
                  "  LongSeg [m]  Rate [kBits/s]  ETO [ms]  CTO [ms]  Rmax [ms]  Alarm [ms]  "
                  "CVesk [ms]  Stable  Status",
                  "          151             500       127       140        268         259"
                  "           7     yes  All values are estimates and may differ!",
                  "          150             500       127       140        268         259"
                  "           7     yes  All values are estimates and may differ!",
                  "          149             500       127       140        268         259"
                  "           7     yes  ERROR: Lenght of longest segment not correct!"}));

    const CliRun json = Cli({"--json", "--sweep", "Mainpath=-1:1"});
    ASSERT_EQ(Lines(json.out).size(), 1u) << json.err;
    const auto sweep = nlohmann::json::parse(json.out);
    std::vector<std::string> members;
    for (const auto& [name, value] : sweep.items())
        members.push_back(name);
    std::sort(members.begin(), members.end());
    EXPECT_EQ(members,
              (std::vector<std::string>{"file", "from", "key", "project", "rows", "step", "to"}));
    EXPECT_EQ(sweep["file"], nullptr);
    EXPECT_EQ(sweep["project"], "Project name");
    EXPECT_EQ(sweep["key"], "Mainpath");
    EXPECT_EQ(sweep["from"], -1);
    EXPECT_EQ(sweep["to"], 1);
    EXPECT_EQ(sweep["step"], 1);
    const auto& rows = sweep["rows"];
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0],
              nlohmann::json::parse(R"({"value":-1,"rejected":true,)"
                                    R"("valueErrors":["Value must be greater than 0."]})"));
    // The name and the file are the sweep's, told once.
    const auto& point = rows[2];
    EXPECT_FALSE(point.contains("file"));
    EXPECT_FALSE(point["fields"].contains("Project"));
    EXPECT_EQ(point["fields"].size(), 27u);
    EXPECT_EQ(point["value"], 1);
    EXPECT_EQ(point["rejected"], false);
    EXPECT_EQ(point["fields"]["Mainpath"], "1");
    EXPECT_EQ(point["fields"]["Rmax"], "28");
    EXPECT_EQ(point["status"]["severity"], "info");
    EXPECT_EQ(point["valueErrors"], nlohmann::json::array());

    const CliRun csv = Cli({"--csv", "--sweep", "NumIOD=63:65:2", "press.ini"});
    const std::vector<std::string> lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), 3u) << csv.err;
    EXPECT_TRUE(lines[0].starts_with("file,value,rejected,Mainpath,MainBaud,")) << lines[0];
    EXPECT_TRUE(lines[0].ends_with(",CVesk,stable,passes,severity,status,valueErrors")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with("press.ini,63,0,600,")) << lines[1];
    EXPECT_TRUE(lines[2].ends_with(
        ",1,2,error,Too many devices! Number Vesk + Number I/O Devices may not exceed 64.,"))
        << lines[2];
    // A sweep that cannot run writes no header.
    const CliRun refused = Cli({"--csv", "--sweep", "CVesk=1:2", "press.ini"});
    EXPECT_EQ(refused.exit, 2);
    EXPECT_EQ(refused.out, "");
}

TEST_F(CliTest, HeadroomAsTextAndJson) {
    const std::string sentence =
        "Main path can grow from 100 m to 1,450 m; at 1,451 m the rate drops to 20 kBits/s and the "
        "worst case reaction time becomes 340 ms, above the required 300 ms.";
    const CliRun text = Cli({"--headroom", "mainpath", "--require-rmax", "300"});
    EXPECT_EQ(text.exit, 0) << text.err;
    EXPECT_NE(text.out.find("  Required: worst case reaction time at most 300 ms.\n  " + sentence),
              std::string::npos)
        << text.out;

    const auto j = Json({"--headroom", "Mainpath", "--require-rmax", "300", "--to", "2000"});
    EXPECT_EQ(j, nlohmann::json::parse(R"({"file":null,"key":"Mainpath","direction":"up",)"
                                       R"("current":100,"last":1450,"next":1451,)"
                                       R"("cause":"worst case reaction time 340 ms above the )"
                                       R"(required 300 ms","rate":20,"text":")" +
                                       sentence + "\"}"));

    // Each mode and way of searching: where the stretch ends and why.
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* direction;
        nlohmann::json last, next, cause, rate;
    };
    for (const Row& row : {
             Row{"NothingFailsUpToTo",
                 {"--headroom", "Mainpath", "--require-rmax", "300", "--to", "1000"},
                 "up", 1000, nullptr, nullptr, nullptr},
             Row{"DownwardsToTheCheck",
                 {"--headroom", "Mainpath", "--require-rmax", "300", "--to", "0"},
                 "down", 1, 0, "Value must be greater than 0.", nullptr},
             // A typed cycle time already past the practical limit is not
             // searched back to it.
             Row{"ExpertCycleTimeBeyondItsLimit",
                 {"--mode", "expert", "--set", "CVeskManual=1", "--set", "CVesk=1200",
                  "--headroom", "CVesk", "--require-rmax", "2414"},
                 "up", 1200, nullptr, nullptr, nullptr},
             Row{"BaudRateModeToTheRateModel",
                 {"--mode", "baud", "--headroom", "Mainpath", "--require-rmax", "300"},
                 "up", 3500, 3501, "Main path too long or to many drop lines!", 10},
         }) {
        const auto j = Json(row.args);
        EXPECT_EQ(j["direction"], row.direction) << row.name;
        EXPECT_EQ(j["last"], row.last) << row.name;
        EXPECT_EQ(j["next"], row.next) << row.name;
        EXPECT_EQ(j["cause"], row.cause) << row.name;
        EXPECT_EQ(j["rate"], row.rate) << row.name;
    }
    EXPECT_EQ(Json({"--mode", "expert", "--set", "CVeskManual=1", "--set", "CVesk=1200",
                    "--headroom", "CVesk", "--require-rmax", "2414"})["text"],
              "Vesk cycle time meets the requirements at 1,200 ms, the end of the searched range.");
}

// The README's example, on the project file that comes with the sources.
TEST_F(CliTest, ReadmeExampleHeadroom) {
    std::filesystem::create_directory(dir_ / "examples");
    std::filesystem::copy_file(std::filesystem::path(QNTCALC_SOURCE_DIR) / "examples" /
                                   "assembly-hall.ini",
                               dir_ / "examples" / "assembly-hall.ini");
    const CliRun run =
        Cli({"examples/assembly-hall.ini", "--headroom", "Mainpath", "--require-rmax", "200"});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.out, "Project: Assembly hall 2 (examples/assembly-hall.ini)\n"
                       "  Mode: Standard\n"
                       "  Headroom of Mainpath, searched from 180 m to 5,000 m\n"
                       "  Required: worst case reaction time at most 200 ms.\n"
                       "  Main path can grow from 180 m to 250 m; at 251 m the rate drops to 125 "
                       "kBits/s and the worst case reaction time becomes 218 ms, above the "
                       "required 200 ms.\n");
}

struct KnownMargin {
    const char* key;
    int margin;
    double percent;
};

struct LimitsRow {
    const char* name;
    std::vector<std::string> args; // the project after --mode and --set
    std::vector<std::string> require;
    int exit;
    std::vector<std::string> keys; // of the inputs a user can type into there
    std::vector<KnownMargin> margins;
};

void PrintTo(const LimitsRow& row, std::ostream* os) {
    *os << row.name;
}

class CliLimitsTest : public CliTest, public ::testing::WithParamInterface<LimitsRow> {};

// Every input a user can type into is there, with exactly its --headroom
// object, and nothing else.
TEST_P(CliLimitsTest, EveryInputEqualsItsHeadroom) {
    const LimitsRow& row = GetParam();
    std::filesystem::create_directory(dir_ / "examples");
    std::filesystem::copy_file(std::filesystem::path(QNTCALC_SOURCE_DIR) / "examples" /
                                   "assembly-hall.ini",
                               dir_ / "examples" / "assembly-hall.ini");
    std::vector<std::string> args = row.args;
    args.insert(args.end(), row.require.begin(), row.require.end());
    std::vector<std::string> limitsArgs = args;
    limitsArgs.push_back("--limits");
    const auto j = Json(limitsArgs, row.exit);
    ASSERT_TRUE(j["limits"].is_array());

    std::map<std::string, nlohmann::json> limits;
    for (nlohmann::json limit : j["limits"]) {
        // A fix only while the current value fails.
        if (!limit["last"].is_null()) {
            EXPECT_EQ(limit["fix"], nullptr) << limit;
        }
        if (limit["last"].is_null() || limit["needs"].is_string()) {
            EXPECT_EQ(limit["margin"], nullptr);
        }
        for (const KnownMargin& known : row.margins) {
            if (limit["key"] == known.key) {
                EXPECT_EQ(limit["margin"], known.margin) << known.key;
                EXPECT_DOUBLE_EQ(limit["marginPercent"].get<double>(), known.percent) << known.key;
            }
        }
        for (const char* member : {"margin", "marginPercent", "fix", "needs", "kept"})
            limit.erase(member);
        limits[limit["key"]] = limit;
    }
    std::vector<std::string> keys;
    for (const auto& [key, limit] : limits)
        keys.push_back(key);
    EXPECT_EQ(keys, row.keys);
    EXPECT_EQ(limits.size(), j["limits"].size());
    // --headroom searches as far as --limits by default.
    for (const std::string& key : row.keys) {
        std::vector<std::string> headroom = args;
        headroom.insert(headroom.end(), {"--json", "--headroom", key});
        const CliRun run = Cli(headroom);
        ASSERT_NE(run.exit, 2) << key << run.err;
        EXPECT_EQ(limits[key], nlohmann::json::parse(run.out)) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Projects, CliLimitsTest,
    ::testing::Values(
        LimitsRow{"Example",
                  {"examples/assembly-hall.ini"},
                  {"--require-rmax", "300"},
                  0,
                  {"InpCycl", "Mainpath", "NumIOD", "NumInp", "NumInpCycl", "NumOut",
                   "NumOutCycl", "NumVesk"},
                  {{"InpCycl", 35, 70.0}, {"NumIOD", 38, 158.33333333333334}, {"NumVesk", 38, 1900.0}}},
        LimitsRow{"ExampleFailing",
                  {"examples/assembly-hall.ini"},
                  {"--require-rmax", "100"},
                  1,
                  {"InpCycl", "Mainpath", "NumIOD", "NumInp", "NumInpCycl", "NumOut",
                   "NumOutCycl", "NumVesk"},
                  {}},
        LimitsRow{"SoundVariantLongSearches",
                  {"examples/assembly-hall.ini", "--set", "NumOutCycl=4", "--set", "OutCycl=50",
                   "--set", "NumInp=100", "--set", "NumOut=100"},
                  {"--require-rmax", "300", "--require-eto", "60"},
                  0,
                  {"InpCycl", "Mainpath", "NumIOD", "NumInp", "NumInpCycl", "NumOut",
                   "NumOutCycl", "NumVesk", "OutCycl"},
                  {{"Mainpath", 70, 38.888888888888886}, {"InpCycl", 23, 46.0}}},
        LimitsRow{"ExpertRoutersRepeatersDropLines",
                  {"--mode", "expert", "--set", "Mainpath=600", "--set", "CBRepeaters=1", "--set",
                   "CBDropLines=1", "--set", "CBRouters=1", "--set", "NumRouters=2", "--set",
                   "RouterType=Brenner Elektronik - Lindat", "--set", "LongSeg=200", "--set",
                   "MDSeg=100", "--set", "NumRepeater=1", "--set",
                   "RepeaterType=Harlen - Vesk QN Kappa-7", "--set", "DropMax=20", "--set",
                   "DropTot=60"},
                  {"--require-rmax", "600", "--require-cto", "400"},
                  0,
                  {"DropMax", "DropTot", "LoadFact", "LongSeg", "MDSeg", "Mainpath", "NumIOD",
                   "NumInp", "NumInpCycl", "NumOut", "NumOutCycl", "NumRepeater", "NumRouters",
                   "NumVesk"},
                  {{"Mainpath", 2, 0.3333333333333333}, {"NumRouters", 4, 200.0}}},
        LimitsRow{"RoutersTimedByHand",
                  {"--set", "Mainpath=600", "--set", "CBRouters=1", "--set", "NumRouters=3",
                   "--set", "RouterType=Other - Manual time entry", "--set", "LongSeg=200", "--set",
                   "MDSeg=100", "--set", "RouterCorr=20"},
                  {"--require-rmax", "300"},
                  0,
                  {"LongSeg", "MDSeg", "Mainpath", "NumIOD", "NumInp", "NumInpCycl", "NumOut",
                   "NumOutCycl", "NumRouters", "NumVesk", "RouterCorr"},
                  {{"Mainpath", 203, 33.833333333333336}, {"MDSeg", 100, 100.0}}},
        LimitsRow{"ExpertCycleTimeByHand",
                  {"--mode", "expert", "--set", "CVeskManual=1", "--set", "CVesk=20"},
                  {"--require-rmax", "300"},
                  0,
                  {"CVesk", "LoadFact", "Mainpath", "NumIOD", "NumInp", "NumInpCycl", "NumOut",
                   "NumOutCycl", "NumVesk"},
                  {{"NumInp", 288, 450.0}, {"NumIOD", 53, 530.0}}},
        LimitsRow{"BaudPreselected",
                  {"--mode", "baud"},
                  {"--require-rmax", "300"},
                  0,
                  {"Mainpath"},
                  {{"Mainpath", 3400, 3400.0}}}),
    [](const ::testing::TestParamInfo<LimitsRow>& info) { return info.param.name; });

// One header for all files; no row of the table ends in blanks, not even one
// whose cause is empty because nothing fails up to the end of its search.
TEST_F(CliTest, LimitsCsvHasOneHeaderAndTheTableNoTrailingBlanks) {
    const std::string example = std::string(QNTCALC_SOURCE_DIR) + "/examples/assembly-hall.ini";
    const CliRun csv = Cli({"--csv", "--limits", "--require-rmax", "300", example, example});
    EXPECT_EQ(csv.exit, 0) << csv.err;
    std::size_t headers = 0;
    for (std::size_t at = 0; (at = csv.out.find("file,key,", at)) != std::string::npos; ++at)
        ++headers;
    EXPECT_EQ(headers, 1u) << csv.out;

    const CliRun table = Cli({"--mode", "expert", "--set", "CBDropLines=1", "--set", "DropTot=60",
                              "--limits", "--require-rmax", "300"});
    EXPECT_EQ(table.exit, 0) << table.err;
    EXPECT_NE(table.out.find("none up to"), std::string::npos) << table.out;
    EXPECT_EQ(table.out.find(" \n"), std::string::npos) << table.out;
}

// The README's two examples, on the project file that comes with the sources:
// the order, the table and the CSV of the same rows.
TEST_F(CliTest, ReadmeExampleLimits) {
    std::ifstream file(std::filesystem::path(QNTCALC_SOURCE_DIR) / "README.md");
    ASSERT_TRUE(file);
    const std::string readme((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
    std::filesystem::create_directory(dir_ / "examples");
    std::filesystem::copy_file(std::filesystem::path(QNTCALC_SOURCE_DIR) / "examples" /
                                   "assembly-hall.ini",
                               dir_ / "examples" / "assembly-hall.ini");
    for (const auto& [rmax, exit] : {std::pair{"100", 1}, std::pair{"300", 0}}) {
        const std::string command =
            std::string("    $ qntcalc-cli examples/assembly-hall.ini --limits --require-rmax ") +
            rmax + "\n";
        const std::size_t at = readme.find(command);
        ASSERT_NE(at, std::string::npos) << command;
        std::string shown;
        for (const std::string& line : Lines(readme.substr(at + command.size()))) {
            if (!line.starts_with("    "))
                break;
            shown += line.substr(4) + "\n";
        }
        const CliRun run = Cli({"examples/assembly-hall.ini", "--limits", "--require-rmax", rmax});
        EXPECT_EQ(run.exit, exit) << run.err;
        EXPECT_EQ(run.out, shown);
    }
    const CliRun csv =
        Cli({"examples/assembly-hall.ini", "--limits", "--require-rmax", "300", "--csv"});
    const std::vector<std::string> lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), 9u) << csv.err;
    EXPECT_EQ(lines[0], "file,key,label,direction,current,last,next,cause,rate,margin,marginPercent,"
                        "fixValue,fixChange,fixChangePercent,fixRmax,needs,kept");
    EXPECT_EQ(lines[2], "examples/assembly-hall.ini,NumInp,Number of used input bits,up,420,832,"
                        "833,Too many inputs configured!,250,412,98.0952380952381,,,,,,false");
    EXPECT_EQ(lines[8], "examples/assembly-hall.ini,NumOutCycl,Number of devices with cyclic "
                        "outputs,up,0,0,1,The cycle time of cyclic outputs is too fast!,250,,,,,,,"
                        "OutCycl,false");
    // Failing, the fix: 100 m at 60 ms.
    const CliRun failing =
        Cli({"examples/assembly-hall.ini", "--limits", "--require-rmax", "100", "--csv"});
    EXPECT_NE(failing.out.find("\nexamples/assembly-hall.ini,Mainpath,Main path,up,180,,180,worst "
                               "case reaction time 106 ms above the required 100 ms,250,,,100,-80,"
                               "-44.44444444444444,60,,false\n"),
              std::string::npos)
        << failing.out;
}

} // namespace
} // namespace qntcalc
