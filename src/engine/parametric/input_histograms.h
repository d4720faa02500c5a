#pragma once
// The six random inputs of the calculation as histograms: validation of their fields and the
// rebuild of an input from its parametric settings.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "histogram/histogram.h"
#include "parametric/discretisation.h"

namespace tessavin {

inline constexpr int RandomInputCount = 6;

enum class InputSource { Parametric = 0, RawData = 1 };

// Control names of one input row, and the catalogue number of its title.
struct RandomInputControls {
    const char* source;
    const char* type;
    const char* mi;
    const char* sigma;
    const char* n;
    const char* chartButton;
    int titleMessage;
};
// k = 1..6: stress range, stress ranges per year, Fy, sigma, a0, ad.
const RandomInputControls& InputControls(int k);

// What one input row holds. An empty type list text is type -1.
struct RandomInputFields {
    InputSource source = InputSource::Parametric;
    int type = 0;
    std::string mi;
    std::string sigma;
    std::string n = "32";
};

// InputHistogram[1..6] with the ready state of each (its chart button's enabled state).
struct InputHistograms {
    std::array<DiscreteHistogram, RandomInputCount + 1> histogram{};
    std::array<bool, RandomInputCount + 1> ready{};
};

// Leaving a field: no value means the text is accepted. With a distribution type (0 .. 3) the
// value must also pass that type's parameter checks (a Sigma above 0, a LogNormal Mi above 0):
// a value the distribution refuses would build no histogram and leave the previous one in use.
std::optional<Failure> ValidateMi(int k, const std::string& text, int type = -1);    // message 64
std::optional<Failure> ValidateSigma(int k, const std::string& text, int type = -1); // message 65
std::optional<Failure> ValidateN(int k, const std::string& text); // message 63, 3..1024

struct RebuildOutcome {
    enum class Status {
        Built,            // stored (or kept, when the parameters produced no classes)
        RawDataRequested, // the raw data window builds this input
        MissingFields,    // message 21
        Failed,           // the build failed; the chart button stays disabled
    };
    Status status = Status::Failed;
    std::vector<Failure> reports;     // boxes to show, in order
    std::optional<std::string> nText; // the input's N field shows the stored class count
    std::string minText;              // range before trimming, for the parameter block
    std::string maxText;
    std::array<std::string, 4> labels;
    std::string groupTitle;
};

// Rebuilds input k from its fields; eps is the main window's Eps text, par3/par4 the texts the
// parameter block holds. Stores into inputs.histogram[k] and sets inputs.ready[k].
RebuildOutcome RebuildInput(int k, const RandomInputFields& fields, const std::string& eps,
                            const std::string& par3, const std::string& par4,
                            InputHistograms& inputs);

} // namespace tessavin
