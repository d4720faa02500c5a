#pragma once
// The classes of one row of class pairs on the widest vector lanes the processor has: the
// combining steps compute a class for every pair of classes of their two operands, and this is
// where most of their time goes. Every lane repeats the scalar operations one for one (a
// subtraction, a multiplication, the rounding by adding and removing 1.5 * 2^52), so the
// classes are those of IndexDivisor::RoundedClasses bit for bit.

namespace tessavin {

// 1/h and the largest |num| whose product decides, as IndexDivisor keeps them.
struct ClassRowJob {
    double inverse;
    double limit;
};

// For i < n the class 1 + ((a − b[i]) − c) / h rounded, capped at upper, into t[i]; true when
// the product decides every one and none lies below class 1.
using ClassRowKernel = bool (*)(const ClassRowJob& job, double a, const double* b, double c, int n,
                                int upper, int* t);

// The kernel of the widest instruction set of this processor (see BestSimdLevel); null where
// there is none, and the SSE2 path serves.
ClassRowKernel WideClassRowKernel();

ClassRowKernel ClassRowKernelAvx2();
ClassRowKernel ClassRowKernelAvx512();

} // namespace tessavin
