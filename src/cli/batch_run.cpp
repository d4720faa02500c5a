#include "batch_run.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <future>
#include <unordered_map>

#include "calculation/resistance_histograms.h"
#include "common/number_format.h"
#include "ordered_jobs.h"
#include "progress_line.h"
#include "results_file.h"
#include "study_result.h"

namespace tessavin::cli {
namespace {

using nlohmann::ordered_json;
using Clock = std::chrono::steady_clock;

// Reads the studies file line by line, numbering physical lines and study lines.
class StudyReader {
  public:
    explicit StudyReader(const std::string& path) : in_(path, std::ios::binary) {}
    bool ok() const { return static_cast<bool>(in_); }
    // The next line that holds a study; false at the end.
    bool Next(std::string& text) {
        while (std::getline(in_, text)) {
            ++line_;
            if (!text.empty() && text.back() == '\r') text.pop_back();
            if (HoldsStudy(text)) {
                ++study_;
                return true;
            }
        }
        return false;
    }
    long line() const { return line_; }
    long study() const { return study_ - 1; } // the index of the last study line, from 0

  private:
    std::ifstream in_;
    long line_ = 0;
    long study_ = 0;
};

bool InShard(long study, const BatchOptions& o) {
    return study % o.shards == o.shard - 1;
}

long CountStudies(const BatchOptions& o) {
    StudyReader reader(o.studies);
    std::string text;
    long n = 0;
    while (reader.Next(text))
        n += InShard(reader.study(), o) ? 1 : 0;
    return n;
}

struct Pending {
    std::future<ordered_json> result;
    std::string keptText; // set when the earlier run's line is kept
    bool inPlace = false; // kept where it already stands
};

std::future<ordered_json> Ready(ordered_json j) {
    std::promise<ordered_json> p;
    p.set_value(std::move(j));
    return p.get_future();
}

// The owner's table from the results file, written beside the target and renamed over it.
std::optional<std::string> WriteSummary(const std::string& results, const std::string& target) {
    std::ifstream in(results, std::ios::binary);
    const std::string part = target + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!in || !out) return "cannot write the summary '" + target + "'";
    out << SummaryHeader() << "\r\n";
    std::string line;
    while (std::getline(in, line)) {
        const ordered_json result = ordered_json::parse(line, nullptr, false);
        if (result.is_object()) out << SummaryRow(result) << "\r\n";
    }
    out.close();
    std::error_code ec;
    if (!out || (std::filesystem::rename(part, target, ec), ec)) {
        std::filesystem::remove(part, ec);
        return "cannot write the summary '" + target + "'";
    }
    return std::nullopt;
}

// Lines done, failed, the rate of the studies run and the time left, on one terminal line.
class Progress {
  public:
    Progress(bool on, long total) : line_(on), total_(total), start_(Clock::now()) {}
    void Show(const BatchCounts& c, long computed) {
        const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        const double rate = seconds > 0 ? static_cast<double>(computed) / seconds : 0.0;
        const std::string left = rate > 0
                                     ? TimeText(static_cast<long long>(
                                           1000.0 * static_cast<double>(total_ - c.studies) / rate))
                                     : "?";
        line_.Show("lines " + std::to_string(c.studies) + "/" + std::to_string(total_) +
                   ", failed " + std::to_string(c.failed) + ", " + FixedText(rate, 1) +
                   "/s, left " + left);
    }
    void Done() { line_.Done(); }

  private:
    ProgressLine line_;
    long total_;
    Clock::time_point start_;
};

} // namespace

BatchCounts RunBatch(const BatchOptions& o, const std::atomic<bool>& stop, bool showProgress) {
    BatchCounts counts;
    StudyReader reader(o.studies);
    if (!reader.ok()) {
        counts.error = "cannot read '" + o.studies + "'";
        return counts;
    }
    ResultsFile results;
    results.SetUpgrade(UpgradeResult);
    if (auto failure = results.Open(o.out)) {
        counts.error = *failure;
        return counts;
    }
    Progress progress(showProgress, showProgress ? CountStudies(o) : 0);
    // With several studies at once each runs on one thread; alone, a study uses every core.
    const int threads = o.jobs > 1 ? 1 : 0;
    // The details of a network share their resistance histograms: built once for the batch
    // (declared before the workers, which use it until they are joined).
    ResistanceCache resistances;
    OrderedJobs<ordered_json> jobs(o.jobs);
    std::deque<Pending> window;
    const std::size_t windowSize = static_cast<std::size_t>(o.jobs) * 2;
    std::unordered_map<std::string, long> firstLineOfId;
    long computed = 0;
    bool leftOut = false; // a study was left out when the batch stopped

    const auto emit = [&](Pending& p) {
        const ordered_json j = p.result.get();
        // Lines are written in order only: after a study left out, nothing more.
        if (j.is_null() || leftOut) {
            leftOut = counts.interrupted = true;
            return;
        }
        if (!p.inPlace && counts.error.empty()) {
            if (auto failure = results.Write(p.keptText.empty() ? j.dump() : p.keptText))
                counts.error = *failure;
        }
        ++counts.studies;
        if (j.value("status", "") != "ok") ++counts.failed;
        if (!p.keptText.empty()) ++counts.reused;
        progress.Show(counts, computed);
    };

    std::string text;
    while (counts.error.empty() && reader.Next(text)) {
        // Every shard reads every line's id, so a duplicate is one in every shard's eyes.
        StudyLine study = ReadStudyLine(text, reader.line());
        const auto [first, isNew] = firstLineOfId.emplace(study.id, study.line);
        if (!InShard(reader.study(), o)) continue;
        if (stop.load()) {
            counts.interrupted = true;
            break;
        }
        Pending p;
        if (!isNew) {
            p.result = Ready(FailedResult(
                study, "duplicate id, first on line " + std::to_string(first->second), "/id"));
        } else if (auto kept = results.Take(study.line, study.id, study.sha256)) {
            p.keptText = kept->text;
            p.inPlace = kept->inPlace;
            p.result = Ready(ordered_json::parse(kept->text));
        } else {
            ++computed;
            // A study not yet started when the batch is stopped is left for the next run.
            p.result = jobs.Submit([s = std::move(study), threads, &stop, &resistances] {
                return stop.load() ? ordered_json() : StudyResult(s, threads, &resistances);
            });
        }
        window.push_back(std::move(p));
        while (!window.empty() && (window.size() > windowSize ||
                                   window.front().result.wait_for(std::chrono::seconds(0)) ==
                                       std::future_status::ready)) {
            emit(window.front());
            window.pop_front();
        }
    }
    for (Pending& p : window)
        emit(p);
    progress.Done();
    if (!counts.error.empty()) return counts;
    if (!counts.interrupted)
        if (auto failure = results.Finish()) counts.error = *failure;
    if (counts.error.empty() && !counts.interrupted && !o.summary.empty())
        if (auto failure = WriteSummary(o.out, o.summary)) counts.error = *failure;
    return counts;
}

} // namespace tessavin::cli
