#include "project/ProjectFile.h"
#include "tests/project/ProjectControls.h"
#include "tests/support/IniFiles.h"
#include "tests/support/WindowFixture.h"

#include <algorithm>
#include <iostream>
#include <sstream>
#include <sys/stat.h>

namespace qntcalc::testing {
namespace {

using FileCommandsTest = WindowTest;

TEST_F(FileCommandsTest, FirstStartCreatesTheSettingsFileAndExitCompletesIt) {
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    EXPECT_EQ(messages.shown, std::vector<ShownBox>{});
    EXPECT_EQ(f.Ed_CVesk.Text(), "4");
    EXPECT_TRUE(f.Standard.Checked());
    EXPECT_EQ(f.Ed_Project.Text(), "Empty Project");
    EXPECT_EQ(f.Ed_NumIOD.Text(), "2");
    EXPECT_EQ(commands->SettingsPath(), Path("QntCalc.ini"));
    EXPECT_EQ(OpenIni(Path("QntCalc.ini")).Keys("Settings"),
              (std::vector<std::string>{"NumVesk", "Vesk1", "Vesk3"}));

    std::string atClose;
    commands->OnCloseRequested = [&] {
        atClose = ReadBytes("QntCalc.ini");
        commands->FormClose();
    };
    f.Exit.Click();
    EXPECT_EQ(OpenIni(Path("QntCalc.ini")).Keys("Settings").size(), 40u);
    EXPECT_EQ(ReadBytes("QntCalc.ini"), atClose) << "Exit writes twice with the same content";
}

TEST_F(FileCommandsTest, SettingsCarryTheWindowToTheNextRun) {
    TMasterForm& a = NewWindow();
    commands->FormCreate();
    a.Expert.Click();
    Type(a.Ed_Mainpath, "300");
    commands->FormClose();

    TMasterForm& b = NewWindow();
    commands->FormCreate();
    EXPECT_TRUE(b.Expert.Checked());
    EXPECT_EQ(b.Ed_Mainpath.Text(), "300");
    EXPECT_EQ(b.Ed_Baud.Text(), "125");
}

TEST_F(FileCommandsTest, OpenReadsTheChosenFileAndSetsTheCaption) {
    std::filesystem::create_directory(dir_ / "plans");
    WriteBytes("plans/alpha.ini", "[Settings]\nNumVesk=1\nMainpath=300\nProject=Alpha\n");
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    EXPECT_FALSE(f.Save.Enabled());

    dialogs.answers = {std::nullopt};
    f.Open.Click();
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator") << "a cancelled Open changes nothing";
    EXPECT_EQ(dialogs.asked.back().initialDir, dir_.string());
    EXPECT_EQ(dialogs.asked.back().filter, "Project files (*.ini)|*.ini");

    dialogs.answers = {Path("plans/alpha.ini")};
    f.Open.Click();
    EXPECT_EQ(f.Ed_Project.Text(), "Alpha");
    EXPECT_EQ(f.Ed_Baud.Text(), "125");
    EXPECT_TRUE(f.Save.Enabled());
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator - alpha");
    EXPECT_EQ(globals.ProjectDir, Path("plans"));

    dialogs.answers = {std::nullopt};
    f.Open.Click();
    EXPECT_EQ(dialogs.asked.back().initialDir, Path("plans"));
}

TEST_F(FileCommandsTest, ChangesWithoutSaveLeaveTheProjectUntouched) {
    const std::string project = "[Settings]\nNumVesk=1\nMainpath=300\n";
    WriteBytes("alpha.ini", project);
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    dialogs.answers = {Path("alpha.ini")};
    f.Open.Click();
    Type(f.Ed_Mainpath, "900");
    commands->FormClose();
    EXPECT_EQ(ReadBytes("alpha.ini"), project);
    EXPECT_EQ(OpenIni(Path("QntCalc.ini")).ReadString("Settings", "Mainpath", ""), "900");
}

TEST_F(FileCommandsTest, SaveAsProposesTheProjectNameAndKeepsItAfterCancel) {
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    Type(f.Ed_Project, "Line4");
    dialogs.answers = {std::nullopt, std::nullopt};
    f.SaveAs.Click();
    Type(f.Ed_Project, "Line5");
    f.SaveAs.Click();
    EXPECT_EQ(dialogs.asked[0].proposedName, "Line4");
    EXPECT_EQ(dialogs.asked[1].proposedName, "Line4");
    EXPECT_FALSE(f.Save.Enabled());
}

TEST_F(FileCommandsTest, SaveAsBacksUpOnceAndNeverReplacesABackup) {
    WriteBytes("alpha.ini", "[Settings]\nProject=first\n");
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    Type(f.Ed_Project, "second");
    dialogs.answers = {Path("alpha.ini")};
    f.SaveAs.Click();
    EXPECT_EQ(ReadBytes("alpha.BAK"), "[Settings]\nProject=first\n");
    EXPECT_EQ(OpenIni(Path("alpha.ini")).ReadString("Settings", "Project", ""), "second");
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator - alpha");
    EXPECT_TRUE(f.Save.Enabled());

    Type(f.Ed_Project, "third");
    dialogs.answers = {Path("alpha.ini")};
    f.SaveAs.Click();
    EXPECT_EQ(ReadBytes("alpha.BAK"), "[Settings]\nProject=first\n");
    EXPECT_EQ(OpenIni(Path("alpha.ini")).ReadString("Settings", "Project", ""), "third");
}

TEST_F(FileCommandsTest, SaveAsNameRules) {
    struct Row {
        const char* name;
        const char* existing; // file present before, or ""
        const char* chosen;
        const char* written;
        const char* backup; // expected backup, or ""
        const char* caption;
    };
    for (const Row& row :
         {Row{"TypedWithoutExtension", "beta.ini", "beta", "beta.ini", "",
              "Quarnet Calculator - beta"},
          Row{"OtherExtension", "gamma.txt", "gamma.txt", "gamma.ini", "gamma.BAK",
              "Quarnet Calculator - gamma"},
          // The caption names the file actually written.
          Row{"DotInDirectory", "", "ver2.5/alpha", "ver2.ini", "", "Quarnet Calculator - ver2"}}) {
        std::filesystem::create_directory(dir_ / "ver2.5");
        if (*row.existing)
            WriteBytes(row.existing, "[Settings]\nKeep=1\nNumVesk=1\n");
        TMasterForm& f = NewWindow();
        commands->FormCreate();
        dialogs.answers = {Path(row.chosen)};
        f.SaveAs.Click();
        EXPECT_TRUE(Exists(row.written)) << row.name;
        if (*row.backup) {
            EXPECT_EQ(ReadBytes(row.backup), "[Settings]\nKeep=1\nNumVesk=1\n") << row.name;
        }
        EXPECT_EQ(f.MasterForm.Caption(), row.caption) << row.name;
        EXPECT_EQ(globals.ProjectFile, Path(row.written)) << row.name;
        EXPECT_EQ(globals.ProjectDir, dir_.string()) << row.name;
        globals.ProjectFile.clear();
        globals.ProjectDir.clear();
    }
    EXPECT_EQ(OpenIni(Path("beta.ini")).ReadString("Settings", "Keep", ""), "1")
        << "typing beta wrote into the existing beta.ini";
}

// Save as never puts a project over a file that holds none: the box says
// so, and the file, its name and the window stay as they were.
TEST_F(FileCommandsTest, SaveAsRefusesAFileThatHoldsNoProject) {
    for (const char* chosen : {"notes.txt", "report.pdf", "plain.ini"}) {
        SCOPED_TRACE(chosen);
        const std::string bytes = std::string("%PDF-1.4 not a project ") + chosen;
        WriteBytes(chosen, bytes);
        TMasterForm& f = NewWindow();
        commands->FormCreate();
        messages.shown.clear();
        dialogs.answers = {Path(chosen)};
        f.SaveAs.Click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  "Cannot write \"" + Path(chosen) +
                      "\": It holds no project, and a project is written only over a project "
                      "file or an empty one");
        EXPECT_EQ(ReadBytes(chosen), bytes);
        EXPECT_TRUE(globals.ProjectFile.empty() || globals.ProjectFile == "Empty Project");
        globals.ProjectFile.clear();
    }
    EXPECT_FALSE(Exists("notes.ini"));
    EXPECT_FALSE(Exists("notes.BAK"));
    // An empty file holds nothing to lose.
    WriteBytes("empty.ini", "");
    dialogs.answers = {Path("empty.ini")};
    f().SaveAs.Click();
    EXPECT_EQ(OpenIni(Path("empty.ini")).ReadString("Settings", "NumIOD", ""),
              f().Ed_NumIOD.Text());
}

TEST_F(FileCommandsTest, ReferencePlatformPathsInDirectoryAndCaption) {
    TMasterForm& f = NewWindow();
    FileCommands windows(f, globals, dialogs, messages, PathStyle::Windows);
    WireFileMenu(f, windows);
    commands->FormCreate();
    WriteBytes("D:\\alpha.ini", "[Settings]\nNumVesk=1\n");
    dialogs.answers = {std::string("D:\\alpha.ini")};
    f.Open.Click(); // now handled by the Windows-style commands
    EXPECT_EQ(globals.ProjectDir, "D:");
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator - alpha");
}

TEST_F(FileCommandsTest, FailedSaveChangesNothing) {
    const std::string alpha = "[Settings]\nProject=old\nNumVesk=1\nCVesk=7\n";
    WriteBytes("alpha.ini", alpha);
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    dialogs.answers = {Path("missing/dir/alpha.ini")};
    f.SaveAs.Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Save Error");
    EXPECT_EQ(messages.kinds[0], MessageKind::Critical);
    EXPECT_NE(messages.shown[0].text.find("missing/dir/alpha.ini"), std::string::npos);
    // As after a cancel: only the proposed name was taken.
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator");
    EXPECT_FALSE(f.Save.Enabled());
    EXPECT_EQ(globals.ProjectFile, "Empty Project");
    EXPECT_EQ(globals.ProjectDir, "");

    dialogs.answers = {Path("alpha.ini")};
    f.Open.Click();
    dialogs.answers = {Path("missing/dir/beta.ini")};
    f.SaveAs.Click();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator - alpha");
    EXPECT_EQ(globals.ProjectFile, Path("alpha.ini")) << "Save still writes the open project";
    EXPECT_EQ(globals.ProjectDir, dir_.string());

    // The chosen file, moved aside as backup, comes back when the write fails.
    WriteBytes("gamma.txt", "[Settings]\nProject=gamma\n");
    std::filesystem::create_directory(dir_ / "gamma.ini");
    dialogs.answers = {Path("gamma.txt")};
    f.SaveAs.Click();
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(ReadBytes("gamma.txt"), "[Settings]\nProject=gamma\n");
    EXPECT_FALSE(Exists("gamma.BAK"));

    // A directory in the file's place cannot be replaced by the save either.
    std::filesystem::create_directory(dir_ / "taken.ini");
    globals.ProjectFile = Path("taken.ini");
    f.Save.Click();
    EXPECT_EQ(messages.shown.size(), 4u);
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken.ini"));
    EXPECT_EQ(ReadBytes("alpha.ini"), alpha);

    // A FIFO chosen in Save as stays in its place: neither replaced nor
    // moved aside as the backup.
    ASSERT_EQ(::mkfifo(Path("pipe.ini").c_str(), 0644), 0);
    dialogs.answers = {Path("pipe.ini")};
    f.SaveAs.Click();
    ASSERT_EQ(messages.shown.size(), 5u);
    EXPECT_EQ(messages.shown[4].text, "Cannot write \"" + Path("pipe.ini") + "\": Not a regular file");
    EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "pipe.ini"));
    EXPECT_FALSE(Exists("pipe.BAK"));
    EXPECT_EQ(globals.ProjectFile, Path("taken.ini")) << "the open project stays";
}

const std::string kForeign = "[Database]\nhost=db.example\nport=5432\n";
const std::string kNotAProject = "Not a project file; it has no [Settings] section with a project key";

// Puts something that is no project at a path.
struct NoProject {
    const char* name;
    std::function<void(const std::string& path)> make;
    std::string reason;
};

const std::vector<NoProject> kNoProjects{
    {"Foreign", [](const std::string& p) { std::ofstream(p, std::ios::binary) << kForeign; },
     kNotAProject},
    {"Garbage",
     [](const std::string& p) { std::ofstream(p, std::ios::binary) << RandomBytes(200000); },
     kNotAProject},
    {"Missing", [](const std::string&) {}, "No such file or directory"},
    {"Directory", [](const std::string& p) { std::filesystem::create_directory(p); },
     "Is a directory"},
    {"Fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
     "Not a regular file"},
    {"Oversized",
     [](const std::string& p) {
         std::ofstream(p, std::ios::binary) << "[Settings]\nNumVesk=1\n";
         std::filesystem::resize_file(p, std::uintmax_t{300} << 20); // sparse
     },
     "Larger than 4 MiB"},
};

// What lies at a path, to see that nothing touched it.
std::string Fingerprint(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (!std::filesystem::is_regular_file(status))
        return std::to_string(static_cast<int>(status.type()));
    std::ifstream in(path, std::ios::binary);
    std::string head(1 << 20, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return std::to_string(std::filesystem::file_size(path)) + ":" + head;
}

TEST_F(FileCommandsTest, OpenRefusesWhatIsNoProjectAndChangesNothing) {
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    Type(f.Ed_Mainpath, "900");
    messages.shown.clear();
    std::filesystem::create_directory(dir_ / "other");
    for (const NoProject& row : kNoProjects) {
        const std::string path = Path("other/x.ini");
        row.make(path);
        const std::string before = Fingerprint(path);
        const ProjectControls window = Snapshot(f);
        dialogs.answers = {path};
        f.Open.Click();
        EXPECT_EQ(messages.shown, (std::vector<ShownBox>{{"Cannot open \"" + path + "\": " +
                                                              row.reason,
                                                          "Open Error"}}))
            << row.name;
        EXPECT_EQ(messages.kinds, std::vector{MessageKind::Critical}) << row.name;
        EXPECT_EQ(Snapshot(f), window) << row.name;
        EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator") << row.name;
        EXPECT_FALSE(f.Save.Enabled()) << row.name;
        EXPECT_EQ(globals.ProjectFile, "") << row.name;
        EXPECT_EQ(globals.ProjectDir, "") << row.name;
        EXPECT_EQ(Fingerprint(path), before) << row.name;
        messages.shown.clear();
        messages.kinds.clear();
        std::filesystem::remove(path);
    }
}

// Takes what the code under test writes to std::cerr.
class CapturedErrors {
public:
    CapturedErrors() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~CapturedErrors() { std::cerr.rdbuf(old_); }
    std::string Text() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* old_;
};

// A start whose settings file cannot be used looks like a first start, with
// no value box; once the window is shown, one box says what became of the
// file.
class StartNoticeTest : public FileCommandsTest {
protected:
    ProjectControls FirstStart() {
        TMasterForm& f = NewWindow();
        commands->FormCreate();
        const ProjectControls controls = Snapshot(f);
        std::filesystem::remove(Path("QntCalc.ini"));
        return controls;
    }

    void ExpectFirstStartAndOneNotice(const ProjectControls& first,
                                      const std::vector<std::string>& named,
                                      const std::string& row) {
        EXPECT_EQ(messages.shown, std::vector<ShownBox>{}) << row << ": nothing before it is shown";
        EXPECT_EQ(Snapshot(*form), first) << row;
        ASSERT_TRUE(commands->StartNotice()) << row;
        commands->ShowStartNotice();
        commands->ShowStartNotice();
        ASSERT_EQ(messages.kinds, std::vector{MessageKind::Information}) << row;
        EXPECT_EQ(messages.shown[0].caption, "Settings file");
        for (const std::string& name : named)
            EXPECT_NE(messages.shown[0].text.find(name), std::string::npos)
                << row << ": " << messages.shown[0].text;
        messages.shown.clear();
        messages.kinds.clear();
    }
};

TEST_F(StartNoticeTest, ASettingsFileThatHoldsNoSettingsIsNeverLost) {
    const ProjectControls first = FirstStart();
    for (const NoProject& row : kNoProjects) {
        if (std::string_view(row.name) == "Missing")
            continue; // the first start, which creates the file
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            std::filesystem::remove_all(entry.path());
        row.make(Path("QntCalc.ini"));
        const std::string before = Fingerprint(Path("QntCalc.ini"));
        const bool movable = row.reason == kNotAProject;
        CapturedErrors errors;
        TMasterForm& f = NewWindow();
        commands->FormCreate();
        std::vector<std::string> named{"QntCalc.ini " + std::string("in ") + dir_.string() + " "};
        if (movable)
            named.push_back("renamed to QntCalc.BAK");
        else if (row.reason != "Is a directory")
            named.push_back(row.reason);
        ExpectFirstStartAndOneNotice(first, named, row.name);
        commands->FormClose();
        EXPECT_EQ(f.Ed_Project.Text(), "Empty Project") << row.name;
        EXPECT_EQ(Fingerprint(Path(movable ? "QntCalc.BAK" : "QntCalc.ini")), before) << row.name;
        EXPECT_EQ(OpenIni(Path("QntCalc.ini")).Keys("Settings").size(), movable ? 40u : 0u)
            << row.name;
        const std::string note = errors.Text();
        EXPECT_EQ(std::count(note.begin(), note.end(), '\n'), 1) << note;
        EXPECT_NE(note.find(Path("QntCalc.ini")), std::string::npos) << note;
        EXPECT_NE(note.find(row.reason), std::string::npos) << note;
    }
}

TEST_F(StartNoticeTest, ATakenBackupNameLeavesTheSettingsFileAlone) {
    const ProjectControls first = FirstStart();
    WriteBytes("QntCalc.ini", kForeign);
    WriteBytes("QntCalc.BAK", "earlier");
    CapturedErrors errors;
    NewWindow();
    commands->FormCreate();
    ExpectFirstStartAndOneNotice(first,
                                 {"QntCalc.ini in " + dir_.string() + " ",
                                  "could not be renamed to QntCalc.BAK (File exists)"},
                                 "TakenBackup");
    commands->FormClose();
    EXPECT_EQ(ReadBytes("QntCalc.ini"), kForeign);
    EXPECT_EQ(ReadBytes("QntCalc.BAK"), "earlier");
    EXPECT_EQ(commands->SettingsPath(), std::nullopt);
    EXPECT_NE(errors.Text().find("keeps no settings file"), std::string::npos) << errors.Text();
}

TEST_F(StartNoticeTest, AStartDirectoryThatIsGoneKeepsNoSettingsFile) {
    const ProjectControls first = FirstStart();
    std::filesystem::create_directory(dir_ / "gone");
    std::filesystem::current_path(dir_ / "gone");
    std::filesystem::remove(dir_ / "gone");
    const bool rootHadOne = std::filesystem::exists("/QntCalc.ini");
    CapturedErrors errors;
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    ExpectFirstStartAndOneNotice(first, {"QntCalc.ini", "no longer exists"}, "Gone");
    commands->FormClose();
    EXPECT_EQ(commands->SettingsPath(), std::nullopt);
    EXPECT_EQ(f.Ed_Project.Text(), "Empty Project");
    EXPECT_NE(errors.Text().find("no longer exists"), std::string::npos) << errors.Text();
    if (!rootHadOne) {
        EXPECT_FALSE(std::filesystem::exists("/QntCalc.ini"));
    }
}

// A failed settings write is said, and the next write tries again.
TEST_F(FileCommandsTest, AFailedSettingsWriteIsRetriedByTheNext) {
    std::filesystem::create_directory(dir_ / "start");
    std::filesystem::current_path(dir_ / "start");
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    Type(f.Ed_Mainpath, "300");
    std::filesystem::rename(dir_ / "start", dir_ / "away");
    {
        CapturedErrors errors;
        commands->WriteSettingsToFile();
        EXPECT_NE(errors.Text().find("Settings not saved"), std::string::npos) << errors.Text();
    }
    std::filesystem::rename(dir_ / "away", dir_ / "start");
    EXPECT_EQ(OpenIni(Path("start/QntCalc.ini")).ReadString("Settings", "Mainpath", ""), "");
    CapturedErrors errors;
    commands->FormClose();
    EXPECT_EQ(errors.Text(), "");
    EXPECT_EQ(OpenIni(Path("start/QntCalc.ini")).ReadString("Settings", "Mainpath", ""), "300");
}

// A section of desktop state that counts how it is read and written.
class CountingSection : public SettingsSection {
public:
    void ReadSettings(const IniFile& ini) override { value = ini.ReadString("Desk", "Value", "none"); }
    Result WriteSettings(IniFile& ini) const override { return ini.WriteString("Desk", "Value", value); }
    std::string value;
};

TEST_F(FileCommandsTest, DesktopSectionsTravelInTheSettingsFileOnly) {
    CountingSection early;
    CountingSection late;
    NewWindow();
    commands->AddSettingsSection(early);
    commands->FormCreate();
    EXPECT_EQ(early.value, "none");
    early.value = "kept";
    commands->FormClose();
    EXPECT_EQ(OpenIni(Path("QntCalc.ini")).Sections(),
              (std::vector<std::string>{"Settings", "Mode", "About", "Requirements", "Desk"}));

    TMasterForm& f = NewWindow();
    commands->FormCreate();
    commands->AddSettingsSection(late);
    EXPECT_EQ(late.value, "kept") << "a section added after start reads at once";

    dialogs.answers = {Path("plan.ini")};
    f.SaveAs.Click();
    EXPECT_FALSE(OpenIni(Path("plan.ini")).ValueExists("Desk", "Value"));
}

// Where the Vesk cycle time is missing, its check refuses the empty text.
struct CycleTimeRow {
    const char* name;
    const char* settings; // the settings file at start, or null for none
    const char* opened;   // a project opened afterwards, or null
    std::vector<MessageKind> boxes;
};

TEST_F(FileCommandsTest, OnlyAFirstStartLeavesTheMissingCycleTimeUnsaid) {
    for (const CycleTimeRow& row : {
             CycleTimeRow{"NoSettingsFile", nullptr, nullptr, {}},
             CycleTimeRow{"LeftByAFirstStart", "[Settings]\nNumVesk=1\nVesk1=1\nVesk3=0\n",
                          nullptr, {}},
             CycleTimeRow{"RefusedCycleTime", "[Settings]\nNumVesk=1\nCVesk=0\n", nullptr,
                          {MessageKind::Warning}},
             CycleTimeRow{"ProjectWithout", nullptr, "[Settings]\nNumVesk=1\n",
                          {MessageKind::Warning}},
         }) {
        std::filesystem::remove(Path("QntCalc.ini"));
        if (row.settings)
            WriteBytes("QntCalc.ini", row.settings);
        messages.kinds.clear();
        TMasterForm& f = NewWindow();
        commands->FormCreate();
        if (row.opened) {
            WriteBytes("plan.ini", row.opened);
            dialogs.answers = {Path("plan.ini")};
            f.Open.Click();
        }
        EXPECT_EQ(messages.kinds, row.boxes) << row.name;
        // Quiet or not, the check puts the same text right.
        EXPECT_EQ(f.Ed_CVesk.Text(), "4") << row.name;
    }
}

TEST_F(FileCommandsTest, AFileNamedAtStartOpensAsOpenDoes) {
    WriteBytes("QntCalc.ini", "[Settings]\nNumVesk=1\nCVesk=5\nMainpath=300\n");
    WriteBytes("plan.ini", "[Settings]\nNumVesk=1\nCVesk=5\nMainpath=250\n");
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    const auto named = [](const char* name) { return *ProjectFileArgument(std::vector<std::string>{name}); };
    EXPECT_EQ(commands->OpenFile(named("missing.ini")).failure, Result::Failure::Missing);
    EXPECT_EQ(messages.shown, (std::vector<ShownBox>{{"Cannot open \"" + Path("missing.ini") +
                                                          "\": No such file or directory",
                                                      "Open Error"}}));
    EXPECT_EQ(f.Ed_Mainpath.Text(), "300") << "the settings' state stays";
    EXPECT_FALSE(f.Save.Enabled());

    EXPECT_TRUE(commands->OpenFile(named("plan.ini")).Ok());
    EXPECT_EQ(f.Ed_Mainpath.Text(), "250");
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator - plan");
    EXPECT_EQ(globals.ProjectFile, Path("plan.ini")) << "Save must not follow the working directory";
    EXPECT_TRUE(f.Save.Enabled());
}

TEST_F(FileCommandsTest, RecentFilesFollowOpenAndSaveAndLoseAFileThatIsGone) {
    using Paths = std::vector<std::string>;
    const std::string alpha = Path("alpha.ini");
    const std::string beta = Path("beta.ini");
    WriteBytes("beta.ini", "[Settings]\nNumVesk=1\nCVesk=5\n");
    RecentFiles recent;
    TMasterForm& f = NewWindow();
    commands->KeepRecentFiles(recent);
    commands->FormCreate();
    dialogs.answers = {alpha, beta, Path("no/such/dir/x.ini")};
    f.SaveAs.Click();
    f.Open.Click();
    f.SaveAs.Click(); // fails
    EXPECT_EQ(recent.Paths(), (Paths{beta, alpha}));
    commands->OpenRecent(alpha);
    EXPECT_EQ(recent.Paths(), (Paths{alpha, beta}));
    commands->OpenRecent(beta);
    globals.ProjectFile = alpha;
    f.Save.Click();
    EXPECT_EQ(recent.Paths(), (Paths{alpha, beta}));

    messages.shown.clear();
    WriteBytes("alpha.ini", kForeign);
    commands->OpenRecent(alpha);
    std::filesystem::remove(beta);
    commands->OpenRecent(beta);
    EXPECT_EQ(messages.shown,
              (std::vector<ShownBox>{{"Cannot open \"" + alpha + "\": " + kNotAProject, "Open Error"},
                                     {"Cannot open \"" + beta + "\": No such file or directory",
                                      "Open Error"}}));
    EXPECT_EQ(recent.Paths(), Paths{alpha}) << "only the file that is gone leaves the list";

    commands->FormClose();
    RecentFiles next;
    NewWindow();
    commands->KeepRecentFiles(next);
    commands->FormCreate();
    EXPECT_EQ(next.Paths(), Paths{alpha});
}

} // namespace
} // namespace qntcalc::testing

namespace qntcalc::testing {
namespace {

const std::string kPlan = "[Settings]\nProject=Alpha\nNumVesk=1\nMainpath=300\nCBRouters=0\n"
                          "CBRepeaters=1\nNumRepeater=1\nCBDropLines=0\n[Mode]\nExpert=1\nStandard=0\n";

class UnsavedChangesTest : public FileCommandsTest {
protected:
    UnsavedChangesTest() {
        WriteBytes("alpha.ini", kPlan);
        WriteBytes("beta.ini", "[Settings]\nNumVesk=1\nCVesk=5\nMainpath=250\n");
        NewWindow();
        commands->KeepRecentFiles(recent);
        commands->FormCreate();
        commands->Changes().OnModifiedChanged = [this](bool modified) { marks.push_back(modified); };
    }
    void OpenAlpha() {
        dialogs.answers = {Path("alpha.ini")};
        f().Open.Click();
    }

    RecentFiles recent;
    std::vector<bool> marks;
};

TEST_F(UnsavedChangesTest, TheWindowIsModifiedWhileItsInputsDifferFromTheFile) {
    struct Row {
        const char* name;
        std::function<void(TMasterForm&)> change;
        std::function<void(TMasterForm&)> back;
        bool counts;
    };
    auto type = [this](EditField C::*edit, const char* text) {
        return [this, edit, text](TMasterForm& f) { Type(f.*edit, text); };
    };
    for (const Row& row : {
             Row{"Field", type(&C::Ed_Mainpath, "900"), type(&C::Ed_Mainpath, "300"), true},
             Row{"ProjectName", type(&C::Ed_Project, "Beta"), type(&C::Ed_Project, "Alpha"), true},
             Row{"Box", [](TMasterForm& f) { f.CB_Routers.SetChecked(true); },
                 [](TMasterForm& f) { f.CB_Routers.SetChecked(false); }, true},
             Row{"Button", [](TMasterForm& f) { f.RB_Vesk3.SetChecked(true); },
                 [](TMasterForm& f) { f.RB_Vesk1.SetChecked(true); }, true},
             Row{"TypeList", [](TMasterForm& f) { f.CB_RepeaterType.UserSelect(2); },
                 [](TMasterForm& f) { f.CB_RepeaterType.UserSelect(0); }, true},
             Row{"Mode", [](TMasterForm& f) { f.Standard.Click(); },
                 [](TMasterForm& f) {
                     f.Expert.Click();
                     f.RB_Vesk1.SetChecked(true); // which Standard mode fixed
                 },
                 true},
             Row{"CycleTimeByHand",
                 [this](TMasterForm& f) {
                     f.CB_CVeskManual.SetChecked(true);
                     Type(f.Ed_CVesk, "9");
                 },
                 [](TMasterForm& f) { f.CB_CVeskManual.SetChecked(false); }, true},
             Row{"Requirement", [](TMasterForm& f) { f.UserSetRequirements({100, 40, {}}); },
                 [](TMasterForm& f) { f.UserSetRequirements({}); }, true},
             Row{"KeptInput",
                 [](TMasterForm& f) {
                     Requirements kept;
                     kept.kept.Set(Field::NumIOD, true);
                     f.UserSetRequirements(kept);
                 },
                 [](TMasterForm& f) { f.UserSetRequirements({}); }, true},
             // What a file holds but nobody enters: the page shown, the results.
             Row{"Page", [](TMasterForm& f) { f.PageControl1.UserSelectPage(2); },
                 [](TMasterForm& f) { f.PageControl1.UserSelectPage(0); }, false},
         }) {
        OpenAlpha();
        marks.clear();
        row.change(f());
        EXPECT_EQ(commands->Changes().Modified(), row.counts) << row.name;
        row.back(f());
        EXPECT_FALSE(commands->Changes().Modified()) << row.name;
        const std::vector<bool> expected =
            row.counts ? std::vector<bool>{true, false} : std::vector<bool>{};
        EXPECT_EQ(marks, expected) << row.name;
    }
}

// Changes that reach the comparison by one notification only, with no
// calculation behind them to notify anything else.
TEST_F(UnsavedChangesTest, EachKindOfInputCountsOnItsOwn) {
    WriteBytes("gamma.ini", "[Settings]\nNumVesk=1\nCVesk=20\nCVeskManual=1\n[Mode]\nExpert=1\n"
                            "Standard=0\n");
    struct Row {
        const char* name;
        std::string file;
        std::function<void(TMasterForm&)> change;
        std::function<void(TMasterForm&)> back;
    };
    for (const Row& row : {
             Row{"TypeListAlone", "alpha.ini", [](TMasterForm& f) { f.CB_RepeaterType.SetItemIndex(2); },
                 [](TMasterForm& f) { f.CB_RepeaterType.SetItemIndex(0); }},
             Row{"ModeItemAlone", "alpha.ini", [](TMasterForm& f) { f.Standard.SetChecked(true); },
                 [](TMasterForm& f) { f.Expert.SetChecked(true); }},
             Row{"TypedCycleTime", "gamma.ini", [this](TMasterForm& f) { Type(f.Ed_CVesk, "25"); },
                 [this](TMasterForm& f) { Type(f.Ed_CVesk, "20"); }},
         }) {
        dialogs.answers = {Path(row.file)};
        f().Open.Click();
        ASSERT_FALSE(commands->Changes().Modified()) << row.name;
        row.change(f());
        EXPECT_TRUE(commands->Changes().Modified()) << row.name;
        row.back(f());
        EXPECT_FALSE(commands->Changes().Modified()) << row.name;
    }
}

TEST_F(UnsavedChangesTest, ThePageShownNeverCountsAndASecondOpenNeverMarks) {
    OpenAlpha();
    f().PageControl1.UserSelectPage(2);
    Type(f().Ed_Mainpath, "900");
    Type(f().Ed_Mainpath, "300");
    EXPECT_FALSE(commands->Changes().Modified()) << "only the page differs from the file";

    marks.clear();
    dialogs.answers = {Path("beta.ini")};
    f().Open.Click();
    EXPECT_FALSE(commands->Changes().Modified());
    EXPECT_EQ(marks, std::vector<bool>{}) << "reading another file is no change";
}

TEST_F(UnsavedChangesTest, OnlyAWindowWithAFileIsEverModifiedAndSavingClearsIt) {
    Type(f().Ed_Mainpath, "900");
    EXPECT_FALSE(commands->Changes().Modified()) << "nothing to compare with";
    dialogs.answers = {Path("gamma.ini"), Path("no/such/dir/x.ini")};
    f().SaveAs.Click();
    Type(f().Ed_Mainpath, "800");
    EXPECT_TRUE(commands->Changes().Modified());
    f().Save.Click();
    EXPECT_FALSE(commands->Changes().Modified());
    Type(f().Ed_Mainpath, "700");
    f().SaveAs.Click(); // fails: the file still holds 800
    EXPECT_TRUE(commands->Changes().Modified());
    Type(f().Ed_Mainpath, "800");
    EXPECT_FALSE(commands->Changes().Modified());
    EXPECT_EQ(marks, (std::vector{true, false, true, false}));
}

TEST_F(UnsavedChangesTest, OpenRecentAndCloseAskBeforeUnsavedChangesGo) {
    enum class Way { Open, Recent, Exit, Close, Logout };
    struct Command {
        const char* name;
        Way way;
    };
    struct Answer {
        const char* name;
        std::optional<SaveChoice> choice; // none: the project was not changed
        bool saveFails;
        bool goesOn;
        const char* written; // Mainpath in alpha.ini afterwards
    };
    const std::string question = "The project alpha has been modified. Save your changes?";
    for (const Command& command : {Command{"Open", Way::Open}, Command{"Recent", Way::Recent},
                                   Command{"Exit", Way::Exit}, Command{"Close", Way::Close},
                                   Command{"Logout", Way::Logout}}) {
        for (const Answer& answer : {
                 Answer{"Unchanged", std::nullopt, false, true, "300"},
                 Answer{"Save", SaveChoice::Save, false, true, "900"},
                 Answer{"Discard", SaveChoice::Discard, false, true, "300"},
                 Answer{"Cancel", SaveChoice::Cancel, false, false, "300"},
                 Answer{"FailedSave", SaveChoice::Save, true, false, ""},
             }) {
            SCOPED_TRACE(std::string(command.name) + "/" + answer.name);
            WriteBytes("alpha.ini", kPlan);
            OpenAlpha();
            messages.shown.clear();
            messages.questions.clear();
            if (answer.choice) {
                Type(f().Ed_Mainpath, "900");
                messages.choices = {*answer.choice};
            }
            if (answer.saveFails) {
                std::filesystem::remove(Path("alpha.ini"));
                std::filesystem::create_directory(Path("alpha.ini"));
            }
            const std::string settingsBefore = ReadBytes("QntCalc.ini");
            // As the window does on every close.
            bool closed = false;
            const auto close = [&] {
                if (commands->FormCloseQuery()) {
                    closed = true;
                    commands->FormClose();
                }
            };
            commands->OnCloseRequested = close;
            bool wentOn = false;
            switch (command.way) {
            case Way::Open:
                dialogs.answers = {Path("beta.ini")};
                f().Open.Click();
                wentOn = dialogs.answers.empty();
                break;
            case Way::Recent:
                commands->OpenRecent(Path("beta.ini"));
                wentOn = f().Ed_Mainpath.Text() == "250";
                break;
            case Way::Exit:
                f().Exit.Click();
                wentOn = closed;
                break;
            case Way::Close:
                close();
                wentOn = closed;
                break;
            case Way::Logout:
                wentOn = commands->CommitData([] { return true; });
                if (wentOn)
                    close(); // the session's close asks nothing more
                EXPECT_EQ(closed, wentOn);
                break;
            }
            EXPECT_EQ(wentOn, answer.goesOn);
            const std::vector<ShownBox> asked =
                answer.choice ? std::vector<ShownBox>{{question, "Quarnet Calculator"}}
                              : std::vector<ShownBox>{};
            EXPECT_EQ(messages.questions, asked);
            EXPECT_TRUE(messages.choices.empty());
            if (answer.saveFails) {
                EXPECT_EQ(messages.shown.size(), 1u);
                EXPECT_EQ(messages.shown.at(0).caption, "Save Error");
                std::filesystem::remove(Path("alpha.ini"));
            } else {
                EXPECT_EQ(messages.shown, std::vector<ShownBox>{});
                EXPECT_EQ(OpenIni(Path("alpha.ini")).ReadString("Settings", "Mainpath", ""),
                          answer.written);
            }
            if (!answer.goesOn) {
                EXPECT_EQ(f().Ed_Mainpath.Text(), "900") << "the window stays as it was";
                EXPECT_TRUE(commands->Changes().Modified());
                EXPECT_EQ(ReadBytes("QntCalc.ini"), settingsBefore) << "nothing is written";
            }
        }
    }
}

// Discarded changes do not come back at the next start: the settings file
// holds the project as last opened or saved, with the window's own state.
TEST_F(UnsavedChangesTest, ChangesDiscardedAtACloseLeaveTheSettingsFileToo) {
    struct Row {
        const char* name;
        bool logout;       // else Exit
        const char* saved; // Mainpath last saved, else as opened
    };
    for (const Row& row :
         {Row{"Exit", false, nullptr}, Row{"Logout", true, nullptr},
          Row{"ExitAfterSave", false, "800"}, Row{"LogoutAfterSave", true, "800"}}) {
        SCOPED_TRACE(row.name);
        WriteBytes("alpha.ini", kPlan);
        WriteBytes("QntCalc.ini", "[Settings]\nNumVesk=1\n");
        OpenAlpha();
        if (row.saved) {
            Type(f().Ed_Mainpath, row.saved);
            f().Save.Click();
        }
        // What a close without changes would write.
        commands->WriteSettingsToFile();
        const std::string unchanged = ReadBytes("QntCalc.ini");
        WriteBytes("QntCalc.ini", "[Settings]\nNumVesk=1\n");

        Type(f().Ed_Mainpath, "900");
        Type(f().Ed_Project, "Beta");
        f().CB_RepeaterType.UserSelect(2);
        f().Standard.Click();
        f().PageControl1.UserSelectPage(1);
        messages.choices = {SaveChoice::Discard};
        int writes = 0;
        const auto close = [&] {
            if (commands->FormCloseQuery()) {
                commands->FormClose();
                ++writes;
                EXPECT_EQ(ReadBytes("QntCalc.ini"), unchanged);
            }
        };
        commands->OnCloseRequested = close;
        if (row.logout) {
            ASSERT_TRUE(commands->CommitData([] { return true; }));
            close();
        } else {
            f().Exit.Click();
        }
        EXPECT_EQ(writes, 1);
        EXPECT_EQ(f().Ed_Mainpath.Text(), "900") << "the window stays as it is shown";
        EXPECT_TRUE(f().Standard.Checked());
        EXPECT_EQ(OpenIni(Path("QntCalc.ini")).ReadString("Recent", "File1", ""),
                  Path("alpha.ini"));
    }
    TMasterForm& next = NewWindow();
    commands->FormCreate();
    EXPECT_EQ(next.Ed_Mainpath.Text(), "800");
    EXPECT_EQ(next.Ed_Project.Text(), "Alpha");
    EXPECT_TRUE(next.Expert.Checked());
}

// The answer holds for the window it was given for: changed after a close
// that did not happen, it is the window that the settings file keeps when
// nobody may be asked.
TEST_F(UnsavedChangesTest, ADiscardHoldsOnlyForTheChangesItWasGivenFor) {
    OpenAlpha();
    Type(f().Ed_Mainpath, "900");
    messages.choices = {SaveChoice::Discard};
    ASSERT_TRUE(commands->FormCloseQuery());
    commands->WriteSettingsToFile();
    EXPECT_EQ(OpenIni(Path("QntCalc.ini")).ReadString("Settings", "Mainpath", ""), "300");
    Type(f().Ed_Mainpath, "800");
    EXPECT_TRUE(commands->CommitData([] { return false; }));
    commands->FormClose();
    EXPECT_EQ(OpenIni(Path("QntCalc.ini")).ReadString("Settings", "Mainpath", ""), "800");
}

TEST_F(UnsavedChangesTest, ALogoutWithoutQuestionsLeavesTheChangesToTheSettingsFile) {
    OpenAlpha();
    int asked = 0;
    const auto mayAsk = [&asked] {
        ++asked;
        return false;
    };
    EXPECT_TRUE(commands->CommitData(mayAsk));
    EXPECT_EQ(asked, 0) << "no interaction is requested for nothing";
    Type(f().Ed_Mainpath, "900");
    EXPECT_TRUE(commands->CommitData(mayAsk));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(commands->FormCloseQuery()) << "the session's close must not ask";

    // A session that did not end after all: a further change asks again.
    Type(f().Ed_Mainpath, "800");
    messages.choices = {SaveChoice::Cancel};
    EXPECT_FALSE(commands->FormCloseQuery());
    EXPECT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(ReadBytes("alpha.ini"), kPlan);
}

} // namespace
} // namespace qntcalc::testing
