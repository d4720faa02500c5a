#include "montecarlo/simulation.h"
#include "common/worker_threads.h"
#include "montecarlo/sample_lanes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <thread>

namespace tessavin::montecarlo {

namespace {

// Sums of one block, or of the leading blocks merged so far, per year: Σ x and Σ x² of the
// conditional probabilities u of U, f of F and d = 1 − u − f of D.
struct Sums {
    long long samples = 0;
    std::vector<double> u, uu, f, ff, d, dd;
    explicit Sums(std::size_t years)
        : u(years), uu(years), f(years), ff(years), d(years), dd(years) {}
    void Add(const Sums& o) {
        samples += o.samples;
        for (std::size_t j = 0; j < u.size(); ++j) {
            u[j] += o.u[j];
            uu[j] += o.uu[j];
            f[j] += o.f[j];
            ff[j] += o.ff[j];
            d[j] += o.d[j];
            dd[j] += o.dd[j];
        }
    }
};

// The leading blocks merged in order; blocks finished early wait until their turn.
class OrderedMerge {
  public:
    OrderedMerge(std::size_t years, const SimulationSettings& settings)
        : total_(years), settings_(settings) {}

    void Put(long long block, Sums sums) {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.emplace(block, std::move(sums));
        bool merged = false;
        for (auto it = pending_.find(next_); it != pending_.end(); it = pending_.find(next_)) {
            total_.Add(it->second);
            pending_.erase(it);
            ++next_;
            merged = true;
        }
        if (merged && settings_.progress) settings_.progress(total_.samples, settings_.samples);
    }
    void Fail(long long block, const Failure& f) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!failure_ || block < failedBlock_) {
            failure_ = f;
            failedBlock_ = block;
        }
    }
    Sums& total() { return total_; }
    std::optional<Failure>& failure() { return failure_; }

  private:
    std::mutex mutex_;
    Sums total_;
    long long next_ = 0;
    std::map<long long, Sums> pending_;
    std::optional<Failure> failure_;
    long long failedBlock_ = 0;
    const SimulationSettings& settings_;
};

constexpr int RowsPerAdd = 8;

double StandardError(double sum, double sumSquares, double n) {
    if (n < 2) return 0.0;
    const double mean = sum / n;
    const double variance = std::max(0.0, (sumSquares / n - mean * mean) * n / (n - 1));
    return std::sqrt(variance / n);
}

} // namespace

SimulationResult Simulate(const SimulationModel& model, const SimulationSettings& settings) {
    const std::size_t years = model.years().size();
    const long long samples = std::max(0LL, settings.samples);
    const long long blocks = (samples + SamplesPerBlock - 1) / SamplesPerBlock;
    OrderedMerge merge(years, settings);
    std::atomic<long long> nextBlock{0};
    std::atomic<bool> failed{false};

    const auto addRows = WideSampleLanes().addRows;
    const int width = static_cast<int>(years);
    auto work = [&] {
        SimulationModel::Worker worker(model);
        // A few samples' rows at a time, so that the sums of a year are loaded once for them all.
        std::vector<double> pU(RowsPerAdd * years), pF(RowsPerAdd * years);
        for (;;) {
            if (failed || (settings.stop && settings.stop->load())) return;
            const long long block = nextBlock++;
            if (block >= blocks) return;
            RandomStream rng(settings.seed, static_cast<std::uint64_t>(block));
            Sums sums(years);
            const YearSumRows rows{sums.u.data(),  sums.uu.data(), sums.f.data(),
                                   sums.ff.data(), sums.d.data(),  sums.dd.data()};
            const long long count = std::min(SamplesPerBlock, samples - block * SamplesPerBlock);
            for (long long i = 0; i < count; i += RowsPerAdd) {
                const int n = static_cast<int>(std::min<long long>(RowsPerAdd, count - i));
                for (int b = 0; b < n; ++b)
                    if (!worker.Sample(rng, pU.data() + b * years, pF.data() + b * years)) {
                        merge.Fail(block, worker.failure());
                        failed = true;
                        return;
                    }
                addRows(rows, pU.data(), pF.data(), width, n);
            }
            sums.samples = count;
            merge.Put(block, std::move(sums));
        }
    };
    RunOnThreads(settings.threads, blocks, work);

    SimulationResult r;
    r.years = model.years();
    if (merge.failure()) {
        r.failure = merge.failure();
        return r;
    }
    const Sums& s = merge.total();
    r.samples = s.samples;
    r.interrupted = s.samples < samples;
    const double n = static_cast<double>(s.samples);
    for (std::size_t j = 0; j < years && n > 0; ++j) {
        const double u = s.u[j] / n, f = s.f[j] / n;
        r.pU.push_back(u);
        r.pF.push_back(f);
        r.pD.push_back(1.0 - u - f);
        r.pUSe.push_back(StandardError(s.u[j], s.uu[j], n));
        r.pFSe.push_back(StandardError(s.f[j], s.ff[j], n));
        r.pDSe.push_back(StandardError(s.d[j], s.dd[j], n));
    }
    return r;
}

} // namespace tessavin::montecarlo
