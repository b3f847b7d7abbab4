#include "project/ProjectFile.h"

#include "engine/RateModel.h"
#include "tests/project/ProjectControls.h"
#include "tests/support/IniFiles.h"
#include "tests/support/WindowFixture.h"

#include <random>

namespace qntcalc::testing {
namespace {

using ProjectFileTest = WindowTest;

TEST_F(ProjectFileTest, ExpertProjectRoundTrips) {
    TMasterForm& a = NewWindow();
    a.Recalculate();
    a.Expert.Click();
    a.CB_Routers.SetChecked(true);
    a.CB_DropLines.SetChecked(true);
    Type(a.Ed_Project, "Press line 4");
    Type(a.Ed_Mainpath, "600");
    Type(a.Ed_NumRouters, "3");
    a.CB_RouterType.UserSelect(5);
    a.CB_Repeaters.SetChecked(true);
    Type(a.Ed_NumRepeater, "1");
    a.CB_RepeaterType.UserSelect(3);
    Type(a.Ed_MDSeg, "100");
    Type(a.Ed_LongSeg, "200");
    Type(a.Ed_DropMax, "2");
    Type(a.Ed_DropTot, "8");
    Type(a.Ed_LoadFact, "20");
    a.RB_Vesk1.SetChecked(true);
    a.PageControl1.UserSelectPage(static_cast<int>(Page::Routers));
    const ProjectControls written = Snapshot(a);
    ASSERT_TRUE(WriteSettingsToFile(a, globals, Path("p.ini")).Ok());

    TMasterForm& b = NewWindow();
    b.Recalculate();
    b.Expert.Click();
    EXPECT_TRUE(ReadSettingsFromFile(b, Path("p.ini")).Ok());
    EXPECT_EQ(Snapshot(b), written);
    EXPECT_EQ(b.Ed_RouterCorrRes.Text(), "120");
    EXPECT_TRUE(messages.shown.empty());
    const IniFile file = OpenIni(Path("p.ini"));
    EXPECT_EQ(file.ReadString("Settings", "RouterTypeIdx", ""), "5");
    EXPECT_EQ(file.ReadString("Settings", "RepeaterTypeIdx", ""), "3");
}

TEST_F(ProjectFileTest, FreshFileHoldsEveryKeyInOrder) {
    TMasterForm& a = NewWindow();
    a.Recalculate();
    ASSERT_TRUE(WriteSettingsToFile(a, globals, Path("p.ini")).Ok());
    IniFile ini = OpenIni(Path("p.ini"));
    EXPECT_EQ(ini.Sections(),
              (std::vector<std::string>{"Settings", "Mode", "About", "Requirements"}));
    EXPECT_EQ(ini.Keys("Settings"),
              (std::vector<std::string>{
                  "Project",      "Mainpath",      "MainBaud",   "RB_Main",       "RB_Baud",
                  "CBRouters",    "CBRepeaters",   "CBDropLines", "DropMax",      "DropTot",
                  "NumRouters",   "RouterType",    "RouterTypeIdx", "RouterCorr", "LongSeg",
                  "MDSeg",        "NumRepeater",   "RepeaterType", "RepeaterTypeIdx", "LRepeater",
                  "LoadFact",     "NumIOD",        "NumVesk",    "Vesk1",         "Vesk3",
                  "NumInp",       "NumInpCycl",    "InpCycl",    "NumOut",        "NumOutCycl",
                  "OutCycl",      "Baud",          "BaudLong",   "RouterCorrRes", "ETO",
                  "CTO",          "Rmax",          "Alarm",      "CVesk",         "CVeskManual"}));
    EXPECT_EQ(ini.Keys("Mode"),
              (std::vector<std::string>{"Expert", "Standard", "BaudRateMode", "PageSelect"}));
    EXPECT_EQ(ini.ReadString("About", "Version", ""), "1.3.2.1");
    EXPECT_EQ(ini.ReadString("About", "Program", ""), "Qnt Calculator");
    EXPECT_EQ(ini.ReadString("Settings", "RouterType", ""), "Please select router type!");
    EXPECT_EQ(ini.Keys("Requirements"), (std::vector<std::string>{"Rmax", "ETO", "CTO", "Kept"}));
    EXPECT_EQ(ini.ReadString("Requirements", "Rmax", ""), "300");
    EXPECT_EQ(ini.ReadString("Requirements", "ETO", "none"), "");
}

TEST_F(ProjectFileTest, MissingFileGivesReadDefaultsAndLeavesTheConvertedKeys) {
    TMasterForm& f = NewWindow();
    EXPECT_TRUE(ReadSettingsFromFile(f, Path("new.ini")).Ok());
    EXPECT_EQ(f.Ed_Project.Text(), "Empty Project");
    EXPECT_EQ(f.Ed_NumIOD.Text(), "2");
    EXPECT_EQ(f.Ed_NumInp.Text(), "16");
    EXPECT_EQ(f.Ed_NumOut.Text(), "16");
    EXPECT_TRUE(f.Standard.Checked());
    EXPECT_LE(messages.shown.size(), 1u) << "the empty CVesk is rejected at most once";
    // Standard mode forces CPU 3 before the converted kinds are written.
    EXPECT_EQ(ReadBytes("new.ini"), "[Settings]\nNumVesk=1\nVesk1=0\nVesk3=1\n");
}

struct FileRow {
    const char* name;
    std::string content;
    const char* checkName;
    std::function<bool(const TMasterForm&)> check;
    // Read first, so that a missing key must change what the window holds.
    std::string before = {};
};

void PrintTo(const FileRow& row, std::ostream* os) {
    *os << row.name;
}

class ReadFileTest : public WindowTest, public ::testing::WithParamInterface<FileRow> {};

TEST_P(ReadFileTest, ReadsIntoTheWindow) {
    WriteBytes("p.ini", GetParam().content);
    TMasterForm& f = NewWindow();
    f.Recalculate();
    if (!GetParam().before.empty()) {
        WriteBytes("before.ini", GetParam().before);
        EXPECT_TRUE(ReadSettingsFromFile(f, Path("before.ini")).Ok());
    }
    EXPECT_TRUE(ReadSettingsFromFile(f, Path("p.ini")).Ok());
    EXPECT_TRUE(GetParam().check(f)) << GetParam().checkName;
}

const std::string kExpert = "[Mode]\nExpert=1\nStandard=0\n[Settings]\nNumVesk=1\n";

constexpr const char* kRoutersExpert = "[Mode]\nExpert=1\nStandard=0\n[Settings]\nNumVesk=1\n"
                                       "CBRouters=1\nNumRouters=2\nMainpath=300\n"
                                       "LongSeg=150\nMDSeg=100\n";

INSTANTIATE_TEST_SUITE_P(
    Files, ReadFileTest,
    ::testing::Values(
        FileRow{"ManualTimeByName",
                "[Mode]\nExpert=1\nStandard=0\n[Settings]\nNumVesk=1\nCBRouters=1\nNumRouters=2\n"
                "RouterType=Other - Manual time entry\nRouterTypeIdx=3\n",
                "router index 7",
                [](const TMasterForm& f) { return f.CB_RouterType.ItemIndex() == 7; }},
        FileRow{"TypeNameInOtherCase",
                "[Mode]\nExpert=1\nStandard=0\n[Settings]\nNumVesk=1\nCBRouters=1\nNumRouters=2\n"
                "RouterType=other - manual time entry\nRouterTypeIdx=7\n",
                "router index 0",
                [](const TMasterForm& f) { return f.CB_RouterType.ItemIndex() == 0; }},
        FileRow{"ExpertWithoutStandardKey", "[Mode]\nExpert=1\n[Settings]\nNumVesk=1\n",
                "Standard mode",
                [](const TMasterForm& f) { return f.Standard.Checked() && !f.Expert.Checked(); }},
        FileRow{"ExpertWithStandardOff", "[Mode]\nExpert=1\nStandard=0\n[Settings]\nNumVesk=1\n",
                "Expert mode",
                [](const TMasterForm& f) { return f.Expert.Checked() && !f.Standard.Checked(); }},
        FileRow{"AllModesOff",
                "[Mode]\nExpert=0\nStandard=0\nBaudRateMode=0\n[Settings]\nNumVesk=1\n", "no mode",
                [](const TMasterForm& f) {
                    return !f.Expert.Checked() && !f.Standard.Checked() &&
                           !f.Baudratemode.Checked();
                }},
        FileRow{"PageOutOfRange", "[Mode]\nPageSelect=9\n[Settings]\nNumVesk=1\n", "page 0",
                [](const TMasterForm& f) { return f.PageControl1.ActivePageIndex() == 0; }},
        FileRow{"HiddenPage", "[Mode]\nPageSelect=4\n[Settings]\nNumVesk=1\nCBRouters=0\n",
                "page 0",
                [](const TMasterForm& f) { return f.PageControl1.ActivePageIndex() == 0; }},
        FileRow{"VisiblePage", "[Mode]\nPageSelect=3\n[Settings]\nNumVesk=1\nCVesk=7\n", "page 3",
                [](const TMasterForm& f) { return f.PageControl1.ActivePageIndex() == 3; }},
        FileRow{"StandardForcesStoredChoices",
                "[Mode]\nStandard=1\n[Settings]\nNumVesk=1\nVesk1=1\nVesk3=0\nRB_Main=0\n"
                "RB_Baud=1\nLoadFact=40\nCVeskManual=1\n",
                "forced CPU 3, structure rate, load 5, no manual cycle time",
                [](const TMasterForm& f) {
                    return f.RB_Vesk3.Checked() && f.RB_Main.Checked() &&
                           f.Ed_LoadFact.Text() == "5" && !f.CB_CVeskManual.Checked();
                }},
        FileRow{"BooleanNotANumberTakesDefault",
                "[Mode]\nExpert=yes\nStandard=0\n[Settings]\nNumVesk=1\n", "no mode",
                [](const TMasterForm& f) { return !f.Expert.Checked() && !f.Standard.Checked(); }},
        FileRow{"RouterSegmentsRestored", kRoutersExpert, "routers and segments",
                [](const TMasterForm& f) {
                    return f.CB_Routers.Checked() && f.Ed_NumRouters.Text() == "2" &&
                           f.Ed_LongSeg.Text() == "150" && f.Ed_MDSeg.Text() == "100";
                }},
        FileRow{"RateSourcesBothTrueTheLaterWins", kExpert + "RB_Main=1\nRB_Baud=1\n", "RB_Baud only",
                [](const TMasterForm& f) { return f.RB_Baud.Checked() && !f.RB_Main.Checked(); }},
        FileRow{"ControllerKindsBothTrueTheLaterWins", kExpert + "Vesk1=1\nVesk3=1\n", "CPU 3 only",
                [](const TMasterForm& f) { return f.RB_Vesk3.Checked() && !f.RB_Vesk1.Checked(); }},
        FileRow{"MissingMainBaudIs500", kExpert + "RB_Main=0\nRB_Baud=1\n", "500",
                [](const TMasterForm& f) { return f.Ed_MainBaud.Text() == "500"; },
                kExpert + "RB_Main=0\nRB_Baud=1\nMainBaud=125\n"},
        FileRow{"MissingRateSourceIsTheStructure", kExpert, "RB_Main only",
                [](const TMasterForm& f) { return f.RB_Main.Checked() && !f.RB_Baud.Checked(); },
                kExpert + "RB_Main=0\nRB_Baud=1\n"},
        FileRow{"MissingControllerKindIsCpu1", kExpert, "CPU 1 only",
                [](const TMasterForm& f) { return f.RB_Vesk1.Checked() && !f.RB_Vesk3.Checked(); },
                kExpert + "Vesk1=0\nVesk3=1\n"},
        FileRow{"MissingDropLinesBoxIsTicked", kExpert, "drop lines",
                [](const TMasterForm& f) { return f.CB_DropLines.Checked(); },
                kExpert + "CBDropLines=0\n"},
        FileRow{"MissingInputCycleIs100", "[Settings]\nNumVesk=1\nNumInpCycl=4\n", "100",
                [](const TMasterForm& f) { return f.Ed_InpCycl.Text() == "100"; },
                "[Settings]\nNumVesk=1\nNumInpCycl=4\nInpCycl=50\n"},
        FileRow{"MissingPageIsTheFirst", "[Settings]\nNumVesk=1\n", "page 0",
                [](const TMasterForm& f) { return f.PageControl1.ActivePageIndex() == 0; },
                "[Mode]\nPageSelect=3\n[Settings]\nNumVesk=1\n"},
        // A project of an older version, after one with requirements.
        FileRow{"MissingRequirementsAre300Ms", "[Settings]\nNumVesk=1\n", "300 ms, none kept",
                [](const TMasterForm& f) { return f.Required() == Requirements(); },
                "[Settings]\nNumVesk=1\n[Requirements]\nRmax=100\nETO=40\nKept=NumIOD\n"},
        FileRow{"RequirementsAndKeptInputs",
                "[Settings]\nNumVesk=1\n[Requirements]\nRmax=100\nETO=1\nCTO=\n"
                "Kept= numiod ,Mainpath,,Rmax,Bogus\n",
                "100 ms, ETO 1 ms, Main path and I/O devices kept",
                [](const TMasterForm& f) {
                    KeptInputs kept;
                    kept.Set(Field::Mainpath, true);
                    kept.Set(Field::NumIOD, true);
                    return f.Required() == Requirements(100, 1, std::nullopt, kept);
                }},
        FileRow{"RequirementsBelowOneMsAreNone",
                "[Settings]\nNumVesk=1\n[Requirements]\nRmax=0\nETO=0\nCTO=fast\n",
                "300 ms only", [](const TMasterForm& f) { return f.Required() == Requirements(); },
                "[Settings]\nNumVesk=1\n[Requirements]\nRmax=100\nETO=40\nCTO=60\n"}),
    [](const ::testing::TestParamInfo<FileRow>& info) { return info.param.name; });

TEST_F(ProjectFileTest, AProjectHasAProjectKeyInSettings) {
    struct Row {
        const char* name;
        const char* bytes;
        bool project;
    };
    for (const Row& row : {Row{"CurrentFormat", "[Settings]\nNumVesk=1\n", true},
                           Row{"OlderFormatOnly", "[Settings]\nNumVesk3=2\n", true},
                           Row{"NamesInOtherCase", "[settings]\nMAINPATH=300\n", true},
                           Row{"LastKeyOfTheFormat", "[Settings]\nCVeskManual=0\n", true},
                           Row{"ForeignIni", "[Database]\nhost=db\nport=5432\n", false},
                           Row{"ProjectKeyElsewhere", "[Database]\nMainpath=300\n", false},
                           Row{"ModeKeysOnly", "[Mode]\nExpert=1\n[Settings]\nExpert=1\n", false},
                           Row{"OtherKeysOnly", "[Settings]\nTheme=dark\n", false},
                           Row{"Empty", "", false}}) {
        const Result found = CheckProject(IniFile::FromBytes(row.bytes));
        EXPECT_EQ(found.failure, row.project ? Result::Failure::None : Result::Failure::Unsuitable)
            << row.name;
    }
}

TEST_F(ProjectFileTest, OlderFileIsConvertedInPlace) {
    WriteBytes("old.ini", "[Mode]\nExpert=1\nStandard=0\n[Settings]\nProject=Old\nNumVesk1=1\n"
                          "NumVesk3=2\nNumInp=40\n");
    TMasterForm& f = NewWindow();
    f.Recalculate();
    EXPECT_TRUE(ReadSettingsFromFile(f, Path("old.ini")).Ok());
    EXPECT_TRUE(f.RB_Vesk3.Checked());
    EXPECT_EQ(f.Ed_NumVesk.Text(), "3") << "both kinds are devices on the bus";
    EXPECT_EQ(ReadBytes("old.ini"), "[Mode]\nExpert=1\nStandard=0\n[Settings]\nProject=Old\n"
                                    "NumInp=40\nNumVesk=3\nVesk1=0\nVesk3=1\n");
}

TEST_F(ProjectFileTest, OlderFileCountsThatAreNotNumbers) {
    struct Row {
        const char* name;
        const char* keys;
        const char* count;
        bool cpu3;
    };
    for (const Row& row :
         {Row{"Cpu3NotANumber", "NumVesk1=2\nNumVesk3=x\n", "2", false},
          Row{"OnlyCpu1", "NumVesk1=4\n", "4", false}, Row{"Neither", "", "1", false},
          // The sum wraps negative, which the value check rejects.
          Row{"Wrapping", "NumVesk1=2147483647\nNumVesk3=1\n", "0", true}}) {
        WriteBytes("old.ini", std::string("[Mode]\nExpert=1\nStandard=0\n[Settings]\n") + row.keys);
        TMasterForm& f = NewWindow();
        f.Recalculate();
        EXPECT_TRUE(ReadSettingsFromFile(f, Path("old.ini")).Ok());
        EXPECT_EQ(f.RB_Vesk3.Checked(), row.cpu3) << row.name;
        EXPECT_EQ(f.Ed_NumVesk.Text(), row.count) << row.name;
    }
}

// A saved project reads back as it was saved with one read, into a fresh
// window and into one that held another project: the inputs, the results
// and the status.
struct SavedProject {
    const char* name;
    MenuItem C::*mode;
    std::vector<std::pair<EditField C::*, const char*>> typed;
    bool preselected = false;
    bool manualCycleTime = false;
    CheckBox C::*structure = nullptr;
    int routerType = 0;
    int repeaterType = 0;
    // A field that must show this text after the read, so that a row whose
    // typing did not take cannot pass.
    std::pair<EditField C::*, const char*> shows = {};
};

TEST_F(ProjectFileTest, SavedProjectReadsBackInOneRead) {
    const std::vector<SavedProject> rows = {
        {"StandardMainPath", &C::Standard, {{&C::Ed_Mainpath, "450"}}, false, false, nullptr, 0,
         0, {&C::Ed_Mainpath, "450"}},
        {"ExpertPreselectedRate", &C::Expert, {{&C::Ed_MainBaud, "125"}}, true, false, nullptr,
         0, 0, {&C::Ed_Baud, "125"}},
        {"BaudRateModeMainPath", &C::Baudratemode, {{&C::Ed_Mainpath, "700"}}, false, false,
         nullptr, 0, 0, {&C::Ed_Baud, "50"}},
        {"ExpertManualCycleTime", &C::Expert, {{&C::Ed_CVesk, "40"}}, false, true, nullptr, 0, 0,
         {&C::Ed_CVesk, "40"}},
        {"ExpertManualRouterTime",
         &C::Expert,
         {{&C::Ed_NumRouters, "2"}, {&C::Ed_RouterCorr, "33"}},
         false,
         false,
         &C::CB_Routers,
         kRouterManualTime,
         0,
         {&C::Ed_RouterCorrRes, "66"}},
        {"StandardRepeaterLength",
         &C::Standard,
         {{&C::Ed_NumRepeater, "1"}, {&C::Ed_LRepeater, "250"}},
         false,
         false,
         &C::CB_Repeaters,
         0,
         kRepeaterManualLength,
         {&C::Ed_LRepeater, "250"}},
        {"ExpertEverythingByHand",
         &C::Expert,
         {{&C::Ed_MainBaud, "250"},
          {&C::Ed_NumRouters, "1"},
          {&C::Ed_RouterCorr, "12"},
          {&C::Ed_CVesk, "25"}},
         true,
         true,
         &C::CB_Routers,
         kRouterManualTime,
         0,
         {&C::Ed_CVesk, "25"}},
    };
    const auto results = [](const TMasterForm& f) {
        return std::vector<std::string>{f.Ed_Baud.Text(), f.Ed_RouterCorrRes.Text(),
                                        f.Ed_ETO.Text(),  f.Ed_CTO.Text(),
                                        f.Ed_Rmax.Text(), f.Ed_CVesk.Text(),
                                        f.SB_Status.PanelText(1)};
    };
    // Another project, with the other rate source and an estimated cycle time.
    WriteBytes("other.ini", "[Mode]\nExpert=1\nStandard=0\n[Settings]\nNumVesk=3\nMainpath=900\n"
                            "RB_Main=1\nRB_Baud=0\nCBRouters=1\nNumRouters=3\n"
                            "RouterType=Harlen - Vesk QN Router\nCBRepeaters=1\nNumRepeater=2\n"
                            "RepeaterType=Mirato - Raylink\nCVesk=9\nCVeskManual=0\n");
    for (const SavedProject& row : rows) {
        TMasterForm& a = NewWindow();
        a.Recalculate();
        (a.*row.mode).Click();
        if (row.structure)
            (a.*row.structure).SetChecked(true);
        if (row.preselected)
            a.RB_Baud.SetChecked(true);
        if (row.manualCycleTime)
            a.CB_CVeskManual.SetChecked(true);
        for (const auto& [edit, text] : row.typed) {
            Type(a.*edit, text);
            if (edit == &C::Ed_NumRouters && row.routerType)
                a.CB_RouterType.UserSelect(row.routerType);
            if (edit == &C::Ed_NumRepeater && row.repeaterType)
                a.CB_RepeaterType.UserSelect(row.repeaterType);
        }
        ASSERT_EQ((a.*row.shows.first).Text(), row.shows.second) << row.name << ": as typed";
        const ProjectControls written = Snapshot(a);
        const std::vector<std::string> shown = results(a);
        ASSERT_TRUE(WriteSettingsToFile(a, globals, Path("saved.ini")).Ok());

        for (const bool held : {false, true}) {
            TMasterForm& b = NewWindow();
            b.Recalculate();
            if (held) {
                ASSERT_TRUE(ReadSettingsFromFile(b, Path("other.ini")).Ok());
            }
            EXPECT_TRUE(ReadSettingsFromFile(b, Path("saved.ini")).Ok());
            EXPECT_EQ(Snapshot(b), written) << row.name << (held ? " over a project" : "");
            EXPECT_EQ(results(b), shown) << row.name << (held ? " over a project" : "");
        }
        EXPECT_TRUE(messages.shown.empty()) << row.name;
    }
}

TEST_F(ProjectFileTest, HandAddedKeysSurviveWritesAndAreIgnored) {
    WriteBytes("p.ini", "; notes\n[Settings]\nNumVesk=2\nNumVesk1=7\nMyNote=keep me\n");
    TMasterForm& f = NewWindow();
    f.Recalculate();
    EXPECT_TRUE(ReadSettingsFromFile(f, Path("p.ini")).Ok());
    EXPECT_EQ(f.Ed_NumVesk.Text(), "2");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(WriteSettingsToFile(f, globals, Path("p.ini")).Ok());
    IniFile ini = OpenIni(Path("p.ini"));
    EXPECT_EQ(ini.ReadString("Settings", "NumVesk1", ""), "7");
    EXPECT_EQ(ini.ReadString("Settings", "MyNote", ""), "keep me");
    EXPECT_EQ(ReadBytes("p.ini").rfind("; notes\n[Settings]\nNumVesk=2\nNumVesk1=7\n", 0), 0u);
}

TEST_F(ProjectFileTest, ProjectNameWithLineBreakStaysOneKey) {
    TMasterForm& f = NewWindow();
    f.Recalculate();
    Type(f.Ed_Project, "Line 4\r\nPress=2; cell #3");
    ASSERT_TRUE(WriteSettingsToFile(f, globals, Path("p.ini")).Ok());
    TMasterForm& g = NewWindow();
    EXPECT_TRUE(ReadSettingsFromFile(g, Path("p.ini")).Ok());
    EXPECT_EQ(g.Ed_Project.Text(), "Line 4 Press=2; cell #3");
    EXPECT_FALSE(OpenIni(Path("p.ini")).ValueExists("Settings", "Press"));
}

// Random windows written and read back give the same controls with one
// read, into a fresh window and over the previous run's project.
TEST_F(ProjectFileTest, RandomWindowsRoundTrip) {
    std::mt19937 rng(7);
    const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const auto number = [&](int top) { return std::to_string(pick(top)); };
    for (int run = 0; run < 60; ++run) {
        TMasterForm& a = NewWindow();
        a.Recalculate();
        MenuItem* modes[] = {&a.Standard, &a.Expert, &a.Baudratemode};
        modes[pick(3)]->Click();
        a.CB_Routers.SetChecked(pick(2));
        a.CB_Repeaters.SetChecked(pick(2));
        a.CB_DropLines.SetChecked(pick(2));
        (pick(2) ? a.RB_Main : a.RB_Baud).SetChecked(true);
        (pick(2) ? a.RB_Vesk1 : a.RB_Vesk3).SetChecked(true);
        a.CB_CVeskManual.SetChecked(pick(2));
        for (EditField* e : {&a.Ed_Mainpath, &a.Ed_MainBaud, &a.Ed_NumRouters, &a.Ed_LongSeg,
                             &a.Ed_MDSeg, &a.Ed_NumRepeater, &a.Ed_DropMax, &a.Ed_DropTot,
                             &a.Ed_NumIOD, &a.Ed_NumInp, &a.Ed_NumInpCycl, &a.Ed_InpCycl,
                             &a.Ed_NumOut, &a.Ed_NumOutCycl, &a.Ed_OutCycl, &a.Ed_CVesk})
            Type(*e, number(700));
        a.CB_RouterType.UserSelect(pick(8));
        a.CB_RepeaterType.UserSelect(pick(5));
        Type(a.Ed_Project, "Run " + std::to_string(run) + " \xC3\xA4\xC3\xB6 =;#\"");
        a.PageControl1.UserSelectPage(pick(8));
        KeptInputs kept;
        for (Field field : {Field::Mainpath, Field::NumIOD, Field::NumInp, Field::OutCycl})
            kept.Set(field, pick(2));
        const auto maybe = [&](int top) {
            return pick(2) ? std::optional<int32_t>(1 + pick(top)) : std::nullopt;
        };
        const Requirements required{1 + pick(500), maybe(300), maybe(300), kept};
        a.SetRequirements(required);
        const ProjectControls written = Snapshot(a);
        ASSERT_TRUE(WriteSettingsToFile(a, globals, Path("r.ini")).Ok());

        TMasterForm& b = NewWindow();
        b.Recalculate();
        if (run > 0) {
            EXPECT_TRUE(ReadSettingsFromFile(b, Path("previous.ini")).Ok());
        }
        EXPECT_TRUE(ReadSettingsFromFile(b, Path("r.ini")).Ok());
        ASSERT_EQ(Snapshot(b), written) << "run " << run;
        EXPECT_EQ(b.Required(), required) << "run " << run;
        std::filesystem::rename(Path("r.ini"), Path("previous.ini"));
    }
}

} // namespace
} // namespace qntcalc::testing
