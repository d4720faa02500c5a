#pragma once
// The Monte Carlo run: samples in blocks of a fixed size, each block with its own random stream
// (seed, block number), blocks shared out to the threads and their sums merged in block order,
// so the result depends on the seed and the number of samples only, never on the threads.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "common/failure.h"
#include "montecarlo/simulation_model.h"

namespace tessavin::montecarlo {

inline constexpr long long SamplesPerBlock = 1024;

struct SimulationSettings {
    long long samples = 1000000;
    std::uint64_t seed = 1;
    int threads = 0; // 0: one per core
    // Called after blocks are merged, with the samples merged so far (serialised).
    std::function<void(long long done, long long total)> progress;
    // Set from any thread: the run stops after the blocks in hand; the result covers the
    // leading blocks merged so far.
    const std::atomic<bool>* stop = nullptr;
};

// Per-year estimates over the years of the model: pU, pD = 1 − pU − pF, pF and their standard
// errors.
struct SimulationResult {
    std::vector<int> years;
    std::vector<double> pU, pD, pF;
    std::vector<double> pUSe, pDSe, pFSe;
    long long samples = 0;          // samples behind the estimates
    bool interrupted = false;       // stopped before all samples
    std::optional<Failure> failure; // a numerical failure of a sample; no estimates then
};

SimulationResult Simulate(const SimulationModel& model, const SimulationSettings& settings);

} // namespace tessavin::montecarlo
