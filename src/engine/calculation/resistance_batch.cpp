#include "calculation/resistance_batch.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/math_fault.h"

namespace tessavin {

int ResistanceClass(double q) {
    long long i = 1 + static_cast<long long>(std::nearbyint(q));
    if (i > ResistanceBins) i = ResistanceBins;
    if (i == 0 && std::fabs(q + 0.5) < 1e-9) i = 1;
    return static_cast<int>(i);
}

int CentreClass(double q) {
    if (q >= ResistanceBins - 1) return ResistanceBins;
    if (q < 0 && q > -1e-9) return 1;
    return static_cast<int>(1 + std::floor(std::max(q, -2e9)));
}

int ClassOf(double r, const ResistanceGrid& grid) {
    const double q = (r - grid.rmin) / grid.h;
    if (!std::isfinite(q)) return ClassNotFinite;
    return grid.convention == Convention::Centre ? CentreClass(q) : ResistanceClass(q);
}

int CertainClassOf(double r, double err, const ResistanceGrid& grid) {
    constexpr double u = 0x1p-53;
    const double q = (r - grid.rmin) / grid.h;
    if (!std::isfinite(q)) return 0;
    // The two paths round the subtraction and the division each on their own; the factor 2
    // keeps the bound generous.
    const double bound =
        2 * ((err + 4 * u * (std::fabs(r) + std::fabs(grid.rmin))) / std::fabs(grid.h) +
             4 * u * std::fabs(q));
    if (grid.convention == Convention::Centre) {
        // Boundaries at whole q; 0 < q < 255: the class by truncation.
        if (!(q > bound)) return 0;
        if (!(q < ResistanceBins - 1 + bound)) return ResistanceBins;
        const double frac = q - static_cast<double>(static_cast<int>(q));
        if (frac <= bound || frac >= 1 - bound) return 0;
        return 1 + static_cast<int>(q);
    }
    if (!(q > 0.5 + bound)) return 0;
    if (!(q < ResistanceBins - 0.5 + bound)) return ResistanceBins;
    // 0.5 < q < 255.5: the whole part by truncation; q is no nearer than `bound` (over an ulp
    // of q) to a half, so q + 0.5 truncates to the nearest whole number without a tie.
    const double frac = q - static_cast<double>(static_cast<int>(q));
    if (std::fabs(frac - 0.5) <= bound) return 0;
    return 1 + static_cast<int>(q + 0.5); // NOLINT(bugprone-incorrect-roundings): no tie, see above
}

namespace {

LaneKernel KernelFor(SimdLevel simd, int method) {
    if (!HasLaneKernel(method)) return nullptr;
    switch (simd) {
    case SimdLevel::Avx512:
        return LaneKernelAvx512();
    case SimdLevel::Avx2:
        return LaneKernelAvx2();
    case SimdLevel::Scalar:
        break;
    }
    return nullptr;
}

} // namespace

ResistanceBatch::ResistanceBatch(const ResistanceParameters& parameters, ResistanceKind kind,
                                 ResistanceGrid grid, SimdLevel simd)
    : calc_(parameters), kind_(kind), grid_(grid),
      kernel_(KernelFor(simd, parameters.integration.method)) {
    const IntegrationSettings& s = parameters.integration;
    job_ = LaneJob{parameters.m,
                   parameters.bf,
                   parameters.tf,
                   parameters.origin == 1,
                   s.method,
                   s.steps,
                   s.levels,
                   s.tol0,
                   kind == ResistanceKind::Acceptable,
                   0.0};
}

double ResistanceBatch::scalar(double a0, double target) {
    return kind_ == ResistanceKind::Acceptable ? calc_.AcceptableIntegral(a0, target)
                                               : calc_.DetectableIntegral(a0, target);
}

bool ResistanceBatch::scalarEntry(double a0, double target, double& r, int& cls) {
    ++scalarCount_;
    r = scalar(a0, target);
    if (calc_.failed()) {
        cls = ClassFailed;
        return false;
    }
    cls = ClassOf(r, grid_);
    return true;
}

int ResistanceBatch::Classify(double a0, const double* target, int n, double* r, int* cls,
                              const std::atomic<bool>& interrupt) {
    // The interrupt is tested every few milliseconds of work even for the slowest methods.
    constexpr int Chunk = 64;
    job_.a0 = a0;
    std::vector<double> err(kernel_ != nullptr ? Chunk : 0);
    for (int j0 = 0; j0 < n; j0 += Chunk) {
        if (interrupt.load(std::memory_order_relaxed)) return j0;
        const int count = n - j0 < Chunk ? n - j0 : Chunk;
        bool lanes = false;
        if (kernel_ != nullptr && !calc_.failed()) {
            // A fault flag raised by any lane makes the whole chunk a matter for the scalar
            // path, which reports the faults as it always does.
            if (RaisedMathFault() != MathFault::None) ClearMathFlags();
            kernel_(job_, target + j0, count, r + j0, err.data());
            lanes = RaisedMathFault() == MathFault::None;
        }
        for (int j = j0; j < j0 + count; ++j) {
            if (lanes && err[j - j0] >= 0) {
                cls[j] = CertainClassOf(r[j], err[j - j0], grid_);
                if (cls[j] != 0) continue;
            }
            if (!scalarEntry(a0, target[j], r[j], cls[j])) return j + 1;
        }
    }
    return n;
}

} // namespace tessavin
