#pragma once
// A failure or report of the engine as a value: the front end shows it as a message box.
#include <string>

namespace tessavin {

// The kinds of message box. Each kind's value is the catalogue number of its caption
// ("C o n f i r m a t i o n", "I n f o r m a t i o n", "E r r o r", "W a r n i n g").
enum class BoxKind { Confirmation = 1, Information = 2, Error = 3, Warning = 4 };

constexpr int CaptionMessage(BoxKind kind) {
    return static_cast<int>(kind);
}

struct Failure {
    BoxKind kind = BoxKind::Error;
    int message = 0;      // catalogue number that heads the text; 0 for none
    std::string text;     // the whole text, composed in the active language
    std::string stepName; // the calculation step that was running, when there was one
    std::string focus;    // objectName of the control that gets the focus; empty for none
};

// A box of `kind` with the whole text `text`, headed by catalogue message `message` (0: none).
Failure Box(BoxKind kind, int message, std::string text, std::string focus = {});
// An error box; `message` 0 when no catalogue message heads the text.
Failure ErrorBox(int message, std::string text, std::string focus = {});
// An error box whose text is catalogue message `message` alone, e.g. a histogram that is missing.
Failure MessageFailure(int message, std::string focus = {});
// A field's text refused: message + text + ")"; the field gets the focus.
Failure FieldFailure(int message, const std::string& text, std::string focus);
// A numerical failure of a step: the message of the fault, a blank line, the step name.
Failure MathFailure(int message, const std::string& stepName);
// An error of the step `stepName` with a text of its own.
Failure StepFailure(int message, std::string text, std::string stepName);

} // namespace tessavin
