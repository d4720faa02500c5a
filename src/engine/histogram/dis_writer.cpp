#include "histogram/dis_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/atomic_file.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

constexpr double kTwoTo63 = 9223372036854775808.0; // 2^63: the first double above INT64_MAX
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

int ClassCount(const DiscreteHistogram& h) {
    return std::clamp<int>(h.Bins, 0, MaxBins);
}

double ScaledSum(const DiscreteHistogram& h, double s) {
    double sum = 0.0;
    for (int i = 1; i <= ClassCount(h); ++i)
        sum += h.P[i] * s;
    return sum;
}

// Round half to even (the default rounding mode) into int64; out-of-range values saturate and a
// value that is not a number counts as 0.
std::int64_t RoundToInt64(double x) {
    if (std::isnan(x)) return 0;
    const double r = std::nearbyint(x);
    if (r >= kTwoTo63) return kMax;
    if (r < -kTwoTo63) return kMin;
    return static_cast<std::int64_t>(r);
}

} // namespace

std::vector<std::int64_t> WholeFrequencies(const DiscreteHistogram& h) {
    double s = h.Total;
    // For doubles, "greater than 2^63 - 1" means "at least 2^63". An infinite total cannot be
    // scaled down and is left to saturate.
    while (std::isfinite(s) && ScaledSum(h, s) >= kTwoTo63)
        s /= 10;
    std::vector<std::int64_t> f(static_cast<std::size_t>(ClassCount(h)));
    for (int i = 1; i <= ClassCount(h); ++i)
        f[i - 1] = RoundToInt64(h.P[i] * s);
    return f;
}

std::string DisFileText(const DiscreteHistogram& h, std::string_view fileName) {
    const std::vector<std::int64_t> f = WholeFrequencies(h);
    // Rounding each class can carry the sum a little past the limit: saturate, never wrap.
    std::int64_t total = 0;
    for (std::int64_t fi : f)
        if (__builtin_add_overflow(total, fi, &total)) total = fi > 0 ? kMax : kMin;

    std::string s;
    s.reserve(160 + 22 * f.size());
    s += "[Description]\r\n";
    s += "Identification=";
    s += fileName;
    s += "\r\nType=Discrete\r\nForm=Frequency\r\n\r\n[Parameters]\r\n";
    s += "Min=" + StrNaCarku(RangeMin(h)) + "\r\n";
    s += "Max=" + StrNaCarku(RangeMax(h)) + "\r\n";
    s += "Bins=" + std::to_string(f.size()) + "\r\n";
    s += "Total=" + std::to_string(total) + "\r\n\r\n[Bins]\r\n";
    for (std::int64_t fi : f)
        s += std::to_string(fi) + "\r\n";
    return s;
}

std::optional<Failure> WriteDisFile(const DiscreteHistogram& h, const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    if (!WriteFileAtomically(path, DisFileText(h, name))) return std::nullopt;
    return ErrorBox(msg::DataFileWriteError,
                    FormatMessage(TextCis(msg::DataFileWriteError), path.string()));
}

} // namespace tessavin
