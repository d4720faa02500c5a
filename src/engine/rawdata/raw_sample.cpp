#include "rawdata/raw_sample.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

#include "common/number_parse.h"
#include "common/regular_file.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "statlib/statistics.h"

namespace tessavin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// A rejected line is quoted in the message up to this many bytes.
constexpr std::size_t kQuotedLineBytes = 100;

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The line as quoted in a message: cut at a whole UTF-8 character when too long.
std::string Quoted(std::string_view line) {
    if (line.size() <= kQuotedLineBytes) return std::string(line);
    std::size_t cut = kQuotedLineBytes;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(line.substr(0, cut)) + "...";
}

std::optional<double> ParseValue(std::string_view line) {
    std::string text(line);
    if (const auto comma = text.find(','); comma != std::string::npos) text[comma] = '.';
    return ParseReal(text);
}

// Halves go to the even neighbour whatever the rounding mode of the thread.
double RoundHalfEven(double q) {
    const double r = std::floor(q);
    const double d = q - r;
    if (d > 0.5 || (d == 0.5 && std::fmod(r, 2.0) != 0.0)) return r + 1;
    return r;
}

} // namespace

std::variant<RawSample, Failure> ParseRawData(std::string_view bytes, std::string fileName,
                                              const RawReadProgress& onLine) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    RawSample s;
    s.fileName = std::move(fileName);
    long long lineNumber = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (onLine) onLine(lineNumber);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (IsBlank(line)) continue;
        if (s.count >= MaxRawValues)
            return ErrorBox(msg::TooManyValues,
                            TextCis(msg::TooManyValues) + std::to_string(MaxRawValues) + " !");
        const std::optional<double> v = ParseValue(line);
        if (!v) {
            // The file, its physical line and the line as written.
            std::string text = TextCis(msg::InvalidNumberInFile) + "\r\n\r\n";
            if (!s.fileName.empty()) text += "\t" + s.fileName + "\r\n";
            text += "\t" + TextCis(msg::LineLabel) + std::to_string(lineNumber) + "\r\n\t" +
                    TextCis(msg::ElementLabel) + Quoted(line);
            return ErrorBox(msg::InvalidNumberInFile, std::move(text));
        }
        s.values.push_back(*v);
        ++s.count;
        s.sum += *v;
        s.sumOfSquares += static_cast<long double>(*v) * *v;
    }
    if (s.count < 3) return ErrorBox(msg::TooFewValues, TextCis(msg::TooFewValues) + " !");
    FinishStatistics(s);
    return s;
}

RawSample SampleOfValues(std::vector<double> values) {
    RawSample s;
    s.values = std::move(values);
    s.count = static_cast<int>(s.values.size());
    for (double v : s.values) {
        s.sum += v;
        s.sumOfSquares += static_cast<long double>(v) * v;
    }
    if (s.count > 0) FinishStatistics(s);
    return s;
}

void FinishStatistics(RawSample& s) {
    const long double n = s.count;
    s.mean = static_cast<double>(s.sum / n);
    // Equal values may leave a rounding residue below 0: there is no spread then.
    const long double variance = (s.sumOfSquares - s.sum * s.sum / n) / (n - 1);
    s.variance = variance > 0 ? static_cast<double>(variance) : 0.0;
    s.deviation = std::sqrt(s.variance);
    std::sort(s.values.begin(), s.values.end());
    s.minimum = s.values.front();
    s.maximum = s.values.back();
    if (s.deviation > 0) {
        long double cubes = 0.0L;
        for (double v : s.values) {
            const long double d = static_cast<long double>(v) - s.mean;
            cubes += d * d * d;
        }
        const long double dev = s.deviation;
        s.skewness = static_cast<double>(cubes / (dev * dev * dev) / n);
    } else {
        s.skewness = kNaN;
    }
}

std::variant<RawSample, Failure> ReadRawDataFile(const std::filesystem::path& path,
                                                 const RawReadProgress& onLine) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec) full = path;
    auto read = ReadRegularFile(path, MaxUserFileBytes);
    if (const FileReadFailure* f = std::get_if<FileReadFailure>(&read)) {
        if (f->missing)
            return ErrorBox(msg::FileDoesNotExist,
                            FormatMessage(TextCis(msg::FileDoesNotExist), full.string()));
        // It exists: say why it cannot be read.
        return ErrorBox(msg::FileCannotBeRead,
                        FormatMessage(TextCis(msg::FileCannotBeRead), full.string()) + "\r\n\r\n" +
                            (f->notRegular ? TextCis(msg::NotARegularFile) : f->reason));
    }
    return ParseRawData(std::get<std::string>(read), path.filename().string(), onLine);
}

std::variant<WorkingHistogram, Failure> BuildRawHistogram(const RawSample& sample, int n,
                                                          double min, double max) {
    if (n < 3 || n > MaxBins)
        return ErrorBox(msg::IntervalCountOutOfRange,
                        TextCis(msg::IntervalCountOutOfRange) + std::to_string(MaxBins) + " !");
    if (!std::isfinite(min) || !std::isfinite(max))
        return ErrorBox(msg::InvalidNumberInput, TextCis(msg::InvalidNumberInput) + " MinX / MaxX");
    if (!(min < max)) return ErrorBox(0, TextCis(msg::MinXNotBelowMaxX));
    const double step = (max - min) / n;
    if (!std::isfinite(step) || !(step > 0)) return ErrorBox(0, TextCis(msg::RangeTooWide));

    WorkingHistogram h;
    h.P.fill(0.0);
    for (double v : sample.values) {
        // Compared as doubles first: an index far outside the range must not reach an int.
        const double k = RoundHalfEven((v - min) / step - 0.5);
        const int i = k >= n ? n - 1 : (k > 0 ? static_cast<int>(k) : 0);
        h.P[i + 1] += 1;
    }
    const double count = static_cast<double>(sample.values.size());
    if (count > 0)
        for (int i = 1; i <= n; ++i)
            h.P[i] /= count;
    h.Total = count;
    h.Bins = n;
    h.Min = min;
    h.Max = max;
    h.Step = step;
    h.Span = max - min;
    return h;
}

ClassLayout SetClassLayout(HistogramKind kind, int n, double min, double max) {
    if (kind == HistogramKind::Discrete) {
        const double step = (max - min) / n;
        return {step, min + step / 2, max - step / 2};
    }
    if (n < 2) return {max - min, min, min};
    return {(max - min) / (n - 1), min, max};
}

double ThroughDisplayText(double x) {
    return ParseReal(StrNaCarku(x)).value_or(kNaN);
}

Characteristics ComputeCharacteristics(std::span<const double> p, int n, double x1, double xn,
                                       double count) {
    Characteristics c;
    c.mean = PrumerX(p, n, x1, xn);
    c.variance = RozptylX(p, n, x1, xn, c.mean);
    c.deviation = std::sqrt(c.variance);
    c.variation = KoefVariX(c.mean, c.deviation);
    c.meanY = PrumerY(p, n);
    c.varianceY = RozptylY(p, n, c.meanY);
    const auto shown = [](double v) {
        const std::string t = StrNaCarku(v);
        return t == StrNaCarku(kNaN) ? t : StrNaCarku(ParseReal(t).value_or(kNaN));
    };
    c.skewnessText = shown(Skewness(p, n, x1, xn, c.mean, count));
    c.kurtosisText = shown(Kurtosis(p, n, x1, xn, c.mean, count));
    c.median = ParseReal(VypMedian(true, p, x1, xn, n)).value_or(kNaN);
    c.mode = ParseReal(VypMode(p, n, x1, xn)).value_or(kNaN);
    c.texts = {StrNaCarku(c.median),   StrNaCarku(c.mode),      StrNaCarku(c.mean),
               StrNaCarku(c.variance), StrNaCarku(c.deviation), StrNaCarku(c.variation),
               c.skewnessText,         c.kurtosisText};
    return c;
}

CharacteristicsRow MakeCharacteristicsRow(std::string type, std::string tightness,
                                          const Characteristics& c, std::string parameters) {
    CharacteristicsRow row;
    row.fields[0] = std::move(type);
    row.fields[1] = std::move(tightness);
    std::copy(c.texts.begin(), c.texts.end(), row.fields.begin() + 2);
    row.fields[10] = std::move(parameters);
    return row;
}

std::variant<SampleHistogramView, Failure>
ShowSampleHistogram(const RawSample& sample, int n, double min, double max, HistogramKind kind) {
    auto built = BuildRawHistogram(sample, n, min, max);
    if (auto* f = std::get_if<Failure>(&built)) return *f;
    SampleHistogramView view;
    view.histogram = std::get<WorkingHistogram>(built);
    view.layout = SetClassLayout(kind, n, min, max);
    view.layout.X1 = ThroughDisplayText(view.layout.X1);
    view.layout.XN = ThroughDisplayText(view.layout.XN);
    const std::span<const double> p(view.histogram.P.data() + 1, static_cast<std::size_t>(n));
    view.characteristics = ComputeCharacteristics(p, n, view.layout.X1, view.layout.XN,
                                                  static_cast<double>(sample.count));
    // The sample's own row has the same fixed type text in both languages.
    view.row =
        MakeCharacteristicsRow("Prvotní data", StrNaCarku(1.0), view.characteristics, " ----- ");
    return view;
}

} // namespace tessavin
