#include "goodness/probability_plot.h"

namespace tessavin {

std::vector<PlotPoint> ProbabilityPlot(const FittedDistribution& d, std::span<const double> sorted,
                                       PlotKind kind) {
    const std::size_t n = sorted.size();
    std::vector<PlotPoint> points(n);
    if (n == 0) return points;
    const auto position = [n](std::size_t i) { return (static_cast<double>(i) + 0.5) / n; };
    if (kind == PlotKind::QuantileQuantile) {
        for (std::size_t i = 0; i < n; ++i)
            points[i] = {d.quantile(position(i)), sorted[i]};
    } else {
        const FittedDistribution::Tails t = d.tailsAt(sorted);
        for (std::size_t i = 0; i < n; ++i)
            points[i] = {t.lower[i], position(i)};
    }
    return points;
}

} // namespace tessavin
