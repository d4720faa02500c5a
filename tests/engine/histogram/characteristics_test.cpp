#include "histogram/characteristics.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "localisation/language.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

// Switches the language for one test and restores English afterwards.
class CharacteristicsTest : public ::testing::Test {
  protected:
    void TearDown() override { SetLanguage(Language::English); }
};

// The line of the text that starts with label, without its CR LF.
std::string LineOf(const std::string& text, const std::string& label) {
    const auto start = text.find("\r\n" + label);
    if (start == std::string::npos) return "<no line " + label + ">";
    const auto end = text.find("\r\n", start + 2);
    return text.substr(start + 2, end - start - 2);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& line : lines)
        s += line + "\r\n";
    return s;
}

TEST_F(CharacteristicsTest, WholeTextOfASmallHistogramInBothLanguages) {
    // P = (1/4, 1/2, 1/4) at 1, 2, 3 standing for t = 4 values. By hand: range 0.5 .. 3.5,
    // mean 2, variance 1/2, sigma = sqrt(1/2) = 0.70710678118654..., mean |x - 2| = 1/2,
    // c = 100 sigma / 2 = 35.355339059327..., skewness 0, g2 = 0.5/0.25 - 3 = -1,
    // G2 = (5 * -1 + 6) * 3 / (2 * 1) = 1.5, concentration 4.5; median and mode 2.
    const std::vector<double> p{0.25, 0.5, 0.25};
    const std::string rule(40, '_');
    // clang-format off
    const std::string english = Joined({
        "Histogram : test", rule, "", "   B a s i c", "",
        "Min                              \t\t0.5",
        "Max                              \t\t3.5",
        "Number of intervals              \t" + std::string(12 + 7, ' ') + "3",
        "frequency numbers                \t4",
        "Average                          \t2",
        "Dispersion                       \t0.5",
        "standard deviation               \t0.7071067811865",
        "Average (central) deviation      \t0.5",
        "Coefficient of variation [%]     \t35.35533905933",
        "Coefficient of skewness          \t0",
        "Coefficient of concentration     \t4.5",
        "Coefficient of kurtosis (express)\t1.5", "", rule, "",
        "\t   M e d i a n    \t2", "\t   M o d e        \t2", ""});
    const std::string czech = Joined({
        "Histogram : test", rule, "", "   Z á k l a d n í", "",
        "Min                           \t\t0.5",
        "Max                           \t\t3.5",
        "Počet intervalů               \t\t" + std::string(12 + 7, ' ') + "3",
        "Součet četností               \t4",
        "Střední hodnota               \t2",
        "Rozptyl                       \t\t0.5",
        "Směrodatná odchylka           \t0.7071067811865",
        "Průměrná (střední) odchylka   \t0.5",
        "Variační koeficient [%]       \t35.35533905933",
        "Koeficient šikmosti           \t0",
        "Koeficient koncentrace        \t4.5",
        "Koeficient špičatosti (excesu)\t1.5", "", rule, "",
        "\t   M e d i a n    \t2", "\t   M o d e        \t2", ""});
    // clang-format on

    const auto result = HistogramCharacteristics("Histogram : test", p, 3, 1, 3, 4);
    EXPECT_EQ(result.text, english);
    EXPECT_EQ(result.skewness, 0.0);
    SetLanguage(Language::Czech);
    EXPECT_EQ(HistogramCharacteristics("Histogram : test", p, 3, 1, 3, 4).text, czech);
}

TEST_F(CharacteristicsTest, TwoClassesGiveMessage215) {
    const std::vector<double> p{0.5, 0.5};
    for (Language language : {Language::English, Language::Czech}) {
        SetLanguage(language);
        const auto result = HistogramCharacteristics("Histogram : x", p, 2, 1, 2, 10);
        EXPECT_EQ(result.text, TextCis(215));
        EXPECT_TRUE(std::isnan(result.skewness));
    }
}

TEST_F(CharacteristicsTest, ClassCountPaddingAndTabs) {
    struct Case {
        int n;
        int blanks;
    };
    // Padding before the seven-blank count text: 12 below 10 classes, 11 below 100,
    // 9 below 1000, 8 from 1000.
    const Case cases[] = {{3, 12},  {9, 12},  {10, 11},  {32, 11}, {99, 11},
                          {100, 9}, {999, 9}, {1000, 8}, {1024, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE("n = " + std::to_string(c.n));
        const std::vector<double> p(c.n, 1.0 / c.n);
        const std::string count = std::string(c.blanks + 7, ' ') + std::to_string(c.n);

        SetLanguage(Language::English);
        std::string text = HistogramCharacteristics("H", p, c.n, 1, c.n, 100).text;
        EXPECT_EQ(LineOf(text, "Number of intervals"),
                  "Number of intervals              \t" + count);
        const std::string variance = LineOf(text, "Dispersion");
        ASSERT_GT(variance.size(), 34u);
        EXPECT_EQ(variance[33], '\t');
        EXPECT_NE(variance[34], '\t');

        SetLanguage(Language::Czech);
        text = HistogramCharacteristics("H", p, c.n, 1, c.n, 100).text;
        EXPECT_EQ(LineOf(text, "Počet intervalů"), "Počet intervalů               \t\t" + count);
        EXPECT_EQ(LineOf(text, "Rozptyl").substr(30, 2), "\t\t");
    }
}

TEST_F(CharacteristicsTest, MinAndMaxAreRangeEdgesNotClassValues) {
    struct Case {
        double xFirst, xLast;
        int n;
        const char* min;
        const char* max;
    };
    // Class width w = (xLast - xFirst)/(n - 1); edges half a class beyond the end values.
    const Case cases[] = {
        {1, 10, 10, "0.5", "10.5"}, // w = 1
        {100, 250, 4, "75", "275"}, // w = 50
        {-3, 3, 4, "-4", "4"},      // w = 2
    };
    for (const Case& c : cases) {
        const std::vector<double> p(c.n, 1.0 / c.n);
        const std::string text = HistogramCharacteristics("H", p, c.n, c.xFirst, c.xLast, 50).text;
        EXPECT_EQ(LineOf(text, "Min "),
                  std::string("Min                              \t\t") + c.min);
        EXPECT_EQ(LineOf(text, "Max "),
                  std::string("Max                              \t\t") + c.max);
    }
}

TEST_F(CharacteristicsTest, SymmetricHistogramHasNoSkewAndEqualDistancesToTheEdges) {
    // Binomial weights C(31, i - 1)/2^31 over 32 classes at 10, 20, ..., 320: symmetric about 165.
    std::vector<double> p(32);
    double c = 1;
    for (int i = 0; i < 32; ++i) {
        p[i] = std::ldexp(c, -31);
        c = c * (31 - i) / (i + 1);
    }
    const auto result = HistogramCharacteristics("H", p, 32, 10, 320, 1000);
    EXPECT_NEAR(result.skewness, 0.0, 1e-12);
    // Range 5 .. 325, mean 165: 160 either side.
    EXPECT_EQ(LineOf(result.text, "Min "), "Min                              \t\t5");
    EXPECT_EQ(LineOf(result.text, "Max "), "Max                              \t\t325");
    EXPECT_EQ(LineOf(result.text, "Average "), "Average                          \t165");
    EXPECT_NE(result.text.find("M e d i a n    \t165\r\n"), std::string::npos);
}

TEST_F(CharacteristicsTest, SuppressedTextStillComputesTheSkewness) {
    const std::vector<double> p{0.5, 0.25, 0.25};
    const auto shown = HistogramCharacteristics("H", p, 3, 0, 2, 10);
    const auto hidden = HistogramCharacteristics("H", p, 3, 0, 2, 10, true);
    EXPECT_TRUE(hidden.text.empty());
    EXPECT_FALSE(shown.text.empty());
    // 27 sqrt(10/11)/44 from the exact moments (see the statistics tests).
    EXPECT_NEAR(hidden.skewness, 27 * std::sqrt(10.0 / 11) / 44, 1e-14);
    EXPECT_EQ(hidden.skewness, shown.skewness);
    EXPECT_TRUE(HistogramCharacteristics("H", p, 2, 0, 2, 10, true).text.empty());
}

} // namespace
} // namespace tessavin
