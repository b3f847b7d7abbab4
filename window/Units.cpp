#include "window/Units.h"

namespace qntcalc {

std::string WithUnit(int32_t value, InputUnit unit) {
    const std::string number = GroupedNumber(value);
    switch (unit) {
    case InputUnit::Metres:
        return number + " m";
    case InputUnit::Milliseconds:
        return number + " ms";
    case InputUnit::KBitsPerSecond:
        return number + " kBits/s";
    case InputUnit::Percent:
        return number + "%";
    case InputUnit::Count:
        break;
    }
    return number;
}

std::string Milliseconds(int32_t value) {
    return WithUnit(value, InputUnit::Milliseconds);
}

std::string_view UnitTag(InputUnit unit) {
    switch (unit) {
    case InputUnit::Metres:
        return " [m]";
    case InputUnit::Milliseconds:
        return " [ms]";
    case InputUnit::KBitsPerSecond:
        return " [kBits/s]";
    case InputUnit::Percent:
        return " [%]";
    case InputUnit::Count:
        break;
    }
    return {};
}

} // namespace qntcalc
