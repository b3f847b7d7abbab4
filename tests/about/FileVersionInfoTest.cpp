#include "about/FileVersionInfo.h"

#include "about/VersionBlockWriter.h"
#include "tests/support/TempDir.h"

#include <functional>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

uint16_t Get16(const VersionBlock& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t Get32(const VersionBlock& b, size_t at) {
    return Get16(b, at) | uint32_t{Get16(b, at + 2)} << 16;
}

void Set16(VersionBlock& b, size_t at, uint16_t value) {
    b[at] = static_cast<unsigned char>(value);
    b[at + 1] = static_cast<unsigned char>(value >> 8);
}

// 236 bytes. Node offsets: root 0, StringFileInfo 92, table 128, "A" 152
// (value at 164), VarFileInfo 168, Translation 200 (key 206, value 232).
VersionBlock OneStringBlock(const std::string& text = "B") {
    VersionBlockContents contents;
    contents.fileVersion = {1, 3, 2, 1};
    contents.productVersion = {1, 3, 0, 0};
    contents.tables = {{"040904E4", {{"A", text}}}};
    contents.translations = {{0x0409, 0x04E4}};
    return BuildVersionBlock(contents);
}

TEST(VersionBlockWriterTest, LaysOutNodesAsTheFormatDefines) {
    const VersionBlock b = OneStringBlock();
    ASSERT_EQ(b.size(), 236u);
    struct {
        size_t at;
        uint16_t length, valueLength, type;
    } const nodes[] = {{0, 236, 52, 0}, {92, 76, 0, 1},  {128, 40, 0, 1},
                       {152, 16, 2, 1}, {168, 68, 0, 1}, {200, 36, 4, 0}};
    for (const auto& node : nodes) {
        EXPECT_EQ(Get16(b, node.at), node.length) << node.at;
        EXPECT_EQ(Get16(b, node.at + 2), node.valueLength) << node.at;
        EXPECT_EQ(Get16(b, node.at + 4), node.type) << node.at;
    }
    EXPECT_EQ(Get16(b, 6), 'V');
    EXPECT_EQ(Get32(b, 40), 0xFEEF04BDu);
    EXPECT_EQ(Get32(b, 48), 0x00010003u); // 1.3
    EXPECT_EQ(Get32(b, 52), 0x00020001u); // .2.1
    EXPECT_EQ(Get16(b, 158), 'A');
    EXPECT_EQ(Get16(b, 164), 'B');
    EXPECT_EQ(Get32(b, 232), 0x04E40409u);
}

TEST(QueryVersionTest, FindsValuesByCaseInsensitivePath) {
    const VersionBlock b = OneStringBlock();
    EXPECT_EQ(QueryVersionText(b, "\\StringFileInfo\\040904E4\\A"), "B");
    EXPECT_EQ(QueryVersionText(b, "\\stringfileinfo\\040904e4\\a"), "B");
    EXPECT_EQ(QueryVersionBytes(b, "\\VarFileInfo\\Translation"),
              (VersionBlock{0x09, 0x04, 0xE4, 0x04}));
    const auto fixed = QueryVersionBytes(b, "\\");
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->size(), 52u);
    EXPECT_EQ(Get32(*fixed, 0), 0xFEEF04BDu);

    EXPECT_FALSE(QueryVersionText(b, "\\StringFileInfo\\040904E4\\Missing"));
    EXPECT_FALSE(QueryVersionText(b, "\\StringFileInfo\\040904E4\\A\\Deeper"));
    EXPECT_FALSE(QueryVersionText(b, "\\StringFileInfo\\040704B0\\A"));
    EXPECT_FALSE(QueryVersionText(VersionBlock{}, "\\"));
    EXPECT_FALSE(QueryVersionText(VersionBlock(b.begin() + 4, b.end()), "\\"));
}

TEST(QueryVersionTest, TextRoundTripsAsUtf8) {
    const std::string text = "Stra\xC3\x9F"
                             "e \xE2\x82\xAC \xF0\x9F\x98\x80";
    EXPECT_EQ(QueryVersionText(OneStringBlock(text), "\\StringFileInfo\\040904E4\\A"), text);
    // Malformed input on either side becomes U+FFFD, never a crash.
    EXPECT_EQ(QueryVersionText(OneStringBlock("\xFF"), "\\StringFileInfo\\040904E4\\A"),
              "\xEF\xBF\xBD");
    VersionBlock loneSurrogate = OneStringBlock();
    Set16(loneSurrogate, 164, 0xD800);
    EXPECT_EQ(QueryVersionText(loneSurrogate, "\\StringFileInfo\\040904E4\\A"), "\xEF\xBF\xBD");
}

TEST(StringTableNameTest, IsUpperCaseHexWithLeadingZeros) {
    EXPECT_EQ(StringTableName(0x0409, 0x04E4), "040904E4");
    EXPECT_EQ(StringTableName(0x0407, 0x04B0), "040704B0");
    EXPECT_EQ(StringTableName(0, 0xFFFF), "0000FFFF");
}

TEST(FindVersionBlockTest, FindsTheBlockAmongOtherBytes) {
    const VersionBlock block = OneStringBlock();
    VersionBlock bytes = {1, 2, 3}; // the block starts at an odd offset
    // A decoy: the root key without a valid header and fixed info.
    for (char c : std::string("VS_VERSION_INFO"))
        bytes.insert(bytes.end(), {static_cast<unsigned char>(c), 0});
    bytes.insert(bytes.end(), {0, 0, 9, 9, 9});
    bytes.insert(bytes.end(), block.begin(), block.end());
    bytes.insert(bytes.end(), {4, 5, 6});

    const auto found = FindVersionBlock(bytes);
    ASSERT_TRUE(found);
    EXPECT_TRUE(std::ranges::equal(*found, block));
    EXPECT_FALSE(FindVersionBlock(VersionBlock(bytes.begin(), bytes.begin() + 40)));
}

struct CorruptionRow {
    const char* name;
    std::function<void(VersionBlock&)> corrupt;
};

void PrintTo(const CorruptionRow& row, std::ostream* os) {
    *os << row.name;
}

class CorruptBlockTest : public ::testing::TestWithParam<CorruptionRow> {};

TEST_P(CorruptBlockTest, IsNoBlock) {
    VersionBlock b = OneStringBlock();
    GetParam().corrupt(b);
    EXPECT_FALSE(FindVersionBlock(b));
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CorruptBlockTest,
    ::testing::Values(
        CorruptionRow{"RootPastEnd", [](VersionBlock& b) { Set16(b, 0, 240); }},
        CorruptionRow{"RootShorterThanChildren", [](VersionBlock& b) { Set16(b, 0, 200); }},
        CorruptionRow{"ChildPastParent", [](VersionBlock& b) { Set16(b, 92, 0xFFFF); }},
        CorruptionRow{"StringPastTable", [](VersionBlock& b) { Set16(b, 152, 20); }},
        CorruptionRow{"ZeroRoot", [](VersionBlock& b) { Set16(b, 0, 0); }},
        CorruptionRow{"ZeroChild", [](VersionBlock& b) { Set16(b, 152, 0); }},
        CorruptionRow{"HeaderOnlyChild", [](VersionBlock& b) { Set16(b, 152, 6); }},
        CorruptionRow{"OddChildCutsValue", [](VersionBlock& b) { Set16(b, 152, 15); }},
        CorruptionRow{"TextPastNode", [](VersionBlock& b) { Set16(b, 154, 3); }},
        CorruptionRow{"TranslationPastNode", [](VersionBlock& b) { Set16(b, 202, 8); }},
        CorruptionRow{"FixedInfoTooShort", [](VersionBlock& b) { Set16(b, 2, 48); }},
        CorruptionRow{"BadSignature", [](VersionBlock& b) { b[40] = 0xBC; }},
        CorruptionRow{"KeyWithoutNul",
                      [](VersionBlock& b) { std::fill(b.begin() + 228, b.end(), 'x'); }}),
    [](const ::testing::TestParamInfo<CorruptionRow>& info) { return info.param.name; });

TEST(FindVersionBlockTest, TruncatedAnywhereIsNoBlock) {
    const VersionBlock b = OneStringBlock();
    for (size_t size = 0; size < b.size(); ++size)
        EXPECT_FALSE(FindVersionBlock(VersionBlock(b.begin(), b.begin() + size))) << size;
}

// Whatever a damaged byte makes of the block, finding and querying it stay
// inside the buffer (the sanitizer build checks every access).
TEST(FindVersionBlockTest, SurvivesAnyDamagedByte) {
    const VersionBlock original = OneStringBlock();
    for (size_t at = 0; at < original.size(); ++at) {
        for (unsigned char value : {0x00, 0x01, 0x7F, 0xFF}) {
            VersionBlock b = original;
            b[at] = value;
            const auto found = FindVersionBlock(b);
            if (!found)
                continue;
            const VersionBlock block(found->begin(), found->end());
            QueryVersionText(block, "\\StringFileInfo\\040904E4\\A");
            QueryVersionBytes(block, "\\VarFileInfo\\Translation");
        }
    }
}

// Files are scanned in 64 KiB steps; a block must be found wherever it lies.
struct PlacementRow {
    const char* name;
    size_t offset;
    size_t fileSize;
};

void PrintTo(const PlacementRow& row, std::ostream* os) {
    *os << row.name;
}

class BlockInFileTest : public ::testing::TestWithParam<PlacementRow> {};

constexpr size_t kStep = size_t{1} << 16;
constexpr size_t kMiB = size_t{1} << 20;
constexpr size_t kRead = size_t{1} << 14; // the reader's step

TEST_P(BlockInFileTest, IsFoundAndReadWhole) {
    const TempDir dir;
    const VersionBlock block = OneStringBlock();
    const std::string file = dir.Write("f.bin", block, GetParam().offset, GetParam().fileSize);
    VersionBlock read;
    ASSERT_TRUE(ReadFileVersionBlock(file, read).Ok());
    EXPECT_EQ(read, block);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, BlockInFileTest,
    ::testing::Values(PlacementRow{"WholeFile", 0, 0}, PlacementRow{"OddOffset", 7, 1000},
                      PlacementRow{"KeyAcrossReadStep", kRead - 16, 3 * kRead},
                      PlacementRow{"KeyAcrossSecondReadStep", 2 * kRead - 31 - 16, 3 * kRead},
                      PlacementRow{"AcrossWindowEdge", kStep - 100, 3 * kStep},
                      PlacementRow{"AtWindowEdge", kStep, 3 * kStep},
                      PlacementRow{"KeyAtWindowEdge", kStep - 6, 3 * kStep},
                      PlacementRow{"AcrossSecondWindowEdge", 2 * kStep - 100, 3 * kStep},
                      PlacementRow{"ManyWindowsIn", kMiB - 100, 3 * kMiB},
                      PlacementRow{"EndOfFileInLastWindow", 2 * kStep + 5, 0},
                      PlacementRow{"InTailOfOnlyWindow", kStep + 1000, 0},
                      PlacementRow{"EndOfFileAtFullWindow", kStep + 0xFFFF - 236, 0}),
    [](const ::testing::TestParamInfo<PlacementRow>& info) { return info.param.name; });

TEST(FileVersionInfoTest, FilesWithoutABlockSayWhy) {
    const TempDir dir;
    VersionBlock block = OneStringBlock();
    block[40] = 0; // signature
    using F = Result::Failure;
    const std::pair<std::string, F> rows[] = {
        {dir.Write("damaged.bin", block, 3), F::Unsuitable},
        {dir.Write("empty.bin", {}), F::Unsuitable},
        {dir.Path("missing.bin"), F::Missing},
        {dir.Path(""), F::Unreadable},   // a directory
        {"/dev/zero", F::Unreadable},    // would never end
    };
    for (const auto& [file, failure] : rows) {
        VersionBlock read{1, 2, 3};
        EXPECT_EQ(ReadFileVersionBlock(file, read).failure, failure) << file;
        EXPECT_EQ(read, (VersionBlock{1, 2, 3})) << file;
    }
}

} // namespace
} // namespace qntcalc
