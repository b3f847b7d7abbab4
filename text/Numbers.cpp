#include "text/Numbers.h"

#include <algorithm>
#include <charconv>

namespace qntcalc::text {

namespace {

// Commas into the whole part of std::to_chars' plain output.
std::string Grouped(std::string_view plain) {
    const std::size_t first = plain.find_first_of("0123456789");
    if (first == std::string_view::npos)
        return std::string(plain); // inf, nan
    const std::size_t end = std::min(plain.find('.'), plain.size());
    std::string out(plain.substr(0, first));
    for (std::size_t i = first; i < end; ++i) {
        if (i > first && (end - i) % 3 == 0)
            out += ',';
        out += plain[i];
    }
    return out.append(plain.substr(end));
}

} // namespace

std::string GroupedNumber(int64_t value) {
    char buffer[24];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Grouped({buffer, static_cast<std::size_t>(written.ptr - buffer)});
}

std::string GroupedDecimal(double value, int decimals) {
    // The largest double has 309 whole digits.
    std::string buffer(320 + static_cast<std::size_t>(std::max(decimals, 0)), '\0');
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, std::max(decimals, 0));
    return Grouped({buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data())});
}

} // namespace qntcalc::text
