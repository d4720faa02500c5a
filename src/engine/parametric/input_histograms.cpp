#include "parametric/input_histograms.h"

#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "parametric/distribution_catalogue.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

const RandomInputControls kControls[RandomInputCount + 1] = {
    {"", "", "", "", "", "", 0},
    {"CBRozSpZad", "CBTypTypRozSp", "EdRozSpMi", "EdRozSpSigma", "EdRozSpN", "BitBtn1", 248},
    {"CBCelKmitZad", "CBTypPocKmit", "EdPocKmitMi", "EdPocKmitSigma", "EdPocKmitN", "BitBtn2", 66},
    {"CBMezKluZad", "CBTypMezKlu", "EdMezKluMi", "EdMezKluSigma", "EdMezKluN", "BitBtn3", 67},
    {"CBNomNapZad", "CBTypNomNap", "EdNomNapMi", "EdNomNapSigma", "EdNomNapN", "BitBtn4", 68},
    {"CBPoNaTrZad", "CBTypPoNaTr", "EdPoNaTrMi", "EdPoNaTrSigma", "EdPoNaTrN", "BitBtn5", 69},
    {"CBNejRozZad", "CBTypNejRoz", "EdNejRozMi", "EdNejRozSigma", "EdNejRozN", "BitBtn6", 70},
};

bool ValidInput(int k) {
    return k >= 1 && k <= RandomInputCount;
}

// Whether `value` as parameter `index` (1 Mi, 2 Sigma) passes the checks of `type`; the other
// parameter is set to a value every type accepts.
bool AcceptedBy(int type, int index, double value) {
    if (!IsValidDistributionType(type)) return true;
    DistributionParameters p{0, 1, 1, 1, 1};
    p[static_cast<size_t>(index)] = value;
    return ParametersValid(type, p);
}

} // namespace

const RandomInputControls& InputControls(int k) {
    return kControls[ValidInput(k) ? k : 0];
}

std::optional<Failure> ValidateMi(int k, const std::string& text, int type) {
    const std::optional<double> v = ParseReal(text);
    if (v && AcceptedBy(type, 1, *v)) return std::nullopt;
    return FieldFailure(msg::BadNumberMi, text, InputControls(k).mi);
}

std::optional<Failure> ValidateSigma(int k, const std::string& text, int type) {
    const std::optional<double> v = ParseReal(text);
    if (v && AcceptedBy(type, 2, *v)) return std::nullopt;
    return FieldFailure(msg::BadNumberSigma, text, InputControls(k).sigma);
}

std::optional<Failure> ValidateN(int k, const std::string& text) {
    const std::optional<long long> n = ParseWhole(text);
    if (n && *n >= 3 && *n <= MaxBins) return std::nullopt;
    return FieldFailure(msg::BadNumberN, text, InputControls(k).n);
}

RebuildOutcome RebuildInput(int k, const RandomInputFields& fields, const std::string& eps,
                            const std::string& par3, const std::string& par4,
                            InputHistograms& inputs) {
    RebuildOutcome out;
    if (!ValidInput(k)) return out;
    inputs.ready[k] = false;
    if (fields.source == InputSource::RawData) {
        out.status = RebuildOutcome::Status::RawDataRequested;
        return out;
    }
    if (fields.mi.empty() || fields.sigma.empty() || fields.type < 0) {
        out.reports.push_back(Box(BoxKind::Warning, msg::SetParametricDistribution,
                                  TextCis(msg::SetParametricDistribution)));
        out.status = RebuildOutcome::Status::MissingFields;
        return out;
    }
    ParametricRequest request;
    request.Type = fields.type;
    request.Par1 = fields.mi;
    request.Par2 = fields.sigma;
    request.Par3 = par3;
    request.Par4 = par4;
    request.IntervalCount = fields.n;
    request.Eps = eps;

    WorkingHistogram work;
    const BuildOutcome build = BuildParametricHistogram(request, work);
    out.reports = build.Reports;
    out.labels = build.Discretisation.Labels;
    out.groupTitle = build.Discretisation.GroupTitle;
    out.minText = StrNaCarku(build.MinBeforeTrim);
    out.maxText = StrNaCarku(build.MaxBeforeTrim);
    if (!build.Succeeded) {
        out.status = RebuildOutcome::Status::Failed;
        return out;
    }
    // A request that gave no classes keeps the previous histogram.
    if (work.Bins > 0) {
        StoreWorkingHistogram(work, inputs.histogram[k]);
        out.nText = std::to_string(inputs.histogram[k].Bins);
    }
    // The chart button never claims a histogram that was never built.
    inputs.ready[k] = inputs.histogram[k].Bins > 0;
    out.status = RebuildOutcome::Status::Built;
    return out;
}

} // namespace tessavin
