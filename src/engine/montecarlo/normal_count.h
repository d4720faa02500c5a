#pragma once
// The load cycles Nn up to year n as a normal sum of n + 1 normal one-year counts: per year of
// the period, the probability that Nn stays at or below a threshold, or exceeds it.
#include <vector>

#include "montecarlo/normal_distribution.h"
#include "montecarlo/sample_lanes.h"

namespace tessavin::montecarlo {

class NormalCount {
  public:
    NormalCount() = default;
    // One-year count `one`; `years` the years of the period (Nn sums year + 1 counts).
    NormalCount(const Moments& one, const std::vector<int>& years);

    // Per thread: the standardised distances of the years from a threshold, and which years
    // lie near it.
    struct Scratch {
        std::vector<double> z;
        std::vector<unsigned long long> near;
    };
    // p[j] = P(Nn ≤ x) or, when upper, P(Nn > x) for the year years[j], j < years.size().
    void Sides(double x, bool upper, double* p, Scratch& scratch) const;

  private:
    std::vector<double> mean_, invSd_; // per year: mean and 1/sd of Nn
    const SampleLanes* lanes_ = &WideSampleLanes();
};

} // namespace tessavin::montecarlo
