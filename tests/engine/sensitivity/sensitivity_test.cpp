// What drives the plan, on a small study (24 classes, 70 years): the directions of the plan's
// response, determinism, the reuse of the base run's resistances and the refusals.
#include "sensitivity/sensitivity.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "histogram/class_mean.h"
#include "sensitivity/parameter_moves.h"

namespace tessavin::sensitivity {
namespace {

CalculationInputs SmallStudy() {
    CalculationInputs in;
    in.intervals = "24";
    for (int k = 1; k <= RandomInputCount; ++k)
        in.random[k].n = "24";
    in.yearEnd = in.endText = "70";
    return in;
}

SensitivityResult Analyse(const CalculationInputs& in, int threads, bool reuse = true) {
    CalculationState loaded;
    SensitivitySettings settings;
    settings.threads = threads;
    settings.reuse = reuse;
    return AnalyseSensitivity(in, loaded, settings);
}

const SensitivityRow& RowOf(const SensitivityResult& r, const std::string& input,
                            const std::string& parameter) {
    for (const SensitivityRow& row : r.rows)
        if (input == row.move.inputKey && parameter == row.move.parameterKey) return row;
    throw std::runtime_error("no row " + input + " " + parameter);
}

void ExpectSameFigures(const PlanFigures& a, const PlanFigures& b) {
    EXPECT_EQ(a.ok, b.ok);
    EXPECT_EQ(a.first, b.first);
    EXPECT_EQ(a.pF, b.pF);
    EXPECT_EQ(a.curve, b.curve); // every year, bit for bit
    EXPECT_EQ(a.next, b.next);
}

void ExpectSameRows(const SensitivityResult& a, const SensitivityResult& b) {
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        SCOPED_TRACE(std::string(a.rows[i].move.inputKey) + " " + a.rows[i].move.parameterKey);
        EXPECT_EQ(a.rows[i].move.inputKey, b.rows[i].move.inputKey);
        EXPECT_EQ(a.rows[i].move.parameterKey, b.rows[i].move.parameterKey);
        ExpectSameFigures(a.rows[i].atDown, b.rows[i].atDown);
        ExpectSameFigures(a.rows[i].atUp, b.rows[i].atUp);
        EXPECT_EQ(a.rows[i].elasticity, b.rows[i].elasticity);
    }
}

// One analysis serves the tests below: it is the slow part.
const SensitivityResult& TwoThreads() {
    static const SensitivityResult r = Analyse(SmallStudy(), 2);
    return r;
}

TEST(Sensitivity, MovesEveryParameterAndTheResponsesPointTheWayTheModelDoes) {
    const SensitivityResult& r = TwoThreads();
    ASSERT_TRUE(r.failure.empty()) << r.failure;
    ASSERT_EQ(r.rows.size(), 14u);
    ASSERT_TRUE(r.base.first.has_value());
    EXPECT_EQ(r.referenceYear, (*r.base.first)[1]);
    ASSERT_TRUE(r.base.pF.has_value());
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        const SensitivityRow& row = r.rows[i];
        SCOPED_TRACE(std::string(row.move.inputKey) + " " + row.move.parameterKey);
        EXPECT_TRUE(row.atDown.ok && row.atUp.ok) << row.atDown.failure << row.atUp.failure;
        EXPECT_DOUBLE_EQ(row.down, row.base * 0.9);
        EXPECT_DOUBLE_EQ(row.up, row.base * 1.1);
        if (i > 0) {
            EXPECT_GE(r.rows[i - 1].swing, row.swing); // widest swing first
        }
    }
    // A larger C, stress range or initial crack grows cracks faster: pF rises and the first
    // inspection comes no later; the elasticity is positive.
    for (const auto& [input, parameter] :
         {std::pair{"C", "value"}, std::pair{"DeltaS", "Mi"}, std::pair{"a0", "Mi"}}) {
        SCOPED_TRACE(input);
        const SensitivityRow& row = RowOf(r, input, parameter);
        EXPECT_LT(*row.atDown.pF, *r.base.pF);
        EXPECT_GT(*row.atUp.pF, *r.base.pF);
        EXPECT_LE((*row.atUp.first)[1], (*r.base.first)[1]);
        EXPECT_GE((*row.atDown.first)[1], (*r.base.first)[1]);
        EXPECT_GT(*row.elasticity, 0.0);
    }
    // The elasticity by its definition, Δparameter = 2·step·value up to the rounding of the moved
    // values.
    const SensitivityRow& c = RowOf(r, "C", "value");
    EXPECT_NEAR(*c.elasticity / ((*c.atUp.pF - *c.atDown.pF) / (0.2 * *r.base.pF)), 1.0, 1e-12);
    // C and the ranges per year keep ΔS^m and the resistances, the stress range the resistances,
    // ad ΔS^m and R(aac): 14 of the 28 runs.
    EXPECT_EQ(r.runs, 28);
    EXPECT_EQ(r.reusingRuns, 14);
}

TEST(Sensitivity, IsTheSameForAnyThreadCountAndWithoutTheReuse) {
    const SensitivityResult one = Analyse(SmallStudy(), 1);
    ExpectSameRows(one, TwoThreads());
    const SensitivityResult full = Analyse(SmallStudy(), 2, false);
    EXPECT_EQ(full.reusingRuns, 0);
    ExpectSameRows(full, TwoThreads());
    // The surface crack's R(ad) also reads the means of Fy and σ: still the same bits.
    CalculationInputs surface = SmallStudy();
    surface.crackOrigin = 1;
    surface.yearEnd = surface.endText = "120";
    ExpectSameRows(Analyse(surface, 2, false), Analyse(surface, 2));
}

TEST(Sensitivity, RefusesABadStepAndAFailingBaseRun) {
    CalculationState loaded;
    for (double step : {0.0, 1.0, -0.1, 1.5, std::nan("")}) {
        SensitivitySettings settings;
        settings.step = step;
        const SensitivityResult r = AnalyseSensitivity(SmallStudy(), loaded, settings);
        EXPECT_EQ(r.field, "step") << step;
        EXPECT_FALSE(r.failure.empty());
        EXPECT_TRUE(r.rows.empty());
    }
    CalculationInputs zeroStep = SmallStudy();
    zeroStep.yearStep = zeroStep.stepText = "0";
    const SensitivityResult r = Analyse(zeroStep, 2);
    EXPECT_EQ(r.failure.rfind("base run: ", 0), 0u) << r.failure;
    EXPECT_TRUE(r.rows.empty());
}

TEST(Sensitivity, StopsBeforeTheNextRunWhenAsked) {
    CalculationState loaded;
    std::atomic<bool> stop{false};
    int calls = 0;
    const SensitivityResult r = AnalyseSensitivity(
        SmallStudy(), loaded, SensitivitySettings{0.1, 1, true},
        [&](int done, int total) {
            ++calls;
            EXPECT_EQ(total, 28);
            if (done == 3) stop = true;
        },
        &stop);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(r.rows.empty());
}

// An input from measured data (here a0 as a stored histogram, as a project brings it) is moved
// as a histogram in the whole analysis: its row is marked, its base is the histogram's mean, and
// a larger initial crack still raises pF.
TEST(Sensitivity, MeasuredInputIsMovedAsItsHistogram) {
    CalculationInputs in = SmallStudy();
    CalculationState loaded;
    ASSERT_EQ(RebuildInput(5, in.random[5], in.eps, in.par3, in.par4, loaded.inputs).status,
              RebuildOutcome::Status::Built);
    in.random[5].source = InputSource::RawData;
    in.random[5].mi = in.random[5].sigma = "";
    const SensitivityResult r = AnalyseSensitivity(in, loaded, SensitivitySettings{0.1, 2, true});
    ASSERT_TRUE(r.failure.empty()) << r.failure;
    const SensitivityRow& mi = RowOf(r, "a0", "Mi");
    EXPECT_TRUE(mi.measured);
    EXPECT_EQ(mi.base, ClassValueMean(loaded.inputs.histogram[5]));
    ASSERT_TRUE(mi.atDown.ok && mi.atUp.ok) << mi.atDown.failure << mi.atUp.failure;
    EXPECT_LT(*mi.atDown.pF, *r.base.pF);
    EXPECT_GT(*mi.atUp.pF, *r.base.pF);
    EXPECT_TRUE(RowOf(r, "a0", "Sigma").measured);
    EXPECT_FALSE(RowOf(r, "Fy", "Mi").measured);
}

// Measured data have no fields: the histogram itself moves, as a whole for Mi and about its
// mean for Sigma, and the moved value is the new mean or standard deviation.
TEST(ParameterMoves, MeasuredDataShiftAndScaleAboutTheirMean) {
    CalculationInputs in;
    in.random[5].source = InputSource::RawData;
    InputHistograms h;
    DiscreteHistogram& a0 = h.histogram[5];
    a0.Bins = 4;
    a0.XFirst = 0.1;
    a0.XLast = 0.4;
    a0.Step = 0.1;
    a0.P[1] = 0.1, a0.P[2] = 0.4, a0.P[3] = 0.3, a0.P[4] = 0.2;
    // Hand values: mean 0.26, variance 0.0084 (Σ P (x − 0.26)²).
    const ParameterMove mi{5, Parameter::Mi, "a0", "Mi"}, sigma{5, Parameter::Sigma, "a0", "Sigma"};
    ASSERT_TRUE(IsMeasured(mi, in));
    EXPECT_NEAR(*BaseValue(mi, in, h), 0.26, 1e-15);
    EXPECT_NEAR(*BaseValue(sigma, in, h), std::sqrt(0.0084), 1e-15);

    InputHistograms shifted = h;
    EXPECT_NEAR(ApplyMove(mi, 1.1, in, shifted), 0.286, 1e-15);
    EXPECT_NEAR(ClassValueMean(shifted.histogram[5]), 0.286, 1e-15);
    EXPECT_EQ(shifted.histogram[5].Step, 0.1);
    EXPECT_TRUE(shifted.ready == h.ready); // nothing to rebuild

    InputHistograms scaled = h;
    EXPECT_NEAR(ApplyMove(sigma, 0.9, in, scaled), 0.9 * std::sqrt(0.0084), 1e-15);
    EXPECT_NEAR(ClassValueMean(scaled.histogram[5]), 0.26, 1e-15);
    EXPECT_NEAR(*BaseValue(sigma, in, scaled), 0.9 * std::sqrt(0.0084), 1e-15);
    EXPECT_NEAR(scaled.histogram[5].Step, 0.09, 1e-15);

    // A parametric input gets the moved number as its field text and is rebuilt.
    InputHistograms fields = h;
    fields.ready[1] = true;
    const ParameterMove ds{1, Parameter::Mi, "DeltaS", "Mi"};
    EXPECT_EQ(ApplyMove(ds, 0.9, in, fields), 30 * 0.9);
    EXPECT_EQ(in.random[1].mi, FieldNumberText(30 * 0.9));
    EXPECT_FALSE(fields.ready[1]);
    EXPECT_EQ(FieldNumberText(2.2e-13 * 1.1), "2.4200000000000003E-13");
}

} // namespace
} // namespace tessavin::sensitivity
