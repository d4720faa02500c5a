// The reliability index in the outputs of run and batch: β beside pF, a target and the first
// year below it, and the default outputs left as they were.
#include <cmath>
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
using tessavin::test::ReadText;
using tessavin::test::RunCli;
using tessavin::test::TempDir;

using tessavin::test::Write;

// Φ(−β) by the C library's erfc: an independent way back from β to pF.
double UpperTail(double beta) {
    return 0.5 * std::erfc(beta / std::sqrt(2.0));
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

TEST(CliBeta, JsonCarriesBetaOfEveryYearAndTheYearBelowTheTarget) {
    const auto input = Write("in.json", R"({"end": 70, "intervals": 32, "target_beta": 2.5})");
    const CliRun r = RunCli("run " + input.string() + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json j = json::parse(r.out);
    const auto& pF = j["pF"];
    const auto& beta = j["beta"];
    ASSERT_EQ(beta.size(), pF.size());
    for (std::size_t i = 0; i < pF.size(); ++i) {
        const double p = pF[i];
        if (p == 0.0 || p == 1.0)
            EXPECT_TRUE(beta[i].is_null()) << i; // β = ±∞
        else
            EXPECT_NEAR(UpperTail(beta[i].get<double>()) / p, 1.0, 1e-13) << i;
    }
    // The first year whose pF exceeds Φ(−2.5), by the same independent route.
    int expected = -1;
    for (std::size_t i = 0; i < pF.size() && expected < 0; ++i)
        if (pF[i].get<double>() > UpperTail(2.5)) expected = j["years"][i];
    ASSERT_GT(expected, 0);
    EXPECT_EQ(j["target_beta"], 2.5);
    EXPECT_EQ(j["year_below_target"], expected);
    EXPECT_FALSE(j.contains("target_preset"));

    // A preset names its value; the command line overrides the input; a target never reached.
    const CliRun preset = RunCli("run " + input.string() + " --json --target-beta en1990-rc2-50y");
    ASSERT_EQ(preset.exitCode, 0) << preset.err;
    const json p = json::parse(preset.out);
    EXPECT_EQ(p["target_beta"], 3.8);
    EXPECT_EQ(p["target_preset"], "en1990-rc2-50y");
    const CliRun never = RunCli("run " + input.string() + " --json --target-beta -9");
    EXPECT_EQ(json::parse(never.out)["year_below_target"], nullptr);
    // A tiny C: pF = 0 and β = +∞ every year, null in JSON; never below any target.
    const auto zero = Write("zero.json", R"({"end": 5, "intervals": 16, "C": "2.2E-15"})");
    const json z = json::parse(RunCli("run " + zero.string() + " --json --target-beta 8").out);
    EXPECT_EQ(z["beta"], json::array({nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}));
    EXPECT_EQ(z["year_below_target"], nullptr);
    // No target, no target keys.
    const auto plainInput = Write("plain.json", R"({"end": 70, "intervals": 32})");
    const CliRun plain = RunCli("run " + plainInput.string() + " --json");
    EXPECT_FALSE(json::parse(plain.out).contains("target_beta"));
}

// --beta adds a column and leaves every other character where it was; without it the table, the
// CSV and the text report are the established ones.
TEST(CliBeta, BetaColumnAndReportSectionOnlyWhenAsked) {
    const auto input = Write("in.json", R"({"end": 70, "intervals": 32})");
    const auto dir = TempDir();
    const CliRun csv =
        RunCli("run " + input.string() + " --csv --text-report " + (dir / "plain.txt").string());
    const CliRun csvBeta = RunCli("run " + input.string() + " --csv --beta --text-report " +
                                  (dir / "beta.txt").string());
    ASSERT_EQ(csvBeta.exitCode, 0) << csvBeta.err;
    const auto plain = LinesOf(csv.out), withBeta = LinesOf(csvBeta.out);
    ASSERT_EQ(plain.size(), withBeta.size());
    EXPECT_EQ(plain[0], "year,pU,pD,pF");
    EXPECT_EQ(withBeta[0], "year,pU,pD,pF,beta");
    for (std::size_t i = 1; i <= 71; ++i) {
        ASSERT_EQ(withBeta[i].rfind(plain[i] + ",", 0), 0u) << withBeta[i];
        const std::string b = withBeta[i].substr(plain[i].size() + 1);
        const double pF = std::stod(plain[i].substr(plain[i].rfind(',') + 1));
        if (pF == 0.0) {
            EXPECT_EQ(b, "inf");
        } else {
            EXPECT_NEAR(UpperTail(std::stod(b)) / pF, 1.0, 1e-13) << b;
        }
    }
    for (std::size_t i = 72; i < plain.size(); ++i)
        EXPECT_EQ(withBeta[i], plain[i]);

    const std::string report = ReadText(dir / "plain.txt"), betaReport = ReadText(dir / "beta.txt");
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(betaReport.substr(0, report.size()), report);
    EXPECT_NE(betaReport.find("beta = -PHI^-1(p(F))", report.size()), std::string::npos);

    const CliRun table = RunCli("run " + input.string());
    const CliRun tableBeta = RunCli("run " + input.string() + " --beta --target-beta 3");
    const auto t = LinesOf(table.out), tb = LinesOf(tableBeta.out);
    ASSERT_GT(tb.size(), t.size());
    std::size_t row = 0;
    for (; row < t.size() && t[row].rfind(" Year", 0) != 0; ++row)
        EXPECT_EQ(tb[row], t[row]);
    ASSERT_LT(row, t.size());
    EXPECT_EQ(tb[row], t[row] + "                beta");
    EXPECT_EQ(tb[row + 1].rfind(t[row + 1], 0), 0u);
    EXPECT_NE(tableBeta.out.find("Target beta 3: beta falls below it in year "), std::string::npos);
    // β = +∞ where pF = 0.
    const auto zero = Write("zero.json", R"({"end": 5, "intervals": 16, "C": "2.2E-15"})");
    const CliRun infinite = RunCli("run " + zero.string() + " --beta");
    const auto lines = LinesOf(infinite.out);
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[5].substr(lines[5].size() - 3), "∞") << lines[5];
}

TEST(CliBeta, ATargetThatIsNotANumberIsRefusedNamingTheField) {
    const std::string cases[] = {
        R"({"target_beta": "high"})", R"({"target_beta": "1e999"})", R"({"target_beta": [3.8]})",
        R"({"target_beta": null})",   R"({"target_beta": "NaN"})",
    };
    for (const std::string& c : cases) {
        const CliRun r = RunCli("run " + Write("bad.json", c).string() + " --json");
        EXPECT_EQ(r.exitCode, 2) << c;
        EXPECT_NE(r.err.find("target_beta"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << c;
    }
    const auto ok = Write("ok.json", R"({"end": 3, "intervals": 16})");
    for (const char* bad : {"x", "inf", "--json"}) {
        const CliRun r = RunCli("run " + ok.string() + " --target-beta " + bad);
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_NE(r.err.find("--target-beta"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

// A batch result carries β at the first inspection and at the end; a study with a target also
// the year below it. Lines of the format before β are resumed, not rerun: β follows from their
// pF alone.
TEST(CliBeta, BatchLinesCarryBetaAndOldLinesAreUpgradedInPlace) {
    const auto studies = Write("studies.jsonl", R"({"id": "a", "end": 60, "intervals": 32}
{"id": "b", "end": 60, "intervals": 32, "target_beta": "jcss-moderate-normal"}
{"id": "c", "end": 60, "intervals": 32, "target_beta": "x"}
{"id": "d", "end": 40, "intervals": 32, "Pd": "1E-2"}
)");
    const auto dir = TempDir();
    ASSERT_EQ(
        RunCli("batch " + studies.string() + " --out " + (dir / "full.jsonl").string()).exitCode,
        0);
    const std::string full = ReadText(dir / "full.jsonl");
    std::vector<nlohmann::ordered_json> lines;
    for (const std::string& l : LinesOf(full))
        lines.push_back(nlohmann::ordered_json::parse(l));
    ASSERT_EQ(lines.size(), 4u);
    const auto& a = lines[0];
    EXPECT_NEAR(UpperTail(a["beta_first_inspection"].get<double>()) /
                    a["pF_first_inspection"].get<double>(),
                1.0, 1e-13);
    EXPECT_NEAR(UpperTail(a["beta_end"].get<double>()) / a["pF_end"].get<double>(), 1.0, 1e-13);
    EXPECT_FALSE(a.contains("target_beta"));
    EXPECT_EQ(lines[1]["target_beta"], 4.2);
    EXPECT_EQ(lines[1]["target_preset"], "jcss-moderate-normal");
    EXPECT_TRUE(lines[1]["year_below_target"].is_number());
    EXPECT_EQ(lines[2]["status"], "failed");
    EXPECT_EQ(lines[2]["field"], "/target_beta");
    EXPECT_TRUE(lines[3]["pF_first_inspection"].is_null());
    EXPECT_TRUE(lines[3]["beta_first_inspection"].is_null());

    // The same file as the format before β wrote it (no target: that input was refused then).
    std::string old;
    for (auto line : {lines[0], lines[3]}) {
        line.erase("beta_first_inspection");
        line.erase("beta_end");
        old += line.dump() + "\n";
    }
    const auto oldStudies = Write("old.jsonl", R"({"id": "a", "end": 60, "intervals": 32}
{"id": "d", "end": 40, "intervals": 32, "Pd": "1E-2"}
)");
    std::ofstream(dir / "old-results.jsonl", std::ios::binary) << old;
    const CliRun resumed =
        RunCli("batch " + oldStudies.string() + " --out " + (dir / "old-results.jsonl").string());
    ASSERT_EQ(resumed.exitCode, 0) << resumed.err;
    EXPECT_NE(resumed.err.find("(2 kept from the earlier run)"), std::string::npos) << resumed.err;
    nlohmann::ordered_json d = lines[3];
    d["line"] = 2;
    EXPECT_EQ(ReadText(dir / "old-results.jsonl"), lines[0].dump() + "\n" + d.dump() + "\n");
}

} // namespace
