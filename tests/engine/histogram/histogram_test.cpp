#include "histogram/histogram.h"

#include <gtest/gtest.h>

namespace tessavin {
namespace {

ClassArray Classes(std::initializer_list<double> values) {
    ClassArray p{};
    int i = 1;
    for (double v : values)
        p[i++] = v;
    return p;
}

TEST(TrimZeroEndClasses, DropsEmptyEndsKeepsInteriorZeros) {
    // (0, 0, a, 0, b, 0, 0) with First = 10, Step = 1 -> (a, 0, b), First 12, Last 14, Span 2.
    ClassArray p = Classes({0, 0, 0.3, 0, 0.7, 0, 0});
    double first = 10, last = 16, span = -1;
    int bins = 7;
    TrimZeroEndClasses(p, first, last, bins, 1.0, span);
    EXPECT_EQ(bins, 3);
    EXPECT_DOUBLE_EQ(first, 12);
    EXPECT_DOUBLE_EQ(last, 14);
    EXPECT_DOUBLE_EQ(span, 2);
    EXPECT_EQ(p[1], 0.3);
    EXPECT_EQ(p[2], 0.0);
    EXPECT_EQ(p[3], 0.7);
}

TEST(TrimZeroEndClasses, UntouchedWhenBothEndsHoldProbability) {
    ClassArray p = Classes({0.2, 0, 0, 0.8});
    const ClassArray before = p;
    double first = 1, last = 4, span = -1;
    int bins = 4;
    TrimZeroEndClasses(p, first, last, bins, 1.0, span);
    EXPECT_EQ(bins, 4);
    EXPECT_EQ(p, before);
    EXPECT_EQ(span, -1) << "span is written only when something was trimmed";
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 4);
}

TEST(TrimZeroEndClasses, AllZeroGivesNoClassesAndStoreKeepsTarget) {
    WorkingHistogram w;
    w.Bins = 5;
    w.Min = 0;
    w.Max = 5;
    w.Step = 1;
    TrimWorkingHistogram(w);
    EXPECT_EQ(w.Bins, 0);

    DiscreteHistogram target;
    target.Bins = 3;
    target.XFirst = 7;
    target.P[1] = 1;
    StoreWorkingHistogram(w, target);
    EXPECT_EQ(target.Bins, 3);
    EXPECT_EQ(target.XFirst, 7);
    EXPECT_EQ(target.P[1], 1);
}

TEST(TrimWorkingHistogram, RangeEndsOnTheEdgesOfTheKeptClasses) {
    WorkingHistogram w;
    w.Bins = 6;
    w.Min = 10;
    w.Step = 2;
    w.Max = 22;
    w.P = Classes({0, 0.5, 0, 0.5, 0, 0});
    TrimWorkingHistogram(w);
    EXPECT_EQ(w.Bins, 3);
    EXPECT_DOUBLE_EQ(w.Min, 12);
    EXPECT_DOUBLE_EQ(w.Max, 18);
    EXPECT_DOUBLE_EQ(w.Span, 6);
}

TEST(StoreWorkingHistogram, ConvertsRangeFormToClassValues) {
    WorkingHistogram w;
    w.Bins = 1024;
    w.Min = 0;
    w.Max = 1024;
    w.Step = 1;
    w.Total = 12345.0L;
    for (int i = 1; i <= MaxBins; ++i)
        w.P[i] = 1.0 / MaxBins;
    DiscreteHistogram h;
    StoreWorkingHistogram(w, h);
    EXPECT_EQ(h.Bins, 1024);
    EXPECT_DOUBLE_EQ(h.XFirst, 0.5);
    EXPECT_DOUBLE_EQ(h.XLast, 1023.5);
    EXPECT_DOUBLE_EQ(h.Step, 1.0);
    EXPECT_EQ(h.Total, 12345.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(ProbabilitySum(h)), 1.0);
    EXPECT_DOUBLE_EQ(ClassLower(h, 1), 0.0);
    EXPECT_DOUBLE_EQ(ClassUpper(h, 1024), 1024.0);
}

TEST(StoreWorkingHistogram, OneClassKeepsItsStep) {
    WorkingHistogram w;
    w.Bins = 1;
    w.Min = 4;
    w.Max = 6;
    w.Step = 2;
    w.P[1] = 1;
    DiscreteHistogram h;
    StoreWorkingHistogram(w, h);
    EXPECT_EQ(h.Bins, 1);
    EXPECT_EQ(h.Step, 2.0);
    EXPECT_EQ(h.XFirst, 5.0);
    EXPECT_EQ(h.XLast, 5.0);
}

TEST(ClassValue, LowerEdgeStandsForTheClass) {
    // XFirst = 20, Step = 2: class 1 is represented by 19, class 2 by 21.
    DiscreteHistogram h;
    h.XFirst = 20;
    h.Step = 2;
    h.Bins = 3;
    EXPECT_EQ(ClassLower(h, 1), 19);
    EXPECT_EQ(ClassLower(h, 2), 21);
    EXPECT_EQ(ClassValue(h, 3), 24);
}

} // namespace
} // namespace tessavin
