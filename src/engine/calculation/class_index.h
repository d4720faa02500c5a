#pragma once
// Class indices of the combining steps without a division per pair of classes. Every result is
// the whole number that rounding the quotient gives, bit for bit.
#include <algorithm>
#include <cmath>

#include "calculation/class_rows.h"
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessavin {

// q rounded to the nearest whole number, halves to even, as std::nearbyint rounds it in the
// default rounding mode; exact for |q| < 2^51 and without a library call.
inline double RoundHalfEven(double q) {
    constexpr double shift = 0x1.8p52;
    return (q + shift) - shift;
}

// The quotient num / h rounded, by a multiplication with 1/h where that provably gives the same
// whole number. 1/h and the product are each rounded once, the quotient once: the product
// differs from the quotient by at most 3.0001 * 2^-53 * |q|, below 7e-13 for |q| < 2048. So a
// product farther than 1e-12 from every half-integer lies on the same side of each as the
// quotient and rounds alike; nearer, or beyond 2048 classes, the caller divides. h must be
// normal and within 1e-300 .. 1e300, so that neither 1/h nor the product raises a flag the
// division would not.
class IndexDivisor {
  public:
    explicit IndexDivisor(double h) {
        const double a = std::fabs(h);
        if (std::isnormal(h) && a >= 1e-300 && a <= 1e300) {
            inv_ = 1.0 / h;
            limit_ = 2047 * a;
        }
    }

    // True with r = num / h rounded; false where the caller must divide.
    bool Rounded(double num, double& r) const {
        if (!(std::fabs(num) <= limit_)) return false;
        const double q = num * inv_;
        r = RoundHalfEven(q);
        return std::fabs(q - r) <= 0.5 - 1e-12;
    }

    // True when the product decides and num / h rounds to a whole number in 0 .. upper - 1.
    // Along a row of class pairs the quotients run monotonically, so two ends that pass make
    // every index between them valid: a row of zero probability then needs no other index.
    bool RoundsBelow(double num, double upper) const {
        double r;
        return Rounded(num, r) && r >= 0 && r < upper;
    }

    // The classes 1 + num[i] / h rounded, with num[i] = (a - b[i]) - c, capped at upper, into
    // t[i] for i < n; true when the
    // product decides every one of them and none lies below class 1. The same operations as
    // Rounded on each argument, on the widest vector lanes at hand and without a branch; an
    // argument beyond the limit enters the product as 0, raising no flag Rounded would not.
    bool RoundedClasses(double a, const double* b, double c, int n, int upper, int* t) const {
        if (const ClassRowKernel wide = WideClassRowKernel())
            return wide(RowJob(), a, b, c, n, upper, t);
        return RoundedClassesSse2(a, b, c, n, upper, t);
    }

    // What the wider kernels take of this divisor.
    ClassRowJob RowJob() const { return {inv_, limit_}; }

    // RoundedClasses two at a time, where no wider kernel serves.
    bool RoundedClassesSse2(double a, const double* b, double c, int n, int upper, int* t) const {
        int i = 0;
        bool all = true;
#if defined(__SSE2__)
        const __m128d absMask = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff));
        const __m128d limit = _mm_set1_pd(limit_);
        const __m128d inv = _mm_set1_pd(inv_);
        const __m128d shift = _mm_set1_pd(0x1.8p52);
        const __m128d tolerance = _mm_set1_pd(0.5 - 1e-12);
        const __m128d one = _mm_set1_pd(1.0);
        const __m128d top = _mm_set1_pd(upper);
        __m128d ok = _mm_castsi128_pd(_mm_set1_epi32(-1));
        for (; i + 2 <= n; i += 2) {
            const __m128d x =
                _mm_sub_pd(_mm_sub_pd(_mm_set1_pd(a), _mm_loadu_pd(b + i)), _mm_set1_pd(c));
            const __m128d inRange = _mm_cmple_pd(_mm_and_pd(x, absMask), limit);
            const __m128d q = _mm_mul_pd(_mm_and_pd(x, inRange), inv);
            const __m128d r = _mm_sub_pd(_mm_add_pd(q, shift), shift);
            const __m128d decided = _mm_cmple_pd(_mm_and_pd(_mm_sub_pd(q, r), absMask), tolerance);
            const __m128d valid = _mm_cmpge_pd(r, _mm_setzero_pd());
            ok = _mm_and_pd(ok, _mm_and_pd(inRange, _mm_and_pd(decided, valid)));
            const __m128i k = _mm_cvttpd_epi32(_mm_min_pd(_mm_add_pd(r, one), top));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(t + i), k);
        }
        all = _mm_movemask_pd(ok) == 3;
#endif
        for (; i < n; ++i) {
            const double num = a - b[i] - c;
            const bool inRange = std::fabs(num) <= limit_;
            const double q = (inRange ? num : 0.0) * inv_;
            const double r = RoundHalfEven(q);
            all &= inRange & (std::fabs(q - r) <= 0.5 - 1e-12) & (r >= 0);
            t[i] = static_cast<int>(std::min(r + 1.0, static_cast<double>(upper)));
        }
        return all;
    }

  private:
    double inv_ = 0.0;
    double limit_ = -1.0; // below any |num|: always divide
};

} // namespace tessavin
