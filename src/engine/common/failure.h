#pragma once
// A failure or report of the engine as a value: the front end shows it as a message box.
#include <string>

namespace tessavin {

struct Failure {
    int caption = 3;      // catalogue number of the box caption: 1 question, 2 information, 3 error, 4 warning
    int message = 0;      // catalogue number that heads the text
    std::string text;     // the whole text, composed in the active language
    std::string stepName; // the calculation step that was running, when there was one
    std::string focus;    // objectName of the control that gets the focus; empty for none
};

} // namespace tessavin
