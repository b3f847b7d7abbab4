#include "text/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qntcalc::text {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Windows-1252 0x80..0x9F; the rest of the upper half equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

struct Sequence {
    bool wellFormed = false;
    // The bytes it takes; when ill-formed, the longest start that could
    // have begun a character (at least 1), which one U+FFFD replaces.
    size_t length = 1;
};

// Strict UTF-8: the allowed range of the second byte is where overlong
// forms, surrogates and values above U+10FFFF show.
Sequence ReadSequence(const uint8_t* p, const uint8_t* end) {
    const uint8_t lead = *p;
    if (lead < 0x80)
        return {true, 1};
    size_t length = 0;
    uint8_t low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {false, 1};
    }
    const size_t available = static_cast<size_t>(end - p);
    for (size_t i = 1; i < length; ++i) {
        if (i == available)
            return {false, i};
        const bool fits = i == 1 ? p[1] >= low && p[1] <= high : IsContinuation(p[i]);
        if (!fits)
            return {false, i};
    }
    return {true, length};
}

} // namespace

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const Sequence sequence = ReadSequence(p, end);
        if (!sequence.wellFormed)
            return false;
        p += sequence.length;
    }
    return true;
}

std::string ValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const auto* start = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto* p = start;
    const auto* end = p + bytes.size();
    while (p < end) {
        const Sequence sequence = ReadSequence(p, end);
        if (sequence.wellFormed)
            out.append(bytes.substr(static_cast<size_t>(p - start), sequence.length));
        else
            AppendUtf8(out, 0xFFFD);
        p += sequence.length;
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte >= 0x80 && byte < 0xA0)
            AppendUtf8(out, kHighControls[byte - 0x80]);
        else
            AppendUtf8(out, byte);
    }
    return out;
}

std::string ToUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](size_t at) {
        const auto first = static_cast<uint8_t>(bytes[at]);
        const auto second = static_cast<uint8_t>(bytes[at + 1]);
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    constexpr char32_t kReplacement = 0xFFFD;
    size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const char16_t code = unit(at);
        const bool high = code >= 0xD800 && code <= 0xDBFF;
        const bool low = code >= 0xDC00 && code <= 0xDFFF;
        if (high && at + 3 < bytes.size()) {
            const char16_t next = unit(at + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t{code} - 0xD800) << 10) + (next - 0xDC00));
                at += 2;
                continue;
            }
        }
        AppendUtf8(out, high || low ? kReplacement : char32_t{code});
    }
    if (at < bytes.size()) // half a unit at the end
        AppendUtf8(out, kReplacement);
    return out;
}

std::string DecodeFileText(std::string_view bytes) {
    // Notepad saves "Unicode" as UTF-16 with a byte order mark.
    std::string utf16;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        utf16 = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
        bytes = utf16;
    }
    // Repeated marks come from editors that added one to a file that had one.
    while (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    std::string text = ToUtf8(bytes);
    // Old Mac files end their lines in CR alone.
    if (text.find('\n') == std::string::npos)
        std::replace(text.begin(), text.end(), '\r', '\n');
    size_t kept = 0;
    for (char c : text) {
        if (c == '\n') {
            while (kept > 0 && text[kept - 1] == '\r')
                --kept;
        }
        text[kept++] = c;
    }
    while (kept > 0 && text[kept - 1] == '\r')
        --kept;
    text.resize(kept);
    return text;
}

} // namespace qntcalc::text
