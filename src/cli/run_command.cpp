#include "run_command.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <variant>

#include <nlohmann/json.hpp>

#include "beta_output.h"
#include "calculation/driver.h"
#include "calculation/integration_settings.h"
#include "calculation/result_text_file.h"
#include "calculation_source.h"
#include "cli_args.h"
#include "cli_output.h"
#include "exact_plan_output.h"
#include "exactplan/plan_of_calculation.h"
#include "files/project_file.h"
#include "files/workbook.h"
#include "interrupt_signal.h"
#include "localisation/language.h"
#include "plan_output.h"
#include "progress_line.h"
#include "report_option.h"
#include "sensitivity_run.h"
#include "study_report.h"
#include "study_run.h"

namespace tessavin::cli {
namespace {

int Refuse(const std::string& message) {
    std::cerr << "tessavin-cli run: " << ForTerminal(message) << "\n";
    return kBadInput;
}

void Remark(const std::string& kind, const std::string& message) {
    std::cerr << kind << ": " << ForTerminal(message) << "\n";
}

std::vector<double> Row(const CalculationState& s, int block, int row,
                        const std::vector<int>& years) {
    std::vector<double> v;
    v.reserve(years.size());
    for (int y : years)
        v.push_back(s.Event(block, row, y));
    return v;
}

// The convention's name as the JSON input writes it.
const char* ConventionName(Convention c) {
    return c == Convention::Centre ? "centre" : "first";
}

nlohmann::ordered_json GridJson(const exactplan::StateGrid& g) {
    return {{"x_cells", g.size.xCells},
            {"stress_classes", g.size.stressClasses},
            {"table_subdivision", g.size.tableSubdivision},
            {"dx", g.dx},
            {"x_top", g.xTop},
            {"padding_nodes", g.padding},
            {"doubling_changes_c_below", 1e-3}};
}

// The years computed and β of each.
report::ReliabilityCurve BetaOfYears(const RunResult& r) {
    return report::ReliabilityOfRun(r, std::nullopt);
}

void PrintJson(const RunResult& r, const CalculationState& s,
               const std::optional<exactplan::ExactPlanResult>& exact, const CalculationInputs& in,
               const std::optional<TargetBeta>& target) {
    const report::ReliabilityCurve beta = BetaOfYears(r);
    nlohmann::ordered_json j;
    j["convention"] = ConventionName(in.integration.convention);
    std::vector<int> years;
    std::vector<double> pU, pD, pF;
    for (const YearRow& row : r.rows) {
        years.push_back(row.year);
        pU.push_back(row.pU);
        pD.push_back(row.pD);
        pF.push_back(row.pF);
    }
    j["years"] = years;
    j["pU"] = pU;
    j["pD"] = pD;
    j["pF"] = pF;
    j["beta"] = BetaListJson(beta.beta);
    j["saturated"] = r.saturated;
    AddInspectionPlanJson(j, r.first, r.plan);
    if (target) AddTargetJson(j, *target, beta.years, beta.beta);
    nlohmann::ordered_json blocks = nlohmann::ordered_json::object();
    if (r.furtherSearched) {
        for (int b = 2; b <= ProbabilityBlocks; ++b) {
            bool any = false;
            for (int y : years)
                any = any || s.Event(b, 1, y) != 0.0;
            if (!any) continue;
            blocks[std::to_string(b)] = {{"r1", Row(s, b, 1, years)},
                                         {"r2", Row(s, b, 2, years)},
                                         {"r3", Row(s, b, 3, years)}};
        }
    }
    j["blocks"] = blocks;
    nlohmann::ordered_json h;
    h["Rad"] = HistogramJson(s.Rad);
    h["Raac"] = HistogramJson(s.Raac);
    h["DeltaSm"] = HistogramJson(s.DeltaSm);
    nlohmann::ordered_json inputs = nlohmann::ordered_json::array();
    for (int k = 1; k <= RandomInputCount; ++k)
        inputs.push_back(HistogramJson(s.inputs.histogram[k]));
    h["inputs"] = inputs;
    j["histograms"] = h;
    if (exact) {
        j["exact"] = ExactPlanJson(*exact, in.inspected);
        j["exact"]["grid"] = GridJson(exact->grid);
    }
    std::cout << j.dump(1) << "\n";
}

// The year table, then after one blank line the inspections found: the first inspection and
// the further ones, each with the two years it lies between; last, after another blank line, the
// convention the results hold under.
// With withBeta a column beta follows pF.
void PrintCsv(const RunResult& r, bool withBeta) {
    std::cout << (withBeta ? "year,pU,pD,pF,beta\n" : "year,pU,pD,pF\n");
    const std::vector<double> beta = BetaOfYears(r).beta;
    char line[128];
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        const YearRow& row = r.rows[i];
        std::snprintf(line, sizeof line, "%d,%.17g,%.17g,%.17g", row.year, row.pU, row.pD, row.pF);
        std::cout << line << (withBeta ? "," + BetaCsvText(beta[i]) : std::string()) << "\n";
    }
    std::cout << "\ninspection,from,to\n";
    for (int k = 1; k <= InspectionRows; ++k)
        if (r.plan.rows[k].found)
            std::cout << k << "," << r.plan.rows[k].from << "," << r.plan.rows[k].to << "\n";
}

// With withBeta a column beta follows p ( F ).
void PrintTable(const RunResult& r, const RunPlan& plan, const CalculationInputs& in,
                bool withBeta) {
    std::cout << ForTerminal(plan.periodLabel) << "\n"
              << MethodLine(in.integration) << "\n"
              << ConventionLine(in.integration.convention) << "\n\n";
    const std::vector<double> beta = BetaOfYears(r).beta;
    std::vector<std::string> lines;
    char line[160];
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        const YearRow& row = r.rows[i];
        if (withBeta)
            std::snprintf(line, sizeof line, "%-6s%-23s%-23s%-23s%s\n", row.yearText.c_str(),
                          row.texts[0].c_str(), row.texts[1].c_str(), row.texts[2].c_str(),
                          BetaTableText(beta[i]).c_str());
        else
            std::snprintf(line, sizeof line, "%-6s%-23s%-23s%s\n", row.yearText.c_str(),
                          row.texts[0].c_str(), row.texts[1].c_str(), row.texts[2].c_str());
        lines.emplace_back(line);
    }
    const char* heading =
        withBeta
            ? " Year  p ( U )                p ( D )                p ( F )                beta"
            : " Year  p ( U )                p ( D )                p ( F )";
    PrintYearTable(std::cout, heading, lines, r.first, r.plan);
}

// The target and the first year whose β is below it, as a line of the table or a CSV section.
void PrintTarget(const RunResult& r, const TargetBeta& target, bool csv) {
    const report::ReliabilityCurve beta = BetaOfYears(r);
    const auto year = YearBelowTarget(target, beta.years, beta.beta);
    if (csv) {
        std::cout << "\ntarget_beta,year_below_target\n"
                  << BetaCsvText(target.beta) << "," << (year ? std::to_string(*year) : "") << "\n";
        return;
    }
    std::cout << "\nTarget beta " << BetaCsvText(target.beta)
              << (target.preset.empty() ? "" : " (" + target.preset + ")") << ": "
              << (year ? "beta falls below it in year " + std::to_string(*year)
                       : std::string("beta stays at or above it over the period"))
              << "\n";
}

} // namespace

int RunCalculationCommand(const std::vector<std::string>& words) {
    const auto command = ReadCalculationCommand(
        words, {"text-report", "workbook", "save-project", "target-beta", "report", "step"},
        {"beta", "cross-check", "sensitivity"});
    if (const auto* refusal = std::get_if<std::string>(&command)) return Refuse(*refusal);
    const auto& [args, threads] = std::get<CalculationCommand>(command);
    for (const char* option : {"cross-check", "sensitivity"})
        if (args.has(option) && !args.value("report"))
            return Refuse(std::string("--") + option + " goes with --report FILE.pdf");
    if (args.value("step") && !args.has("sensitivity"))
        return Refuse("--step goes with --sensitivity");
    std::optional<sensitivity::SensitivitySettings> sensitivity;
    if (args.has("sensitivity")) {
        auto read = ReadSensitivitySettings(args, threads);
        if (const std::string* refusal = std::get_if<std::string>(&read)) return Refuse(*refusal);
        sensitivity = std::get<sensitivity::SensitivitySettings>(read);
    }
    if (const auto pdf = args.value("report"))
        if (const auto problem = ReportTargetProblem(*pdf)) return Refuse(*problem);

    CalculationInputs in;
    // On the heap: the state is a quarter of a megabyte, and the heap's pages are kept.
    const auto heldState = std::make_unique<CalculationState>();
    CalculationState& state = *heldState;
    const CalculationSource source = LoadCalculation(words[0], in, state);
    if (!source.error.empty()) return Refuse(source.error);
    std::optional<TargetBeta> target = source.target;
    if (const auto typed = args.value("target-beta")) {
        const auto read = ReadTargetBeta(*typed, "--target-beta");
        if (const std::string* refusal = std::get_if<std::string>(&read)) return Refuse(*refusal);
        target = std::get<TargetBeta>(read);
    }
    const bool withBeta = args.has("beta");
    for (const std::string& w : source.warnings)
        Remark("warning", w);
    // A project speaks the language it was saved in, unless --lang says otherwise.
    if (source.projectLanguage && !args.value("lang")) SetLanguage(*source.projectLanguage);
    in.controlPrint = args.has("text-report");

    ProgressLine progress(isatty(STDERR_FILENO) == 1);
    DriverOptions options;
    options.threads = threads;
    options.resistanceProgress = [&](const ResistanceProgress& p) {
        progress.Show("resistance: a0 class " + std::to_string(p.classesDone) + "/" +
                      std::to_string(p.classes) + ", remaining " + TimeText(p.remainingMs));
    };
    options.gauge = [&](int position, int maximum) {
        progress.Show("years: " + std::to_string(position) + "/" + std::to_string(maximum));
    };
    const StudyOutcome study = RunStudy(in, state, options, true);
    progress.Done();
    for (const StudyRemark& r : study.remarks)
        Remark(r.kind, r.text);
    if (study.end == StudyOutcome::End::Refused) return Refuse(study.refusal);
    const RunPlan& plan = study.plan;
    const RunResult& result = study.result;
    if (study.end == StudyOutcome::End::Failed) {
        for (const Failure& f : result.errors)
            Remark("error", f.text);
        return kBadInput;
    }
    for (const Failure& f : result.warnings)
        Remark("warning", f.text);

    std::optional<exactplan::ExactPlanResult> exact;
    if (in.integration.exactPlan && result.end == RunEnd::Completed) {
        auto computed = exactplan::ExactPlanOfCalculation(in, state.inputs, threads);
        if (const Failure* f = std::get_if<Failure>(&computed))
            return Refuse("exact plan: " + f->text);
        exact = std::move(std::get<exactplan::ExactPlanResult>(computed));
    }
    const BetaSection beta{target ? std::optional<double>(target->beta) : std::nullopt};
    if (const auto report = args.value("text-report")) {
        if (result.writeResultFile) {
            if (const auto failure = WriteResultTextFile(
                    *report, in, state, exact ? &*exact : nullptr, withBeta ? &beta : nullptr))
                return Refuse(failure->text);
        } else {
            Remark("note", "no text report: the calculation ended before the inspections");
        }
    }
    // The inspection workbook as the desktop program exports it after a completed run.
    if (const auto workbook = args.value("workbook")) {
        if (result.end == RunEnd::Completed) {
            if (const auto failure = WriteInspectionWorkbook(
                    *workbook, in, state, exact ? &*exact : nullptr, withBeta ? &beta : nullptr))
                return Refuse(failure->text);
        } else {
            Remark("note", "no workbook: the calculation did not complete");
        }
    }
    if (const auto pdf = args.value("report")) {
        if (result.end == RunEnd::Completed) {
            const RunReportRequest request{*pdf,
                                           words[0],
                                           args.has("cross-check"),
                                           threads,
                                           target ? std::optional<double>(target->beta)
                                                  : std::nullopt,
                                           sensitivity};
            if (const auto failure =
                    WriteRunReport(request, in, state, result, exact ? &*exact : nullptr)) {
                if (!failure->interrupted) return Refuse(failure->text);
                Remark("note", failure->text);
                return kInterrupted;
            }
        } else {
            Remark("note", "no report: the calculation did not complete");
        }
    }
    // Saved as the desktop program saves after a calculation: only a completed one.
    if (const auto project = args.value("save-project")) {
        if (result.end == RunEnd::Completed) {
            if (const auto failure = WriteProjectFile(*project, MakeProjectData(in, state)))
                return Refuse(failure->text);
        } else {
            Remark("note", "no project saved: the calculation did not complete");
        }
    }
    if (args.has("json")) {
        PrintJson(result, state, exact, in, target);
    } else if (args.has("csv")) {
        PrintCsv(result, withBeta);
        if (exact) PrintExactPlanCsv(std::cout, *exact);
        if (target) PrintTarget(result, *target, true);
        std::cout << "\nconvention\n" << ConventionName(in.integration.convention) << "\n";
    } else {
        PrintTable(result, plan, in, withBeta);
        if (target) PrintTarget(result, *target, false);
        if (exact) PrintExactPlan(std::cout, *exact, in.inspected);
    }
    if (result.end == RunEnd::Interrupted) {
        Remark("note", "interrupted: the years computed so far are shown");
        return kInterrupted;
    }
    return 0;
}

} // namespace tessavin::cli
