#include "parametric/input_histograms.h"

#include <gtest/gtest.h>

namespace tessavin {
namespace {

RandomInputFields Fields(int type, const char* mi, const char* sigma, const char* n = "32") {
    RandomInputFields f;
    f.type = type;
    f.mi = mi;
    f.sigma = sigma;
    f.n = n;
    return f;
}

TEST(InputFieldValidation, MessagesAndFocus) {
    EXPECT_FALSE(ValidateMi(1, "30"));
    const auto mi = ValidateMi(3, "abc");
    ASSERT_TRUE(mi);
    EXPECT_EQ(mi->text, "Number entry is not correct (Mi=abc)");
    EXPECT_EQ(mi->kind, BoxKind::Error);
    EXPECT_EQ(mi->focus, "EdMezKluMi");
    const auto sigma = ValidateSigma(6, "1,5");
    ASSERT_TRUE(sigma);
    EXPECT_EQ(sigma->text, "Number entry is not correct (Sigma=1,5)");
    EXPECT_EQ(sigma->focus, "EdNejRozSigma");
    for (const char* ok : {"3", "1024"})
        EXPECT_FALSE(ValidateN(1, ok)) << ok;
    for (const char* bad : {"2", "1025", "x", "3.5"}) {
        const auto n = ValidateN(2, bad);
        ASSERT_TRUE(n) << bad;
        EXPECT_EQ(n->text, std::string("Number entry is not correct (N=") + bad + ")");
        EXPECT_EQ(n->focus, "EdPocKmitN");
    }
}

// Values the distribution itself refuses are refused at the field, by type: otherwise the
// rebuild keeps the previous histogram while the fields show the new value.
TEST(InputFieldValidation, DistributionChecksByType) {
    struct Case {
        bool mi; // Mi field, else Sigma
        int type;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {false, 0, "-3", false}, {false, 0, "0", false},   {false, 2, "-1", false},
        {false, 3, "0.1", true}, {false, -1, "-3", true}, // no type: a number is enough
        {true, 0, "-30", true},  {true, 1, "-0.2", false}, {true, 1, "0", false},
        {true, 1, "0.2", true},  {true, 2, "-5", true},
    };
    for (const Case& c : cases) {
        const auto failure =
            c.mi ? ValidateMi(5, c.text, c.type) : ValidateSigma(5, c.text, c.type);
        EXPECT_EQ(!failure, c.accepted)
            << (c.mi ? "Mi " : "Sigma ") << c.text << " type " << c.type;
        if (failure) {
            EXPECT_EQ(failure->text, std::string("Number entry is not correct (") +
                                         (c.mi ? "Mi=" : "Sigma=") + c.text + ")");
        }
    }
}

TEST(RebuildInput, StoresTheHistogramAndItsClassCount) {
    InputHistograms inputs;
    const RebuildOutcome out = RebuildInput(3, Fields(1, "280", "28"), "1E-7", "1.5", "1", inputs);
    EXPECT_EQ(out.status, RebuildOutcome::Status::Built);
    EXPECT_TRUE(inputs.ready[3]);
    EXPECT_EQ(inputs.histogram[3].Bins, 32);
    ASSERT_TRUE(out.nText);
    EXPECT_EQ(*out.nText, "32");
    EXPECT_EQ(out.labels[0], "Mi");
    EXPECT_EQ(out.labels[1], "Sigma");
    EXPECT_EQ(out.groupTitle, "Parametric distribution :  F (x | Mi,Sigma)");
    EXPECT_FALSE(inputs.ready[1]);
}

TEST(RebuildInput, TrimmingShowsTheSmallerCount) {
    InputHistograms inputs;
    const RebuildOutcome out =
        RebuildInput(1, Fields(0, "30", "3", "1024"), "1E-300", "1", "1", inputs);
    ASSERT_EQ(out.status, RebuildOutcome::Status::Built);
    ASSERT_TRUE(out.nText);
    EXPECT_LT(std::stoi(*out.nText), 1024);
    EXPECT_EQ(std::to_string(inputs.histogram[1].Bins), *out.nText);
}

TEST(RebuildInput, MissingFieldsWarnAndKeepTheButtonDisabled) {
    InputHistograms inputs;
    inputs.ready[2] = true;
    const RebuildOutcome out = RebuildInput(2, Fields(0, "1E6", ""), "1E-7", "1", "1", inputs);
    EXPECT_EQ(out.status, RebuildOutcome::Status::MissingFields);
    ASSERT_EQ(out.reports.size(), 1u);
    EXPECT_EQ(out.reports[0].kind, BoxKind::Warning);
    EXPECT_EQ(out.reports[0].text, "Set type, Mi, Sigma of parametric distribution");
    EXPECT_FALSE(inputs.ready[2]);
}

TEST(RebuildInput, RefusedParametersKeepThePreviousHistogram) {
    InputHistograms inputs;
    ASSERT_EQ(RebuildInput(4, Fields(0, "200", "20"), "1E-7", "1", "1", inputs).status,
              RebuildOutcome::Status::Built);
    const DiscreteHistogram before = inputs.histogram[4];
    const RebuildOutcome out = RebuildInput(4, Fields(0, "200", "-1"), "1E-7", "1", "1", inputs);
    EXPECT_EQ(out.status, RebuildOutcome::Status::Built);
    EXPECT_TRUE(out.reports.empty());
    EXPECT_FALSE(out.nText);
    EXPECT_TRUE(inputs.ready[4]);
    EXPECT_EQ(inputs.histogram[4].XFirst, before.XFirst);
    EXPECT_EQ(inputs.histogram[4].P, before.P);
}

TEST(RebuildInput, RawDataWaitsForTheRawDataWindow) {
    InputHistograms inputs;
    inputs.ready[5] = true;
    RandomInputFields f = Fields(1, "0.2", "0.05");
    f.source = InputSource::RawData;
    EXPECT_EQ(RebuildInput(5, f, "1E-7", "1", "1", inputs).status,
              RebuildOutcome::Status::RawDataRequested);
    EXPECT_FALSE(inputs.ready[5]);
}

TEST(RebuildInput, BadIntervalCountFailsWithMessage88) {
    InputHistograms inputs;
    const RebuildOutcome out =
        RebuildInput(6, Fields(0, "10", "0.6", "2"), "1E-7", "1", "1", inputs);
    EXPECT_EQ(out.status, RebuildOutcome::Status::Failed);
    ASSERT_EQ(out.reports.size(), 1u);
    EXPECT_EQ(out.reports[0].message, 88);
    EXPECT_FALSE(inputs.ready[6]);
}

} // namespace
} // namespace tessavin
