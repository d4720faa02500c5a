#include "sensitivity/sensitivity.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <variant>

#include "calculation/driver.h"
#include "calculation/load_effect.h"
#include "calculation/resistance_histograms.h"
#include "common/worker_threads.h"
#include "exactplan/plan_of_calculation.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin::sensitivity {
namespace {

// A state to run from: the input histograms and, as far as `reuse` allows, the year-independent
// results of `from`. The other results start empty, as in a state never run.
void StartFrom(const CalculationState& from, CalculationState& to, Reuse reuse) {
    to.inputs = from.inputs;
    if (reuse == Reuse::Nothing) return;
    to.DeltaSm = from.DeltaSm;
    to.DeltaSmReady = from.DeltaSmReady;
    to.Raac = from.Raac;
    to.RaacReady = from.RaacReady;
    to.CurrentFy = from.CurrentFy;
    to.CurrentSigma = from.CurrentSigma;
    if (reuse == Reuse::Raac) return; // R(ad) is built again before the run
    to.Rad = from.Rad;
    to.RadReady = from.RadReady;
}

std::string Joined(const std::vector<Failure>& failures) {
    std::string text;
    for (const Failure& f : failures)
        text += (text.empty() ? "" : "\n") + f.text;
    return text;
}

struct Outcome {
    bool ok = false;
    std::string failure, focus;
    RunResult result;
    std::optional<int> next;
};

Outcome Failed(std::string failure, std::string focus = {}) {
    Outcome o;
    o.failure = std::move(failure);
    o.focus = std::move(focus);
    return o;
}

// One run of the plan as a front end makes it, without its questions. What `reuse` does not keep
// of ΔS^m and the resistances is built here, after the moved input's rebuild; with all three
// ready the driver goes straight to the years.
Outcome RunPlanOnce(CalculationInputs& in, CalculationState& state, Reuse reuse, int threads) {
    CalculationDriver driver(in, state);
    const RunPlan plan = driver.Prepare();
    for (std::size_t i = 0; i < plan.rebuilt.size(); ++i)
        if (plan.rebuilt[i].status != RebuildOutcome::Status::Built) {
            const std::string why = Joined(plan.rebuilt[i].reports);
            return Failed("input " + std::to_string(plan.rebuiltInputs[i]) +
                          " gives no histogram for its parameters" +
                          (why.empty() ? "" : ": " + why));
        }
    if (plan.error) return Failed(plan.error->text, plan.error->focus);
    bool built = true;
    if (reuse == Reuse::Resistances) built = DeltaSmStep(in, state);
    if (reuse == Reuse::Raac) {
        ResistanceOptions options;
        options.threads = threads;
        built = ResVypJevuU(in, state, options).ok;
    }
    if (!built)
        return Failed(Joined(state.Reports),
                      state.Reports.empty() ? std::string() : state.Reports.front().focus);
    DriverOptions options;
    options.threads = threads;
    Outcome o;
    o.result = driver.Run(plan, options);
    if (o.result.end != RunEnd::Completed) {
        const auto& errors = o.result.errors;
        return Failed(errors.empty() ? TextCis(msg::CalculationIncomplete) : Joined(errors),
                      errors.empty() ? std::string() : errors.front().focus);
    }
    if (in.integration.exactPlan) {
        auto exact = exactplan::ExactPlanOfCalculation(in, state.inputs, threads);
        if (const Failure* f = std::get_if<Failure>(&exact))
            return Failed(FormatMessage(TextCis(msg::ExactPlanFailed), f->text));
        const auto& planned = std::get<exactplan::ExactPlanResult>(exact).inspections;
        const std::size_t nextIndex = in.inspected.empty() ? 1 : 0;
        if (planned.size() > nextIndex) o.next = planned[nextIndex].made;
    }
    o.ok = true;
    return o;
}

PlanFigures Figures(const Outcome& o, int referenceYear) {
    PlanFigures f;
    f.ok = o.ok;
    f.failure = o.failure;
    f.focus = o.focus;
    if (!o.ok) return f;
    if (o.result.first && o.result.first->found)
        f.first = std::array<int, 2>{o.result.first->from, o.result.first->to};
    for (const YearRow& row : o.result.rows) {
        f.curve.push_back(row.pF);
        if (row.year == referenceYear) f.pF = row.pF;
    }
    f.next = o.next;
    return f;
}

SensitivityRow MakeRow(const ParameterMove& move, double base, double down, double up,
                       PlanFigures atDown, PlanFigures atUp, const PlanFigures& atBase) {
    SensitivityRow row;
    row.move = move;
    row.base = base;
    row.down = down;
    row.up = up;
    row.atDown = std::move(atDown);
    row.atUp = std::move(atUp);
    if (row.atDown.pF && row.atUp.pF) {
        const double dpF = *row.atUp.pF - *row.atDown.pF;
        row.swing = std::fabs(dpF);
        if (atBase.pF && *atBase.pF != 0.0 && base != 0.0 && up != down)
            row.elasticity = (dpF / *atBase.pF) / ((up - down) / base);
    }
    return row;
}

} // namespace

SensitivityResult AnalyseSensitivity(const CalculationInputs& in, const CalculationState& loaded,
                                     const SensitivitySettings& settings,
                                     const SensitivityProgress& progress,
                                     const std::atomic<bool>* stop) {
    SensitivityResult r;
    const double step = settings.step;
    if (!(step > 0.0 && step < 1.0)) {
        r.failure = TextCis(msg::StepNotAShare);
        r.field = "step";
        return r;
    }
    CalculationInputs baseIn = in;
    const auto baseState = std::make_unique<CalculationState>();
    StartFrom(loaded, *baseState, Reuse::Everything);
    // The base run alone uses every thread; the moved runs share them out, one run a thread.
    const Outcome base = RunPlanOnce(baseIn, *baseState, Reuse::Everything, settings.threads);
    if (!base.ok) {
        r.failure = FormatMessage(TextCis(msg::BaseRunFailed), base.failure);
        r.field = base.focus;
        return r;
    }
    const RunResult& b = base.result;
    r.referenceYear = b.first && b.first->found ? b.first->to
                      : b.rows.empty()          ? 0
                                                : b.rows.back().year;
    r.base = Figures(base, r.referenceYear);

    const std::vector<ParameterMove>& moves = ParameterMoves();
    const int total = static_cast<int>(2 * moves.size());
    std::vector<PlanFigures> figures(static_cast<std::size_t>(total));
    std::vector<double> values(static_cast<std::size_t>(total), 0.0);
    std::vector<char> reused(static_cast<std::size_t>(total), 0);
    std::atomic<int> nextRun{0}, done{0};
    std::atomic<bool> stopped{false};
    auto work = [&] {
        for (int i = nextRun++; i < total; i = nextRun++) {
            if (stop && stop->load()) {
                stopped = true;
                return;
            }
            const std::size_t at = static_cast<std::size_t>(i);
            const ParameterMove& move = moves[at / 2];
            const Reuse reuse = settings.reuse ? ReuseOf(move) : Reuse::Nothing;
            CalculationInputs movedIn = baseIn;
            const auto state = std::make_unique<CalculationState>();
            StartFrom(*baseState, *state, reuse);
            values[at] =
                ApplyMove(move, i % 2 == 0 ? 1.0 - step : 1.0 + step, movedIn, state->inputs);
            figures[at] = Figures(RunPlanOnce(movedIn, *state, reuse, 1), r.referenceYear);
            reused[at] = reuse != Reuse::Nothing;
            if (progress) progress(++done, total);
        }
    };
    RunOnThreads(settings.threads, total, work);
    if (stopped) {
        r.interrupted = true;
        return r;
    }
    r.runs = total;
    r.reusingRuns = static_cast<int>(std::count(reused.begin(), reused.end(), 1));
    for (std::size_t k = 0; k < moves.size(); ++k) {
        const ParameterMove& move = moves[k];
        SensitivityRow row =
            MakeRow(move, BaseValue(move, baseIn, baseState->inputs).value_or(0.0), values[2 * k],
                    values[2 * k + 1], figures[2 * k], figures[2 * k + 1], r.base);
        row.measured = IsMeasured(move, baseIn);
        r.rows.push_back(std::move(row));
    }
    std::stable_sort(
        r.rows.begin(), r.rows.end(),
        [](const SensitivityRow& a, const SensitivityRow& c) { return a.swing > c.swing; });
    return r;
}

} // namespace tessavin::sensitivity
