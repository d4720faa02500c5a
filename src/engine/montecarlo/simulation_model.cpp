#include "montecarlo/simulation_model.h"

#include <algorithm>
#include <cmath>

#include "common/number_parse.h"
#include "histogram/class_mean.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"

namespace tessavin::montecarlo {

namespace {

// A period text read without a check, kept far from the int limits so that sums stay exact.
long long PeriodValue(const std::string& text) {
    return std::clamp(ParseWholePrefix(text), -1000000000LL, 1000000000LL);
}

std::optional<Failure> ReadPeriod(const CalculationInputs& in, std::vector<int>& years) {
    const long long start = PeriodValue(in.startText), step = PeriodValue(in.stepText),
                    end = PeriodValue(in.endText);
    if (start != end && step == 0) return MessageFailure(msg::ZeroTimeStep);
    if (start < 0 || end < start || (start != end && step < 0))
        return ErrorBox(0, TextCis(msg::PeriodNotForward));
    for (long long y = start; y <= end; y += (start == end ? 1 : step)) {
        if (y > MaxYear)
            return ErrorBox(msg::YearLimitExceeded, TextCis(msg::YearLimitExceeded) +
                                                        std::to_string(y) + ">" +
                                                        std::to_string(MaxYear) + ")");
        years.push_back(static_cast<int>(y));
    }
    return std::nullopt;
}

// A parametric input keeps its distribution; otherwise, or when its fields no longer describe
// the stored histogram, the histogram itself is sampled.
std::optional<InputSampler> SamplerOf(const RandomInputFields& fields, const DiscreteHistogram& h) {
    if (fields.source == InputSource::Parametric && h.Bins > 0) {
        const auto mi = ParseReal(fields.mi), sigma = ParseReal(fields.sigma);
        if (mi && sigma)
            if (auto s =
                    InputSampler::Parametric(fields.type, *mi, *sigma, RangeMin(h), RangeMax(h)))
                return s;
    }
    return InputSampler::Classes(h);
}

ResistanceParameters ParametersOf(const ModelSetup& s) {
    ResistanceParameters p;
    p.m = s.m;
    p.bf = s.bf;
    p.tf = s.tf;
    p.origin = s.origin;
    return p;
}

} // namespace

std::variant<ModelSetup, Failure> SetupFromInputs(const CalculationInputs& in,
                                                  const InputHistograms& histograms) {
    ModelSetup s;
    const auto m = ParseReal(in.m);
    if (!m || *m == 0) return FieldFailure(msg::BadNumberM, in.m, {});
    const auto bf = ParseReal(in.bf);
    if (!bf || *bf == 0) return FieldFailure(msg::BadNumberBf, in.bf, {});
    s.m = *m;
    s.bf = *bf;
    s.tf = in.tfValue;
    s.C = ParseRealPrefix(in.C);
    s.origin = in.crackOrigin;
    if (auto f = ReadPeriod(in, s.years)) return *f;

    for (int k = 1; k <= RandomInputCount; ++k) {
        const auto sampler =
            histograms.ready[k] ? SamplerOf(in.random[k], histograms.histogram[k]) : std::nullopt;
        if (!sampler)
            return ErrorBox(0,
                            FormatMessage(TextCis(msg::InputWithoutHistogram), std::to_string(k)));
        s.inputs[k] = *sampler;
    }
    for (int k : {5, 6})
        if (!(s.inputs[k].lower() > 0))
            return ErrorBox(0, FormatMessage(TextCis(msg::CrackSizesNotPositive),
                                             {std::to_string(k), StrNaCarku(s.inputs[k].lower())}));
    if (s.inputs[1].lower() < 0 && s.m != std::floor(s.m))
        return ErrorBox(0, TextCis(msg::FractionalPowerOfNegative));

    if (s.origin == 1) {
        ResistanceCalculator calc(ParametersOf(s));
        // The surface cap of ad comes from the means of the class values of fy and sigma.
        const double cap = calc.vypocet_aac(ClassValueMean(histograms.histogram[3]),
                                            ClassValueMean(histograms.histogram[4]));
        // The deepest acceptable crack of any sample: the strongest steel under the least stress.
        const double deepest = calc.vypocet_aac(s.inputs[3].upper(), s.inputs[4].lower());
        if (calc.failed()) return calc.failure();
        s.detectableCap = std::min(cap, 0.8 * s.tf);
        s.deepestCrack = std::min(std::max(cap, deepest), 0.8 * s.tf);
    }
    return s;
}

CrackSizeRange IntegrationRange(const ModelSetup& setup) {
    const auto& in = setup.inputs;
    const double lo = std::min(in[5].lower(), in[6].lower());
    double hi = setup.origin == 0 ? std::max({in[5].upper(), in[6].upper(), 0.4 * setup.bf})
                                  : setup.deepestCrack;
    if (!(hi > lo)) hi = 2 * lo;
    return {lo, hi};
}

std::unique_ptr<ResistanceIntegral> BuildResistanceIntegral(const ModelSetup& setup,
                                                            std::optional<Failure>& failure) {
    ResistanceCalculator calc(ParametersOf(setup));
    const double tf = setup.tf, bf = setup.bf, m = setup.m;
    auto f = [&](double a) {
        return setup.origin == 0 ? calc.FxOkraje(a)
                                 : calc.FxPovrchu(a, calc.Rozmer_c(a, tf), bf, tf, m);
    };
    const CrackSizeRange range = IntegrationRange(setup);
    auto integral = std::make_unique<ResistanceIntegral>(f, range.lo, range.hi);
    if (calc.failed())
        failure = calc.failure();
    else if (!integral->ok())
        failure = ErrorBox(0, TextCis(msg::IntegrandNotFinite));
    return integral;
}

SimulationModel::SimulationModel(ModelSetup setup)
    : setup_(std::move(setup)), parameters_(ParametersOf(setup_)) {
    integral_ = BuildResistanceIntegral(setup_, failure_);
    const auto& in = setup_.inputs;
    normalCount_ = in[2].normal();
    if (normalCount_) count_ = NormalCount(in[2].normalMoments(), setup_.years);
}

double SimulationModel::Detectable(const CrackStart& a0, double ad) const {
    double target = ad;
    if (setup_.origin == 1) {
        if (!(setup_.detectableCap > a0.a)) return 0.0;
        target = std::min(ad, setup_.detectableCap);
    }
    return (*integral_)(a0, target);
}

double SimulationModel::Acceptable(const CrackStart& a0, double Fy, double sigma,
                                   ResistanceCalculator& calc) const {
    if (sigma >= Fy || Fy == 0) return 0.0;
    const bool edge = setup_.origin == 0;
    const double aac = edge ? (1 - sigma / Fy) * setup_.bf : calc.vypocet_aac(Fy, sigma);
    if (!(aac > a0.a)) return 0.0;
    return (*integral_)(a0, std::min(aac, edge ? 0.4 * setup_.bf : 0.8 * setup_.tf));
}

SimulationModel::Worker::Worker(const SimulationModel& model)
    : model_(model), calc_(model.parameters_) {}

bool SimulationModel::Worker::Sample(RandomStream& rng, double* pU, double* pF) {
    const ModelSetup& s = model_.setup_;
    const auto& in = s.inputs;
    const double dS = in[1].Quantile(rng.Uniform());
    const double Fy = in[3].Quantile(rng.Uniform());
    const double sigma = in[4].Quantile(rng.Uniform());
    const CrackStart a0 = model_.Start(in[5].Quantile(rng.Uniform()));
    const double ad = in[6].Quantile(rng.Uniform());
    const double rad = model_.Detectable(a0, ad);
    const double raac = model_.Acceptable(a0, Fy, sigma, calc_);
    if (calc_.failed()) return false;

    // Sn = k·Nn. U: k·Nn ≤ R(ad); F: k·Nn > R(aac). With k < 0 the inequalities on Nn turn.
    const double k = s.C * std::pow(dS, s.m);
    const std::size_t years = s.years.size();
    if (k == 0) {
        std::fill(pU, pU + years, rad >= 0 ? 1.0 : 0.0);
        std::fill(pF, pF + years, raac < 0 ? 1.0 : 0.0);
        return true;
    }
    const bool positive = k > 0;
    const double xU = rad / k, xF = raac / k;
    if (model_.normalCount_) {
        model_.count_.Sides(xU, !positive, pU, scratch_);
        model_.count_.Sides(xF, positive, pF, scratch_);
        return true;
    }
    // Nn = N(n−1) + X: draw the counts of the years before, integrate the last one out.
    const InputSampler& one = in[2];
    double before = 0.0; // the sum of the `drawn` one-year counts
    int drawn = 0;
    // With counts that cannot be negative Nn only grows: once both thresholds lie below the
    // smallest next count, every later year is past both, and no more counts need drawing.
    const bool growing = positive && one.lower() >= 0;
    for (std::size_t j = 0; j < years; ++j) {
        for (; drawn < s.years[j]; ++drawn)
            before += one.Quantile(rng.Uniform());
        if (growing && !(xU - before > one.lower()) && !(xF - before > one.lower())) {
            std::fill(pU + j, pU + years, 0.0);
            std::fill(pF + j, pF + years, 1.0);
            break;
        }
        const double atMostU = one.Cdf(xU - before), atMostF = one.Cdf(xF - before);
        pU[j] = positive ? atMostU : 1.0 - atMostU;
        pF[j] = positive ? 1.0 - atMostF : atMostF;
    }
    return true;
}

} // namespace tessavin::montecarlo
