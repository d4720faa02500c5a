#pragma once
// Crack geometry, the crack-growth integrand and the resistance integral R(a) = ∫ da / (F√(πa))^m
// of the edge crack (across the flange width bf) and of the surface crack (into the thickness tf).
//
// One ResistanceCalculator per worker thread: it keeps its own failure state and nothing else
// is shared. Floating-point faults are read from the <cfenv> flags, which are per thread.
#include "calculation/integration.h"
#include "calculation/model.h"
#include "common/failure.h"
#include "common/math_fault.h"

namespace tessavin {

struct ResistanceParameters {
    double m = 3;    // exponent of the crack-growth law
    double bf = 400; // flange width, mm
    double tf = 25;  // flange thickness, mm
    int origin = 0;  // 0 edge crack, 1 surface crack
    IntegrationSettings integration;
};

// Step names of the geometry functions, shown under the message of a numerical failure.
namespace geometry_step {
inline constexpr const char* FaOkraje = "procedure Vypocet FaOkraje";
inline constexpr const char* FxOkraje = "procedure Vypocet FxOkraje";
inline constexpr const char* LichOkraje = "procedure Vypocet LichOkraje";
inline constexpr const char* FaPovrchu = "function FaPovrchu";
inline constexpr const char* Tvar = "function Tvar";
inline constexpr const char* FxPovrchu = "function FxPovrchu";
inline constexpr const char* Rozmer_c = "function Rozmer_c";
inline constexpr const char* LichPovrchu = "procedure Vypocet LichPovrchu";
inline constexpr const char* Integrovani = "function Integrovani";
inline constexpr const char* velikost_fce = "function velikost_fce";
// The trailing blank is part of the name.
inline constexpr const char* vypocet_aac = "function vypocet_aac ";
} // namespace geometry_step

class ResistanceCalculator {
  public:
    explicit ResistanceCalculator(const ResistanceParameters& parameters);

    const ResistanceParameters& parameters() const { return p_; }

    // --- Geometry functions. Each returns 0 after a numerical failure (see failure()). --------
    // Edge crack.
    double FaOkraje(double a);               // geometry function F
    double FxOkraje(double a);               // integrand 1/(F √(π a))^m
    double LichOkraje(double x1, double x2); // trapezoid panel of FxOkraje
    // Surface crack: a depth, c half-length, W width, t thickness.
    double Rozmer_c(double a, double t); // half-length c of depth a
    double Tvar(double a, double c);     // shape factor Q
    double FaPovrchu(double a, double c, double W, double t);
    double FxPovrchu(double a, double c, double W, double t, double m); // 1/(F √(π a/Q))^m
    // weight·FxPovrchu
    double Integrovani(double x, double c, double W, double t, double m, double weight);
    double LichPovrchu(double x1, double x2);    // trapezoid panel, c = Rozmer_c(x, tf) at each end
    double velikost_fce(double x, double sigma); // net-section stress with a crack of depth x
    double vypocet_aac(double Fy, double sigma); // depth where velikost_fce reaches Fy, ≤ 0.8 tf

    // --- Resistance to the acceptable size, R(aac). ------------------------------------------
    // False when R(aac) is 0 without any computation: sigma ≥ Fy or Fy = 0.
    static bool HasAcceptableSize(double Fy, double sigma) { return !(sigma >= Fy || Fy == 0); }
    // The acceptable size before it is compared with a0 and capped: (1 − σ/Fy)·bf for the edge
    // crack, vypocet_aac for the surface crack. Call only when HasAcceptableSize.
    double AcceptableSizeRaw(double Fy, double sigma);
    // AcceptableSizeRaw of n pairs (Fy[k], sigma[k]) that have an acceptable size, into raw[k].
    // The edge crack's sizes take one test of the fault flags for them all; after a fault they
    // are computed once more pair by pair, so that values and failure are those of n calls.
    void AcceptableSizesRaw(const double* Fy, const double* sigma, int n, double* raw);
    // 0 when aacRaw is not above a0; else the integral from a0 to aacRaw capped at 0.4·bf (edge)
    // or 0.8·tf (surface), with the three Gauss sub-intervals.
    double ResistanceToAcceptable(double a0, double aacRaw);
    // R(aac) = HasAcceptableSize ? ResistanceToAcceptable(a0, AcceptableSizeRaw(Fy, σ)) : 0.
    double OdolnostF(double a0, double Fy, double sigma);
    // The upper limit of R(aac) for a raw acceptable size above a0: capped at 0.4·bf (edge) or
    // 0.8·tf (surface). Many (Fy, σ) pairs share it, and with it the integral.
    double AcceptableTarget(double aacRaw) const;
    // The integral of R(aac) from a0 to a target already capped, with the failure names of R(aac).
    double AcceptableIntegral(double a0, double target);

    // --- Resistance to the detectable size, R(ad). -------------------------------------------
    // Surface crack: the acceptable depth that caps ad, for one yield strength and one nominal
    // stress (the means of the input histograms), never above 0.8·tf. Until it is set the cap is
    // 0.8·tf. Ignored for the edge crack.
    void SetSurfaceCap(double Fy, double sigma);
    double surfaceCap() const { return cap_; }
    // Edge: the integral from a0 to ad (negative when ad < a0). Surface: 0 when the cap is not
    // above a0, else the integral from a0 to min(ad, cap). Two Gauss sub-intervals.
    double OdolnostU(double a0, double ad);
    // R(ad) is 0 without integrating: the surface cap is not above a0.
    bool DetectableIsZero(double a0) const { return surface_ && !(cap_ > a0); }
    // The upper limit of R(ad) otherwise: ad, for the surface crack capped.
    double DetectableTarget(double ad) const { return surface_ && cap_ < ad ? cap_ : ad; }
    // The integral of R(ad) from a0 to a target as DetectableTarget gives it.
    double DetectableIntegral(double a0, double target);

    // --- Failure state. -----------------------------------------------------------------------
    // A division by zero, overflow or invalid operation (messages 101, 102, 104) is reported as
    // MathFailure(message, name) where name is the innermost geometry function whose own
    // arithmetic raised it (e.g. "procedure Vypocet FxOkraje"). A fault in the arithmetic of the
    // resistance itself (the edge acceptable size, the sums of a method) or a non-finite value
    // from non-finite inputs names the resistance step: the caption of R(aac) or R(ad) + " (" +
    // crack origin + ")". The adaptive stack limit names the panel function of the crack origin.
    // Underflow is never a fault. The failing call returns 0, and so does every later call until
    // clearFailure().
    bool failed() const { return failed_; }
    const Failure& failure() const { return failure_; }
    void clearFailure();

  private:
    enum class Outer { Acceptable, Detectable };

    struct EdgeIntegrand;
    struct SurfaceIntegrand;

    // Kernels. With Checked each function tests the fault flags after its own arithmetic and
    // records itself as the culprit; the fast path (Checked = false) tests nothing.
    template <bool Checked> double faOkraje(double a);
    template <bool Checked> double fxOkraje(double a);
    template <bool Checked> double fxOkrajeWeighted(double a, double k);
    template <bool Checked> double lichOkraje(double x1, double x2);
    template <bool Checked> double rozmerC(double a, double t);
    template <bool Checked> double tvar(double a, double c);
    template <bool Checked> double faPovrchu(double a, double c, double W, double t);
    template <bool Checked> double fxPovrchu(double a, double c, double W, double t, double m);
    template <bool Checked>
    double integrovani(double x, double c, double W, double t, double m, double k);
    template <bool Checked> double surfaceIntegrand(double x);
    template <bool Checked> double surfaceWeighted(double x, double k);
    template <bool Checked> double lichPovrchu(double x1, double x2);
    template <bool Checked> double velikostFce(double x, double sigma);
    template <bool Checked> double vypocetAac(double Fy, double sigma);

    template <bool Checked> bool faulted(const char* name, double value);
    template <bool Checked> bool stopped() const { return Checked && culprit_ != nullptr; }

    // Fault detection. An eval is a kernel call taking std::bool_constant<Checked>: the fast run
    // is unchecked; diagnose() runs it checked to name the culprit.
    template <class Eval> double guarded(Eval&& eval);        // flag test after the call
    template <class Eval> double integrandValue(Eval&& eval); // finiteness test only
    template <class Eval> void diagnose(Eval&& eval, MathFault seen);
    // A resistance body with one flag test at its end; on a fault the body runs once more with
    // a flag test after every integrand evaluation.
    template <class Body> double evaluate(Outer outer, Body&& body);
    template <class Body> void rerunChecked(Body&& body);

    void beginEvaluation();
    void failOuter(MathFault fault);
    double integral(double a, double b, GaussSplit split);
    double acceptableSizeRaw(double Fy, double sigma);
    double resistanceToAcceptable(double a0, double aacRaw);

    ResistanceParameters p_;
    bool surface_;
    double cap_;                      // surface R(ad) cap depth
    Outer outer_ = Outer::Acceptable; // the resistance being evaluated, for failure texts
    bool checkEach_ = false;          // test the flags after every integrand evaluation
    const char* culprit_ = nullptr;   // innermost function found by a checked run
    MathFault culpritFault_ = MathFault::None;
    bool failed_ = false;
    Failure failure_;
};

} // namespace tessavin
