#include "parametric/discretisation.h"

#include <cfenv>
#include <cmath>

#include <gtest/gtest.h>

#include "localisation/messages.h"

namespace tessavin {
namespace {

ParametricRequest Request(int type, const char* p1, const char* p2 = "1", const char* p3 = "1.5",
                          const char* p4 = "1", const char* n = "32") {
    ParametricRequest r;
    r.Type = type;
    r.Par1 = p1;
    r.Par2 = p2;
    r.Par3 = p3;
    r.Par4 = p4;
    r.IntervalCount = n;
    r.Eps = "1E-7";
    return r;
}

long double Sum(const WorkingHistogram& w) {
    long double s = 0;
    for (int i = 1; i <= w.Bins; ++i)
        s += w.P[i];
    return s;
}

double Mean(const WorkingHistogram& w) {
    long double m = 0;
    for (int i = 1; i <= w.Bins; ++i)
        m += w.P[i] * (w.Min + (i - 0.5) * w.Step);
    return static_cast<double>(m / Sum(w));
}

double StandardDeviation(const WorkingHistogram& w) {
    const double m = Mean(w);
    long double v = 0;
    for (int i = 1; i <= w.Bins; ++i) {
        const double d = w.Min + (i - 0.5) * w.Step - m;
        v += w.P[i] * d * d;
    }
    return std::sqrt(static_cast<double>(v / Sum(w)));
}

TEST(Discretise, NormalExampleRangeAndSymmetry) {
    // mu 30, sigma 3, Eps 1E-7: the walk of 0.03 steps stops at the first multiple beyond
    // sigma * sqrt(2 ln 1E7) = 5.678 sigma = 17.03, i.e. 568 steps: Min 12.96, Max 47.04.
    WorkingHistogram w;
    const BuildOutcome out = BuildParametricHistogram(Request(0, "30", "3"), w);
    ASSERT_TRUE(out.Succeeded);
    ASSERT_TRUE(out.Discretisation.Accepted);
    EXPECT_TRUE(out.Reports.empty());
    EXPECT_EQ(w.Bins, 32);
    EXPECT_NEAR(w.Min, 12.96, 1e-9);
    EXPECT_NEAR(w.Max, 47.04, 1e-9);
    EXPECT_NEAR(static_cast<double>(Sum(w)), 1.0, 1e-12);
    for (int i = 1; i <= 16; ++i) {
        EXPECT_NEAR(w.P[i], w.P[33 - i], 1e-12 * w.P[i]) << i;
        EXPECT_GT(w.P[i], 0) << "no class is zeroed at Eps 1E-7";
    }
    EXPECT_DOUBLE_EQ(static_cast<double>(w.Total), 1 / std::min(w.P[1], w.P[32]));
}

TEST(BuildParametricHistogram, IntervalCountOutOfRangeGivesMessage88) {
    for (const char* n : {"2", "1025", "abc"}) {
        WorkingHistogram w;
        w.Bins = 5;
        const BuildOutcome out = BuildParametricHistogram(Request(0, "30", "3", "1", "1", n), w);
        EXPECT_FALSE(out.Succeeded) << n;
        ASSERT_EQ(out.Reports.size(), 1u);
        EXPECT_EQ(out.Reports[0].message, 88);
        EXPECT_EQ(out.Reports[0].kind, BoxKind::Error);
        EXPECT_EQ(out.Reports[0].text, "Intervals number is not in range 3 .. 1024 :");
        EXPECT_EQ(w.Bins, 5) << "nothing built";
    }
    for (const char* n : {"3", "1024"}) {
        WorkingHistogram w;
        EXPECT_TRUE(BuildParametricHistogram(Request(0, "30", "3", "1", "1", n), w).Succeeded) << n;
    }
}

// Valid parameters for every type; the six types without a range of their own take a given range.
struct CatalogueCase {
    int type;
    const char* p[4];
    bool givenRange;
    double lo, hi;
};
const CatalogueCase kCatalogue[] = {
    {0, {"30", "3"}, false, 0, 0},
    {1, {"280", "28"}, false, 0, 0},
    {2, {"30", "3"}, false, 0, 0},
    {3, {"30", "3"}, false, 0, 0},
    {4, {"0", "1"}, false, 0, 0},
    {5, {"0", "1"}, true, -10, 10},
    {6, {"10", "2"}, false, 0, 0},
    {7, {"0", "1"}, false, 0, 0},
    {8, {"0", "1"}, false, 0, 0},
    {9, {"2", "1"}, false, 0, 0},
    {10, {"1"}, false, 0, 0},
    {11, {"1"}, true, 0, 10},
    {12, {"5"}, false, 0, 0},
    {13, {"2", "3"}, false, 0, 0},
    {14, {"2", "3", "0", "2"}, true, 0, 2},
    {15, {"3", "2"}, false, 0, 0},
    {16, {"5", "10"}, false, 0, 0},
    {17, {"1", "3"}, true, 1, 10},
    {18, {"0", "4"}, true, 0, 4},
    {19, {"0", "2", "1"}, true, 0, 2},
    {20, {"2"}, false, 0, 0},
    {21, {"4"}, false, 0, 0},
    {22, {"0.5"}, false, 0, 0},
    {23, {"10", "2", "0.5"}, false, 0, 0},
};

TEST(Discretise, EveryTypeGivesANormalisedHistogram) {
    for (const auto& c : kCatalogue) {
        for (const char* n : {"3", "32", "1024"}) {
            ParametricRequest r = Request(c.type, c.p[0], c.p[1] ? c.p[1] : "1",
                                          c.p[2] ? c.p[2] : "1.5", c.p[3] ? c.p[3] : "1", n);
            r.GivenRange = c.givenRange;
            r.GivenMin = c.lo;
            r.GivenMax = c.hi;
            WorkingHistogram w;
            const DiscretiseOutcome out = Discretise(r, w);
            SCOPED_TRACE("type " + std::to_string(c.type) + ", n = " + n);
            ASSERT_TRUE(out.Accepted);
            EXPECT_TRUE(out.Reports.empty());
            EXPECT_EQ(out.EscapedFault, MathFault::None);
            EXPECT_EQ(w.Bins, std::atoi(n));
            EXPECT_LT(w.Min, w.Max);
            for (int i = 1; i <= w.Bins; ++i)
                EXPECT_GE(w.P[i], 0.0) << i;
            EXPECT_NEAR(static_cast<double>(Sum(w)), 1.0, 1e-12);
            EXPECT_TRUE(std::isfinite(static_cast<double>(w.Total)));
            EXPECT_GT(w.Total, 0);
        }
    }
}

TEST(Discretise, MomentsOfTheDirectlyGivenTypes) {
    // Mean and standard deviation are the parameters for Normal, LogNormal_2P and
    // LogNormal_3P (whose skewness is its third parameter); 1024 classes.
    const struct {
        int type;
        const char *p1, *p2, *p3;
        double mean, sd;
    } cases[] = {{0, "30", "3", "1", 30, 3},
                 {1, "280", "28", "1", 280, 28},
                 {1, "0.2", "0.05", "1", 0.2, 0.05},
                 {23, "10", "2", "0.5", 10, 2},
                 {23, "10", "2", "-0.5", 10, 2}};
    for (const auto& c : cases) {
        WorkingHistogram w;
        ASSERT_TRUE(Discretise(Request(c.type, c.p1, c.p2, c.p3, "1", "1024"), w).Accepted);
        EXPECT_NEAR(Mean(w), c.mean, 1e-4 * c.mean) << c.type;
        EXPECT_NEAR(StandardDeviation(w), c.sd, 1e-3 * c.sd) << c.type;
    }
}

TEST(Discretise, UniformDensityGivesEqualProbabilities) {
    ParametricRequest r = Request(18, "2", "6", "1", "1", "8");
    r.GivenRange = true;
    r.GivenMin = 2;
    r.GivenMax = 6;
    WorkingHistogram w;
    ASSERT_TRUE(Discretise(r, w).Accepted);
    for (int i = 1; i <= 8; ++i)
        EXPECT_DOUBLE_EQ(w.P[i], 1.0 / 8);
    EXPECT_DOUBLE_EQ(static_cast<double>(w.Total), 8.0);
}

TEST(Discretise, GivenRangeLeavesClassesBelowTheCutEmpty) {
    ParametricRequest r = Request(4, "0", "2", "1", "1", "8"); // raised cosine on [-2, 2]
    r.GivenRange = true;
    r.GivenMin = 0;
    r.GivenMax = 10;
    WorkingHistogram w;
    ASSERT_TRUE(Discretise(r, w).Accepted);
    EXPECT_EQ(w.Min, -2);
    EXPECT_EQ(w.Max, 2);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(w.P[i], 0.0) << i;
    for (int i = 5; i <= 8; ++i)
        EXPECT_GT(w.P[i], 0.0) << i;
}

TEST(Discretise, RefusalsLeaveNoHistogramAndNoMessage) {
    const ParametricRequest refused[] = {
        Request(0, "30", "0"),  // sigma must be positive
        Request(1, "-1", "2"),  // mu must be positive
        Request(5, "0", "1"),   // Cauchy has no range of its own
        Request(0, "abc", "3"), // not a number
    };
    for (const ParametricRequest& r : refused) {
        WorkingHistogram w;
        const BuildOutcome out = BuildParametricHistogram(r, w);
        EXPECT_TRUE(out.Succeeded) << r.Type;
        EXPECT_FALSE(out.Discretisation.Accepted) << r.Type;
        EXPECT_TRUE(out.Reports.empty()) << r.Type;
        EXPECT_EQ(w.Bins, 0) << "storing it keeps the previous histogram";
    }
}

TEST(Discretise, MathFaultIsReportedWithTheErrorHeader) {
    // A Student fit to a sample with standard deviation exactly 1 divides by zero.
    ParametricRequest r = Request(12, "0");
    r.FitToData = true;
    r.Sample.meanText = "0";
    r.Sample.sigmaText = "1";
    r.Sample.xmin = -3;
    r.Sample.xmax = 3;
    WorkingHistogram w;
    const DiscretiseOutcome out = Discretise(r, w);
    EXPECT_FALSE(out.Accepted);
    ASSERT_EQ(out.Reports.size(), 1u);
    EXPECT_EQ(out.Reports[0].message, 101);
    EXPECT_EQ(out.Reports[0].text,
              "        Error in procedure VypParaRoz : \r\n\r\nParametric distribution = "
              "Studentovo\r\n\r\n       D i v i s i o n  by zero !");
    EXPECT_EQ(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW), 0)
        << "no flag is left raised for the caller";
}

TEST(Discretise, FitsTakeTheSampleAndItsRefusals) {
    ParametricRequest r = Request(0, "0");
    r.FitToData = true;
    r.IntervalCount = "16";
    r.Sample.meanText = "30";
    r.Sample.sigmaText = "3";
    r.Sample.xmin = 20;
    r.Sample.xmax = 40;
    r.Sample.median = 30;
    r.Sample.mode = 30;
    WorkingHistogram w;
    DiscretiseOutcome out = Discretise(r, w);
    ASSERT_TRUE(out.Accepted);
    EXPECT_EQ(out.ParameterText, "Mi=30,Sigma=3)");
    EXPECT_NEAR(w.Min, 12.96, 1e-9) << "data range does not cut the density off: searched";

    r.Type = 5;
    EXPECT_FALSE(Discretise(r, w).Accepted);

    // All values equal, far in the tail: the data range is kept and its class width is zero.
    r.Type = 0;
    r.Sample.sigmaText = "0.001";
    r.Sample.xmin = r.Sample.xmax = 50;
    out = Discretise(r, w);
    EXPECT_FALSE(out.Accepted);
    EXPECT_TRUE(out.Reports.empty());
}

TEST(Discretise, FitWideningTakesTheDataRange) {
    // LogNormal_2P fitted to data whose mode lies in the lower half of [Xmin, Xmax]: the
    // range grows to the data range where the search stopped short of it.
    ParametricRequest r = Request(1, "0");
    r.FitToData = true;
    r.Sample.meanText = "10";
    r.Sample.sigmaText = "1";
    r.Sample.xmin = 9;
    r.Sample.xmax = 100;
    r.Sample.mode = 10;
    WorkingHistogram w;
    ASSERT_TRUE(Discretise(r, w).Accepted);
    EXPECT_EQ(w.Max, 100);
}

TEST(BuildParametricHistogram, TrimsEmptyEndClasses) {
    // Zeroing of classes whose whole frequency would round to 0: with a huge Eps-range the end
    // classes carry nothing and are trimmed away; the range still ends on class edges.
    ParametricRequest r = Request(0, "0", "1", "1", "1", "1024");
    r.Eps = "1E-300";
    WorkingHistogram w;
    const BuildOutcome out = BuildParametricHistogram(r, w);
    ASSERT_TRUE(out.Succeeded);
    EXPECT_LT(w.Bins, 1024);
    EXPECT_GT(w.P[1], 0);
    EXPECT_GT(w.P[w.Bins], 0);
    EXPECT_NEAR(w.Max - w.Min, w.Bins * w.Step, 1e-9);
    EXPECT_GT(w.Min, out.MinBeforeTrim);
}

} // namespace
} // namespace tessavin
