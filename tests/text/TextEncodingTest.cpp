#include "text/TextEncoding.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

struct Utf8Row {
    const char* name;
    std::string bytes;
    bool valid;
};

void PrintTo(const Utf8Row& row, std::ostream* os) {
    *os << row.name;
}

class Utf8Test : public testing::TestWithParam<Utf8Row> {};

TEST_P(Utf8Test, TellsStrictUtf8) {
    EXPECT_EQ(text::IsValidUtf8(GetParam().bytes), GetParam().valid);
}

// CSV and JSON lines name a file that is only bytes alike.
TEST_P(Utf8Test, ReplacesWhatIsNotUtf8AsJsonOutputDoes) {
    const std::string& bytes = GetParam().bytes;
    const std::string json =
        nlohmann::json(bytes).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    const std::string valid = text::ValidUtf8(bytes);
    EXPECT_EQ(valid, nlohmann::json::parse(json).get<std::string>());
    EXPECT_EQ(valid == bytes, GetParam().valid);
    EXPECT_TRUE(text::IsValidUtf8(valid));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8Test,
    testing::Values(Utf8Row{"Ascii", "Mainpath=100", true}, Utf8Row{"Empty", "", true},
                    Utf8Row{"Nul", std::string(1, '\0'), true}, Utf8Row{"TwoBytes", "ß", true},
                    Utf8Row{"ThreeBytes", "€", true}, Utf8Row{"FourBytes", "😀", true},
                    Utf8Row{"HighestCodePoint", "\xF4\x8F\xBF\xBF", true},
                    Utf8Row{"AboveHighest", "\xF4\x90\x80\x80", false},
                    Utf8Row{"OverlongTwo", "\xC0\x80", false},
                    Utf8Row{"OverlongTwoC1", "\xC1\xBF", false},
                    Utf8Row{"OverlongThree", "\xE0\x80\xAF", false},
                    Utf8Row{"OverlongFour", "\xF0\x8F\xBF\xBF", false},
                    Utf8Row{"Surrogate", "\xED\xA0\x80", false},
                    Utf8Row{"LastBeforeSurrogates", "\xED\x9F\xBF", true},
                    Utf8Row{"Truncated", "\xE2\x82", false},
                    Utf8Row{"TruncatedAtEnd", "ab\xF0\x9F\x98", false},
                    Utf8Row{"LoneContinuation", "\x80", false},
                    Utf8Row{"BadContinuation", "\xE2\x28\xA1", false},
                    Utf8Row{"Windows1252Umlaut", "M\xE4rz", false},
                    Utf8Row{"Windows1252TrioAlsoUtf8", "\xE4\xB5\x80", true},
                    Utf8Row{"F5", "\xF5\x80\x80\x80", false}, Utf8Row{"FF", "\xFF", false},
                    Utf8Row{"CutShortBeforeAscii",
                            "\xF0\x9F\x98"
                            "a\xC3",
                            false},
                    Utf8Row{"BadByteBetween", "c\xFF.ini\xE2\x82\xAC", false}),
    [](const testing::TestParamInfo<Utf8Row>& info) { return info.param.name; });

TEST(Windows1252Test, MapsTheUpperHalf) {
    EXPECT_EQ(text::Windows1252ToUtf8("Mainpath=100"), "Mainpath=100");
    EXPECT_EQ(text::Windows1252ToUtf8("\x80\x81\x8A\x9F"), "€\xC2\x81ŠŸ");
    EXPECT_EQ(text::Windows1252ToUtf8("\xA0\xB5\xDF\xE4\xFF"), "\xC2\xA0µßäÿ");
    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every += static_cast<char>(byte);
    EXPECT_TRUE(text::IsValidUtf8(text::Windows1252ToUtf8(every)));
}

TEST(DecodeFileTextTest, DropsBomsAndCrAtLineEnds) {
    EXPECT_EQ(text::DecodeFileText("\xEF\xBB\xBF[S]\r\nK=1\r\n"), "[S]\nK=1\n");
    EXPECT_EQ(text::DecodeFileText("\xEF\xBB\xBF\xEF\xBB\xBF[S]"), "[S]");
    EXPECT_EQ(text::DecodeFileText("a\r\r\nb\rc\r"), "a\nb\rc");
    EXPECT_EQ(text::DecodeFileText("\xEF\xBB\xBF"), "");
    // Lines that end in CR alone, as old Mac editors write them.
    EXPECT_EQ(text::DecodeFileText("[S]\rK=1\r\rL=2"), "[S]\nK=1\n\nL=2");
    EXPECT_EQ(text::DecodeFileText("[S]\rK=1\nL\r=2"), "[S]\rK=1\nL\r=2") << "one LF: CR is text";
    // UTF-16 with its byte order mark, either order, as Notepad saves it.
    using namespace std::string_literals;
    EXPECT_EQ(text::DecodeFileText("\xFF\xFE[\0S\0]\0\r\0\n\0\xE4\0\xAC\x20"s), "[S]\n\xC3\xA4€");
    EXPECT_EQ(text::DecodeFileText("\xFE\xFF\0[\0\xE4\xD8\x3D\xDE\x00"s), "[\xC3\xA4\xF0\x9F\x98\x80");
    EXPECT_EQ(text::DecodeFileText("\xFF\xFE\x3D\xD8K\0="s), "\xEF\xBF\xBDK\xEF\xBF\xBD")
        << "an unpaired surrogate and half a unit";
    EXPECT_EQ(text::DecodeFileText("\xFF\xFE\xFF\xFEK\0"s), "K") << "a mark after the mark";
    // What the file writer writes reads back as itself.
    for (const char* bytes :
         {"\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\r\nK=\xE4\r", "\r\n\r", "\xEF\xBB", "[S]\rK=1\r"}) {
        const std::string once = text::DecodeFileText(bytes);
        EXPECT_EQ(text::DecodeFileText(once), once) << bytes;
    }
}

} // namespace
} // namespace qntcalc
