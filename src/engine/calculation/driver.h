#pragma once
// The calculation command: the checks and questions before a run, the year-independent steps,
// the year loop and the inspection searches, with every displayed value returned as data. The
// front end asks the questions, shows the boxes and draws the rows; the driver only computes.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calculation/inspections.h"
#include "calculation/load_effect.h"
#include "calculation/model.h"
#include "calculation/resistance_histograms.h"

namespace tessavin {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb RedColour{255, 0, 0};
inline constexpr Rgb BlueColour{0, 0, 255};
inline constexpr Rgb WhiteColour{255, 255, 255};
inline constexpr Rgb OliveColour{128, 128, 0};
inline constexpr Rgb YellowColour{207, 213, 17};

// One point added to a chart series: the value, its label on the bottom axis, its colour.
struct SeriesPoint {
    double value = 0.0;
    std::string label;
    Rgb colour;
};

// Charts the driver fills: Chart3 of the results page and the event graph window.
enum class ChartId { Inspection, EventGraph };

// A point for the series named by its control name (LineSeries2, Series1, HistogramSeries3, ...).
struct NamedPoint {
    ChartId chart = ChartId::Inspection;
    std::string series;
    SeriesPoint point;
};

// One computed year: a row of the year tables and the chart points of that year.
struct YearRow {
    int row = 0; // 1-based row of the year tables
    int year = 0;
    double pU = 0.0, pD = 0.0, pF = 0.0; // after the saturation rule
    std::string yearText;                // YearCellText
    std::array<std::string, 3> texts;    // pU, pD, pF by StrNaCarku1
    std::vector<NamedPoint> points;
    bool showInspectionChart = false; // Pd > 0: Chart3 and Panel3 shown
};

// What the checks before a run found. Boxes come in the order of the fields: the rebuild
// reports, the step warning, then either the error or the question.
struct RunPlan {
    int start = 0, step = 0, end = 0;
    bool stepFieldZero = false;             // start = end: the step field shows "0"
    std::vector<RebuildOutcome> rebuilt;    // inputs rebuilt from their fields, in input order
    std::vector<int> rebuiltInputs;         // their numbers 1 .. 6
    std::optional<Failure> warning;         // message 273
    std::optional<Failure> error;           // message 57: no run
    std::optional<Failure> confirmation;    // message 235: run only after Yes
    int yearTableRows = 0;                  // StringGrid3 of the results page
    int eventTableRows = 0;                 // StringGrid2 of the event graph window
    std::string periodLabel;                // Label15
    std::array<std::string, 2> chartTitles; // Chart3: messages 240 and 238
    double Pd = 0.0;
    bool CanRun() const { return !error.has_value(); }
};

enum class RunEnd {
    Completed,
    Failed,      // a step failed: errors hold its boxes, abortKind what follows them
    Interrupted, // BPrerus: the years so far stay
    YearLimit,   // message 251
    NotRun,      // the plan's error, or the confirmation declined
};

struct RunResult {
    RunEnd end = RunEnd::NotRun;
    std::vector<Failure> errors;   // error boxes, in order
    std::vector<Failure> warnings; // message 254
    AbortKind abortKind = AbortKind::None;

    bool resistancesBuilt = false;   // the year-independent steps ran in this run
    std::string radLabel, raacLabel; // Label25 / Label26 after the resistance steps
    std::vector<YearRow> rows;
    bool saturated = false;
    bool noExceedance = true;

    std::optional<FirstInspectionResult> first; // searched when Pd > 0
    bool offerRefinement = false;               // BnUpresnit shown
    bool furtherSearched = false;
    InspectionPlan plan;
    InspectionChart inspectionChart;
    std::optional<InspectionTable> inspectionTable; // block 3, when more than one inspection
    bool writeResultFile = false;                   // control printing is on
};

// The year group after choosing a year: pU, pD, pF of that year unsaturated.
struct YearChoiceResult {
    bool ok = false;
    std::vector<Failure> errors;
    AbortKind abortKind = AbortKind::None;
    std::array<double, 3> values{};
    std::array<std::string, 3> texts;
};

struct DriverOptions {
    int threads = 0; // resistance loop; 0: one per core
    // Called on the calculating thread; the front end queues them to its own.
    std::function<void(const ResistanceProgress&)> resistanceProgress;
    std::function<void(int position, int maximum)> gauge;
    std::function<void(const YearRow&)> yearDone;
    // Nn passes kept beyond this driver, for runs one after another on one thread (a batch's
    // studies share the one-year input mostly); null: the driver's own.
    NnCache* nnCache = nullptr;
    // Resistance histograms kept beyond this driver in the same way; null: always built.
    ResistanceCache* resistanceCache = nullptr;
};

class CalculationDriver {
  public:
    CalculationDriver(CalculationInputs& in, CalculationState& state) : in_(in), state_(state) {}

    // The checks before a run. Clears the event probabilities and rebuilds the inputs whose
    // histogram is not built (not during a refinement), on up to `threads` threads (0: one per
    // core).
    RunPlan Prepare(int threads = 1);
    // The run itself, after the front end showed the plan's boxes and got Yes.
    RunResult Run(const RunPlan& plan, const DriverOptions& options = {});
    // Refinement: the period firstFrom .. firstTo with step 1, without questions. A front end
    // that runs the steps itself brackets Prepare and Run with Begin/EndRefinement.
    RunResult Refine(const DriverOptions& options = {});
    void BeginRefinement();
    void EndRefinement();
    // CBVyberChange: Nn, Sn, U and F of the chosen year, no saturation.
    YearChoiceResult RecomputeYear(const std::string& yearText);

    // Safe from any thread: the running step stops at its next test.
    void RequestInterrupt() { state_.Interrupt = true; }

  private:
    bool YearIndependentSteps(const DriverOptions& options, RunResult& result,
                              const std::function<LoopHelper*()>& deltaSmBuilt);
    bool YearSteps(int year, NnCache& cache);
    YearRow MakeYearRow(int row, int year, double Pd) const;
    void Finish(RunResult& result, RunEnd end);

    CalculationInputs& in_;
    CalculationState& state_;
    NnCache cache_;
    std::array<std::string, 3> savedPeriod_; // startText, stepText, endText during a refinement
};

// The confirmation text of message 235 for a period.
std::string PeriodConfirmationText(int start, int end, int step);

} // namespace tessavin
