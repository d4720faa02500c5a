#include "common/number_parse.h"

#include <clocale>

#include <gtest/gtest.h>

namespace tessavin {
namespace {

TEST(ParseReal, AcceptsTheSystemSyntax) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"2.2E-13", 2.2E-13}, {"3", 3},    {"-1.5", -1.5}, {"+4", 4},      {"1e6", 1e6},
                 {" 0.25 ", 0.25},     {".5", 0.5}, {"5.", 5},      {"1E+3", 1000}, {"0.1", 0.1}};
    for (const auto& c : cases) {
        const auto v = ParseReal(c.text);
        ASSERT_TRUE(v) << c.text;
        EXPECT_EQ(*v, c.value) << c.text;
    }
}

TEST(ParseReal, RefusesWhatIsNotANumber) {
    for (const char* text :
         {"", " ", "abc", "1,5", "1E", "E5", "1.2.3", "--1", "1e5x", "inf", "nan", "1E999"})
        EXPECT_FALSE(ParseReal(text)) << text;
}

TEST(ParseReal, IgnoresACommaLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(*ParseReal("12.5"), 12.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ParseWhole, SignedDecimalIntegers) {
    EXPECT_EQ(*ParseWhole("  32"), 32);
    EXPECT_EQ(*ParseWhole("-1"), -1);
    EXPECT_FALSE(ParseWhole("3.0"));
    EXPECT_FALSE(ParseWhole("1E3"));
    EXPECT_FALSE(ParseWhole(""));
    EXPECT_FALSE(ParseWhole("99999999999999999999"));
}

TEST(ParsePrefix, ValueUpToTheError) {
    EXPECT_EQ(ParseRealPrefix("2.5abc"), 2.5);
    EXPECT_EQ(ParseRealPrefix("abc"), 0.0);
    EXPECT_EQ(ParseRealPrefix("1E"), 1.0);
    EXPECT_EQ(ParseWholePrefix("150x"), 150);
    EXPECT_EQ(ParseWholePrefix("x"), 0);
}

} // namespace
} // namespace tessavin
