#pragma once
// The parameters a sensitivity analysis moves, how a move changes the inputs of a run, and what
// of the base run a moved run may keep.
#include <optional>
#include <string>
#include <vector>

#include "calculation/model.h"

namespace tessavin::sensitivity {

enum class Parameter { Mi, Sigma, Value };

struct ParameterMove {
    int input = 0; // 1 .. 6: a random input; 0: C or m
    Parameter parameter = Parameter::Value;
    const char* inputKey;     // "DeltaS", "ranges_per_year", "Fy", "sigma", "a0", "ad", "C", "m"
    const char* parameterKey; // "Mi", "Sigma", "value"
};

// Mi and Sigma of the six random inputs in input order, then C and m.
const std::vector<ParameterMove>& ParameterMoves();

// What a moved run keeps of the base run. Derived from what each step reads: ΔS^m reads the
// stress range and m; R(aac) reads Fy, σ, a0, m and the fixed fields; R(ad) reads a0, ad, m,
// the fixed fields and the means of Fy and σ (the surface crack's cap); Nn reads the ranges per
// year; Sn reads C.
enum class Reuse {
    Everything,  // ΔS^m, R(ad), R(aac): C and the ranges per year
    Resistances, // R(ad), R(aac); ΔS^m is built again: the stress range
    Raac,        // ΔS^m and R(aac); R(ad) is built again: ad
    Nothing,     // m, Fy, σ, a0
};
Reuse ReuseOf(const ParameterMove& move);

// An input from measured data (its histogram is all there is): Mi is its mean, Sigma its
// standard deviation.
bool IsMeasured(const ParameterMove& move, const CalculationInputs& in);

// The parameter's value in the base run: the field's number, or for measured data the mean or
// the standard deviation of the histogram. None when the field holds no number.
std::optional<double> BaseValue(const ParameterMove& move, const CalculationInputs& in,
                                const InputHistograms& histograms);

// Moves the parameter to `factor` × its base value (factor = 1 ∓ step): a field gets the moved
// number's text and its input is marked for rebuilding; measured data are shifted as a whole
// (Mi) or scaled about their mean (Sigma). Returns the moved value.
double ApplyMove(const ParameterMove& move, double factor, CalculationInputs& in,
                 InputHistograms& histograms);

// A field text that reads back as exactly x ("2.4200000000000003E-13").
std::string FieldNumberText(double x);

} // namespace tessavin::sensitivity
