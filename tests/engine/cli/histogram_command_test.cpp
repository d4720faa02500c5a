// The batch program run as a user would run it: a real process, real files.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_process.h"
#include "parametric/distribution_registry.h"

namespace {

using tessavin::test::CliRun;
using tessavin::test::RunCli;
using tessavin::test::TempDir;

TEST(CliHistogram, NormalExampleAsJson) {
    const CliRun r =
        RunCli("histogram --type 0 --par1 30 --par2 3 --intervals 32 --eps 1E-7 --json");
    ASSERT_EQ(r.exitCode, 0);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["Bins"], 32);
    EXPECT_NEAR(j["Min"].get<double>(), 12.96, 1e-9);
    EXPECT_NEAR(j["Max"].get<double>(), 47.04, 1e-9);
    double sum = 0;
    for (double p : j["P"])
        sum += p;
    EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_EQ(j["P"].size(), 32u);
    EXPECT_NEAR(j["P"][0].get<double>(), j["P"][31].get<double>(), 1e-18);
    // Total is 1/P[1] formed in extended precision: equal within 1e-12 relative.
    EXPECT_NEAR(j["Total"].get<double>(), 1 / j["P"][0].get<double>(),
                1e-12 * j["Total"].get<double>());
}

TEST(CliHistogram, WritesADisFile) {
    const auto file = TempDir() / "normal.dis";
    const CliRun r = RunCli("histogram --type 0 --par1 30 --par2 3 --out " + file.string());
    ASSERT_EQ(r.exitCode, 0);
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().rfind("[Description]\r\nIdentification=normal.dis\r\n", 0), 0u);
    EXPECT_NE(text.str().find("Bins=32\r\n"), std::string::npos);
    std::filesystem::remove_all(file.parent_path());
}

TEST(CliHistogram, FailedSaveNamesThePathAsGiven) {
    const CliRun r = RunCli("histogram --type 0 --par1 30 --par2 3 --out nodir/F.dis");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("data file  nodir/F.dis"), std::string::npos) << r.err;
}

TEST(CliHistogram, BadArgumentsExitWithTwoAndWriteNothing) {
    const auto dir = TempDir();
    const auto file = dir / "never.dis";
    const std::string out = " --out " + file.string();
    const std::string pastLastType =
        "histogram --type " + std::to_string(tessavin::DistributionCount);
    for (const std::string& args : std::initializer_list<std::string>{
             "histogram --type 0 --par1 30 --par2 0", pastLastType + " --par1 1",
             "histogram --type -1 --par1 1", "histogram --type 4294967296 --par1 30 --par2 3",
             "histogram --type 0 --par1 abc --par2 3",
             "histogram --type 0 --par1 30 --par2 3 --intervals 2",
             "histogram --type 0 --par1 30 --par2 3 --bogus 1",
             "histogram --type 5 --par1 0 --par2 1",
             "histogram --type 0 --par1 30 --par2 3 --eps 0", "histogram --par1 30", "nothing"}) {
        EXPECT_EQ(RunCli(args + out).exitCode, 2) << args;
        EXPECT_FALSE(std::filesystem::exists(file)) << args;
    }
    std::filesystem::remove_all(dir);
}

// The usage counts the registry's types, in the words it has always had.
TEST(CliHistogram, UsageCountsTheRegistrysTypes) {
    const CliRun help = RunCli("histogram --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("\n      one of the " + std::to_string(tessavin::DistributionCount) +
                            " parametric distributions (0 Normal, 1 LogNormal_2P, ...) as a\n"
                            "      histogram: printed"),
              std::string::npos)
        << help.out;
}

} // namespace
