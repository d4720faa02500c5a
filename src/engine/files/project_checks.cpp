#include "files/project_checks.h"

#include <memory>

#include "calculation/field_checks.h"
#include "calculation/integration_settings.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

Failure Unusable() {
    return ErrorBox(0, TextCis(msg::InvalidPropertyValue));
}

// The project's values are not in the fields yet: the message names no control to return to.
Failure Unfocused(Failure f) {
    f.focus.clear();
    return f;
}

std::optional<Failure> CheckFields(const ProjectData& p) {
    // The fields as opening the project would fill them.
    CalculationInputs in;
    const auto state = std::make_unique<CalculationState>();
    ApplyProject(p, in, *state);
    if (auto refusal = CheckInputFields(in).refusal) return Unfocused(*refusal);
    for (int k = 1; k <= RandomInputCount; ++k) {
        const RandomInputFields& f = p.random[k];
        // An input built from raw data has its parameter fields disabled.
        if (f.source == InputSource::Parametric) {
            if (auto failure = ValidateMi(k, f.mi)) return Unfocused(*failure);
            if (auto failure = ValidateSigma(k, f.sigma)) return Unfocused(*failure);
        }
        if (auto failure = ValidateN(k, f.n)) return Unfocused(*failure);
    }
    if (const char* control = MethodParameterControl(p.method))
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
