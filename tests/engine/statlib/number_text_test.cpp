#include "statlib/number_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace tessavin {
namespace {

// Reads a text back the way the program does: decimal point, whatever the process locale.
double ReadBack(const std::string& text) {
    double value = std::numeric_limits<double>::quiet_NaN();
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(ec, std::errc()) << text;
    EXPECT_EQ(end, text.data() + text.size()) << "trailing characters in " << text;
    return value;
}

constexpr double kValues[] = {
    0.0,
    0.1,
    1.0 / 3,
    -2.0 / 3,
    0.5,
    -7.25,
    123456789.125,
    1e-300,
    4.9e-324 /* smallest denormal */,
    2.2250738585072014e-308,
    1e300,
    -1e300,
    1.7976931348623e308,
    6.02214076e23,
    -1.602176634e-19,
};

std::string Exact(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

TEST(NumberTextTest, TextsReadBackWithin1e12Relative) {
    using Convert = std::string (*)(double);
    const std::pair<const char*, Convert> converters[] = {
        {"StrNaCarku", StrNaCarku},
        {"StrNaCarku1", StrNaCarku1},
        {"TiskPrv", [](double x) { return TiskPrv(x); }},
    };
    for (const auto& [name, convert] : converters) {
        for (double x : kValues) {
            const std::string text = convert(x);
            SCOPED_TRACE(std::string(name) + "(" + Exact(x) + ") = " + text);
            const double back = ReadBack(text);
            // Zero and the smallest denormal must read back exactly.
            EXPECT_NEAR(back, x, std::abs(x) * 1e-12);
        }
    }
}

TEST(NumberTextTest, LargestDoubleReadsBack) {
    // 1.7976931348623157e308 rounded to 15 digits is 1.79769313486232E+308, above the largest
    // double: such a text reads back as out of range. 13 digits round down and are fine.
    const double largest = std::numeric_limits<double>::max();
    for (const std::string& text :
         {StrNaCarku(largest), StrNaCarku1(largest), TiskPrv(largest), StrNaCarku(-largest)}) {
        SCOPED_TRACE(text);
        EXPECT_NEAR(std::abs(ReadBack(text)), largest, largest * 1e-12);
    }
}

TEST(NumberTextTest, BarLabelKeepsFourDigits) {
    EXPECT_NEAR(ReadBack(StrBottomGraf(1.0 / 3)), 1.0 / 3, 1.0 / 3 * 5e-4);
    EXPECT_NEAR(ReadBack(StrBottomGraf(-12345.678)), -12345.678, 12345.678 * 5e-4);
}

TEST(NumberTextTest, BarMarkIsShortScientific) {
    // Pattern "#.### E-": mantissa of at most 4 digits, exponent signed only when negative.
    const struct {
        double x;
        const char* text;
    } cases[] = {
        {0.0012346, "1.235 E-3"}, {0.25, "2.5 E-1"},       {1, "1 E0"},    {25, "2.5 E1"},
        {9.9996, "1 E1"},         {-0.5, "-5 E-1"},        {0, "0 E0"},    {-0.0, "0 E0"},
        {1e-300, "1 E-300"},      {123456789, "1.235 E8"}, {0.1, "1 E-1"}, {1.0 / 3, "3.333 E-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrMarkValue(c.x), c.text) << c.x;
}

TEST(NumberTextTest, NonFiniteValuesAreUndefined) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double x : {nan, inf, -inf}) {
        EXPECT_EQ(StrNaCarku(x), " undefined");
        EXPECT_EQ(StrNaCarku1(x), " undefined");
        EXPECT_EQ(TiskPrv(x), " undefined");
        EXPECT_EQ(StrBottomGraf(x), " undefined");
        EXPECT_EQ(StrMarkValue(x), " undefined");
    }
}

TEST(NumberTextTest, DecimalPointEvenUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const char* const commaLocales[] = {"cs_CZ.UTF-8", "cs_CZ.utf8", "de_DE.UTF-8", "de_DE.utf8"};
    const char* active = nullptr;
    for (const char* name : commaLocales)
        if ((active = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
    if (active == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string a = StrNaCarku(0.5), b = StrNaCarku1(-1.25e-7), c = TiskPrv(2.75L);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(a, "0.5");
    EXPECT_EQ(b.find(','), std::string::npos) << b;
    EXPECT_NEAR(ReadBack(b), -1.25e-7, 1.25e-7 * 1e-12);
    EXPECT_EQ(c, "2.75");
}

TEST(NumberTextTest, ClassNumberIsRightAligned) {
    EXPECT_EQ(TCetnost(4, 7), "   7");
    EXPECT_EQ(TCetnost(4, 1024), "1024");
    EXPECT_EQ(TCetnost(4, 12345), "12345") << "a wider number is not cut";
}

} // namespace
} // namespace tessavin
