#include "exactplan/state_grid.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "calculation/resistance_functions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin::exactplan {

namespace {

using montecarlo::InputSampler;
using montecarlo::ModelSetup;

constexpr int CrackSizePoints = 16384; // log-spaced sizes of the G table
constexpr int CountPoints = 1024;      // quantile midpoints of the one-year count
constexpr int RatioPoints = 1024;      // points of the σ/Fy survival table
constexpr int YieldPoints = 512;       // quantile midpoints of Fy in that table
constexpr double MaxKernelNodes = 1 << 14;
constexpr double MaxStateBytes = 32.0 * 1024 * 1024; // the rows and their scratch rows

// G on log-spaced crack sizes and its inverse by interpolation in ln a (G is smooth in ln a).
class CrackStateMap {
  public:
    CrackStateMap(const montecarlo::ResistanceIntegral& integral, double lo, double hi)
        : lnLo_(std::log(lo)), lnStep_((std::log(hi) - std::log(lo)) / (CrackSizePoints - 1)) {
        G_.resize(CrackSizePoints);
        for (int m = 0; m < CrackSizePoints; ++m)
            G_[m] = m == 0 ? 0.0 : integral(lo, SizeAt(m));
        G_.back() = integral(lo, hi);
    }
    double top() const { return G_.back(); }
    // The crack size whose state is x, clamped to the range.
    double SizeOf(double x) const {
        if (!(x > 0)) return SizeAt(0);
        if (!(x < G_.back())) return SizeAt(CrackSizePoints - 1);
        const auto it = std::upper_bound(G_.begin(), G_.end(), x);
        const auto m = static_cast<std::size_t>(it - G_.begin());
        const double span = G_[m] - G_[m - 1];
        const double t = span > 0 ? (x - G_[m - 1]) / span : 0.0;
        return std::exp(lnLo_ + (static_cast<double>(m - 1) + t) * lnStep_);
    }

  private:
    double SizeAt(int m) const { return std::exp(lnLo_ + m * lnStep_); }
    double lnLo_, lnStep_;
    std::vector<double> G_;
};

// P(σ/Fy > r) on a table over the range of the ratio, Fy integrated by quantile midpoints.
class RatioSurvival {
  public:
    RatioSurvival(const InputSampler& fy, const InputSampler& sigma)
        : lo_(sigma.lower() / fy.upper()), hi_(sigma.upper() / fy.lower()) {
        std::vector<double> yields(YieldPoints);
        for (int q = 0; q < YieldPoints; ++q)
            yields[q] = fy.Quantile((q + 0.5) / YieldPoints);
        step_ = (hi_ - lo_) / RatioPoints;
        values_.resize(RatioPoints + 1);
        for (int i = 0; i <= RatioPoints; ++i) {
            const double r = lo_ + i * step_;
            long double sum = 0;
            for (double y : yields)
                sum += 1.0 - sigma.Cdf(r * y);
            values_[i] = static_cast<double>(sum / YieldPoints);
        }
    }
    double operator()(double r) const {
        if (!(r > lo_) || !(step_ > 0)) return r > lo_ ? 0.0 : 1.0;
        if (!(r < hi_)) return 0.0;
        const double s = (r - lo_) / step_;
        const int i = std::min(RatioPoints - 1, static_cast<int>(s));
        return values_[i] + (values_[i + 1] - values_[i]) * (s - i);
    }

  private:
    double lo_, hi_, step_ = 0.0;
    std::vector<double> values_;
};

// The one-year kernel of a class in node units: the count's quantile midpoints, centred and
// scaled by s ≤ 1, each split linearly between its two nodes. Splitting adds f(1 − f) to the
// variance, so s is chosen to make the kernel's variance that of k·N exactly.
// False when the kernel would span more nodes than any grid holds.
bool BuildKernel(StressClass& c, const std::vector<double>& counts, double mean, double variance,
                 double dx) {
    const double scale = c.k / dx;
    const double target = variance * scale * scale;
    if (!(target > 0)) {
        c.kernelLow = 0;
        c.kernel = {1.0};
        return true;
    }
    auto splitVariance = [&](double s) {
        long double sum = 0;
        for (double n : counts) {
            const double z = s * scale * (n - mean);
            const double f = z - std::floor(z);
            sum += z * z + f * (1 - f);
        }
        return static_cast<double>(sum / static_cast<long double>(counts.size()));
    };
    double lo = 0.0, hi = 1.0;
    for (int it = 0; it < 60; ++it) {
        const double mid = 0.5 * (lo + hi);
        (splitVariance(mid) < target ? lo : hi) = mid;
    }
    const double s = 0.5 * (lo + hi);
    const double zLo = s * scale * (counts.front() - mean),
                 zHi = s * scale * (counts.back() - mean);
    if (!(zHi - zLo < MaxKernelNodes)) return false;
    c.kernelLow = static_cast<int>(std::floor(zLo));
    c.kernel.assign(static_cast<std::size_t>(std::floor(zHi) - c.kernelLow + 2), 0.0);
    const double w = 1.0 / static_cast<double>(counts.size());
    for (double n : counts) {
        const double z = s * scale * (n - mean);
        const double l = std::floor(z), f = z - l;
        const auto i = static_cast<std::size_t>(static_cast<int>(l) - c.kernelLow);
        c.kernel[i] += w * (1 - f);
        c.kernel[i + 1] += w * f;
    }
    return true;
}

// E[ΔS^m] over one class of width w centred at mid, the density taken as even within it: the
// two-point Gauss rule (exact for m up to 3).
double ClassPower(double mid, double w, double m) {
    const double h = w / (2 * std::sqrt(3.0));
    return 0.5 * (std::pow(mid - h, m) + std::pow(mid + h, m));
}

} // namespace

void XTable::BuildPhases(int q) {
    phases.assign(static_cast<std::size_t>(q), {});
    for (std::size_t r = 0; r < values.size(); ++r)
        phases[r % static_cast<std::size_t>(q)].push_back(values[r]);
}

std::variant<StateGrid, Failure> BuildStateGrid(const ModelSetup& setup, const GridSize& size,
                                                int lastYear) {
    const auto& in = setup.inputs;
    if (size.xCells < 16 || size.stressClasses < 1 || size.tableSubdivision < 1)
        return ErrorBox(0, TextCis(msg::ExactGridTooCoarse));
    if (!(setup.C > 0)) return ErrorBox(0, TextCis(msg::ExactPlanNeedsPositiveC));
    if (in[2].lower() < 0)
        return ErrorBox(
            0, FormatMessage(TextCis(msg::ExactPlanNegativeCounts), std::to_string(in[2].lower())));
    if (!(in[3].lower() > 0))
        return ErrorBox(0, FormatMessage(TextCis(msg::ExactPlanYieldNotPositive),
                                         std::to_string(in[3].lower())));

    StateGrid g;
    g.size = size;
    std::optional<Failure> failure;
    const auto integral = montecarlo::BuildResistanceIntegral(setup, failure);
    if (failure) return *failure;
    const montecarlo::CrackSizeRange range = montecarlo::IntegrationRange(setup);
    const CrackStateMap map(*integral, range.lo, range.hi);
    g.xTop = map.top();
    if (!(g.xTop > 0) || !std::isfinite(g.xTop))
        return ErrorBox(0, TextCis(msg::IntegralNotPositive));
    g.dx = g.xTop / size.xCells;

    // One-year counts.
    std::vector<double> counts(CountPoints);
    long double sum = 0;
    for (int q = 0; q < CountPoints; ++q)
        sum += counts[q] = in[2].Quantile((q + 0.5) / CountPoints);
    g.countMean = static_cast<double>(sum / CountPoints);
    long double squares = 0;
    for (double n : counts)
        squares += (n - g.countMean) * (n - g.countMean);
    g.countVariance = static_cast<double>(squares / CountPoints);

    // Stress-range classes, each with its own kernel.
    const InputSampler& dS = in[1];
    const double width = (dS.upper() - dS.lower()) / size.stressClasses;
    const int years = lastYear + 2; // year −1 .. lastYear
    int padding = 2;
    for (int i = 0; i < size.stressClasses; ++i) {
        const double b0 = dS.lower() + i * width,
                     b1 = i + 1 == size.stressClasses ? dS.upper() : dS.lower() + (i + 1) * width;
        StressClass c;
        c.probability = dS.Cdf(b1) - dS.Cdf(b0);
        if (!(c.probability > 0)) continue;
        c.k = setup.C * ClassPower(0.5 * (b0 + b1), b1 - b0, setup.m);
        if (!(c.k > 0) || !std::isfinite(c.k))
            return ErrorBox(
                0, FormatMessage(TextCis(msg::ClassGrowthNotPositive),
                                 {std::to_string(b0), std::to_string(b1), std::to_string(c.k)}));
        c.drift = c.k * g.countMean;
        if (!BuildKernel(c, counts, g.countMean, g.countVariance, g.dx))
            return ErrorBox(0, FormatMessage(TextCis(msg::GridCannotHoldYear),
                                             {std::to_string(b0), std::to_string(b1)}));
        // The spread that matters is that of the years before the class's mass has grown past
        // the top (twice the mean's time, at most the period); above the top it is lumped.
        const double passing = std::ceil(2 * g.xTop / c.drift) + 2;
        const double spreadYears = std::min(static_cast<double>(years), passing);
        const double sd = std::sqrt(g.countVariance * spreadYears) * c.k / g.dx;
        const int reach = static_cast<int>(c.kernel.size()) + std::max(-c.kernelLow, 0);
        c.padding = static_cast<int>(std::ceil(10 * sd)) + reach;
        padding = std::max(padding, c.padding);
        g.classes.push_back(std::move(c));
        // Checked as the classes come: a hopeless grid stops before it takes the memory.
        g.nodes = size.xCells + 1 + 2 * padding;
        if (2.0 * g.nodes * static_cast<double>(size.stressClasses) * sizeof(double) >
            MaxStateBytes)
            return ErrorBox(
                0, FormatMessage(TextCis(msg::GridCannotHoldRange),
                                 {std::to_string(g.nodes), std::to_string(size.stressClasses)}));
    }
    if (g.classes.empty()) return ErrorBox(0, TextCis(msg::NoStressProbability));
    g.padding = padding;

    // S_d and F_c on the fine table.
    g.tableStep = g.dx / size.tableSubdivision;
    const int points = (padding + size.xCells) * size.tableSubdivision + 1;
    const bool surface = setup.origin == 1;
    const double capF = surface ? 0.8 * setup.tf : 0.4 * setup.bf;
    const double capD = surface ? setup.detectableCap : range.hi;
    const RatioSurvival ratio(in[3], in[4]);
    ResistanceParameters parameters;
    parameters.m = setup.m;
    parameters.bf = setup.bf;
    parameters.tf = setup.tf;
    parameters.origin = setup.origin;
    ResistanceCalculator calc(parameters);
    auto ratioAt = [&](double a) {
        if (!surface) return 1.0 - a / setup.bf;
        const double raised = calc.velikost_fce(a, 1.0); // net-section stress for σ = 1
        return raised > 0 && std::isfinite(raised) ? 1.0 / raised : 0.0;
    };
    g.detectable.values.resize(points);
    g.failed.values.resize(points);
    for (int r = 0; r < points; ++r) {
        const double x = (r - padding * size.tableSubdivision) * g.tableStep;
        const double a = map.SizeOf(x);
        g.detectable.values[r] = x < 0 ? 1.0 : a > capD ? 0.0 : 1.0 - in[6].Cdf(a);
        g.failed.values[r] = a > capF ? 1.0 : ratio(ratioAt(a));
    }
    if (calc.failed()) return calc.failure();
    g.detectable.top = 0.0;
    g.failed.top = 1.0;
    g.detectable.BuildPhases(size.tableSubdivision);
    g.failed.BuildPhases(size.tableSubdivision);

    // G(a0) on the nodes: each node holds the mass within half a spacing of it; a0 beyond the
    // range (in F from the start) goes to the first node above the top.
    g.start.assign(static_cast<std::size_t>(g.nodes), 0.0);
    auto cdf = [&](double x) { return x <= 0 ? 0.0 : in[5].Cdf(map.SizeOf(std::min(x, g.xTop))); };
    for (int c = 0; c <= size.xCells; ++c) {
        const double x = c * g.dx;
        g.start[static_cast<std::size_t>(padding) + static_cast<std::size_t>(c)] =
            cdf(std::min(x + 0.5 * g.dx, g.xTop)) - cdf(x - 0.5 * g.dx);
    }
    g.start[static_cast<std::size_t>(padding) + static_cast<std::size_t>(size.xCells) + 1] =
        1.0 - cdf(g.xTop);
    return g;
}

} // namespace tessavin::exactplan
