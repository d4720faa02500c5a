#include "statlib/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "common/number_format.h"

namespace tessavin {
namespace {

std::string General(long double x, int digits) {
    if (!std::isfinite(x)) return " undefined";
    if (x == 0) return "0";
    std::string s = GeneralText(x, digits);
    // Near the end of the double range a rounded text can exceed it; use all the digits then.
    double back = 0;
    if (std::from_chars(s.data(), s.data() + s.size(), back).ec == std::errc::result_out_of_range)
        s = GeneralText(x, 17);
    // Shorten the exponent: "1.5E-07" -> "1.5E-7".
    const auto e = s.find('E');
    if (e != std::string::npos) {
        std::size_t d = e + 2;
        while (d + 1 < s.size() && s[d] == '0')
            s.erase(d, 1);
    }
    return s;
}

} // namespace

std::string StrNaCarku(double x) {
    return General(x, 15);
}
std::string StrNaCarku1(double x) {
    return General(x, 13);
}
std::string TiskPrv(long double x) {
    return General(x, 15);
}
std::string StrBottomGraf(double x) {
    return General(x, 4);
}

std::string StrMarkValue(double x) {
    if (!std::isfinite(x)) return " undefined";
    if (x == 0) return "0 E0"; // also -0
    // %E rounds the mantissa and carries into the exponent (9.9996 -> 1.000E+01).
    const std::string s = ScientificText(x, 3);
    const std::size_t e = s.find('E');
    std::string mantissa = s.substr(0, e);
    while (mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
    const int exponent = std::atoi(s.c_str() + e + 1);
    return mantissa + " E" + std::to_string(exponent);
}

std::string TCetnost(int width, int classNumber) {
    std::string s = std::to_string(classNumber);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

} // namespace tessavin
