#include "fit_command.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <thread>

#include "cli_args.h"
#include "cli_output.h"
#include "common/number_parse.h"
#include "goodness/bootstrap.h"
#include "goodness/goodness_order.h"
#include "localisation/language.h"
#include "rawdata/class_count_advice.h"
#include "rawdata/fit_ranking.h"
#include "rawdata/raw_sample.h"
#include "statlib/number_text.h"

namespace tessavin::cli {
namespace {

constexpr const char* kFieldNames[11] = {"type",     "tightness", "median",    "mode",
                                         "mean",     "variance",  "deviation", "variation",
                                         "skewness", "kurtosis",  "parameters"};

int Refuse(const std::string& message) {
    std::cerr << "tessavin-cli fit: " << ForTerminal(message) << "\n";
    return kBadInput;
}

void PrintSample(const RawSample& s, const SampleHistogramView& v) {
    const WorkingHistogram& h = v.histogram;
    std::cout << "File=" << s.fileName << "\n"
              << "n=" << s.count << "\n"
              << "Mean=" << StrNaCarku(s.mean) << "\n"
              << "Variance=" << StrNaCarku(s.variance) << "\n"
              << "Deviation=" << StrNaCarku(s.deviation) << "\n"
              << "Skewness=" << StrNaCarku(s.skewness) << "\n"
              << "Minimum=" << StrNaCarku(s.minimum) << "\n"
              << "Maximum=" << StrNaCarku(s.maximum) << "\n"
              << "Bins=" << h.Bins << "\n"
              << "Step=" << StrNaCarku(h.Step) << "\n"
              << "Class\tValue\tProbability\n";
    for (int i = 1; i <= h.Bins; ++i)
        std::cout << i << "\t" << StrNaCarku(h.Min + (i - 0.5) * h.Step) << "\t"
                  << StrNaCarku(h.P[i]) << "\n";
}

void PrintRow(const std::string& rank, const CharacteristicsRow& row) {
    std::cout << rank;
    for (int f = 0; f <= 10; ++f)
        std::cout << "\t" << row.fields[f];
    std::cout << "\n";
}

nlohmann::ordered_json RowJson(const CharacteristicsRow& row) {
    nlohmann::ordered_json j;
    for (int f = 0; f <= 10; ++f)
        j[kFieldNames[f]] = row.fields[f];
    return j;
}

// The accepted candidates best first, each with its characteristics row.
std::vector<std::pair<const FitEntry*, const CharacteristicsRow*>> Ranked(const FitRanking& r) {
    std::vector<std::pair<const FitEntry*, const CharacteristicsRow*>> out;
    for (const FitEntry& e : r.entries) {
        if (e.tightness <= 0) break;
        for (std::size_t i = 0; i < r.rowTypes.size(); ++i)
            if (r.rowTypes[i] == e.type) out.emplace_back(&e, &r.rows[i]);
    }
    return out;
}

// A message box text on one line: runs of blanks, tabs and line ends become one blank.
std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The types missing from the ranking, each with why, so that a script can tell.
nlohmann::ordered_json RefusedJson(const FitRanking& r) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const RefusedFit& f : r.refused) {
        nlohmann::ordered_json item;
        item["type"] = f.type;
        item["name"] = FitTypeName(f.type);
        item["reason"] = FitRefusalKey(f.reason);
        if (f.reason == FitRefusal::MathFault) item["message"] = OneLine(f.message);
        item["tightness"] = f.tightness;
        list.push_back(item);
    }
    return list;
}

using RankedList = std::vector<std::pair<const FitEntry*, const CharacteristicsRow*>>;

// Reorders the ranking and its statistics together; equal values keep the tightness order.
void SortBy(GoodnessKey key, RankedList& ranked, std::vector<GoodnessOfFit>& stats) {
    RankedList r;
    std::vector<GoodnessOfFit> g;
    for (std::size_t i : GoodnessOrder(key, stats)) {
        r.push_back(ranked[i]);
        g.push_back(stats[i]);
    }
    ranked = std::move(r);
    stats = std::move(g);
}

// The goodness-of-fit fields of one ranked type; null where a statistic is missing, and why.
void AddGoodness(nlohmann::ordered_json& item, const GoodnessOfFit& g) {
    for (int k = 0; k < GoodnessKeyCount; ++k) {
        const auto key = static_cast<GoodnessKey>(k);
        const std::optional<double> v = GoodnessValue(key, g);
        item[std::string(GoodnessKeyName(key))] =
            v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json(nullptr);
    }
    const bool edf = g.reason.empty();
    nlohmann::ordered_json why = nlohmann::ordered_json::object();
    if (!g.reason.empty()) why["all"] = g.reason;
    if (g.reason.empty() && !g.likelihoodReason.empty()) why["loglik"] = g.likelihoodReason;
    if (edf && !g.adReason.empty()) why["ad"] = g.adReason;
    if (!g.pReason.empty()) why["p"] = g.pReason;
    if (!why.empty()) item["reasons"] = why;
}

} // namespace

int RunFitCommand(const std::vector<std::string>& words) {
    if (words.empty() || words[0].rfind("--", 0) == 0) return Refuse("the data file is missing");
    std::optional<Args> args;
    try {
        args.emplace(std::vector<std::string>(words.begin() + 1, words.end()),
                     std::set<std::string>{"intervals", "eps", "lang", "sort", "draws"},
                     std::set<std::string>{"json"});
    } catch (const std::invalid_argument& e) {
        return Refuse(e.what());
    }
    if (!ApplyLanguageOption(*args)) return Refuse("--lang must be en or cs");
    FitSettings settings;
    const std::string intervalsText = args->value("intervals").value_or("32");
    const auto intervals = ParseWhole(intervalsText);
    if (!intervals || *intervals < 3 || *intervals > MaxBins)
        return Refuse("--intervals must be a whole number 3 .. " + std::to_string(MaxBins) + ": '" +
                      intervalsText + "'");
    settings.intervals = static_cast<int>(*intervals);
    settings.eps = args->value("eps").value_or("1E-7");

    const std::string sortKey = args->value("sort").value_or("tightness");
    if (sortKey != "tightness" && sortKey != "aic" && sortKey != "bic" && sortKey != "ks" &&
        sortKey != "ad")
        return Refuse("--sort must be tightness, aic, bic, ks or ad: '" + sortKey + "'");
    const std::string drawsText = args->value("draws").value_or("1000");
    const auto draws = ParseWhole(drawsText);
    if (!draws || *draws < 0 || *draws > 1000000)
        return Refuse("--draws must be a whole number 0 .. 1000000: '" + drawsText + "'");
    const bool json = args->has("json");

    auto read = ReadRawDataFile(words[0]);
    if (const auto* f = std::get_if<Failure>(&read)) return Refuse(f->text);
    const RawSample& sample = std::get<RawSample>(read);
    // The range as the window's fields show it after reading.
    settings.min = ThroughDisplayText(sample.minimum);
    settings.max = ThroughDisplayText(sample.maximum);
    if (!(settings.min < settings.max))
        return Refuse("all values are equal: a histogram needs a range MinX < MaxX");

    auto made = FitContext::Make(sample, settings);
    if (const auto* f = std::get_if<Failure>(&made)) return Refuse(f->text);
    const FitContext& context = std::get<FitContext>(made);
    const FitRanking ranking = RankParametricFits(context);
    if (!ranking.completed) {
        for (const Failure& f : ranking.reports)
            std::cerr << ForTerminal(f.text) << "\n";
        return kBadInput;
    }
    RankedList ranked = Ranked(ranking);
    // The statistics are computed only where they are shown or ordered by.
    std::vector<GoodnessOfFit> stats;
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (json || sortKey != "tightness") {
        stats = MeasureRanking(context, sample, ranking, threads);
        if (json && *draws > 0) {
            BootstrapSettings b;
            b.draws = static_cast<int>(*draws);
            b.threads = threads;
            BootstrapRanking(stats, context, sample, settings, ranking.weibullShape, b);
        }
        if (sortKey != "tightness") SortBy(*GoodnessKeyNamed(sortKey), ranked, stats);
    }

    if (json) {
        nlohmann::ordered_json j;
        j["file"] = sample.fileName;
        j["sample"] = {{"n", sample.count},           {"mean", sample.mean},
                       {"variance", sample.variance}, {"deviation", sample.deviation},
                       {"skewness", sample.skewness}, {"minimum", sample.minimum},
                       {"maximum", sample.maximum}};
        DiscreteHistogram h;
        StoreWorkingHistogram(context.sampleView().histogram, h);
        j["histogram"] = HistogramJson(h);
        j["characteristics"] = RowJson(ranking.sampleRow);
        j["weibullShape"] = ranking.weibullShape;
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < ranked.size(); ++i) {
            const auto& [entry, row] = ranked[i];
            nlohmann::ordered_json item;
            item["type"] = entry->type;
            item["name"] = row->fields[0];
            item["tightness"] = entry->tightness;
            item["characteristics"] = RowJson(*row);
            AddGoodness(item, stats[i]);
            list.push_back(item);
        }
        j["ranking"] = list;
        j["refused"] = RefusedJson(ranking);
        std::cout << j.dump() << "\n";
    } else {
        if (const auto advice = TooFewClassesAdvice(sample.count, settings.intervals))
            std::cerr << "tessavin-cli fit: warning: " << ForTerminal(*advice) << "\n";
        PrintSample(sample, context.sampleView());
        std::cout << "Rank";
        for (const char* name : kFieldNames)
            std::cout << "\t" << name;
        std::cout << "\n";
        PrintRow("0", ranking.sampleRow);
        int rank = 0;
        for (const auto& [entry, row] : ranked)
            PrintRow(std::to_string(++rank), *row);
    }
    if (ranked.empty())
        for (const Failure& f : ranking.reports)
            std::cerr << ForTerminal(f.text) << "\n";
    return 0;
}

} // namespace tessavin::cli
