// The parameter block carries the request to the discretisation and keeps what it wrote back.
#include "parametric/parameter_block.h"

#include <gtest/gtest.h>

#include "localisation/language.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

TEST(ParameterBlock, KeepsTheLabelsAndRangeOfTheLastBuild) {
    SetLanguage(Language::English);
    ParameterBlock block;
    EXPECT_EQ(block.labels[0], "1.para");
    EXPECT_EQ(block.par[2], "1.5");
    RandomInputFields fields;
    fields.type = 1; // LogNormal_2P
    fields.mi = "280";
    fields.sigma = "28";
    fields.n = "32";
    block.TakeInputRequest(fields, "1E-7");
    EXPECT_EQ(block.par[0], "280");
    EXPECT_EQ(block.intervals, "32");
    InputHistograms inputs;
    const RebuildOutcome out =
        RebuildInput(3, fields, block.eps, block.par[2], block.par[3], inputs);
    block.TakeBuildResult(out);
    EXPECT_EQ(block.labels[0], "Mi");
    EXPECT_EQ(block.labels[1], "Sigma");
    EXPECT_EQ(block.groupTitle, TextCis(212) + " F (x | Mi,Sigma)");
    EXPECT_EQ(block.min, out.minText);
    EXPECT_NE(block.min, "1");

    // A request that builds nothing leaves what the last build wrote.
    fields.mi.clear();
    block.TakeBuildResult(RebuildInput(3, fields, "1E-7", "1.5", "1", inputs));
    EXPECT_EQ(block.labels[0], "Mi");
}

TEST(ParameterBlock, NamesTheTypesInTheActiveLanguage) {
    SetLanguage(Language::Czech);
    EXPECT_EQ(ParameterBlock::TypeNames()[0], TextCis(91));
    SetLanguage(Language::English);
    EXPECT_EQ(ParameterBlock::TypeNames()[0], "Normal");
    EXPECT_EQ(ParameterBlock::TypeNames().size(), static_cast<std::size_t>(DistributionCount));
}

} // namespace
} // namespace tessavin
