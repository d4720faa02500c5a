#include "calculation/resistance_batch.h"

#include <cmath>

namespace tessavin {

int ResistanceClass(double q) {
    long long i = 1 + static_cast<long long>(std::nearbyint(q));
    if (i > ResistanceBins) i = ResistanceBins;
    if (i < 1 && i == 0 && std::fabs(q + 0.5) < 1e-9) i = 1;
    return static_cast<int>(i);
}

int ClassOf(double r, const ResistanceGrid& grid) {
    const double q = (r - grid.rmin) / grid.h;
    if (!std::isfinite(q)) return ClassNotFinite;
    return ResistanceClass(q);
}

ResistanceBatch::ResistanceBatch(const ResistanceParameters& parameters, ResistanceKind kind,
                                 ResistanceGrid grid)
    : calc_(parameters), kind_(kind), grid_(grid) {}

double ResistanceBatch::scalar(double a0, double target) {
    return kind_ == ResistanceKind::Acceptable ? calc_.AcceptableIntegral(a0, target)
                                               : calc_.DetectableIntegral(a0, target);
}

int ResistanceBatch::Classify(double a0, const double* target, int n, double* r, int* cls,
                              const std::atomic<bool>& interrupt) {
    // The interrupt is tested every few milliseconds of work even for the slowest methods.
    constexpr int Chunk = 16;
    for (int j = 0; j < n; ++j) {
        if (j % Chunk == 0 && interrupt.load(std::memory_order_relaxed)) return j;
        r[j] = scalar(a0, target[j]);
        if (calc_.failed()) {
            cls[j] = ClassFailed;
            return j + 1;
        }
        cls[j] = ClassOf(r[j], grid_);
    }
    return n;
}

} // namespace tessavin
