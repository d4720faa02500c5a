#include "calculation/integration.h"

namespace tessavin {

Failure AdaptiveStackFullFailure(const std::string& stepName) {
    Failure f;
    f.caption = 3;
    f.message = 0; // no catalogue message heads this text
    f.stepName = stepName;
    f.text = stepName + "\r\n\r\n" + "Adaptivní integrace n>" + std::to_string(AdaptiveStackSize);
    return f;
}

} // namespace tessavin
