// The table of suitable histograms: sorting, closeness, the unsuitable-row search, removal and
// compaction; and the mirroring of a shown candidate.
#include "rawdata/suitable_table.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rawdata/candidate_view.h"

namespace tessavin {
namespace {

struct Candidate {
    DistributionType type;
    std::string tightness, median, mean, deviation, skewness, kurtosis;
};

CharacteristicsRow Row(const Candidate& c) {
    CharacteristicsRow r;
    r.fields[0] = "T" + std::to_string(c.type);
    r.fields[1] = c.tightness;
    r.fields[2] = c.median;
    r.fields[3] = c.median; // mode
    r.fields[4] = c.mean;
    r.fields[5] = "1"; // variance
    r.fields[6] = c.deviation;
    r.fields[7] = "10"; // variation
    r.fields[8] = c.skewness;
    r.fields[9] = c.kurtosis;
    r.fields[10] = "p";
    return r;
}

// Candidates in ascending type order as a ranking lists them; the sample's mean 10, deviation 2,
// skewness 0.5; its histogram's mean 10.4, deviation 2.1, skewness 0.2.
FitRanking Ranking(const std::vector<Candidate>& cs) {
    FitRanking r;
    r.sampleRow = Row({-1, "1", "10", "10.4", "2.1", "0.2", "0"});
    for (const Candidate& c : cs) {
        r.rows.push_back(Row(c));
        r.rowTypes.push_back(c.type);
        r.entries[c.type].tightness = CellValue(c.tightness);
    }
    for (int i = 0; i < DistributionCount; ++i)
        r.entries[i].type = i;
    return r;
}

const SampleMoments kMoments{"10", "2", "0.5"};

std::vector<int> Types(const SuitableTable& t) {
    std::vector<int> out;
    for (int p = 1; p <= SuitableTableRows; ++p)
        out.push_back(t.typeAt(p).value_or(-1));
    while (!out.empty() && out.back() == -1)
        out.pop_back();
    return out;
}

const std::vector<Candidate> kFour = {
    {0, "0.5", "10", "10.2", "2.0", "0.1", "3"},
    {1, "0.5", "11", "9.5", "2.4", " undefined", "5"},
    {7, "0.95", "9", "10.45", "1.9", "0.45", "-1"},
    {9, "0.3", "12", "11", "2.2", "-0.4", " undefined"},
};

TEST(SuitableTableSort, DescendingOrByClosenessWithSelectionSortTies) {
    struct Case {
        int key;
        ClosenessReference ref;
        std::vector<int> order; // types in table order
    };
    const Case cases[] = {
        // Equal 0.5s: swapping 0.95 up moves type 0 behind type 1.
        {KeyTightness, ClosenessReference::Sample, {7, 1, 0, 9}},
        {KeyMedian, ClosenessReference::Sample, {9, 1, 0, 7}},
        // " undefined" counts as 0.
        {KeyKurtosis, ClosenessReference::Sample, {1, 0, 9, 7}},
        // Closeness to the sample's mean 10: 0.2, 0.5, 0.45, 1.
        {KeyMean, ClosenessReference::Sample, {0, 7, 1, 9}},
        // ... and to its histogram's mean 10.4: 0.05, 0.2, 0.6, 0.9.
        {KeyMean, ClosenessReference::SampleHistogram, {7, 0, 9, 1}},
        // Deviation from 2: 0, 0.1, 0.2, 0.4.
        {KeyDeviation, ClosenessReference::Sample, {0, 7, 9, 1}},
        // Skewness from 0.5 (undefined = 0): 0.05, 0.4, 0.5, 0.9.
        {KeySkewness, ClosenessReference::Sample, {7, 0, 1, 9}},
    };
    for (const Case& c : cases) {
        SuitableTable t;
        t.Fill(Ranking(kFour), kMoments);
        EXPECT_EQ(Types(t), (std::vector<int>{0, 1, 7, 9}));
        t.SortBy(c.key, c.ref);
        t.Compact();
        EXPECT_EQ(Types(t), c.order) << "key " << c.key;
        EXPECT_EQ(t.row(1).fields[0], "T" + std::to_string(c.order[0])); // cells move along
    }
    EXPECT_TRUE(SortsByCloseness(KeySkewness));
    EXPECT_FALSE(SortsByCloseness(KeyKurtosis));
}

// An order of types from elsewhere (a goodness-of-fit key): types it leaves out follow in their
// own order, a removed candidate's blank row goes below the others.
TEST(SuitableTableSort, ByAGivenOrderOfTypes) {
    SuitableTable t;
    t.Fill(Ranking(kFour), kMoments);
    const std::vector<DistributionType> order = {9, 0};
    t.SortByTypes(order);
    EXPECT_EQ(Types(t), (std::vector<int>{9, 0, 1, 7}));
    EXPECT_EQ(t.row(1).fields[0], "T9");
    t.RemoveFrom(2);
    t.SortByTypes(std::vector<DistributionType>{1, 7, 9});
    t.Compact();
    EXPECT_EQ(Types(t), (std::vector<int>{9}));
}

TEST(SuitableTableRemoval, FirstDisagreeingRowAndEveryRowBelowIt) {
    // Sample deviation s = 2: 1.5 and 2.5 are suitable, 1.49 and 2.51 are not; median 0 never.
    struct Case {
        std::string deviation, median;
        bool suitable;
    };
    const Case cases[] = {{"1.5", "10", true},   {"2.5", "10", true}, {"1.49", "10", false},
                          {"2.51", "10", false}, {"2", "0", false},   {"2", " undefined", false}};
    for (const Case& c : cases) {
        SuitableTable t;
        t.Fill(Ranking({{0, "0.9", "10", "10", "2", "0", "0"},
                        {2, "0.8", c.median, "10", c.deviation, "0", "0"},
                        {3, "0.7", "10", "10", "2", "0", "0"}}),
               kMoments);
        t.SortBy(KeyTightness, ClosenessReference::Sample);
        EXPECT_EQ(t.FindUnsuitableRow(), c.suitable ? 0 : 2) << c.deviation << " " << c.median;
    }

    // Removing from row 2 blanks rows 2.. including the suitable type 3 below it.
    FitRanking ranking = Ranking({{0, "0.9", "10", "10", "2", "0", "1"},
                                  {2, "0.8", "10", "10", "3", "0", "0"},
                                  {3, "0.7", "10", "10", "2", "0", "0"},
                                  {4, "0.95", "10", "10", "2", "0.4", "2"}});
    SuitableTable t;
    t.Fill(ranking, kMoments);
    t.SortBy(KeyTightness, ClosenessReference::Sample);
    ASSERT_EQ(Types(t), (std::vector<int>{4, 0, 2, 3}));
    ASSERT_EQ(t.FindUnsuitableRow(), 3);
    EXPECT_EQ(t.RemoveFrom(3), (std::vector<DistributionType>{2, 3}));
    EXPECT_EQ(Types(t), (std::vector<int>{4, 0}));
    for (int p = 3; p <= SuitableTableRows; ++p)
        EXPECT_TRUE(IsBlankCell(t.row(p).fields[1]));
    EXPECT_EQ(t.sampleRow().fields[1], "1");

    // Sorting afterwards keeps the remaining candidates on top: by skewness closeness the
    // blank rows (value 0, as far from 0.5 as type 0) sort between them and compaction closes
    // the table up.
    t.SortBy(KeyKurtosis, ClosenessReference::Sample);
    t.Compact();
    EXPECT_EQ(Types(t), (std::vector<int>{4, 0}));
    t.SortBy(KeySkewness, ClosenessReference::Sample);
    t.Compact();
    EXPECT_EQ(Types(t), (std::vector<int>{4, 0}));

    // The ranking loses them too: tightness 0, blank rows, same row count.
    const std::vector<DistributionType> removed{2, 3};
    RemoveCandidates(ranking, removed);
    EXPECT_EQ(ranking.entries[2].tightness, 0.0);
    EXPECT_EQ(ranking.entries[3].tightness, 0.0);
    EXPECT_GT(ranking.entries[4].tightness, 0.0);
    ASSERT_EQ(ranking.rows.size(), 4u);
    EXPECT_TRUE(IsBlankCell(ranking.rows[1].fields[0]));
    EXPECT_TRUE(IsBlankCell(ranking.rows[2].fields[2]));
    EXPECT_EQ(ranking.rows[3].fields[0], "T4");
    // Re-opened from that ranking, the table shows the two that are left.
    SuitableTable again;
    again.Fill(ranking, kMoments);
    again.SortBy(KeyTightness, ClosenessReference::Sample);
    again.Compact();
    EXPECT_EQ(Types(again), (std::vector<int>{4, 0}));
}

TEST(SuitableTableRows, TwentyThreeRowsTakePartAndFewerThanTwoCandidatesNeverSwap) {
    std::vector<Candidate> many;
    for (int t = 0; t < 22; ++t)
        many.push_back({t, std::to_string(0.01 * (t + 1)), "10", "10", "2", "0", "0"});
    SuitableTable t;
    t.Fill(Ranking(many), kMoments);
    t.SortBy(KeyTightness, ClosenessReference::Sample);
    EXPECT_EQ(t.typeAt(1), 21);
    EXPECT_EQ(t.typeAt(22), 0);
    EXPECT_EQ(t.typeAt(23), std::nullopt);

    SuitableTable one;
    one.Fill(Ranking({{5, "0.3", "10", "10", "2", "0", "0"}}), kMoments);
    one.SortBy(KeyMean, ClosenessReference::Sample);
    EXPECT_EQ(Types(one), (std::vector<int>{5}));
    EXPECT_EQ(one.FindUnsuitableRow(), 0);
}

TEST(CandidateMirror, TurnsTowardsTheSampleMeanOnce) {
    // Mass at the low end of [0, 4]: median 1 below the centre 2.
    WorkingHistogram h;
    h.Bins = 4;
    h.Min = 0;
    h.Max = 4;
    h.P[1] = 0.7;
    h.P[2] = 0.2;
    h.P[3] = 0.1;
    EXPECT_FALSE(MirrorTowardsSample(h, 1.0)); // the mean is on the same side
    EXPECT_EQ(h.P[1], 0.7);
    EXPECT_TRUE(MirrorTowardsSample(h, 3.0));
    EXPECT_EQ(h.P[4], 0.7);
    EXPECT_EQ(h.P[1], 0.0);
    EXPECT_EQ(h.P[2], 0.1);
    EXPECT_FALSE(MirrorTowardsSample(h, 3.0)); // drawing again keeps it
    EXPECT_EQ(h.P[4], 0.7);
}

} // namespace
} // namespace tessavin
