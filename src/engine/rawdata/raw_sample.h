#pragma once
// A file of measured values, the sample read from it, its histogram and the characteristics row
// shared by the sample and the fitted candidates.
#include <array>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/failure.h"
#include "histogram/histogram.h"

namespace tessavin {

inline constexpr int MaxRawValues = 100000;

struct RawSample {
    std::vector<double> values; // sorted ascending
    int count = 0;              // n
    long double sum = 0.0L;
    long double sumOfSquares = 0.0L;
    double mean = 0.0;
    double variance = 0.0; // sample variance (n - 1); cancellation below 0 is taken as 0
    double deviation = 0.0;
    double skewness = 0.0; // NaN when the deviation is 0
    double minimum = 0.0;
    double maximum = 0.0;
    std::string fileName; // without its folder
};

// One value a line, LF or CR LF; the first comma of a line is a decimal point. Blank lines (and
// lines of blanks only) are skipped and do not count in n; message line numbers count physical
// lines. A leading UTF-8 byte-order mark is ignored. Failures: 112 (cannot open), 113 (more than
// MaxRawValues values), 118 (a line that is not a number), 130 (fewer than 3 values).
// `onLine` (optional) is told the number of each physical line as it is read, so that a window
// can show the progress of a long read; it runs on the reading thread.
using RawReadProgress = std::function<void(long long line)>;
std::variant<RawSample, Failure> ParseRawData(std::string_view bytes, std::string fileName = {},
                                              const RawReadProgress& onLine = {});
// A sample of given values (any order, at least one), with its statistics as a file read gives
// them.
RawSample SampleOfValues(std::vector<double> values);
// Mean, variance, deviation, skewness, minimum and maximum from values, count, sum and
// sumOfSquares; sorts the values.
void FinishStatistics(RawSample& s);
std::variant<RawSample, Failure> ReadRawDataFile(const std::filesystem::path& path,
                                                 const RawReadProgress& onLine = {});

// Classes 1..N over [min, max]: class k (0-based) = round-half-even((v - min)/Step - 1/2), values
// below min in the first class, values at or above max in the last. Total = n.
// Failures: N outside 3..MaxBins (88), min >= max or a range that is not finite.
std::variant<WorkingHistogram, Failure> BuildRawHistogram(const RawSample& sample, int n,
                                                          double min, double max);

enum class HistogramKind { Discrete, PureDiscrete };

struct ClassLayout {
    double Step = 0.0;
    double X1 = 0.0; // value of the first class
    double XN = 0.0; // value of the last class
};
// Discrete: class centres of N classes over [min, max]; PureDiscrete: N values from min to max
// (N = 1 gives the single value min).
ClassLayout SetClassLayout(HistogramKind kind, int n, double min, double max);

// The statistics of a histogram as the comparison table shows them.
struct Characteristics {
    double median = 0.0, mode = 0.0, mean = 0.0, variance = 0.0, deviation = 0.0;
    double variation = 0.0;   // percent
    double meanY = 0.0;       // mean of the class probabilities
    double varianceY = 0.0;   // their variance
    std::string skewnessText; // " undefined" when it cannot be computed
    std::string kurtosisText;
    std::array<std::string, 8> texts; // fields 2..9 of a CharacteristicsRow
};
// p holds classes 1..n as p[0..n-1]; x1, xn are the first and last class values; count is the
// number of values behind the histogram (for skewness and kurtosis).
Characteristics ComputeCharacteristics(std::span<const double> p, int n, double x1, double xn,
                                       double count);

// Fields 0..10 are used: type, tightness, median, mode, mean, variance, deviation, variation %,
// skewness, kurtosis, parameters.
struct CharacteristicsRow {
    std::array<std::string, 19> fields;
};
// Texts of fields 2..9 put into a row with the given type, tightness and parameter texts.
CharacteristicsRow MakeCharacteristicsRow(std::string type, std::string tightness,
                                          const Characteristics& c, std::string parameters);

// The sample's histogram as the window shows it: X1 and XN as their display texts read back.
struct SampleHistogramView {
    WorkingHistogram histogram;
    ClassLayout layout;
    Characteristics characteristics;
    CharacteristicsRow row; // "Prvotní data", tightness 1, " ----- "
};
std::variant<SampleHistogramView, Failure>
ShowSampleHistogram(const RawSample& sample, int n, double min, double max, HistogramKind kind);

// A number as its display text read back (the window keeps numbers in grid cells).
double ThroughDisplayText(double x);

} // namespace tessavin
