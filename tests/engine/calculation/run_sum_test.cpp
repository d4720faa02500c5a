#include "calculation/run_sum.h"

#include <array>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "calculation/held_histogram.h"

namespace tessavin {
namespace {

// Rows of classes as the combining steps meet them: long runs falling (a narrow Sn against a
// wide difference range), rising (the Nn passes), one class, single steps, a row that turns
// back (summed as it comes), and rows too short to cut. The parts must add every class's
// probabilities in the order of the row, so the sums agree to the bit with one running sum.
TEST(AddRowInRuns, SumsEachClassInRowOrder) {
    struct Case {
        const char* name;
        std::vector<int> cls;
    };
    std::vector<Case> cases;
    std::vector<int> falling, rising, steps, turning;
    for (int i = 0; i < 256; ++i) {
        falling.push_back(200 - i / 37);
        rising.push_back(3 + i / 11);
        steps.push_back(1 + i);
        turning.push_back(i < 128 ? 50 + i / 9 : 70 - i / 9);
    }
    cases.push_back({"falling runs", falling});
    cases.push_back({"rising runs", rising});
    cases.push_back({"one class", std::vector<int>(256, 17)});
    cases.push_back({"a class each", steps});
    cases.push_back({"turning back", turning});
    cases.push_back({"short", {5, 5, 4, 4, 3}});
    cases.push_back({"empty", {}});

    std::vector<double> p;
    for (int i = 0; i < 256; ++i)
        p.push_back(1.0 / (3.0 + i * 0.7) + 1e-17 * i);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::array<double, 300> expected{}, actual{};
        for (int row = 0; row < 3; ++row) { // rows after the first add onto earlier sums
            const double scale = 0.1 + 0.3 * row;
            RunSum<std::array<double, 300>> sum(expected);
            for (std::size_t i = 0; i < c.cls.size(); ++i)
                sum.Add(c.cls[i], scale * p[i]);
            sum.Flush();
            AddRowInRuns(actual, c.cls.data(), scale, p.data(), static_cast<int>(c.cls.size()));
        }
        EXPECT_EQ(std::memcmp(expected.data(), actual.data(), sizeof expected), 0);
    }
}

// A held histogram comes back bit for bit, a negative zero among its classes included.
TEST(HeldHistogram, RestoresTheHistogramExactly) {
    StateHistogram h;
    h.Bins = 4;
    h.XFirst = 0.5;
    h.XLast = 3.5;
    h.Step = 1.0;
    h.Total = 12.0;
    h.Span = 3.0;
    h.P[1] = 0.25;
    h.P[2] = 0.75;
    h.P[5] = -0.0; // beyond Bins, as a trimming may leave it
    HeldHistogram held;
    held.Hold(h);
    StateHistogram back;
    back.P.fill(9.0);
    held.Restore(back);
    EXPECT_EQ(std::memcmp(&back.P, &h.P, sizeof h.P), 0);
    EXPECT_EQ(back.Bins, 4);
    EXPECT_EQ(back.Span, 3.0);
    EXPECT_EQ(back.Total, 12.0);
}

} // namespace
} // namespace tessavin
