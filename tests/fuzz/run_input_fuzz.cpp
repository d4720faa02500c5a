// The JSON input of the batch program: any bytes are accepted or refused with a message, never
// half; what is accepted holds only values that the input page and the integration window accept.
#include <cstddef>
#include <cstdint>
#include <string>

#include "calculation/field_checks.h"
#include "fuzz_check.h"
#include "parametric/distribution_registry.h"
#include "parametric/input_histograms.h"
#include "run_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessavin;
    const std::string text(reinterpret_cast<const char*>(data), size);
    CalculationInputs in;
    const cli::RunInputOutcome read = cli::ReadRunInput(text, in);
    if (!read.ok) {
        FUZZ_CHECK(!read.error.empty());
        return 0;
    }
    FUZZ_CHECK(!CheckInputFields(in).refusal);
    for (int k = 1; k <= RandomInputCount; ++k) {
        FUZZ_CHECK(!ValidateMi(k, in.random[k].mi) && !ValidateSigma(k, in.random[k].sigma) &&
                   !ValidateN(k, in.random[k].n));
        FUZZ_CHECK(IsInputType(in.random[k].type));
    }
    FUZZ_CHECK(in.integration.method >= 0 && in.integration.method <= 4);
    FUZZ_CHECK(in.crackOrigin == 0 || in.crackOrigin == 1);
    // The same text reads the same way again.
    CalculationInputs twice;
    FUZZ_CHECK(cli::ReadRunInput(text, twice).ok);
    FUZZ_CHECK(twice.yearEnd == in.yearEnd && twice.intervals == in.intervals);
    return 0;
}
