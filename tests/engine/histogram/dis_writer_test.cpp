#include "histogram/dis_writer.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "common/atomic_file.h"

namespace tessavin {
namespace {

namespace fs = std::filesystem;

DiscreteHistogram Histogram(double xFirst, double step, double total, std::vector<double> p) {
    DiscreteHistogram h;
    h.Bins = static_cast<int>(p.size());
    h.XFirst = xFirst;
    h.Step = step;
    h.XLast = xFirst + (h.Bins - 1) * step;
    h.Total = total;
    std::copy(p.begin(), p.end(), h.P.begin() + 1);
    return h;
}

// The lines under "[Bins]" as numbers.
std::vector<std::int64_t> BinLines(const std::string& text) {
    std::vector<std::int64_t> f;
    std::istringstream in(text.substr(text.find("[Bins]\r\n") + 8));
    std::string line;
    while (std::getline(in, line))
        f.push_back(std::stoll(line));
    return f;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Ten classes at 1..10 standing for 8 values; P * 8 = 0.5, 1.5, 2.5, 1, 1, 0.5, 0.5, 0, 0, 0.5
// rounds half to even to 0, 2, 2, 1, 1, 0, 0, 0, 0, 0 (total 6).
DiscreteHistogram SmallHistogram() {
    return Histogram(1, 1, 8, {0.0625, 0.1875, 0.3125, 0.125, 0.125, 0.0625, 0.0625, 0, 0, 0.0625});
}

const char* const kSmallText = "[Description]\r\n"
                               "Identification=Histogram.dis\r\n"
                               "Type=Discrete\r\n"
                               "Form=Frequency\r\n"
                               "\r\n"
                               "[Parameters]\r\n"
                               "Min=0.5\r\n"
                               "Max=10.5\r\n"
                               "Bins=10\r\n"
                               "Total=6\r\n"
                               "\r\n"
                               "[Bins]\r\n"
                               "0\r\n2\r\n2\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

TEST(DisWriterTest, WholeTextOfASmallHistogram) {
    EXPECT_EQ(DisFileText(SmallHistogram(), "Histogram.dis"), kSmallText);
}

TEST(DisWriterTest, ParametricHistogramGivesOneToTheSmallerEndClass) {
    // Skewed shape i * exp(-i/5) over 32 classes, normalised; the total is 1/min(P[1], P[32])
    // as for a discretised distribution, so the smaller end class (here the last) stands for 1.
    std::vector<double> p(32);
    for (int i = 0; i < 32; ++i)
        p[i] = (i + 1) * std::exp(-(i + 1) / 5.0);
    const double sum = std::accumulate(p.begin(), p.end(), 0.0);
    for (double& x : p)
        x /= sum;
    const DiscreteHistogram h = Histogram(12.5, 5, 1 / std::min(p.front(), p.back()), p);

    const std::string text = DisFileText(h, "h.dis");
    const std::vector<std::int64_t> f = BinLines(text);
    ASSERT_EQ(f.size(), 32u);
    EXPECT_EQ(f.back(), 1);
    EXPECT_EQ(std::min(f.front(), f.back()), 1);
    // P[1]/P[32] = e^(31/5)/32 = 15.4: 15.
    EXPECT_EQ(f.front(), 15);
    const std::int64_t total = std::accumulate(f.begin(), f.end(), std::int64_t{0});
    EXPECT_NE(text.find("\r\nTotal=" + std::to_string(total) + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nMin=10\r\nMax=170\r\n"), std::string::npos);
}

TEST(DisWriterTest, FrequenciesAboveTheInt64RangeAreScaledByTens) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::int64_t max = std::numeric_limits<std::int64_t>::max();
    struct Case {
        const char* what;
        double total;
        std::vector<double> p;
        std::vector<std::int64_t> expected;
    };
    const Case cases[] = {
        // 1e20 and 1e19 pass 2^63 - 1 = 9.22e18; 1e18 fits. The 1e-19 class rounds to 0.
        {"two divisions", 1e20, {0.75, 1e-19, 0.25}, {750000000000000000, 0, 250000000000000000}},
        // 2^63 itself is greater than 2^63 - 1: once divided, 2^63/10 = 922337203685477580.8
        // becomes the nearest double, 7205759403792794 * 128.
        {"exactly 2^63", 0x1p63, {1.0}, {922337203685477632}},
        // The largest double below 2^63 fits unchanged.
        {"just below 2^63", 0x1p63 - 1024, {1.0}, {9223372036854774784}},
        // A total that cannot be scaled saturates instead of looping or overflowing.
        {"infinite total", inf, {0.5, 0, 0.5}, {max, 0, max}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DiscreteHistogram h = Histogram(0, 1, c.total, c.p);
        EXPECT_EQ(WholeFrequencies(h), c.expected);
        const std::string text = DisFileText(h, "x.dis");
        EXPECT_EQ(BinLines(text), c.expected);
        // The total line never wraps round to a negative number.
        std::int64_t total = 0;
        for (std::int64_t f : c.expected)
            total = f > max - total ? max : total + f;
        EXPECT_NE(text.find("\r\nTotal=" + std::to_string(total) + "\r\n"), std::string::npos);
    }
}

class DisWriterFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("tessavin-dis-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Names in the folder: a save must leave no temporary file behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder;
};

TEST_F(DisWriterFileTest, WritesTheFileAndReplacesAnOldOne) {
    const fs::path file = folder / "Histogram.dis";
    WriteFile(file, "old content");
    EXPECT_FALSE(WriteDisFile(SmallHistogram(), file).has_value());
    EXPECT_EQ(ReadFile(file), kSmallText);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Histogram.dis"});
}

TEST_F(DisWriterFileTest, ReplacedFileKeepsItsPermissions) {
    const fs::path file = folder / "kept.dis";
    WriteFile(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_FALSE(WriteFileAtomically(file, "new").has_value());
    EXPECT_EQ(ReadFile(file), "new");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DisWriterFileTest, MissingFolderGivesMessage27WithThePathAsGiven) {
    const fs::path target = folder / "no such folder" / "Histogram.dis";
    const auto failure = WriteDisFile(SmallHistogram(), target);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message, 27);
    EXPECT_EQ(failure->kind, BoxKind::Error);
    EXPECT_EQ(failure->text, "I/O error during saving the data file  " + target.string());
}

TEST_F(DisWriterFileTest, FailureDuringTheWriteLeavesTheOldFileIntact) {
    // Root may write anywhere, but not past the file-size limit of its own process: the write
    // stops after 16 bytes with EFBIG (the signal that would end the process is ignored).
    const fs::path file = folder / "Histogram.dis";
    const std::string old = "the previous histogram file, longer than the limit";
    WriteFile(file, old);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0) {
        std::signal(SIGXFSZ, previousHandler);
        GTEST_SKIP() << "cannot lower the file-size limit";
    }
    const auto failure = WriteDisFile(SmallHistogram(), file);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message, 27);
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Histogram.dis"});
}

TEST_F(DisWriterFileTest, LongFileNameCanStillBeSaved) {
    // The temporary name does not grow with the target's name (255 bytes is the usual limit).
    const fs::path file = folder / (std::string(250, 'h') + ".dis");
    EXPECT_FALSE(WriteDisFile(SmallHistogram(), file).has_value());
    EXPECT_EQ(BinLines(ReadFile(file)).size(), 10u);
}

} // namespace
} // namespace tessavin
