#include "ProjectFixture.h"
#include "app/MessageTexts.h"

namespace qntcalc::testing {
namespace {

using FileCommandsTest = ProjectTest;

TEST_F(FileCommandsTest, FirstStartCreatesTheSettingsFileAndExitCompletesIt) {
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    EXPECT_LE(messages.shown.size(), 1u);
    EXPECT_TRUE(f.Standard.Checked());
    EXPECT_EQ(f.Ed_Project.Text(), "Empty Project");
    EXPECT_EQ(f.Ed_NumIOD.Text(), "2");
    EXPECT_EQ(commands->SettingsPath(), Path("QntCalc.ini"));
    EXPECT_EQ(IniFile(Path("QntCalc.ini")).Keys("Settings"),
              (std::vector<std::string>{"NumVesk", "Vesk1", "Vesk3"}));

    std::string atClose;
    commands->OnCloseRequested = [&] {
        atClose = ReadBytes("QntCalc.ini");
        commands->FormClose();
    };
    f.Exit.Click();
    EXPECT_EQ(IniFile(Path("QntCalc.ini")).Keys("Settings").size(), 40u);
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
    EXPECT_EQ(IniFile(Path("QntCalc.ini")).ReadString("Settings", "Mainpath", ""), "900");
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
    EXPECT_EQ(IniFile(Path("alpha.ini")).ReadString("Settings", "Project", ""), "second");
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator - alpha");
    EXPECT_TRUE(f.Save.Enabled());

    Type(f.Ed_Project, "third");
    dialogs.answers = {Path("alpha.ini")};
    f.SaveAs.Click();
    EXPECT_EQ(ReadBytes("alpha.BAK"), "[Settings]\nProject=first\n");
    EXPECT_EQ(IniFile(Path("alpha.ini")).ReadString("Settings", "Project", ""), "third");
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
            WriteBytes(row.existing, "[Settings]\nKeep=1\n");
        TMasterForm& f = NewWindow();
        commands->FormCreate();
        dialogs.answers = {Path(row.chosen)};
        f.SaveAs.Click();
        EXPECT_TRUE(Exists(row.written)) << row.name;
        if (*row.backup) {
            EXPECT_EQ(ReadBytes(row.backup), "[Settings]\nKeep=1\n") << row.name;
        }
        EXPECT_EQ(f.MasterForm.Caption(), row.caption) << row.name;
        EXPECT_EQ(globals.ProjectFile, Path(row.written)) << row.name;
        globals.ProjectFile.clear();
        globals.ProjectDir.clear();
    }
    EXPECT_EQ(IniFile(Path("beta.ini")).ReadString("Settings", "Keep", ""), "1")
        << "typing beta wrote into the existing beta.ini";
}

TEST_F(FileCommandsTest, ReferencePlatformPathsInDirectoryAndCaption) {
    TMasterForm& f = NewWindow();
    FileCommands windows(f, globals, dialogs, messages, PathStyle::Windows);
    commands->FormCreate();
    dialogs.answers = {std::string("D:\\alpha.ini")};
    f.Open.Click(); // now handled by the last binder, the Windows-style commands
    EXPECT_EQ(globals.ProjectDir, "D:");
    EXPECT_EQ(f.MasterForm.Caption(), "Quarnet Calculator - alpha");
}

TEST_F(FileCommandsTest, FailedSaveShowsSaveErrorAndKeepsTheOldFile) {
    WriteBytes("alpha.ini", "[Settings]\nProject=old\n");
    TMasterForm& f = NewWindow();
    commands->FormCreate();
    messages.shown.clear(); // the first start's CVesk check
    dialogs.answers = {Path("missing/dir/alpha.ini")};
    f.SaveAs.Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Save Error");
    EXPECT_NE(messages.shown[0].text.find("missing/dir/alpha.ini"), std::string::npos);

    // A directory in the file's place cannot be replaced by the save either.
    std::filesystem::create_directory(dir_ / "taken.ini");
    globals.ProjectFile = Path("taken.ini");
    f.Save.Click();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken.ini"));
    EXPECT_EQ(ReadBytes("alpha.ini"), "[Settings]\nProject=old\n");
}

} // namespace
} // namespace qntcalc::testing
