#include "files/workbook.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "localisation/language.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

namespace fs = std::filesystem;

// A cell address as the sheet writes it: column letters, then the row.
std::string CellRef(int row, int column) {
    std::string letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

std::string Unescape(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, text] : entities)
        for (size_t at; (at = s.find(entity)) != std::string::npos;)
            s.replace(at, std::strlen(entity), text);
    return s;
}

// One member of the .xlsx (a zip archive), read with the unzip command.
std::string Member(const fs::path& archive, const std::string& member) {
    const std::string command = "unzip -p '" + archive.string() + "' '" + member + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return {};
    }
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0) << command << " (is unzip installed?)";
    return text;
}

// The text cells of the first sheet by address, resolved through the shared strings.
std::map<std::string, std::string> SheetTexts(const fs::path& archive) {
    std::vector<std::string> strings;
    const std::string shared = Member(archive, "xl/sharedStrings.xml");
    const std::regex si("<si><t[^>]*>([^<]*)</t></si>");
    for (std::sregex_iterator it(shared.begin(), shared.end(), si), end; it != end; ++it)
        strings.push_back(Unescape((*it)[1]));

    std::map<std::string, std::string> cells;
    const std::string sheet = Member(archive, "xl/worksheets/sheet1.xml");
    const std::regex cell("<c r=\"([A-Z]+[0-9]+)\"[^>]*t=\"s\"[^>]*><v>([0-9]+)</v></c>");
    for (std::sregex_iterator it(sheet.begin(), sheet.end(), cell), end; it != end; ++it) {
        const size_t index = std::stoul((*it)[2]);
        cells[(*it)[1]] = index < strings.size() ? strings[index] : "<bad index>";
    }
    return cells;
}

// The number cells of the first sheet by address: their value and the format code of their
// style ("" for the general format).
struct SheetNumber {
    double value;
    std::string format;
    bool operator==(const SheetNumber&) const = default;
};
std::map<std::string, SheetNumber> SheetNumbers(const fs::path& archive) {
    const std::string styles = Member(archive, "xl/styles.xml");
    std::map<int, std::string> codes;
    const std::regex numFmt("<numFmt numFmtId=\"([0-9]+)\" formatCode=\"([^\"]*)\"");
    for (std::sregex_iterator it(styles.begin(), styles.end(), numFmt), end; it != end; ++it)
        codes[std::stoi((*it)[1])] = Unescape((*it)[2]);
    std::vector<std::string> xfFormats; // cell style index -> format code
    const std::size_t from = styles.find("<cellXfs");
    const std::string cellXfs = styles.substr(from, styles.find("</cellXfs>") - from);
    const std::regex xf("<xf numFmtId=\"([0-9]+)\"");
    for (std::sregex_iterator it(cellXfs.begin(), cellXfs.end(), xf), end; it != end; ++it) {
        const int id = std::stoi((*it)[1]);
        xfFormats.push_back(codes.count(id) ? codes[id] : "");
    }
    std::map<std::string, SheetNumber> cells;
    const std::string sheet = Member(archive, "xl/worksheets/sheet1.xml");
    const std::regex cell("<c r=\"([A-Z]+[0-9]+)\"( s=\"([0-9]+)\")?><v>([^<]*)</v></c>");
    for (std::sregex_iterator it(sheet.begin(), sheet.end(), cell), end; it != end; ++it) {
        const std::size_t style = (*it)[3].matched ? std::stoul((*it)[3]) : 0;
        cells[(*it)[1]] = {std::stod((*it)[4]), style < xfFormats.size() ? xfFormats[style] : "?"};
    }
    return cells;
}

// The cells by address as they read; `textsOnly` leaves out the number cells.
std::map<std::string, std::string> ByAddress(const std::vector<WorkbookCell>& cells,
                                             bool textsOnly = false) {
    std::map<std::string, std::string> map;
    for (const WorkbookCell& c : cells)
        if (!textsOnly || !c.number) map[CellRef(c.row, c.column)] = c.text;
    return map;
}

class WorkbookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetLanguage(Language::English);
        folder = fs::temp_directory_path() /
                 ("tessavin-workbook-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        SetLanguage(Language::English);
        fs::remove_all(folder);
    }

    // Period 10 .. 50 step 5 with `found` inspections; every value tells its block, row and
    // year: block / 100 + row / 1000 + year / 1e6.
    void Period(int found) {
        state->start = 10;
        state->step = 5;
        state->end = 50;
        state->inspectionsFound = found;
        for (int block = 1; block <= ProbabilityBlocks; ++block)
            for (int row = 1; row <= 3; ++row)
                for (int year = 0; year <= MaxYear; ++year)
                    state->Event(block, row, year) = Value(block, row, year);
    }
    static double Value(int block, int row, int year) {
        return block / 100.0 + row / 1000.0 + year / 1e6;
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename());
        return names;
    }

    fs::path folder;
    std::unique_ptr<CalculationState> state = std::make_unique<CalculationState>();
    CalculationInputs in;
};

// Three inspections over 10, 15, ..., 50: the heading cells, the place of every block, its
// title and header, nine year rows, and which block of the probabilities each table shows.
TEST_F(WorkbookTest, ThreeInspectionsFillThreeBlocksOfFourColumns) {
    Period(3);
    const std::vector<WorkbookCell> cells = InspectionWorkbookCells(in, *state);
    const std::map<std::string, std::string> sheet = ByAddress(cells);
    ASSERT_EQ(sheet.size(), cells.size()) << "a cell written twice";

    const std::pair<const char*, std::string> expected[] = {
        {"A1", "Probability of Events U, D, F  in calculation of first inspection time "
               "(Years : 10, 15,...,50)"},
        {"A2", "Fatigue crack progression from  (the edge bf= 400 mm, tf= 25 m= 3)"},
        {"A3", "Design probability   Pd = 2.277E-2"},
        {"A4", "Constant of material C  = 2.2E-13"},
        {"A5", "Constant of material m  = 3"},
        // Table 1: p(U), p(D), p(F) of block 1.
        {"C7", "1.Inspection"},
        {"A8", "       Year"},
        {"B8", "       p(U)"},
        {"C8", "       p(D)"},
        {"D8", "       p(F)"},
        {"A9", "10"},
        {"A17", "50"},
        {"B9", TiskPrv(Value(1, 1, 10))},
        {"D10", TiskPrv(Value(1, 3, 15))},
        // Table 2: block 3; table 3: block 4, starting in column 9.
        {"G7", "2.Inspection"},
        {"E8", "       Year"},
        {"F8", "       p(D)"},
        {"G8", "       p(F)"},
        {"H8", "       F2"},
        {"E13", "30"},
        {"F13", TiskPrv(Value(3, 1, 30))},
        {"H17", TiskPrv(Value(3, 3, 50))},
        {"K7", "3.Inspection"},
        {"I8", "       Year"},
        {"L8", "       F3"},
        {"I9", "10"},
        {"J9", TiskPrv(Value(4, 1, 10))},
        {"L17", TiskPrv(Value(4, 3, 50))},
    };
    for (const auto& [ref, text] : expected)
        EXPECT_EQ(sheet.count(ref) ? sheet.at(ref) : "<none>", text) << ref;

    // 5 headings + 3 blocks of (title + 4 headers + 9 rows of 4 cells).
    EXPECT_EQ(cells.size(), 5u + 3u * (1 + 4 + 9 * 4));
    EXPECT_EQ(sheet.count("A18"), 0u);
    EXPECT_EQ(sheet.count("M8"), 0u);

    // Writing order: headings, then block by block title, header row, rows year by year.
    EXPECT_EQ(CellRef(cells[5].row, cells[5].column), "C7");
    EXPECT_EQ(CellRef(cells[6].row, cells[6].column), "A8");
    EXPECT_EQ(CellRef(cells[10].row, cells[10].column), "A9");
    EXPECT_EQ(CellRef(cells[5 + 41].row, cells[5 + 41].column), "G7");
}

TEST_F(WorkbookTest, OneInspectionWritesOnlyTheFirstBlock) {
    Period(1);
    const std::vector<WorkbookCell> cells = InspectionWorkbookCells(in, *state);
    EXPECT_EQ(cells.size(), 5u + 1u + 4u + 9u * 4u);
    for (const WorkbookCell& c : cells)
        EXPECT_LE(c.column, 4) << CellRef(c.row, c.column);

    // Nothing found: the headings only.
    state->inspectionsFound = 0;
    EXPECT_EQ(InspectionWorkbookCells(in, *state).size(), 5u);
}

// The exact plan starts one column right of the rule's tables: the inspections, then the
// curves at the rule's years (the plan holds every year).
TEST_F(WorkbookTest, ExactPlanFollowsRightOfTheRuleTables) {
    Period(1);
    exactplan::PlanCurves plan;
    for (int y = 0; y <= 50; ++y) {
        plan.years.push_back(y);
        plan.pF.push_back(y / 1000.0);
    }
    plan.inspections = {{44, 45, 44}};
    plan.conditionedOn = {44};
    plan.conditionalPF = {std::vector<double>(plan.years.size(), 0.5)};
    const std::vector<WorkbookCell> rule = InspectionWorkbookCells(in, *state);
    const std::vector<WorkbookCell> cells = InspectionWorkbookCells(in, *state, &plan);
    ASSERT_GT(cells.size(), rule.size());
    EXPECT_TRUE(std::equal(rule.begin(), rule.end(), cells.begin()));
    const auto sheet = ByAddress(cells);
    ASSERT_EQ(sheet.size(), cells.size()) << "a cell written twice";
    const std::pair<const char*, std::string> expected[] = {
        {"F7", "Exact plan (updated after every inspection without a find)"},
        {"F8", "#"},
        {"G8", "from"},
        {"I8", "made in"},
        {"F9", "1"},
        {"G9", "44"},
        {"H9", "45"},
        {"I9", "44"},
        {"L8", "p(F)"},
        {"M8", "p(F | 44)"},
        {"K9", "10"},
        {"K17", "50"},
        {"L9", TiskPrv(0.01)},
        {"M17", TiskPrv(0.5)},
    };
    for (const auto& [ref, text] : expected)
        EXPECT_EQ(sheet.count(ref) ? sheet.at(ref) : "<none>", text) << ref;
}

// β on request, one column right of everything else, which stays as it was.
TEST_F(WorkbookTest, BetaFollowsRightOfEverythingOnlyWhenAsked) {
    Period(3);
    const std::vector<WorkbookCell> plain = InspectionWorkbookCells(in, *state);
    const BetaSection beta{3.0};
    const std::vector<WorkbookCell> cells = InspectionWorkbookCells(in, *state, nullptr, &beta);
    ASSERT_GT(cells.size(), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), cells.begin()));
    const std::map<std::string, std::string> sheet = ByAddress(cells);
    // The tables end in column L: β in N (years) and O.
    EXPECT_EQ(sheet.at("O7"), "beta = -PHI^-1(p(F))");
    EXPECT_EQ(sheet.at("N8"), "       Year");
    EXPECT_EQ(sheet.at("N9"), "10");
    // p(F) of block 1 in year 10 is 0.01301: β = 2.2259131407238938 (mpmath, 50 digits).
    const WorkbookCell& b = cells[plain.size() + 4 + 1];
    EXPECT_EQ(CellRef(b.row, b.column), "O9");
    ASSERT_TRUE(b.number.has_value());
    EXPECT_NEAR(*b.number, 2.2259131407238938, 1e-13);
    // Every β is below 3: the first year of the period is the first year below the target.
    EXPECT_EQ(sheet.at("N6"), "beta target = " + TiskPrv(3.0) + "; first year below: 10");
}

TEST_F(WorkbookTest, CzechTextsKeepTheLayout) {
    Period(2);
    SetLanguage(Language::Czech);
    const auto sheet = ByAddress(InspectionWorkbookCells(in, *state));
    EXPECT_EQ(sheet.at("C7"), "1.Prohlídka");
    EXPECT_EQ(sheet.at("G7"), "2.Prohlídka");
    EXPECT_EQ(sheet.at("A8"), "        Rok");
    EXPECT_EQ(sheet.at("A3"), "Návrhová pravděpodobnost Pd = 2.277E-2");
}

// The file holds the sheet "Prohlídky" with exactly the text cells above.
TEST_F(WorkbookTest, FileHoldsTheSheetAndTheCells) {
    Period(3);
    in.bf = "350 & <more>"; // texts go through the XML escaping
    const fs::path file = folder / DefaultWorkbookFileName(in);
    ASSERT_FALSE(WriteInspectionWorkbook(file, in, *state).has_value());

    const std::string workbook = Member(file, "xl/workbook.xml");
    EXPECT_NE(workbook.find("<sheet name=\"Prohlídky\""), std::string::npos) << workbook;
    EXPECT_EQ(workbook.find("<sheet name=", workbook.find("<sheet name=") + 1), std::string::npos)
        << "one sheet only";
    EXPECT_EQ(SheetTexts(file), ByAddress(InspectionWorkbookCells(in, *state), true));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Results.xlsx"});
}

// Years and probabilities are number cells that a spreadsheet can sort and compute with; the
// format shows the digits of the table text. Headings stay text.
TEST_F(WorkbookTest, YearsAndProbabilitiesAreNumbersWithTheirDigits) {
    Period(2);
    state->Event(1, 1, 10) = 1.25e-7;
    state->Event(1, 2, 10) = 0.02277;
    const fs::path file = folder / "Numbers.xlsx";
    ASSERT_FALSE(WriteInspectionWorkbook(file, in, *state).has_value());
    const auto numbers = SheetNumbers(file);
    const auto texts = SheetTexts(file);
    const std::pair<const char*, double> cases[] = {
        {"A9", 10},      {"A17", 50},             // years
        {"B9", 1.25e-7}, {"C9", 0.02277},         // p(U) and p(D) of year 10
        {"E9", 10},      {"F9", Value(3, 1, 10)}, // the second block
    };
    for (const auto& [ref, value] : cases) {
        SCOPED_TRACE(ref);
        ASSERT_TRUE(numbers.count(ref)) << "not a number cell";
        EXPECT_DOUBLE_EQ(numbers.at(ref).value, value);
        EXPECT_EQ(texts.count(ref), 0u);
    }
    EXPECT_EQ(numbers.at("A9").format, "");
    EXPECT_EQ(numbers.at("B9").format, "0.00E+0");
    EXPECT_EQ(numbers.at("C9").format, "0.00000");
    EXPECT_EQ(numbers.at("F9").format, NumberFormatFor(TiskPrv(Value(3, 1, 10))));
    for (const char* heading : {"A1", "C7", "A8", "B8"})
        EXPECT_EQ(texts.count(heading), 1u) << heading;
}

TEST(WorkbookNumberFormat, ShowsTheDigitsOfTheText) {
    const std::pair<const char*, const char*> cases[] = {
        {"37", "0"},
        {"0", "0"},
        {"1", "0"},
        {"0.02277", "0.00000"},
        {"-0.5", "0.0"},
        {"1.25E-7", "0.00E+0"},
        {"2E-10", "0E+0"},
        {"1.5E+15", "0.0E+0"},
        {"0.123456789012345", "0.000000000000000"},
    };
    for (const auto& [text, format] : cases)
        EXPECT_EQ(NumberFormatFor(text), format) << text;
}

TEST_F(WorkbookTest, ReplacesAnExistingFileAndLeavesNoTemporary) {
    Period(1);
    const fs::path file = folder / "Bridge.xlsx";
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_FALSE(WriteInspectionWorkbook(file, in, *state).has_value());
    EXPECT_EQ(SheetTexts(file).at("C7"), "1.Inspection");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Bridge.xlsx"});
}

TEST_F(WorkbookTest, MissingFolderFailsAndLeavesNoFile) {
    Period(3);
    const fs::path file = folder / "missing" / "Results.xlsx";
    const std::optional<Failure> failure = WriteInspectionWorkbook(file, in, *state);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->kind, BoxKind::Error);
    EXPECT_EQ(failure->message, 136);
    EXPECT_EQ(failure->text.rfind("Write error ! File Results.xlsx", 0), 0u) << failure->text;
    EXPECT_FALSE(fs::exists(folder / "missing"));
    EXPECT_TRUE(FolderEntries().empty());
}

TEST(WorkbookFileName, ProjectNameOrResults) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "Results.xlsx"},
        {"Most přes Vltavu", "Most přes Vltavu.xlsx"},
        {"a/b", "a_b.xlsx"},
    };
    for (const auto& [project, file] : cases) {
        CalculationInputs in;
        in.projectName = project;
        EXPECT_EQ(DefaultWorkbookFileName(in), file);
    }
}

} // namespace
} // namespace tessavin
