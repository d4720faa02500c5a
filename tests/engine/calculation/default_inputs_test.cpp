// The one set of default inputs reaches every place that starts from it.
#include <gtest/gtest.h>

#include <string>

#include "calculation/default_inputs.h"
#include "calculation/model.h"
#include "common/number_parse.h"
#include "files/project_file.h"
#include "files/settings_keys.h"

namespace tessavin {
namespace {

struct Expected {
    const char* control;
    std::string_view InputDefaults::*text;
    const char* value;
};

// Reference: the field texts the defaults command has always written; the settings file of a
// fresh installation holds the same (tests/fuzz/settings_file/default.INI).
constexpr Expected kDocumented[] = {
    {"EdKonstC", &InputDefaults::C, "2.2E-13"},
    {"EdMocM", &InputDefaults::m, "3"},
    {"EdSirPas", &InputDefaults::bf, "400"},
    {"EdTloPas", &InputDefaults::tf, "25"},
    {"EdNavPravd", &InputDefaults::Pd, "2.277E-2"},
    {"EdRokT", &InputDefaults::yearStart, "0"},
    {"EdRokKrok", &InputDefaults::yearStep, "1"},
    {"EdRokKon", &InputDefaults::yearEnd, "150"},
    {"EdEps", &InputDefaults::eps, "1E-8"},
    {"EdPocetIntervalu", &InputDefaults::intervals, "128"},
    {"EdNintegrace", &InputDefaults::stepsText, "1000"},
    {"EdN", &InputDefaults::levelsText, "10"},
    {"EdTol0", &InputDefaults::tol0Text, "0.0001"},
    {"CBMetoda", &InputDefaults::methodText, "4"},
};

TEST(DefaultInputs, AreTheDocumentedValues) {
    constexpr InputDefaults d = DefaultInputs();
    for (const Expected& e : kDocumented)
        EXPECT_EQ(d.*e.text, e.value) << e.control;
    // Each number is the one its text stands for.
    EXPECT_EQ(ParseReal(d.tf).value_or(-1), d.tfValue);
    EXPECT_EQ(ParseWhole(d.stepsText).value_or(-1), d.steps);
    EXPECT_EQ(ParseWhole(d.levelsText).value_or(-1), d.levels);
    EXPECT_EQ(ParseReal(d.tol0Text).value_or(-1), d.tol0);
    EXPECT_EQ(ParseWhole(d.methodText).value_or(-1), d.method);
}

TEST(DefaultInputs, StartEveryRecordAndSettingsKey) {
    constexpr InputDefaults d = DefaultInputs();
    const CalculationInputs in;
    EXPECT_EQ(in.C, d.C);
    EXPECT_EQ(in.m, d.m);
    EXPECT_EQ(in.bf, d.bf);
    EXPECT_EQ(in.tf, d.tf);
    EXPECT_EQ(in.tfValue, d.tfValue);
    EXPECT_EQ(in.Pd, d.Pd);
    EXPECT_EQ(in.yearStart + "/" + in.yearStep + "/" + in.yearEnd, "0/1/150");
    EXPECT_EQ(in.startText + "/" + in.stepText + "/" + in.endText, "0/1/150");
    EXPECT_EQ(in.eps, d.eps);
    EXPECT_EQ(in.intervals, d.intervals);
    EXPECT_EQ(in.integration.method, 4);
    EXPECT_EQ(in.integration.steps, 1000);
    EXPECT_EQ(in.integration.levels, 10);
    EXPECT_EQ(in.integration.tol0, 0.0001);
    EXPECT_EQ(in.integration.stepsText + "/" + in.integration.levelsText + "/" +
                  in.integration.tol0Text,
              "1000/10/0.0001");
    for (int k = 1; k <= RandomInputCount; ++k)
        EXPECT_EQ(in.random[k].n, "128") << k;

    const ProjectData project;
    EXPECT_EQ(project.Pd + project.bf + project.C + project.tf + project.m + project.eps +
                  project.intervals,
              "2.277E-2"
              "400"
              "2.2E-13"
              "25"
              "3"
              "1E-8"
              "128");
    EXPECT_EQ(project.method, 4);

    for (const Expected& e : kDocumented) {
        const SettingKey* key = FindSettingKey(MainWindowSettingKeys(), e.control);
        if (!key) key = FindSettingKey(WindowSettingKeys(WindowId::Integration), e.control);
        if (std::string_view(e.control) == "EdNavPravd") {
            EXPECT_EQ(key, nullptr) << "Pd is not kept in the settings file";
            continue;
        }
        ASSERT_NE(key, nullptr) << e.control;
        EXPECT_EQ(key->defaultText, e.value) << e.control;
    }
}

} // namespace
} // namespace tessavin
