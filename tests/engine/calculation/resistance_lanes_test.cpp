// The vector lanes of the resistance integrals: their error bound holds against the scalar
// path, and every class decided near a class boundary is the scalar path's class.
#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "calculation/resistance_batch.h"
#include "calculation/resistance_lanes.h"
#include "test_simd_levels.h"

namespace tessavin {
namespace {

struct LaneCase {
    int origin, method;
    double m;
    bool acceptable;
};

ResistanceParameters Parameters(const LaneCase& c) {
    ResistanceParameters p;
    p.origin = c.origin;
    p.m = c.m;
    p.integration.method = c.method;
    p.integration.steps = 200;
    p.integration.levels = 8;
    return p;
}

// Targets from just above a0 to the deepest acceptable size of each crack origin.
std::vector<double> Targets(int origin, int n) {
    const double top = origin == 0 ? 160.0 : 20.0;
    std::vector<double> t;
    for (int j = 0; j < n; ++j)
        t.push_back(0.25 + (top - 0.25) * j / (n - 1));
    return t;
}

std::vector<LaneCase> LaneCases() {
    std::vector<LaneCase> cases;
    for (int origin : {0, 1})
        for (int method : {0, 1, 2, 3, 4})
            for (double m : {3.0, 2.5})
                for (bool acceptable : {true, false})
                    cases.push_back({origin, method, m, acceptable});
    return cases;
}

std::vector<LaneKernel> KernelsHere() {
    std::vector<LaneKernel> k;
    for (SimdLevel level : SimdLevelsHere()) {
        if (level == SimdLevel::Avx2) k.push_back(LaneKernelAvx2());
        if (level == SimdLevel::Avx512) k.push_back(LaneKernelAvx512());
    }
    return k;
}

TEST(ResistanceLanes, BoundHoldsAndIsTight) {
    if (KernelsHere().empty()) GTEST_SKIP() << "no vector level on this processor";
    const double a0 = 0.2;
    int differing = 0;
    for (LaneKernel kernel : KernelsHere())
        for (const LaneCase& c : LaneCases()) {
            SCOPED_TRACE(testing::Message() << "origin " << c.origin << ", method " << c.method
                                            << ", m " << c.m << ", R(aac) " << c.acceptable);
            const ResistanceParameters p = Parameters(c);
            const std::vector<double> t = Targets(c.origin, 37); // not a multiple of the lanes
            std::vector<double> r(t.size()), err(t.size());
            const LaneJob job{p.m,
                              p.bf,
                              p.tf,
                              c.origin == 1,
                              c.method,
                              p.integration.steps,
                              p.integration.levels,
                              p.integration.tol0,
                              c.acceptable,
                              a0};
            kernel(job, t.data(), static_cast<int>(t.size()), r.data(), err.data());
            ResistanceCalculator calc(p);
            for (std::size_t j = 0; j < t.size(); ++j) {
                const double s = c.acceptable ? calc.AcceptableIntegral(a0, t[j])
                                              : calc.DetectableIntegral(a0, t[j]);
                ASSERT_FALSE(calc.failed());
                ASSERT_GE(err[j], 0.0) << "target " << t[j];
                EXPECT_LE(std::fabs(r[j] - s), err[j]) << "target " << t[j];
                EXPECT_LE(err[j], 1e-10 * std::fabs(s)) << "target " << t[j];
                differing += r[j] != s;
            }
        }
    // Without differing lanes the class test below would prove nothing.
    EXPECT_GT(differing, 0);
}

TEST(ResistanceLanes, CertainClassLeavesBoundariesToTheScalarPath) {
    const ResistanceGrid grid{0.0, 1.0};
    EXPECT_EQ(CertainClassOf(100.2, 0.0, grid), 101);
    EXPECT_EQ(CertainClassOf(100.5, 0.0, grid), 0);
    EXPECT_EQ(CertainClassOf(100.5 + 1e-9, 1e-12, grid), 102);
    EXPECT_EQ(CertainClassOf(100.5 + 1e-9, 1e-8, grid), 0);
    EXPECT_EQ(CertainClassOf(0.7, 0.0, grid), 2);
    EXPECT_EQ(CertainClassOf(0.5, 0.0, grid), 0); // class 1 and below: failures, rounding
    EXPECT_EQ(CertainClassOf(-3.0, 0.0, grid), 0);
    EXPECT_EQ(CertainClassOf(256.5, 0.0, grid), 256); // above class 256: clamped either way
    EXPECT_EQ(CertainClassOf(900.0, 0.0, grid), 256);
    EXPECT_EQ(CertainClassOf(NAN, 0.0, grid), 0);
    EXPECT_EQ(CertainClassOf(1.0, 0.0, ResistanceGrid{0.0, 0.0}), 0);

    // Centre: class i holds i − 1 ≤ q < i; whole q are boundaries.
    const ResistanceGrid centre{0.0, 1.0, Convention::Centre};
    const std::pair<double, int> cases[] = {
        {100.2, 101}, {100.7, 101}, {100.0, 0},   {101.0 - 1e-13, 0}, {0.3, 1},
        {0.0, 0},     {-0.5, 0},    {255.5, 256}, {900.0, 256},       {NAN, 0},
    };
    for (const auto& [r, cls] : cases) {
        EXPECT_EQ(CertainClassOf(r, 0.0, centre), cls) << r;
        if (cls > 0) {
            EXPECT_EQ(ClassOf(r, centre), cls) << r;
        }
    }
    EXPECT_EQ(ClassOf(100.0, centre), 101);
    EXPECT_EQ(ClassOf(-1e-12, centre), 1); // rounding below the first boundary
    EXPECT_EQ(ClassOf(-0.5, centre), 0);   // outside: the class-index failure
}

// Purpose-made grids put each scalar resistance on a half-class boundary, and a few units in
// the last place either side of it: every level must give the scalar path's class there.
TEST(ResistanceLanes, ClassesOnBoundariesAreTheScalarOnes) {
    std::atomic<bool> interrupt{false};
    long long recomputed = 0;
    for (const LaneCase& c : LaneCases()) {
        const ResistanceParameters p = Parameters(c);
        const ResistanceKind kind =
            c.acceptable ? ResistanceKind::Acceptable : ResistanceKind::Detectable;
        const double a0 = 0.2;
        for (double target : Targets(c.origin, 9)) {
            ResistanceCalculator calc(p);
            const double s = c.acceptable ? calc.AcceptableIntegral(a0, target)
                                          : calc.DetectableIntegral(a0, target);
            const double h = std::fabs(s) / 300;
            double rmin = s - 100.5 * h;
            for (int k = 0; k < 3; ++k)
                rmin = std::nextafter(rmin, -INFINITY);
            for (int k = 0; k < 7; ++k, rmin = std::nextafter(rmin, INFINITY)) {
                const ResistanceGrid grid{rmin, h};
                double r;
                int expected = 0;
                ResistanceBatch(p, kind, grid, SimdLevel::Scalar)
                    .Classify(a0, &target, 1, &r, &expected, interrupt);
                for (SimdLevel level : SimdLevelsHere()) {
                    ResistanceBatch batch(p, kind, grid, level);
                    int cls = 0;
                    ASSERT_EQ(batch.Classify(a0, &target, 1, &r, &cls, interrupt), 1);
                    EXPECT_EQ(cls, expected) << "method " << c.method << ", target " << target;
                    if (level != SimdLevel::Scalar) recomputed += batch.scalarCount();
                }
            }
        }
    }
    if (SimdLevelsHere().size() > 1) {
        EXPECT_GT(recomputed, 0);
    }
}

// A tolerance no panel meets fills every lane's stack: the scalar path reports the limit, for
// the first target, at every level.
TEST(ResistanceLanes, AdaptiveStackLimitIsReportedAsOnTheScalarPath) {
    std::atomic<bool> interrupt{false};
    ResistanceParameters p;
    p.integration.method = 3;
    p.integration.tol0 = 0; // never met
    const std::vector<double> t = Targets(0, 5);
    for (SimdLevel level : SimdLevelsHere()) {
        ResistanceBatch batch(p, ResistanceKind::Acceptable, {0.0, 1.0}, level);
        std::vector<double> r(t.size());
        std::vector<int> cls(t.size());
        EXPECT_EQ(batch.Classify(0.2, t.data(), 5, r.data(), cls.data(), interrupt), 1);
        EXPECT_EQ(cls[0], ClassFailed);
        EXPECT_EQ(batch.calculator().failure().text,
                  "procedure Vypocet LichOkraje\r\n\r\nAdaptivní integrace n>1000");
    }
}

} // namespace
} // namespace tessavin
