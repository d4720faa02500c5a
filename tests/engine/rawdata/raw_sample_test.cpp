// Reading a file of measured values, the sample's histogram and its characteristics row.
#include "rawdata/raw_sample.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "localisation/messages.h"

namespace tessavin {
namespace {

const std::filesystem::path kData = std::filesystem::path(TESSAVIN_TEST_DATA) / "rawdata";

std::string FileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const RawSample& Sample(const std::variant<RawSample, Failure>& r) {
    if (const auto* f = std::get_if<Failure>(&r)) ADD_FAILURE() << "refused: " << f->text;
    return std::get<RawSample>(r);
}

// Every accepted line form gives the same sample {6, 1,0, 2e0} -> {1, 2, 6}.
TEST(RawDataFile, ReadsLineEndsCommasBlankLinesAndMark) {
    for (const char* file : {"crlf_comma_blank.txt", "lf_no_final_newline.txt", "utf8_bom.txt"}) {
        SCOPED_TRACE(file);
        const auto r = ReadRawDataFile(kData / file);
        ASSERT_TRUE(std::holds_alternative<RawSample>(r));
        const RawSample& s = Sample(r);
        EXPECT_EQ(s.count, 3); // blank and blank-only lines do not count
        EXPECT_EQ(s.values, (std::vector<double>{1, 2, 6}));
        EXPECT_EQ(s.fileName, file);
        // By hand: mean 3; squared deviations 4 + 1 + 9 = 14 over n - 1 = 2 gives 7;
        // cubed deviations -8 - 1 + 27 = 18, skewness 18 / 7^1.5 / 3 = 6 / (7 sqrt 7).
        EXPECT_NEAR(s.mean, 3.0, 1e-15);
        EXPECT_NEAR(s.variance, 7.0, 1e-14);
        EXPECT_NEAR(s.deviation, std::sqrt(7.0), 1e-14);
        EXPECT_NEAR(s.skewness, 6 / (7 * std::sqrt(7.0)), 1e-14);
        EXPECT_EQ(s.minimum, 1.0);
        EXPECT_EQ(s.maximum, 6.0);
        EXPECT_NEAR(static_cast<double>(s.sum), 9.0, 1e-15);
        EXPECT_NEAR(static_cast<double>(s.sumOfSquares), 41.0, 1e-14);
    }
}

TEST(RawDataFile, NumberSyntaxOfALine) {
    struct Case {
        const char* line;
        bool accepted;
        double value; // as written
    };
    const Case cases[] = {
        {"3,25", true, 3.25},     {"-3.25E+1", true, -32.5}, {"+7", true, 7},
        {"  12.5\t", true, 12.5}, {"1e-3", true, 1e-3},      {"1,000,5", false, 0},
        {"1.000,5", false, 0},    {"abc", false, 0},         {"1 2", false, 0},
        {"1e999", false, 0},      {"nan", false, 0},         {"12;5", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto r = ParseRawData(std::string(c.line) + "\r\n100\r\n200\r\n");
        ASSERT_EQ(std::holds_alternative<RawSample>(r), c.accepted);
        if (c.accepted)
            EXPECT_EQ(std::get<RawSample>(r).values.front(), c.value);
        else
            EXPECT_EQ(std::get<Failure>(r).message, 118);
    }
}

TEST(RawDataFile, RefusesWithTheMessageOfTheFault) {
    { // Two values and a blank line: too few.
        const auto r = ReadRawDataFile(kData / "two_values.txt");
        ASSERT_TRUE(std::holds_alternative<Failure>(r));
        EXPECT_EQ(std::get<Failure>(r).message, 130);
        EXPECT_EQ(std::get<Failure>(r).text, TextCis(130) + " !");
        EXPECT_EQ(std::get<Failure>(r).kind, BoxKind::Error);
    }
    { // The bad line is the third physical line, after a blank one.
        const auto r = ReadRawDataFile(kData / "double_comma.txt");
        ASSERT_TRUE(std::holds_alternative<Failure>(r));
        EXPECT_EQ(std::get<Failure>(r).message, 118);
        EXPECT_EQ(std::get<Failure>(r).text,
                  "No valid number was entered in the file!\r\n\r\n\tdouble_comma.txt\r\n"
                  "\tLine    :  3\r\n\tElement :  1,000,5");
    }
    { // Nothing there.
        const auto missing = kData / "no_such_file.txt";
        const auto r = ReadRawDataFile(missing);
        ASSERT_TRUE(std::holds_alternative<Failure>(r));
        EXPECT_EQ(std::get<Failure>(r).message, 112);
        EXPECT_EQ(std::get<Failure>(r).text, FormatMessage(TextCis(112), missing.string()));
    }
    // Something there that is not a file of data: a folder, a device, a link to a device.
    const auto link = std::filesystem::temp_directory_path() /
                      ("tessavin-zero-link-" + std::to_string(::getpid()));
    std::filesystem::remove(link);
    std::filesystem::create_symlink("/dev/zero", link);
    for (const std::filesystem::path& other : {kData, std::filesystem::path("/dev/zero"), link}) {
        const auto r = ReadRawDataFile(other);
        ASSERT_TRUE(std::holds_alternative<Failure>(r));
        EXPECT_EQ(std::get<Failure>(r).message, 281);
        EXPECT_EQ(std::get<Failure>(r).text,
                  FormatMessage(TextCis(281), other.string()) + "\r\n\r\n" + TextCis(282));
    }
    std::filesystem::remove(link);
    { // A long bad line is quoted shortened.
        const auto r = ParseRawData("1\n2\n3\n" + std::string(5000, 'x') + "\n");
        ASSERT_TRUE(std::holds_alternative<Failure>(r));
        EXPECT_NE(std::get<Failure>(r).text.find("Line    :  4\r\n\tElement :  xxx"),
                  std::string::npos);
        EXPECT_LT(std::get<Failure>(r).text.size(), 300u);
    }
    EXPECT_EQ(std::get<Failure>(ParseRawData("")).message, 130);
    EXPECT_EQ(std::get<Failure>(ParseRawData("\r\n\r\n\r\n")).message, 130);
}

TEST(RawDataFile, AtMostOneHundredThousandValues) {
    std::string text;
    for (int i = 0; i < MaxRawValues; ++i)
        text += std::to_string(i % 97) + "\r\n";
    text += "\r\n\r\n"; // blank lines add no value
    const auto full = ParseRawData(text);
    ASSERT_TRUE(std::holds_alternative<RawSample>(full));
    EXPECT_EQ(std::get<RawSample>(full).count, MaxRawValues);
    const auto over = ParseRawData(text + "5\r\n");
    ASSERT_TRUE(std::holds_alternative<Failure>(over));
    EXPECT_EQ(std::get<Failure>(over).message, 113);
    EXPECT_EQ(std::get<Failure>(over).text, TextCis(113) + "100000 !");
}

TEST(RawHistogram, ClassOfEachValue) {
    // [0, 10] in 5 classes of width 2. Index = round-half-even(v/2 - 1/2):
    // -1 below Min -> 0; 0.5 -> round(-0.25) = 0; 4 on the 1|2 boundary -> round(1.5) = 2;
    // 6 on the 2|3 boundary -> round(2.5) = 2; 10 = Max -> 4; 12 above Max -> 4.
    const RawSample s = std::get<RawSample>(ParseRawData("4\n6\n10\n-1\n12\n0.5\n"));
    const auto r = BuildRawHistogram(s, 5, 0, 10);
    ASSERT_TRUE(std::holds_alternative<WorkingHistogram>(r));
    const WorkingHistogram& h = std::get<WorkingHistogram>(r);
    const double expected[] = {2 / 6.0, 0, 2 / 6.0, 0, 2 / 6.0};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(h.P[i + 1], expected[i], 1e-15) << "class " << i + 1;
    for (int i = 6; i <= MaxBins; ++i)
        ASSERT_EQ(h.P[i], 0.0);
    EXPECT_EQ(h.Bins, 5);
    EXPECT_EQ(h.Step, 2.0);
    EXPECT_EQ(h.Min, 0.0);
    EXPECT_EQ(h.Max, 10.0);
    EXPECT_EQ(static_cast<double>(h.Total), 6.0);
}

TEST(RawHistogram, RefusesABadClassCountOrRange) {
    const RawSample s = std::get<RawSample>(ParseRawData("1\n2\n3\n"));
    struct Case {
        int n;
        double min, max;
        int message;
    };
    const double inf = INFINITY;
    const Case cases[] = {{2, 0, 4, 88}, {1025, 0, 4, 88}, {0, 0, 4, 88},        {3, 4, 4, 0},
                          {3, 5, 4, 0},  {3, 0, inf, 129}, {3, -1e308, 1e308, 0}};
    for (const Case& c : cases) {
        const auto r = BuildRawHistogram(s, c.n, c.min, c.max);
        ASSERT_TRUE(std::holds_alternative<Failure>(r)) << c.n << " " << c.min << " " << c.max;
        EXPECT_EQ(std::get<Failure>(r).message, c.message);
        EXPECT_FALSE(std::get<Failure>(r).text.empty());
    }
}

TEST(RawClassLayout, DiscreteCentresAndPureEnds) {
    struct Case {
        HistogramKind kind;
        int n;
        double min, max, step, x1, xn; // by hand
    };
    const Case cases[] = {
        {HistogramKind::Discrete, 4, 0, 8, 2, 1, 7},
        {HistogramKind::PureDiscrete, 5, 0, 8, 2, 0, 8},
        {HistogramKind::Discrete, 3, -3, 3, 2, -2, 2},
        {HistogramKind::PureDiscrete, 3, -3, 3, 3, -3, 3},
    };
    for (const Case& c : cases) {
        const ClassLayout l = SetClassLayout(c.kind, c.n, c.min, c.max);
        EXPECT_NEAR(l.Step, c.step, 1e-15);
        EXPECT_NEAR(l.X1, c.x1, 1e-15);
        EXPECT_NEAR(l.XN, c.xn, 1e-15);
    }
}

TEST(RawCharacteristics, FieldsOfASymmetricHistogram) {
    // P = (1/4, 1/2, 1/4) at x = 1, 2, 3, by hand: mean 2, population variance 1/2,
    // variation 100 sqrt(1/2) / 2 %, median and mode 2, skewness 0;
    // probabilities: mean 1/3, population variance (1/144 + 4/144 + 1/144) / 3 = 1/72.
    const double p[] = {0.25, 0.5, 0.25};
    const Characteristics c = ComputeCharacteristics(p, 3, 1, 3, 100);
    EXPECT_NEAR(c.mean, 2, 1e-14);
    EXPECT_NEAR(c.variance, 0.5, 1e-14);
    EXPECT_NEAR(c.deviation, std::sqrt(0.5), 1e-14);
    EXPECT_NEAR(c.variation, 50 * std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(c.median, 2, 1e-14);
    EXPECT_NEAR(c.mode, 2, 1e-14);
    EXPECT_NEAR(c.meanY, 1 / 3.0, 1e-15);
    EXPECT_NEAR(c.varianceY, 1 / 72.0, 1e-15);
    EXPECT_EQ(c.texts[0], "2");
    EXPECT_EQ(c.texts[2], "2");
    EXPECT_EQ(c.texts[3], "0.5");
    EXPECT_NEAR(std::stod(c.texts[6]), 0, 1e-12);
}

TEST(RawCharacteristics, SkewnessWithoutSpreadStaysUndefined) {
    const double p[] = {0, 1, 0};
    const Characteristics c = ComputeCharacteristics(p, 3, 1, 3, 50);
    EXPECT_EQ(c.skewnessText, " undefined");
    EXPECT_EQ(c.kurtosisText, " undefined");
    const CharacteristicsRow row = MakeCharacteristicsRow("T", "1", c, "-");
    EXPECT_EQ(row.fields[8], " undefined");
    EXPECT_EQ(row.fields[9], " undefined");
}

TEST(RawSampleHistogram, RowOfTheSampleWithTheShownClassValues) {
    const RawSample s = std::get<RawSample>(ReadRawDataFile(kData / "valid_mixed.txt"));
    EXPECT_EQ(s.count, 15);
    const auto v = ShowSampleHistogram(s, 7, s.minimum, s.maximum, HistogramKind::Discrete);
    ASSERT_TRUE(std::holds_alternative<SampleHistogramView>(v));
    const SampleHistogramView& view = std::get<SampleHistogramView>(v);
    // X1 and XN are held as display texts (15 significant digits): equal within 1e-14 relative.
    const double step = (s.maximum - s.minimum) / 7;
    EXPECT_NEAR(view.layout.X1, s.minimum + step / 2, 1e-14 * std::fabs(s.minimum));
    EXPECT_NEAR(view.layout.XN, s.maximum - step / 2, 1e-14 * std::fabs(s.maximum));
    EXPECT_EQ(view.row.fields[0], "Prvotní data");
    EXPECT_EQ(view.row.fields[1], "1");
    EXPECT_EQ(view.row.fields[10], " ----- ");
    for (int f = 2; f <= 9; ++f)
        EXPECT_FALSE(view.row.fields[f].empty()) << f;
    for (int f = 11; f < 19; ++f)
        EXPECT_TRUE(view.row.fields[f].empty()) << f;
    // The histogram of the sample holds all its values: probabilities sum to 1.
    double sum = 0;
    for (int i = 1; i <= 7; ++i)
        sum += view.histogram.P[i];
    EXPECT_NEAR(sum, 1.0, 1e-14);
}

// Random damage to a valid file: every outcome is a sample or a refusal with its message,
// never a crash, a hang or a value that is not a number.
TEST(RawDataMutation, DamagedFilesAreReadOrRefused) {
    const std::string valid = FileBytes(kData / "valid_mixed.txt");
    ASSERT_FALSE(valid.empty());
    std::mt19937 rng(20261210);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(rng);
    };
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text = valid;
        const int edits = 1 + static_cast<int>(pick(3));
        for (int e = 0; e < edits && !text.empty(); ++e) {
            switch (pick(3)) {
            case 0:
                text[pick(text.size() - 1)] = static_cast<char>(pick(255));
                break;
            case 1:
                text.insert(pick(text.size()), 1, static_cast<char>(pick(255)));
                break;
            case 2:
                text.erase(pick(text.size() - 1), 1 + pick(4));
                break;
            default:
                text.resize(pick(text.size()));
                break;
            }
        }
        SCOPED_TRACE(text);
        const auto r = ParseRawData(text);
        if (const auto* f = std::get_if<Failure>(&r)) {
            ++refused;
            EXPECT_TRUE(f->message == 118 || f->message == 130) << f->message;
            EXPECT_FALSE(f->text.empty());
            continue;
        }
        const RawSample& s = std::get<RawSample>(r);
        ASSERT_GE(s.count, 3);
        ASSERT_EQ(static_cast<std::size_t>(s.count), s.values.size());
        EXPECT_TRUE(std::is_sorted(s.values.begin(), s.values.end()));
        EXPECT_TRUE(std::isfinite(s.mean) && std::isfinite(s.variance) && s.variance >= 0);
        const auto h = BuildRawHistogram(s, 8, s.minimum, s.maximum);
        if (const auto* w = std::get_if<WorkingHistogram>(&h)) {
            double sum = 0;
            for (int i = 1; i <= 8; ++i)
                sum += w->P[i];
            EXPECT_NEAR(sum, 1.0, 1e-12);
        }
    }
    // The damage is strong enough to be refused often and mild enough to be read sometimes.
    EXPECT_GT(refused, 40);
    EXPECT_LT(refused, 390);
}

} // namespace
} // namespace tessavin
