#include "about/FileVersionInfo.h"

#include "about/AboutTexts.h"
#include "fileio/FileTexts.h"
#include "text/Strings.h"
#include "text/Utf16.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qntcalc {

namespace {

using Bytes = std::span<const unsigned char>;

constexpr size_t kHeaderSize = 6; // wLength, wValueLength, wType
constexpr uint16_t kTextType = 1;
constexpr size_t kFixedInfoSize = 52;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr size_t kMaxBlockSize = 0xFFFF; // wLength is 16 bits
constexpr int kMaxDepth = 8;             // the format itself uses four levels
constexpr std::u16string_view kRootKey = u"VS_VERSION_INFO";

uint16_t U16(Bytes bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t U32(Bytes bytes, size_t at) {
    return U16(bytes, at) | uint32_t{U16(bytes, at + 2)} << 16;
}

size_t Align4(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

struct Node {
    size_t end = 0; // one past the node's last byte
    std::u16string key;
    uint16_t type = 0;
    Bytes value;
    size_t firstChild = 0;
};

// The node at `at`, which with all its parts must lie before `limit`.
std::optional<Node> ReadNode(Bytes block, size_t at, size_t limit) {
    if (at >= limit || limit - at < kHeaderSize)
        return std::nullopt;
    const size_t length = U16(block, at);
    if (length < kHeaderSize || length > limit - at)
        return std::nullopt;
    Node node;
    node.end = at + length;
    node.type = U16(block, at + 4);
    size_t pos = at + kHeaderSize;
    for (;; pos += 2) {
        if (node.end - pos < 2)
            return std::nullopt; // key without NUL
        const char16_t c = U16(block, pos);
        if (c == 0)
            break;
        node.key += c;
    }
    const size_t valueSize = size_t{U16(block, at + 2)} * (node.type == kTextType ? 2 : 1);
    // A node with an empty value may end right after its key, unpadded.
    const size_t valueStart = std::min(Align4(pos + 2), node.end);
    if (node.end - valueStart < valueSize)
        return std::nullopt;
    node.value = block.subspan(valueStart, valueSize);
    node.firstChild = Align4(valueStart + valueSize);
    return node;
}

bool IsWellFormed(Bytes block, const Node& node, int depth) {
    for (size_t at = node.firstChild; at < node.end;) {
        const auto child = ReadNode(block, at, node.end);
        if (!child || depth == kMaxDepth || !IsWellFormed(block, *child, depth + 1))
            return false;
        at = Align4(child->end);
    }
    return true;
}

bool KeyEquals(std::u16string_view key, std::string_view name) {
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; };
    const std::u16string wanted = utf16::FromUtf8(name);
    return std::ranges::equal(key, wanted, {}, fold, fold);
}

std::optional<Node> FindChild(Bytes block, const Node& parent, std::string_view name) {
    for (size_t at = parent.firstChild; at < parent.end;) {
        auto child = ReadNode(block, at, parent.end);
        if (!child || KeyEquals(child->key, name))
            return child;
        at = Align4(child->end);
    }
    return std::nullopt;
}

std::optional<Node> ReadRoot(Bytes block) {
    auto root = ReadNode(block, 0, block.size());
    if (!root || root->key != kRootKey || root->value.size() != kFixedInfoSize ||
        U32(root->value, 0) != kFixedInfoSignature)
        return std::nullopt;
    return root;
}

// The root's key as it is stored: UTF-16LE with its NUL.
const auto& RootKeyBytes() {
    static const auto pattern = [] {
        std::array<unsigned char, (kRootKey.size() + 1) * 2> key{};
        for (size_t i = 0; i < kRootKey.size(); ++i)
            key[2 * i] = static_cast<unsigned char>(kRootKey[i]);
        return key;
    }();
    return pattern;
}

// Where the root key starts in `bytes`, from `from` on.
std::optional<size_t> FindRootKey(Bytes bytes, size_t from) {
    // Half the key's bytes are zeros, as are much of a program's, which
    // leaves a skip-table search little to skip; memchr for the key's first
    // letter runs through the same bytes many times faster.
    const auto& pattern = RootKeyBytes();
    const size_t size = bytes.size();
    while (size - std::min(size, from) >= pattern.size()) {
        const auto* hit = static_cast<const unsigned char*>(
            std::memchr(bytes.data() + from, pattern[0], size - from - pattern.size() + 1));
        if (!hit)
            return std::nullopt;
        const auto keyAt = static_cast<size_t>(hit - bytes.data());
        if (std::memcmp(hit, pattern.data(), pattern.size()) == 0)
            return keyAt;
        from = keyAt + 1;
    }
    return std::nullopt;
}

// The first valid block whose start lies before `startLimit`.
std::optional<Bytes> FindBlock(Bytes bytes, size_t startLimit) {
    for (size_t from = kHeaderSize;;) {
        const std::optional<size_t> keyAt = FindRootKey(bytes, from);
        if (!keyAt)
            return std::nullopt;
        from = *keyAt + 1;
        const size_t start = *keyAt - kHeaderSize;
        if (start >= startLimit)
            return std::nullopt;
        const Bytes candidate = bytes.subspan(start, std::min(bytes.size() - start, kMaxBlockSize));
        const auto root = ReadRoot(candidate);
        if (root && IsWellFormed(candidate, *root, 0))
            return candidate.first(root->end);
    }
}

[[maybe_unused]] std::optional<Node> Lookup(Bytes block, std::string_view subBlock) {
    auto node = ReadRoot(block);
    while (node && !subBlock.empty()) {
        const size_t cut = subBlock.find('\\');
        const std::string_view name = subBlock.substr(0, cut);
        subBlock = cut == std::string_view::npos ? std::string_view{} : subBlock.substr(cut + 1);
        if (!name.empty())
            node = FindChild(block, *node, name);
    }
    return node;
}

// The block starting at `start` of `in`, read no further than its length
// field says; `in` is left where it was.
std::optional<VersionBlock> ReadBlockAt(std::ifstream& in, std::streamoff start) {
    in.clear(); // a short read before this one ended at the file's end
    const std::streampos resume = in.tellg();
    std::optional<VersionBlock> block;
    std::array<unsigned char, 2> length{};
    if (in.seekg(start).read(reinterpret_cast<char*>(length.data()), length.size())) {
        VersionBlock bytes(U16(length, 0));
        in.seekg(start).read(reinterpret_cast<char*>(bytes.data()),
                             static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<size_t>(in.gcount()));
        if (const auto found = FindBlock(bytes, 1))
            block = VersionBlock(found->begin(), found->end());
    }
    in.clear();
    in.seekg(resume);
    return block;
}

// Scans the file for the root key through one small buffer, which keeps the
// last bytes of each step for the next, so that a key across a step's end is
// seen whole, and reads a block only where the key is. Memory, and the pages
// that the start of the program touches to find its own version, stay few
// for any file size.
[[maybe_unused]] std::optional<VersionBlock> LoadVersionBlock(std::ifstream& in) {
    constexpr size_t kStep = size_t{1} << 14;
    const size_t kept = RootKeyBytes().size() - 1;
    std::array<unsigned char, kStep> window; // only what was read is looked at
    size_t held = 0;
    std::streamoff windowStart = 0; // of window[0] in the file
    while (in) {
        in.read(reinterpret_cast<char*>(window.data() + held),
                static_cast<std::streamsize>(window.size() - held));
        held += static_cast<size_t>(in.gcount());
        const Bytes bytes(window.data(), held);
        for (std::optional<size_t> keyAt = FindRootKey(bytes, 0); keyAt;
             keyAt = FindRootKey(bytes, *keyAt + 1)) {
            const std::streamoff keyInFile = windowStart + static_cast<std::streamoff>(*keyAt);
            if (keyInFile < static_cast<std::streamoff>(kHeaderSize))
                continue;
            if (auto block = ReadBlockAt(in, keyInFile - static_cast<std::streamoff>(kHeaderSize)))
                return block;
        }
        if (held < window.size())
            break;
        std::copy(window.end() - kept, window.end(), window.begin());
        windowStart += static_cast<std::streamoff>(held - kept);
        held = kept;
    }
    return std::nullopt;
}

} // namespace

std::string StringTableName(uint16_t language, uint16_t codePage) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    const uint32_t both = uint32_t{language} << 16 | codePage;
    std::string name(8, '0');
    for (int i = 0; i < 8; ++i)
        name[7 - i] = kDigits[(both >> (4 * i)) & 0xF];
    return name;
}

std::optional<std::span<const unsigned char>>
FindVersionBlock(std::span<const unsigned char> bytes) {
    return FindBlock(bytes, bytes.size());
}

#ifdef _WIN32

Result ReadFileVersionBlock(const std::string& fileName, VersionBlock& block) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0)
        return Result::Unsuitable(std::string(texts::kReadVerb), fileName,
                                  std::string(texts::kNoVersionInfo));
    VersionBlock read(size, 0);
    if (GetFileVersionInfoA(fileName.c_str(), 0, size, read.data()) == 0)
        return {Result::Failure::Unreadable, fileName,
                std::system_category().message(static_cast<int>(GetLastError()))};
    block = std::move(read);
    return {};
}

std::optional<VersionBlock> QueryVersionBytes(std::span<const unsigned char> block,
                                              std::string_view subBlock) {
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !VerQueryValueA(block.data(), std::string(subBlock).c_str(), &value, &length))
        return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(value);
    return VersionBlock(bytes, bytes + length);
}

// The A interface hands out text in the ANSI code page, with `length` in
// characters.
std::optional<std::string> QueryVersionText(std::span<const unsigned char> block,
                                            std::string_view subBlock) {
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !VerQueryValueA(block.data(), std::string(subBlock).c_str(), &value, &length))
        return std::nullopt;
    const auto* ansi = static_cast<const char*>(value);
    const int ansiSize = static_cast<int>(strnlen(ansi, length));
    if (ansiSize == 0)
        return std::string();
    const int wideSize = MultiByteToWideChar(CP_ACP, 0, ansi, ansiSize, nullptr, 0);
    std::u16string wide(static_cast<size_t>(wideSize), u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi, ansiSize, reinterpret_cast<wchar_t*>(wide.data()),
                        wideSize);
    return utf16::ToUtf8(wide);
}

#else

Result ReadFileVersionBlock(const std::string& fileName, VersionBlock& block) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (error)
        return {error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory
                    ? Result::Failure::Missing
                    : Result::Failure::Unreadable,
                fileName, text::SystemError(error.value())};
    // A device or a pipe might never end.
    if (!std::filesystem::is_regular_file(status))
        return {Result::Failure::Unreadable, fileName, std::string(texts::kNotARegularFile)};
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return {Result::Failure::Unreadable, fileName, text::SystemError(errno)};
    std::optional<VersionBlock> found = LoadVersionBlock(in);
    if (!found)
        return Result::Unsuitable(std::string(texts::kReadVerb), fileName,
                                  std::string(texts::kNoVersionInfo));
    block = std::move(*found);
    return {};
}

std::optional<VersionBlock> QueryVersionBytes(std::span<const unsigned char> block,
                                              std::string_view subBlock) {
    const auto node = Lookup(block, subBlock);
    if (!node)
        return std::nullopt;
    return VersionBlock(node->value.begin(), node->value.end());
}

std::optional<std::string> QueryVersionText(std::span<const unsigned char> block,
                                            std::string_view subBlock) {
    const auto node = Lookup(block, subBlock);
    if (!node)
        return std::nullopt;
    std::u16string text;
    for (size_t i = 0; i + 1 < node->value.size(); i += 2) {
        const char16_t c = U16(node->value, i);
        if (c == 0)
            break;
        text += c;
    }
    return utf16::ToUtf8(text);
}

#endif

} // namespace qntcalc
