// The simulation's lane kernels against the plain loops they stand for, bit for bit, on every
// instruction set this processor runs: year counts that fill no vector, some vectors, and
// vectors with a remainder, over more than one 64-year word.
#include "montecarlo/sample_lanes.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "calculation/simd_level.h"

namespace tessavin::montecarlo {
namespace {

std::vector<SampleLanes> LanesHere() {
    std::vector<SampleLanes> lanes{SampleLanesSse2()};
    if (BestSimdLevel() != SimdLevel::Scalar && SampleLanesAvx2().addRows != nullptr)
        lanes.push_back(SampleLanesAvx2());
    if (BestSimdLevel() == SimdLevel::Avx512 && SampleLanesAvx512().addRows != nullptr)
        lanes.push_back(SampleLanesAvx512());
    return lanes;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Probabilities that are 0, 1, in between and tiny, so that the rounding of every sum matters.
double Probability(int b, int j) {
    switch ((3 * b + j) % 5) {
    case 0:
        return 0.0;
    case 1:
        return 1.0;
    case 2:
        return 1.0 / (3 + b + j);
    case 3:
        return 1e-17 * (j + 1);
    default:
        return 1.0 - 1.0 / (7 + j);
    }
}

TEST(SampleLanes, RowsAddUpAsThePlainLoopAddsThem) {
    for (const int years : {1, 3, 8, 64, 65, 151, 301}) {
        const int samples = 7;
        std::vector<double> pU(samples * years), pF(samples * years);
        for (int b = 0; b < samples; ++b)
            for (int j = 0; j < years; ++j) {
                pU[b * years + j] = Probability(b, j);
                pF[b * years + j] = Probability(b + 2, j) * 0.5;
            }
        // Start from sums that already hold something, as after earlier rows.
        std::vector<std::vector<double>> expected(6, std::vector<double>(years, 0.1));
        for (int b = 0; b < samples; ++b)
            for (int j = 0; j < years; ++j) {
                const double u = pU[b * years + j], f = pF[b * years + j], d = 1.0 - u - f;
                expected[0][j] += u;
                expected[1][j] += u * u;
                expected[2][j] += f;
                expected[3][j] += f * f;
                expected[4][j] += d;
                expected[5][j] += d * d;
            }
        for (const SampleLanes& lanes : LanesHere()) {
            std::vector<std::vector<double>> sums(6, std::vector<double>(years, 0.1));
            const YearSumRows rows{sums[0].data(), sums[1].data(), sums[2].data(),
                                   sums[3].data(), sums[4].data(), sums[5].data()};
            // In two goes, as a block adds its samples a few rows at a time.
            lanes.addRows(rows, pU.data(), pF.data(), years, 3);
            lanes.addRows(rows, pU.data() + 3 * years, pF.data() + 3 * years, years, samples - 3);
            for (int k = 0; k < 6; ++k)
                for (int j = 0; j < years; ++j)
                    EXPECT_TRUE(SameBits(sums[k][j], expected[k][j]))
                        << "years " << years << " sum " << k << " year " << j;
        }
    }
}

TEST(SampleLanes, FarYearsTakeTheirConstantAndMarkTheRest) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const int years : {1, 5, 8, 64, 65, 151, 301}) {
        std::vector<double> mean(years), invSd(years);
        for (int j = 0; j < years; ++j) {
            mean[j] = (j + 1) * 1e6;
            invSd[j] = 1.0 / (std::sqrt(j + 1.0) * 1e5);
        }
        // Thresholds that put the band of near years at the start, inside and at the end; one
        // at about z = 8.5 in year 0, and NaN, which no comparison places far.
        for (const double x : {1e6 + 8.5e5, 3e7, (years + 1) * 1e6, 1e12, -1e12, nan}) {
            for (const SampleLanes& lanes : LanesHere()) {
                std::vector<double> p(years, -1.0), z(years);
                std::vector<unsigned long long> near((years + 63) / 64, ~0ULL);
                lanes.farYears({mean.data(), invSd.data(), years}, x, 0.25, 0.75, p.data(),
                               z.data(), near.data());
                for (int j = 0; j < years; ++j) {
                    const double zj = (x - mean[j]) * invSd[j];
                    const bool marked = (near[j / 64] >> (j % 64)) & 1;
                    EXPECT_TRUE(SameBits(z[j], zj)) << years << " " << x << " " << j;
                    EXPECT_EQ(marked, !(zj > FarTail) && !(zj < -FarTail))
                        << years << " " << x << " " << j;
                    if (zj > FarTail) {
                        EXPECT_EQ(p[j], 0.25);
                    } else if (zj < -FarTail) {
                        EXPECT_EQ(p[j], 0.75);
                    }
                }
                for (int j = years; j < static_cast<int>(near.size()) * 64; ++j)
                    EXPECT_FALSE((near[j / 64] >> (j % 64)) & 1) << years << " bit " << j;
            }
        }
    }
}

} // namespace
} // namespace tessavin::montecarlo
