#pragma once
// Display texts of numbers: locale-independent decimal point, " undefined" for a value that is
// not a finite number. Texts read back give the number within 1e-12 relative.
#include <string>

namespace tessavin {

std::string StrNaCarku(double x);    // general display text (15 significant digits)
std::string StrNaCarku1(double x);   // table text of probabilities (13 significant digits)
std::string TiskPrv(long double x);  // spreadsheet cell text (15 significant digits)
std::string StrBottomGraf(double x); // short label under a histogram bar (4 significant digits)
// Value mark on a histogram bar, pattern "#.### E-": one digit, at most three decimals without
// trailing zeros, " E" and the exponent, signed only when negative ("1.235 E-3", "2.5 E1", "0 E0").
std::string StrMarkValue(double x);
std::string TCetnost(int width, int classNumber); // class number right-aligned in width characters

} // namespace tessavin
