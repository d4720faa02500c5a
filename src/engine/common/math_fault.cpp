#include "common/math_fault.h"

#include <cfenv>

namespace tessavin {

int MathFaultMessage(MathFault fault) {
    switch (fault) {
    case MathFault::DivisionByZero: return 101;
    case MathFault::Overflow: return 102;
    case MathFault::Underflow: return 103;
    case MathFault::Invalid: return 104;
    case MathFault::OtherMath: return 105;
    case MathFault::Other:
    case MathFault::None: break;
    }
    return 106;
}

void ClearMathFlags() { std::feclearexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID); }

MathFault RaisedMathFault() {
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (raised & FE_DIVBYZERO) return MathFault::DivisionByZero;
    if (raised & FE_OVERFLOW) return MathFault::Overflow;
    if (raised & FE_INVALID) return MathFault::Invalid;
    return MathFault::None;
}

void ThrowOnMathFault() {
    const MathFault fault = RaisedMathFault();
    if (fault != MathFault::None) throw MathFaultError(fault);
}

} // namespace tessavin
