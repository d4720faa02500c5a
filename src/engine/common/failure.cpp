#include "common/failure.h"

#include <utility>

#include "localisation/messages.h"

namespace tessavin {

Failure Box(BoxKind kind, int message, std::string text, std::string focus) {
    Failure f;
    f.kind = kind;
    f.message = message;
    f.text = std::move(text);
    f.focus = std::move(focus);
    return f;
}

Failure ErrorBox(int message, std::string text, std::string focus) {
    return Box(BoxKind::Error, message, std::move(text), std::move(focus));
}

Failure MessageFailure(int message, std::string focus) {
    return ErrorBox(message, TextCis(message), std::move(focus));
}

Failure FieldFailure(int message, const std::string& text, std::string focus) {
    return ErrorBox(message, TextCis(message) + text + ")", std::move(focus));
}

Failure MathFailure(int message, const std::string& stepName) {
    return StepFailure(message, TextCis(message) + "\r\n\r\n" + stepName, stepName);
}

Failure StepFailure(int message, std::string text, std::string stepName) {
    Failure f = ErrorBox(message, std::move(text));
    f.stepName = std::move(stepName);
    return f;
}

} // namespace tessavin
