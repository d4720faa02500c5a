#pragma once
// The one histogram record of the system and the scratch histogram in range form.
#include <array>
#include <cstdint>

namespace tessavin {

inline constexpr int MaxBins = 1024;

// Class probabilities, 1-based like every class index of the method: P[1..MaxBins]; P[0] is unused.
using ClassArray = std::array<double, MaxBins + 1>;

struct DiscreteHistogram {
    std::int32_t Bins = 0; // classes 1..Bins belong to the histogram
    double XFirst = 0.0;   // centre of class 1
    double XLast = 0.0;    // centre of class Bins
    double Step = 0.0;     // class width
    double Total = 0.0;    // frequency total the probabilities stand for
    ClassArray P{};
};

// Range form: class i has the value Min + (i - 1/2) * Step.
struct WorkingHistogram {
    ClassArray P{};
    double Min = 0.0;
    double Max = 0.0;
    double Step = 0.0;
    double Span = 0.0;
    std::int32_t Bins = 0;
    long double Total = 0.0L;
};

// Copies the range form into target; a working histogram without classes leaves target as it was.
// One class keeps its Step (the recomputed width would be 0/0).
void StoreWorkingHistogram(const WorkingHistogram& source, DiscreteHistogram& target);

double ClassValue(const DiscreteHistogram& h, int i);
double ClassLower(const DiscreteHistogram& h, int i);
double ClassUpper(const DiscreteHistogram& h, int i);
inline double RangeMin(const DiscreteHistogram& h) {
    return h.XFirst - h.Step / 2;
}
inline double RangeMax(const DiscreteHistogram& h) {
    return h.XLast + h.Step / 2;
}

long double ProbabilitySum(const DiscreteHistogram& h);

// The frequency total that the probabilities P[1..bins] stand for: the sum of 1/P over the
// occupied classes, in extended precision (1/P of a tiny tail probability is beyond what a double
// sum survives).
long double FrequencyTotal(const ClassArray& P, int bins);

// `total` divided by ten until it fits a 64-bit count (at most 2^63 - 1).
long double WithinCountRange(long double total);

// A histogram the calculation can use: 1 .. MaxBins classes, XFirst <= XLast, a positive Step
// when there is more than one class, and finite, non-negative probabilities summing to 1 within
// 1e-9.
bool IsUsableHistogram(const DiscreteHistogram& h);

// Drops empty classes at both ends. first/last are class values; span is written only when
// something was trimmed. Interior empty classes stay; entries above the new bins keep their values.
void TrimZeroEndClasses(ClassArray& P, double& first, double& last, int& bins, double step,
                        double& span);

// The range form trimmed the same way: each leading empty class raises Min by one Step,
// Max ends on the upper edge of the last kept class.
void TrimWorkingHistogram(WorkingHistogram& h);

} // namespace tessavin
