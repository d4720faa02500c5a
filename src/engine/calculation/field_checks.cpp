#include "calculation/field_checks.h"

#include "calculation/model.h"

#include "common/number_parse.h"
#include "histogram/histogram.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include <utility>

namespace tessavin {
namespace {

FieldCheck Refused(const std::string& control, int message, std::string text,
                   bool focusBack = true) {
    return FieldCheck{false, ErrorBox(message, std::move(text), focusBack ? control : ""),
                      focusBack};
}

// A real-valued field refused with "<message><text>)" when `ok` fails.
FieldCheck RealField(const std::string& control, const std::string& text, int message,
                     bool (*ok)(double)) {
    const std::optional<double> v = ParseReal(text);
    if (v && ok(*v)) return {};
    return Refused(control, message, TextCis(message) + text + ")");
}

bool InYears(std::optional<long long> y) {
    return y && *y >= 0 && *y <= MaxYear;
}

// "end < start" naming both texts, refused on `control`.
FieldCheck EndBeforeStart(const std::string& control, const std::string& startText,
                          const std::string& endText) {
    return Refused(control, 244,
                   TextCis(msg::EndBeforeStart) + startText + TextCis(msg::EndIs) + endText + ")");
}

} // namespace

FieldCheck CheckInputField(const std::string& control, const std::string& text,
                           const std::string& startText, const std::string& endText) {
    const std::string maxYear = std::to_string(MaxYear);
    if (control == "EdKonstC") {
        const std::optional<double> c = ParseReal(text);
        if (!c) return Refused(control, 8, TextCis(msg::BadNumberC) + text + ")");
        if (*c != 0.0) return {};
        // A zero C is reported but kept.
        FieldCheck check = Refused(control, 9, TextCis(msg::ZeroC), false);
        check.accepted = true;
        return check;
    }
    if (control == "EdMocM") {
        const std::optional<double> m = ParseReal(text);
        if (!m) return Refused(control, 41, TextCis(msg::BadNumberM) + text + ")");
        if (*m <= 0)
            return Refused(control, 51, TextCis(msg::ExponentMNotPositive) + text + ") < 0");
        return {};
    }
    if (control == "EdSirPas") return RealField(control, text, 76, [](double v) { return v >= 0; });
    if (control == "EdTloPas")
        return RealField(control, text, 217, [](double v) { return v >= 0; });
    if (control == "EdNavPravd")
        return RealField(control, text, 74, [](double v) { return v >= 0 && v <= 1; });
    if (control == "EdEps") return RealField(control, text, 72, [](double) { return true; });
    if (control == "EdPocetIntervalu") {
        const std::optional<long long> n = ParseWhole(text);
        if (!n) {
            return FieldCheck{false, ErrorBox(0, FormatMessage(TextCis(msg::NotAnInteger), text)),
                              false};
        }
        if (*n < 3 || *n > MaxBins)
            return Refused(control, 71,
                           TextCis(msg::IntervalsOutOfRange) + std::to_string(MaxBins) + " :");
        return {};
    }
    if (control == "EdRokT") {
        const std::optional<long long> start = ParseWhole(text);
        if (!InYears(start)) return Refused(control, 75, TextCis(msg::BadYear) + maxYear);
        const std::optional<long long> end = ParseWhole(endText);
        if (InYears(end) && *start > *end) return EndBeforeStart(control, text, endText);
        return {};
    }
    if (control == "EdRokKrok") {
        const std::optional<long long> s = ParseWhole(text);
        if (s && *s >= 0) return {};
        return Refused(control, 246, TextCis(msg::BadNumberStep) + text + ")");
    }
    if (control == "EdRokKon") {
        const std::optional<long long> e = ParseWhole(text);
        if (!InYears(e)) return Refused(control, 75, TextCis(msg::BadYear) + maxYear);
        const std::optional<long long> start = ParseWhole(startText);
        if (start && *e < *start) return EndBeforeStart(control, startText, text);
        return {};
    }
    return {};
}

InputFieldsCheck CheckInputFields(const CalculationInputs& in) {
    const std::pair<const char*, const std::string*> fields[] = {
        {"EdRokT", &in.yearStart}, {"EdRokKrok", &in.yearStep},
        {"EdRokKon", &in.yearEnd}, {"EdEps", &in.eps},
        {"EdNavPravd", &in.Pd},    {"EdSirPas", &in.bf},
        {"EdTloPas", &in.tf},      {"EdPocetIntervalu", &in.intervals},
        {"EdKonstC", &in.C},       {"EdMocM", &in.m}};
    InputFieldsCheck result;
    for (const auto& [control, text] : fields) {
        FieldCheck check = CheckInputField(control, *text, in.yearStart);
        if (!check.accepted) {
            result.refusal = std::move(check.box);
            break;
        }
        if (check.box) result.remarks.push_back(std::move(*check.box));
    }
    return result;
}

} // namespace tessavin
