#include "sensitivity_run.h"

#include <unistd.h>

#include <atomic>
#include <iostream>

#include "cli_output.h"
#include "common/number_parse.h"
#include "interrupt_signal.h"
#include "progress_line.h"
#include "run_input.h"

namespace tessavin::cli {

std::variant<sensitivity::SensitivitySettings, std::string>
ReadSensitivitySettings(const Args& args, int threads) {
    sensitivity::SensitivitySettings settings;
    settings.threads = threads;
    if (const auto step = args.value("step")) {
        const auto value = ParseReal(*step);
        if (!value || !(*value > 0.0 && *value < 1.0))
            return std::string(StepRefusal) + ": '" + *step + "'";
        settings.step = *value;
    }
    return settings;
}

sensitivity::SensitivityResult RunSensitivity(const CalculationInputs& in,
                                              const CalculationState& state,
                                              const sensitivity::SensitivitySettings& settings) {
    ProgressLine progress(isatty(STDERR_FILENO) == 1);
    std::atomic<bool> stop{false};
    sensitivity::SensitivityResult r;
    {
        const InterruptOnSigint sigint(stop);
        r = sensitivity::AnalyseSensitivity(
            in, state, settings,
            [&](int done, int total) {
                progress.Show("sensitivity: runs " + std::to_string(done) + "/" +
                              std::to_string(total));
            },
            &stop);
    }
    progress.Done();
    return r;
}

std::optional<std::string> SensitivityRefusal(const sensitivity::SensitivityResult& r) {
    if (r.failure.empty()) return std::nullopt;
    if (r.field == "step") return std::string(StepRefusal);
    const std::string field = FieldOfControl(r.field);
    return r.failure + (field.empty() ? "" : " (" + field + ")");
}

void WarnFailedMoves(const sensitivity::SensitivityResult& r) {
    for (const sensitivity::SensitivityRow& row : r.rows)
        for (const auto* at : {&row.atDown, &row.atUp})
            if (!at->ok)
                std::cerr << "warning: " << row.move.inputKey << " " << row.move.parameterKey
                          << (at == &row.atDown ? " down: " : " up: ") << ForTerminal(at->failure)
                          << "\n";
}

} // namespace tessavin::cli
