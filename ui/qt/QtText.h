#pragma once

#include <string_view>

#include <QString>

namespace qntcalc {

// The model's texts are UTF-8.
inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Captions of buttons, group boxes and menus are literal: an ampersand is
// no mnemonic.
inline QString Literal(std::string_view text) {
    return ToQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace qntcalc
