#include "text/Utf16.h"

#include "text/TextEncoding.h"

namespace qntcalc::utf16 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Decodes one code point at `pos` and advances past it; anything malformed
// (overlong, surrogate, truncated, stray byte) gives U+FFFD.
char32_t DecodeUtf8(std::string_view text, size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    const int extra = (lead & 0xE0) == 0xC0   ? 1
                      : (lead & 0xF0) == 0xE0 ? 2
                      : (lead & 0xF8) == 0xF0 ? 3
                                              : 0;
    if (extra == 0)
        return kReplacement; // a continuation byte or no UTF-8 lead at all
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    char32_t c = lead & (0x3F >> extra);
    if (text.size() - pos < static_cast<size_t>(extra))
        return kReplacement;
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return kReplacement;
        c = (c << 6) | (next & 0x3F);
    }
    pos += extra;
    if (c < kSmallest[extra] || c > 0x10FFFF || IsSurrogate(c))
        return kReplacement;
    return c;
}

} // namespace

std::u16string FromUtf8(std::string_view text) {
    std::u16string out;
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = DecodeUtf8(text, pos);
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsSurrogate(c)) {
            c = kReplacement;
        }
        text::AppendUtf8(out, c);
    }
    return out;
}

} // namespace qntcalc::utf16
