#include "sensitivity/parameter_moves.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

#include "common/number_parse.h"
#include "histogram/class_mean.h"

namespace tessavin::sensitivity {
namespace {

const char* const InputKeys[RandomInputCount + 1] = {
    "", "DeltaS", "ranges_per_year", "Fy", "sigma", "a0", "ad"};

// The probability-weighted standard deviation of the class values about their mean.
double ClassValueDeviation(const DiscreteHistogram& h, double mean) {
    long double sum = 0.0L, weight = 0.0L;
    for (int i = 1; i <= h.Bins; ++i) {
        const long double d = ClassValue(h, i) - mean;
        sum += h.P[i] * d * d;
        weight += h.P[i];
    }
    return weight > 0 ? static_cast<double>(std::sqrt(sum / weight)) : 0.0;
}

const std::string& FieldOf(const ParameterMove& move, const CalculationInputs& in) {
    if (move.input == 0) return std::string_view(move.inputKey) == "C" ? in.C : in.m;
    const RandomInputFields& f = in.random[move.input];
    return move.parameter == Parameter::Mi ? f.mi : f.sigma;
}

std::string& FieldOf(const ParameterMove& move, CalculationInputs& in) {
    return const_cast<std::string&>(FieldOf(move, std::as_const(in)));
}

} // namespace

const std::vector<ParameterMove>& ParameterMoves() {
    static const std::vector<ParameterMove> moves = [] {
        std::vector<ParameterMove> list;
        for (int k = 1; k <= RandomInputCount; ++k) {
            list.push_back({k, Parameter::Mi, InputKeys[k], "Mi"});
            list.push_back({k, Parameter::Sigma, InputKeys[k], "Sigma"});
        }
        list.push_back({0, Parameter::Value, "C", "value"});
        list.push_back({0, Parameter::Value, "m", "value"});
        return list;
    }();
    return moves;
}

Reuse ReuseOf(const ParameterMove& move) {
    switch (move.input) {
    case 0:
        return std::string_view(move.inputKey) == "C" ? Reuse::Everything : Reuse::Nothing;
    case 1:
        return Reuse::Resistances;
    case 2:
        return Reuse::Everything;
    case 6:
        return Reuse::Raac;
    default:
        return Reuse::Nothing;
    }
}

bool IsMeasured(const ParameterMove& move, const CalculationInputs& in) {
    return move.input > 0 && in.random[move.input].source == InputSource::RawData;
}

std::optional<double> BaseValue(const ParameterMove& move, const CalculationInputs& in,
                                const InputHistograms& histograms) {
    if (IsMeasured(move, in)) {
        const DiscreteHistogram& h = histograms.histogram[move.input];
        const double mean = ClassValueMean(h);
        return move.parameter == Parameter::Mi ? mean : ClassValueDeviation(h, mean);
    }
    return ParseReal(FieldOf(move, in));
}

double ApplyMove(const ParameterMove& move, double factor, CalculationInputs& in,
                 InputHistograms& histograms) {
    if (IsMeasured(move, in)) {
        DiscreteHistogram& h = histograms.histogram[move.input];
        const double mean = ClassValueMean(h);
        if (move.parameter == Parameter::Mi) {
            const double shift = mean * (factor - 1.0);
            h.XFirst += shift;
            h.XLast += shift;
            return mean + shift;
        }
        const double deviation = ClassValueDeviation(h, mean);
        h.XFirst = mean + (h.XFirst - mean) * factor;
        h.XLast = mean + (h.XLast - mean) * factor;
        h.Step *= factor;
        return deviation * factor;
    }
    std::string& field = FieldOf(move, in);
    const double moved = ParseReal(field).value_or(0.0) * factor;
    field = FieldNumberText(moved);
    if (move.input > 0) histograms.ready[move.input] = false;
    return moved;
}

std::string FieldNumberText(double x) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, x).ptr;
    std::string s(text, end);
    std::replace(s.begin(), s.end(), 'e', 'E');
    return s;
}

} // namespace tessavin::sensitivity
