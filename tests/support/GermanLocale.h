#pragma once

#include <clocale>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>

// The locale of a German user, whose decimal separator is a comma: numbers
// must read the same under it as under the C locale. scripts/deps.sh makes it.
namespace qntcalc {

inline constexpr const char* kGermanLocale = "de_DE.UTF-8";
inline constexpr const char* kNoGermanLocale =
    "the locale de_DE.UTF-8 is not installed; run scripts/deps.sh as root to generate it";

// Both the C and the C++ locale of the whole process, as a program that
// follows its environment sets them, until the end of the scope.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : before_(std::setlocale(LC_ALL, nullptr)) {
        if (!std::setlocale(LC_ALL, name))
            return;
        try {
            cppBefore_ = std::locale::global(std::locale(name));
        } catch (const std::runtime_error&) {
            std::setlocale(LC_ALL, before_.c_str());
        }
    }
    ~ScopedLocale() {
        if (cppBefore_)
            std::locale::global(*cppBefore_);
        std::setlocale(LC_ALL, before_.c_str());
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool Made() const { return cppBefore_.has_value(); }

private:
    std::string before_;
    std::optional<std::locale> cppBefore_;
};

// Whether the German locale can be made at all (and nothing changed).
inline bool GermanLocaleInstalled() {
    return ScopedLocale(kGermanLocale).Made();
}

} // namespace qntcalc
