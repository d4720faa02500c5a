// The number formatter against glibc's printf in the "C" locale, the texts that used fixed
// buffers, and every number text under a locale with a decimal comma.
#include "common/number_format.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calculation/result_text_file.h"
#include "parametric/distribution_catalogue.h"
#include "rawdata/raw_data_view.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

// printf's text in the "C" locale, in a buffer as long as it needs.
std::string Printf(const char* format, int precision, long double x) {
    const int n = std::snprintf(nullptr, 0, format, precision, x);
    std::vector<char> buf(static_cast<std::size_t>(n) + 1);
    std::snprintf(buf.data(), buf.size(), format, precision, x);
    return std::string(buf.data(), static_cast<std::size_t>(n));
}

// The whole range: signed zeros, denormals, rounding ties, the ends of double and extended.
TEST(NumberFormat, AgreesWithPrintfInTheCLocale) {
    const long double values[] = {0.0L,
                                  -0.0L,
                                  0.5L,
                                  2.5L,
                                  -1.25e-7L,
                                  0.000015L,
                                  9.99995L,
                                  123456.789L,
                                  1e100L,
                                  static_cast<double>(1e100),
                                  -3.03e100L,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<long double>::max(),
                                  std::numeric_limits<long double>::denorm_min(),
                                  std::numeric_limits<long double>::infinity(),
                                  -std::numeric_limits<long double>::infinity()};
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    for (long double x : values) {
        for (int precision : {0, 1, 3, 5, 14, 17, 30}) {
            SCOPED_TRACE(Printf("%.*Lg", 20, x) + " precision " + std::to_string(precision));
            EXPECT_EQ(FixedText(x, precision), Printf("%.*Lf", precision, x));
            EXPECT_EQ(ScientificText(x, precision), Printf("%.*LE", precision, x));
            EXPECT_EQ(GeneralText(x, precision), Printf("%.*LG", precision, x));
        }
    }
}

// The double nearest 1e100 is 10000000000000000159028911097599180468360808563945281389781327557
// 747838772170381060813469985856815104 exactly (its binary value written out in decimal): the
// five-decimal parameter text holds all 101 digits and the decimals, where a 64-byte buffer
// stopped after 63 characters.
TEST(NumberFormat, LongTextsAreWhole) {
    const std::string digits = "1000000000000000015902891109759918046836080856394528138978132755"
                               "7747838772170381060813469985856815104";
    EXPECT_EQ(FiveDecimals(1e100), digits + ".00000");
    EXPECT_EQ(FiveDecimals(-1e100), "-" + digits + ".00000");
    EXPECT_EQ(FixedText(std::numeric_limits<long double>::max(), 2).size(), 4933u + 3u);
    EXPECT_EQ(SortedValueLine(1e100, 7), digits + ".00000  |  000007");
    EXPECT_EQ(TCetnost(40, 5), std::string(39, ' ') + "5");
}

// Under a desktop locale with a decimal comma every number text keeps its point.
TEST(NumberFormat, DecimalPointUnderCzechLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8")) GTEST_SKIP() << "cs_CZ.UTF-8 is not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    const std::vector<std::pair<std::string, std::string>> texts = {
        {FixedText(12.5, 5), "12.50000"},
        {ScientificText(-1.25e-7, 3), "-1.250E-07"},
        {GeneralText(0.25, 15), "0.25"},
        {SortedValueLine(12.5, 1), "12.50000  |  000001"},
        {SortedValueLine(0.25, 2), "0.25  |  000002"},
        {FiveDecimals(3.25L), "3.25000"},
        {ResultNumberText(-2.5e-3), "-2.50000000000000E-0003"},
        {StrNaCarku(0.5), "0.5"},
        {StrMarkValue(9.99951), "1 E1"},
        {StrMarkValue(1.23456e-3), "1.235 E-3"},
    };
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_STREQ(probe, "0,5") << "the locale writes a decimal comma";
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(text, expected);
}

} // namespace
} // namespace tessavin
