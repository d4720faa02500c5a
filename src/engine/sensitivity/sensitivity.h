#pragma once
// What drives the plan: the plan again with each parameter moved down and up by a step of its
// value, for Mi and Sigma of the six random inputs and for C and m. No sampling: the same
// numbers on every run and for any number of threads (each moved run is computed whole on one
// thread and placed by its index).
#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calculation/model.h"
#include "sensitivity/parameter_moves.h"

namespace tessavin::sensitivity {

struct SensitivitySettings {
    double step = 0.1; // the move, a fraction of the value: 0 < step < 1
    int threads = 0;   // moved runs at once; 0: one per core
    // A run whose ΔS^m and resistances do not change takes them from the base run (the results
    // are the same bits either way; off only to show that).
    bool reuse = true;
};

// What one run of the plan gives.
struct PlanFigures {
    bool ok = false;
    std::string failure;                     // why the run gave no plan
    std::string focus;                       // the control the failure concerns; empty for none
    std::optional<std::array<int, 2>> first; // the first inspection: the years it lies between
    std::optional<double> pF;                // pF at the reference year
    std::vector<double> curve;               // pF of every computed year
    // With the exact plan: the year the next inspection is made in (the one after the first;
    // with past inspections, the first one planned).
    std::optional<int> next;
};

struct SensitivityRow {
    ParameterMove move;
    bool measured = false; // moved as measured data: shifted (Mi) or scaled (Sigma)
    double base = 0.0, down = 0.0, up = 0.0; // the parameter's values
    PlanFigures atDown, atUp;
    double swing = 0.0; // |pF up − pF down|; 0 when either run failed
    // (ΔpF/pF)/(Δparameter/parameter) with ΔpF = pF up − pF down over Δparameter = up − down
    // = 2·step·base: (pF up − pF down) / (2·step·pF). None when pF or the base value is 0 or a
    // run failed.
    std::optional<double> elasticity;
};

struct SensitivityResult {
    std::string failure; // the analysis did not run: a bad step or a failed base run
    std::string field;   // "step", or the control the base run's failure concerns
    PlanFigures base;
    int referenceYear = 0; // the base run's first inspection year (its "to"), else its last year
    std::vector<SensitivityRow> rows; // widest swing of pF first; equal swings in input order
    bool interrupted = false;         // stopped: rows holds no result
    int runs = 0;                     // moved runs made
    int reusingRuns = 0; // of them, runs that kept ΔS^m or a resistance of the base run
};

// done(runs finished, runs); called from the worker threads, so it must be thread-safe.
using SensitivityProgress = std::function<void(int done, int total)>;

// `in` and `loaded` as the front end read them (a project's stored histograms included). `stop`
// (may be null) is read before each run starts.
SensitivityResult AnalyseSensitivity(const CalculationInputs& in, const CalculationState& loaded,
                                     const SensitivitySettings& settings,
                                     const SensitivityProgress& progress = {},
                                     const std::atomic<bool>* stop = nullptr);

} // namespace tessavin::sensitivity
