#include "calculation/resistance_functions.h"

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <cmath>
#include <type_traits>

#include "localisation/captions.h"

namespace tessavin {
namespace {

constexpr double Pi = 3.1415926535897932385;
constexpr double HalfPi = 1.5707963267948966193;
constexpr int FaultFlags = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;

inline bool FaultRaised() {
    return std::fetestexcept(FaultFlags) != 0;
}

// The compiler does not order floating-point arithmetic against the <cfenv> calls: without a
// barrier it may compute a value after the flags are read, or share it between the fast run and
// the checked run of a diagnosis. This makes v computed here, before any later call.
inline void Computed(double& v) {
#if defined(__GNUC__) && defined(__x86_64__)
    asm volatile("" : "+x"(v) : : "memory");
#elif defined(__GNUC__) && defined(__aarch64__)
    asm volatile("" : "+w"(v) : : "memory");
#else
    volatile double sink = v;
    v = sink;
#endif
}

} // namespace

// The integrands handed to the integration methods. A failed evaluation records the failure and
// failed() stops the method at once.
struct ResistanceCalculator::EdgeIntegrand {
    ResistanceCalculator& c;
    double operator()(double x) {
        return c.integrandValue([&](auto k) { return c.fxOkraje<decltype(k)::value>(x); });
    }
    double weighted(double x, double w) {
        return c.integrandValue(
            [&](auto k) { return c.fxOkrajeWeighted<decltype(k)::value>(x, w); });
    }
    double panel(double x1, double x2) {
        return c.integrandValue([&](auto k) { return c.lichOkraje<decltype(k)::value>(x1, x2); });
    }
    bool failed() const { return c.failed_; }
};

struct ResistanceCalculator::SurfaceIntegrand {
    ResistanceCalculator& c;
    double operator()(double x) {
        return c.integrandValue([&](auto k) { return c.surfaceIntegrand<decltype(k)::value>(x); });
    }
    double weighted(double x, double w) {
        return c.integrandValue(
            [&](auto k) { return c.surfaceWeighted<decltype(k)::value>(x, w); });
    }
    double panel(double x1, double x2) {
        return c.integrandValue([&](auto k) { return c.lichPovrchu<decltype(k)::value>(x1, x2); });
    }
    bool failed() const { return c.failed_; }
};

ResistanceCalculator::ResistanceCalculator(const ResistanceParameters& parameters)
    : p_(parameters), surface_(parameters.origin == 1), cap_(0.8 * parameters.tf) {}

void ResistanceCalculator::clearFailure() {
    failed_ = false;
    failure_ = Failure{};
    culprit_ = nullptr;
}

// --- Fault bookkeeping ---------------------------------------------------------------------------

template <bool Checked> bool ResistanceCalculator::faulted(const char* name, double value) {
    if constexpr (Checked) {
        Computed(value);
        if (culprit_ != nullptr) return true;
        const MathFault fault = RaisedMathFault();
        if (fault != MathFault::None) {
            culprit_ = name;
            culpritFault_ = fault;
            return true;
        }
    }
    return false;
}

// One flag test per call: the public geometry functions and the acceptable surface depth.
template <class Eval> double ResistanceCalculator::guarded(Eval&& eval) {
    double value = eval(std::false_type{});
    Computed(value);
    if (FaultRaised()) [[unlikely]] {
        diagnose(eval, RaisedMathFault());
        return 0.0;
    }
    return value;
}

// An integrand value. Reading the flags costs about a quarter of an edge evaluation, so the fast
// path tests only the value: a non-finite one stops the integral at once. A fault that leaves the
// value finite (an overflow inverted to 0) is caught by the flag test at the end of the
// resistance, which then runs the whole resistance once more with checkEach_ set to find it.
template <class Eval> double ResistanceCalculator::integrandValue(Eval&& eval) {
    if (checkEach_) [[unlikely]]
        return guarded(eval);
    const double value = eval(std::false_type{});
    if (!std::isfinite(value)) [[unlikely]] {
        // Without a raised flag the value came from non-finite inputs: an invalid operation.
        const MathFault seen = RaisedMathFault();
        diagnose(eval, seen == MathFault::None ? MathFault::Invalid : seen);
        return 0.0;
    }
    return value;
}

// A resistance: the body runs with one flag test at its end.
template <class Body> double ResistanceCalculator::evaluate(Outer outer, Body&& body) {
    if (failed_) return 0.0;
    outer_ = outer;
    beginEvaluation();
    double value = body();
    Computed(value);
    if (failed_) return 0.0;
    if (FaultRaised()) [[unlikely]] {
        rerunChecked(body);
        return 0.0;
    }
    return value;
}

template <class Body>
[[gnu::noinline, gnu::cold]] void ResistanceCalculator::rerunChecked(Body&& body) {
    const MathFault seen = RaisedMathFault();
    ClearMathFlags();
    checkEach_ = true;
    body();
    checkEach_ = false;
    if (!failed_) failOuter(seen);
}

// The computation is deterministic, so running it once more with a test after every function
// finds the innermost one that raised the flag. A flag that no function raises again was left
// by the arithmetic of the resistance itself.
template <class Eval>
[[gnu::noinline, gnu::cold]] void ResistanceCalculator::diagnose(Eval&& eval, MathFault seen) {
    ClearMathFlags();
    culprit_ = nullptr;
    eval(std::true_type{});
    if (culprit_ != nullptr) {
        failed_ = true;
        failure_ = MathFailure(MathFaultMessage(culpritFault_), culprit_);
    } else {
        failOuter(seen);
    }
    culprit_ = nullptr;
}

void ResistanceCalculator::failOuter(MathFault fault) {
    const Caption label = outer_ == Outer::Acceptable ? Caption::Label26 : Caption::Label25;
    failed_ = true;
    failure_ = MathFailure(MathFaultMessage(fault),
                           CaptionText(label) + " (" + CrackOriginText(p_.origin) + ")");
}

// Flags left by earlier work are not this evaluation's faults. Clearing costs far more than
// testing, so clear only what is raised.
void ResistanceCalculator::beginEvaluation() {
    if (FaultRaised()) ClearMathFlags();
}

// --- Edge crack ----------------------------------------------------------------------------------

template <bool Checked> double ResistanceCalculator::faOkraje(double a) {
    const double alpha = a / p_.bf;
    const double F = 1.12 - alpha * (0.231 - alpha * (10.55 - alpha * (21.72 - alpha * 30.39)));
    if (faulted<Checked>(geometry_step::FaOkraje, F)) return 0.0;
    return F;
}

template <bool Checked> double ResistanceCalculator::fxOkraje(double a) {
    const double F = faOkraje<Checked>(a);
    if (stopped<Checked>()) return 0.0;
    const double value = 1.0 / std::pow(F * std::sqrt(Pi * a), p_.m);
    if (faulted<Checked>(geometry_step::FxOkraje, value)) return 0.0;
    return value;
}

// The weighted trapezoid term k/(F √(π a))^m, computed as one quotient.
template <bool Checked> double ResistanceCalculator::fxOkrajeWeighted(double a, double k) {
    const double F = faOkraje<Checked>(a);
    if (stopped<Checked>()) return 0.0;
    const double value = k / std::pow(F * std::sqrt(Pi * a), p_.m);
    if (faulted<Checked>(geometry_step::FxOkraje, value)) return 0.0;
    return value;
}

template <bool Checked> double ResistanceCalculator::lichOkraje(double x1, double x2) {
    const double f1 = fxOkraje<Checked>(x1);
    if (stopped<Checked>()) return 0.0;
    const double f2 = fxOkraje<Checked>(x2);
    if (stopped<Checked>()) return 0.0;
    const double value = (f1 + f2) * (x2 - x1) * 0.5;
    if (faulted<Checked>(geometry_step::LichOkraje, value)) return 0.0;
    return value;
}

// --- Surface crack -------------------------------------------------------------------------------

template <bool Checked> double ResistanceCalculator::rozmerC(double a, double t) {
    const double c = 0.3027 * (a * a) / t + 1.0202 * a + 0.00699 * t;
    if (faulted<Checked>(geometry_step::Rozmer_c, c)) return 0.0;
    return c;
}

template <bool Checked> double ResistanceCalculator::tvar(double a, double c) {
    const double Q = 1 + 1.464 * std::pow(a / c, 1.65);
    if (faulted<Checked>(geometry_step::Tvar, Q)) return 0.0;
    return Q;
}

// F at the deepest point of the semi-elliptical crack; the angle factor (1.0^0.25) is 1.
template <bool Checked>
double ResistanceCalculator::faPovrchu(double a, double c, double W, double t) {
    const double r1 = a / c;
    const double r2 = a / t;
    const double m1 = 1.13 - 0.09 * r1;
    const double m2 = 0.89 / (0.2 + r1) - 0.54;
    const double m3 = 0.5 - 1 / (0.65 + r1) + 14 * std::pow(1 - r1, 24);
    const double r2Squared = std::pow(r2, 2);
    const double g = 1 + 0.1 + 0.35 * r2Squared;
    const double fw = std::sqrt(1 / std::cos(std::sqrt(r2) * Pi * c / W));
    const double F = (m1 + m2 * r2Squared + m3 * std::pow(r2, 4)) * g * fw;
    if (faulted<Checked>(geometry_step::FaPovrchu, F)) return 0.0;
    return F;
}

template <bool Checked>
double ResistanceCalculator::fxPovrchu(double a, double c, double W, double t, double m) {
    const double F = faPovrchu<Checked>(a, c, W, t);
    if (stopped<Checked>()) return 0.0;
    const double Q = tvar<Checked>(a, c);
    if (stopped<Checked>()) return 0.0;
    const double value = 1 / std::pow(F * std::sqrt(Pi * a / Q), m);
    if (faulted<Checked>(geometry_step::FxPovrchu, value)) return 0.0;
    return value;
}

template <bool Checked>
double ResistanceCalculator::integrovani(double x, double c, double W, double t, double m,
                                         double k) {
    const double f = fxPovrchu<Checked>(x, c, W, t, m);
    if (stopped<Checked>()) return 0.0;
    const double value = k * f;
    if (faulted<Checked>(geometry_step::Integrovani, value)) return 0.0;
    return value;
}

// The surface integrand at depth x: the half-length first, then FxPovrchu in the flange.
template <bool Checked> double ResistanceCalculator::surfaceIntegrand(double x) {
    const double c = rozmerC<Checked>(x, p_.tf);
    if (stopped<Checked>()) return 0.0;
    return fxPovrchu<Checked>(x, c, p_.bf, p_.tf, p_.m);
}

template <bool Checked> double ResistanceCalculator::surfaceWeighted(double x, double k) {
    const double c = rozmerC<Checked>(x, p_.tf);
    if (stopped<Checked>()) return 0.0;
    return integrovani<Checked>(x, c, p_.bf, p_.tf, p_.m, k);
}

template <bool Checked> double ResistanceCalculator::lichPovrchu(double x1, double x2) {
    const double f1 = surfaceIntegrand<Checked>(x1);
    if (stopped<Checked>()) return 0.0;
    const double f2 = surfaceIntegrand<Checked>(x2);
    if (stopped<Checked>()) return 0.0;
    const double value = (f1 + f2) * (x2 - x1) * 0.5;
    if (faulted<Checked>(geometry_step::LichPovrchu, value)) return 0.0;
    return value;
}

// The nominal stress raised by the loss of the half-ellipse area (π/2)·x·c from the section.
template <bool Checked> double ResistanceCalculator::velikostFce(double x, double sigma) {
    const double c = rozmerC<Checked>(x, p_.tf);
    if (stopped<Checked>()) return 0.0;
    const double area = p_.bf * p_.tf;
    const double value = sigma * p_.bf * p_.tf / (area - HalfPi * x * c);
    if (faulted<Checked>(geometry_step::velikost_fce, value)) return 0.0;
    return value;
}

// Bisection on [0, 0.8 tf] for the depth where the net-section stress reaches Fy, to a bracket
// narrower than 1E-7 mm. The search also ends when no double lies between the bracket's ends
// any more, which only an absurdly thick flange reaches.
template <bool Checked> double ResistanceCalculator::vypocetAac(double Fy, double sigma) {
    const double deepest = 0.8 * p_.tf;
    const double atDeepest = velikostFce<Checked>(deepest, sigma);
    if (stopped<Checked>()) return 0.0;
    if (!(atDeepest > Fy)) return deepest;
    const double atSurface = velikostFce<Checked>(0.0, sigma);
    if (stopped<Checked>()) return 0.0;
    if (atSurface > Fy) return 0.0;
    const double half = 0.4 * p_.tf;
    const double atHalf = velikostFce<Checked>(half, sigma);
    if (stopped<Checked>()) return 0.0;
    double lo = half, hi = deepest;
    if (atHalf > Fy) {
        lo = 0.0;
        hi = half;
    }
    do {
        const double x = (lo + hi) / 2;
        if (!(lo < x && x < hi)) break;
        const double v = velikostFce<Checked>(x, sigma);
        if (stopped<Checked>()) return 0.0;
        if (v > Fy)
            hi = x;
        else
            lo = x;
    } while (!(hi - lo < 1E-7));
    const double aac = (lo + hi) / 2;
    if (faulted<Checked>(geometry_step::vypocet_aac, aac)) return 0.0;
    return aac;
}

// --- Public geometry functions -------------------------------------------------------------------

double ResistanceCalculator::FaOkraje(double a) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return faOkraje<decltype(k)::value>(a); });
}

double ResistanceCalculator::FxOkraje(double a) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return fxOkraje<decltype(k)::value>(a); });
}

double ResistanceCalculator::LichOkraje(double x1, double x2) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return lichOkraje<decltype(k)::value>(x1, x2); });
}

double ResistanceCalculator::Rozmer_c(double a, double t) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return rozmerC<decltype(k)::value>(a, t); });
}

double ResistanceCalculator::Tvar(double a, double c) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return tvar<decltype(k)::value>(a, c); });
}

double ResistanceCalculator::FaPovrchu(double a, double c, double W, double t) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return faPovrchu<decltype(k)::value>(a, c, W, t); });
}

double ResistanceCalculator::FxPovrchu(double a, double c, double W, double t, double m) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return fxPovrchu<decltype(k)::value>(a, c, W, t, m); });
}

double ResistanceCalculator::Integrovani(double x, double c, double W, double t, double m,
                                         double weight) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return integrovani<decltype(k)::value>(x, c, W, t, m, weight); });
}

double ResistanceCalculator::LichPovrchu(double x1, double x2) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return lichPovrchu<decltype(k)::value>(x1, x2); });
}

double ResistanceCalculator::velikost_fce(double x, double sigma) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return velikostFce<decltype(k)::value>(x, sigma); });
}

double ResistanceCalculator::vypocet_aac(double Fy, double sigma) {
    if (failed_) return 0.0;
    beginEvaluation();
    return guarded([&](auto k) { return vypocetAac<decltype(k)::value>(Fy, sigma); });
}

// --- Resistances ---------------------------------------------------------------------------------

double ResistanceCalculator::integral(double a, double b, GaussSplit split) {
    const IntegralResult r = surface_
                                 ? Integrate(p_.integration, SurfaceIntegrand{*this}, a, b, split)
                                 : Integrate(p_.integration, EdgeIntegrand{*this}, a, b, split);
    switch (r.status) {
    case IntegralStatus::Ok:
        return r.value;
    case IntegralStatus::IntegrandFailed:
        return 0.0;
    case IntegralStatus::StackFull:
        // Panels zeroed by an overflow never converge: the fault is the failure then.
        if (FaultRaised()) return 0.0;
        failed_ = true;
        failure_ = AdaptiveStackFullFailure(surface_ ? geometry_step::LichPovrchu
                                                     : geometry_step::LichOkraje);
        return 0.0;
    }
    return 0.0;
}

double ResistanceCalculator::acceptableSizeRaw(double Fy, double sigma) {
    if (surface_) return guarded([&](auto k) { return vypocetAac<decltype(k)::value>(Fy, sigma); });
    return (1 - sigma / Fy) * p_.bf;
}

double ResistanceCalculator::AcceptableTarget(double aacRaw) const {
    double aac = aacRaw;
    if (surface_) {
        const double cap = 0.8 * p_.tf;
        if (aac > cap) aac = cap;
    } else {
        const double cap = 0.4 * p_.bf;
        if (!(aac < cap)) aac = cap;
    }
    return aac;
}

double ResistanceCalculator::resistanceToAcceptable(double a0, double aacRaw) {
    if (!(aacRaw > a0)) return 0.0;
    return integral(a0, AcceptableTarget(aacRaw), GaussSplit::Acceptable);
}

double ResistanceCalculator::AcceptableIntegral(double a0, double target) {
    return evaluate(Outer::Acceptable,
                    [&] { return integral(a0, target, GaussSplit::Acceptable); });
}

double ResistanceCalculator::AcceptableSizeRaw(double Fy, double sigma) {
    return evaluate(Outer::Acceptable, [&] { return acceptableSizeRaw(Fy, sigma); });
}

void ResistanceCalculator::AcceptableSizesRaw(const double* Fy, const double* sigma, int n,
                                              double* raw) {
    if (!surface_ && !failed_) {
        beginEvaluation();
        for (int k = 0; k < n; ++k)
            raw[k] = (1 - sigma[k] / Fy[k]) * p_.bf;
        std::atomic_signal_fence(std::memory_order_seq_cst); // every size stored before the test
        if (!FaultRaised()) return;
        ClearMathFlags();
    }
    for (int k = 0; k < n; ++k)
        raw[k] = AcceptableSizeRaw(Fy[k], sigma[k]);
}

double ResistanceCalculator::ResistanceToAcceptable(double a0, double aacRaw) {
    return evaluate(Outer::Acceptable, [&] { return resistanceToAcceptable(a0, aacRaw); });
}

double ResistanceCalculator::OdolnostF(double a0, double Fy, double sigma) {
    return evaluate(Outer::Acceptable, [&] {
        if (!HasAcceptableSize(Fy, sigma)) return 0.0;
        const double aac = acceptableSizeRaw(Fy, sigma);
        if (failed_) return 0.0;
        return resistanceToAcceptable(a0, aac);
    });
}

void ResistanceCalculator::SetSurfaceCap(double Fy, double sigma) {
    if (!surface_ || failed_) return;
    const double aac = evaluate(Outer::Detectable, [&] { return acceptableSizeRaw(Fy, sigma); });
    if (failed_) return;
    cap_ = std::min(aac, 0.8 * p_.tf);
}

double ResistanceCalculator::OdolnostU(double a0, double ad) {
    return evaluate(Outer::Detectable, [&] {
        if (DetectableIsZero(a0)) return 0.0;
        return integral(a0, DetectableTarget(ad), GaussSplit::Detectable);
    });
}

double ResistanceCalculator::DetectableIntegral(double a0, double target) {
    return evaluate(Outer::Detectable,
                    [&] { return integral(a0, target, GaussSplit::Detectable); });
}

} // namespace tessavin
