#include "project/IniFile.h"
#include "tests/project/TempDirTest.h"

#include <nlohmann/json.hpp>
#include <algorithm>
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
    CliRun Cli(const std::vector<std::string>& args) {
        std::string command = "cd " + Quote(dir_.string()) + " && " + Quote(QNTCALC_CLI);
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

TEST_F(CliTest, ProjectWithRoutersAndItsReport) {
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
    const CliRun run = Cli(GetParam().args);
    EXPECT_EQ(run.exit, GetParam().exit) << run.err;
    EXPECT_NE(run.err.find(GetParam().stderrHas), std::string::npos) << run.err;
    if (GetParam().oneLine) {
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(ReadBytes(name), bytes) << name;
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
        ExitRow{
            "BooleanNotZeroOrOne", {"--set", "CBRouters=yes"}, 2, "1 (ticked or selected) or 0"},
        ExitRow{"UnknownRouterType", {"--set", "RouterType=Fast"}, 2, "Harlen - Vesk QN Router"},
        ExitRow{"SetWithoutValue", {"--set"}, 2, "--set needs a value"},
        ExitRow{"SetWithoutEquals", {"--set", "Mainpath"}, 2, "KEY=VALUE"},
        ExitRow{"BadMode", {"--mode", "turbo"}, 2, "standard, expert or baud"},
        ExitRow{"BadRmax", {"--require-rmax", "fast"}, 2, "whole number"},
        ExitRow{"SaveTwoFiles", {"--save", "x.ini", "a.ini", "b.ini"}, 2, "at most one"},
        ExitRow{"SaveIntoMissingFolder", {"--save", "no/such/dir.ini"}, 2, "no/such/dir.ini"},
        ExitRow{"ValueErrorGoesOn",
                {"--set", "Mainpath=0"},
                0,
                "Value Error: Value must be greater than 0."}),
    [](const ::testing::TestParamInfo<ExitRow>& info) { return info.param.name; });

TEST_F(CliTest, ModeAndUserChangesInOrder) {
    const auto j = Json(
        {"--mode", "expert", "--set", "Vesk1=1", "--set", "CVeskManual=1", "--set", "CVesk=20"});
    EXPECT_EQ(j["mode"], "Expert");
    EXPECT_EQ(j["fields"]["CVesk"], "20");
    EXPECT_EQ(j["selections"]["Vesk1"], true);

    const auto baud = Json({"--mode", "baud"});
    EXPECT_EQ(baud["indicator"]["panel"], "500 kBaud");
    EXPECT_EQ(baud["pages"], nlohmann::json({"GB_Network", "GB_Results"}));
}

TEST_F(CliTest, ValueErrorsAreReportedAndTheRunGoesOn) {
    const auto j = Json({"--set", "Mainpath=0", "--set", "Mainpath=300"});
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
    IniFile saved(Path("variant.ini"));
    EXPECT_EQ(saved.ReadString("Settings", "Project", ""), "Variant B");
    EXPECT_EQ(saved.ReadString("Settings", "NumRouters", ""), "2");
    EXPECT_EQ(saved.ReadString("About", "Version", ""), "1.3.2.1");

    const auto j = Json({"variant.ini"});
    EXPECT_EQ(j["fields"]["NumRouters"], "2");
    EXPECT_EQ(j["fields"]["Project"], "Variant B");
}

TEST_F(CliTest, VersionAndHelp) {
    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.exit, 0);
    EXPECT_EQ(version.out, "1.3.2.1\n");
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.exit, 0);
    EXPECT_NE(help.out.find("Usage: qntcalc-cli"), std::string::npos);
}

TEST_F(CliTest, OneJsonLinePerFile) {
    WriteBytes("a.ini", kRouterProject);
    WriteBytes("b.ini", "[Settings]\nNumVesk=1\nMainpath=2000\n");
    const CliRun run = Cli({"--json", "a.ini", "b.ini"});
    EXPECT_EQ(run.exit, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    std::vector<std::string> files;
    while (std::getline(lines, line))
        files.push_back(nlohmann::json::parse(line)["file"]);
    EXPECT_EQ(files, (std::vector<std::string>{"a.ini", "b.ini"}));
}

} // namespace
} // namespace qntcalc
