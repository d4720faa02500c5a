// tessavin-cli run: one whole calculation from a JSON input, as a user runs it.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

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
    EXPECT_EQ(j["first_inspection_text"],
              "between years : " + std::to_string(from) + " - " + std::to_string(to));
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

// --csv: the year table, one blank line, then the inspections the JSON output lists, and after
// another blank line the convention.
TEST(CliRun, CsvListsTheInspectionsAfterTheYearTable) {
    const std::string input = InputFile(R"({"intervals": 32})").string();
    const CliRun csv = RunCli("run " + input + " --csv");
    const CliRun json = RunCli("run " + input + " --json");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const auto j = nlohmann::json::parse(json.out);
    ASSERT_FALSE(j["inspections"].empty());
    const std::size_t blank = csv.out.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.begin() + blank, '\n'), 151); // header + years
    std::istringstream lines(csv.out.substr(blank + 2));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "inspection,from,to");
    for (std::size_t k = 0; k < j["inspections"].size(); ++k) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, std::to_string(k + 1) + "," + j["inspections"][k][0].dump() + "," +
                            j["inspections"][k][1].dump());
    }
    for (const char* rest : {"", "convention", "first"}) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, rest);
    }
    EXPECT_FALSE(std::getline(lines, line));
}

TEST(CliRun, VersionAndPerCommandHelp) {
    const CliRun version = RunCli("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("tessavin-cli ") + TESSAVIN_VERSION + "\n");
    struct Case {
        const char* command;
        const char* shown;
        const char* notShown;
    };
    for (const Case& c : {Case{"run", "tessavin-cli run INPUT.json", "tessavin-cli fit"},
                          Case{"histogram", "tessavin-cli histogram --type", "tessavin-cli run"},
                          Case{"fit", "tessavin-cli fit DATA.txt", "tessavin-cli histogram"}}) {
        const CliRun help = RunCli(std::string(c.command) + " --help");
        EXPECT_EQ(help.exitCode, 0) << c.command;
        EXPECT_NE(help.out.find(c.shown), std::string::npos) << help.out;
        EXPECT_EQ(help.out.find(c.notShown), std::string::npos) << help.out;
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
        // The first type that is no input type; the choices are the registry's input types.
        {R"({"inputs": [{"type": 4}]})",
         "must be 0 (Normal), 1 (LogNormal_2P), 2 (Gumbel I) or 3 (Gumbel II)"},
        {R"({"crack_origin": "middle"})", "\"crack_origin\" must be"},
        {R"({"Pdd": 0.1})", "unknown field \"Pdd\""},
        {R"({"bf": [400]})", "\"bf\" must be a number or a text"},
        // The field and its text are named even where the field's own message does not.
        {R"({"end": "abc"})", "\"end\" = \"abc\": Number entry is not correct (Year<1"},
        // A parameter the distribution refuses gets the field's check message.
        {R"({"inputs": [{"sigma": -3}]})", "Number entry is not correct (Sigma=-3)"},
        {R"({"inputs": [null, null, null, null, {"mi": -0.2}]})",
         "Number entry is not correct (Mi=-0.2)"},
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

// A file that is not JSON is named with the place where reading stopped: the line and column of
// the offending character, counted from 1.
TEST(CliRun, MalformedJsonNamesTheFileAndThePlace) {
    struct Case {
        const char* json;
        const char* place;
    };
    const Case cases[] = {
        {"{ not json", "line 1, column 4"}, // "no" is not the start of null
        {"{\"end\": 20,\n  \"C\": }", "line 2, column 8"},
        {"{\"end\": 20}x", "line 1, column 12"},
        {"{\"end\": 20,\r\n\r\n  \"m\": 3,,", "line 3, column 10"},
        {"", "line 1, column 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        const auto input = InputFile(c.json);
        const CliRun r = RunCli("run " + input.string());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err,
                  "tessavin-cli run: " + input.string() + ": not valid JSON at " + c.place + "\n");
        EXPECT_TRUE(r.out.empty());
    }
}

// Hostile inputs are refused with a message: deep nesting, numbers out of range, control
// characters and texts that only look like numbers.
TEST(CliRun, HostileInputIsRefusedCleanly) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const std::string cases[] = {
        deep,
        R"({"end": 1e400})",
        R"({"end": 99999999999999999999})",
        R"({"step": -1})",
        R"({"inputs": [{"mi": "1e400"}]})",
        std::string(R"({"inputs": [{"N": "12)") + '\0' + R"("}]})", // a NUL inside a text
        R"({"C": "2.2E-13x"})",
        R"({"inputs": [1, 2, 3, 4, 5, 6, 7]})",
        R"({"crack_origin": null})",
        std::string("{\"m\": \"3\xff\"}"),
    };
    for (const std::string& json : cases) {
        SCOPED_TRACE(json.substr(0, 60));
        const CliRun r = RunCli("run " + InputFile(json).string() + " --csv");
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
}

// Inputs without an end are refused at once, not read for ever or waited on.
TEST(CliRun, InputThatIsNotARegularFileIsRefusedAtOnce) {
    const auto dir = TempDir();
    const auto fifo = dir / "fifo.json";
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const char* link : {"zero.json", "zero.Vys", "fifo.Vys"}) {
        std::filesystem::remove(dir / link);
        std::filesystem::create_symlink(link[0] == 'z' ? "/dev/zero" : fifo.c_str(), dir / link);
    }
    for (const std::filesystem::path& input :
         {std::filesystem::path("/dev/zero"), fifo, dir / "zero.json", dir / "zero.Vys",
          dir / "fifo.Vys", dir}) {
        const CliRun r = RunCli("run " + input.string() + " --csv");
        EXPECT_EQ(r.exitCode, 2) << input;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << input << ": " << r.err;
        EXPECT_NE(r.err.find(input.string()), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    std::filesystem::remove_all(dir);
}

TEST(CliRun, ZeroConstantIsAcceptedWithAWarning) {
    const CliRun r =
        RunCli("run " + InputFile(R"({"C": 0, "end": 3, "intervals": 16})").string() + " --csv");
    EXPECT_NE(r.err.find("Constant of material  C  was not specified!"), std::string::npos);
}

} // namespace
