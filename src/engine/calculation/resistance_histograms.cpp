#include "calculation/resistance_histograms.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "calculation/resistance_batch.h"
#include "calculation/run_sum.h"
#include "common/number_parse.h"
#include "histogram/class_mean.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

enum class Kind { U, F };

std::string StepNameOf(Kind kind, const CalculationInputs& in) {
    return CaptionText(kind == Kind::U ? Caption::Label25 : Caption::Label26) + " (" +
           CrackOriginText(in.crackOrigin) + ")";
}

// m, bf and the input histograms the step needs; the first failure is reported.
std::optional<ResistanceParameters> PreCheck(Kind kind, const CalculationInputs& in,
                                             CalculationState& state) {
    const auto m = ParseReal(in.m);
    if (!m || *m == 0) {
        state.Fail(FieldFailure(msg::BadNumberM, in.m, "EdMocM"), AbortKind::None);
        return std::nullopt;
    }
    const auto bf = ParseReal(in.bf);
    if (!bf || *bf == 0) {
        state.Fail(FieldFailure(msg::BadNumberBf, in.bf, "EdSirPas"), AbortKind::None);
        return std::nullopt;
    }
    const struct {
        int input;
        int message;
        const char* focus;
    } needed[] = {{3, msg::FyMissing, "CBMezKluZad"},
                  {4, msg::SigmaMissing, "CBNomNapZad"},
                  {5, msg::A0Missing, "CBPoNaTrZad"},
                  {6, msg::AdMissing, "CBNejRozZad"}};
    for (const auto& n : needed) {
        if (n.input == 6 && kind == Kind::F) continue;
        if (!state.inputs.ready[n.input]) {
            state.Fail(MessageFailure(n.message, n.focus), AbortKind::None);
            return std::nullopt;
        }
    }
    ResistanceParameters p;
    p.m = *m;
    p.bf = *bf;
    p.tf = in.tfValue;
    p.origin = in.crackOrigin;
    p.integration = in.integration;
    return p;
}

struct ClassFailure {
    Failure failure;
    AbortKind kind;
};

// What one a0 class contributes, or why it could not.
struct ClassResult {
    std::array<double, ResistanceBins + 1> P{};
    std::optional<ClassFailure> failure;
    bool interrupted = false;
};

// The distinct targets an a0 class integrates to, in the order the combinations first need
// them; slot[k] is the entry of combination k, -1 for R = 0.
struct TargetSlots {
    std::vector<int> slot;
    std::vector<double> order;
};

struct LoopSetup {
    Kind kind;
    const CalculationInputs& in;
    const CalculationState& state;
    ResistanceParameters params;
    double rmin, rmax, h;
    double capFy, capSigma;
    SimdLevel simd;
    Convention convention;
    // Per combination of the classes besides a0 (R(aac): Fy row by row, σ within; R(ad): ad):
    // its target size as an index into `targets`, or -1 when R is 0 for every a0 ...
    std::vector<int> target;
    // ... and, for R(aac), the raw acceptable size: R is 0 too when it is not above a0.
    std::vector<double> aacRaw;
    std::vector<double> targets; // the distinct target sizes
    std::string stepName;
    // The slots of an a0 class no combination drops out of, found once; and for R(aac) the raw
    // acceptable sizes up to the largest a0 in ascending order (NaN left out: never above a0),
    // whose count up to a0 tells which combinations drop out.
    TargetSlots shared;
    std::vector<double> sortedRaw;
};

// The slots last found on one worker thread and the combinations they left out (see SlotsFor).
struct SlotsCache {
    long long key = -1;
    TargetSlots slots;
};

std::string Num(double v) {
    return StrNaCarku(v);
}

Failure ClassIndexFailure(const LoopSetup& s, int i, double a0, double x2, double x3, double r) {
    Failure f;
    f.message = msg::FieldIndexOutOfRange;
    const std::string method = CaptionText(Caption::IntegrationLabel1) + " : " +
                               IntegrationMethodText(s.in.integration.method);
    const std::string range = "( Min=" + Num(s.rmin) + ",Max=" + Num(s.rmax) + ",dx=" + Num(s.h);
    if (s.kind == Kind::F) {
        f.text = TextCis(msg::FieldIndexOutOfRange) + "256" + "    ( n=" + std::to_string(i) +
                 " ) ! " + "\r\n\r\n\t" + TextCis(msg::RaacImpossible) + "\r\n\r\n" + method +
                 "\r\n" + "(  a0=" + Num(a0) + ",  fy=" + Num(x2) + ",  Sigma=" + Num(x3) + "  )" +
                 "\r\n\r\n" + range + ",Odolnost_F (a0, fy, Sigma)=" + Num(r) + "  )";
    } else {
        f.text = TextCis(msg::FieldIndexOutOfRange) + "256" + " pro n=" + std::to_string(i) +
                 " ! " + "\r\n\r\n\t" + TextCis(msg::RadImpossible) + "\r\n\r\n" + method + "\r\n" +
                 "(  a0=" + Num(a0) + ",  ad=" + Num(x2) + "\r\n\r\n" + range +
                 ",Odolnost_U (a0, ad)=" + Num(r) + "  )";
    }
    return f;
}

TargetSlots SlotsOf(const LoopSetup& s, double a0, bool allZero) {
    const int count = static_cast<int>(s.target.size());
    TargetSlots out;
    out.slot.assign(count, -1);
    std::vector<int> slotOfTarget(s.targets.size(), -1);
    for (int k = 0; k < count; ++k) {
        const int id = s.target[k];
        if (id < 0 || allZero || (s.kind == Kind::F && !(s.aacRaw[k] > a0))) continue;
        if (slotOfTarget[id] < 0) {
            slotOfTarget[id] = static_cast<int>(out.order.size());
            out.order.push_back(s.targets[id]);
        }
        out.slot[k] = slotOfTarget[id];
    }
    return out;
}

// The slots of an a0 class. They depend on a0 only through the combinations that drop out, and
// a0 classes side by side mostly drop the same ones (usually none), so they are found again only
// when those change.
const TargetSlots& SlotsFor(const LoopSetup& s, double a0, bool allZero, SlotsCache& cache) {
    long long key = 0;
    if (allZero)
        key = -2;
    else if (std::isnan(a0))
        key = -3;
    else if (s.kind == Kind::F)
        key = std::upper_bound(s.sortedRaw.begin(), s.sortedRaw.end(), a0) - s.sortedRaw.begin();
    if (key == 0) return s.shared;
    if (cache.key != key) {
        cache.slots = SlotsOf(s, a0, allZero);
        cache.key = key;
    }
    return cache.slots;
}

// The combinations of one a0 class when every one has its class: each probability added into
// its class in the order of the combinations, as the checked loop below adds them.
void AddClassified(const LoopSetup& s, double pa0, const std::vector<int>& slot,
                   const std::vector<int>& cls, int zeroClass, ClassResult& out) {
    RunSum sum(out.P);
    auto add = [&](int k, double p) { sum.Add(slot[k] >= 0 ? cls[slot[k]] : zeroClass, p); };
    const auto& H = s.state.inputs.histogram;
    if (s.kind == Kind::F) {
        const DiscreteHistogram& Fy = H[3];
        const DiscreteHistogram& Sg = H[4];
        int k = 0;
        for (int t2 = 1; t2 <= Fy.Bins; ++t2) {
            const double row = pa0 * Fy.P[t2];
            for (int t3 = 1; t3 <= Sg.Bins; ++t3, ++k)
                add(k, row * Sg.P[t3]);
        }
    } else {
        const DiscreteHistogram& Ad = H[6];
        for (int t2 = 1; t2 <= Ad.Bins; ++t2)
            add(t2 - 1, pa0 * Ad.P[t2]);
    }
    sum.Flush();
}

ClassResult RunA0Class(const LoopSetup& s, int t1, SlotsCache& cache) {
    ClassResult out;
    const CalculationState& st = s.state;
    const DiscreteHistogram& A0 = st.inputs.histogram[5];
    const Convention c = s.convention;
    const double a0 = CombinedValue(A0, t1, c);
    const double pa0 = A0.P[t1];
    const ResistanceGrid grid{s.rmin, s.h, c};
    const ResistanceKind kind =
        s.kind == Kind::F ? ResistanceKind::Acceptable : ResistanceKind::Detectable;
    ResistanceBatch batch(s.params, kind, grid, s.simd);
    ResistanceCalculator& calc = batch.calculator();
    if (s.kind == Kind::U) calc.SetSurfaceCap(s.capFy, s.capSigma);

    const bool allZero = s.kind == Kind::U && calc.DetectableIsZero(a0);
    const TargetSlots& slots = SlotsFor(s, a0, allZero, cache);
    const std::vector<int>& slot = slots.slot;
    const std::vector<double>& order = slots.order;
    std::vector<double> r(order.size());
    std::vector<int> cls(order.size());
    const int targets = static_cast<int>(order.size());
    const int done = calc.failed() ? 0
                                   : batch.Classify(a0, order.data(), targets, r.data(), cls.data(),
                                                    st.Interrupt);
    const int zeroClass = ClassOf(0.0, grid);
    if (!calc.failed() && done == targets && zeroClass >= 1 &&
        std::all_of(cls.begin(), cls.end(), [](int i) { return i >= 1; })) {
        AddClassified(s, pa0, slot, cls, zeroClass, out);
        out.interrupted = st.Interrupt.load(std::memory_order_relaxed);
        return out;
    }

    // Adds combination k in the order of the combinations; false stops the class. The class
    // values of the other inputs, x2 and x3, are wanted by the class-index message only.
    auto add = [&](int k, double p, auto x2, auto x3) {
        double rk = 0.0;
        int i = zeroClass;
        if (calc.failed() && done == 0) {
            i = ClassFailed;
        } else if (slot[k] >= 0) {
            if (slot[k] >= done) {
                out.interrupted = true;
                return false;
            }
            rk = r[slot[k]];
            i = cls[slot[k]];
        }
        if (i == ClassFailed) {
            out.failure = ClassFailure{calc.failure(), AbortKind::Calculation};
            return false;
        }
        if (i == ClassNotFinite) {
            out.failure = ClassFailure{
                MathFailure(s.h == 0 ? msg::DivisionByZero : msg::UndefinedFloatOperation,
                            s.stepName),
                AbortKind::Calculation};
            return false;
        }
        if (i < 1) {
            out.failure =
                ClassFailure{ClassIndexFailure(s, i, a0, x2(), x3(), rk), AbortKind::InputPage};
            return false;
        }
        out.P[i] += p;
        return true;
    };
    auto interrupted = [&] {
        if (!st.Interrupt.load(std::memory_order_relaxed)) return false;
        out.interrupted = true;
        return true;
    };
    if (s.kind == Kind::F) {
        const DiscreteHistogram& Fy = st.inputs.histogram[3];
        const DiscreteHistogram& Sg = st.inputs.histogram[4];
        int k = 0;
        for (int t2 = 1; t2 <= Fy.Bins; ++t2) {
            const double fy = CombinedValue(Fy, t2, c);
            for (int t3 = 1; t3 <= Sg.Bins; ++t3, ++k)
                if (!add(
                        k, pa0 * Fy.P[t2] * Sg.P[t3], [&] { return fy; },
                        [&] { return CombinedValue(Sg, t3, c); }))
                    return out;
            if (interrupted()) return out;
        }
    } else {
        const DiscreteHistogram& Ad = st.inputs.histogram[6];
        for (int t2 = 1; t2 <= Ad.Bins; ++t2) {
            auto ad = [&] { return CombinedValue(Ad, t2, c); };
            if (!add(t2 - 1, pa0 * Ad.P[t2], ad, [] { return 0.0; })) return out;
        }
        interrupted();
    }
    return out;
}

// The distinct values of `values` (bit for bit: equal bits give equal integrals) into
// `distinct`, in the order they first come, and the number of each entry's value into `index`;
// entries whose index is −1 have none. One pass over a hash table: the pairs of a resistance
// step are many thousands, and a sort with a search per pair cost more than an a0 class.
void DistinctTargets(const std::vector<double>& values, std::vector<double>& distinct,
                     std::vector<int>& index) {
    std::size_t size = 16;
    while (size < 2 * values.size())
        size *= 2;
    const int shift = 64 - std::countr_zero(size);
    std::vector<std::uint64_t> keys(size);
    std::vector<int> ids(size, -1);
    distinct.clear();
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (index[k] < 0) continue;
        const auto bits = std::bit_cast<std::uint64_t>(values[k]);
        std::size_t slot = (bits * 0x9E3779B97F4A7C15ULL) >> shift;
        while (ids[slot] >= 0 && keys[slot] != bits)
            slot = (slot + 1) & (size - 1);
        if (ids[slot] < 0) {
            ids[slot] = static_cast<int>(distinct.size());
            keys[slot] = bits;
            distinct.push_back(values[k]);
        }
        index[k] = ids[slot];
    }
}

} // namespace

std::string TimeText(long long ms) {
    if (ms < 0) ms = 0;
    const long long hours = ms / 3600000;
    const long long minutes = (ms - hours * 3600000) / 60000;
    const long long seconds = (ms - hours * 3600000 - minutes * 60000) / 1000;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", hours, minutes, seconds);
    return buf;
}

bool ThirdRangeValue(const DiscreteHistogram& h, double& value) {
    if (!(h.XFirst < 0 && h.XLast > 0)) return false;
    double v = h.XFirst - h.Step;
    for (int k = 0; k < h.Bins && v + h.Step <= 0; ++k)
        v += h.Step;
    value = v;
    return true;
}

namespace {

// The extreme resistances over the corners of the input ranges into rmin and rmax; false after
// a reported failure.
bool FindRange(Kind kind, const ResistanceParameters& params, double capFy, double capSigma,
               CalculationState& state, double& rmin, double& rmax) {
    const auto& H = state.inputs.histogram;
    const DiscreteHistogram& A0 = H[5];
    rmin = 1.7E308;
    rmax = 4.9E-324;
    ResistanceCalculator calc(params);
    auto take = [&](double r) {
        if (calc.failed()) return false;
        rmin = std::min(rmin, r);
        rmax = std::max(rmax, r);
        return true;
    };
    bool ok = true;
    const double a0Edges[] = {RangeMin(A0), RangeMax(A0)};
    if (kind == Kind::F) {
        for (double a0 : a0Edges)
            for (double fy : {RangeMin(H[3]), RangeMax(H[3])})
                for (double sg : {RangeMin(H[4]), RangeMax(H[4])}) {
                    if (!ok) break;
                    state.CurrentFy = fy;
                    state.CurrentSigma = sg;
                    ok = take(calc.OdolnostF(a0, fy, sg));
                }
    } else {
        calc.SetSurfaceCap(capFy, capSigma);
        std::vector<double> a0Values(a0Edges, a0Edges + 2),
            adValues{RangeMin(H[6]), RangeMax(H[6])};
        double third;
        if (ThirdRangeValue(A0, third)) a0Values.push_back(third);
        if (ThirdRangeValue(H[6], third)) adValues.push_back(third);
        for (double a0 : a0Values)
            for (double ad : adValues)
                if (ok) ok = take(calc.OdolnostU(a0, ad));
    }
    if (!ok) state.Fail(calc.failure(), AbortKind::Calculation);
    return ok;
}

// The target size of every combination of the classes besides a0, and the distinct targets,
// into `setup`; false after a reported failure.
bool FindTargets(LoopSetup& setup, CalculationState& state) {
    const auto& H = state.inputs.histogram;
    const Convention c = setup.convention;
    std::vector<double> targetOf; // per combination, before the distinct ones are found
    if (setup.kind == Kind::F) {
        // The acceptable size depends on (Fy, sigma) only: computed once, not per a0 class.
        ResistanceCalculator calc(setup.params);
        const DiscreteHistogram& Fy = H[3];
        const DiscreteHistogram& Sg = H[4];
        const std::size_t pairs = static_cast<std::size_t>(Fy.Bins) * Sg.Bins;
        setup.aacRaw.assign(pairs, 0.0);
        setup.target.assign(pairs, -1);
        targetOf.assign(pairs, 0.0);
        std::vector<double> fys, sgs, raws;
        std::vector<std::size_t> with; // the pairs that have an acceptable size
        for (int t2 = 1; t2 <= Fy.Bins; ++t2)
            for (int t3 = 1; t3 <= Sg.Bins; ++t3) {
                const double fy = CombinedValue(Fy, t2, c), sg = CombinedValue(Sg, t3, c);
                if (!ResistanceCalculator::HasAcceptableSize(fy, sg)) continue;
                fys.push_back(fy);
                sgs.push_back(sg);
                with.push_back(static_cast<std::size_t>(t2 - 1) * Sg.Bins + (t3 - 1));
            }
        raws.resize(with.size());
        calc.AcceptableSizesRaw(fys.data(), sgs.data(), static_cast<int>(with.size()), raws.data());
        for (std::size_t j = 0; j < with.size(); ++j) {
            const std::size_t k = with[j];
            setup.aacRaw[k] = raws[j];
            setup.target[k] = 0;
            targetOf[k] = calc.AcceptableTarget(raws[j]);
        }
        if (calc.failed()) {
            state.Fail(calc.failure(), AbortKind::Calculation);
            return false;
        }
        state.CurrentFy = CombinedValue(Fy, Fy.Bins, c);
        state.CurrentSigma = CombinedValue(Sg, Sg.Bins, c);
    } else {
        ResistanceCalculator calc(setup.params);
        calc.SetSurfaceCap(setup.capFy, setup.capSigma);
        const DiscreteHistogram& Ad = H[6];
        setup.target.assign(static_cast<std::size_t>(Ad.Bins), 0);
        for (int t2 = 1; t2 <= Ad.Bins; ++t2)
            targetOf.push_back(calc.DetectableTarget(CombinedValue(Ad, t2, c)));
    }
    DistinctTargets(targetOf, setup.targets, setup.target);

    // Only raw sizes up to the largest a0 can ever be counted.
    if (setup.kind == Kind::F) {
        const DiscreteHistogram& A0 = H[5];
        double largestA0 = -std::numeric_limits<double>::infinity();
        for (int t1 = 1; t1 <= A0.Bins; ++t1)
            largestA0 = std::max(largestA0, CombinedValue(A0, t1, c));
        for (std::size_t k = 0; k < setup.target.size(); ++k)
            if (setup.target[k] >= 0 && setup.aacRaw[k] <= largestA0)
                setup.sortedRaw.push_back(setup.aacRaw[k]);
    }
    std::sort(setup.sortedRaw.begin(), setup.sortedRaw.end());
    constexpr double Infinity = std::numeric_limits<double>::infinity();
    setup.shared = SlotsOf(setup, -Infinity, false);
    return true;
}

// The partial histograms of the a0 classes added into P in class order as the classes finish,
// so the sums never depend on the number of threads or on which class finished first. A class
// finished ahead of an earlier one waits; only a few do, where keeping every class to the end
// took a fresh page of memory for every two classes. The first class in order that failed or
// saw the interrupt ends the merge.
class OrderedMerge {
  public:
    explicit OrderedMerge(ClassArray& P) : P_(P) {}

    void Add(int t1, ClassResult&& r) {
        std::lock_guard lock(mutex_);
        if (t1 != next_) {
            waiting_.emplace(t1, std::move(r));
            return;
        }
        Take(r);
        for (auto it = waiting_.begin(); it != waiting_.end() && it->first == next_;
             it = waiting_.erase(it))
            Take(it->second);
    }

    // After the workers are done: the class that ended the merge, if one did.
    const ClassResult* end() const { return end_ ? &*end_ : nullptr; }

  private:
    void Take(ClassResult& r) {
        ++next_;
        if (end_) return;
        if (r.failure || r.interrupted) {
            end_ = std::move(r);
            return;
        }
        for (int i = 1; i <= ResistanceBins; ++i)
            P_[i] += r.P[i];
    }

    ClassArray& P_;
    std::mutex mutex_;
    std::map<int, ClassResult> waiting_;
    int next_ = 1;
    std::optional<ClassResult> end_;
};

// The histogram loop: a0 classes are handed out to the workers and merged into `P` in class
// order. The loop's duration into `ms`; false after a reported failure or an interruption.
bool RunLoop(const LoopSetup& setup, const ResistanceOptions& options, CalculationState& state,
             ClassArray& P, long long& ms) {
    const int classes = state.inputs.histogram[5].Bins;
    OrderedMerge merge(P);
    std::atomic<int> next{1};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    std::mutex progressMutex;
    const auto started = std::chrono::steady_clock::now();
    auto worker = [&] {
        SlotsCache cache;
        for (;;) {
            if (stop.load()) return;
            const int t1 = next.fetch_add(1);
            if (t1 > classes) return;
            ClassResult r = RunA0Class(setup, t1, cache);
            if (r.failure || r.interrupted) stop.store(true);
            merge.Add(t1, std::move(r));
            const int finished = done.fetch_add(1) + 1;
            if (options.progress) {
                std::lock_guard lock(progressMutex);
                const long long elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now() - started)
                                              .count();
                const long long e = elapsed / finished;
                options.progress({finished, classes, e * classes, e * (classes - finished),
                                  setup.kind == Kind::F});
            }
        }
    };
    int threads = options.threads > 0
                      ? options.threads
                      : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, std::max(1, classes));
    const bool helped = options.helper != nullptr && threads >= 2;
    std::vector<std::thread> pool;
    for (int t = helped ? 2 : 1; t < threads; ++t)
        pool.emplace_back(worker);
    if (helped)
        options.helper->RunTogether(worker);
    else
        worker();
    for (auto& t : pool)
        t.join();

    if (const ClassResult* r = merge.end()) {
        if (r->failure) {
            state.Fail(r->failure->failure, r->failure->kind);
            return false;
        }
        state.Interrupt = false;
        state.Abort = true;
        state.abortKind = AbortKind::InputPage;
        return false;
    }
    ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               started)
             .count();
    return true;
}

// The step's label with the loop's duration.
std::string LabelText(Kind kind, long long ms) {
    const std::string duration = TimeText(ms);
    return kind == Kind::F ? CaptionText(Caption::Label26) + " ( " + duration + " )"
                           : CaptionText(Caption::Label25) + "  ( " + duration + " )";
}

// The merged classes normalised, with their frequency total (sum of 1/P), placed on the grid,
// trimmed and stored as R(aac) or R(ad); the step's label with the loop's duration.
ResistanceOutcome Finish(const LoopSetup& setup, StateHistogram& result, long long ms,
                         CalculationState& state) {
    ResistanceOutcome outcome;
    const Kind kind = setup.kind;
    // First: each class one whole class above the grid its resistances were rounded on.
    // Centre: the class values are the centres of the grid's classes.
    if (setup.convention == Convention::Centre) {
        result.XFirst = setup.rmin + setup.h / 2;
        result.XLast = setup.rmax - setup.h / 2;
    } else {
        result.XFirst = setup.rmin + setup.h;
        result.XLast = setup.rmax - setup.h;
    }
    result.Step = setup.h;
    result.Bins = ResistanceBins;
    ClearMathFlags();
    long double sum = 0;
    for (int i = 1; i <= ResistanceBins; ++i)
        sum += result.P[i];
    for (int i = 1; i <= ResistanceBins; ++i)
        result.P[i] = static_cast<double>(result.P[i] / sum);
    result.Total = static_cast<double>(FrequencyTotal(result.P, ResistanceBins));
    if (const MathFault fault = RaisedMathFault(); fault != MathFault::None || !(sum > 0)) {
        state.Fail(
            MathFailure(fault == MathFault::None ? msg::DivisionByZero : MathFaultMessage(fault),
                        setup.stepName),
            AbortKind::Calculation);
        return outcome;
    }
    int bins = result.Bins;
    TrimZeroEndClasses(result.P, result.XFirst, result.XLast, bins, result.Step, result.Span);
    result.Bins = bins;
    if (kind == Kind::F) {
        state.Raac = result;
        state.RaacReady = true;
    } else {
        state.Rad = result;
        state.RadReady = true;
    }
    outcome.ok = true;
    outcome.labelText = LabelText(kind, ms);
    return outcome;
}

// A histogram kept from an earlier run stored as the step stores what it builds.
ResistanceOutcome Reuse(Kind kind, const ResistanceCache::Entry& kept, CalculationState& state) {
    ClearMathFlags();
    if (kind == Kind::F) {
        kept.histogram.Restore(state.Raac);
        state.RaacReady = true;
        state.CurrentFy = kept.currentFy;
        state.CurrentSigma = kept.currentSigma;
    } else {
        kept.histogram.Restore(state.Rad);
        state.RadReady = true;
    }
    return {true, LabelText(kind, 0)};
}

ResistanceOutcome RunStep(Kind kind, const CalculationInputs& in, CalculationState& state,
                          const ResistanceOptions& options) {
    const auto params = PreCheck(kind, in, state);
    if (!params) return {};
    const std::string stepName = StepNameOf(kind, in);
    state.StepName = stepName;
    std::string key;
    if (options.cache != nullptr) {
        key = ResistanceCache::KeyOf(kind == Kind::F, *params, state.inputs);
        if (const std::optional<ResistanceCache::Entry> kept = options.cache->Find(key))
            return Reuse(kind, *kept, state);
    }
    const auto& H = state.inputs.histogram;
    const double capFy = ClassValueMean(H[3]);
    const double capSigma = ClassValueMean(H[4]);

    double rmin, rmax;
    if (!FindRange(kind, *params, capFy, capSigma, state, rmin, rmax)) return {};
    const double h = (rmax - rmin) / ResistanceBins;
    LoopSetup setup{kind,
                    in,
                    state,
                    *params,
                    rmin,
                    rmax,
                    h,
                    capFy,
                    capSigma,
                    options.simd,
                    in.integration.convention,
                    {},
                    {},
                    {},
                    stepName,
                    {},
                    {}};
    if (!FindTargets(setup, state)) return {};

    StateHistogram result;
    long long ms = 0;
    if (!RunLoop(setup, options, state, result.P, ms)) return {};
    ResistanceOutcome outcome = Finish(setup, result, ms, state);
    if (outcome.ok && options.cache != nullptr) {
        ResistanceCache::Entry entry;
        entry.histogram.Hold(kind == Kind::F ? state.Raac : state.Rad);
        entry.currentFy = state.CurrentFy;
        entry.currentSigma = state.CurrentSigma;
        options.cache->Keep(key, std::move(entry));
    }
    return outcome;
}

} // namespace

ResistanceOutcome ResVypJevuU(const CalculationInputs& in, CalculationState& state,
                              const ResistanceOptions& options) {
    return RunStep(Kind::U, in, state, options);
}

ResistanceOutcome ResVypJevuF(const CalculationInputs& in, CalculationState& state,
                              const ResistanceOptions& options) {
    return RunStep(Kind::F, in, state, options);
}

} // namespace tessavin
