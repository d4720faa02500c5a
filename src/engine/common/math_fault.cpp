#include "common/math_fault.h"

#include <cfenv>

#include "localisation/message_ids.h"

namespace tessavin {

int MathFaultMessage(MathFault fault) {
    switch (fault) {
    case MathFault::DivisionByZero:
        return msg::DivisionByZero;
    case MathFault::Overflow:
        return msg::Overflow;
    case MathFault::Underflow:
        return msg::Underflow;
    case MathFault::Invalid:
        return msg::UndefinedFloatOperation;
    case MathFault::OtherMath:
        return msg::ForbiddenMathOperation;
    case MathFault::Other:
    case MathFault::None:
        break;
    }
    return msg::UndefinedOperation;
}

void ClearMathFlags() {
    std::feclearexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
}

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
