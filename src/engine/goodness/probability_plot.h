#pragma once
// The points of a probability plot of an ascending sample against a fitted distribution: the
// i-th smallest of n values stands at the plotting position p_i = (i − 1/2)/n. The fitted
// side is on x, the sample's on y, so a sample that the distribution describes lies on the
// identity line.
#include <span>
#include <vector>

#include "goodness/fitted_distribution.h"

namespace tessavin {

enum class PlotKind {
    QuantileQuantile,       // x: the fitted quantile at p_i; y: the value
    ProbabilityProbability, // x: the fitted F at the value; y: p_i
};

struct PlotPoint {
    double x = 0.0, y = 0.0;
};

std::vector<PlotPoint> ProbabilityPlot(const FittedDistribution& d, std::span<const double> sorted,
                                       PlotKind kind);

} // namespace tessavin
