#include "calculation/model.h"

#include "localisation/messages.h"

namespace tessavin {

void CalculationState::Fail(Failure f, AbortKind kind) {
    Reports.push_back(std::move(f));
    Abort = true;
    if (kind != AbortKind::None) abortKind = kind;
}

Failure MathFailure(int message, const std::string& stepName) {
    Failure f;
    f.caption = 3;
    f.message = message;
    f.stepName = stepName;
    f.text = TextCis(message) + "\r\n\r\n" + stepName;
    return f;
}

} // namespace tessavin
