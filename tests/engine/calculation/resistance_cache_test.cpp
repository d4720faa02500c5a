#include "calculation/resistance_cache.h"

#include <gtest/gtest.h>

namespace tessavin {
namespace {

// The key holds what the step reads and nothing else; the oldest entry makes room.
TEST(ResistanceCache, KeysByTheStepsInputsAndDropsTheOldest) {
    ResistanceParameters p;
    InputHistograms inputs;
    inputs.histogram[6].Bins = 1;
    inputs.histogram[6].P[1] = 1.0;
    const std::string acceptable = ResistanceCache::KeyOf(true, p, inputs);
    const std::string detectable = ResistanceCache::KeyOf(false, p, inputs);
    inputs.histogram[6].P[1] = 0.5; // ad enters R(ad) only
    EXPECT_EQ(ResistanceCache::KeyOf(true, p, inputs), acceptable);
    EXPECT_NE(ResistanceCache::KeyOf(false, p, inputs), detectable);
    ResistanceParameters other = p;
    other.m = 3.001;
    EXPECT_NE(ResistanceCache::KeyOf(true, other, inputs), acceptable);
    other = p;
    other.integration.convention = Convention::Centre;
    EXPECT_NE(ResistanceCache::KeyOf(true, other, inputs), acceptable);

    ResistanceCache cache(2);
    for (const char* key : {"a", "b", "c"}) {
        ResistanceCache::Entry e;
        e.currentFy = key[0];
        cache.Keep(key, e);
    }
    EXPECT_FALSE(cache.Find("a"));
    ASSERT_TRUE(cache.Find("b"));
    EXPECT_EQ(cache.Find("c")->currentFy, 'c');
}

} // namespace
} // namespace tessavin
