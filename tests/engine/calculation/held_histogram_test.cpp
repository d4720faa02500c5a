#include "calculation/held_histogram.h"

#include <cstring>

#include <gtest/gtest.h>

namespace tessavin {
namespace {

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
