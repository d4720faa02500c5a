#include "files/project_checks.h"

#include <string>
#include <utility>

#include "calculation/field_checks.h"
#include "calculation/integration_settings.h"

namespace tessavin {
namespace {

Failure Unusable() {
    Failure f;
    f.caption = 3;
    f.text = "Invalid property value";
    return f;
}

// The project's values are not in the fields yet: the message names no control to return to.
Failure Unfocused(Failure f) {
    f.focus.clear();
    return f;
}

std::optional<Failure> CheckFields(const ProjectData& p) {
    const std::string start = std::to_string(p.start);
    const std::string step = std::to_string(p.step);
    const std::string end = std::to_string(p.end);
    const std::pair<const char*, const std::string*> fields[] = {
        {"EdRokT", &start}, {"EdRokKrok", &step},       {"EdRokKon", &end},
        {"EdEps", &p.eps},  {"EdNavPravd", &p.Pd},      {"EdSirPas", &p.bf},
        {"EdTloPas", &p.tf}, {"EdPocetIntervalu", &p.intervals}, {"EdKonstC", &p.C},
        {"EdMocM", &p.m}};
    for (const auto& [control, text] : fields) {
        const FieldCheck check = CheckInputField(control, *text, start);
        if (!check.accepted) return Unfocused(*check.box);
    }
    for (int k = 1; k <= RandomInputCount; ++k) {
        const RandomInputFields& f = p.random[k];
        // An input built from raw data has its parameter fields disabled.
        if (f.source == InputSource::Parametric) {
            if (auto failure = ValidateMi(k, f.mi)) return Unfocused(*failure);
            if (auto failure = ValidateSigma(k, f.sigma)) return Unfocused(*failure);
        }
        if (auto failure = ValidateN(k, f.n)) return Unfocused(*failure);
    }
    // The integration window checks only the parameter of the chosen method.
    const char* control = p.method == 0 || p.method == 1 ? "EdNintegrace"
                          : p.method == 2                ? "EdN"
                          : p.method == 3                ? "EdTol0"
                                                         : nullptr;
    if (control)
        if (auto failure = CheckIntegrationField(control, p.methodParameter, p.method))
            return Unfocused(*failure);
    return std::nullopt;
}

} // namespace

std::optional<Failure> CheckProject(const ProjectData& p) {
    if (auto failure = CheckFields(p)) return failure;
    for (int k = 1; k <= RandomInputCount; ++k)
        if (!IsUsableHistogram(p.inputs[k])) return Unusable();
    // A histogram the calculation has not built yet is stored with no classes.
    auto usableOrEmpty = [](const DiscreteHistogram& h) {
        return h.Bins == 0 || IsUsableHistogram(h);
    };
    if (!usableOrEmpty(p.deltaSm)) return Unusable();
    for (const DiscreteHistogram& h : p.results)
        if (!usableOrEmpty(h)) return Unusable();
    return std::nullopt;
}

std::variant<ProjectData, Failure> OpenProjectFile(const std::filesystem::path& path) {
    auto read = ReadProjectFile(path);
    if (const ProjectData* p = std::get_if<ProjectData>(&read))
        if (auto failure = CheckProject(*p)) return *failure;
    return read;
}

} // namespace tessavin
