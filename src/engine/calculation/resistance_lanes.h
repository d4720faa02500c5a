#pragma once
// Vector kernels of the resistance integrals: several target sizes from one a0 at once, one per
// lane, with glibc's vector mathematics (libmvec) and integer powers as products.
//
// A lane repeats the scalar path's arithmetic operation for operation; only the values of pow
// and cos differ, by at most a few units in the last place. So a lane's integral differs from
// the scalar one by at most a bound the kernel returns with it. The kernels use plain C types
// only: each instruction set has its own translation unit with its own compiler flags.

namespace tessavin {

struct LaneJob {
    double m, bf, tf;
    bool surface;
    int method;      // 0 trapezoid, 1 Simpson, 2 Romberg, 3 adaptive, 4 Gauss
    int steps;       // trapezoid and Simpson
    int levels;      // Romberg, at most 10
    double tol0;     // adaptive
    bool acceptable; // the three Gauss sub-intervals of R(aac), else the two of R(ad)
    double a0;
};

// For j < n: r[j] the integral from a0 to target[j], err[j] ≥ |r[j] − the scalar path's value|,
// or err[j] < 0 where a value left the range in which that bound holds (non-finite, not
// positive, beyond 1e±300) or where an accept-or-split decision of the adaptive method, or its
// stack limit, was reached. Meaningless, and to be recomputed, after a raised fault flag.
using LaneKernel = void (*)(const LaneJob& job, const double* target, int n, double* r,
                            double* err);

// Null where the build has no kernel for that instruction set.
LaneKernel LaneKernelAvx2();
LaneKernel LaneKernelAvx512();

// Whether a method has a vector kernel.
inline bool HasLaneKernel(int method) {
    return method >= 0 && method <= 4;
}

} // namespace tessavin
