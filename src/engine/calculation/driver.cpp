#include "calculation/driver.h"

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <memory>
#include <thread>

#include "calculation/reliability.h"
#include "calculation/year_pipeline.h"
#include "common/number_parse.h"
#include "common/worker_threads.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

// Rebuilds inputs `ks` (in input order) on up to `threads` threads, each outcome at its index. A
// build writes only its own input's histogram, so the results are those of the builds in turn.
// Each build starts with clear fault flags, as its discretisation clears them; the calling thread
// ends with the flags the last build left, as after the builds in turn.
std::vector<RebuildOutcome> RebuildInputs(const std::vector<int>& ks, const CalculationInputs& in,
                                          InputHistograms& inputs, int threads) {
    constexpr int FaultFlags = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;
    std::vector<RebuildOutcome> out(ks.size());
    std::vector<std::fexcept_t> left(ks.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < ks.size();) {
            std::feclearexcept(FaultFlags);
            const int k = ks[i];
            out[i] = RebuildInput(k, in.random[k], in.eps, in.par3, in.par4, inputs);
            std::fegetexceptflag(&left[i], FaultFlags);
        }
    };
    RunOnThreads(threads, static_cast<long long>(ks.size()), work);
    if (!ks.empty()) std::fesetexceptflag(&left.back(), FaultFlags);
    return out;
}

// A period text read without a check, kept far from the int limits so that sums stay exact.
int PeriodValue(const std::string& text) {
    return static_cast<int>(std::clamp(ParseWholePrefix(text), -1000000000LL, 1000000000LL));
}

// The years the year loop visits, up to the last one the year arrays hold.
std::vector<int> LoopYears(int start, int step, int end) {
    std::vector<int> years;
    long long y = static_cast<long long>(start) - step;
    while (y <= static_cast<long long>(end) - step && y + step <= MaxYear) {
        y += step;
        years.push_back(static_cast<int>(y));
        if (step == 0) break;
    }
    return years;
}

int UsableThreads(int requested) {
    return requested > 0 ? requested
                         : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

int RowCount(int start, int step, int end) {
    return step != 0 ? (end + step - start) / step + 1 : end - start + 1;
}

} // namespace

std::string PeriodConfirmationText(int start, int end, int step) {
    const std::string five(5, ' ');
    return TextCis(msg::CalculationForYears) + "\r\n\r\n" + five + std::to_string(start) +
           TextCis(msg::PeriodTo) + std::to_string(end) + TextCis(msg::PeriodUsingStep) +
           std::to_string(step) + std::string(10, ' ') + "\r\n\r\n" + five + TextCis(msg::Continue);
}

RunPlan CalculationDriver::Prepare(int threads) {
    RunPlan plan;
    plan.periodLabel = CaptionText(Caption::Label39) + " : " + CrackOriginText(in_.crackOrigin) +
                       "  ( " + in_.yearStart + " / " + in_.yearStep + " / " + in_.yearEnd +
                       " )  INT=" + in_.intervals;
    state_.EventProbabilities = EventTable{};
    // Cleared here, before the run, so that a break requested while it runs is never lost.
    state_.Interrupt = false;
    plan.Pd = ParseRealPrefix(in_.Pd);

    if (!state_.refining) {
        for (int k = 1; k <= RandomInputCount; ++k)
            if (!state_.inputs.ready[k]) plan.rebuiltInputs.push_back(k);
        plan.rebuilt = RebuildInputs(plan.rebuiltInputs, in_, state_.inputs, threads);
    }

    plan.start = PeriodValue(in_.startText);
    plan.end = PeriodValue(in_.endText);
    plan.stepFieldZero = plan.start == plan.end;
    plan.step = PeriodValue(in_.stepText);

    if (plan.step != 1)
        plan.warning = Box(BoxKind::Warning, msg::OnlyFirstInspectionForStep,
                           TextCis(msg::OnlyFirstInspectionForStep));
    if (plan.start != plan.end) {
        if (plan.step == 0) {
            plan.error = MessageFailure(msg::ZeroTimeStep);
            return plan;
        }
        if (!state_.refining)
            plan.confirmation = Box(BoxKind::Confirmation, msg::CalculationForYears,
                                    PeriodConfirmationText(plan.start, plan.end, plan.step));
    }

    const int accepted = plan.stepFieldZero ? 0 : plan.step;
    plan.eventTableRows =
        accepted != 0 ? RowCount(plan.start, plan.step, plan.end) : plan.end - plan.start + 1;
    plan.yearTableRows = RowCount(plan.start, plan.step, plan.end);
    plan.chartTitles = {TextCis(msg::FirstInspectionCharts),
                        TextCis(msg::CrackProgressionFrom) + CrackOriginText(in_.crackOrigin)};
    return plan;
}

bool CalculationDriver::YearIndependentSteps(const DriverOptions& options, RunResult& result,
                                             const std::function<LoopHelper*()>& deltaSmBuilt) {
    if (state_.RadReady) return true;
    result.resistancesBuilt = true;
    if (!state_.refining) ResetResults(state_);
    if (!DeltaSmStep(in_, state_)) return false;
    ResistanceOptions ro{options.threads, options.resistanceProgress};
    ro.helper = deltaSmBuilt();
    ro.cache = options.resistanceCache;
    const ResistanceOutcome u = ResVypJevuU(in_, state_, ro);
    if (!u.ok) return false;
    result.radLabel = u.labelText;
    const ResistanceOutcome f = ResVypJevuF(in_, state_, ro);
    if (!f.ok) return false;
    result.raacLabel = f.labelText;
    return true;
}

bool CalculationDriver::YearSteps(int year, NnCache& cache) {
    state_.currentYear = year;
    return NnStep(year, in_, state_, cache) && SnStep(in_, state_) && UStep(year, in_, state_) &&
           FStep(year, in_, state_);
}

YearRow CalculationDriver::MakeYearRow(int row, int year, double Pd) const {
    YearRow r;
    r.row = row;
    r.year = year;
    r.pU = state_.Event(1, 1, year);
    r.pD = state_.Event(1, 2, year);
    r.pF = state_.Event(1, 3, year);
    r.yearText = YearCellText(year);
    r.texts = {StrNaCarku1(r.pU), StrNaCarku1(r.pD), StrNaCarku1(r.pF)};

    const std::string label = std::to_string(year);
    auto add = [&](ChartId chart, const char* series, double value, Rgb colour) {
        r.points.push_back(NamedPoint{chart, series, SeriesPoint{value, label, colour}});
    };
    if (Pd > 0) {
        add(ChartId::Inspection, "LineSeries2", Pd, RedColour);
        add(ChartId::Inspection, "Series11", r.pF, BlueColour);
    }
    add(ChartId::EventGraph, "Series1", 1.0, RedColour);
    add(ChartId::EventGraph, "Series2", r.pU + r.pD, BlueColour);
    add(ChartId::EventGraph, "Series3", r.pU, YellowColour);
    add(ChartId::EventGraph, "HistogramSeries1", r.pU, OliveColour);
    add(ChartId::EventGraph, "HistogramSeries2", r.pD, BlueColour);
    add(ChartId::EventGraph, "HistogramSeries3", r.pF, RedColour);
    if (Pd > 0) {
        add(ChartId::EventGraph, "LineSeries2", Pd, RedColour);
        add(ChartId::EventGraph, "Series4", r.pF, BlueColour);
    }
    r.showInspectionChart = Pd > 0;
    return r;
}

void CalculationDriver::Finish(RunResult& result, RunEnd end) {
    if (end == RunEnd::Failed) AbortCalculation(state_);
    if (end == RunEnd::Interrupted) {
        // BPrerus disables the Nn, Sn and reliability-function chart buttons.
        state_.NnCurrent = state_.SnCurrent = state_.RfUReady = state_.RfFReady = false;
    }
    result.end = end;
    result.errors = state_.Reports;
    result.abortKind = state_.abortKind;
}

RunResult CalculationDriver::Run(const RunPlan& plan, const DriverOptions& options) {
    RunResult result;
    if (!plan.CanRun()) return result;
    state_.Reports.clear();
    state_.abortKind = AbortKind::None;
    const int start = plan.start, step = plan.step, end = plan.end;
    if (plan.stepFieldZero) in_.yearStep = "0";
    state_.start = start;
    state_.step = step;
    state_.end = end;
    state_.acceptedStep = plan.stepFieldZero ? 0 : step;
    const double Pd = plan.Pd;
    state_.Abort = false;

    // With a second core, its thread builds Nn of the years and takes part in the resistance
    // loops; then the Sn, U and F steps of the years run on both cores, and the results are
    // committed in year order.
    const std::vector<int> years = LoopYears(start, step, end);
    NnCache& cache = options.nnCache != nullptr ? *options.nnCache : cache_;
    std::unique_ptr<YearPipeline> pipeline;
    auto startPipeline = [&]() -> LoopHelper* {
        if (UsableThreads(options.threads) >= 2 && !years.empty())
            pipeline = std::make_unique<YearPipeline>(in_, state_, cache, years);
        return pipeline.get();
    };
    if (!YearIndependentSteps(options, result, startPipeline)) {
        pipeline.reset();
        // An interrupt inside the resistance loop ends the run without a box.
        AbortCalculation(state_);
        Finish(result, state_.Reports.empty() ? RunEnd::Interrupted : RunEnd::Failed);
        return result;
    }
    if (!pipeline) startPipeline();
    if (pipeline) pipeline->ResistancesReady();

    const bool gauge = in_.yearStep != "0";
    const int gaugeMax = gauge && step != 0 ? (end - start) / step + 1 : 0;
    if (gauge && options.gauge) options.gauge(0, gaugeMax);

    bool saturated = false;
    int row = 0;
    int position = 0;
    long long y = static_cast<long long>(start) - step;
    while (y <= static_cast<long long>(end) - step) {
        if (y + step > MaxYear) {
            Failure f = ErrorBox(msg::YearLimitExceeded, TextCis(msg::YearLimitExceeded) +
                                                             std::to_string(y + step) + ">" +
                                                             std::to_string(MaxYear) + ")");
            state_.Reports.push_back(f);
            Finish(result, RunEnd::YearLimit);
            return result;
        }
        if (gauge && options.gauge) options.gauge(++position, gaugeMax);
        if (state_.Interrupt) {
            Finish(result, RunEnd::Interrupted);
            return result;
        }
        y += step;
        ++row;
        const int year = static_cast<int>(y);
        const bool done = pipeline ? pipeline->Commit(row - 1, state_) : YearSteps(year, cache);
        if (!done || state_.Abort) {
            Finish(result, RunEnd::Failed);
            return result;
        }
        ApplySaturation(year, saturated, state_);
        YearRow r = MakeYearRow(row, year, Pd);
        if (Pd > 0 && r.pF > Pd) result.noExceedance = false;
        if (options.yearDone) options.yearDone(r);
        result.rows.push_back(std::move(r));
        if (step == 0) break;
    }
    result.saturated = saturated;
    pipeline.reset();

    result.plan.Clear();
    if (Pd > 0 && step >= 1) {
        result.first = FirstInspectionSearch(in_, Pd, state_, result.plan);
        if (step >= 2 && result.first->found) result.offerRefinement = true;
        if (state_.Abort) {
            Finish(result, RunEnd::Completed);
            return result;
        }
    }
    if (in_.yearStep == "1" && start != end) {
        result.furtherSearched = true;
        result.inspectionChart =
            FurtherInspectionSearch(in_, Pd, state_, result.plan, result.noExceedance);
    }
    if (result.noExceedance && step == 1 && start != end)
        result.warnings.push_back(Box(BoxKind::Warning, msg::NextInspectionNotFound,
                                      TextCis(msg::NextInspectionNotFound)));
    if (MarkInspectionRows(result.plan, state_) > 1)
        result.inspectionTable = InspectionTableDisplay(3, state_);
    result.writeResultFile = in_.controlPrint;
    Finish(result, RunEnd::Completed);
    return result;
}

void CalculationDriver::BeginRefinement() {
    savedPeriod_ = {in_.startText, in_.stepText, in_.endText};
    in_.startText = std::to_string(state_.firstFrom);
    in_.stepText = "1";
    in_.endText = std::to_string(state_.firstTo);
    state_.refining = true;
}

void CalculationDriver::EndRefinement() {
    if (!state_.refining) return;
    state_.refining = false;
    in_.startText = savedPeriod_[0];
    in_.stepText = savedPeriod_[1];
    in_.endText = savedPeriod_[2];
}

RunResult CalculationDriver::Refine(const DriverOptions& options) {
    BeginRefinement();
    const RunPlan plan = Prepare(options.threads);
    RunResult result = Run(plan, options);
    EndRefinement();
    result.offerRefinement = false;
    return result;
}

YearChoiceResult CalculationDriver::RecomputeYear(const std::string& yearText) {
    YearChoiceResult result;
    const long long n = ParseWholePrefix(yearText);
    if (n > MaxYear || n < 0) {
        result.errors.push_back(ErrorBox(msg::YearOutOfRange,
                                         TextCis(msg::YearOutOfRange) + std::to_string(MaxYear),
                                         "CBVyber"));
        return result;
    }
    state_.Reports.clear();
    state_.abortKind = AbortKind::None;
    // A flag left by an earlier run would keep F from writing pD of this year.
    state_.Abort = false;
    const int year = static_cast<int>(n);
    result.ok = YearSteps(year, cache_) && !state_.Abort;
    result.errors = state_.Reports;
    result.abortKind = state_.abortKind;
    if (!result.ok) return result;
    result.values = {state_.Event(1, 1, year), state_.Event(1, 2, year), state_.Event(1, 3, year)};
    for (int i = 0; i < 3; ++i)
        result.texts[i] = StrNaCarku1(result.values[i]);
    return result;
}

} // namespace tessavin
