// tessavin-cli run: one whole calculation from a JSON input, as a user runs it.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_process.h"

namespace {

using tessavin::test::CliRun;
using tessavin::test::ReadText;
using tessavin::test::RunCli;
using tessavin::test::TempDir;

std::filesystem::path InputFile(const std::string& json) {
    const auto file = TempDir() / "input.json";
    std::ofstream(file, std::ios::binary) << json;
    return file;
}

TEST(CliRun, EmptyInputRunsTheDefaultsAndFindsTheFirstInspection) {
    const CliRun table = RunCli("run " + InputFile("{}").string());
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_NE(table.out.find("First inspection: between years : "), std::string::npos);

    const CliRun r = RunCli("run " + InputFile("{}").string() + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["years"].size(), 151u);
    const auto& pF = j["pF"];
    const int from = j["first_inspection"][0], to = j["first_inspection"][1];
    // The first inspection is where pF of the default calculation crosses Pd = 2.277E-2.
    EXPECT_EQ(to, from + 1);
    EXPECT_LT(pF[from].get<double>(), 2.277E-2);
    EXPECT_GE(pF[to].get<double>(), 2.277E-2);
    EXPECT_EQ(j["first_inspection_text"], "between years : " + std::to_string(from) + " - " +
                                              std::to_string(to));
    EXPECT_EQ(j["inspections"][0], j["first_inspection"]);
    EXPECT_TRUE(j["blocks"].contains("2"));
    EXPECT_EQ(j["blocks"]["2"]["r3"].size(), 151u);
    EXPECT_EQ(j["histograms"]["Rad"]["Bins"].get<int>(), j["histograms"]["Rad"]["P"].size());
    EXPECT_EQ(j["histograms"]["inputs"].size(), 6u);
    EXPECT_EQ(j["histograms"]["inputs"][0]["Bins"], 128);
}

TEST(CliRun, OutputsAgreeAndDoNotDependOnTheThreadCount) {
    const std::string input =
        InputFile(R"({"end": 30, "intervals": 32, "crack_origin": "surface"})").string();
    const CliRun one = RunCli("run " + input + " --json --threads 1");
    const CliRun two = RunCli("run " + input + " --json --threads 2");
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out, two.out);

    const CliRun csv = RunCli("run " + input + " --csv");
    ASSERT_EQ(csv.exitCode, 0);
    std::istringstream lines(csv.out);
    std::string header, line;
    std::getline(lines, header);
    EXPECT_EQ(header, "year,pU,pD,pF");
    const auto j = nlohmann::json::parse(one.out);
    for (int year = 0; year <= 30; ++year) {
        ASSERT_TRUE(std::getline(lines, line));
        double pU, pD, pF;
        int y;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d,%lf,%lf,%lf", &y, &pU, &pD, &pF), 4);
        EXPECT_EQ(y, year);
        EXPECT_EQ(pF, j["pF"][year].get<double>()); // %.17g round-trips
    }
}

TEST(CliRun, TextReportIsWrittenWithCrLfLines) {
    const auto dir = TempDir();
    const auto report = dir / "report.txt";
    std::filesystem::remove(report);
    const CliRun r = RunCli("run " + InputFile(R"({"intervals": 32, "end": 80})").string() +
                            " --csv --text-report " + report.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = ReadText(report);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1);
}

// Bad input: the message on stderr, exit 2, nothing on stdout and no report file.
TEST(CliRun, BadInputIsRefusedWithTheFieldMessage) {
    struct Case {
        const char* json;
        const char* message;
    };
    const Case cases[] = {
        {"{ not json", "not valid JSON"},
        {"[1, 2]", "must be a JSON object"},
        {R"({"Pd": 2})", "Number entry is not correct (Pd=2)"},
        {R"({"m": "x"})", "Number entry is not correct (m=x)"},
        {R"({"start": 120, "end": 100})", "end < start ! ! !   (start=120,end=100)"},
        {R"({"step": 0})", "Selected time step of calculation equals to yero"},
        {R"({"intervals": 2})", "Number of intervals is not in range 3 .. 1024 :"},
        {R"({"method": 1, "N_steps": 1001})", "Number of diferences n not even (n=1001)"},
        {R"({"inputs": [{"N": 2}]})", "Number entry is not correct (N=2)"},
        {R"({"inputs": [{"type": 7}]})", "must be 0 (Normal)"},
        {R"({"crack_origin": "middle"})", "\"crack_origin\" must be"},
        {R"({"Pdd": 0.1})", "unknown field \"Pdd\""},
        {R"({"bf": [400]})", "\"bf\" must be a number or a text"},
    };
    const auto report = TempDir() / "refused.txt";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        const CliRun r =
            RunCli("run " + InputFile(c.json).string() + " --text-report " + report.string());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(report));
    }
    EXPECT_EQ(RunCli("run /no/such/input.json").exitCode, 2);
    EXPECT_EQ(RunCli("run " + InputFile("{}").string() + " --threads 0").exitCode, 2);
}

TEST(CliRun, ZeroConstantIsAcceptedWithAWarning) {
    const CliRun r = RunCli("run " + InputFile(R"({"C": 0, "end": 3, "intervals": 16})").string() +
                            " --csv");
    EXPECT_NE(r.err.find("Constant of material  C  was not specified!"), std::string::npos);
}

} // namespace
