#pragma once
// Inputs and shared state of the fatigue-crack calculation.
#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "calculation/default_inputs.h"
#include "common/failure.h"
#include "histogram/histogram.h"
#include "parametric/input_histograms.h"

namespace tessavin {

inline constexpr int MaxYear = 300;          // per-year arrays hold years 0 .. 300
inline constexpr int ProbabilityBlocks = 11; // block 1: no inspection; 2 .. 11: after inspections
inline constexpr int ResistanceBins = 256;

enum class IntegrationMethod { Trapezoid = 0, Simpson = 1, Romberg = 2, Adaptive = 3, Gauss = 4 };

// What a class stands for where the method combines classes. First: its lower edge, and a
// resistance histogram placed one class above its grid (the method as it always was). Centre:
// its class value, a resistance histogram on the grid of its computed values, and each pair of
// a difference R − Sn shared between its two nearest classes; unbiased to first order in the
// class widths.
enum class Convention { First = 0, Centre = 1 };

// The value of class i of h that enters a combination under the convention.
inline double CombinedValue(const DiscreteHistogram& h, int i, Convention convention) {
    return convention == Convention::Centre ? ClassValue(h, i) : ClassLower(h, i);
}

// The settings of the integration window as last accepted.
struct IntegrationSettings {
    int method = DefaultInputs().method; // CBMetoda item; any other index integrates to 0
    int steps = DefaultInputs().steps;   // N of the trapezoid and Simpson rules (EdNintegrace)
    int levels = DefaultInputs().levels; // n of Romberg (EdN)
    double tol0 = DefaultInputs().tol0;  // tolerance of the adaptive method (EdTol0)
    std::string stepsText{DefaultInputs().stepsText};
    std::string levelsText{DefaultInputs().levelsText};
    std::string tol0Text{DefaultInputs().tol0Text};
    Convention convention = Convention::First; // CBKonvence
    bool exactPlan = false; // CBPlan: the exact plan is computed after the rule's
};

// The six input rows at first start: the type choice and Mi / Sigma texts of each, N the default
// number of intervals.
std::array<RandomInputFields, RandomInputCount + 1> DefaultRandomFields();

// The deterministic inputs as the input page holds them: field texts as typed, parsed by the
// steps that read them.
struct CalculationInputs {
    std::string C{DefaultInputs().C};         // EdKonstC
    std::string m{DefaultInputs().m};         // EdMocM
    std::string bf{DefaultInputs().bf};       // EdSirPas
    std::string tf{DefaultInputs().tf};       // EdTloPas
    double tfValue = DefaultInputs().tfValue; // tf as accepted last by its field
    std::string Pd{DefaultInputs().Pd};       // EdNavPravd
    int crackOrigin = 0;                      // CBSireni: 0 edge, 1 surface
    // The year fields EdRokT / EdRokKrok / EdRokKon ...
    std::string yearStart{DefaultInputs().yearStart};
    std::string yearStep{DefaultInputs().yearStep};
    std::string yearEnd{DefaultInputs().yearEnd};
    // ... and the period texts they last accepted (acceptedYears).
    std::string startText{DefaultInputs().yearStart};
    std::string stepText{DefaultInputs().yearStep};
    std::string endText{DefaultInputs().yearEnd};
    IntegrationSettings integration;
    bool lowerBound = true; // menu DolMez ticked (HorMez otherwise)
    bool controlPrint = false;
    std::string eps{DefaultInputs().eps};             // EdEps
    std::string intervals{DefaultInputs().intervals}; // EdPocetIntervalu
    std::string projectName;                          // EdProjekt
    std::array<RandomInputFields, RandomInputCount + 1> random = DefaultRandomFields(); // [1..6]
    std::string par3 = "1.5"; // the parameter block's third and fourth parameters
    std::string par4 = "1";
    // Past inspections that found nothing (years, strictly increasing, within the period): the
    // exact plan is conditioned on them first.
    std::vector<int> inspected;
};

// A derived histogram with the span trimming left.
struct StateHistogram : DiscreteHistogram {
    double Span = 0.0;
};

// EventProbabilities[block 1..11][row 1..3][year 0..300]; index 0 of block and row unused.
using EventTable =
    std::array<std::array<std::array<double, MaxYear + 1>, 4>, ProbabilityBlocks + 1>;

// What ends a failed step besides its message.
enum class AbortKind {
    None,
    Calculation, // AbortCalculation: results reset, busy state left
    InputPage,   // AbortToInputPage: results dropped, the input page shown
};

struct CalculationState {
    InputHistograms inputs; // InputHistogram[1..6] and their chart-button states

    StateHistogram DeltaSm, Nn, Sn, Rad, Raac, RfU, RfF;
    bool DeltaSmReady = false;
    bool NnReady = false;
    bool SnReady = false;
    // Ready states mirrored to the chart buttons of the results page.
    bool NnCurrent = false; // BGN: Nn is that of the current year
    bool SnCurrent = false; // BGV: Sn is that of the current year
    bool RadReady = false;  // BJevU
    bool RaacReady = false; // BJevF
    bool RfUReady = false;  // BjevuUmSn
    bool RfFReady = false;  // BjevuFmSn

    double CurrentFy = 0.0;
    double CurrentSigma = 0.0;

    EventTable EventProbabilities{};

    // Period and year bookkeeping.
    int start = 0, step = 1, end = 0;
    int acceptedStep = 1;
    int currentYear = 0; // the year whose Nn, Sn and probabilities are computed now

    // Inspections.
    int firstFrom = 0, firstTo = 0;
    int inspectionsFound = 0;
    int blockShown = 3;
    bool refining = false; // BnUpresnit visible: a refinement runs

    // Control.
    bool Abort = false;
    std::atomic<bool> Interrupt{false};
    std::string StepName;
    std::string HistogramTitle;

    // Failures reported by the steps, in order; the front end shows each as an error box.
    std::vector<Failure> Reports;
    AbortKind abortKind = AbortKind::None;

    void Fail(Failure f, AbortKind kind);
    double& Event(int block, int row, int year) { return EventProbabilities[block][row][year]; }
    double Event(int block, int row, int year) const {
        return EventProbabilities[block][row][year];
    }
};

// What resetResults clears of the state: the resistances and every year-dependent result.
void ResetResults(CalculationState& state);

// AbortCalculation: ResetResults and Abort; a step that already sent the user back to the input
// page keeps that kind.
void AbortCalculation(CalculationState& state);

} // namespace tessavin
