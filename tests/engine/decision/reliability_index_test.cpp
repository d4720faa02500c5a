// β from pF, the year β falls below a target, the conversion between reference periods, and the
// table of code targets.
#include "decision/reliability_index.h"

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "decision/target_presets.h"
#include "localisation/language.h"

namespace tessavin {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(ReliabilityIndex, IsTheNegatedQuantileWithInfiniteEndsAndRefusals) {
    // Φ⁻¹(0.975) = 1.959963984540054 and Φ⁻¹(1e-10) = −6.361340902404056 (standard tables).
    EXPECT_NEAR(*ReliabilityIndex(0.025) / 1.959963984540054, 1.0, 1e-15);
    EXPECT_NEAR(*ReliabilityIndex(1e-10) / 6.361340902404056, 1.0, 1e-15);
    EXPECT_EQ(*ReliabilityIndex(0.5), 0.0);
    EXPECT_EQ(*ReliabilityIndex(0.0), Inf);
    EXPECT_EQ(*ReliabilityIndex(1.0), -Inf);
    for (double bad : {-0.1, 1.5, std::nan("")})
        EXPECT_FALSE(ReliabilityIndex(bad).has_value()) << bad;
    const std::vector<double> beta = ReliabilityIndices({0.0, 0.5, 2.0});
    EXPECT_EQ(beta[0], Inf);
    EXPECT_EQ(beta[1], 0.0);
    EXPECT_TRUE(std::isnan(beta[2]));
}

TEST(ReliabilityIndex, FirstBelowTargetIsStrictAndNoneWhenNever) {
    const std::vector<double> beta = {Inf, 5.0, 4.2, 4.19, 3.0};
    EXPECT_EQ(FirstBelowTarget(beta, 4.2), 3u);  // equal is not below
    EXPECT_EQ(FirstBelowTarget(beta, 10.0), 1u); // +∞ never falls below
    EXPECT_FALSE(FirstBelowTarget(beta, 2.0).has_value());
    EXPECT_FALSE(FirstBelowTarget({}, 2.0).has_value());
}

// Φ(β_n) = Φ(β_1)^n. References computed with mpmath 1.3 at 60 digits:
// β_n = −Φ⁻¹(1 − Φ(β_1)^n) and back (Φ⁻¹ by findroot on log ncdf); EN 1990 pairs 4.7 with 3.8
// and 4.2 with 3.3 (rounded).
TEST(ReliabilityIndex, ConvertsBetweenReferencePeriods) {
    struct Case {
        double beta, from, to, expected;
    };
    const Case cases[] = {
        {4.7, 1, 50, 3.8263135277699537}, {4.2, 1, 50, 3.2085332910648663},
        {5.2, 1, 50, 4.4179444523394973}, {3.1, 1, 50, 1.6721152083811020},
        {3.8, 50, 1, 4.6782012493208868}, {3.3, 50, 1, 4.2723594352797134},
        {4.3, 50, 1, 5.0989195710275564},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ConvertReferencePeriod(c.beta, c.from, c.to), c.expected, 1e-13)
            << c.beta << " " << c.from << " -> " << c.to;
    // Both ways give back the value; the same period changes nothing; ±∞ stay.
    for (double beta : {-1.0, 0.3, 2.5, 4.7, 7.5})
        EXPECT_NEAR(ConvertReferencePeriod(ConvertReferencePeriod(beta, 1, 50), 50, 1), beta, 1e-12)
            << beta;
    EXPECT_EQ(ConvertReferencePeriod(Inf, 1, 50), Inf);
    EXPECT_EQ(ConvertReferencePeriod(-Inf, 1, 50), -Inf);
}

// The presets as the codes list them: JCSS one-year targets by consequence class and relative
// cost of safety measures, EN 1990 Table B2 one-year and 50-year targets.
TEST(TargetPresets, HoldTheCodesValuesWithTheirSources) {
    struct Expected {
        const char* id;
        double beta;
        int years;
    };
    const Expected expected[] = {
        {"jcss-minor-high", 3.1, 1},      {"jcss-minor-normal", 3.7, 1},
        {"jcss-minor-low", 4.2, 1},       {"jcss-moderate-high", 3.3, 1},
        {"jcss-moderate-normal", 4.2, 1}, {"jcss-moderate-low", 4.4, 1},
        {"jcss-large-high", 3.7, 1},      {"jcss-large-normal", 4.4, 1},
        {"jcss-large-low", 4.7, 1},       {"en1990-rc1-1y", 4.2, 1},
        {"en1990-rc1-50y", 3.3, 50},      {"en1990-rc2-1y", 4.7, 1},
        {"en1990-rc2-50y", 3.8, 50},      {"en1990-rc3-1y", 5.2, 1},
        {"en1990-rc3-50y", 4.3, 50},
    };
    ASSERT_EQ(TargetPresets().size(), std::size(expected));
    std::set<std::string> texts;
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TargetPreset& p = TargetPresets()[i];
        EXPECT_EQ(std::string(p.id), expected[i].id);
        EXPECT_EQ(p.beta, expected[i].beta) << p.id;
        EXPECT_EQ(p.referenceYears, expected[i].years) << p.id;
        EXPECT_EQ(FindTargetPreset(p.id), &p);
        const std::string code = std::string(p.id).rfind("jcss", 0) == 0 ? "JCSS" : "EN 1990";
        SetLanguage(Language::Czech);
        texts.insert(PresetText(p));
        EXPECT_NE(PresetSource(p).find(code), std::string::npos) << p.id;
        SetLanguage(Language::English);
        texts.insert(PresetText(p));
        EXPECT_NE(PresetSource(p).find(code), std::string::npos) << p.id;
    }
    EXPECT_EQ(texts.size(), 2 * std::size(expected)); // every text distinct in both languages
    EXPECT_EQ(FindTargetPreset("en1990-rc4-1y"), nullptr);
}

} // namespace
} // namespace tessavin
