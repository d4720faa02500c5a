#pragma once
// Class indices of the combining steps without a division per pair of classes. Every result is
// the whole number that rounding the quotient gives, bit for bit.
#include <cmath>

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

  private:
    double inv_ = 0.0;
    double limit_ = -1.0; // below any |num|: always divide
};

} // namespace tessavin
