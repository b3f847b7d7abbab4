#pragma once

// The program's icon as 32-bit ARGB values, row by row, written at build
// time from resources/qntcalc.png by qntcalc_icon_gen.
namespace qntcalc {

extern const int kProgramIconWidth;
extern const int kProgramIconHeight;
extern const unsigned int kProgramIconPixels[];

} // namespace qntcalc
