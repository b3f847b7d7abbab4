#include "project/FileCommands.h"
#include "project/RecentFiles.h"
#include "ui/WindowPlaceSection.h"

#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

using Paths = std::vector<std::string>;

struct RecentRow {
    const char* name;
    Paths added; // in this order
    Paths removed;
    Paths expected;
    int changes;
};

TEST(RecentFilesTest, NewestFirstSixAtMostEachOnce) {
    const Paths seven{"/p/1.ini", "/p/2.ini", "/p/3.ini", "/p/4.ini",
                      "/p/5.ini", "/p/6.ini", "/p/7.ini"};
    for (const RecentRow& row : {
             RecentRow{"NewestFirst", {"/a.ini", "/b.ini"}, {}, {"/b.ini", "/a.ini"}, 2},
             RecentRow{"AgainMovesUp",
                       {"/a.ini", "/b.ini", "/c.ini", "/a.ini"},
                       {},
                       {"/a.ini", "/c.ini", "/b.ini"},
                       4},
             RecentRow{"TheOldestGoes",
                       seven,
                       {},
                       {"/p/7.ini", "/p/6.ini", "/p/5.ini", "/p/4.ini", "/p/3.ini", "/p/2.ini"},
                       7},
             RecentRow{"Removed", {"/a.ini", "/b.ini"}, {"/a.ini", "/x.ini"}, {"/b.ini"}, 3},
             RecentRow{"AnyBytesButNone",
                       {"/a.ini", "/\xff\xfe.ini", "/two\nlines.ini", "/tab\t.ini", ""},
                       {},
                       {"/tab\t.ini", "/two\nlines.ini", "/\xff\xfe.ini", "/a.ini"},
                       4},
         }) {
        RecentFiles recent;
        int changes = 0;
        recent.OnChanged = [&changes] { ++changes; };
        for (const std::string& path : row.added)
            recent.Add(path);
        for (const std::string& path : row.removed)
            recent.Remove(path);
        EXPECT_EQ(recent.Paths(), row.expected) << row.name;
        EXPECT_EQ(changes, row.changes) << row.name;
    }
}

TEST(RecentFilesTest, TheSectionKeepsTheListAndNothingStale) {
    IniFile ini = IniFile::FromBytes("[Recent]\nFile1=/old/1.ini\nFile2=/old/2.ini\n"
                                     "File3=/old/3.ini\nFile7=/by/hand.ini\n");
    RecentFiles recent;
    recent.ReadSettings(ini);
    EXPECT_EQ(recent.Paths(), (Paths{"/old/1.ini", "/old/2.ini", "/old/3.ini"}));
    recent.Remove("/old/2.ini");
    recent.Add("/new.ini");
    ASSERT_TRUE(recent.WriteSettings(ini).Ok());
    EXPECT_EQ(ini.Keys("Recent"), (Paths{"File1", "File2", "File3", "File7"}));
    EXPECT_EQ(ini.ReadString("Recent", "File1", ""), "/new.ini");
    EXPECT_EQ(ini.ReadString("Recent", "File3", ""), "/old/3.ini");

    // Gaps, repeats and bytes the file cannot hold are left out on reading.
    const IniFile edited = IniFile::FromBytes(
        "[Recent]\nFile1=/a.ini\nFile2=\nFile3=/a.ini\nFile4=/b.ini\nFile6=/c.ini\n");
    recent.ReadSettings(edited);
    EXPECT_EQ(recent.Paths(), (Paths{"/a.ini", "/b.ini", "/c.ini"}));
    recent.ReadSettings(IniFile::FromBytes({}));
    EXPECT_TRUE(recent.Paths().empty());
}

struct StoredRow {
    const char* name;
    std::string path;
    std::string stored; // in the settings file
};

// The file system's names are bytes; the settings file is UTF-8 text.
TEST(RecentFilesTest, AnyNameComesBackFromTheSettingsFile) {
    for (const StoredRow& row : {
             StoredRow{"Utf8AsItIs", "/pl\xc3\xa4ne/50% \xe2\x82\xac.ini",
                       "/pl\xc3\xa4ne/50% \xe2\x82\xac.ini"},
             StoredRow{"Latin1Bytes", "/pl\xe4ne/50% a.ini", "bytes:/pl%E4ne/50%25%20a.ini"},
             StoredRow{"LineBreak", "/two\r\nlines.ini", "bytes:/two%0D%0Alines.ini"},
             StoredRow{"DeleteAndTab", "/x\x7f\t.ini", "bytes:/x%7F%09.ini"},
             StoredRow{"LooksStored", "bytes:%41", "bytes:bytes:%2541"},
         }) {
        SCOPED_TRACE(row.name);
        IniFile ini = IniFile::FromBytes("[Settings]\nProject=\xc3\x84rger\n");
        RecentFiles recent;
        recent.Add(row.path);
        ASSERT_TRUE(recent.WriteSettings(ini).Ok());
        EXPECT_EQ(ini.ReadString("Recent", "File1", ""), row.stored);
        RecentFiles next;
        const IniFile again = IniFile::FromBytes(ini.Content());
        next.ReadSettings(again);
        EXPECT_EQ(next.Paths(), Paths{row.path});
        EXPECT_EQ(again.ReadString("Settings", "Project", ""), "\xc3\x84rger");
    }
    // Not written by the list: dropped, never another file.
    RecentFiles recent;
    recent.ReadSettings(IniFile::FromBytes(
        "[Recent]\nFile1=bytes:/a%4\nFile2=bytes:/b%G1.ini\nFile3=bytes:%\nFile4=bytes:/c%41\n"));
    EXPECT_EQ(recent.Paths(), Paths{"/cA"});
}

TEST(RecentFilesTest, TheMenuShowsTheBaseName) {
    EXPECT_EQ(ShownFileName("/plans/alpha.ini"), "alpha");
    EXPECT_EQ(ShownFileName("/plans/beta"), "beta");
    EXPECT_EQ(ShownFileName("/ver2.5/alpha"), "alpha") << "the base name rule gives none";
}

struct ReadRow {
    const char* name;
    const char* file;
    std::optional<WindowPlace> saved;
};

TEST(WindowPlaceTest, OnlyAWholePlaceIsRead) {
    for (const ReadRow& row : {
             ReadRow{"Whole", "[Window]\nLeft=-8\nTop=20\nWidth=700\nHeight=300\nMaximized=1\n",
                     WindowPlace{-8, 20, 700, 300, true}},
             ReadRow{"NotMaximized", "[Window]\nLeft=1\nTop=2\nWidth=3\nHeight=4\n",
                     WindowPlace{1, 2, 3, 4, false}},
             ReadRow{"None", "[Settings]\nNumVesk=1\n", std::nullopt},
             ReadRow{"NoTop", "[Window]\nLeft=1\nWidth=3\nHeight=4\n", std::nullopt},
             ReadRow{"NoSize", "[Window]\nLeft=1\nTop=2\nWidth=0\nHeight=4\n", std::nullopt},
             ReadRow{"NotANumber", "[Window]\nLeft=1\nTop=2\nWidth=3\nHeight=x4\n", std::nullopt},
         }) {
        WindowPlaceSection section;
        section.ReadSettings(IniFile::FromBytes(row.file));
        EXPECT_EQ(section.Saved(), row.saved) << row.name;
    }
}

TEST(WindowPlaceTest, WritesWhereTheWindowIsNowOrNothing) {
    IniFile ini = IniFile::FromBytes("[Window]\nLeft=1\nTop=2\nWidth=3\nHeight=4\n");
    WindowPlaceSection section;
    ASSERT_TRUE(section.WriteSettings(ini).Ok());
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 3) << "no window: the last place stays";

    section.Current = [] { return std::optional<WindowPlace>({-5, 6, 700, 300, true}); };
    ASSERT_TRUE(section.WriteSettings(ini).Ok());
    section.ReadSettings(ini);
    EXPECT_EQ(section.Saved(), (WindowPlace{-5, 6, 700, 300, true}));
}

struct ArgumentRow {
    const char* name;
    Paths arguments;
    std::optional<std::string> file;
};

TEST(ProjectFileArgumentTest, TheFirstArgumentThatIsNoOption) {
    const auto absolute = [](const char* name) { return std::filesystem::absolute(name).string(); };
    for (const ArgumentRow& row : {
             ArgumentRow{"None", {}, std::nullopt},
             ArgumentRow{"Relative", {"plan.ini"}, absolute("plan.ini")},
             ArgumentRow{"Absolute", {"/plans/a.ini"}, "/plans/a.ini"},
             ArgumentRow{"OptionsAndASecondFile", {"--verbose", "-", "plan.ini", "b.ini"},
                         absolute("plan.ini")},
             ArgumentRow{"OnlyOptions", {"-x", "--"}, std::nullopt},
             ArgumentRow{"AfterDoubleDash", {"--", "-odd.ini"}, absolute("-odd.ini")},
             ArgumentRow{"EmptySkipped", {"", "/plan.ini"}, "/plan.ini"},
         }) {
        EXPECT_EQ(ProjectFileArgument(row.arguments), row.file) << row.name;
    }
}

} // namespace
} // namespace qntcalc
