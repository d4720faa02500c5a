#include "common/number_format.h"

#include <charconv>

namespace tessavin {
namespace {

std::string Format(long double x, std::chars_format format, int precision) {
    // A fixed text of a large value runs to thousands of digits: grow until it fits.
    std::string s(64, '\0');
    for (;;) {
        const auto [end, ec] = std::to_chars(s.data(), s.data() + s.size(), x, format, precision);
        if (ec == std::errc{}) {
            s.resize(static_cast<std::size_t>(end - s.data()));
            return s;
        }
        s.resize(s.size() * 4);
    }
}

// ASCII only: toupper would follow LC_CTYPE.
std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

} // namespace

std::string FixedText(long double x, int decimals) {
    return Format(x, std::chars_format::fixed, decimals);
}

std::string ScientificText(long double x, int decimals) {
    return Upper(Format(x, std::chars_format::scientific, decimals));
}

std::string GeneralText(long double x, int digits) {
    return Upper(Format(x, std::chars_format::general, digits));
}

} // namespace tessavin
