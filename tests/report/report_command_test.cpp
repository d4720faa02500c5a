// run --report: the study report of the default study, read back with the poppler tools as
// its reader would read it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <utility>

#include <nlohmann/json.hpp>

#include "calculation/model.h"
#include "cli/cli_process.h"
#include "common/number_format.h"
#include "common/sha256.h"
#include "pdf_pages.h"
#include "pdf_tools.h"
#include "study_report.h"

extern char** environ;

namespace tessavin::report {
namespace {

using test::Capture;
using test::CliRun;
using test::PdfText;
using test::Quoted;
using test::ReadText;
using test::RunCli;
using test::Squeezed;
using test::TempDir;

std::filesystem::path WriteStudy(const std::string& name, const std::string& json) {
    const auto file = TempDir() / name;
    std::ofstream(file, std::ios::binary) << json;
    return file;
}

// The folder holds only the files named (no temporary file left behind).
void ExpectOnly(const std::filesystem::path& folder, std::set<std::string> names) {
    std::set<std::string> found;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        found.insert(e.path().filename().string());
    EXPECT_EQ(found, names);
}

class DefaultStudyReport : public ::testing::TestWithParam<const char*> {};

TEST_P(DefaultStudyReport, IsAValidA4PdfWithTheSentenceTheHashAndEveryMi) {
    const std::string lang = GetParam();
    const auto study = WriteStudy("study.json", "{}\n");
    const auto pdf = TempDir() / ("study-" + lang + ".pdf");
    const CliRun run =
        RunCli("run " + Quoted(study) + " --json --lang " + lang + " --report " + Quoted(pdf));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto result = nlohmann::json::parse(run.out);

    int exitCode = -1;
    const std::string info = Capture("pdfinfo " + Quoted(pdf), &exitCode);
    ASSERT_EQ(exitCode, 0) << "pdfinfo refused the file";
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    const int pages = test::PdfPages(pdf);
    EXPECT_GE(pages, 4);

    const std::string text = PdfText(pdf);
    const std::string sentence = result["first_inspection_text"];
    ASSERT_FALSE(sentence.empty());
    EXPECT_NE(Squeezed(text).find(Squeezed(sentence)), std::string::npos) << sentence;
    EXPECT_NE(text.find(Sha256Hex(ReadText(study))), std::string::npos);
    // Mi and Sigma of every input side by side in its row of the inputs table.
    const auto fields = DefaultRandomFields();
    for (int k = 1; k <= RandomInputCount; ++k) {
        const std::regex row("(^|\\s)" +
                             std::regex_replace(fields[k].mi, std::regex("\\."), "\\.") + "\\s+" +
                             std::regex_replace(fields[k].sigma, std::regex("\\."), "\\.") + "\\s");
        EXPECT_TRUE(std::regex_search(text, row)) << "input " << k << " Mi " << fields[k].mi;
    }
    EXPECT_NE(text.find(lang == std::string("cs") ? "Plán prohlídek" : "Inspection plan"),
              std::string::npos);

    // Nothing leaves the page's margins.
    for (const test::WordBox& w : test::WordBoxes(pdf)) {
        EXPECT_GE(w.xMin, Margin - 0.5);
        EXPECT_LE(w.xMax, PageWidth - Margin + 0.5);
    }

    // Every page renders.
    const auto prefix = TempDir() / ("page-" + lang);
    Capture("pdftoppm -r 30 -png " + Quoted(pdf) + " " + Quoted(prefix), &exitCode);
    EXPECT_EQ(exitCode, 0);
    int rendered = 0;
    for (const auto& e : std::filesystem::directory_iterator(TempDir()))
        rendered += e.path().filename().string().rfind("page-" + lang, 0) == 0;
    EXPECT_EQ(rendered, pages);
}

INSTANTIATE_TEST_SUITE_P(Languages, DefaultStudyReport, ::testing::Values("en", "cs"));

// The exact plan from past inspections, and the cross-check beside the calculation.
TEST(StudyReportCommand, ShowsTheExactPlanAndTheCrossCheckWhenComputed) {
    const auto study = WriteStudy("exact.json", R"({"plan": "exact", "inspected": [30]})");
    const auto pdf = TempDir() / "exact.pdf";
    const CliRun run =
        RunCli("run " + Quoted(study) + " --json --report " + Quoted(pdf) + " --cross-check");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto exact = nlohmann::json::parse(run.out)["exact"];
    const std::string text = Squeezed(PdfText(pdf));
    EXPECT_NE(text.find("Past inspections without a find: 30"), std::string::npos);
    ASSERT_FALSE(exact["inspections"].empty());
    for (std::size_t k = 0; k < exact["inspections"].size(); ++k) {
        const auto& i = exact["inspections"][k];
        const std::string row = std::to_string(k + 1) + ". " + std::to_string(int(i[0])) + " - " +
                                std::to_string(int(i[1])) + " " +
                                std::to_string(int(exact["made"][k]));
        EXPECT_NE(text.find(row), std::string::npos) << row;
    }
    // Both first inspections side by side, then the largest difference of the pF curves.
    EXPECT_TRUE(std::regex_search(
        text, std::regex("First inspection between years : [0-9]+ - [0-9]+ between years : "
                         "[0-9]+ - [0-9]+")));
    EXPECT_TRUE(std::regex_search(text, std::regex("Largest difference of pF: [0-9.E+-]+ in year "
                                                   "[0-9]+ \\([0-9.]+ standard errors\\)")));
}

// Refused before anything is computed: a missing folder, or a folder in the file's place.
TEST(StudyReportCommand, AnUnwritableTargetIsRefusedAndLeavesNothing) {
    const auto study = WriteStudy("study.json", R"({"end": 60, "intervals": 32})");
    const auto missing = TempDir() / "no such folder" / "report.pdf";
    const auto folder = TempDir() / "taken.pdf";
    std::filesystem::create_directories(folder);
    for (const auto& [target, says] :
         {std::pair{missing, "does not exist"}, std::pair{folder, "is a folder"}}) {
        const CliRun run = RunCli("run " + Quoted(study) + " --report " + Quoted(target));
        EXPECT_EQ(run.exitCode, 2) << target;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << target;
    }
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    ExpectOnly(TempDir(), {"study.json", "taken.pdf", "stderr.txt"});
}

TEST(StudyReportCommand, AFailingStudyWritesNoReport) {
    for (const char* input : {R"({"C": "abc"})", R"({"end": 1e400})", "not json"}) {
        const auto study = WriteStudy("bad.json", input);
        const auto pdf = TempDir() / "bad.pdf";
        const CliRun run = RunCli("run " + Quoted(study) + " --report " + Quoted(pdf));
        EXPECT_EQ(run.exitCode, 2) << input;
        EXPECT_FALSE(std::filesystem::exists(pdf)) << input;
    }
    // Options of the report without the report, and a step outside (0, 1).
    const std::string ok = Quoted(WriteStudy("ok.json", "{}"));
    const std::string pdf = Quoted(TempDir() / "never.pdf");
    for (const std::string& options : std::vector<std::string>{
             " --cross-check", " --sensitivity", " --report " + pdf + " --step 0.2",
             " --report " + pdf + " --sensitivity --step 1"}) {
        EXPECT_EQ(RunCli("run " + ok + options).exitCode, 2) << options;
        EXPECT_FALSE(std::filesystem::exists(TempDir() / "never.pdf")) << options;
    }
}

// The table of what drives the plan holds, row by row, what the sensitivity command computes
// for the same study and step.
TEST(StudyReportCommand, ShowsWhatDrivesThePlanAsTheSensitivityCommandFindsIt) {
    const auto study = WriteStudy("drives.json", R"({"end": 60, "intervals": 16})");
    const auto pdf = TempDir() / "drives.pdf";
    const CliRun run = RunCli("run " + Quoted(study) + " --csv --report " + Quoted(pdf) +
                              " --sensitivity --step 0.2");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const CliRun reference = RunCli("sensitivity " + Quoted(study) + " --json --step 0.2");
    ASSERT_EQ(reference.exitCode, 0) << reference.err;
    const auto rows = nlohmann::json::parse(reference.out)["rows"];
    ASSERT_EQ(rows.size(), 14u);

    const std::string text = Squeezed(PdfText(pdf, 0, true));
    EXPECT_NE(text.find("What drives the plan"), std::string::npos);
    EXPECT_NE(text.find("pF in year " + std::to_string(int(nlohmann::json::parse(
                                            reference.out)["reference_year"]))),
              std::string::npos);
    const auto year = [](const nlohmann::json& y) {
        return y.is_null() ? std::string("—") : std::to_string(int(y));
    };
    const auto pF = [](const nlohmann::json& p) {
        return p.is_null() ? std::string("—") : ScientificText(double(p), 4);
    };
    std::size_t previous = 0;
    for (const auto& row : rows) {
        const std::string parameter =
            row["parameter"] == "value" ? "Value" : std::string(row["parameter"]);
        const std::string cells = parameter + " " + GeneralText(double(row["base"]), 4) + " " +
                                  GeneralText(double(row["down"]), 4) + " " +
                                  GeneralText(double(row["up"]), 4) + " " +
                                  year(row["first_down"]) + " " + year(row["first_up"]) + " " +
                                  pF(row["pF_down"]) + " " + pF(row["pF_up"]);
        const auto at = text.find(cells, previous);
        EXPECT_NE(at, std::string::npos) << cells;
        // In the command's order: the widest swing first.
        if (at != std::string::npos) previous = at;
    }
}

// Ctrl+C while the moved runs of the report are computed: exit 130 as for an interrupted
// calculation, and no report. Stderr is a terminal, so the runs' progress line says when.
TEST(StudyReportCommand, CtrlCDuringWhatDrivesThePlanExitsWith130AndWritesNothing) {
    const auto study = WriteStudy("study.json", R"({"end": 60, "intervals": 32})");
    const auto pdf = TempDir() / "stopped.pdf";
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0) GTEST_SKIP() << "no pseudo-terminal on this machine";
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    const std::string studyText = study.string(), pdfText = pdf.string();
    const char* argv[] = {TESSAVIN_CLI_PATH, "run",  studyText.c_str(), "--report", pdfText.c_str(),
                          "--sensitivity",   nullptr};
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, ::ptsname(terminal), O_RDWR | O_NOCTTY, 0);
    pid_t pid = 0;
    ASSERT_EQ(
        posix_spawn(&pid, TESSAVIN_CLI_PATH, &files, nullptr, const_cast<char**>(argv), environ),
        0);
    posix_spawn_file_actions_destroy(&files);
    std::string err;
    char buffer[256];
    while (err.find("sensitivity: runs") == std::string::npos) {
        const ssize_t got = ::read(terminal, buffer, sizeof buffer);
        if (got <= 0) break; // the program ended without a run: the checks below say so
        err.append(buffer, static_cast<std::size_t>(got));
    }
    ::kill(pid, SIGINT);
    while (::read(terminal, buffer, sizeof buffer) > 0) {
    } // drained until the program has closed the terminal
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(terminal);
    ASSERT_NE(err.find("sensitivity: runs"), std::string::npos) << err;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    ExpectOnly(TempDir(), {"study.json"});
}

TEST(StudyReportWriter, RefusesACalculationThatDidNotCompleteAndKeepsTheOldFile) {
    CalculationInputs in;
    CalculationState state;
    RunResult result;
    result.end = RunEnd::Interrupted;
    result.rows.push_back(YearRow{});
    StudyReport report;
    report.inputs = &in;
    report.state = &state;
    report.result = &result;
    const auto target = TempDir() / "old.pdf";
    std::ofstream(target) << "old";
    const auto failure = WriteStudyReport(target, report);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("did not complete"), std::string::npos);
    EXPECT_EQ(ReadText(target), "old");
}

} // namespace
} // namespace tessavin::report
