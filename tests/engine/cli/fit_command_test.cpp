// tessavin-cli fit: a file of measured values, its statistics and the ranked fits.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_process.h"
#include "parametric/distribution_registry.h"

namespace {

using tessavin::test::CliRun;
using tessavin::test::ExpectRefused;
using tessavin::test::RunCli;
using tessavin::test::TempDir;

const std::string kData = std::string(TESSAVIN_TEST_DATA) + "/rawdata/";

// 400 values at the quantiles of Weibull k = 3, lambda = 10, CR LF line ends.
std::filesystem::path WriteWeibullData(const std::filesystem::path& dir) {
    const auto file = dir / "weibull.txt";
    std::ofstream out(file, std::ios::binary);
    char buf[40];
    for (int i = 1; i <= 400; ++i) {
        std::snprintf(buf, sizeof buf, "%.17g\r\n",
                      10 * std::pow(-std::log(1 - (i - 0.5) / 400), 1 / 3.0));
        out << buf;
    }
    return file;
}

TEST(FitCli, StatisticsAndRankingAsJson) {
    const auto dir = TempDir();
    const CliRun r =
        RunCli("fit " + WriteWeibullData(dir).string() + " --intervals 16 --json --draws 0");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["file"], "weibull.txt");
    EXPECT_EQ(j["sample"]["n"], 400);
    // Weibull k = 3, lambda = 10 has mean 10 Gamma(4/3) = 8.9298; the quantile sample is
    // within 0.01 of it.
    EXPECT_NEAR(j["sample"]["mean"].get<double>(), 8.9298, 0.01);
    EXPECT_EQ(j["histogram"]["Bins"], 16);
    double sum = 0;
    for (double p : j["histogram"]["P"])
        sum += p;
    EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_EQ(j["characteristics"]["type"], "Prvotní data");
    ASSERT_GT(j["ranking"].size(), 0u);
    EXPECT_EQ(j["ranking"][0]["name"], "Weibull");
    double previous = 1;
    for (const auto& item : j["ranking"]) {
        const double t = item["tightness"].get<double>();
        EXPECT_GT(t, 0.0001);
        EXPECT_LE(t, previous);
        previous = t;
        EXPECT_EQ(item["characteristics"]["type"], item["name"]);
    }
    std::filesystem::remove_all(dir);
}

// The goodness-of-fit fields beside the tightness, and the orders they give.
TEST(FitCli, GoodnessOfFitFieldsAndSortKeys) {
    const std::string base = "fit " + kData + "valid_mixed.txt --intervals 5 --json";
    const CliRun byTightness = RunCli(base + " --draws 30");
    ASSERT_EQ(byTightness.exitCode, 0) << byTightness.err;
    const auto t = nlohmann::json::parse(byTightness.out)["ranking"];
    ASSERT_GT(t.size(), 2u);
    for (const auto& item : t) {
        for (const char* key : {"loglik", "aic", "bic", "ks", "ks_p", "ad", "ad_p", "cvm"})
            ASSERT_TRUE(item.contains(key)) << key << item;
        // A missing number is null and says why.
        bool missing = false;
        for (const char* key : {"loglik", "ks", "ks_p", "ad", "ad_p"})
            missing = missing || item[key].is_null();
        EXPECT_EQ(missing, item.contains("reasons")) << item;
        if (item["ks_p"].is_number()) {
            EXPECT_GT(item["ks_p"].get<double>(), 0.0);
            EXPECT_LE(item["ks_p"].get<double>(), 1.0);
        }
    }
    // Each --sort key orders the same types by its statistic, missing values last.
    for (const char* key : {"aic", "bic", "ks", "ad"}) {
        const CliRun r = RunCli(base + " --draws 0 --sort " + key);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto list = nlohmann::json::parse(r.out)["ranking"];
        ASSERT_EQ(list.size(), t.size()) << key;
        bool seenNull = false;
        double previous = -1e300;
        for (const auto& item : list) {
            if (item[key].is_null()) {
                seenNull = true;
                continue;
            }
            EXPECT_FALSE(seenNull) << key;
            EXPECT_GE(item[key].get<double>(), previous) << key;
            previous = item[key].get<double>();
        }
    }
    // The table without --sort is the tightness order, unchanged.
    const CliRun table = RunCli("fit " + kData + "valid_mixed.txt --intervals 5");
    const CliRun tableByTightness =
        RunCli("fit " + kData + "valid_mixed.txt --intervals 5 --sort tightness");
    EXPECT_EQ(table.out, tableByTightness.out);
}

// A sample near 1e100: five-decimal parameter texts run past 100 digits and are written whole,
// every one ending in its five decimals.
TEST(FitCli, ParameterTextsOfHugeValuesAreWhole) {
    const auto file = TempDir() / "huge.txt";
    {
        // Near-normal: the sum of four uniform variates.
        std::ofstream out(file, std::ios::binary);
        out.precision(17);
        std::mt19937 rng(3);
        for (int i = 0; i < 400; ++i) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(rng()) / 4294967296.0;
            out << 1e100 * (1 + 0.05 * (sum - 2)) << "\n";
        }
    }
    const CliRun r = RunCli("fit " + file.string() + " --intervals 16 --json --draws 0");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::regex fiveDecimals(R"(-?[0-9]+\.[0-9]{5})");
    int longTexts = 0;
    const auto j = nlohmann::json::parse(r.out);
    for (const auto& item : j["ranking"]) {
        const std::string parameters = item["characteristics"]["parameters"];
        std::size_t at = 0;
        while ((at = parameters.find('=', at)) != std::string::npos) {
            const std::size_t end = std::min(parameters.find(',', at), parameters.size());
            std::string value = parameters.substr(at + 1, end - at - 1);
            value.erase(value.find_last_not_of(" \t") + 1);
            at = end;
            // 15 significant digits or an exponent: a general-format parameter.
            if (value.find('E') != std::string::npos || value.size() <= 20) continue;
            EXPECT_TRUE(std::regex_match(value, fiveDecimals)) << item["name"] << ": " << value;
            longTexts += value.size() > 63;
        }
    }
    EXPECT_GE(longTexts, 5); // Logistic, Raised-cosine, Fisher-Tippett, Laplace, Weibull
}

TEST(FitCli, TableHasTheSampleRowFirst) {
    const CliRun r = RunCli("fit " + kData + "valid_mixed.txt");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("File=valid_mixed.txt\nn=15\n"), std::string::npos);
    EXPECT_NE(r.out.find("Bins=32\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n0\tPrvotní data\t1\t"), std::string::npos);
}

TEST(FitCli, ATypeFaultingOnTheSampleIsListedAsRefused) {
    // mean_zero.txt: 17 values, mean exactly 0 (the Beta and Gamma estimates hit a pole);
    // deviation_one.txt: 17 values, standard deviation exactly 1 (Student's estimate does).
    struct Case {
        const char* file;
        int faultingType;
    };
    for (const Case c : {Case{"mean_zero.txt", 15}, Case{"deviation_one.txt", 12}}) {
        const CliRun r = RunCli("fit " + kData + c.file + " --intervals 5 --json --draws 0");
        ASSERT_EQ(r.exitCode, 0) << c.file << r.err;
        const auto j = nlohmann::json::parse(r.out);
        EXPECT_GE(j["ranking"].size(), 5u) << c.file;
        std::set<int> types;
        for (const auto& item : j["ranking"])
            types.insert(item["type"].get<int>());
        bool faultListed = false;
        for (const auto& item : j["refused"]) {
            EXPECT_TRUE(types.insert(item["type"].get<int>()).second) << c.file << item;
            const std::string reason = item["reason"];
            if (reason == "math fault") {
                EXPECT_EQ(item["tightness"], 0.0);
                EXPECT_NE(item["message"].get<std::string>().find("Parametric distribution"),
                          std::string::npos);
                faultListed = faultListed || item["type"] == c.faultingType;
            } else if (reason == "tightness outside (0.0001, 1]") {
                const double t = item["tightness"];
                EXPECT_TRUE(t <= 0.0001 || t > 1) << item;
            } else {
                EXPECT_TRUE(reason == "refused by its checks" || reason == "not evaluated") << item;
            }
        }
        EXPECT_TRUE(faultListed) << c.file << " " << j["refused"];
        EXPECT_EQ(types.size(), static_cast<std::size_t>(tessavin::DistributionCount))
            << c.file; // every type ranked or refused, once
    }
}

TEST(FitCli, TooFewClassesAreAdvisedOnStandardError) {
    // 15 values: Sturges asks for 1 + 3.3 log10(15) = 4.88, so 5 classes.
    const CliRun few = RunCli("fit " + kData + "valid_mixed.txt --intervals 4");
    ASSERT_EQ(few.exitCode, 0) << few.err;
    EXPECT_NE(few.err.find("warning"), std::string::npos) << few.err;
    EXPECT_NE(few.err.find("Ndat = 15"), std::string::npos) << few.err;
    EXPECT_NE(few.err.find("Nint  = 5   !"), std::string::npos) << few.err;
    EXPECT_NE(few.out.find("Bins=4\n"), std::string::npos);

    const CliRun enough = RunCli("fit " + kData + "valid_mixed.txt --intervals 5");
    ASSERT_EQ(enough.exitCode, 0) << enough.err;
    EXPECT_EQ(enough.err.find("Sturges"), std::string::npos) << enough.err;
}

TEST(FitCli, BadInputExitsWithTwoAndAMessage) {
    const std::string args[] = {
        "fit",
        "fit --intervals 16",
        "fit " + kData + "no_such_file.txt",
        "fit " + kData + "two_values.txt",
        "fit " + kData + "double_comma.txt",
        "fit " + kData + "valid_mixed.txt --intervals 2",
        "fit " + kData + "valid_mixed.txt --intervals x",
        "fit " + kData + "valid_mixed.txt --eps abc",
        "fit " + kData + "valid_mixed.txt --bogus 1",
        "fit " + kData + "valid_mixed.txt --sort tight",
        "fit " + kData + "valid_mixed.txt --draws -1",
        "fit " + kData + "valid_mixed.txt --draws 1e3",
    };
    for (const std::string& a : args)
        ExpectRefused(a);
}

} // namespace
