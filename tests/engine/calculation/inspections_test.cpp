#include "calculation/inspections.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "localisation/language.h"

namespace tessavin {
namespace {

class InspectionTest : public ::testing::Test {
  protected:
    void SetUp() override { SetLanguage(Language::English); }

    void Fill(int year, double pU, double pD, double pF) {
        state->Event(1, 1, year) = pU;
        state->Event(1, 2, year) = pD;
        state->Event(1, 3, year) = pF;
    }
    void Period(int start, int end) {
        state->start = start;
        state->step = 1;
        state->end = end;
        in.yearStart = std::to_string(start);
        in.yearStep = "1";
        in.yearEnd = std::to_string(end);
    }
    // Block 1 of years 0 .. 10: pF = t^2/200, pD = t/25, pU = 1 - pD - pF. pF first reaches
    // Pd = 0.1 in year 5 (0.125; year 4: 0.08).
    void MonotoneCurves() {
        Period(0, 10);
        for (int t = 0; t <= 10; ++t) {
            const double pF = t * t / 200.0;
            const double pD = t / 25.0;
            Fill(t, 1 - pD - pF, pD, pF);
        }
    }

    std::unique_ptr<CalculationState> state = std::make_unique<CalculationState>();
    CalculationInputs in;
    InspectionPlan plan;
};

const std::string NotCalculated = "      not calculated";

TEST_F(InspectionTest, FirstInspectionOnTheGridOfTheYearFields) {
    struct Case {
        const char* what;
        const char *start, *step, *end;
        std::function<double(int)> pF; // on the years of the grid
        double Pd;
        int message;
        const char* label;
        int from, to;
    };
    const Case cases[] = {
        {"pF(35) < Pd <= pF(40)", "0", "5", "150", [](int y) { return y / 1000.0; }, 0.038, 233,
         "between years : 35 - 40", 35, 40},
        // pF(10) = 0.02 = Pd: found at e = start, the range start - step .. start
        {"pF(start) = Pd", "10", "5", "150", [](int y) { return y / 500.0; }, 0.02, 233,
         "between years : 5 - 10", 5, 10},
        {"pF(start) > Pd", "0", "5", "150", [](int) { return 0.05; }, 0.02, 232,
         "Probability of the F event in starting year of calculation > design value of the limit "
         "probability pd",
         0, 0},
        {"Pd never reached", "0", "5", "150", [](int) { return 0.001; }, 0.02, 234,
         "Probability of the F event in end year of calculation < design value of the limit "
         "probability pd",
         0, 0},
        // One year (step 0): the start year is already the end year before any test.
        {"one-year period", "7", "0", "7", [](int) { return 0.02; }, 0.02, 234,
         "Probability of the F event in end year of calculation < design value of the limit "
         "probability pd",
         0, 0},
    };
    for (const Case& c : cases) {
        state = std::make_unique<CalculationState>();
        plan.Clear();
        state->firstFrom = 77;
        state->firstTo = 78;
        in.yearStart = c.start;
        in.yearStep = c.step;
        in.yearEnd = c.end;
        for (int y = 0; y <= 150; y += 5)
            state->Event(1, 3, y) = c.pF(y);
        state->Event(1, 3, 7) = c.pF(7);

        const FirstInspectionResult r = FirstInspectionSearch(in, c.Pd, *state, plan);
        EXPECT_EQ(r.message, c.message) << c.what;
        EXPECT_EQ(r.label, c.label) << c.what;
        const bool found = c.message == 233;
        EXPECT_EQ(r.found, found) << c.what;
        EXPECT_EQ(state->Abort, !found) << c.what;
        EXPECT_EQ(plan.rows[1].found, found) << c.what;
        if (found) {
            EXPECT_EQ(r.from, c.from) << c.what;
            EXPECT_EQ(r.to, c.to) << c.what;
            EXPECT_EQ(state->firstFrom, c.from) << c.what;
            EXPECT_EQ(state->firstTo, c.to) << c.what;
            EXPECT_EQ(plan.rows[1].numberText, "         1") << c.what;
            EXPECT_EQ(plan.rows[1].rangeText,
                      "          " + std::to_string(c.from) + "  -  " + std::to_string(c.to))
                << c.what;
        } else {
            EXPECT_EQ(state->firstFrom, 77) << c.what;
            EXPECT_EQ(state->firstTo, 78) << c.what;
        }
    }
}

TEST_F(InspectionTest, RefinementKeepsTheCoarseRange) {
    // The rerun over 35 .. 40 with step 1 finds 37 - 38; the coarse range stays for the next
    // refinement while the label and the list show the fine one.
    state->firstFrom = 35;
    state->firstTo = 40;
    state->refining = true;
    in.yearStart = "0";
    in.yearStep = "1";
    in.yearEnd = "150";
    for (int y = 35; y <= 40; ++y)
        state->Event(1, 3, y) = y / 1000.0;
    const FirstInspectionResult r = FirstInspectionSearch(in, 0.0375, *state, plan);
    EXPECT_EQ(r.label, "between years : 37 - 38");
    EXPECT_EQ(plan.rows[1].rangeText, "          37  -  38");
    EXPECT_EQ(state->firstFrom, 35);
    EXPECT_EQ(state->firstTo, 40);
}

// Hand values of the updated failure curve F = (pF(t) - pF(T) - pD(T) (1 - r)) / pU(T),
// r = pD(T)/pD(t), on the curves of MonotoneCurves (exact fractions):
//   T = 4 (pU .76, pD .16, pF .08):  F(t) = (t^2/200 - .24 + .64/t)/.76
//   T = 6 (pU .58, pD .24, pF .18):  F(t) = (t^2/200 - .42 + 1.44/t)/.58
//   T = 7 (pU .475, pD .28, pF .245): F(t) = (t^2/200 - .525 + 1.96/t)/.475
//   T = 8 (pU .36, pD .32, pF .32):  F(t) = (t^2/200 - .64 + 2.56/t)/.36
//   T = 5 (pU .675, pD .2, pF .125): F(t) = (t^2/200 - .325 + 1/t)/.675
constexpr double Tol = 1e-12;

TEST_F(InspectionTest, FurtherInspectionsWithTheLowerBound) {
    MonotoneCurves();
    in.lowerBound = true;
    const double Pd = 0.1;
    ASSERT_TRUE(FirstInspectionSearch(in, Pd, *state, plan).found); // 4 - 5
    bool noExceedance = true;
    const InspectionChart chart = FurtherInspectionSearch(in, Pd, *state, plan, noExceedance);

    // Inspection 2 from T = 4, the year before pF reaches Pd.
    EXPECT_EQ(state->Event(2, 1, 4), 1.0);
    EXPECT_EQ(state->Event(2, 1, 3), 0.0);
    const double F2[] = {13.0 / 760, 7.0 / 114, 135.0 / 1064, 4.0 / 19, 425.0 / 1368, 81.0 / 190};
    for (int t = 5; t <= 10; ++t) {
        EXPECT_NEAR(state->Event(2, 1, t), 4.0 / t, Tol) << t;
        EXPECT_NEAR(state->Event(2, 2, t), 1 - 4.0 / t, Tol) << t;
        EXPECT_NEAR(state->Event(2, 3, t), F2[t - 5], Tol) << t;
    }
    // F2 first reaches 0.1 in year 7 (0.1269); inspection 3 from T = 6, and so on.
    EXPECT_NEAR(state->Event(3, 3, 7), 43.0 / 812, Tol);
    EXPECT_NEAR(state->Event(3, 3, 8), 4.0 / 29, Tol);
    EXPECT_NEAR(state->Event(4, 3, 9), 176.0 / 855, Tol);
    EXPECT_NEAR(state->Event(5, 3, 9), 89.0 / 648, Tol);
    EXPECT_NEAR(state->Event(5, 3, 10), 29.0 / 90, Tol);
    // F5 reaches 0.1 in year 9 again: inspection 6 falls into year 8, the year of inspection 5.
    // Its block repeats block 5 and the list ends.
    EXPECT_EQ(state->Event(6, 1, 8), 1.0);
    for (int row = 1; row <= 3; ++row)
        for (int t = 9; t <= 10; ++t)
            EXPECT_EQ(state->Event(6, row, t), state->Event(5, row, t));
    EXPECT_EQ(state->Event(7, 1, 8), 0.0);

    const char* ranges[] = {"          4  -  5", "          6  -  7", "          7  -  8",
                            "          8  -  9", "          8  -  9"};
    for (int r = 1; r <= 5; ++r) {
        EXPECT_TRUE(plan.rows[r].found) << r;
        EXPECT_EQ(plan.rows[r].rangeText, ranges[r - 1]) << r;
    }
    for (int r = 6; r <= 10; ++r) {
        EXPECT_FALSE(plan.rows[r].found) << r;
        EXPECT_EQ(plan.rows[r].rangeText, NotCalculated) << r;
    }
    EXPECT_EQ(plan.rows[6].numberText, "         6");
    EXPECT_EQ(plan.rows[10].numberText, "        10");
    EXPECT_EQ(state->inspectionsFound, 5);
    EXPECT_FALSE(noExceedance);

    // Chart of inspection 2: white up to and including T = 4, then F2 in blue.
    ASSERT_EQ(chart.series[1].size(), 11u);
    for (int y = 0; y <= 4; ++y) {
        EXPECT_EQ(chart.series[1][y].year, y);
        EXPECT_FALSE(chart.series[1][y].blue) << y;
        EXPECT_EQ(chart.series[1][y].value, 0.0) << y;
    }
    for (int t = 5; t <= 10; ++t) {
        EXPECT_EQ(chart.series[1][t].year, t);
        EXPECT_TRUE(chart.series[1][t].blue) << t;
        EXPECT_NEAR(chart.series[1][t].value, F2[t - 5], Tol) << t;
    }
    // Inspection 6 (the repeated year) has only the white points before its year.
    ASSERT_EQ(chart.series[5].size(), 8u);
    EXPECT_EQ(chart.series[5].back().year, 7);
    for (int s = 6; s <= InspectionSeries; ++s)
        EXPECT_TRUE(chart.series[s].empty()) << s;

    // Marking again changes nothing.
    EXPECT_EQ(MarkInspectionRows(plan, *state), 5);
}

TEST_F(InspectionTest, FurtherInspectionsWithTheUpperBound) {
    MonotoneCurves();
    in.lowerBound = false;
    bool noExceedance = true;
    FurtherInspectionSearch(in, 0.1, *state, plan, noExceedance);
    // T = 5, the first year with pF >= Pd.
    EXPECT_EQ(state->Event(2, 1, 4), 0.0);
    EXPECT_EQ(state->Event(2, 1, 5), 1.0);
    const double F2[] = {13.0 / 405, 88.0 / 945, 8.0 / 45, 344.0 / 1215, 11.0 / 27};
    for (int t = 6; t <= 10; ++t) {
        EXPECT_NEAR(state->Event(2, 1, t), 5.0 / t, Tol) << t;
        EXPECT_NEAR(state->Event(2, 3, t), F2[t - 6], Tol) << t;
    }
    // F2 reaches 0.1 first in year 8 (year 7: 0.0931).
    EXPECT_EQ(plan.rows[2].rangeText, "          7  -  8");
}

TEST_F(InspectionTest, NoDamageYearGivesRatioZero) {
    // Years 0 .. 4 (pU, pD, pF); pD(3) = 0. Upper bound: T = 2 (pF 0.2 >= 0.1).
    Period(0, 4);
    Fill(0, 1, 0, 0);
    Fill(1, 0.85, 0.1, 0.05);
    Fill(2, 0.7, 0.1, 0.2);
    Fill(3, 0.65, 0.0, 0.35);
    Fill(4, 0.5, 0.1, 0.4);
    in.lowerBound = false;
    bool noExceedance = true;
    const InspectionChart chart = FurtherInspectionSearch(in, 0.1, *state, plan, noExceedance);
    // Year 3: r = 0, 1 - r = 1, F = (0.35 - 0.2 - 0.1 * 1)/0.7 = 0.05/0.7.
    EXPECT_EQ(state->Event(2, 1, 3), 0.0);
    EXPECT_EQ(state->Event(2, 2, 3), 1.0);
    EXPECT_NEAR(state->Event(2, 3, 3), 0.05 / 0.7, Tol);
    // Year 4: r = 0.1/0.1 = 1, F = (0.4 - 0.2)/0.7.
    EXPECT_NEAR(state->Event(2, 1, 4), 1.0, Tol);
    EXPECT_NEAR(state->Event(2, 3, 4), 0.2 / 0.7, Tol);
    ASSERT_EQ(chart.series[1].size(), 5u);
    EXPECT_TRUE(chart.series[1][3].blue);
    EXPECT_NEAR(chart.series[1][3].value, 0.05 / 0.7, Tol);
    // F2 reaches 0.1 only in the end year, which the next-inspection scan does not reach.
    EXPECT_EQ(plan.rows[2].rangeText, NotCalculated);
    EXPECT_FALSE(noExceedance); // 0.2/0.7 > 0.1
}

TEST_F(InspectionTest, SaturatedInspectionYearLeavesTheCurveEmpty) {
    // pU(T) = 0 (a saturated year): no updated failure curve, only white points.
    Period(0, 3);
    Fill(0, 1, 0, 0);
    Fill(1, 0.9, 0.05, 0.05);
    Fill(2, 0, 0, 1);
    Fill(3, 0, 0, 1);
    in.lowerBound = false;
    bool noExceedance = true;
    const InspectionChart chart = FurtherInspectionSearch(in, 0.1, *state, plan, noExceedance);
    EXPECT_EQ(state->Event(2, 1, 2), 1.0);
    EXPECT_EQ(state->Event(2, 2, 3), 1.0); // pD(3) = 0: r = 0
    EXPECT_EQ(state->Event(2, 3, 3), 0.0);
    ASSERT_EQ(chart.series[1].size(), 4u);
    for (const ChartPoint& p : chart.series[1])
        EXPECT_FALSE(p.blue) << p.year;
    EXPECT_TRUE(noExceedance);
    EXPECT_EQ(state->inspectionsFound, 0); // row 1 belongs to the first-inspection search
}

TEST_F(InspectionTest, InspectionTableOfABlock) {
    MonotoneCurves();
    ASSERT_TRUE(FirstInspectionSearch(in, 0.1, *state, plan).found);
    bool noExceedance = true;
    FurtherInspectionSearch(in, 0.1, *state, plan, noExceedance);

    // Inspections 1 and 2 share the table of block 3 (inspection 2, T = 6).
    for (const int block : {2, 3}) {
        state->blockShown = 0;
        const InspectionTable t = InspectionTableDisplay(block, *state);
        EXPECT_EQ(state->blockShown, 3);
        EXPECT_EQ(t.block, 3);
        EXPECT_EQ(t.header, "       F2");
        EXPECT_EQ(t.title, " of the selected  2 th  inspection time ( p(U)=0 )");
        ASSERT_EQ(t.rows.size(), 5u); // years 6 .. 10, where row 1 is not 0
        EXPECT_EQ(t.rows[0].yearText, "    6");
        EXPECT_EQ(t.rows[0].valueTexts[0], "1");
        EXPECT_EQ(t.rows[0].valueTexts[1], "0");
        EXPECT_EQ(t.rows[0].valueTexts[2], "0");
        // Year 7: r = 6/7, 1 - r = 1/7, F = 43/812 = 0.05295566502463054...
        EXPECT_EQ(t.rows[1].yearText, "    7");
        EXPECT_EQ(t.rows[1].valueTexts[0], "0.8571428571429");
        EXPECT_EQ(t.rows[1].valueTexts[1], "0.1428571428571");
        EXPECT_EQ(t.rows[1].valueTexts[2], "0.05295566502463");
        EXPECT_NEAR(t.rows[1].values[2], 43.0 / 812, Tol);
        EXPECT_EQ(t.rows[4].yearText, "   10");
    }
    const InspectionTable last = InspectionTableDisplay(6, *state);
    EXPECT_EQ(last.header, "       F5");
    EXPECT_EQ(last.rows.front().year, 8);
}

TEST(InspectionYearText, LeadingBlanksByDigits) {
    const std::pair<int, const char*> cases[] = {{0, "    0"},  {9, "    9"},   {10, "   10"},
                                                 {99, "   99"}, {100, "  100"}, {300, "  300"}};
    for (const auto& [year, text] : cases)
        EXPECT_EQ(YearCellText(year), text);
}

} // namespace
} // namespace tessavin
