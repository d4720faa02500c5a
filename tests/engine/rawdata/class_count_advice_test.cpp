// Sturges' rule and the advice for too few classes.
#include "rawdata/class_count_advice.h"

#include <gtest/gtest.h>

namespace tessavin {
namespace {

TEST(SturgesAdvice, CountAndWarningThreshold) {
    struct Case {
        int n, intervals;
        int sturges;
        bool advised;
    };
    // 1 + 3.3 log10 n: 100 -> 7.6 -> 8; 15 -> 4.88 -> 5; 10000 -> 14.2 -> 14; 3 -> 2.57 -> 3.
    const Case cases[] = {{100, 7, 8, true}, {100, 8, 8, false},    {15, 4, 5, true},
                          {15, 5, 5, false}, {10000, 13, 14, true}, {10000, 32, 14, false},
                          {3, 3, 3, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(SturgesClassCount(c.n), c.sturges) << c.n;
        const auto advice = TooFewClassesAdvice(c.n, c.intervals);
        ASSERT_EQ(advice.has_value(), c.advised) << c.n << " " << c.intervals;
        if (advice) {
            EXPECT_NE(advice->find("Ndat = " + std::to_string(c.n)), std::string::npos);
            EXPECT_NE(advice->find(std::to_string(c.sturges) + "   !"), std::string::npos);
        }
    }
}

} // namespace
} // namespace tessavin
