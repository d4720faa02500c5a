#include "montecarlo/life_simulation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

#include "common/worker_threads.h"

namespace tessavin::montecarlo {

namespace {

// The counts of one pass: samples, the samples for which every inspection found nothing, and
// per year slot (year + 1, years −1 .. last) how many of those first reach F there and how many
// first leave U there.
struct PassCounts {
    long long samples = 0, alive = 0;
    std::vector<long long> firstF, firstNotU;
    explicit PassCounts(std::size_t slots) : firstF(slots), firstNotU(slots) {}
    void Add(const PassCounts& o) {
        samples += o.samples;
        alive += o.alive;
        for (std::size_t i = 0; i < firstF.size(); ++i) {
            firstF[i] += o.firstF[i];
            firstNotU[i] += o.firstNotU[i];
        }
    }
};

class LifeRunner {
  public:
    LifeRunner(const SimulationModel& model, const SimulationSettings& settings)
        : model_(model), settings_(settings), last_(model.years().back()) {}

    // One pass over every sample; `inspections` are the years conditioned on, in order.
    std::optional<PassCounts> Pass(const std::vector<int>& inspections) {
        const long long samples = std::max(0LL, settings_.samples);
        const long long blocks = (samples + SamplesPerBlock - 1) / SamplesPerBlock;
        std::atomic<long long> nextBlock{0};
        std::atomic<bool> failed{false};
        PassCounts total(Slots());
        std::mutex mutex;
        auto work = [&] {
            ResistanceCalculator calc(model_.parameters());
            PassCounts mine(Slots());
            for (;;) {
                if (failed || Stopped()) break;
                const long long block = nextBlock++;
                if (block >= blocks) break;
                const long long end = std::min(samples, (block + 1) * SamplesPerBlock);
                for (long long s = block * SamplesPerBlock; s < end; ++s)
                    if (!Life(static_cast<std::uint64_t>(s), inspections, mine, calc)) {
                        std::lock_guard<std::mutex> lock(mutex);
                        if (!failure_) failure_ = calc.failure();
                        failed = true;
                        break;
                    }
            }
            std::lock_guard<std::mutex> lock(mutex);
            total.Add(mine); // whole numbers: the order of the threads does not matter
        };
        RunOnThreads(settings_.threads, blocks, work);
        if (failure_ || total.samples < samples) return std::nullopt;
        return total;
    }

    const std::optional<Failure>& failure() const { return failure_; }
    bool Stopped() const { return settings_.stop && settings_.stop->load(); }
    std::size_t Slots() const { return exactplan::YearSlot(last_) + 1; }

  private:
    // One life: the fixed draws and the ads from one stream, the yearly counts from another.
    // False after a numerical failure of the geometry.
    bool Life(std::uint64_t sample, const std::vector<int>& inspections, PassCounts& out,
              ResistanceCalculator& calc) const {
        const auto& in = model_.setup().inputs;
        RandomStream fixed(settings_.seed, 2 * sample), counts(settings_.seed, 2 * sample + 1);
        const double dS = in[1].Quantile(fixed.Uniform());
        const double Fy = in[3].Quantile(fixed.Uniform());
        const double sigma = in[4].Quantile(fixed.Uniform());
        const SimulationModel::CrackStart a0 = model_.Start(in[5].Quantile(fixed.Uniform()));
        const double adFirst = in[6].Quantile(fixed.Uniform()); // the unconditional curve's ad
        const double raac = model_.Acceptable(a0, Fy, sigma, calc);
        const double k = model_.setup().C * std::pow(dS, model_.setup().m);
        ++out.samples;
        double total = 0;
        if (inspections.empty()) {
            const double rad = model_.Detectable(a0, adFirst);
            int firstF = -2, firstNotU = -2;
            for (int t = -1; t <= last_ && (firstF < -1 || firstNotU < -1); ++t) {
                if (t >= 0) total += in[2].Quantile(counts.Uniform());
                const double sn = k * total;
                if (firstF < -1 && sn > raac) firstF = t;
                if (firstNotU < -1 && sn > rad) firstNotU = t;
            }
            if (firstF >= -1) ++out.firstF[exactplan::YearSlot(firstF)];
            if (firstNotU >= -1) ++out.firstNotU[exactplan::YearSlot(firstNotU)];
            return !calc.failed();
        }
        std::size_t next = 0;
        for (int t = -1; t <= last_; ++t) {
            if (t >= 0) total += in[2].Quantile(counts.Uniform());
            const double sn = k * total;
            for (; next < inspections.size() && inspections[next] == t; ++next) {
                const double rad = model_.Detectable(a0, in[6].Quantile(fixed.Uniform()));
                if (sn > raac || sn > rad) return !calc.failed(); // found: not conditioned on
            }
            if (next < inspections.size()) continue;
            if (sn > raac) {
                ++out.firstF[exactplan::YearSlot(t)];
                break;
            }
        }
        ++out.alive;
        return !calc.failed();
    }

    const SimulationModel& model_;
    const SimulationSettings& settings_;
    const int last_;
    std::optional<Failure> failure_;
};

double BinomialSe(double p, double n) {
    return n > 0 ? std::sqrt(std::max(0.0, p * (1 - p)) / n) : 0.0;
}

} // namespace

SimulatedExactPlan SimulateExactPlan(const SimulationModel& model, const LifePlanRequest& request,
                                     const SimulationSettings& settings) {
    SimulatedExactPlan r;
    if (model.years().empty()) return r;
    const int first = model.years().front(), last = model.years().back();
    if (const auto refusal = exactplan::CheckInspectedYears(request.inspected, first, last)) {
        r.failure = ErrorBox(0, *refusal);
        return r;
    }
    for (int y = first; y <= last; ++y)
        r.years.push_back(y);
    LifeRunner runner(model, settings);
    auto stopped = [&](const std::optional<PassCounts>& p) {
        if (p) return false;
        r.failure = runner.failure();
        r.interrupted = !r.failure;
        return true;
    };

    const auto base = runner.Pass({});
    if (stopped(base)) return r;
    const double n = static_cast<double>(base->samples);
    r.samples = base->samples;
    long long reachedF = 0, leftU = 0;
    for (int y = -1; y <= last; ++y) {
        reachedF += base->firstF[exactplan::YearSlot(y)];
        leftU += base->firstNotU[exactplan::YearSlot(y)];
        if (y < first) continue;
        const double f = static_cast<double>(reachedF) / n,
                     u = 1.0 - static_cast<double>(leftU) / n;
        r.pF.push_back(f);
        r.pU.push_back(u);
        r.pD.push_back(1.0 - u - f);
        r.pFSe.push_back(BinomialSe(f, n));
        r.pUSe.push_back(BinomialSe(u, n));
        r.pDSe.push_back(BinomialSe(1.0 - u - f, n));
    }

    std::vector<int> conditioned;
    bool halted = false;
    exactplan::SearchPlan(r, request.Pd, request.lowerBound, request.inspected, [&](int year) {
        conditioned.push_back(year);
        std::vector<double> c(r.years.size(), 0.0), se(r.years.size(), 0.0);
        const auto pass = halted ? std::nullopt : runner.Pass(conditioned);
        if (!halted && !stopped(pass) && pass->alive > 0) {
            const double alive = static_cast<double>(pass->alive);
            long long reached = 0;
            for (std::size_t j = 0; j < r.years.size(); ++j) {
                if (r.years[j] <= year) continue;
                reached += pass->firstF[exactplan::YearSlot(r.years[j])];
                c[j] = static_cast<double>(reached) / alive;
                se[j] = BinomialSe(c[j], alive);
            }
        }
        halted = halted || r.failure || r.interrupted;
        r.conditionalPFSe.push_back(se);
        return c;
    });
    if (halted) {
        r.inspections.clear();
        r.conditionedOn.clear();
        r.conditionalPF.clear();
        r.conditionalPFSe.clear();
    }
    return r;
}

} // namespace tessavin::montecarlo
