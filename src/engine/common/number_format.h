#pragma once
// Number texts as printf's %.*Lf, %.*LE and %.*LG write them in the "C" locale: a decimal point
// whatever LC_NUMERIC says, and the whole text however long it is.
#include <string>

namespace tessavin {

std::string FixedText(long double x, int decimals);      // %.*Lf
std::string ScientificText(long double x, int decimals); // %.*LE
std::string GeneralText(long double x, int digits);      // %.*LG

} // namespace tessavin
