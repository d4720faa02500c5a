// tessavin-cli batch: many studies from a JSON Lines file, as an owner runs them on one machine
// or splits them over a scheduler's jobs.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_process.h"
#include "common/sha256.h"

extern char** environ;

namespace {

using nlohmann::json;
using tessavin::test::CliRun;
using tessavin::test::ReadText;
using tessavin::test::RunCli;
using tessavin::test::TempDir;

// Short periods and 32 classes: a study takes a few tens of milliseconds.
const char* const kStudies = R"(# network A, span 1
{"id": "A-1", "end": 60, "intervals": 32}

{"end": 60, "intervals": 32, "crack_origin": "surface", "Pd": "1E-2"}
{"id": "A-3", "end": 60, "intervals": 32, "C": "abc"}
{"id": "A-4", "end": 60, "intervals":
{"id": "A-1", "end": 50, "intervals": 32}
{"intervals": 32, "id": "A-6", "end": 60, "Pd": 0.02}
{"id": "A-7", "end": 1e400}
{"id": "A-8", "end": 60, "intervals": 32, "plan": "exact"}
)";

using tessavin::test::Write;

std::vector<json> Lines(const std::string& text) {
    std::vector<json> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(json::parse(line));
    return lines;
}

CliRun Batch(const std::filesystem::path& studies, const std::filesystem::path& out,
             const std::string& options = "") {
    return RunCli("batch " + studies.string() + " --out " + out.string() + " " + options);
}

TEST(CliBatch, EveryStudyLineGivesOneResultLineInInputOrder) {
    const auto studies = Write("studies.jsonl", kStudies);
    const auto out = TempDir() / "results.jsonl", summary = TempDir() / "owners.csv";
    const CliRun r = Batch(studies, out, "--jobs 2 --summary " + summary.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("batch: 8 studies, 4 ok (0 kept from the earlier run), 4 failed"),
              std::string::npos)
        << r.err;
    const std::vector<json> lines = Lines(ReadText(out));
    ASSERT_EQ(lines.size(), 8u);
    struct Expected {
        int line;
        const char* id;
        const char* status;
        json field;
        const char* message; // a part of the message
    };
    const Expected expected[] = {
        {2, "A-1", "ok", nullptr, ""},
        {4, "4", "ok", nullptr, ""}, // no id: the line number
        {5, "A-3", "failed", "/C", "\"C\" = \"abc\""},
        {6, "6", "failed", nullptr, "not valid JSON at column"},
        {7, "A-1", "failed", "/id", "duplicate id, first on line 2"},
        {8, "A-6", "ok", nullptr, ""},
        {9, "9", "failed", nullptr, "number overflow"},
        {10, "A-8", "ok", nullptr, ""},
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const json& j = lines[i];
        const Expected& e = expected[i];
        EXPECT_EQ(j["line"], e.line) << j;
        EXPECT_EQ(j["id"], e.id) << j;
        EXPECT_EQ(j["status"], e.status) << j;
        if (j["status"] == "failed") {
            EXPECT_EQ(j["field"], e.field) << j;
            EXPECT_NE(j["message"].get<std::string>().find(e.message), std::string::npos) << j;
        }
    }
    // The fingerprint is that of the input without its id, keys sorted, no blanks; a line that
    // is not JSON has none.
    EXPECT_EQ(lines[0]["input_sha256"], tessavin::Sha256Hex(R"({"end":60,"intervals":32})"));
    EXPECT_EQ(lines[3]["input_sha256"], nullptr);

    // An ok line holds what run --json computes for the same input.
    const auto input = Write("a6.json", R"({"end": 60, "intervals": 32, "Pd": 0.02})");
    const CliRun run = RunCli("run " + input.string() + " --json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const json single = json::parse(run.out);
    const json& a6 = lines[5];
    EXPECT_EQ(a6["convention"], "first");
    EXPECT_EQ(a6["first_inspection"], single["first_inspection"]);
    EXPECT_EQ(a6["inspections"], single["inspections"]);
    ASSERT_GE(a6["inspections"].size(), 2u);
    EXPECT_EQ(a6["end_year"], 60);
    EXPECT_EQ(a6["pF_end"], single["pF"].back());
    const int to = a6["first_inspection"][1];
    EXPECT_EQ(a6["pF_first_inspection"], single["pF"][to]);

    // The exact plan, when the input asks for it, as run --json gives it; the rule's beside it.
    const auto exactInput = Write("a8.json", R"({"end": 60, "intervals": 32, "plan": "exact"})");
    const CliRun exactRun = RunCli("run " + exactInput.string() + " --json");
    ASSERT_EQ(exactRun.exitCode, 0) << exactRun.err;
    const json exact = json::parse(exactRun.out)["exact"];
    ASSERT_TRUE(lines[7].contains("exact")) << lines[7];
    EXPECT_FALSE(exact["inspections"].empty());
    for (const char* key : {"inspections", "made", "inspected", "note"})
        EXPECT_EQ(lines[7]["exact"][key], exact[key]) << key;
    EXPECT_FALSE(lines[5].contains("exact"));

    // The owner's table: one row per result line, the first and the next inspection.
    const std::string table = ReadText(summary);
    std::istringstream rows(table);
    std::string header, row;
    std::getline(rows, header);
    EXPECT_EQ(header, "id,first_inspection_from,first_inspection_to,next_inspection_from,"
                      "next_inspection_to,pF_end,status\r");
    std::vector<std::string> all;
    while (std::getline(rows, row))
        all.push_back(row);
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all[2], "A-3,,,,,,failed\r");
    EXPECT_EQ(all[5], "A-6," + a6["inspections"][0][0].dump() + "," +
                          a6["inspections"][0][1].dump() + "," + a6["inspections"][1][0].dump() +
                          "," + a6["inspections"][1][1].dump() + "," + a6["pF_end"].dump() +
                          ",ok\r");
}

// Sorting by line number, as the merge step of a job array does.
std::string SortedByLine(const std::vector<std::string>& parts) {
    std::vector<std::pair<long, std::string>> lines;
    for (const std::string& part : parts) {
        std::istringstream in(part);
        std::string line;
        while (std::getline(in, line))
            lines.emplace_back(json::parse(line)["line"].get<long>(), line + "\n");
    }
    std::sort(lines.begin(), lines.end());
    std::string all;
    for (const auto& l : lines)
        all += l.second;
    return all;
}

TEST(CliBatch, JobsAndShardsGiveTheOutputOfOneRun) {
    const auto studies = Write("studies.jsonl", kStudies);
    const auto dir = TempDir();
    ASSERT_EQ(Batch(studies, dir / "one.jsonl", "--jobs 1").exitCode, 0);
    ASSERT_EQ(Batch(studies, dir / "two.jsonl", "--jobs 2").exitCode, 0);
    const std::string one = ReadText(dir / "one.jsonl");
    EXPECT_EQ(ReadText(dir / "two.jsonl"), one);

    // Three shards of eight studies: the duplicate id on line 7 is seen by the shard that runs
    // it although line 2 belongs to another.
    std::vector<std::string> parts;
    for (int i = 1; i <= 3; ++i) {
        const auto part = dir / ("part" + std::to_string(i) + ".jsonl");
        const CliRun r = Batch(studies, part, "--jobs 1 --shard " + std::to_string(i) + "/3");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        parts.push_back(ReadText(part));
        EXPECT_EQ(Lines(parts.back()).size(), i < 3 ? 3u : 2u);
    }
    EXPECT_EQ(SortedByLine(parts), one);
}

TEST(CliBatch, ResumeKeepsTheWholeOkLinesOfTheSameInputs) {
    const auto studies = Write("studies.jsonl", kStudies);
    const auto dir = TempDir();
    ASSERT_EQ(Batch(studies, dir / "full.jsonl", "--jobs 2").exitCode, 0);
    const std::string full = ReadText(dir / "full.jsonl");

    // A kill in the middle of the fourth line: three whole lines and a cut one.
    const std::size_t third = full.find('\n', full.find('\n', full.find('\n') + 1) + 1);
    std::ofstream(dir / "resumed.jsonl", std::ios::binary) << full.substr(0, third + 1 + 10);
    CliRun r = Batch(studies, dir / "resumed.jsonl", "--jobs 2");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadText(dir / "resumed.jsonl"), full);
    EXPECT_NE(r.err.find("(2 kept from the earlier run)"), std::string::npos) << r.err;

    // A changed input is run again, a study moved to another line keeps its result under its
    // new line number, and results of studies no longer in the file are dropped.
    const auto changed =
        Write("changed.jsonl", R"({"id": "A-6", "end": 60, "intervals": 32, "Pd": 0.02}
{"id": "A-1", "end": 55, "intervals": 32}
)");
    r = Batch(changed, dir / "resumed.jsonl", "--jobs 1");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("2 studies, 2 ok (1 kept from the earlier run)"), std::string::npos)
        << r.err;
    const std::vector<json> lines = Lines(ReadText(dir / "resumed.jsonl"));
    ASSERT_EQ(lines.size(), 2u);
    json moved = Lines(full)[5];
    moved["line"] = 1;
    EXPECT_EQ(lines[0], moved);
    EXPECT_EQ(lines[1]["end_year"], 55);
}

// Ctrl+C finishes the study in progress, leaves whole lines only and exits with 130; the same
// command then completes the results.
TEST(CliBatch, CtrlCLeavesWholeLinesAndTheNextRunCompletesThem) {
    std::string many;
    for (int i = 0; i < 8; ++i)
        many += R"({"end": 60, "intervals": 32, "Pd": ")" + std::to_string(i + 1) + "E-3\"}\n";
    const auto studies = Write("studies.jsonl", many);
    const auto out = TempDir() / "results.jsonl";
    const std::string outText = out.string(), studiesText = studies.string();
    const char* argv[] = {TESSAVIN_CLI_PATH,
                          "batch",
                          studiesText.c_str(),
                          "--out",
                          outText.c_str(),
                          "--jobs",
                          "1",
                          nullptr};
    pid_t pid = 0;
    ASSERT_EQ(
        posix_spawn(&pid, TESSAVIN_CLI_PATH, nullptr, nullptr, const_cast<char**>(argv), environ),
        0);
    // Interrupted once the first result is written.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (ReadText(out).empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(pid, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    const std::string partial = ReadText(out);
    if (WEXITSTATUS(status) == 130) {
        EXPECT_LT(Lines(partial).size(), 8u);
    } else {
        EXPECT_EQ(WEXITSTATUS(status), 0); // the batch was already through
    }
    ASSERT_FALSE(partial.empty());
    EXPECT_EQ(partial.back(), '\n');

    const CliRun rest = Batch(studies, out, "--jobs 1");
    ASSERT_EQ(rest.exitCode, 0) << rest.err;
    ASSERT_EQ(Batch(studies, TempDir() / "whole.jsonl", "--jobs 2").exitCode, 0);
    EXPECT_EQ(ReadText(out), ReadText(TempDir() / "whole.jsonl"));
}

// Two shards as GNU parallel runs them, merged by line number.
TEST(CliBatch, ShardsRunByGnuParallelMergeToOneRun) {
    if (std::system("parallel --will-cite --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "GNU parallel is not installed (make deps installs it)";
    const auto studies = Write("studies.jsonl", kStudies);
    const auto dir = TempDir();
    const std::string command = "parallel --will-cite " + std::string(TESSAVIN_CLI_PATH) +
                                " batch " + studies.string() + " --jobs 1 --out " +
                                (dir / "shard{}.jsonl").string() + " --shard {}/2 ::: 1 2 2>" +
                                (dir / "parallel.err").string();
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadText(dir / "parallel.err");
    ASSERT_EQ(Batch(studies, dir / "one.jsonl", "--jobs 2").exitCode, 0);
    EXPECT_EQ(SortedByLine({ReadText(dir / "shard1.jsonl"), ReadText(dir / "shard2.jsonl")}),
              ReadText(dir / "one.jsonl"));
}

TEST(CliBatch, MalformedCommandLinesAreRefused) {
    const auto studies = Write("studies.jsonl", kStudies);
    const std::string s = studies.string();
    for (const std::string& args : std::vector<std::string>{
             "batch", "batch " + s, "batch " + s + " --out " + s,
             "batch " + s + " --out r.jsonl --jobs 0", "batch " + s + " --out r.jsonl --shard 3/2",
             "batch " + s + " --out r.jsonl --shard 1", "batch /no/such/file --out r.jsonl",
             "batch /dev/zero --out r.jsonl"})
        tessavin::test::ExpectRefused(args);
    EXPECT_EQ(ReadText(studies), kStudies);
}

} // namespace
