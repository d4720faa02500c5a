#include "study_result.h"

#include <cmath>
#include <memory>

#include "beta_output.h"
#include "cli_output.h"
#include "decision/reliability_index.h"
#include "exact_plan_output.h"
#include "exactplan/plan_of_calculation.h"
#include "plan_output.h"
#include "run_input.h"
#include "study_run.h"

namespace tessavin::cli {
namespace {

using nlohmann::ordered_json;

ordered_json Head(const StudyLine& study, const char* status) {
    ordered_json j;
    j["line"] = study.line;
    j["id"] = study.id;
    j["input_sha256"] = study.sha256.empty() ? ordered_json(nullptr) : ordered_json(study.sha256);
    j["status"] = status;
    return j;
}

std::string Joined(const std::vector<Failure>& failures) {
    std::string text;
    for (const Failure& f : failures)
        text += (text.empty() ? "" : "\n") + ForTerminal(f.text);
    return text;
}

// pF of `year` among the computed rows; null when that year was not computed.
ordered_json PfOfYear(const RunResult& r, int year) {
    for (const YearRow& row : r.rows)
        if (row.year == year) return row.pF;
    return nullptr;
}

// β of a pF member: null where pF is null or β infinite.
ordered_json BetaOfPf(const ordered_json& pF) {
    return pF.is_number() ? BetaJson(ReliabilityIndex(pF.get<double>()).value_or(NAN))
                          : ordered_json(nullptr);
}

ordered_json OkResult(const StudyLine& study, const CalculationInputs& in,
                      const StudyOutcome& outcome, const std::optional<TargetBeta>& target) {
    const RunResult& r = outcome.result;
    ordered_json j = Head(study, "ok");
    j["convention"] = in.integration.convention == Convention::Centre ? "centre" : "first";
    AddInspectionPlanJson(j, r.first, r.plan);
    j.erase("first_inspection_text");
    j["pF_first_inspection"] =
        r.first && r.first->found ? PfOfYear(r, r.first->to) : ordered_json(nullptr);
    j["beta_first_inspection"] = BetaOfPf(j["pF_first_inspection"]);
    j["end_year"] = r.rows.empty() ? ordered_json(nullptr) : ordered_json(r.rows.back().year);
    j["pF_end"] = r.rows.empty() ? ordered_json(nullptr) : ordered_json(r.rows.back().pF);
    j["beta_end"] = BetaOfPf(j["pF_end"]);
    if (target) {
        std::vector<int> years;
        std::vector<double> pF;
        for (const YearRow& row : r.rows) {
            years.push_back(row.year);
            pF.push_back(row.pF);
        }
        AddTargetJson(j, *target, years, ReliabilityIndices(pF));
    }
    ordered_json warnings = ordered_json::array();
    for (const StudyRemark& remark : outcome.remarks)
        warnings.push_back(ForTerminal(remark.text));
    for (const Failure& f : r.warnings)
        warnings.push_back(ForTerminal(f.text));
    j["warnings"] = warnings;
    return j;
}

// A CSV cell: quoted when it holds a separator, a quote or a line end; a text that a spreadsheet
// would take for a formula starts with an apostrophe.
std::string Cell(const std::string& text) {
    std::string t = text;
    if (!t.empty() &&
        (t[0] == '=' || t[0] == '+' || t[0] == '-' || t[0] == '@' || t[0] == '\t' || t[0] == '\r'))
        t = "'" + t;
    if (t.find_first_of(",\"\r\n") == std::string::npos) return t;
    std::string q = "\"";
    for (char c : t)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string NumberCell(const ordered_json& v) {
    return v.is_number() ? v.dump() : std::string();
}

} // namespace

ordered_json FailedResult(const StudyLine& study, const std::string& message,
                          const std::string& field) {
    ordered_json j = Head(study, "failed");
    j["message"] = message;
    j["field"] = field.empty() ? ordered_json(nullptr) : ordered_json(field);
    return j;
}

ordered_json StudyResult(const StudyLine& study, int threads, ResistanceCache* resistances) {
    if (!study.error.empty()) return FailedResult(study, study.error, study.field);
    CalculationInputs in;
    const RunInputOutcome read = ReadRunInput(study.input, in);
    if (!read.ok) return FailedResult(study, read.error, read.field);

    // The state is large: on the heap, one per study, shared with nothing.
    const auto state = std::make_unique<CalculationState>();
    DriverOptions options;
    options.threads = threads;
    // The Nn passes of the studies this thread ran before, reused where the one-year input is
    // equal bit for bit: the studies of a network share most of it.
    thread_local NnCache nnCache;
    options.nnCache = &nnCache;
    options.resistanceCache = resistances;
    StudyOutcome outcome = RunStudy(in, *state, options, false);
    switch (outcome.end) {
    case StudyOutcome::End::Refused: {
        const std::string field = outcome.refusedInput > 0
                                      ? "/inputs/" + std::to_string(outcome.refusedInput - 1)
                                      : FieldOfControl(outcome.refusalFocus);
        return FailedResult(study, ForTerminal(outcome.refusal), field);
    }
    case StudyOutcome::End::Failed: {
        const auto& errors = outcome.result.errors;
        return FailedResult(study, Joined(errors),
                            errors.empty() ? std::string() : FieldOfControl(errors.front().focus));
    }
    case StudyOutcome::End::Ran:
        break;
    }
    for (const std::string& w : read.warnings)
        outcome.remarks.insert(outcome.remarks.begin(), {"warning", w});
    ordered_json j = OkResult(study, in, outcome, read.target);
    if (in.integration.exactPlan && outcome.result.end == RunEnd::Completed) {
        const auto exact = exactplan::ExactPlanOfCalculation(in, state->inputs, threads);
        if (const Failure* f = std::get_if<Failure>(&exact))
            return FailedResult(study, "exact plan: " + ForTerminal(f->text), "");
        // The plan without its curves: a result line stays short.
        ordered_json plan =
            ExactPlanJson(std::get<exactplan::ExactPlanResult>(exact), in.inspected);
        for (const char* curve : {"years", "pU", "pD", "pF", "conditional_pF"})
            plan.erase(curve);
        j["exact"] = plan;
    }
    return j;
}

bool UpgradeResult(ordered_json& result) {
    if (!result.is_object() || result.value("status", "") != "ok" || result.contains("beta_end"))
        return false;
    // β is a function of the pF beside it alone, so the line becomes what a run gives now.
    ordered_json upgraded = ordered_json::object();
    for (auto& [key, value] : result.items()) {
        upgraded[key] = value;
        if (key == "pF_first_inspection") upgraded["beta_first_inspection"] = BetaOfPf(value);
        if (key == "pF_end") upgraded["beta_end"] = BetaOfPf(value);
    }
    result = std::move(upgraded);
    return true;
}

std::string SummaryHeader() {
    return "id,first_inspection_from,first_inspection_to,next_inspection_from,"
           "next_inspection_to,pF_end,status";
}

std::string SummaryRow(const ordered_json& result) {
    std::string row = Cell(result.value("id", ""));
    const auto years = [&](const ordered_json& range) {
        if (!range.is_array() || range.size() != 2) return std::string(",");
        return NumberCell(range[0]) + "," + NumberCell(range[1]);
    };
    const ordered_json none;
    const ordered_json& inspections = result.contains("inspections") ? result["inspections"] : none;
    row += "," + years(result.contains("first_inspection") ? result["first_inspection"] : none);
    row += "," + years(inspections.is_array() && inspections.size() > 1 ? inspections[1] : none);
    row += "," + NumberCell(result.contains("pF_end") ? result["pF_end"] : none);
    row += "," + Cell(result.value("status", ""));
    return row;
}

} // namespace tessavin::cli
