// tessavin-cli sensitivity: the columns of the table, the CSV and the JSON, and the refusals.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_process.h"

namespace {

using nlohmann::json;
using tessavin::test::CliRun;
using tessavin::test::ExpectRefused;
using tessavin::test::RunCli;
using tessavin::test::TempDir;

std::filesystem::path Study(const std::string& text) {
    const auto file = TempDir() / "study.json";
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

constexpr const char* Small = R"({"end": 70, "intervals": 24})";

TEST(CliSensitivity, CsvAndJsonListTheSameRowsWidestSwingFirst) {
    const auto study = Study(Small);
    const CliRun j = RunCli("sensitivity " + study.string() + " --json --step 0.2");
    ASSERT_EQ(j.exitCode, 0) << j.err;
    const json r = json::parse(j.out);
    EXPECT_EQ(r["step"], 0.2);
    ASSERT_EQ(r["rows"].size(), 14u);
    const int reference = r["reference_year"];
    EXPECT_EQ(r["base"]["first_inspection"][1], reference);

    const CliRun csv = RunCli("sensitivity " + study.string() + " --csv --step 0.2 --threads 1");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    std::istringstream lines(csv.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "input,parameter,base,down,up,first_down,first_up,pF_down,pF_up,elasticity");
    double previousSwing = 2.0;
    for (const json& row : r["rows"]) {
        ASSERT_TRUE(std::getline(lines, line));
        std::vector<std::string> cells;
        std::istringstream split(line);
        for (std::string cell; std::getline(split, cell, ',');)
            cells.push_back(cell);
        ASSERT_EQ(cells.size(), 10u) << line;
        EXPECT_EQ(cells[0], row["input"]);
        EXPECT_EQ(cells[1], row["parameter"]);
        const double base = std::stod(cells[2]), down = std::stod(cells[3]);
        EXPECT_EQ(down, row["down"].get<double>()); // all digits, and the same for 1 thread
        EXPECT_EQ(down, base * 0.8);
        EXPECT_EQ(cells[5], row["first_down"].is_null() ? "" : row["first_down"].dump());
        EXPECT_EQ(cells[6], row["first_up"].is_null() ? "" : row["first_up"].dump());
        const double pFDown = std::stod(cells[7]), pFUp = std::stod(cells[8]);
        EXPECT_EQ(pFUp, row["pF_up"].get<double>());
        if (!row["elasticity"].is_null()) {
            EXPECT_EQ(std::stod(cells[9]), row["elasticity"].get<double>());
        }
        const double swing = std::abs(pFUp - pFDown);
        EXPECT_LE(swing, previousSwing);
        previousSwing = swing;
    }
    std::getline(lines, line);
    EXPECT_EQ(line, "");
    std::getline(lines, line);
    EXPECT_EQ(line, "reference_year,first_base,pF_base");

    const CliRun table = RunCli("sensitivity " + study.string());
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_NE(table.out.find("What drives the plan"), std::string::npos);
    EXPECT_NE(table.out.find("elasticity"), std::string::npos);
}

// With the exact plan each run also gives the exact plan's next inspection: after the first.
TEST(CliSensitivity, ExactPlanAddsTheNextInspection) {
    const CliRun j =
        RunCli("sensitivity " + Study(R"({"end": 70, "intervals": 24, "plan": "exact"})").string() +
               " --json");
    ASSERT_EQ(j.exitCode, 0) << j.err;
    const json r = json::parse(j.out);
    ASSERT_TRUE(r["base"]["next"].is_number()) << r["base"];
    EXPECT_GT(r["base"]["next"].get<int>(), r["base"]["first_inspection"][0].get<int>());
    for (const json& row : r["rows"]) {
        EXPECT_TRUE(row.contains("next_down") && row.contains("next_up")) << row;
        if (std::string(row["input"]) == "C") {
            // A larger C: the next inspection no later.
            EXPECT_LE(row["next_up"].get<int>(), r["base"]["next"].get<int>());
            EXPECT_GE(row["next_down"].get<int>(), r["base"]["next"].get<int>());
        }
    }
}

TEST(CliSensitivity, BadStepAndFailingBaseRunAreRefusedNamingTheField) {
    const auto study = Study(Small);
    for (const char* step : {"0", "1", "-0.1", "abc", "1.5", "nan"}) {
        const CliRun r = RunCli("sensitivity " + study.string() + " --step " + step);
        EXPECT_EQ(r.exitCode, 2) << step;
        EXPECT_NE(r.err.find("--step must be a number above 0 and below 1"), std::string::npos)
            << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    const CliRun base = RunCli("sensitivity " + Study(R"({"step": 0, "end": 20})").string());
    EXPECT_EQ(base.exitCode, 2);
    EXPECT_NE(base.err.find("base run: "), std::string::npos) << base.err;
    ExpectRefused("sensitivity " + Study(R"({"C": "x"})").string());
    ExpectRefused("sensitivity /no/such/study.json");
    ExpectRefused("sensitivity " + Study(Small).string() + " --json --csv");
}

} // namespace
