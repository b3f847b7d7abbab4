#include "text/Strings.h"

#include <algorithm>

#include <cstring>

namespace qntcalc::text {

namespace {

template <typename Arguments>
std::string Filled(std::string_view pattern, const Arguments& arguments) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto place = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (place < arguments.size()) {
                out += *(arguments.begin() + place);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    return Filled(pattern, arguments);
}

std::string Format(std::string_view pattern, const std::vector<std::string>& arguments) {
    return Filled(pattern, arguments);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

std::string Joined(const std::vector<std::string>& texts, std::string_view separator) {
    std::string joined;
    for (const std::string& text : texts)
        joined += (joined.empty() ? "" : std::string(separator)) + text;
    return joined;
}

std::vector<std::string> Split(std::string_view list, char separator) {
    std::vector<std::string> parts;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(separator), list.size());
        std::string_view part = list.substr(0, end);
        const std::size_t first = part.find_first_not_of(" \t");
        if (first != std::string_view::npos)
            parts.emplace_back(part.substr(first, part.find_last_not_of(" \t") - first + 1));
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return parts;
}

std::string SystemError(int code) {
#ifdef __GLIBC__
    // glibc translates strerror's text; this one is always English.
    if (const char* described = ::strerrordesc_np(code))
        return described;
#else
    // Without a translation to choose, strerror's text is the English one.
    if (const char* described = std::strerror(code))
        return described;
#endif
    return "Error " + std::to_string(code);
}

} // namespace qntcalc::text
