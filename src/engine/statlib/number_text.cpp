#include "statlib/number_text.h"

#include <cmath>
#include <cstdio>

namespace tessavin {
namespace {

// printf's %G in the "C" locale of the formatting, exponent written as E+05 -> E+5 kept short.
std::string General(long double x, int digits) {
    if (!std::isfinite(x)) return " undefined";
    if (x == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*LG", digits, x);
    std::string s(buf);
    // printf honours LC_NUMERIC; the system's texts always carry a decimal point.
    for (char& c : s)
        if (c == ',') c = '.';
    // Shorten the exponent: "1.5E-07" -> "1.5E-7", "2E+20" -> "2E+20".
    const auto e = s.find('E');
    if (e != std::string::npos) {
        std::size_t d = e + 2;
        while (d + 1 < s.size() && s[d] == '0') s.erase(d, 1);
    }
    return s;
}

} // namespace

std::string StrNaCarku(double x) { return General(x, 15); }
std::string StrNaCarku1(double x) { return General(x, 13); }
std::string TiskPrv(long double x) { return General(x, 15); }
std::string StrBottomGraf(double x) { return General(x, 4); }

std::string TCetnost(int width, int classNumber) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%*d", width, classNumber);
    return buf;
}

} // namespace tessavin
