#pragma once

namespace qntcalc {

// The print sheet and the About box were drawn in pixels at 96 dpi; their
// fonts are sized the same way, so that every text keeps its place
// whatever the screen's resolution.
constexpr int PixelsOf(int points) {
    return (points * 96 + 36) / 72;
}

} // namespace qntcalc
