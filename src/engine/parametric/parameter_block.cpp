#include "parametric/parameter_block.h"

#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "parametric/distribution_catalogue.h"

namespace tessavin {

std::vector<std::string> ParameterBlock::TypeNames() {
    std::vector<std::string> names;
    names.reserve(DistributionCount);
    for (DistributionType t = 0; t < DistributionCount; ++t)
        names.push_back(DistributionName(t));
    names[0] = TextCis(msg::Normal);
    return names;
}

void ParameterBlock::TakeMainFields(const std::string& mainEps, const std::string& mainIntervals) {
    eps = mainEps;
    intervals = mainIntervals;
}

void ParameterBlock::TakeInputRequest(const RandomInputFields& fields, const std::string& mainEps) {
    par[0] = fields.mi;
    par[1] = fields.sigma;
    intervals = fields.n;
    eps = mainEps;
}

void ParameterBlock::TakeBuildResult(const RebuildOutcome& outcome) {
    if (outcome.status != RebuildOutcome::Status::Built) return;
    labels = outcome.labels;
    groupTitle = outcome.groupTitle;
    min = outcome.minText;
    max = outcome.maxText;
}

} // namespace tessavin
