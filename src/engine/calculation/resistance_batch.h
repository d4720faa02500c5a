#pragma once
// The resistances from one initial crack size a0 to many target sizes, and the class of each in
// the new resistance histogram. The histogram loop hands over the distinct targets of one a0
// class at once, so each integral is computed once however many (Fy, σ) pairs share it.
#include <atomic>
#include <climits>

#include "calculation/resistance_functions.h"
#include "calculation/resistance_lanes.h"
#include "calculation/simd_level.h"

namespace tessavin {

// The classes of a resistance histogram under construction, with q = (R − rmin)/h: class i
// (1-based) takes the resistances whose q rounds, halves to even, to i − 1 (convention First),
// or those with i − 1 ≤ q < i (Centre); the top is clamped.
struct ResistanceGrid {
    double rmin = 0.0;
    double h = 1.0;
    Convention convention = Convention::First;
};

// Class outcomes besides a class number. A number below 1 is the class-index failure.
inline constexpr int ClassFailed = INT_MIN;        // the calculator reported a failure
inline constexpr int ClassNotFinite = INT_MIN + 1; // (R − rmin)/h is not finite

// 1 + round-half-even(q), at most ResistanceBins. A q within 1e-9 of the half-class below
// class 1 is rounding, not a value outside.
int ResistanceClass(double q);
// 1 + floor(q), at most ResistanceBins. A q within 1e-9 below 0 is rounding: class 1.
int CentreClass(double q);
// The class of r, or ClassNotFinite.
int ClassOf(double r, const ResistanceGrid& grid);
// The class of a resistance known only within ±err (err ≥ 0) when that class is certain: no
// class boundary lies within the resulting bound of (r − rmin)/h, and r is not near or
// below class 1 (where the class-index failure and its rounding tolerance are decided). 0 when
// the scalar value must decide.
int CertainClassOf(double r, double err, const ResistanceGrid& grid);

enum class ResistanceKind { Detectable, Acceptable }; // R(ad), R(aac)

class ResistanceBatch {
  public:
    // The integrals run on vector lanes at `simd` where the method has a kernel; a value whose
    // class is not certain from the lane is computed again on the scalar path, so the classes
    // are those of the scalar path at every level.
    ResistanceBatch(const ResistanceParameters& parameters, ResistanceKind kind,
                    ResistanceGrid grid, SimdLevel simd = BestSimdLevel());

    ResistanceCalculator& calculator() { return calc_; }

    // r[j] = the integral from a0 to target[j] and cls[j] its class, for j = 0 .. n − 1 in
    // order. Returns how many entries are set: after a failure the last one set has the class
    // ClassFailed (calculator().failure() says why) and nothing more is computed; fewer than n
    // without it means the interrupt flag was seen.
    int Classify(double a0, const double* target, int n, double* r, int* cls,
                 const std::atomic<bool>& interrupt);

    // How many values the scalar path decided since construction (for tests).
    long long scalarCount() const { return scalarCount_; }

  private:
    double scalar(double a0, double target);
    bool scalarEntry(double a0, double target, double& r, int& cls);

    ResistanceCalculator calc_;
    ResistanceKind kind_;
    ResistanceGrid grid_;
    LaneKernel kernel_ = nullptr;
    LaneJob job_{};
    long long scalarCount_ = 0;
};

} // namespace tessavin
