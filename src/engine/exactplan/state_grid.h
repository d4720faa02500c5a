#pragma once
// The discrete state of the exact plan: the crack state x = G(a) (G the antiderivative of the
// crack-growth integrand from the smallest crack size of the inputs) on a grid of nodes, one
// row of nodes per stress-range class.
//
// A structure of class i has x_t = G(a0) + k_i·(N_0 + … + N_t), k_i = C·ΔS_i^m. Each row is kept
// in a frame that moves with the mean growth k_i·E[N] a year, so the rows only diffuse: a year
// is one convolution with the class's zero-mean kernel of k_i·(N − E[N]), and the drift enters
// exactly, as the offset at which the tables of x are read.
#include <optional>
#include <variant>
#include <vector>

#include "common/failure.h"
#include "montecarlo/simulation_model.h"

namespace tessavin::exactplan {

struct GridSize {
    int xCells = 1024;        // nodes per the x range [0, G(largest crack)]
    int stressClasses = 128;  // equal-width classes over the range of ΔS
    int tableSubdivision = 8; // table points per node spacing for S_d and F_c
};

// A function of x tabulated on a fine grid from x = -padding·dx to the top of the range, read by
// linear interpolation; constant `top` above the range.
struct XTable {
    std::vector<double> values; // at (r − padding·q)·h, r = 0 .. size − 1, q points a node
    double top = 0.0;
    // phases[p][j] = values[j·q + p]: the points one node apart, contiguous for the rows.
    std::vector<std::vector<double>> phases;
    void BuildPhases(int q);
};

// One stress-range class.
struct StressClass {
    double probability = 0.0;   // P(ΔS in the class)
    double k = 0.0;             // C·E[ΔS^m | class]
    double drift = 0.0;         // k·E[N]: the mean growth of x in one year
    int kernelLow = 0;          // offset of kernel[0] in nodes
    int padding = 0;            // nodes its row may reach below x = 0 and above the top
    std::vector<double> kernel; // one year's k·(N − E[N]) on the nodes: mean 0, variance exact
};

struct StateGrid {
    GridSize size;
    double dx = 0.0;                  // node spacing
    double xTop = 0.0;                // G of the largest crack: every structure above it is in F
    int padding = 0;                  // nodes below x = 0 and above xTop for the diffusion
    int nodes = 0;                    // xCells + 1 + 2·padding; node j at x = (j − padding)·dx
    double tableStep = 0.0;           // dx / tableSubdivision
    XTable detectable;                // S_d(x) = P(G(ad) ≥ x), ad capped as the method caps it
    XTable failed;                    // F_c(x) = P(G(aac) < x), aac from Fy and σ with its caps
    std::vector<double> start;        // the distribution of G(a0) on the nodes (year −1)
    std::vector<StressClass> classes; // classes with probability only
    double countMean = 0.0, countVariance = 0.0;
};

// The grid of a model set-up for years −1 .. lastYear. Refuses what would make x decrease in time
// (negative counts, ΔS^m ≤ 0 or C ≤ 0) and a grid too large to hold.
std::variant<StateGrid, Failure> BuildStateGrid(const montecarlo::ModelSetup& setup,
                                                const GridSize& size, int lastYear);

} // namespace tessavin::exactplan
