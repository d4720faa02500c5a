#include "calculation/integration_settings.h"

#include "common/number_parse.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

Failure Refused(const std::string& control, std::string text) {
    return ErrorBox(0, std::move(text), control);
}

} // namespace

const char* MethodParameterControl(int method) {
    switch (method) {
    case 0:
    case 1:
        return "EdNintegrace";
    case 2:
        return "EdN";
    case 3:
        return "EdTol0";
    default:
        return nullptr;
    }
}

std::optional<Failure> CheckIntegrationField(const std::string& control, const std::string& text,
                                             int method) {
    if (control == "EdNintegrace") {
        // The first line of each check is the same Czech text in both languages.
        const std::optional<long long> n = ParseWhole(text);
        if (!n || *n < 0) return Refused(control, "Chybný zápis čísla (n=" + text + ")");
        const std::string label = CaptionText(Caption::IntegrationLabel4);
        if (*n < 10) return Refused(control, label + " < 10 (n=" + text + ")");
        if (*n > 10000) return Refused(control, label + " > 10000 (n=" + text + ")");
        if (method == 1 && *n % 2 != 0)
            return Refused(control, label + TextCis(msg::NotEven) + "(n=" + text + ")");
        return std::nullopt;
    }
    if (control == "EdN") {
        const std::optional<long long> n = ParseWhole(text);
        if (!n || *n < 0) return Refused(control, "Chybný zápis čísla (cn=" + text + ")");
        const std::string label = CaptionText(Caption::IntegrationLabel2);
        if (*n < 5) return Refused(control, label + " < 5 (cn=" + text + ")");
        if (*n > 10) return Refused(control, label + " > 10 (cn=" + text + ")");
        return std::nullopt;
    }
    if (control == "EdTol0") {
        const std::optional<double> t = ParseReal(text);
        if (!t || *t < 0) return Refused(control, "Chybný zápis čísla (tol0=" + text + ")");
        const std::string label = CaptionText(Caption::IntegrationLabel3);
        if (*t < 1E-7) return Refused(control, label + " < 0,0000001 ( tol0=" + text + ")");
        if (*t > 0.1) return Refused(control, label + " > 0.1 ( tol0=" + text + ")");
        return std::nullopt;
    }
    return std::nullopt;
}

std::string MethodLine(const IntegrationSettings& settings) {
    std::string line = CaptionText(Caption::IntegrationLabel1) + " : " +
                       IntegrationMethodText(settings.method) + " ";
    switch (settings.method) {
    case 0:
    case 1:
        line += "(" + settings.stepsText + ")";
        break;
    case 2:
        line +=
            "( " + TextPiece(WindowId::Main, "LevelsSymbol") + " = " + settings.levelsText + " )";
        break;
    case 3:
        line +=
            "( " + TextPiece(WindowId::Main, "ToleranceSymbol") + " = " + settings.tol0Text + " )";
        break;
    default:
        break;
    }
    return line;
}

std::string ConventionText(Convention convention) {
    return ConventionItemText(convention == Convention::Centre ? 1 : 0);
}

std::string ConventionLine(Convention convention) {
    constexpr WindowId IntegrationWindowTable = WindowId::Integration;
    return TextPiece(IntegrationWindowTable,
                     convention == Convention::Centre ? "ConventionCentre" : "ConventionFirst");
}

} // namespace tessavin
