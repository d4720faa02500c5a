#include "common/number_parse.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tessavin {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of s (after leading blanks) in the real syntax; 0 when none.
std::size_t RealPrefixLength(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0) return 0;
    std::size_t mantissaEnd = i;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && IsDigit(s[j]))
            ++j, ++expDigits;
        if (expDigits > 0) return j;
    }
    return mantissaEnd;
}

std::string_view SkipBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimTrailing(std::string_view s) {
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// strtod is locale-dependent only in its decimal separator; the syntax check above has already
// restricted the text to '.', which the "C" locale reads. Convert through a private buffer.
double ConvertChecked(std::string_view s) {
    std::string buf(s);
    for (char& c : buf)
        if (c == 'e') c = 'E';
    // Parse mantissa and exponent by hand so the process locale never matters.
    double sign = 1.0;
    std::size_t i = 0;
    if (buf[i] == '+' || buf[i] == '-') sign = buf[i++] == '-' ? -1.0 : 1.0;
    std::string digits;
    long exponent = 0;
    for (; i < buf.size() && IsDigit(buf[i]); ++i)
        digits += buf[i];
    if (i < buf.size() && buf[i] == '.') {
        for (++i; i < buf.size() && IsDigit(buf[i]); ++i) {
            digits += buf[i];
            --exponent;
        }
    }
    if (i < buf.size() && buf[i] == 'E') {
        ++i;
        long e = std::strtol(buf.c_str() + i, nullptr, 10);
        if (e > 100000) e = 100000;
        if (e < -100000) e = -100000;
        exponent += e;
    }
    // Exact decimal-to-binary conversion: rebuild "digitsE<exp>" and let strtod round it
    // correctly; no decimal separator is involved.
    std::string canonical =
        (digits.empty() ? std::string("0") : digits) + "E" + std::to_string(exponent);
    errno = 0;
    const double v = std::strtod(canonical.c_str(), nullptr);
    return sign * v;
}

} // namespace

std::optional<double> ParseReal(std::string_view text) {
    std::string_view s = TrimTrailing(SkipBlanks(text));
    if (s.empty()) return std::nullopt;
    const std::size_t n = RealPrefixLength(s);
    if (n == 0 || n != s.size()) return std::nullopt;
    const double v = ConvertChecked(s);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<long long> ParseWhole(std::string_view text) {
    std::string_view s = TrimTrailing(SkipBlanks(text));
    if (s.empty()) return std::nullopt;
    std::size_t i = 0;
    bool negative = false;
    if (s[0] == '+' || s[0] == '-') negative = s[i++] == '-';
    if (i == s.size()) return std::nullopt;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i])) return std::nullopt;
        if (v > (9223372036854775807LL - (s[i] - '0')) / 10) return std::nullopt;
        v = v * 10 + (s[i] - '0');
    }
    return negative ? -v : v;
}

double ParseRealPrefix(std::string_view text) {
    std::string_view s = SkipBlanks(text);
    const std::size_t n = RealPrefixLength(s);
    if (n == 0) return 0.0;
    const double v = ConvertChecked(s.substr(0, n));
    return std::isfinite(v) ? v : 0.0;
}

long long ParseWholePrefix(std::string_view text) {
    std::string_view s = SkipBlanks(text);
    std::size_t n = 0;
    if (n < s.size() && (s[n] == '+' || s[n] == '-')) ++n;
    std::size_t start = n;
    while (n < s.size() && IsDigit(s[n]) && n - start < 18)
        ++n;
    if (n == start) return 0;
    return *ParseWhole(s.substr(0, n));
}

} // namespace tessavin
