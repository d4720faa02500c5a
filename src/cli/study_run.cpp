#include "study_run.h"

#include "interrupt_signal.h"

namespace tessavin::cli {

StudyOutcome RunStudy(CalculationInputs& in, CalculationState& state, const DriverOptions& options,
                      bool stopOnSigint) {
    StudyOutcome out;
    CalculationDriver driver(in, state);
    out.plan = driver.Prepare(options.threads);
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

} // namespace tessavin::cli
