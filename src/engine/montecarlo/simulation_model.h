#pragma once
// The physical model of the calculation as one random experiment: a sample draws ΔS, Fy, σ, a0
// and ad from their continuous distributions, integrates R(ad) and R(aac) accurately, and gives
// for every year n the conditional probabilities, given those draws, that Sn = C·ΔS^m·Nn
// stays at or below R(ad) (event U) and that it exceeds R(aac) (event F). Nn, the sum of n + 1
// independent one-year counts, is integrated out: in closed form when the one-year count is
// normal, otherwise by its last year's distribution after drawing the years before.
#include <array>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "calculation/model.h"
#include "calculation/resistance_functions.h"
#include "common/failure.h"
#include "montecarlo/input_sampler.h"
#include "montecarlo/normal_count.h"
#include "montecarlo/random_stream.h"
#include "montecarlo/resistance_integral.h"

namespace tessavin::montecarlo {

// Everything a simulation needs, in numbers.
struct ModelSetup {
    int origin = 0; // 0 edge crack, 1 surface crack
    double m = 3, bf = 400, tf = 25, C = 2.2e-13;
    std::array<InputSampler, RandomInputCount + 1> inputs{}; // [1..6] in input order
    // Surface crack: the acceptable depth that caps ad, for the mean Fy and σ of the input
    // histograms, as the method caps it; unused for the edge crack.
    double detectableCap = 0.0;
    // Surface crack: the deepest crack any sample integrates to (the cap of ad or the largest
    // acceptable depth), never above 0.8·tf.
    double deepestCrack = 0.0;
    std::vector<int> years; // start, start + step, ... end
};

// The setup of a calculation's inputs and period. Parametric inputs keep their distribution
// and are cut to the range of their histogram; inputs from measured data use the histogram.
// Refuses what the model cannot simulate: the failures of the method's own checks (m, bf, the
// period) and crack sizes or stress ranges whose ranges reach values that have no meaning here.
std::variant<ModelSetup, Failure> SetupFromInputs(const CalculationInputs& in,
                                                  const InputHistograms& histograms);

// The crack sizes every resistance of the model lies between: the smallest a0 or ad up to the
// largest size any sample integrates to.
struct CrackSizeRange {
    double lo = 0.0, hi = 0.0;
};
CrackSizeRange IntegrationRange(const ModelSetup& setup);

// The antiderivative table of the crack-growth integrand of the setup's crack origin over
// IntegrationRange; `failure` is set when the integrand failed or gave no finite value.
std::unique_ptr<ResistanceIntegral> BuildResistanceIntegral(const ModelSetup& setup,
                                                            std::optional<Failure>& failure);

class SimulationModel {
  public:
    // Builds the resistance tables; failure() says when the integrand failed on the range.
    explicit SimulationModel(ModelSetup setup);

    const std::optional<Failure>& failure() const { return failure_; }
    const std::vector<int>& years() const { return setup_.years; }

    // The per-thread part of a simulation: its own calculator and scratch space.
    class Worker {
      public:
        explicit Worker(const SimulationModel& model);
        // Draws one sample; pU[j] and pF[j] for the year years()[j]. False after a numerical
        // failure of the geometry (see failure()).
        bool Sample(RandomStream& rng, double* pU, double* pF);
        const Failure& failure() const { return calc_.failure(); }

      private:
        const SimulationModel& model_;
        ResistanceCalculator calc_;
        NormalCount::Scratch scratch_;
    };

    const ModelSetup& setup() const { return setup_; }
    const ResistanceParameters& parameters() const { return parameters_; }
    // An initial crack size a0, placed once for the resistances of one sample.
    using CrackStart = ResistanceIntegral::From;
    CrackStart Start(double a0) const { return integral_->Start(a0); }
    // R(ad) and R(aac) of one sample, capped as the method caps them.
    double Detectable(const CrackStart& a0, double ad) const;
    double Acceptable(const CrackStart& a0, double Fy, double sigma,
                      ResistanceCalculator& calc) const;

  private:
    ModelSetup setup_;
    ResistanceParameters parameters_;
    std::unique_ptr<ResistanceIntegral> integral_;
    std::optional<Failure> failure_;
    bool normalCount_ = false;
    NormalCount count_; // Nn per year, when the one-year count is normal
};

} // namespace tessavin::montecarlo
