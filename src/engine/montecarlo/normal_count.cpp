#include "montecarlo/normal_count.h"

#include <bit>
#include <cmath>

namespace tessavin::montecarlo {

NormalCount::NormalCount(const Moments& one, const std::vector<int>& years) {
    for (int year : years) {
        const double n = year + 1.0;
        mean_.push_back(n * one.mean);
        invSd_.push_back(1.0 / (std::sqrt(n) * one.sd));
    }
}

void NormalCount::Sides(double x, bool upper, double* p, Scratch& scratch) const {
    const std::size_t years = mean_.size(), words = (years + 63) / 64;
    scratch.z.resize(years);
    scratch.near.resize(words);
    // Most years of a sample lie far in one tail or the other and take a constant on the vector
    // lanes; the tail function is evaluated for the few near the threshold alone.
    lanes_->farYears({mean_.data(), invSd_.data(), static_cast<int>(years)}, x, upper ? 0.0 : 1.0,
                     upper ? 1.0 : 0.0, p, scratch.z.data(), scratch.near.data());
    for (std::size_t w = 0; w < words; ++w)
        for (unsigned long long bits = scratch.near[w]; bits != 0; bits &= bits - 1) {
            const std::size_t j = 64 * w + static_cast<std::size_t>(std::countr_zero(bits));
            const double z = scratch.z[j];
            p[j] = upper ? NormalUpperTail(z) : NormalCdf(z);
        }
}

} // namespace tessavin::montecarlo
