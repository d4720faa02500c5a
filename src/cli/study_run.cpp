#include "study_run.h"

#include "common/number_parse.h"
#include "interrupt_signal.h"
#include "montecarlo/simulation_model.h"

namespace tessavin::cli {

StudyOutcome RunStudy(CalculationInputs& in, CalculationState& state, const DriverOptions& options,
                      bool stopOnSigint) {
    StudyOutcome out;
    CalculationDriver driver(in, state);
    out.plan = driver.Prepare();
    const RunPlan& plan = out.plan;
    for (std::size_t i = 0; i < plan.rebuilt.size(); ++i) {
        for (const Failure& f : plan.rebuilt[i].reports)
            out.remarks.push_back({f.kind == BoxKind::Error ? "error" : "warning", f.text});
        if (plan.rebuilt[i].status != RebuildOutcome::Status::Built) {
            out.refusal = "input " + std::to_string(plan.rebuiltInputs[i]) +
                          " gives no histogram for its parameters";
            out.refusedInput = plan.rebuiltInputs[i];
            return out;
        }
    }
    if (plan.warning) out.remarks.push_back({"warning", plan.warning->text});
    if (plan.error) {
        out.refusal = plan.error->text;
        out.refusalFocus = plan.error->focus;
        return out;
    }
    if (stopOnSigint) {
        const InterruptOnSigint sigint(state.Interrupt);
        out.result = driver.Run(plan, options);
    } else {
        out.result = driver.Run(plan, options);
    }
    out.end = out.result.end == RunEnd::Failed || out.result.end == RunEnd::YearLimit
                  ? StudyOutcome::End::Failed
                  : StudyOutcome::End::Ran;
    return out;
}

std::variant<exactplan::ExactPlanResult, Failure>
ExactPlanOf(const CalculationInputs& in, const CalculationState& state, int threads) {
    auto setup = montecarlo::SetupFromInputs(in, state.inputs);
    if (const Failure* f = std::get_if<Failure>(&setup)) return *f;
    exactplan::ExactPlanRequest request;
    request.Pd = ParseRealPrefix(in.Pd);
    request.lowerBound = in.lowerBound;
    request.inspected = in.inspected;
    request.threads = threads;
    exactplan::ExactPlanResult r =
        exactplan::ComputeExactPlan(std::get<montecarlo::ModelSetup>(setup), request);
    if (r.failure) return *r.failure;
    return r;
}

} // namespace tessavin::cli
