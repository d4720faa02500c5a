// tessavin-cli montecarlo: the simulation as a user runs it.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_process.h"

namespace {

using tessavin::test::CliRun;
using tessavin::test::ExpectRefused;
using tessavin::test::RunCli;
using tessavin::test::TempDir;

std::string InputFile(const std::string& json) {
    const auto file = TempDir() / "input.json";
    std::ofstream(file, std::ios::binary) << json;
    return file.string();
}

TEST(CliMonteCarlo, JsonHasTheCurvesTheirErrorsAndThePlanOfThoseCurves) {
    const CliRun r = RunCli("montecarlo " + InputFile("{}") + " --samples 20000 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["samples"], 20000);
    ASSERT_EQ(j["years"].size(), 151u);
    for (const char* key : {"pU", "pD", "pF", "pU_se", "pD_se", "pF_se"})
        EXPECT_EQ(j[key].size(), 151u) << key;
    for (std::size_t i = 0; i < 151; ++i)
        EXPECT_NEAR(j["pU"][i].get<double>() + j["pD"][i].get<double>() + j["pF"][i].get<double>(),
                    1.0, 1e-12);
    const int from = j["first_inspection"][0], to = j["first_inspection"][1];
    EXPECT_EQ(to, from + 1);
    EXPECT_LT(j["pF"][from].get<double>(), 2.277E-2); // Pd of the defaults
    EXPECT_GE(j["pF"][to].get<double>(), 2.277E-2);
    EXPECT_EQ(j["inspections"][0], j["first_inspection"]);
    EXPECT_GT(j["inspections"].size(), 1u);
}

TEST(CliMonteCarlo, OutputDoesNotDependOnTheThreadCount) {
    const std::string input = InputFile(R"({"end": 40, "step": 5, "crack_origin": "surface"})");
    const CliRun one = RunCli("montecarlo " + input + " --samples 5000 --seed 9 --csv --threads 1");
    const CliRun two = RunCli("montecarlo " + input + " --samples 5000 --seed 9 --csv --threads 2");
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out, two.out);
    std::istringstream lines(one.out);
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header, "year,pU,pD,pF,pU_se,pD_se,pF_se");
    int rows = 0;
    for (std::string line; std::getline(lines, line);)
        ++rows;
    EXPECT_EQ(rows, 9); // 0, 5, ... 40
}

TEST(CliMonteCarlo, BadInputIsRefusedWithExitCodeTwo) {
    const std::string good = InputFile("{}");
    const std::string cases[] = {
        "montecarlo",
        "montecarlo " + (TempDir() / "missing.json").string(),
        "montecarlo " + good + " --samples 0",
        "montecarlo " + good + " --samples many",
        "montecarlo " + good + " --seed -1",
        "montecarlo " + good + " --threads 0",
        "montecarlo " + good + " --json --csv",
        "montecarlo " + good + " --unknown",
    };
    for (const std::string& args : cases)
        ExpectRefused(args);
    const std::string refusedInputs[] = {
        "{ not json",
        R"({"inputs": [null, null, null, null, {"type": 0, "mi": 0.2, "sigma": 0.2}]})",
        R"({"end": 400})",
    };
    for (const std::string& json : refusedInputs) {
        const CliRun r = RunCli("montecarlo " + InputFile(json) + " --samples 2000");
        EXPECT_EQ(r.exitCode, 2) << json;
        EXPECT_NE(r.err.find("tessavin-cli montecarlo: "), std::string::npos) << json;
    }
}

TEST(CliMonteCarlo, TableShowsTheYearsAndTheFirstInspection) {
    const CliRun r = RunCli("montecarlo " + InputFile("{}") + " --samples 4000");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Monte Carlo: 4000 samples, seed 1"), std::string::npos);
    EXPECT_NE(r.out.find("First inspection: between years : "), std::string::npos);
}

// A project keeps the input fields and histograms, so it simulates exactly as its JSON input.
TEST(CliMonteCarlo, ProjectSimulatesLikeTheInputItWasSavedFrom) {
    const std::string input = InputFile(R"({"end": 30, "intervals": 32})");
    const std::string project = (TempDir() / "case.Vys").string();
    ASSERT_EQ(RunCli("run " + input + " --csv --save-project " + project).exitCode, 0);
    const CliRun fromJson = RunCli("montecarlo " + input + " --samples 3000 --csv");
    const CliRun fromProject = RunCli("montecarlo " + project + " --samples 3000 --csv");
    ASSERT_EQ(fromProject.exitCode, 0) << fromProject.err;
    EXPECT_EQ(fromProject.out, fromJson.out);
}

} // namespace
