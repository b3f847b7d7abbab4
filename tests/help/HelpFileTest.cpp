#include "checks/StatusTexts.h"
#include "window/WindowTexts.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

const std::string& Help() {
    static const std::string text = [] {
        std::ifstream in(QNTCALC_HELP_FILE, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }();
    return text;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::size_t Count(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string_view::npos;
         at = text.find(what, at + what.size()))
        ++n;
    return n;
}

std::string WithoutComments(std::string_view html) {
    std::string out;
    std::size_t from = 0;
    for (auto open = html.find("<!--"); open != std::string_view::npos;
         open = html.find("<!--", from)) {
        out.append(html.substr(from, open - from));
        const auto close = html.find("-->", open + 4);
        if (close == std::string_view::npos)
            return out;
        from = close + 3;
    }
    out.append(html.substr(from));
    return out;
}

void AppendEntity(std::string_view entity, std::string& out) {
    if (entity == "lt")
        out += '<';
    else if (entity == "gt")
        out += '>';
    else if (entity == "amp")
        out += '&';
    else if (entity == "quot")
        out += '"';
    else if (entity == "nbsp")
        out += ' ';
    else if (entity.size() > 1 && entity[0] == '#') {
        int code = 0;
        for (const char digit : entity.substr(1))
            code =
                std::isdigit(static_cast<unsigned char>(digit)) ? code * 10 + (digit - '0') : 128;
        out += code < 128 ? static_cast<char>(code) : '?';
    } else {
        out += '?';
    }
}

// What the viewer shows: no tags or comments, entities decoded, white space
// collapsed, so a message wrapped over two source lines still matches.
std::string VisibleText(std::string_view html) {
    const std::string source = WithoutComments(html);
    std::string out;
    bool inTag = false;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (inTag) {
            inTag = c != '>';
            continue;
        }
        if (c == '<') {
            inTag = true;
        } else if (c == '&' && source.find(';', i) != std::string::npos &&
                   source.find(';', i) - i <= 6) {
            const auto end = source.find(';', i);
            AppendEntity(std::string_view(source).substr(i + 1, end - i - 1), out);
            i = end;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

// The quoted values that follow every occurrence of `attribute="`.
std::vector<std::string> AttributeValues(std::string_view html, std::string_view attribute) {
    const std::string needle = std::string(attribute) + "=\"";
    std::vector<std::string> values;
    for (auto at = html.find(needle); at != std::string_view::npos;
         at = html.find(needle, at + 1)) {
        const auto begin = at + needle.size();
        values.emplace_back(html.substr(begin, html.find('"', begin) - begin));
    }
    return values;
}

class HelpFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(Help().empty()) << "cannot read " << QNTCALC_HELP_FILE; }
};

struct AnchorRow {
    const char* name;
    const char* anchor;
};

void PrintTo(const AnchorRow& row, std::ostream* os) {
    *os << row.name;
}

constexpr AnchorRow kTopics[] = {
    {"MainWindow", "topic10"}, {"Modes", "topic15"},     {"NetworkStructure", "topic20"},
    {"Devices", "topic21"},    {"Inputs", "topic22"},    {"Outputs", "topic23"},
    {"Routers", "topic24"},    {"Repeaters", "topic25"}, {"DropLines", "topic26"},
    {"Results", "topic27"},    {"Printing", "topic40"},  {"PrintSheet", "topic100"},
    {"About", "topic130"},      {"WhatIf", "topic140"},   {"WhatIfLimits", "topic141"},
    {"Report", "topic150"},
};

class HelpTopicTest : public HelpFileTest, public testing::WithParamInterface<AnchorRow> {};

TEST_P(HelpTopicTest, HasExactlyOneAnchor) {
    const std::string anchor = std::string("<a name=\"") + GetParam().anchor + "\"";
    EXPECT_EQ(Count(Help(), anchor), 1u) << anchor;
}

TEST_P(HelpTopicTest, IsLinkedFromTheContents) {
    const std::string link = std::string("href=\"#") + GetParam().anchor + "\"";
    EXPECT_GE(Count(Help(), link), 1u) << link;
}

INSTANTIATE_TEST_SUITE_P(Topics, HelpTopicTest, testing::ValuesIn(kTopics),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextRow {
    const char* name;
    std::string_view text;
};

void PrintTo(const TextRow& row, std::ostream* os) {
    *os << row.name;
}

// Every message of the status bar, straight from the program's own texts, so
// the help cannot quote a message the program no longer shows.
constexpr TextRow kStatusTexts[] = {
    {"Estimates", texts::kEstimates},
    {"RepeatersAndRouters", texts::kRepeatersAndRouters},
    {"NotStable", texts::kNotStable},
    {"PathTooLong", texts::kPathTooLong},
    {"PreselectedRate", texts::kPreselectedRate},
    {"TooManyDevices", texts::kTooManyDevices},
    {"DropTotal", texts::kDropTotal},
    {"LongSegMissing", texts::kLongSegMissing},
    {"LongSegTooLong", texts::kLongSegTooLong},
    {"MDSegTooLong", texts::kMDSegTooLong},
    {"LongSegWrong", texts::kLongSegWrong},
    {"MDSegMissing", texts::kMDSegMissing},
    {"MDSegLonger", texts::kMDSegLonger},
    {"VeskAtLeastZero", texts::kVeskAtLeastZero},
    {"VeskAtLeastOne", texts::kVeskAtLeastOne},
    {"NoIO", texts::kNoIO},
    {"CyclicInputs", texts::kCyclicInputs},
    {"CyclicOutputDevices", texts::kCyclicOutputDevices},
    {"InputsTooFast", texts::kInputsTooFast},
    {"OutputsTooFast", texts::kOutputsTooFast},
    {"InputCycleTooSlow", texts::kInputCycleTooSlow},
    {"OutputCycleTooSlow", texts::kOutputCycleTooSlow},
    {"TooManyInputs", texts::kTooManyInputs},
    {"TooManyOutputs", texts::kTooManyOutputs},
    {"LoadFactor", texts::kLoadFactor},
};
static_assert(std::size(kStatusTexts) == 25, "one row per plausibility rule");

// The value checks' message box.
constexpr TextRow kValueCheckTexts[] = {
    {"GreaterZero", texts::kGreaterZero},
    {"GreaterEqualZero", texts::kGreaterEqualZero},
    {"Caption", texts::kValueErrorCaption},
};

class HelpQuotesTest : public HelpFileTest, public testing::WithParamInterface<TextRow> {};

TEST_P(HelpQuotesTest, ShowsTheTextVerbatim) {
    EXPECT_NE(VisibleText(Help()).find(GetParam().text), std::string::npos) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(StatusMessages, HelpQuotesTest, testing::ValuesIn(kStatusTexts),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(ValueChecks, HelpQuotesTest, testing::ValuesIn(kValueCheckTexts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HelpVisibleText, DecodesEntitiesAndJoinsWrappedLines) {
    EXPECT_EQ(VisibleText("<b>Vesk &gt;=\n   0!</b><!-- <i>x</i> -->"), "Vesk >= 0!");
    EXPECT_EQ(VisibleText("a&lt;b &#215; c&amp;d"), "a<b ? c&d");
}

TEST_F(HelpFileTest, EveryAnchorIsClosedBeforeTheNextOpens) {
    const std::string html = Lower(WithoutComments(Help()));
    int depth = 0;
    std::size_t at = 0;
    while ((at = html.find("<", at)) != std::string::npos) {
        if (html.compare(at, 3, "<a ") == 0) {
            ASSERT_EQ(depth, 0) << "nested anchor at offset " << at;
            ++depth;
        } else if (html.compare(at, 4, "</a>") == 0) {
            ASSERT_EQ(depth, 1) << "stray </a> at offset " << at;
            --depth;
        }
        ++at;
    }
    EXPECT_EQ(depth, 0) << "anchor left open";
}

TEST_F(HelpFileTest, HtmlAndBodyAreBalancedAndNested) {
    const std::string html = Lower(WithoutComments(Help()));
    ASSERT_EQ(Count(html, "<html"), 1u);
    ASSERT_EQ(Count(html, "</html>"), 1u);
    ASSERT_EQ(Count(html, "<body"), 1u);
    ASSERT_EQ(Count(html, "</body>"), 1u);
    EXPECT_LT(html.find("<html"), html.find("<body"));
    EXPECT_LT(html.find("<body"), html.find("</body>"));
    EXPECT_LT(html.find("</body>"), html.find("</html>"));
}

TEST_F(HelpFileTest, CommentsAreClosed) {
    EXPECT_EQ(Count(Help(), "<!--"), Count(Help(), "-->"));
}

TEST_F(HelpFileTest, AnchorNamesAreUniqueAndEveryLinkFindsOne) {
    const std::string html = WithoutComments(Help());
    std::set<std::string> names;
    for (const std::string& name : AttributeValues(html, "name"))
        EXPECT_TRUE(names.insert(name).second) << "duplicate anchor " << name;
    for (const std::string& href : AttributeValues(html, "href")) {
        ASSERT_FALSE(href.empty());
        ASSERT_EQ(href[0], '#') << "link leaves the help file: " << href;
        EXPECT_TRUE(names.count(href.substr(1))) << "broken link " << href;
    }
}

// Plain ASCII renders the same whatever encoding the viewer assumes.
TEST_F(HelpFileTest, IsSevenBitAscii) {
    const auto wide =
        std::find_if(Help().begin(), Help().end(), [](unsigned char c) { return c >= 0x80; });
    EXPECT_EQ(wide, Help().end()) << "non-ASCII byte at offset " << (wide - Help().begin());
}

} // namespace
} // namespace qntcalc
