#include "calculation/model.h"

namespace tessavin {

void CalculationState::Fail(Failure f, AbortKind kind) {
    Reports.push_back(std::move(f));
    Abort = true;
    if (kind != AbortKind::None) abortKind = kind;
}

std::array<RandomInputFields, RandomInputCount + 1> DefaultRandomFields() {
    std::array<RandomInputFields, RandomInputCount + 1> f{};
    auto set = [&](int k, int type, const char* mi, const char* sigma) {
        f[k] = RandomInputFields{InputSource::Parametric, type, mi, sigma,
                                 std::string(DefaultInputs().intervals)};
    };
    set(1, 0, "30", "3");     // stress range DeltaS, Normal
    set(2, 0, "1E6", "1E5");  // stress ranges per year, Normal
    set(3, 1, "280", "28");   // yield stress Fy, LogNormal_2P
    set(4, 0, "200", "20");   // nominal stress sigma, Normal
    set(5, 1, "0.2", "0.05"); // initial crack size a0, LogNormal_2P
    set(6, 0, "10", "0.6");   // detectable crack size ad, Normal
    return f;
}

void ResetResults(CalculationState& state) {
    state.RadReady = false;
    state.RaacReady = false;
    state.NnCurrent = false;
    state.SnCurrent = false;
    state.RfUReady = false;
    state.RfFReady = false;
}

void AbortCalculation(CalculationState& state) {
    ResetResults(state);
    state.Abort = true;
    if (state.abortKind == AbortKind::None) state.abortKind = AbortKind::Calculation;
}

} // namespace tessavin
