#pragma once

#include <string_view>

#include <QString>

namespace qntcalc {

// The model's texts are UTF-8.
inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace qntcalc
