#include "fileio/IniFile.h"

#include "tests/support/IniFiles.h"
#include "tests/support/TempDir.h"
#include "text/TextEncoding.h"

#include <limits>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

using Names = std::vector<std::string>;

class IniFileTest : public TempDirTest {};

struct ValueRow {
    const char* name;
    std::string value;
    std::string expected; // what a read after the write gives
};

void PrintTo(const ValueRow& row, std::ostream* os) {
    *os << row.name;
}

class ValueRoundTripTest : public TempDirTest, public testing::WithParamInterface<ValueRow> {};

TEST_P(ValueRoundTripTest, ValueComesBackFromTheFile) {
    {
        IniFile ini = OpenIni(Path("a.ini"));
        ASSERT_TRUE(ini.WriteString("Settings", "Project", GetParam().value).Ok());
        ASSERT_TRUE(ini.WriteString("Settings", "Mainpath", "100").Ok());
    }
    IniFile ini = OpenIni(Path("a.ini"));
    EXPECT_EQ(ini.ReadString("Settings", "Project", "missing"), GetParam().expected);
    // Nothing in the value may break the file apart into other keys or sections.
    EXPECT_EQ(ini.Sections(), Names{"Settings"});
    EXPECT_EQ(ini.Keys("Settings"), (Names{"Project", "Mainpath"}));
    EXPECT_EQ(ini.ReadString("Settings", "Mainpath", ""), "100");
    EXPECT_TRUE(text::IsValidUtf8(ReadBytes("a.ini")));
}

ValueRow Same(const char* name, std::string value) {
    return {name, value, value};
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueRoundTripTest,
    testing::Values(Same("Plain", "300"), Same("Empty", ""), Same("LeadingBlank", " a"),
                    Same("TrailingBlank", "a "), Same("OnlyBlanks", "   "), Same("Tabs", "\ta\t"),
                    Same("EqualsSigns", "a=b=c"), Same("Semicolon", ";not a comment"),
                    Same("Hash", "#not a comment"), Same("Quoted", "\"a\""), Same("OneQuote", "\""),
                    Same("TwoQuotes", "\"\""), Same("OpeningQuote", "\"a"),
                    Same("ClosingQuote", "a\""), Same("BlanksInsideQuotes", "\" a \""),
                    Same("QuoteAndBlank", "\" "), Same("SectionLike", "[Mode]"),
                    Same("KeyLike", "Expert=1"), Same("NonAscii", "Maß µ € 日本 😀"),
                    Same("NulByte", std::string("a\0b", 3)), Same("Backslashes", "D:\\plans\\"),
                    Same("Long", std::string(100000, 'x')),
                    ValueRow{"Windows1252Byte", "Ma\xDF", "Maß"}, ValueRow{"Lf", "a\nb", "a b"},
                    ValueRow{"CrLf", "a\r\nb", "a b"}, ValueRow{"Cr", "a\rb", "a b"},
                    ValueRow{"TwoLf", "a\n\nb", "a  b"}, ValueRow{"OnlyLf", "\n", " "},
                    ValueRow{"TrailingLf", "a\n", "a "},
                    ValueRow{"InjectedSection", "x\n[Mode]\nExpert=1", "x [Mode] Expert=1"}),
    [](const testing::TestParamInfo<ValueRow>& info) { return info.param.name; });

TEST_F(IniFileTest, NamesMatchWithoutLetterCaseValuesExactly) {
    WriteBytes("a.ini", "[Settings]\nMainpath=abc\n");
    IniFile ini = OpenIni(Path("a.ini"));
    EXPECT_EQ(ini.ReadString("SETTINGS", "mainPATH", ""), "abc");
    EXPECT_TRUE(ini.ValueExists("settings", "MAINPATH"));
    EXPECT_FALSE(ini.ValueExists("Settings", "Main path"));
    ASSERT_TRUE(ini.WriteString("sEtTiNgS", "MainPath", "ABC").Ok());
    // The key keeps its spelling from the file; the value changes with its case.
    EXPECT_EQ(ReadBytes("a.ini"), "[Settings]\nMainpath=ABC\n");
}

TEST_F(IniFileTest, FreshFileKeepsTheOrderOfFirstWrites) {
    IniFile ini = OpenIni(Path("a.ini"));
    EXPECT_TRUE(ini.WriteString("Settings", "Project", "p").Ok());
    EXPECT_TRUE(ini.WriteString("Settings", "Mainpath", "100").Ok());
    EXPECT_TRUE(ini.WriteBool("Mode", "Expert", true).Ok());
    EXPECT_TRUE(ini.WriteString("Settings", "NumVesk", "1").Ok());
    EXPECT_TRUE(ini.WriteInteger("Mode", "PageSelect", -5).Ok());
    EXPECT_TRUE(ini.WriteString("About", "Version", "1.3.2.1").Ok());
    EXPECT_TRUE(ini.WriteString("Settings", "Project", "q").Ok());
    EXPECT_EQ(ReadBytes("a.ini"), "[Settings]\nProject=q\nMainpath=100\nNumVesk=1\n"
                                  "[Mode]\nExpert=1\nPageSelect=-5\n[About]\nVersion=1.3.2.1\n");
}

TEST_F(IniFileTest, LinesTheWriterDoesNotKnowStayUntouched) {
    WriteBytes("a.ini", "; written by hand\n"
                        "[Settings]\n"
                        "Project = My plant\n"
                        "NumVesk1=1\n"
                        "; the next section\n"
                        "\n"
                        "[Mode]\n"
                        "Expert=1\n"
                        "Custom = keep me\n");
    for (int run = 0; run < 2; ++run) {
        IniFile ini = OpenIni(Path("a.ini"));
        EXPECT_TRUE(ini.WriteString("Settings", "Project", "New").Ok());
        EXPECT_TRUE(ini.WriteString("Settings", "NumVesk", "2").Ok());
        EXPECT_TRUE(ini.WriteBool("Mode", "Standard", false).Ok());
        EXPECT_TRUE(ini.WriteString("About", "Program", "Qnt Calculator").Ok());
    }
    EXPECT_EQ(ReadBytes("a.ini"), "; written by hand\n"
                                  "[Settings]\n"
                                  "Project=New\n"
                                  "NumVesk1=1\n"
                                  "NumVesk=2\n"
                                  "; the next section\n"
                                  "\n"
                                  "[Mode]\n"
                                  "Expert=1\n"
                                  "Custom = keep me\n"
                                  "Standard=0\n"
                                  "[About]\n"
                                  "Program=Qnt Calculator\n");
}

TEST_F(IniFileTest, FirstOfDuplicateSectionsAndKeysCounts) {
    WriteBytes("a.ini", "[S]\nK=first\nK=second\n[s]\nK=third\nL=later\n");
    IniFile ini = OpenIni(Path("a.ini"));
    EXPECT_EQ(ini.ReadString("S", "K", ""), "first");
    EXPECT_FALSE(ini.ValueExists("S", "L"));
    EXPECT_EQ(ini.Sections(), Names{"S"});
    EXPECT_EQ(ini.Keys("S"), Names{"K"});
    EXPECT_TRUE(ini.WriteString("S", "K", "new").Ok());
    EXPECT_TRUE(ini.WriteString("S", "L", "x").Ok());
    EXPECT_EQ(ReadBytes("a.ini"), "[S]\nK=new\nK=second\nL=x\n[s]\nK=third\nL=later\n");
}

// Every write keeps what the file reads the same as a fresh read of its text.
TEST_F(IniFileTest, WritesReadBackAsAFreshReadOfTheText) {
    IniFile ini = IniFile::FromBytes("; c\n[A]\n\nK=1\nK=2\n\n[E]\n[B]\nM=x\n[a]\nK=3\nN=4\n");
    const std::pair<const char*, const char*> keys[] = {
        {"A", "K"}, {"A", "N"}, {"E", "K"}, {"B", "M"}, {"B", "K"}, {"C", "K"}, {"E", "L"}};
    const std::pair<int, const char*> writes[] = {
        {0, "longer value"}, {1, "n"}, {2, "e"}, {3, ""}, {0, "k"}, {4, "b"},
        {5, "c"},            {6, "l"}, {2, "a much longer value than before"}, {1, "n2"}};
    for (auto [which, value] : writes) {
        ASSERT_TRUE(ini.WriteString(keys[which].first, keys[which].second, value).Ok());
        const IniFile fresh = IniFile::FromBytes(ini.Content());
        for (auto [section, key] : keys) {
            EXPECT_EQ(ini.ReadString(section, key, "none"), fresh.ReadString(section, key, "none"))
                << section << "/" << key << " after writing " << value;
        }
    }
    EXPECT_EQ(ini.Content(), "; c\n[A]\n\nK=k\nK=2\nN=n2\n\n[E]\nK=a much longer value than "
                             "before\nL=l\n[B]\nM=\nK=b\n[a]\nK=3\nN=4\n[C]\nK=c\n");
}

TEST_F(IniFileTest, DeleteRemovesEveryLineOfTheKeyInItsSection) {
    WriteBytes("a.ini", "[Settings]\nNumVesk1=1\nNumVesk=2\nnumvesk1=3\n[Other]\nNumVesk1=4\n");
    IniFile ini = OpenIni(Path("a.ini"));
    ASSERT_TRUE(ini.DeleteKey("Settings", "NumVesk1").Ok());
    EXPECT_FALSE(ini.ValueExists("Settings", "NumVesk1"));
    EXPECT_TRUE(ini.ValueExists("Other", "NumVesk1"));
    EXPECT_EQ(ReadBytes("a.ini"), "[Settings]\nNumVesk=2\n[Other]\nNumVesk1=4\n");
    EXPECT_TRUE(ini.DeleteKey("Settings", "Missing").Ok());
    EXPECT_TRUE(ini.DeleteKey("Missing", "NumVesk").Ok());
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndIsCreatedOnlyByAWrite) {
    {
        std::optional<IniFile> opened;
        EXPECT_EQ(IniFile::Open(Path("a.ini"), opened).failure, Result::Failure::Missing);
        ASSERT_TRUE(opened);
        IniFile& ini = *opened;
        EXPECT_EQ(ini.ReadString("Settings", "Project", "Empty Project"), "Empty Project");
        EXPECT_FALSE(ini.ValueExists("Settings", "NumVesk"));
        EXPECT_TRUE(ini.DeleteKey("Settings", "NumVesk1").Ok());
    }
    EXPECT_FALSE(Exists("a.ini"));
    IniFile ini = OpenIni(Path("a.ini"));
    ASSERT_TRUE(ini.WriteString("Settings", "NumVesk", "1").Ok());
    EXPECT_EQ(ReadBytes("a.ini"), "[Settings]\nNumVesk=1\n");
}

struct FormRow {
    const char* name;
    const char* stored; // the value's text in the file; nullptr: no such key
    bool boolWithFalse;
    bool boolWithTrue;
    int32_t integer;  // default 77
    std::string text; // default "fallback"
};

void PrintTo(const FormRow& row, std::ostream* os) {
    *os << row.name;
}

class ValueFormTest : public TempDirTest, public testing::WithParamInterface<FormRow> {};

TEST_P(ValueFormTest, ReadsBooleanIntegerAndText) {
    const FormRow& row = GetParam();
    WriteBytes("a.ini", row.stored ? std::string("[S]\nK=") + row.stored + "\n" : "[S]\n");
    const IniFile ini = OpenIni(Path("a.ini"));
    EXPECT_EQ(ini.ReadBool("S", "K", false), row.boolWithFalse);
    EXPECT_EQ(ini.ReadBool("S", "K", true), row.boolWithTrue);
    EXPECT_EQ(ini.ReadInteger("S", "K", 77), row.integer);
    EXPECT_EQ(ini.ReadString("S", "K", "fallback"), row.text);
}

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Forms, ValueFormTest,
    testing::Values(
        FormRow{"One", "1", true, true, 1, "1"}, FormRow{"Zero", "0", false, false, 0, "0"},
        FormRow{"MinusOne", "-1", true, true, -1, "-1"}, FormRow{"Two", "2", true, true, 2, "2"},
        FormRow{"PlusOne", "+1", true, true, 1, "+1"},
        FormRow{"BlanksAround", "  0 ", false, false, 0, "0"},
        FormRow{"QuotedNumber", "\"1\"", true, true, 1, "1"},
        FormRow{"Max", "2147483647", true, true, kMax, "2147483647"},
        FormRow{"OutOfRange", "2147483648", false, true, 77, "2147483648"},
        FormRow{"Empty", "", false, true, 77, ""}, FormRow{"Word", "true", false, true, 77, "true"},
        FormRow{"Decimal", "1.0", false, true, 77, "1.0"},
        FormRow{"Hex", "0x1", false, true, 77, "0x1"},
        FormRow{"BlankInside", "1 0", false, true, 77, "1 0"},
        FormRow{"Missing", nullptr, false, true, 77, "fallback"}),
    [](const testing::TestParamInfo<FormRow>& info) { return info.param.name; });

struct EncodingRow {
    const char* name;
    std::string bytes;
    std::string project; // read from Settings/Project
};

void PrintTo(const EncodingRow& row, std::ostream* os) {
    *os << row.name;
}

class EncodingTest : public TempDirTest, public testing::WithParamInterface<EncodingRow> {};

TEST_P(EncodingTest, ReadsAsUtf8) {
    WriteBytes("a.ini", GetParam().bytes);
    const IniFile ini = OpenIni(Path("a.ini"));
    EXPECT_EQ(ini.ReadString("Settings", "Project", "missing"), GetParam().project);
    EXPECT_EQ(ini.ReadString("Settings", "Mainpath", "missing"), "100");
}

INSTANTIATE_TEST_SUITE_P(
    Files, EncodingTest,
    testing::Values(
        EncodingRow{"Utf8", "[Settings]\nProject=Maß €\nMainpath=100\n", "Maß €"},
        EncodingRow{"Utf8Bom", "\xEF\xBB\xBF[Settings]\r\nProject=Maß\r\nMainpath=100\r\n", "Maß"},
        EncodingRow{"Windows1252", "[Settings]\r\nProject=Ma\xDF \x80\r\nMainpath=100\r\n",
                    "Maß €"},
        EncodingRow{"Windows1252Trio",
                    "[Settings]\r\nProject=\xE4\xB5\x80 \xE4\r\nMainpath=100\r\n", "äµ€ ä"},
        // The same three bytes alone form valid UTF-8 and are read as such.
        EncodingRow{"TrioThatIsUtf8", "[Settings]\r\nProject=\xE4\xB5\x80\r\nMainpath=100\r\n",
                    "\xE4\xB5\x80"},
        EncodingRow{"UndefinedIn1252", "[Settings]\nProject=\x81\nMainpath=100\n", "\xC2\x81"},
        EncodingRow{"BomThenWindows1252", "\xEF\xBB\xBF[Settings]\nProject=\xE4\nMainpath=100\n",
                    "ä"},
        EncodingRow{"MixedLineEnds", "[Settings]\r\nProject=a\nMainpath=100\r\n", "a"},
        EncodingRow{"NoFinalLineEnd", "[Settings]\r\nProject=a\r\nMainpath=100", "a"},
        EncodingRow{"LoneCrIsText", "[Settings]\nProject=a\rb\nMainpath=100\n", "a\rb"}),
    [](const testing::TestParamInfo<EncodingRow>& info) { return info.param.name; });

TEST_F(IniFileTest, WriteTurnsAReferenceFileIntoUtf8WithLf) {
    WriteBytes("a.ini", "; Kommentar \xFC\x62\x65r\r\n[Settings]\r\nProject=Ma\xDF\r\n");
    IniFile ini = OpenIni(Path("a.ini"));
    ASSERT_TRUE(ini.WriteString("Settings", "Mainpath", "5").Ok());
    EXPECT_EQ(ReadBytes("a.ini"), "; Kommentar über\n[Settings]\nProject=Maß\nMainpath=5\n");
}

TEST_F(IniFileTest, InvalidNamesAreRefusedAndReported) {
    IniFile ini = OpenIni(Path("a.ini"));
    Result refused;
    for (const char* key : {"", " K", "K ", "a=b", "[K", ";K", "#K", "a\nb", "\xE4"}) {
        refused = ini.WriteString("Settings", key, "1");
        EXPECT_FALSE(refused.Ok()) << key;
    }
    EXPECT_NE(refused.Message().find("Invalid key name"), std::string::npos) << refused.Message();
    for (const char* section : {"", " S", "a]b", "a\rb"}) {
        EXPECT_FALSE(ini.WriteString(section, "K", "1").Ok()) << section;
    }
    EXPECT_FALSE(Exists("a.ini"));
}

} // namespace
} // namespace qntcalc
