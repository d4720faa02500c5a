#include "calculation/result_text_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "localisation/language.h"

namespace tessavin {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "text after the last CR LF";
    return lines;
}

class ResultTextFileTest : public ::testing::Test {
  protected:
    void SetUp() override { SetLanguage(Language::English); }
    void TearDown() override { SetLanguage(Language::English); }

    // Period 0 .. 2, step 1; block 1: pU 1, 0.75, 0.5; pD 0, 0.2, 0.25; pF 0, 0.05, 0.25.
    void ThreeYears() {
        state->start = 0;
        state->step = 1;
        state->end = 2;
        const double rows[3][3] = {{1, 0.75, 0.5}, {0, 0.2, 0.25}, {0, 0.05, 0.25}};
        for (int row = 1; row <= 3; ++row)
            for (int y = 0; y <= 2; ++y)
                state->Event(1, row, y) = rows[row - 1][y];
    }

    std::unique_ptr<CalculationState> state = std::make_unique<CalculationState>();
    CalculationInputs in;
};

const char* const Header = "Probability of Events U, D, F  in calculation of first inspection time "
                           "(Years : 0, 1,...,2)\r\n"
                           "Fatigue crack progression from  (the edge bf= 400 mm, tf= 25 m= 3)\r\n"
                           "Design probability   Pd = 2.277E-2\r\n"
                           "Constant of material C  = 2.2E-13\r\n"
                           "Constant of material m  = 3\r\n"
                           " \r\n";

TEST(ResultNumberText, TwentyThreeCharacters) {
    const std::pair<double, const char*> cases[] = {
        {0.5, " 5.00000000000000E-0001"},
        {1.0, " 1.00000000000000E+0000"},
        {0.0, " 0.00000000000000E+0000"},
        {-0.0, " 0.00000000000000E+0000"},
        {-0.25, "-2.50000000000000E-0001"},
        {123456.789, " 1.23456789000000E+0005"},
        {2.0 / 3, " 6.66666666666667E-0001"},              // rounded in the 15th digit
        {0.99999999999999999, " 1.00000000000000E+0000"},  // the double nearest is 1
        {9.999999999999999e-5, " 1.00000000000000E-0004"}, // rounds up into the next decade
        {1e-300, " 1.00000000000000E-0300"},
        {4.9406564584124654e-324, " 4.94065645841247E-0324"}, // smallest denormal
        {1.7976931348623157e308, " 1.79769313486232E+0308"},
    };
    for (const auto& [x, text] : cases) {
        EXPECT_EQ(ResultNumberText(x), text) << x;
        EXPECT_EQ(ResultNumberText(x).size(), 23u) << x;
    }
}

TEST_F(ResultTextFileTest, OneInspectionFound) {
    ThreeYears();
    state->inspectionsFound = 1;
    const std::string expected = std::string(Header) +
                                 "************* 1.prohlídka p(U) *************\r\n"
                                 " \r\n"
                                 " 1.00000000000000E+0000\r\n"
                                 " 7.50000000000000E-0001\r\n"
                                 " 5.00000000000000E-0001\r\n"
                                 " \r\n"
                                 "************* 1.prohlídka p(D) *************\r\n"
                                 " \r\n"
                                 " 0.00000000000000E+0000\r\n"
                                 " 2.00000000000000E-0001\r\n"
                                 " 2.50000000000000E-0001\r\n"
                                 " \r\n"
                                 "************* 1.prohlídka p(F) *************\r\n"
                                 " \r\n"
                                 " 0.00000000000000E+0000\r\n"
                                 " 5.00000000000000E-0002\r\n"
                                 " 2.50000000000000E-0001\r\n"
                                 " \r\n";
    const std::string text = ResultTextFileText(in, *state);
    EXPECT_EQ(text, expected);
    EXPECT_EQ(Lines(text).size(), 24u); // 6 + 3 * (1 + 1 + 3 + 1)
}

// The exact plan follows the rule's sections unchanged: its inspections, then its curves over
// the same years (a curve's value is 0 in a year the plan does not hold).
TEST_F(ResultTextFileTest, ExactPlanFollowsTheRuleSections) {
    ThreeYears();
    state->inspectionsFound = 1;
    const std::string rule = ResultTextFileText(in, *state);
    exactplan::PlanCurves plan;
    plan.years = {1, 2};
    plan.pF = {0.05, 0.25};
    plan.inspections = {{0, 1, 0}};
    plan.conditionedOn = {1};
    plan.conditionalPF = {{0, 0.125}};
    plan.note = "no further inspection";
    in.inspected = {0};
    const std::string text = ResultTextFileText(in, *state, &plan);
    ASSERT_EQ(text.substr(0, rule.size()), rule);
    EXPECT_EQ(text.substr(rule.size()),
              "************* Exact plan (updated after every inspection without a find) "
              "*************\r\n"
              " \r\n"
              "Past inspections without a find: 0\r\n"
              "1. 0 - 1 (0)\r\n"
              "no further inspection\r\n"
              " \r\n"
              "************* p(F) *************\r\n"
              " \r\n"
              " 0.00000000000000E+0000\r\n"
              " 5.00000000000000E-0002\r\n"
              " 2.50000000000000E-0001\r\n"
              " \r\n"
              "************* p(F | 1) *************\r\n"
              " \r\n"
              " 0.00000000000000E+0000\r\n"
              " 0.00000000000000E+0000\r\n"
              " 1.25000000000000E-0001\r\n"
              " \r\n");
}

// β only on request, after everything else: the report without it is a prefix of the report
// with it. Φ⁻¹(0.95) = 1.6448536269514722, Φ⁻¹(0.75) = 0.6744897501960817 (mpmath, 50 digits).
TEST_F(ResultTextFileTest, BetaSectionFollowsOnlyWhenAsked) {
    ThreeYears();
    state->inspectionsFound = 1;
    const std::string plain = ResultTextFileText(in, *state);
    const BetaSection beta{0.8};
    const std::string text = ResultTextFileText(in, *state, nullptr, &beta);
    ASSERT_EQ(text.substr(0, plain.size()), plain);
    const std::vector<std::string> lines = Lines(text.substr(plain.size()));
    const std::vector<std::string> expected = {
        "************* 1.prohlídka beta = -PHI^-1(p(F)) *************",
        " ",
        ResultNumberText(INFINITY),
        ResultNumberText(1.6448536269514722),
        ResultNumberText(0.6744897501960817),
        " ",
        "beta target = " + ResultNumberText(0.8) + " ; first year below: 2",
        " ",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(ResultTextFileTest, NoInspectionFoundGivesTheHeaderOnly) {
    ThreeYears();
    state->inspectionsFound = 0;
    EXPECT_EQ(ResultTextFileText(in, *state), Header);
}

TEST_F(ResultTextFileTest, LaterInspectionsReadTheBlockAfterThem) {
    ThreeYears();
    state->inspectionsFound = 2;
    for (int y = 0; y <= 2; ++y) {
        state->Event(2, 1, y) = 0.125; // block 2 belongs to no section
        state->Event(3, 1, y) = 1;
        state->Event(3, 2, y) = -0.5;
        state->Event(3, 3, y) = 0.015625;
    }
    const std::vector<std::string> lines = Lines(ResultTextFileText(in, *state));
    ASSERT_EQ(lines.size(), 42u); // 6 + 2 * 18
    // Section 2 starts at line 25 (index 24).
    EXPECT_EQ(lines[24], "************* 2.prohlídka p(D) *************");
    EXPECT_EQ(lines[26], " 1.00000000000000E+0000");
    EXPECT_EQ(lines[30], "************* 2.prohlídka p(F) *************");
    EXPECT_EQ(lines[32], "-5.00000000000000E-0001");
    EXPECT_EQ(lines[36], "************* 2.prohlídka F2 *************");
    EXPECT_EQ(lines[38], " 1.56250000000000E-0002"); // 2^-6
    for (const std::string& l : lines)
        EXPECT_NE(l, " 1.25000000000000E-0001");
}

TEST_F(ResultTextFileTest, StepZeroWritesTheStartYearOnly) {
    state->start = state->end = 5;
    state->step = 0;
    state->inspectionsFound = 1;
    state->Event(1, 1, 5) = 0.5;
    state->Event(1, 1, 6) = 0.25;
    const std::vector<std::string> lines = Lines(ResultTextFileText(in, *state));
    ASSERT_EQ(lines.size(), 18u); // 6 + 3 * (1 + 1 + 1 + 1)
    EXPECT_EQ(lines[0], "Probability of Events U, D, F  in calculation of first inspection time "
                        "(Years : 5, 5,...,5)");
    EXPECT_EQ(lines[8], " 5.00000000000000E-0001");
    EXPECT_EQ(lines[9], " ");
}

TEST_F(ResultTextFileTest, CzechTextsAroundCzechHeaderWords) {
    ThreeYears();
    state->inspectionsFound = 1;
    in.crackOrigin = 1;
    in.bf = "380.5";
    SetLanguage(Language::Czech);
    const std::vector<std::string> lines = Lines(ResultTextFileText(in, *state));
    EXPECT_EQ(lines[1], "Šíření únavových trhlin z  (povrchu bf= 380.5 mm, tf= 25 m= 3)");
    EXPECT_EQ(lines[6], "************* 1.prohlídka p(U) *************");
    // A centre run names its convention after m; the default keeps the layout above.
    in.integration.convention = Convention::Centre;
    const std::vector<std::string> centre = Lines(ResultTextFileText(in, *state));
    ASSERT_EQ(centre.size(), lines.size() + 1);
    EXPECT_EQ(centre[5], "Konvence: středy tříd (centre)");
    EXPECT_EQ(centre[7], lines[6]);
}

TEST_F(ResultTextFileTest, WritesTheFileAndReportsAFailedWrite) {
    ThreeYears();
    state->inspectionsFound = 1;
    const fs::path dir =
        fs::temp_directory_path() / ("tessavin-result-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);

    const fs::path good = dir / "Most 12.txt";
    EXPECT_FALSE(WriteResultTextFile(good, in, *state).has_value());
    std::ifstream read(good, std::ios::binary);
    std::stringstream content;
    content << read.rdbuf();
    EXPECT_EQ(content.str(), ResultTextFileText(in, *state));

    const fs::path missing = dir / "no such folder" / "results.txt";
    const std::optional<Failure> f = WriteResultTextFile(missing, in, *state);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->kind, BoxKind::Error);
    EXPECT_EQ(f->text, "I/O error during saving the data file  " + missing.string());
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    // Nothing but the good file was left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 1);
    fs::remove_all(dir);
}

TEST(DefaultResultFileName, ProjectNameOrFixedName) {
    CalculationInputs in;
    EXPECT_EQ(DefaultResultFileName(in), "Histograms U-D-F");
    in.projectName = "Most 12";
    EXPECT_EQ(DefaultResultFileName(in), "Most 12");
}

} // namespace
} // namespace tessavin
