#include "text/Units.h"

namespace qntcalc {

namespace {

std::string_view Symbol(InputUnit unit) {
    switch (unit) {
    case InputUnit::Metres:
        return "m";
    case InputUnit::Milliseconds:
        return "ms";
    case InputUnit::KBitsPerSecond:
        return "kBits/s";
    case InputUnit::Percent:
        return "%";
    case InputUnit::Count:
        break;
    }
    return {};
}

} // namespace

std::string UnitSuffix(InputUnit unit) {
    const bool spaced = unit != InputUnit::Percent && unit != InputUnit::Count;
    return (spaced ? " " : "") + std::string(Symbol(unit));
}

std::string WithUnit(std::string_view number, InputUnit unit) {
    return std::string(number) + UnitSuffix(unit);
}

std::string WithUnit(int32_t value, InputUnit unit) {
    return WithUnit(GroupedNumber(value), unit);
}

std::string Milliseconds(int32_t value) {
    return WithUnit(value, InputUnit::Milliseconds);
}

std::string UnitTag(InputUnit unit) {
    return unit == InputUnit::Count ? std::string() : " [" + std::string(Symbol(unit)) + "]";
}

} // namespace qntcalc
