#include "calculation/integration.h"

namespace tessavin {

Failure AdaptiveStackFullFailure(const std::string& stepName) {
    // No catalogue message heads this text.
    return StepFailure(
        0, stepName + "\r\n\r\n" + "Adaptivní integrace n>" + std::to_string(AdaptiveStackSize),
        stepName);
}

} // namespace tessavin
