// tessavin-cli run with project files: a batch run saves the project the desktop program would
// save, and a project runs again from its stored histograms.
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

using tessavin::test::Write;

TEST(CliRunProject, SavedProjectRunsAgainToTheSameResults) {
    const auto input = Write("input.json", R"({"end": 20, "intervals": 16, "method": 2,
        "romberg_n": 8, "crack_origin": "surface", "C": 3E-13, "project": "Most 7"})");
    const auto project = TempDir() / "most.Vys";
    std::filesystem::remove(project);
    const CliRun first =
        RunCli("run " + input.string() + " --json --save-project " + project.string());
    ASSERT_EQ(first.exitCode, 0) << first.err;
    ASSERT_TRUE(std::filesystem::exists(project));

    // The resistances come from the file: the second run cannot differ in any digit, and the
    // stored histograms are printed back unchanged.
    const CliRun again = RunCli("run " + project.string() + " --json");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, first.out);

    // Even with another m in its field the project runs from its stored DeltaS^m and
    // resistances, as the desktop program does after opening it.
    std::string bytes = ReadText(project);
    const std::string tfAndM = "\x06\x02"
                               "25"
                               "\x06\x01"
                               "3";
    const std::size_t at = bytes.find(tfAndM);
    ASSERT_NE(at, std::string::npos);
    bytes[at + tfAndM.size() - 1] = '4';
    const CliRun otherM = RunCli("run " + Write("other-m.Vys", bytes).string() + " --json");
    ASSERT_EQ(otherM.exitCode, 0) << otherM.err;
    EXPECT_EQ(otherM.out, first.out);

    // Saving after the project run writes the same file.
    const auto resaved = TempDir() / "resaved.vys";
    const CliRun third =
        RunCli("run " + project.string() + " --csv --save-project " + resaved.string());
    ASSERT_EQ(third.exitCode, 0) << third.err;
    EXPECT_EQ(ReadText(resaved), ReadText(project));
    EXPECT_EQ(ReadText(project).substr(0, 8), std::string("\x06\x06Most 7", 8));
}

// A project runs under the convention it was computed under and names it in every output:
// its results are those of a fresh run under that convention, bit for bit.
TEST(CliRunProject, ProjectRunsUnderItsOwnConvention) {
    for (const char* convention : {"first", "centre"}) {
        SCOPED_TRACE(convention);
        const auto input = Write(std::string(convention) + ".json",
                                 std::string(R"({"end": 25, "intervals": 16, "convention": ")") +
                                     convention + R"("})");
        const auto project = TempDir() / (std::string(convention) + ".Vys");
        std::filesystem::remove(project);
        const CliRun fresh =
            RunCli("run " + input.string() + " --json --save-project " + project.string());
        ASSERT_EQ(fresh.exitCode, 0) << fresh.err;
        EXPECT_EQ(nlohmann::json::parse(fresh.out)["convention"], convention);
        const CliRun again = RunCli("run " + project.string() + " --json");
        ASSERT_EQ(again.exitCode, 0) << again.err;
        EXPECT_EQ(again.out, fresh.out);

        const CliRun table = RunCli("run " + project.string());
        const std::string line = std::string(convention) == "centre"
                                     ? "\nConvention: class centres (centre)\n"
                                     : "\nConvention: class lower edges (first)\n";
        EXPECT_NE(table.out.find(line), std::string::npos) << table.out.substr(0, 200);
        const CliRun csv = RunCli("run " + project.string() + " --csv");
        EXPECT_EQ(csv.out.substr(csv.out.rfind("\n\n")),
                  std::string("\n\nconvention\n") + convention + "\n");
    }
    // A first project is the file that was always written: nothing after the histograms.
    const std::string tag = std::string("\x06\x0A"
                                        "CBKonvence\x02\x01");
    EXPECT_EQ(ReadText(TempDir() / "first.Vys").find("CBKonvence"), std::string::npos);
    const std::string centre = ReadText(TempDir() / "centre.Vys");
    EXPECT_EQ(centre.substr(centre.size() - tag.size()), tag);
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) bytes.replace(at, from.size(), to);
    return bytes;
}

TEST(CliRunProject, BrokenProjectIsRefusedWithItsMessage) {
    const auto input = Write("input.json", R"({"end": 5, "intervals": 16})");
    const auto project = TempDir() / "good.Vys";
    ASSERT_EQ(
        RunCli("run " + input.string() + " --csv --save-project " + project.string()).exitCode, 0);
    const std::string good = ReadText(project);
    const struct {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"short.Vys", good.substr(0, good.size() / 2), "Stream read error"},
        {"bad.Vys", "\x02" + good.substr(1), "Invalid property value"},
        // Whole files whose values the input page refuses.
        {"pd.Vys",
         Replaced(good,
                  std::string("\x06\x08"
                              "2.277E-2"),
                  "\x06\x03"
                  "abc"),
         "(Pd=abc)"},
        {"m.Vys",
         Replaced(good,
                  std::string("\x06\x02"
                              "25"
                              "\x06\x01"
                              "3"),
                  std::string("\x06\x02"
                              "25"
                              "\x06\x01"
                              "0")),
         "(0) < 0"},
    };
    for (const auto& c : cases) {
        const CliRun r = RunCli("run " + Write(c.name, c.bytes).string() + " --json");
        EXPECT_EQ(r.exitCode, 2) << c.name;
        EXPECT_TRUE(r.out.empty()) << c.name;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ": " << r.err;
    }
    const CliRun missing = RunCli("run " + (TempDir() / "none.Vys").string());
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("Cannot open file"), std::string::npos) << missing.err;
}

} // namespace
