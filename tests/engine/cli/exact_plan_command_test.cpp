// tessavin-cli run with "plan": "exact": the exact plan beside the rule's, and its input checks.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_process.h"

namespace {

using tessavin::test::CliRun;
using tessavin::test::ExpectRefused;
using tessavin::test::RunCli;
using tessavin::test::TempDir;

std::string InputFile(const std::string& json, const std::string& name = "input.json") {
    const auto file = TempDir() / name;
    std::ofstream(file, std::ios::binary) << json;
    return file.string();
}

// The rule's output stays as it was; the exact plan follows it under its own heading.
TEST(CliExactPlan, AddsTheExactPlanAfterTheRulesAndLeavesTheRuleAsItWas) {
    const std::string rule = InputFile(R"({"bound": "upper"})", "rule.json");
    const std::string exact = InputFile(R"({"bound": "upper", "plan": "exact"})", "exact.json");
    const CliRun ruleJson = RunCli("run " + rule + " --json");
    const CliRun exactJson = RunCli("run " + exact + " --json");
    ASSERT_EQ(exactJson.exitCode, 0) << exactJson.err;
    auto j = nlohmann::ordered_json::parse(exactJson.out);
    const auto e = j["exact"];
    j.erase("exact");
    EXPECT_EQ(j, nlohmann::ordered_json::parse(ruleJson.out));

    EXPECT_EQ(e["made"], nlohmann::json({47, 56, 64, 72, 81, 90, 100, 110, 121, 132}));
    EXPECT_EQ(e["inspections"][0], nlohmann::json({46, 47}));
    ASSERT_EQ(e["conditional_pF"].size(), 10u);
    EXPECT_EQ(e["conditioned_on"][0], 47);
    EXPECT_EQ(e["years"].size(), e["pF"].size());
    EXPECT_EQ(e["grid"]["x_cells"], 1024);

    for (const char* format : {"", " --csv"}) {
        const CliRun r = RunCli("run " + rule + format), x = RunCli("run " + exact + format);
        ASSERT_EQ(x.exitCode, 0) << x.err;
        // The CSV closes with the convention section, after the exact plan's.
        const std::string tail = *format ? "\nconvention\nfirst\n" : "";
        ASSERT_TRUE(r.out.ends_with(tail) && x.out.ends_with(tail));
        const std::string ruleOut = r.out.substr(0, r.out.size() - tail.size());
        EXPECT_EQ(x.out.substr(0, ruleOut.size()), ruleOut) << format;
        const std::string added = x.out.substr(ruleOut.size());
        EXPECT_NE(added.find(*format ? "exact_inspection,from,to,made\n1,46,47,47\n"
                                     : "Exact plan (the state updated after every inspection"),
                  std::string::npos)
            << added;
    }
    // "plan": "rule" is the default, byte for byte.
    EXPECT_EQ(RunCli("run " + InputFile(R"({"bound": "upper", "plan": "rule"})") + " --json").out,
              ruleJson.out);
}

TEST(CliExactPlan, PastInspectionsConditionThePlan) {
    const CliRun r =
        RunCli("run " + InputFile(R"({"plan": "exact", "inspected": [50, 58]})") + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto e = nlohmann::json::parse(r.out)["exact"];
    EXPECT_EQ(e["inspected"], nlohmann::json({50, 58}));
    EXPECT_EQ(e["conditioned_on"][0], 50);
    EXPECT_EQ(e["conditioned_on"][1], 58);
    EXPECT_GT(e["made"][0].get<int>(), 58);
}

// Each refusal names the field and the value; nothing is computed (no output, exit 2).
TEST(CliExactPlan, RefusesBadPastInspections) {
    const struct {
        const char* inspected;
        const char* named;
    } cases[] = {{"[50, \"58\"]", "\"58\""}, {"[58, 50]", "50"}, {"[50, 50]", "50"},
                 {"[151]", "151"},           {"[-1]", "-1"},     {"[50.5]", "50.5"},
                 {"[null]", "null"},         {"50", "list"},     {"[1e300]", "1e+300"}};
    for (const auto& c : cases) {
        const std::string input =
            InputFile(std::string(R"({"plan": "exact", "inspected": )") + c.inspected + "}");
        ExpectRefused("run " + input);
        const CliRun r = RunCli("run " + input);
        EXPECT_NE(r.err.find("\"inspected\""), std::string::npos) << c.inspected << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << c.inspected << r.err;
    }
    ExpectRefused("run " + InputFile(R"({"inspected": [50]})"));
    ExpectRefused("run " + InputFile(R"({"plan": "best"})"));
}

} // namespace

namespace {

// The simulation of whole lives prints the same object with standard errors; the thread count
// changes no byte.
TEST(CliExactPlan, MonteCarloPrintsTheSimulatedExactPlan) {
    const std::string input = InputFile(R"({"end": 80, "inspected": [40], "plan": "exact"})");
    const CliRun one = RunCli("montecarlo " + input + " --samples 4000 --json --threads 1");
    const CliRun two = RunCli("montecarlo " + input + " --samples 4000 --json --threads 2");
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out, two.out);
    const auto e = nlohmann::json::parse(one.out)["exact"];
    EXPECT_EQ(e["inspected"], nlohmann::json({40}));
    EXPECT_EQ(e["conditioned_on"][0], 40);
    ASSERT_EQ(e["conditional_pF_se"].size(), e["conditional_pF"].size());
    EXPECT_EQ(e["conditional_pF_se"][0].size(), e["years"].size());
    EXPECT_EQ(e["lives"], 4000);

    const CliRun csv = RunCli("montecarlo " + input + " --samples 4000 --csv --plan exact");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_NE(csv.out.find("\nexact_inspection,from,to,made\n"), std::string::npos);
    ExpectRefused("montecarlo " + input + " --samples 4000 --plan best");
}

} // namespace
