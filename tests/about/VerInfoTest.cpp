#include "about/VerInfo.h"

#include "about/VersionBlockWriter.h"
#include "tests/support/TempDir.h"

#include <climits>
#include <vector>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

using Strings = std::vector<std::pair<std::string, std::string>>;

std::vector<std::string> AllTexts(const VerInfo& info) {
    std::vector<std::string> texts;
    for (int i = 0; i < static_cast<int>(VerInfoKeys.size()); ++i)
        texts.push_back(info.GetInfo(i));
    return texts;
}

const std::vector<std::string> kNoTexts(VerInfoKeys.size());

Strings AllKeys(const std::string& prefix) {
    Strings strings;
    for (std::string_view key : VerInfoKeys)
        strings.emplace_back(key, prefix + std::string(key));
    return strings;
}

VersionBlockContents Contents(std::vector<VersionStringTable> tables,
                              std::vector<std::pair<uint16_t, uint16_t>> translations) {
    VersionBlockContents contents;
    contents.fileVersion = {9, 8, 7, 6};
    contents.tables = std::move(tables);
    contents.translations = std::move(translations);
    return contents;
}

class VerInfoFileTest : public ::testing::Test {
protected:
    // The block sits inside other bytes, as it does in an executable.
    std::string WriteBlock(const VersionBlockContents& contents) {
        return dir_.Write("crafted.bin", BuildVersionBlock(contents), 101, 4000);
    }

    TempDir dir_;
};

TEST(VerInfoTest, ReadsTheProgramsOwnVersionInformation) {
    const std::string realPath = std::filesystem::read_symlink("/proc/self/exe").string();
    for (const std::string& file : {OwnExecutableFileName(), realPath}) {
        const VerInfo info(file);
        EXPECT_EQ(info.GetInfo(2), "1.3.2.1") << file;
        EXPECT_EQ(info.GetInfo(7), "Qnt Calculator") << file;
    }
    const std::vector<std::string> texts = AllTexts(VerInfo(OwnExecutableFileName()));
    EXPECT_NE(texts[0], "");
    EXPECT_EQ(texts[1], "Calculator for timing of Quarnet networks");
    EXPECT_EQ(texts[3], "Qnt Calculator");
    EXPECT_EQ(texts[4], texts[0]); // both the maker's name
    EXPECT_EQ(texts[5], "");
    EXPECT_EQ(texts[6], "QntCalc.exe");
    EXPECT_EQ(texts[8], "1.3");
    EXPECT_EQ(texts[9], "");
}

TEST(VerInfoTest, ProgramVersionAndNameComeFromTheOwnExecutable) {
    const ProgramVersion program = ReadProgramVersion();
    EXPECT_EQ(program.version, "1.3.2.1");
    EXPECT_EQ(program.name, "Qnt Calculator");
}

TEST_F(VerInfoFileTest, MissingFileReadsTheOwnExecutableInstead) {
    EXPECT_EQ(VerInfo(dir_.Path("missing.exe")).GetInfo(7), "Qnt Calculator");
    EXPECT_EQ(VerInfo("").GetInfo(2), "1.3.2.1");
}

TEST_F(VerInfoFileTest, ExistingFileWithoutBlockGivesEmptyTexts) {
    const std::string file = dir_.Write("plain.txt", std::vector<unsigned char>(5000, 'a'));
    EXPECT_EQ(AllTexts(VerInfo(file)), kNoTexts);
}

TEST_F(VerInfoFileTest, FirstTranslationNamesTheStringTable) {
    const std::string file =
        WriteBlock(Contents({{"040904E4", AllKeys("us ")}, {"040704B0", AllKeys("de ")}},
                            {{0x0407, 0x04B0}, {0x0409, 0x04E4}}));
    const VerInfo info(file);
    for (size_t i = 0; i < VerInfoKeys.size(); ++i)
        EXPECT_EQ(info.GetInfo(static_cast<int>(i)), "de " + std::string(VerInfoKeys[i]));
}

TEST_F(VerInfoFileTest, MissingKeyIsEmptyWhileTheOthersAreRead) {
    Strings strings = AllKeys("");
    strings.pop_back(); // Comments
    const VerInfo info(WriteBlock(Contents({{"040904E4", strings}}, {{0x0409, 0x04E4}})));
    EXPECT_EQ(info.GetInfo(9), "");
    EXPECT_EQ(info.GetInfo(8), "ProductVersion");
    EXPECT_EQ(info.GetInfo(0), "CompanyName");
}

TEST_F(VerInfoFileTest, NoUsableTranslationGivesEmptyTexts) {
    const VersionStringTable table{"040904E4", AllKeys("")};
    EXPECT_EQ(AllTexts(VerInfo(WriteBlock(Contents({table}, {})))), kNoTexts);
    EXPECT_EQ(AllTexts(VerInfo(WriteBlock(Contents({table}, {{0x0407, 0x04B0}})))), kNoTexts);

    // A translation value of two bytes: a language without a code page.
    VersionBlock block = BuildVersionBlock(Contents({table}, {{0x0409, 0x04E4}}));
    const size_t translationHeader = block.size() - 36;
    block[translationHeader + 2] = 2;
    const std::string file = dir_.Write("short.bin", block);
    EXPECT_EQ(AllTexts(VerInfo(file)), kNoTexts);
}

TEST_F(VerInfoFileTest, DamagedBlockGivesEmptyTexts) {
    VersionBlock block =
        BuildVersionBlock(Contents({{"040904E4", AllKeys("")}}, {{0x0409, 0x04E4}}));
    block[0] = 0xFF; // root length past the block
    block[1] = 0xFF;
    EXPECT_EQ(AllTexts(VerInfo(dir_.Write("damaged.bin", block))), kNoTexts);
}

TEST_F(VerInfoFileTest, IndexOutsideTheTableGivesFileVersion) {
    const VerInfo info(WriteBlock(Contents({{"040904E4", AllKeys("")}}, {{0x0409, 0x04E4}})));
    for (int index : {10, -1, INT_MAX, INT_MIN})
        EXPECT_EQ(info.GetInfo(index), "FileVersion") << index;
    EXPECT_EQ(info.GetInfo(9), "Comments");
    EXPECT_EQ(info.GetInfo(0), "CompanyName");
}

} // namespace
} // namespace qntcalc
