#include "histogram/characteristics.h"

#include <cmath>
#include <limits>
#include <utility>

#include "localisation/language.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "statlib/statistics.h"

namespace tessavin {
namespace {

// Row labels padded to a fixed width (33 characters in English, 30 in Czech).
struct RowLabels {
    const char* min;
    const char* max;
    const char* classCount;
    const char* frequencyTotal;
    const char* mean;
    const char* variance;
    const char* standardDeviation;
    const char* averageDeviation;
    const char* coefficientOfVariation;
    const char* skewness;
    const char* concentration;
    const char* kurtosis;
};

// clang-format off
constexpr RowLabels kEnglish{
    "Min                              ",
    "Max                              ",
    "Number of intervals              ",
    "frequency numbers                ",
    "Average                          ",
    "Dispersion                       ",
    "standard deviation               ",
    "Average (central) deviation      ",
    "Coefficient of variation [%]     ",
    "Coefficient of skewness          ",
    "Coefficient of concentration     ",
    "Coefficient of kurtosis (express)",
};

constexpr RowLabels kCzech{
    "Min                           ",
    "Max                           ",
    "Počet intervalů               ",
    "Součet četností               ",
    "Střední hodnota               ",
    "Rozptyl                       ",
    "Směrodatná odchylka           ",
    "Průměrná (střední) odchylka   ",
    "Variační koeficient [%]       ",
    "Koeficient šikmosti           ",
    "Koeficient koncentrace        ",
    "Koeficient špičatosti (excesu)",
};
// clang-format on

constexpr const char* kCrLf = "\r\n";

// Blanks before the class-count text: fewer for longer counts, so the digits end near one column.
int ClassCountPadding(int n) {
    if (n >= 1000) return 8;
    if (n >= 100) return 9;
    if (n >= 10) return 11;
    return 12;
}

} // namespace

HistogramCharacteristicsResult HistogramCharacteristics(std::string_view title,
                                                        std::span<const double> p, int n,
                                                        double xFirst, double xLast, double t,
                                                        bool suppressText) {
    if (n < 3)
        return {suppressText ? std::string() : TextCis(msg::RawDataParameters),
                std::numeric_limits<double>::quiet_NaN()};

    const double w = (xLast - xFirst) / (n - 1);
    const double a = xFirst - w / 2;
    const double b = xLast + w / 2;
    const double m = PrumerX(p, n, xFirst, xLast);
    const double v = RozptylX(p, n, xFirst, xLast, m);
    const double sigma = std::sqrt(v);
    const double d = StrHodX(p, n, xFirst, xLast, m);
    const double c = KoefVariX(m, sigma);
    const double g = Skewness(p, n, xFirst, xLast, m, t);
    const double k = Kurtosis(p, n, xFirst, xLast, m, t);
    if (suppressText) return {std::string(), g};

    const std::string median = VypMedian(true, p, xFirst, xLast, n);
    const std::string mode = VypMode(p, n, xFirst, xLast);
    const bool czech = CurrentLanguage() == Language::Czech;
    const RowLabels& L = czech ? kCzech : kEnglish;
    // The class-count and variance rows take a second tab in the Czech table.
    const char* const wideTab = czech ? "\t\t" : "\t";
    const std::string rule(40, '_');

    std::string s;
    s.reserve(1024);
    auto row = [&s](const char* label, const char* tabs, const std::string& value) {
        s += label;
        s += tabs;
        s += value;
        s += kCrLf;
    };
    s += title;
    s += kCrLf + rule + kCrLf + kCrLf + TextCis(msg::Basic) + kCrLf + kCrLf;
    row(L.min, "\t\t", StrNaCarku1(a));
    row(L.max, "\t\t", StrNaCarku1(b));
    row(L.classCount, wideTab,
        std::string(ClassCountPadding(n), ' ') + "       " + std::to_string(n));
    row(L.frequencyTotal, "\t", StrNaCarku1(t));
    row(L.mean, "\t", StrNaCarku1(m));
    row(L.variance, wideTab, StrNaCarku1(v));
    row(L.standardDeviation, "\t", StrNaCarku1(sigma));
    row(L.averageDeviation, "\t", StrNaCarku1(d));
    row(L.coefficientOfVariation, "\t", StrNaCarku1(c));
    row(L.skewness, "\t", StrNaCarku1(g));
    row(L.concentration, "\t", StrNaCarku1(k + 3));
    row(L.kurtosis, "\t", StrNaCarku1(k));
    s += kCrLf + rule + kCrLf + kCrLf;
    s += "\t   M e d i a n    \t" + median + kCrLf;
    s += "\t   M o d e        \t" + mode + kCrLf + kCrLf;
    return {std::move(s), g};
}

} // namespace tessavin
