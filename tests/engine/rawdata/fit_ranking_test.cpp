// Fitting every parametric distribution to a sample and ranking the fits.
#include "rawdata/fit_ranking.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "localisation/messages.h"

namespace tessavin {
namespace {

// A sample of n values at the quantiles (i - 1/2)/n of a distribution: no random numbers.
template <class Quantile> RawSample QuantileSample(int n, Quantile q) {
    std::string text;
    char buf[40];
    for (int i = 1; i <= n; ++i) {
        std::snprintf(buf, sizeof buf, "%.17g\n", q((i - 0.5) / n));
        text += buf;
    }
    return std::get<RawSample>(ParseRawData(text));
}

// Weibull k = 3, lambda = 10: x = lambda (-ln(1 - u))^(1/k).
RawSample WeibullSample() {
    return QuantileSample(400, [](double u) { return 10 * std::pow(-std::log(1 - u), 1 / 3.0); });
}

FitContext Context(const RawSample& s, int intervals) {
    FitSettings settings;
    settings.intervals = intervals;
    settings.min = ThroughDisplayText(s.minimum);
    settings.max = ThroughDisplayText(s.maximum);
    auto made = FitContext::Make(s, settings);
    if (const auto* f = std::get_if<Failure>(&made)) ADD_FAILURE() << f->text;
    return std::get<FitContext>(made);
}

TEST(FitAcceptance, TightnessBetweenOneTenThousandthAndOne) {
    const std::pair<double, bool> cases[] = {{1.0, true},     {0.5, true},  {0.00005, false},
                                             {0.0001, false}, {1.2, false}, {0.0, false},
                                             {-3.0, false},   {NAN, false}};
    for (const auto& [t, accepted] : cases)
        EXPECT_EQ(IsAcceptedTightness(t), accepted) << t;
}

TEST(FitSort, DescendingWithTheSelectionSortOrderOfTies) {
    struct Case {
        std::vector<double> tightness; // of types 0, 1, 2, ...
        std::vector<int> order;        // types at positions 0, 1, 2, ... after sorting
    };
    const Case cases[] = {
        {{0.2, 0.9, 0.5}, {1, 2, 0}},
        // Equal 0.5s: swapping 0.9 to the front moves type 0 behind type 1.
        {{0.5, 0.5, 0.9}, {2, 1, 0}},
        // Equal 0.9s: the first one found stays first.
        {{0.9, 0.3, 0.9}, {0, 2, 1}},
        {{0, 0, 0}, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        std::array<FitEntry, DistributionCount> entries;
        for (int i = 0; i < DistributionCount; ++i) {
            entries[i].type = i;
            entries[i].parameterText = std::to_string(i);
            if (i < static_cast<int>(c.tightness.size())) entries[i].tightness = c.tightness[i];
        }
        double sum = 0;
        for (double t : c.tightness)
            sum += t;
        EXPECT_NEAR(SortCandidates(entries), sum, 1e-15);
        for (std::size_t s = 0; s < c.order.size(); ++s) {
            EXPECT_EQ(entries[s].type, c.order[s]) << "position " << s;
            EXPECT_EQ(entries[s].parameterText, std::to_string(c.order[s])); // moved together
        }
    }
}

TEST(FitRanking, WeibullSampleRanksWeibullWithItsShape) {
    const FitContext context = Context(WeibullSample(), 16);
    int ranked = 0;
    for (DistributionType t = 0; t < DistributionCount; ++t)
        ranked += Distribution(t).ranked;
    std::vector<int> progress;
    const FitRanking r = RankParametricFits(context, [&](int done, int total) {
        EXPECT_EQ(total, ranked);
        progress.push_back(done);
    });
    ASSERT_TRUE(r.completed);
    EXPECT_TRUE(r.reports.empty());
    ASSERT_EQ(progress.size(), static_cast<std::size_t>(ranked));
    for (int i = 0; i < ranked; ++i)
        EXPECT_EQ(progress[i], i + 1);

    // Best first; accepted entries hold a tightness in (0.0001, 1], the rest 0.
    for (int i = 0; i + 1 < DistributionCount; ++i)
        EXPECT_GE(r.entries[i].tightness, r.entries[i + 1].tightness);
    int accepted = 0;
    for (const FitEntry& e : r.entries) {
        if (e.type == 18 || e.type == 19) {
            EXPECT_EQ(e.tightness, 0.0);
        }
        if (e.tightness == 0) continue;
        ++accepted;
        EXPECT_TRUE(IsAcceptedTightness(e.tightness));
        EXPECT_EQ(e.parameterText.find(')'), std::string::npos);
    }
    ASSERT_EQ(r.acceptedCount(), accepted);
    ASSERT_EQ(r.rowTypes.size(), r.rows.size());
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(r.rowTypes[i - 1], r.rowTypes[i]); // in type order
        }
        EXPECT_EQ(r.rows[i].fields[0], FitTypeName(r.rowTypes[i]));
    }
    EXPECT_EQ(r.sampleRow.fields[0], "Prvotní data");
    EXPECT_GT(r.listLength, 0);
    EXPECT_LE(r.listLength, r.acceptedCount());

    // The sample was drawn from Weibull k = 3: the scan finds a shape near it (16 classes of
    // 400 values; 0.5 allows for the class width) and the fit is close.
    EXPECT_NEAR(r.weibullShape, 3.0, 0.5);
    const auto weibull = std::find_if(r.entries.begin(), r.entries.end(),
                                      [](const FitEntry& e) { return e.type == 9; });
    EXPECT_GT(weibull->tightness, 0.95);
    EXPECT_EQ(weibull->parameterText.rfind("k=", 0), 0u) << weibull->parameterText;
    EXPECT_EQ(r.entries[0].type, 9);
}

TEST(FitRanking, EqualClassProbabilitiesAcceptNothing) {
    // One value in each of 16 classes over [0, 16], placed off-centre so that the sample is
    // skewed: D2 = 0, so every tightness is 0 and message 110 reports it.
    std::string text;
    for (int i = 0; i < 16; ++i)
        text += std::to_string(i + (i < 12 ? 0.2 : 0.9)) + "\n";
    RawSample s = std::get<RawSample>(ParseRawData(text));
    FitSettings settings;
    settings.intervals = 16;
    settings.min = 0;
    settings.max = 16;
    const FitRanking r = RankParametricFits(std::get<FitContext>(FitContext::Make(s, settings)));
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.acceptedCount(), 0);
    EXPECT_EQ(r.listLength, 0);
    ASSERT_EQ(r.reports.size(), 1u);
    EXPECT_EQ(r.reports[0].message, 110);
    EXPECT_EQ(r.reports[0].text, TextCis(110));
    for (const FitEntry& e : r.entries)
        EXPECT_EQ(e.tightness, 0.0);
}

TEST(FitRanking, AFaultingTypeIsRefusedAloneAndTheRankingGoesOn) {
    // A perfectly symmetric sample has skewness 0, on which the LogNormal_3P estimate divides
    // by zero: that type alone is refused with the fault, the others are ranked as usual.
    const RawSample s =
        QuantileSample(200, [](double u) { return 50 + 4 * std::log(u / (1 - u)); });
    const FitRanking r = RankParametricFits(Context(s, 16));
    ASSERT_TRUE(r.completed);
    EXPECT_TRUE(r.reports.empty());
    EXPECT_GT(r.acceptedCount(), 3);
    EXPECT_GT(r.listLength, 0);
    // A logistic sample: Logistic fits it best.
    EXPECT_EQ(r.entries[0].type, 8);

    // Every type is either ranked or refused, once, with a reason.
    std::array<int, DistributionCount> seen{};
    for (DistributionType t : r.rowTypes)
        ++seen[t];
    const RefusedFit* logNormal3 = nullptr;
    for (const RefusedFit& f : r.refused) {
        ++seen[f.type];
        if (f.type == 23) logNormal3 = &f;
        if (f.type == 18 || f.type == 19) {
            EXPECT_EQ(f.reason, FitRefusal::NotEvaluated);
        }
        if (f.reason == FitRefusal::TightnessOutOfRange) {
            EXPECT_FALSE(IsAcceptedTightness(f.tightness)) << f.type;
        } else {
            EXPECT_EQ(f.tightness, 0.0) << f.type;
        }
    }
    for (int t = 0; t < DistributionCount; ++t)
        EXPECT_EQ(seen[t], 1) << "type " << t;
    ASSERT_NE(logNormal3, nullptr);
    EXPECT_EQ(logNormal3->reason, FitRefusal::MathFault);
    EXPECT_NE(logNormal3->message.find("LogNormal_3P"), std::string::npos) << logNormal3->message;
    EXPECT_NE(logNormal3->message.find(TextCis(101)), std::string::npos) << logNormal3->message;
    const auto entry = std::find_if(r.entries.begin(), r.entries.end(),
                                    [](const FitEntry& e) { return e.type == 23; });
    EXPECT_EQ(entry->tightness, 0.0);
}

TEST(FitContextSettings, RefusesBadEpsAndRange) {
    const RawSample s = WeibullSample();
    struct Case {
        std::string eps;
        int intervals;
        double min, max;
        int message;
    };
    const Case cases[] = {{"abc", 16, 0, 20, 129}, {"0", 16, 0, 20, 97},   {"-1E-7", 16, 0, 20, 97},
                          {"2", 16, 0, 20, 0},     {"1E-7", 2, 0, 20, 88}, {"1E-7", 16, 20, 0, 0}};
    for (const Case& c : cases) {
        FitSettings settings{c.intervals, c.eps, c.min, c.max, HistogramKind::Discrete};
        const auto made = FitContext::Make(s, settings);
        ASSERT_TRUE(std::holds_alternative<Failure>(made)) << c.eps << " " << c.intervals;
        EXPECT_EQ(std::get<Failure>(made).message, c.message) << c.eps;
    }
}

} // namespace
} // namespace tessavin
