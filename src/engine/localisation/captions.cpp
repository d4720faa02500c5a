#include "localisation/captions.h"

#include "localisation/language.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

bool Czech() { return CurrentLanguage() == Language::Czech; }
std::string Pick(const char* english, const char* czech) { return Czech() ? czech : english; }

} // namespace

std::string CaptionText(Caption caption) {
    switch (caption) {
    case Caption::Label19:
        return Pick("Total number of oscillation of stress peaks Nn per n years",
                    "Celkový počet rozkmitů Nn za n roků");
    case Caption::Label20:
        return Pick("Cumulated effect of Loads Sn = C * ( DeltaS^m ) * Nn",
                    "Akumulace účinků zatížení Sn = C * ( DeltaS^m ) * Nn");
    case Caption::Label25: return TextCis(269);
    case Caption::Label26: return TextCis(270);
    case Caption::Label27:
        return Pick("Reliability function U ( RF = Rad - Sn )",
                    "Funkce spolehlivosti U ( RF = Rad - Sn )");
    case Caption::Label39: return Pick("Fatigue crack progression from", "Šíření únavových trhlin z");
    case Caption::Label23: return Pick(" of the selected  ", " výpočtu doby zvolené  ");
    case Caption::Label31:
        return Pick(" th  inspection time ( p(U)=0 )", ".  prohlídky ( p(U)=0 )");
    case Caption::IntegrationLabel1:
        return Pick("Choice of integration method", "Volba integrační metody");
    case Caption::IntegrationLabel4: return Pick("Number of diferences n", "Počet diferencí n");
    case Caption::IntegrationLabel2: return Pick("Parameter n", "Parametr n");
    case Caption::IntegrationLabel3: return Pick("Paramater tol0", "Paramatr tol0");
    }
    return {};
}

std::string CrackOriginText(int origin) {
    if (origin == 1) return Pick("the surface", "povrchu");
    return Pick("the edge", "okraje");
}

std::string IntegrationMethodText(int method) {
    switch (method) {
    case 0: return Pick("Trapezoidal rule", "Lichoběžníková metoda");
    case 1: return Pick("Simpson's rule", "Simpsonova metoda");
    case 2: return Pick("Romberg's method", "Rombergova metoda");
    case 3: return Pick("Adaptive integration", "Adaptivní integrace");
    case 4: return Pick("Gaussian quadrature", "Gaussova kvadratura");
    default: return {};
    }
}

} // namespace tessavin
