#pragma once
// The simulation's per-year loops on the widest vector lanes the processor has. A lane repeats
// the scalar operations one for one, and every year's sums take the samples one after another
// in sample order, so the results are the same bit for bit on any lanes. Plain C types only:
// each instruction set has its own translation unit with its own compiler flags.

namespace tessavin::montecarlo {

// Per year j: Σ u, Σ u², Σ f, Σ f², Σ d, Σ d² with d = 1 − u − f.
struct YearSumRows {
    double *u, *uu, *f, *ff, *d, *dd;
};

// The normal one-year count's years: mean and 1/sd of Nn per year.
struct CountYears {
    const double* mean;
    const double* invSd;
    int years;
};

// Beyond this many standard deviations a year's probability is 0 or 1: Φ(−8.5) ≈ 1e-17 lies
// below every error bar.
inline constexpr double FarTail = 8.5;

struct SampleLanes {
    // Adds `samples` rows of conditional probabilities: row b holds u at pU[b * years + j] and
    // f at pF[b * years + j] for the years j < years; rows are added in order b = 0, 1, ...
    void (*addRows)(const YearSumRows& sums, const double* pU, const double* pF, int years,
                    int samples);
    // For every year j: z[j] = (x − mean[j])·invSd[j], and p[j] = above where z[j] > FarTail,
    // below where z[j] < −FarTail. The other years are left to the caller and marked in near[]
    // (bit j % 64 of near[j / 64]; the words for years up to `years` are written whole).
    void (*farYears)(const CountYears& count, double x, double above, double below, double* p,
                     double* z, unsigned long long* near);
};

// The kernels of the widest instruction set of this processor (see BestSimdLevel).
const SampleLanes& WideSampleLanes();

SampleLanes SampleLanesSse2();
// Empty (null kernels) where the build has none for that instruction set.
SampleLanes SampleLanesAvx2();
SampleLanes SampleLanesAvx512();

} // namespace tessavin::montecarlo
