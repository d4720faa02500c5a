// The writer as the desktop program calls it: what the fronts add beside the calculation (β(t)
// with its target, the sensitivity rows, measured inputs with their file and fit), each shown
// when given and left out when not, and a save that fails without leaving anything.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <limits>

#include "calculation/driver.h"
#include "cli/cli_process.h"
#include "pdf_tools.h"
#include "study_report.h"

namespace tessavin::report {
namespace {

using test::PdfText;
using test::Squeezed;
using test::TempDir;

// A short study of few classes, run in process as the desktop program runs it.
struct ShortStudy {
    CalculationInputs in;
    CalculationState state;
    RunResult result;
    ShortStudy() {
        in.yearEnd = in.endText = "60";
        in.intervals = "32";
        for (int k = 1; k <= RandomInputCount; ++k)
            in.random[k].n = "32";
        CalculationDriver driver(in, state);
        const RunPlan plan = driver.Prepare();
        result = driver.Run(plan);
    }
    StudyReport Report() const {
        StudyReport r;
        r.inputs = &in;
        r.state = &state;
        r.result = &result;
        r.inputFile = "short.json";
        r.inputSha256 = "0123";
        r.date = "2026-12-11";
        return r;
    }
};

// The text in drawing order: a wrapped cell's lines stay together.
std::string Rendered(const StudyReport& report, const std::string& name) {
    const auto pdf = TempDir() / name;
    const auto failure = WriteStudyReport(pdf, report);
    EXPECT_FALSE(failure.has_value()) << *failure;
    return Squeezed(PdfText(pdf, 0, true));
}

TEST(StudyReportHooks, ShowWhatTheFrontsGiveAndNothingWithout) {
    ShortStudy study;
    ASSERT_EQ(study.result.end, RunEnd::Completed);
    StudyReport report = study.Report();

    const std::string plain = Rendered(report, "plain.pdf");
    EXPECT_EQ(plain.find("Reliability index"), std::string::npos);
    EXPECT_EQ(plain.find("What drives the plan"), std::string::npos);
    EXPECT_NE(plain.find("Not run for this report."), std::string::npos);

    ReliabilityCurve beta;
    for (const YearRow& row : study.result.rows) {
        beta.years.push_back(row.year);
        beta.beta.push_back(row.year == 0 ? std::numeric_limits<double>::infinity()
                                          : 5.0 - row.year / 20.0);
    }
    beta.target = 3.7;
    beta.belowTargetYear = 27;
    report.reliability = beta;
    // Moved runs of a0's Mi, and of C with the run moved up failing.
    SensitivityRun drives;
    drives.result.referenceYear = 48;
    drives.result.base.pF = 0.02;
    drives.result.base.first = std::array<int, 2>{47, 48};
    sensitivity::SensitivityRow a0;
    a0.move = sensitivity::ParameterMoves()[8];
    ASSERT_STREQ(a0.move.inputKey, "a0");
    a0.base = 0.1;
    a0.down = 0.09;
    a0.up = 0.11;
    a0.atDown.pF = 0.0125;
    a0.atDown.first = std::array<int, 2>{51, 52};
    a0.atUp.pF = 0.0317;
    a0.atUp.first = std::array<int, 2>{43, 44};
    sensitivity::SensitivityRow c;
    c.move = sensitivity::ParameterMoves()[12];
    ASSERT_STREQ(c.move.inputKey, "C");
    c.base = 3e-13;
    c.down = 2.7e-13;
    c.up = 3.3e-13;
    c.atDown.pF = 0.015;
    c.atDown.first = std::array<int, 2>{49, 50};
    drives.result.rows = {a0, c};
    report.sensitivity = drives;
    study.in.random[6].source = InputSource::RawData;
    report.measured[6] = MeasuredInput{"ad-probes.txt", 214, "Normal", "KS D = 0.041"};

    const std::string full = Rendered(report, "full.pdf");
    EXPECT_NE(full.find("Reliability index β(t)"), std::string::npos);
    EXPECT_NE(full.find("β falls below the target in year 27"), std::string::npos);
    // The year table's β column: ∞ in year 0, 5 − 20/20 = 4.000 in year 20.
    EXPECT_NE(full.find(" ∞ "), std::string::npos);
    EXPECT_NE(full.find(" 4.000 "), std::string::npos);
    EXPECT_NE(full.find("What drives the plan"), std::string::npos);
    EXPECT_NE(full.find("pF in year 48, the base run's first inspection year, with each "
                        "parameter moved down and up by 10 % of its value"),
              std::string::npos);
    EXPECT_NE(full.find("Base run: first inspection 47 - 48, pF = 2.0000E-02."), std::string::npos);
    EXPECT_NE(full.find("Mi 0.1 0.09 0.11 52 44 1.2500E-02 3.1700E-02"), std::string::npos);
    EXPECT_NE(full.find("C Value 3E-13 2.7E-13 3.3E-13 50 — 1.5000E-02 —"), std::string::npos);
    EXPECT_NE(full.find("measured data; file ad-probes.txt; 214 values; chosen fit Normal; "
                        "goodness of fit KS D = 0.041"),
              std::string::npos);
}

// The rename over a folder fails after the bytes were written: the temporary file goes too.
TEST(StudyReportWriter, AFailedSaveLeavesNoTemporaryFile) {
    ShortStudy study;
    const auto folder = TempDir() / "taken.pdf";
    std::filesystem::create_directories(folder);
    const auto failure = WriteStudyReport(folder, study.Report());
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    for (const auto& e : std::filesystem::directory_iterator(TempDir()))
        EXPECT_EQ(e.path().filename(), "taken.pdf");
}

} // namespace
} // namespace tessavin::report
