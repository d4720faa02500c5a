// An opened project is held to the checks of the input page, the integration window and the
// histograms: each bad value is refused with the message of its check.
#include "files/project_checks.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <variant>

#include <gtest/gtest.h>
#include <unistd.h>

#include "../test_histograms.h"
#include "localisation/captions.h"
#include "localisation/language.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

// A project the input page would accept: default fields and inputs as the page builds them,
// nothing calculated yet.
ProjectData Valid() {
    ProjectData p;
    p.end = 150;
    for (int k = 1; k <= RandomInputCount; ++k)
        p.inputs[k] = test::ParametricInput(p.random[k].type, p.random[k].mi.c_str(),
                                            p.random[k].sigma.c_str(), "32");
    return p;
}

TEST(ProjectChecks, EveryStoredValueIsCheckedAsTheInputPageChecksIt) {
    SetLanguage(Language::English);
    const std::string bad = "Invalid property value";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        std::function<void(ProjectData&)> change;
        std::string message; // empty: accepted
    } cases[] = {
        {"valid", [](ProjectData&) {}, ""},
        {"Pd abc", [](ProjectData& p) { p.Pd = "abc"; }, TextCis(74) + "abc)"},
        {"Pd above 1", [](ProjectData& p) { p.Pd = "1.5"; }, TextCis(74) + "1.5)"},
        {"m zero", [](ProjectData& p) { p.m = "0"; }, TextCis(51) + "0) < 0"},
        {"zero C is kept", [](ProjectData& p) { p.C = "0"; }, ""},
        {"end far below", [](ProjectData& p) { p.end = -1000000; }, TextCis(75) + "300"},
        {"end before start",
         [](ProjectData& p) {
             p.start = 20;
             p.end = 10;
         },
         TextCis(244) + "20" + TextCis(245) + "10)"},
        {"intervals text", [](ProjectData& p) { p.intervals = "x"; },
         "'x' is not a valid integer value"},
        {"Mi of a parametric input", [](ProjectData& p) { p.random[2].mi = "abc"; },
         TextCis(64) + "abc)"},
        {"Mi of a raw-data input is not shown",
         [](ProjectData& p) {
             p.random[2].source = InputSource::RawData;
             p.random[2].mi = "abc";
         },
         ""},
        {"N of 2 classes", [](ProjectData& p) { p.random[6].n = "2"; }, TextCis(63) + "2)"},
        {"odd Simpson steps",
         [](ProjectData& p) {
             p.method = 1;
             p.methodParameter = "1001";
         },
         CaptionText(Caption::IntegrationLabel4) + TextCis(255) + "(n=1001)"},
        {"Romberg 7",
         [](ProjectData& p) {
             p.method = 2;
             p.methodParameter = "7";
         },
         ""},
        {"input of 0 classes", [](ProjectData& p) { p.inputs[1].Bins = 0; }, bad},
        {"input of 1025 classes", [](ProjectData& p) { p.inputs[3].Bins = 1025; }, bad},
        {"XFirst > XLast", [](ProjectData& p) { std::swap(p.inputs[4].XFirst, p.inputs[4].XLast); },
         bad},
        {"zero Step", [](ProjectData& p) { p.inputs[5].Step = 0; }, bad},
        {"one class needs no Step",
         [](ProjectData& p) {
             p.inputs[5] = DiscreteHistogram{};
             p.inputs[5].Bins = 1;
             p.inputs[5].XFirst = p.inputs[5].XLast = 0.2;
             p.inputs[5].P[1] = 1;
         },
         ""},
        {"negative probability",
         [](ProjectData& p) {
             p.inputs[6].P[1] += 0.5;
             p.inputs[6].P[2] -= 0.5;
         },
         bad},
        {"NaN probability", [nan](ProjectData& p) { p.inputs[6].P[3] = nan; }, bad},
        {"sum 1 + 1e-8", [](ProjectData& p) { p.inputs[2].P[10] += 1e-8; }, bad},
        {"sum 1 + 1e-12", [](ProjectData& p) { p.inputs[2].P[10] += 1e-12; }, ""},
        {"empty DeltaS^m and results", [](ProjectData& p) { p.results[2] = {}; }, ""},
        {"DeltaS^m summing to 0.5",
         [](ProjectData& p) {
             p.deltaSm.Bins = 2;
             p.deltaSm.XLast = p.deltaSm.Step = 1;
             p.deltaSm.P[1] = 0.5;
         },
         bad},
        {"R(aac) of one class",
         [](ProjectData& p) {
             p.results[1].Bins = 1;
             p.results[1].P[1] = 1;
         },
         ""},
        {"RfF reversed",
         [](ProjectData& p) {
             p.results[3].Bins = 1;
             p.results[3].XFirst = 1;
             p.results[3].P[1] = 1;
         },
         bad},
    };
    for (const auto& c : cases) {
        ProjectData p = Valid();
        c.change(p);
        const std::optional<Failure> refusal = CheckProject(p);
        if (c.message.empty()) {
            EXPECT_FALSE(refusal.has_value()) << c.what << ": " << refusal->text;
        } else {
            ASSERT_TRUE(refusal.has_value()) << c.what;
            EXPECT_EQ(refusal->text, c.message) << c.what;
            EXPECT_TRUE(refusal->focus.empty()) << c.what;
        }
    }
}

TEST(ProjectChecks, OpeningRefusesAProjectThatFailsAFieldCheck) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("tessavin-checks-" + std::to_string(::getpid()) + ".Vys");
    ProjectData p = Valid();
    ASSERT_FALSE(WriteProjectFile(file, p).has_value());
    EXPECT_TRUE(std::holds_alternative<ProjectData>(OpenProjectFile(file)));
    p.m = "0";
    ASSERT_FALSE(WriteProjectFile(file, p).has_value());
    const auto opened = OpenProjectFile(file);
    ASSERT_TRUE(std::holds_alternative<Failure>(opened));
    EXPECT_EQ(std::get<Failure>(opened).message, 51);
    std::filesystem::remove(file);
}

} // namespace
} // namespace tessavin
