// The batch command over default-like studies (128 classes, years 0/1/150, Gauss) whose inputs
// vary line by line: studies per second with two jobs, and the peak memory of the process after
// 250 and after 1000 lines, which stays flat when the input is streamed.
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "batch_run.h"

namespace {

using namespace tessavin::cli;

std::filesystem::path Studies(long lines) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tessavin-batch-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto file = dir / ("studies-" + std::to_string(lines) + ".jsonl");
    std::ofstream out(file, std::ios::binary);
    for (long i = 0; i < lines; ++i) {
        // C, m, the flange and Pd vary over plausible ranges; every tenth detail a surface crack.
        out << R"({"id": "D-)" << i << R"(", "C": ")" << 1.8 + 0.01 * static_cast<double>(i % 80)
            << R"(E-13", "m": )" << 3.0 + 0.001 * static_cast<double>(i % 7) << R"(, "tf": )"
            << 21 + i % 9 << R"(, "Pd": ")" << 1 + i % 5 << R"(E-2", "crack_origin": ")"
            << (i % 10 == 0 ? "surface" : "edge") << "\"}\n";
    }
    return file;
}

long PeakKilobytes() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Argument: lines. Two jobs, as on the two cores of this machine.
void BM_Batch(benchmark::State& bs) {
    const long lines = bs.range(0);
    const auto studies = Studies(lines);
    const auto results = studies.parent_path() / ("results-" + std::to_string(lines) + ".jsonl");
    const std::atomic<bool> stop{false};
    BatchCounts counts;
    for (auto _ : bs) {
        std::filesystem::remove(results);
        BatchOptions o;
        o.studies = studies.string();
        o.out = results.string();
        o.jobs = 2;
        counts = RunBatch(o, stop, false);
    }
    if (!counts.error.empty() || counts.failed != 0) bs.SkipWithError("the batch failed");
    bs.counters["studies_per_s"] = benchmark::Counter(static_cast<double>(counts.studies) *
                                                          static_cast<double>(bs.iterations()),
                                                      benchmark::Counter::kIsRate);
    bs.counters["peak_MB"] = static_cast<double>(PeakKilobytes()) / 1024.0;
    std::filesystem::remove_all(studies.parent_path());
}
BENCHMARK(BM_Batch)->Arg(250)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
