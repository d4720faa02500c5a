#include "run_input.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <variant>

#include <nlohmann/json.hpp>

#include "calculation/field_checks.h"
#include "calculation/integration_settings.h"
#include "common/number_parse.h"
#include "exactplan/plan_search.h"
#include "parametric/distribution_catalogue.h"
#include "parametric/input_sampling.h"

namespace tessavin::cli {
namespace {

using nlohmann::json;

// A refused input and the JSON Pointer of the field that holds the refused value ("" for the
// whole input).
struct Refusal : std::runtime_error {
    Refusal(const std::string& text, std::string pointer)
        : std::runtime_error(text), field(std::move(pointer)) {}
    std::string field;
};

// The JSON Pointer of a member key: "~" and "/" escaped.
std::string Pointer(const std::string& key) {
    std::string p = "/";
    for (char c : key)
        p += c == '~' ? std::string("~0") : c == '/' ? std::string("~1") : std::string(1, c);
    return p;
}

std::string InputPointer(int k, const std::string& key = {}) {
    return "/inputs/" + std::to_string(k - 1) + (key.empty() ? "" : Pointer(key));
}

// A number as the user would type it: JSON numbers keep their shortest exact text, with the
// exponent letter the fields use.
std::string FieldText(const json& v, const std::string& key, const std::string& pointer) {
    if (v.is_string()) return v.get<std::string>();
    if (v.is_number_integer() || v.is_number_unsigned()) return v.dump();
    if (v.is_number_float()) {
        std::string t = v.dump();
        std::replace(t.begin(), t.end(), 'e', 'E');
        return t;
    }
    throw Refusal("\"" + key + "\" must be a number or a text", pointer);
}

// The input types as "0 (Normal), 1 (LogNormal_2P), ... or 3 (Gumbel II)".
std::string InputTypeChoices() {
    std::string list;
    for (DistributionType t = 0; t < InputTypeCount(); ++t) {
        if (t > 0) list += t + 1 < InputTypeCount() ? ", " : " or ";
        list += std::to_string(t) + " (" + Distribution(t).input->name + ")";
    }
    return list;
}

int WholeValue(const json& v, const std::string& key, const std::string& pointer) {
    const auto n = ParseWhole(FieldText(v, key, pointer));
    if (!n || *n < -1000000000LL || *n > 1000000000LL)
        throw Refusal("\"" + key + "\" must be a whole number", pointer);
    return static_cast<int>(*n);
}

// Field keys of the JSON input and the input-page field each fills.
const std::map<std::string, std::string CalculationInputs::*>& FieldMembers() {
    static const std::map<std::string, std::string CalculationInputs::*> m = {
        {"C", &CalculationInputs::C},           {"m", &CalculationInputs::m},
        {"bf", &CalculationInputs::bf},         {"tf", &CalculationInputs::tf},
        {"Pd", &CalculationInputs::Pd},         {"start", &CalculationInputs::yearStart},
        {"step", &CalculationInputs::yearStep}, {"end", &CalculationInputs::yearEnd},
        {"eps", &CalculationInputs::eps},       {"intervals", &CalculationInputs::intervals}};
    return m;
}

const std::map<std::string, std::string>& KeyOfControl() {
    static const std::map<std::string, std::string> m = {
        {"EdKonstC", "C"},     {"EdMocM", "m"},
        {"EdSirPas", "bf"},    {"EdTloPas", "tf"},
        {"EdNavPravd", "Pd"},  {"EdRokT", "start"},
        {"EdRokKrok", "step"}, {"EdRokKon", "end"},
        {"EdEps", "eps"},      {"EdPocetIntervalu", "intervals"}};
    return m;
}

// The field's own message does not always name it: the key and the text lead.
Refusal NamedRefusal(const Failure& refusal, const CalculationInputs& in) {
    const auto key = KeyOfControl().find(refusal.focus);
    if (key == KeyOfControl().end()) return Refusal(refusal.text, "");
    return Refusal("\"" + key->second + "\" = \"" + in.*FieldMembers().at(key->second) +
                       "\": " + refusal.text,
                   Pointer(key->second));
}

void Check(const std::optional<Failure>& failure, const std::string& pointer) {
    if (failure) throw Refusal(failure->text, pointer);
}

void ReadIntegration(const json& j, IntegrationSettings& s) {
    if (j.contains("method")) {
        s.method = WholeValue(j["method"], "method", "/method");
        if (s.method < 0 || s.method > 4) throw Refusal("\"method\" must be 0 .. 4", "/method");
    }
    if (j.contains("N_steps")) s.stepsText = FieldText(j["N_steps"], "N_steps", "/N_steps");
    if (j.contains("romberg_n"))
        s.levelsText = FieldText(j["romberg_n"], "romberg_n", "/romberg_n");
    if (j.contains("tol0")) s.tol0Text = FieldText(j["tol0"], "tol0", "/tol0");
    if (j.contains("convention")) {
        if (j["convention"] == "first")
            s.convention = Convention::First;
        else if (j["convention"] == "centre")
            s.convention = Convention::Centre;
        else
            throw Refusal("\"convention\" must be \"first\" or \"centre\"", "/convention");
    }
    // Only the parameter of the chosen method is shown, so only that one is checked.
    if (s.method == 0 || s.method == 1)
        Check(CheckIntegrationField("EdNintegrace", s.stepsText, s.method), "/N_steps");
    if (s.method == 2) Check(CheckIntegrationField("EdN", s.levelsText, s.method), "/romberg_n");
    if (s.method == 3) Check(CheckIntegrationField("EdTol0", s.tol0Text, s.method), "/tol0");
    s.steps = static_cast<int>(ParseWholePrefix(s.stepsText));
    s.levels = static_cast<int>(ParseWholePrefix(s.levelsText));
    s.tol0 = ParseRealPrefix(s.tol0Text);
}

void ReadInputs(const json& list, CalculationInputs& in) {
    if (!list.is_array() || list.size() > RandomInputCount)
        throw Refusal("\"inputs\" must be a list of at most six inputs", "/inputs");
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        const json& e = list[i];
        if (e.is_null()) continue; // keeps that input's defaults
        if (!e.is_object())
            throw Refusal("input " + std::to_string(k) + " must be an object", InputPointer(k));
        RandomInputFields& f = in.random[k];
        for (const auto& [key, value] : e.items()) {
            const std::string where = "input " + std::to_string(k) + " \"" + key + "\"";
            const std::string pointer = InputPointer(k, key);
            if (key == "type") {
                f.type = WholeValue(value, where, pointer);
                if (!IsInputType(f.type))
                    throw Refusal(where + " must be " + InputTypeChoices(), pointer);
            } else if (key == "mi") {
                f.mi = FieldText(value, where, pointer);
            } else if (key == "sigma") {
                f.sigma = FieldText(value, where, pointer);
            } else if (key == "N") {
                f.n = FieldText(value, where, pointer);
            } else {
                throw Refusal("unknown field " + where, pointer);
            }
        }
    }
    for (int k = 1; k <= RandomInputCount; ++k) {
        // The distribution's own checks too: a refused parameter would build no histogram.
        Check(ValidateMi(k, in.random[k].mi, in.random[k].type), InputPointer(k, "mi"));
        Check(ValidateSigma(k, in.random[k].sigma, in.random[k].type), InputPointer(k, "sigma"));
        Check(ValidateN(k, in.random[k].n), InputPointer(k, "N"));
    }
}

// Where the parser stopped: the line and column (from 1) of the byte it read last.
std::string SyntaxPlace(const std::string& text, std::size_t bytesRead) {
    const std::size_t at = std::min(bytesRead > 0 ? bytesRead - 1 : 0, text.size());
    const auto first = text.begin(), here = first + static_cast<std::ptrdiff_t>(at);
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(first, here, '\n'));
    const std::size_t newline = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
    const std::size_t lineStart = newline == std::string::npos ? 0 : newline + 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(at - lineStart + 1);
}

// "plan" and "inspected": past inspection years, each a whole number within the period, in
// strictly increasing order.
void ReadPlan(const json& j, CalculationInputs& in) {
    if (j.contains("plan")) {
        if (j["plan"] == "exact")
            in.integration.exactPlan = true;
        else if (j["plan"] != "rule")
            throw Refusal("\"plan\" must be \"rule\" or \"exact\"", "/plan");
    }
    if (!j.contains("inspected")) return;
    const json& list = j["inspected"];
    if (!list.is_array()) throw Refusal("\"inspected\" must be a list of years", "/inspected");
    if (!in.integration.exactPlan)
        throw Refusal("\"inspected\" needs \"plan\": \"exact\"", "/inspected");
    for (const json& v : list) {
        const bool whole = v.is_number_integer() || v.is_number_unsigned() ||
                           (v.is_number_float() && std::isfinite(v.get<double>()) &&
                            v.get<double>() == std::floor(v.get<double>()));
        if (!whole || std::abs(v.get<double>()) > 1e9)
            throw Refusal("\"inspected\": " + v.dump() + " is not a whole number of years",
                          "/inspected");
        in.inspected.push_back(static_cast<int>(v.get<double>()));
    }
    const long long first = ParseWholePrefix(in.yearStart), last = ParseWholePrefix(in.yearEnd);
    if (const auto refusal = exactplan::CheckInspectedYears(in.inspected, static_cast<int>(first),
                                                            static_cast<int>(last)))
        throw Refusal(*refusal, "/inspected");
}

} // namespace

RunInputOutcome ReadRunInput(const nlohmann::json& j, CalculationInputs& in) {
    RunInputOutcome out;
    try {
        if (!j.is_object()) throw Refusal("the input must be a JSON object", "");
        static const std::set<std::string> known = {
            "crack_origin", "C",     "m",      "bf",        "tf",         "Pd",      "start",
            "step",         "end",   "eps",    "intervals", "method",     "N_steps", "romberg_n",
            "tol0",         "bound", "inputs", "project",   "convention", "plan",    "inspected"};
        // The target β is no field of the input page; it is read beside them.
        for (const auto& item : j.items())
            if (!known.count(item.key()) && item.key() != "target_beta")
                throw Refusal("unknown field \"" + item.key() + "\"", Pointer(item.key()));

        if (j.contains("crack_origin")) {
            const json& o = j["crack_origin"];
            if (o == "edge" || o == 0)
                in.crackOrigin = 0;
            else if (o == "surface" || o == 1)
                in.crackOrigin = 1;
            else
                throw Refusal("\"crack_origin\" must be \"edge\" or \"surface\"", "/crack_origin");
        }
        for (const auto& [key, member] : FieldMembers())
            if (j.contains(key)) in.*member = FieldText(j[key], key, Pointer(key));
        const InputFieldsCheck fields = CheckInputFields(in);
        for (const Failure& remark : fields.remarks)
            out.warnings.push_back(remark.text);
        if (fields.refusal) throw NamedRefusal(*fields.refusal, in);
        in.startText = in.yearStart;
        in.stepText = in.yearStep;
        in.endText = in.yearEnd;
        in.tfValue = ParseRealPrefix(in.tf);
        // Every N field follows the number of intervals unless an input names its own.
        for (int k = 1; k <= RandomInputCount; ++k)
            in.random[k].n = in.intervals;

        if (j.contains("bound")) {
            if (j["bound"] == "lower")
                in.lowerBound = true;
            else if (j["bound"] == "upper")
                in.lowerBound = false;
            else
                throw Refusal("\"bound\" must be \"lower\" or \"upper\"", "/bound");
        }
        if (j.contains("project")) {
            if (!j["project"].is_string()) throw Refusal("\"project\" must be a text", "/project");
            in.projectName = j["project"].get<std::string>();
        }
        ReadIntegration(j, in.integration);
        ReadPlan(j, in);
        if (j.contains("target_beta")) {
            const auto target = ReadTargetBeta(
                FieldText(j["target_beta"], "target_beta", "/target_beta"), "\"target_beta\"");
            if (const std::string* refusal = std::get_if<std::string>(&target))
                throw Refusal(*refusal, "/target_beta");
            out.target = std::get<TargetBeta>(target);
        }
        if (j.contains("inputs"))
            ReadInputs(j["inputs"], in);
        else
            ReadInputs(json::array(), in);
        out.ok = true;
    } catch (const json::exception& e) {
        out.error = std::string("the input is not valid JSON: ") + e.what();
    } catch (const Refusal& e) {
        out.error = e.what();
        out.field = e.field;
    }
    return out;
}

RunInputOutcome ReadRunInput(const std::string& jsonText, CalculationInputs& in) {
    json j;
    try {
        j = json::parse(jsonText);
    } catch (const json::parse_error& e) {
        RunInputOutcome out;
        out.notJson = true;
        out.error = "not valid JSON at " + SyntaxPlace(jsonText, e.byte);
        return out;
    } catch (const json::exception& e) { // a number beyond the range of a double
        RunInputOutcome out;
        out.error = std::string("the input is not valid JSON: ") + e.what();
        return out;
    }
    return ReadRunInput(j, in);
}

std::string FieldOfControl(const std::string& focus) {
    const auto key = KeyOfControl().find(focus);
    return key == KeyOfControl().end() ? std::string() : Pointer(key->second);
}

} // namespace tessavin::cli
