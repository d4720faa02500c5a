// The resistance histograms are bit for bit those of the plain loop that integrates every
// combination of classes on its own, for every crack origin and integration method, whatever
// the number of threads and the vector instruction set (TESSAVIN_SIMD=off leaves the scalar
// path only).
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "../test_histograms.h"
#include "calculation/resistance_histograms.h"
#include "test_simd_levels.h"

namespace tessavin {
namespace {

std::uint64_t Fingerprint(const StateHistogram& h) {
    std::uint64_t x = 1469598103934665603ull; // FNV-1a
    auto mix = [&](const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) {
            x ^= b[i];
            x *= 1099511628211ull;
        }
    };
    mix(&h.P[1], sizeof(double) * h.Bins);
    mix(&h.XFirst, 8);
    mix(&h.XLast, 8);
    mix(&h.Step, 8);
    mix(&h.Total, 8);
    mix(&h.Bins, sizeof h.Bins);
    return x;
}

struct ExactCase {
    int origin, method;
    const char* m;
    const char* sigmaMi; // mean of the nominal stress: 100 caps most edge targets at 0.4 bf
    const char* classes;
    std::uint64_t rad, raac;
};

// Fingerprints of R(ad) and R(aac) as the loop integrating every combination on its own gave
// them (commit 792dd1b, one thread). Inputs: Fy lognormal 280/28, σ normal (mean)/20, a0
// lognormal 0.2/0.05, ad normal 10/0.6, each with the given class count; bf 400, tf 25.
const ExactCase Cases[] = {
    {0, 0, "3", "200", "12", 0xf0801cb3af0e794full, 0xf85da698887ee93aull},
    {0, 1, "3", "200", "12", 0x187acc596c9d2390ull, 0x8c929f4c2b43526aull},
    {0, 2, "3", "200", "12", 0x7f39b50a457bfe2aull, 0xec663a78191e6471ull},
    {0, 3, "3", "200", "12", 0xb1262be1962f89ddull, 0x7f2f20786921ecc9ull},
    {0, 4, "3", "200", "12", 0x3f550ffebade21d2ull, 0x9e902a30daa97371ull},
    {1, 0, "3", "200", "12", 0x6381dbbbb4018556ull, 0x1835e91de7ba89e3ull},
    {1, 1, "3", "200", "12", 0xcb0e665eb7979595ull, 0x79ab997f539f2c48ull},
    {1, 2, "3", "200", "12", 0x017d2e11e545eb3cull, 0x597fcd17f8c2e68bull},
    {1, 3, "3", "200", "12", 0x4825efda6a9e7cc2ull, 0x779035602bd8c024ull},
    {1, 4, "3", "200", "12", 0x5f88a78c04174727ull, 0x6371e86a9adb8311ull},
    {0, 4, "3", "100", "24", 0xbbfebd92610ba497ull, 0x780dc6ed37339a6full},
    {1, 4, "3", "250", "24", 0x6261ba35a2b0d571ull, 0x550e1bfdf1a0faecull},
    {0, 4, "2.5", "100", "24", 0x00d7e8b8938d61edull, 0x1cb230faf86d731dull},
    {1, 4, "2.5", "200", "24", 0x02e4082cefc8709bull, 0xfd6d39b2a4b6d1c1ull},
    {0, 1, "4", "100", "12", 0x7cf1d92971c05c72ull, 0x685fca1d3f8387e2ull},
};

void SetInputs(CalculationState& s, const ExactCase& c) {
    s.inputs.histogram[3] = test::ParametricInput(1, "280", "28", c.classes);
    s.inputs.histogram[4] = test::ParametricInput(0, c.sigmaMi, "20", c.classes);
    s.inputs.histogram[5] = test::ParametricInput(1, "0.2", "0.05", c.classes);
    s.inputs.histogram[6] = test::ParametricInput(0, "10", "0.6", c.classes);
    for (int k = 3; k <= 6; ++k)
        s.inputs.ready[k] = true;
}

} // namespace

// The scalar path and every vector level this processor runs.
std::vector<SimdLevel> SimdLevelsHere() {
    std::vector<SimdLevel> levels{SimdLevel::Scalar};
    if (BestSimdLevel() != SimdLevel::Scalar) levels.push_back(SimdLevel::Avx2);
    if (BestSimdLevel() == SimdLevel::Avx512) levels.push_back(SimdLevel::Avx512);
    return levels;
}

namespace {

// Fingerprints of R(ad) and R(aac) of a case at one level and thread count.
std::pair<std::uint64_t, std::uint64_t> Histograms(const ExactCase& c, Convention convention,
                                                   SimdLevel level, int threads) {
    CalculationInputs in;
    in.crackOrigin = c.origin;
    in.integration.method = c.method;
    in.integration.convention = convention;
    in.m = c.m;
    CalculationState s;
    SetInputs(s, c);
    ResistanceOptions o;
    o.threads = threads;
    o.simd = level;
    EXPECT_TRUE(ResVypJevuU(in, s, o).ok);
    EXPECT_TRUE(ResVypJevuF(in, s, o).ok);
    return {Fingerprint(s.Rad), Fingerprint(s.Raac)};
}

TEST(ResistanceExactness, SameBitsAsIntegratingEveryCombination) {
    for (const ExactCase& c : Cases)
        for (const SimdLevel level : SimdLevelsHere())
            for (int threads : {1, 2}) {
                SCOPED_TRACE(testing::Message()
                             << "origin " << c.origin << ", method " << c.method << ", m " << c.m
                             << ", σ " << c.sigmaMi << ", " << threads << " thread(s), SIMD level "
                             << static_cast<int>(level));
                const auto [rad, raac] = Histograms(c, Convention::First, level, threads);
                EXPECT_EQ(rad, c.rad);
                EXPECT_EQ(raac, c.raac);
            }
}

// The centre convention classifies on whole-class boundaries: every vector level and thread
// count gives the scalar path's histograms on one thread.
TEST(ResistanceExactness, CentreIsTheSameAtEveryLevelAndThreadCount) {
    for (const ExactCase& c : {Cases[0], Cases[4], Cases[6], Cases[9], Cases[11]}) {
        const auto scalar = Histograms(c, Convention::Centre, SimdLevel::Scalar, 1);
        EXPECT_NE(scalar.first, c.rad);
        EXPECT_NE(scalar.second, c.raac);
        for (const SimdLevel level : SimdLevelsHere())
            for (int threads : {1, 2}) {
                SCOPED_TRACE(testing::Message()
                             << "origin " << c.origin << ", method " << c.method << ", " << threads
                             << " thread(s), SIMD level " << static_cast<int>(level));
                EXPECT_EQ(Histograms(c, Convention::Centre, level, threads), scalar);
            }
    }
}

} // namespace
} // namespace tessavin
