// cairo is loaded when a report is drawn, never at the start of the batch program; a library
// that cannot serve is named in the failure.
#include <gtest/gtest.h>

#include "cairo_calls.h"
#include "pdf_tools.h"

namespace tessavin::report {
namespace {

TEST(CairoCalls, TheBatchProgramStartsWithoutThePdfLibrary) {
    int exitCode = -1;
    const std::string libraries = test::Capture(std::string("ldd ") + TESSAVIN_CLI_PATH, &exitCode);
    ASSERT_EQ(exitCode, 0);
    ASSERT_NE(libraries.find("libc.so"), std::string::npos) << libraries;
    EXPECT_EQ(libraries.find("cairo"), std::string::npos) << libraries;
    EXPECT_EQ(libraries.find("fontconfig"), std::string::npos) << libraries;
}

TEST(CairoCalls, LoadsEveryFunctionOrSaysWhatIsMissing) {
    CairoCalls calls;
    EXPECT_EQ(LoadCairoCalls(CairoLibrary, calls), std::nullopt);
    EXPECT_NE(calls.pdf_surface_create_for_stream, nullptr);
    EXPECT_NE(calls.translate, nullptr);

    const auto absent = LoadCairoCalls("libtessavin-absent.so.9", calls);
    ASSERT_TRUE(absent.has_value());
    EXPECT_NE(absent->find("cannot be loaded"), std::string::npos) << *absent;
    EXPECT_NE(absent->find("libtessavin-absent.so.9"), std::string::npos) << *absent;

    // A library without cairo's functions: every one of them is named.
    const auto foreign = LoadCairoCalls("libm.so.6", calls);
    ASSERT_TRUE(foreign.has_value());
    EXPECT_NE(foreign->find("cairo_clip"), std::string::npos) << *foreign;
    EXPECT_NE(foreign->find("cairo_translate"), std::string::npos) << *foreign;
}

} // namespace
} // namespace tessavin::report
