#include "sensitivity_command.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <variant>

#include <nlohmann/json.hpp>

#include "beta_output.h"
#include "calculation_source.h"
#include "cli_args.h"
#include "cli_output.h"
#include "interrupt_signal.h"
#include "sensitivity_run.h"

namespace tessavin::cli {
namespace {

using nlohmann::ordered_json;
using sensitivity::PlanFigures;
using sensitivity::SensitivityResult;
using sensitivity::SensitivityRow;

int Refuse(const std::string& message) {
    std::cerr << "tessavin-cli sensitivity: " << ForTerminal(message) << "\n";
    return kBadInput;
}

std::string Number(double x) {
    return ShortestText(x);
}

template <class T> ordered_json OrNull(const std::optional<T>& v) {
    return v ? ordered_json(*v) : ordered_json(nullptr);
}

// The first year whose pF reaches Pd: the later year of the first inspection's range.
std::optional<int> FirstYear(const PlanFigures& f) {
    return f.first ? std::optional<int>((*f.first)[1]) : std::nullopt;
}

ordered_json FiguresJson(const PlanFigures& f, bool exact) {
    ordered_json j;
    j["first_inspection"] =
        f.first ? ordered_json({(*f.first)[0], (*f.first)[1]}) : ordered_json(nullptr);
    j["pF"] = OrNull(f.pF);
    if (exact) j["next"] = OrNull(f.next);
    if (!f.ok) j["failure"] = ForTerminal(f.failure);
    return j;
}

void PrintJson(const SensitivityResult& r, double step, bool exact) {
    ordered_json j;
    j["step"] = step;
    j["reference_year"] = r.referenceYear;
    j["base"] = FiguresJson(r.base, exact);
    ordered_json rows = ordered_json::array();
    for (const SensitivityRow& row : r.rows) {
        ordered_json o;
        o["input"] = row.move.inputKey;
        o["parameter"] = row.move.parameterKey;
        o["measured"] = row.measured;
        o["base"] = row.base;
        o["down"] = row.down;
        o["up"] = row.up;
        o["first_down"] = OrNull(FirstYear(row.atDown));
        o["first_up"] = OrNull(FirstYear(row.atUp));
        o["pF_down"] = OrNull(row.atDown.pF);
        o["pF_up"] = OrNull(row.atUp.pF);
        o["elasticity"] = OrNull(row.elasticity);
        if (exact) {
            o["next_down"] = OrNull(row.atDown.next);
            o["next_up"] = OrNull(row.atUp.next);
        }
        o["at_down"] = FiguresJson(row.atDown, exact);
        o["at_up"] = FiguresJson(row.atUp, exact);
        rows.push_back(o);
    }
    j["rows"] = rows;
    std::cout << j.dump(1) << "\n";
}

template <class T> std::string Cell(const std::optional<T>& v) {
    if (!v) return "";
    if constexpr (std::is_same_v<T, double>)
        return Number(*v);
    else
        return std::to_string(*v);
}

void PrintCsv(const SensitivityResult& r, bool exact) {
    std::cout << "input,parameter,base,down,up,first_down,first_up,pF_down,pF_up,elasticity"
              << (exact ? ",next_down,next_up" : "") << "\n";
    for (const SensitivityRow& row : r.rows) {
        std::cout << row.move.inputKey << "," << row.move.parameterKey << "," << Number(row.base)
                  << "," << Number(row.down) << "," << Number(row.up) << ","
                  << Cell(FirstYear(row.atDown)) << "," << Cell(FirstYear(row.atUp)) << ","
                  << Cell(row.atDown.pF) << "," << Cell(row.atUp.pF) << "," << Cell(row.elasticity);
        if (exact) std::cout << "," << Cell(row.atDown.next) << "," << Cell(row.atUp.next);
        std::cout << "\n";
    }
    std::cout << "\nreference_year,first_base,pF_base" << (exact ? ",next_base" : "") << "\n"
              << r.referenceYear << "," << Cell(FirstYear(r.base)) << "," << Cell(r.base.pF);
    if (exact) std::cout << "," << Cell(r.base.next);
    std::cout << "\n";
}

std::string Short(const std::optional<double>& v) {
    if (!v) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", *v);
    return text;
}

std::string Year(const std::optional<int>& y) {
    return y ? std::to_string(*y) : "-";
}

void PrintTable(const SensitivityResult& r, double step, bool exact) {
    std::cout << "What drives the plan: each parameter moved down and up by " << Short(step * 100)
              << " % of its value\n"
              << "Base: first inspection "
              << (r.base.first ? "between years " + std::to_string((*r.base.first)[0]) + " - " +
                                     std::to_string((*r.base.first)[1])
                               : std::string("not found"))
              << ", pF in year " << r.referenceYear << " = " << Short(r.base.pF);
    if (exact) std::cout << ", next inspection (exact plan) " << Year(r.base.next);
    std::cout << "\n\n";
    char line[256];
    std::snprintf(line, sizeof line, "%-16s%-7s%12s%12s%12s%7s%7s%11s%11s%11s", "input", "param",
                  "base", "down", "up", "first-", "first+", "pF-", "pF+", "elasticity");
    std::cout << line << (exact ? "  next-  next+" : "") << "\n";
    for (const SensitivityRow& row : r.rows) {
        std::snprintf(line, sizeof line, "%-16s%-7s%12s%12s%12s%7s%7s%11s%11s%11s",
                      (std::string(row.move.inputKey) + (row.measured ? "*" : "")).c_str(),
                      row.move.parameterKey, Short(row.base).c_str(), Short(row.down).c_str(),
                      Short(row.up).c_str(), Year(FirstYear(row.atDown)).c_str(),
                      Year(FirstYear(row.atUp)).c_str(), Short(row.atDown.pF).c_str(),
                      Short(row.atUp.pF).c_str(), Short(row.elasticity).c_str());
        std::cout << line;
        if (exact) {
            std::snprintf(line, sizeof line, "%7s%7s", Year(row.atDown.next).c_str(),
                          Year(row.atUp.next).c_str());
            std::cout << line;
        }
        std::cout << "\n";
    }
    bool measured = false;
    for (const SensitivityRow& row : r.rows)
        measured = measured || row.measured;
    if (measured)
        std::cout << "\n* measured data: Mi shifts the histogram as a whole, Sigma scales it about "
                     "its mean\n";
}

} // namespace

int RunSensitivityCommand(const std::vector<std::string>& words) {
    const auto command = ReadCalculationCommand(words, {"step"});
    if (const auto* refusal = std::get_if<std::string>(&command)) return Refuse(*refusal);
    const auto& [args, threads] = std::get<CalculationCommand>(command);
    const auto read = ReadSensitivitySettings(args, threads);
    if (const std::string* refusal = std::get_if<std::string>(&read)) return Refuse(*refusal);
    const auto& settings = std::get<sensitivity::SensitivitySettings>(read);

    CalculationInputs in;
    CalculationState state;
    const CalculationSource source = LoadCalculation(words[0], in, state);
    if (!source.error.empty()) return Refuse(source.error);
    if (source.projectLanguage && !args.value("lang")) SetLanguage(*source.projectLanguage);

    const SensitivityResult r = RunSensitivity(in, state, settings);
    if (const auto refusal = SensitivityRefusal(r)) return Refuse(*refusal);
    if (r.interrupted) {
        std::cerr << "note: interrupted: no sensitivity computed\n";
        return kInterrupted;
    }
    WarnFailedMoves(r);
    const bool exact = in.integration.exactPlan;
    if (args.has("json"))
        PrintJson(r, settings.step, exact);
    else if (args.has("csv"))
        PrintCsv(r, exact);
    else
        PrintTable(r, settings.step, exact);
    return 0;
}

} // namespace tessavin::cli
