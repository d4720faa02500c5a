#pragma once
// Captions of controls whose texts the engine composes into step names and messages, read from
// the caption tables in the active language.
#include <string>

#include "windows/window_id.h"

namespace tessavin {

enum class Caption {
    Label19,           // Nn step
    Label20,           // Sn step
    Label25,           // resistance R(ad)
    Label26,           // resistance R(aac)
    Label27,           // reliability functions
    Label39,           // crack-origin heading
    Label23,           // inspection table heading, before the number
    Label31,           // inspection table heading, after the number
    IntegrationLabel1, // "Choice of integration method"
    IntegrationLabel4, // the N row of the integration window
    IntegrationLabel2, // the Romberg n row
    IntegrationLabel3, // the tol0 row
};

std::string CaptionText(Caption caption);
// A text piece (no control of its own) of window `window`'s caption table; "" when there is none.
std::string TextPiece(WindowId window, const char* name);
// Item text of the crack-origin list CBSireni: 0 edge, 1 surface.
std::string CrackOriginText(int origin);
// Item text of the integration method list CBMetoda: 0 .. 4.
std::string IntegrationMethodText(int method);
// Item text of the convention list CBKonvence: 0 first, 1 centre.
std::string ConventionItemText(int convention);
// Item text of the plan list CBPlan: 0 the rule's plan, 1 the exact plan too.
std::string PlanItemText(int plan);

} // namespace tessavin
