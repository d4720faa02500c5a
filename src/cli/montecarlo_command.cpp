#include "montecarlo_command.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <variant>

#include <nlohmann/json.hpp>

#include "calculation_source.h"
#include "cli_args.h"
#include "cli_output.h"
#include "common/number_parse.h"
#include "exact_plan_output.h"
#include "interrupt_signal.h"
#include "montecarlo/inspection_plan.h"
#include "montecarlo/life_simulation.h"
#include "montecarlo/simulation.h"
#include "plan_output.h"
#include "progress_line.h"

namespace tessavin::cli {
namespace {

using namespace tessavin::montecarlo;

constexpr long long kMaxSamples = 10000000000LL;

int Refuse(const std::string& message) {
    std::cerr << "tessavin-cli montecarlo: " << ForTerminal(message) << "\n";
    return kBadInput;
}

void Remark(const std::string& kind, const std::string& message) {
    std::cerr << kind << ": " << ForTerminal(message) << "\n";
}

using ExactPart = std::optional<SimulatedExactPlan>;

void PrintJson(const SimulationResult& r, const SimulatedPlan& p, std::uint64_t seed,
               const ExactPart& exact, const std::vector<int>& inspected) {
    nlohmann::ordered_json j;
    j["samples"] = r.samples;
    j["seed"] = seed;
    j["years"] = r.years;
    j["pU"] = r.pU;
    j["pD"] = r.pD;
    j["pF"] = r.pF;
    j["pU_se"] = r.pUSe;
    j["pD_se"] = r.pDSe;
    j["pF_se"] = r.pFSe;
    AddInspectionPlanJson(j, p.first, p.plan);
    if (exact) {
        nlohmann::ordered_json e = ExactPlanJson(*exact, inspected);
        e["pU_se"] = exact->pUSe;
        e["pD_se"] = exact->pDSe;
        e["pF_se"] = exact->pFSe;
        e["conditional_pF_se"] = exact->conditionalPFSe;
        e["lives"] = exact->samples;
        j["exact"] = e;
    }
    std::cout << j.dump(1) << "\n";
}

void PrintCsv(const SimulationResult& r) {
    std::cout << "year,pU,pD,pF,pU_se,pD_se,pF_se\n";
    char line[256];
    for (std::size_t i = 0; i < r.pU.size(); ++i) {
        std::snprintf(line, sizeof line, "%d,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n", r.years[i],
                      r.pU[i], r.pD[i], r.pF[i], r.pUSe[i], r.pDSe[i], r.pFSe[i]);
        std::cout << line;
    }
}

void PrintTable(const SimulationResult& r, const SimulatedPlan& p, std::uint64_t seed) {
    std::cout << "Monte Carlo: " << r.samples << " samples, seed " << seed
              << " (standard errors after the values)\n\n";
    std::vector<std::string> lines;
    char line[200];
    for (std::size_t i = 0; i < r.pU.size(); ++i) {
        std::snprintf(line, sizeof line,
                      "%5d  %-10.6f +- %-9.2e  %-10.6f +- %-9.2e  %-10.6f +- %.2e\n", r.years[i],
                      r.pU[i], r.pUSe[i], r.pD[i], r.pDSe[i], r.pF[i], r.pFSe[i]);
        lines.emplace_back(line);
    }
    PrintYearTable(std::cout, " Year  p ( U )                 p ( D )                 p ( F )",
                   lines, p.first, p.plan);
}

} // namespace

int RunMonteCarloCommand(const std::vector<std::string>& words) {
    const auto command = ReadCalculationCommand(words, {"samples", "seed", "plan"});
    if (const auto* refusal = std::get_if<std::string>(&command)) return Refuse(*refusal);
    const auto& [args, threads] = std::get<CalculationCommand>(command);
    SimulationSettings settings;
    settings.threads = threads;
    if (const auto t = args.value("samples")) {
        const auto n = ParseWhole(*t);
        if (!n || *n < 2 || *n > kMaxSamples)
            return Refuse("--samples must be a whole number 2 .. " + std::to_string(kMaxSamples));
        settings.samples = *n;
    }
    if (const auto t = args.value("seed")) {
        const auto n = ParseWhole(*t);
        if (!n || *n < 0) return Refuse("--seed must be a whole number 0 or more");
        settings.seed = static_cast<std::uint64_t>(*n);
    }

    const auto planOption = args.value("plan");
    if (planOption && *planOption != "rule" && *planOption != "exact")
        return Refuse("--plan must be rule or exact");

    CalculationInputs in;
    CalculationState state;
    const CalculationSource source = LoadCalculation(words[0], in, state);
    if (!source.error.empty()) return Refuse(source.error);
    const bool exactPlan = planOption ? *planOption == "exact" : in.integration.exactPlan;
    for (const std::string& w : source.warnings)
        Remark("warning", w);
    if (source.projectLanguage && !args.value("lang")) SetLanguage(*source.projectLanguage);
    // The input histograms give the ranges the distributions are cut to.
    for (int k = 1; k <= RandomInputCount; ++k) {
        if (state.inputs.ready[k]) continue;
        const RebuildOutcome o =
            RebuildInput(k, in.random[k], in.eps, in.par3, in.par4, state.inputs);
        for (const Failure& f : o.reports)
            Remark(f.kind == BoxKind::Error ? "error" : "warning", f.text);
        if (o.status != RebuildOutcome::Status::Built || !state.inputs.ready[k])
            return Refuse("input " + std::to_string(k) + " gives no histogram for its parameters");
    }
    auto setup = SetupFromInputs(in, state.inputs);
    if (const Failure* f = std::get_if<Failure>(&setup)) return Refuse(f->text);
    const SimulationModel model(std::move(std::get<ModelSetup>(setup)));
    if (model.failure()) return Refuse(model.failure()->text);

    ProgressLine progress(isatty(STDERR_FILENO) == 1);
    int shownPercent = -1;
    settings.progress = [&](long long done, long long total) {
        const int percent = static_cast<int>(100 * done / total);
        if (percent == shownPercent) return;
        shownPercent = percent;
        progress.Show("montecarlo: " + std::to_string(done) + "/" + std::to_string(total) +
                      " samples");
    };
    std::atomic<bool> stop{false};
    settings.stop = &stop;
    const SimulationResult result = [&] {
        const InterruptOnSigint sigint(stop);
        return Simulate(model, settings);
    }();
    progress.Done();
    if (result.failure) return Refuse(result.failure->text);
    ExactPart exact;
    if (exactPlan && !result.interrupted) {
        progress.Show("montecarlo: the exact plan, whole lives");
        const LifePlanRequest request{ParseRealPrefix(in.Pd), in.lowerBound, in.inspected};
        exact = [&] {
            const InterruptOnSigint sigint(stop);
            return SimulateExactPlan(model, request, settings);
        }();
        progress.Done();
        if (exact->failure) return Refuse(exact->failure->text);
        if (exact->interrupted) {
            Remark("note", "interrupted during the simulation of whole lives: no exact plan");
            return kInterrupted;
        }
    }

    const SimulatedPlan plan = PlanFromCurves(in, result);
    if (args.has("json")) {
        PrintJson(result, plan, settings.seed, exact, in.inspected);
    } else if (args.has("csv")) {
        PrintCsv(result);
        if (exact) PrintExactPlanCsv(std::cout, *exact);
    } else {
        PrintTable(result, plan, settings.seed);
        if (exact) PrintExactPlan(std::cout, *exact, in.inspected);
    }
    if (result.interrupted) {
        Remark("note", "interrupted: the estimates rest on the " + std::to_string(result.samples) +
                           " samples drawn so far");
        return kInterrupted;
    }
    return 0;
}

} // namespace tessavin::cli
