#include "parametric/distribution_catalogue.h"

#include "common/number_format.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {

std::string DistributionName(DistributionType type) {
    const DistributionInfo& row = Distribution(type);
    return row.nameMessage != 0 ? TextCis(row.nameMessage) : row.name;
}

std::string ParameterGroupTitle(DistributionType type) {
    return TextCis(msg::ParametricDistributionLabel) + Distribution(type).groupSuffix;
}

bool ParametersValid(DistributionType type, const DistributionParameters& p) {
    const int mask = IsValidDistributionType(type) ? Distribution(type).positiveMask : 0;
    if ((mask & 1) && !(p[1] > 0)) return false;
    if ((mask & 2) && !(p[2] > 0)) return false;
    return true;
}

Density::Density(DistributionType type, const DistributionParameters& p) : type_(type), p_(p) {
    if (!IsValidDistributionType(type)) return;
    row_ = &Distribution(type);
    if (row_->prepare) row_->prepare(k_, p_);
}

long double Density::operator()(long double x) const {
    return row_ ? row_->density(k_, p_, x) : 0;
}

std::string FiveDecimals(long double v) {
    return FixedText(v, 5);
}

FitEstimate EstimateFromSample(DistributionType type, const SampleStatistics& sample, double m,
                               double s) {
    FitEstimate fit;
    fit.p[1] = m;
    fit.p[2] = s;
    const DistributionInfo* row = IsValidDistributionType(type) ? &Distribution(type) : nullptr;
    if (!row || !row->estimate) {
        fit.refused = true;
        return fit;
    }
    if (row->shapeScan) fit.p[row->shapeScan->parameter] = sample.weibullShape;
    row->estimate(fit, sample, m, s);
    return fit;
}

} // namespace tessavin
