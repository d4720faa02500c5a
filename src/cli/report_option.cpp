#include "report_option.h"

#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <variant>

#include "common/regular_file.h"
#include "common/sha256.h"
#include "montecarlo/simulation_model.h"
#include "progress_line.h"
#include "sensitivity_run.h"
#include "study_report.h"

namespace tessavin::cli {
namespace {

// The samples and seed of the desktop program's cross-check: the same run on every machine.
constexpr long long kCrossCheckSamples = 1000000;
constexpr std::uint64_t kCrossCheckSeed = 1;

std::string TodayUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    gmtime_r(&now, &t);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &t);
    return text;
}

std::variant<report::CrossCheckRun, std::string>
CrossCheck(const CalculationInputs& in, const CalculationState& state, int threads) {
    auto setup = montecarlo::SetupFromInputs(in, state.inputs);
    if (const Failure* f = std::get_if<Failure>(&setup)) return "cross-check: " + f->text;
    const montecarlo::SimulationModel model(std::move(std::get<montecarlo::ModelSetup>(setup)));
    if (model.failure()) return "cross-check: " + model.failure()->text;
    montecarlo::SimulationSettings settings;
    settings.samples = kCrossCheckSamples;
    settings.seed = kCrossCheckSeed;
    settings.threads = threads;
    ProgressLine progress(isatty(STDERR_FILENO) == 1);
    settings.progress = [&](long long done, long long total) {
        progress.Show("cross-check: " + std::to_string(done) + "/" + std::to_string(total) +
                      " samples");
    };
    report::CrossCheckRun run;
    run.simulation = montecarlo::Simulate(model, settings);
    progress.Done();
    if (run.simulation.failure) return "cross-check: " + run.simulation.failure->text;
    run.plan = montecarlo::PlanFromCurves(in, run.simulation);
    return run;
}

} // namespace

std::optional<std::string> ReportTargetProblem(const std::string& target) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path path(target);
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    if (!fs::is_directory(folder, error))
        return "report: the folder of " + target + " does not exist";
    if (fs::is_directory(path, error)) return "report: " + target + " is a folder";
    if (const auto problem = report::ReportWriterProblem()) return "report: " + *problem;
    return std::nullopt;
}

std::optional<ReportFailure> WriteRunReport(const RunReportRequest& request,
                                            const CalculationInputs& in,
                                            const CalculationState& state, const RunResult& result,
                                            const exactplan::PlanCurves* exact) {
    auto bytes = ReadRegularFile(request.inputPath, MaxUserFileBytes);
    if (const FileReadFailure* f = std::get_if<FileReadFailure>(&bytes))
        return ReportFailure{"report: cannot read '" + request.inputPath + "': " + f->reason};
    report::StudyReport r;
    r.inputs = &in;
    r.state = &state;
    r.result = &result;
    r.exact = exact;
    r.inputFile = std::filesystem::path(request.inputPath).filename().string();
    r.inputSha256 = Sha256Hex(std::get<std::string>(bytes));
    r.date = TodayUtc();
    if (!result.rows.empty()) r.reliability = report::ReliabilityOfRun(result, request.targetBeta);
    std::optional<report::CrossCheckRun> crossCheck;
    if (request.crossCheck) {
        auto run = CrossCheck(in, state, request.threads);
        if (const std::string* failure = std::get_if<std::string>(&run))
            return ReportFailure{*failure};
        crossCheck = std::move(std::get<report::CrossCheckRun>(run));
        r.crossCheck = &*crossCheck;
    }
    if (request.sensitivity) {
        report::SensitivityRun run{RunSensitivity(in, state, *request.sensitivity),
                                   request.sensitivity->step};
        if (const auto refusal = SensitivityRefusal(run.result))
            return ReportFailure{"sensitivity: " + *refusal};
        if (run.result.interrupted) return ReportFailure{"interrupted: no report written", true};
        WarnFailedMoves(run.result);
        r.sensitivity = std::move(run);
    }
    if (const auto failure = report::WriteStudyReport(request.target, r))
        return ReportFailure{"report: " + *failure};
    return std::nullopt;
}

} // namespace tessavin::cli
