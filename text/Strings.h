#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Small string tools every layer shares.
namespace qntcalc::text {

// The pattern with %1 to %9 replaced by the arguments, in one pass, so an
// argument that holds "%2" stays as it is. A whole sentence with numbered
// places can be translated as one, the places moved to suit the language.
// A place without an argument, and any other %, stay as written.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments);
// The same with as many arguments as a sentence has parts.
std::string Format(std::string_view pattern, const std::vector<std::string>& arguments);

// Names (INI keys and sections, field names) match without regard to case,
// ASCII letters only: the same under every locale.
char AsciiLower(char c);
std::string AsciiLowered(std::string_view s);
bool SameName(std::string_view a, std::string_view b);

// The texts one after another, the separator between those that follow a
// non-empty start.
std::string Joined(const std::vector<std::string>& texts, std::string_view separator);
// The parts of a list between separators, blanks and tabs around each
// dropped, empty parts left out: "a, b,,c " gives a, b and c.
std::vector<std::string> Split(std::string_view list, char separator);

// The system's English description of an errno value ("No such file or
// directory"), whatever the locale: the program's texts are English, and
// a desktop started under another language must not mix in its words.
std::string SystemError(int code);

} // namespace qntcalc::text
