#include "engine/Int32.h"

#include <charconv>

namespace qntcalc::i32 {

int32_t ParseOr(std::string_view text, int32_t fallback) {
    // Blanks around a number carry no meaning (a pasted " 300 " is 300).
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return fallback;
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return fallback;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > int64_t{1} << 31)
            return fallback;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max())
        return fallback;
    return static_cast<int32_t>(value);
}

std::string ToText(int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace qntcalc::i32
