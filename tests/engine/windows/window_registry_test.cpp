// The window registry: a row per WindowId in its order (WindowOf indexes by it), names that
// tell the windows apart, and the default sizes the Defaults command reads.
#include "windows/window_registry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tessavin {
namespace {

TEST(WindowRegistry, RowsInTheOrderOfTheirIdsWithDistinctNames) {
    std::set<std::string> names;
    int index = 0;
    for (const WindowEntry& w : Windows()) {
        EXPECT_EQ(static_cast<int>(w.id), index++) << w.objectName;
        EXPECT_TRUE(names.insert(std::string(w.objectName)).second) << w.objectName;
        EXPECT_FALSE(w.role.empty()) << w.objectName;
        EXPECT_EQ(FindWindow(w.objectName), &w);
    }
    EXPECT_EQ(FindWindow("TForm3"), nullptr); // the parametric histogram window does not exist
}

// The stored defaults, below the windows' minimum sizes for the main window (800 x 487) and the
// event graph (900 x 600), which therefore open at their minimum.
TEST(WindowRegistry, DefaultSizesComeFromTheSettingsKeys) {
    struct Case {
        WindowId id;
        int width, height;
    };
    const Case cases[] = {{WindowId::Main, 800, 483},
                          {WindowId::Histogram, 726, 511},
                          {WindowId::RawData, 1000, 600},
                          {WindowId::SuitableHistograms, 0, 600},
                          {WindowId::About, 350, 545},
                          {WindowId::EventGraph, 900, 450},
                          {WindowId::Splash, 0, 0},
                          {WindowId::Integration, 375, 204},
                          {WindowId::SettingsListing, 500, 355},
                          {WindowId::Sensitivity, 960, 640}};
    for (const Case& c : cases) {
        const WindowSize size = DefaultSize(c.id);
        EXPECT_EQ(size.width, c.width) << WindowOf(c.id).objectName;
        EXPECT_EQ(size.height, c.height) << WindowOf(c.id).objectName;
    }
}

} // namespace
} // namespace tessavin
