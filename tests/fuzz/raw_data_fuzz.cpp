// The raw data reader: any bytes give a sample or one of its messages; a sample holds between 3
// and MaxRawValues finite values in ascending order with consistent statistics, and its histogram
// counts every value once.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "fuzz_check.h"
#include "rawdata/raw_sample.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessavin;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto read = ParseRawData(bytes, "fuzz.txt");
    if (const Failure* f = std::get_if<Failure>(&read)) {
        FUZZ_CHECK(f->message == 113 || f->message == 118 || f->message == 130);
        return 0;
    }
    const RawSample& s = std::get<RawSample>(read);
    FUZZ_CHECK(s.count == static_cast<int>(s.values.size()));
    FUZZ_CHECK(s.count >= 3 && s.count <= MaxRawValues);
    FUZZ_CHECK(std::is_sorted(s.values.begin(), s.values.end()));
    FUZZ_CHECK(
        std::all_of(s.values.begin(), s.values.end(), [](double v) { return std::isfinite(v); }));
    FUZZ_CHECK(s.minimum == s.values.front() && s.maximum == s.values.back());
    FUZZ_CHECK(!(s.variance < 0) && !(s.deviation < 0));

    auto built = BuildRawHistogram(s, 16, s.minimum, s.maximum);
    if (const WorkingHistogram* h = std::get_if<WorkingHistogram>(&built)) {
        FUZZ_CHECK(h->Bins == 16 && h->Total == s.count);
        double sum = 0;
        for (int i = 1; i <= h->Bins; ++i) {
            FUZZ_CHECK(h->P[i] >= 0);
            sum += h->P[i];
        }
        FUZZ_CHECK(std::fabs(sum - 1) <= 1e-9);
    } else {
        // Only a sample of one repeated value, or one too wide or too narrow for 16 classes,
        // has none.
        const double step = (s.maximum - s.minimum) / 16;
        FUZZ_CHECK(!(s.minimum < s.maximum) || !std::isfinite(step) || !(step > 0));
    }
    return 0;
}
