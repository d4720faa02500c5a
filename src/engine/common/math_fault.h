#pragma once
// Floating-point faults of a computing step, detected through the status flags of <cfenv>.
// Gradual underflow is a normal result and never a fault.
#include <stdexcept>

namespace tessavin {

enum class MathFault { None, DivisionByZero, Overflow, Underflow, Invalid, OtherMath, Other };

// Catalogue number of the report of a fault: 101 ... 106.
int MathFaultMessage(MathFault fault);

// Clears the divide-by-zero, overflow and invalid flags.
void ClearMathFlags();
// The fault whose flag is raised now (divide-by-zero first), or None.
MathFault RaisedMathFault();

// Thrown inside the engine's guarded blocks only; every such block catches it.
struct MathFaultError : std::runtime_error {
    explicit MathFaultError(MathFault f) : std::runtime_error("math fault"), fault(f) {}
    MathFault fault;
};

// Throws MathFaultError when a flag is raised.
void ThrowOnMathFault();

} // namespace tessavin
