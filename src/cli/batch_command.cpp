#include "batch_command.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <thread>

#include "batch_run.h"
#include "cli_args.h"
#include "cli_output.h"
#include "common/number_format.h"
#include "common/number_parse.h"
#include "interrupt_signal.h"

namespace tessavin::cli {
namespace {

int Refuse(const std::string& message) {
    std::cerr << "tessavin-cli batch: " << ForTerminal(message) << "\n";
    return kBadInput;
}

int WholeOption(const std::string& text, const std::string& what, long long lo, long long hi) {
    const auto n = ParseWhole(text);
    if (!n || *n < lo || *n > hi)
        throw std::invalid_argument(what + " must be a whole number " + std::to_string(lo) +
                                    " .. " + std::to_string(hi));
    return static_cast<int>(*n);
}

BatchOptions ReadOptions(const std::vector<std::string>& words) {
    if (words.empty() || words[0].rfind("--", 0) == 0)
        throw std::invalid_argument("a studies file is required");
    const Args args(std::vector<std::string>(words.begin() + 1, words.end()),
                    {"out", "jobs", "shard", "summary", "lang"}, {});
    if (!ApplyLanguageOption(args)) throw std::invalid_argument("--lang must be en or cs");
    BatchOptions o;
    o.studies = words[0];
    const auto out = args.value("out");
    if (!out) throw std::invalid_argument("--out RESULTS.jsonl is required");
    o.out = *out;
    o.summary = args.value("summary").value_or("");
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    o.jobs = args.value("jobs") ? WholeOption(*args.value("jobs"), "--jobs", 1, 256)
                                : (cores > 0 ? cores : 1);
    if (const auto shard = args.value("shard")) {
        const std::size_t slash = shard->find('/');
        if (slash == std::string::npos)
            throw std::invalid_argument("--shard must be I/N, e.g. 2/8");
        o.shards = WholeOption(shard->substr(slash + 1), "N of --shard I/N", 1, 1000000);
        o.shard = WholeOption(shard->substr(0, slash), "I of --shard I/N", 1, o.shards);
    }
    // A device or a pipe would be read without end.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(o.studies, ec))
        throw std::invalid_argument("'" + o.studies + "' is not a readable file");
    // The results must never overwrite the studies they come from.
    for (const std::string* target : {&o.out, &o.summary})
        if (!target->empty() && std::filesystem::equivalent(o.studies, *target, ec))
            throw std::invalid_argument("'" + *target + "' is the studies file");
    if (!o.summary.empty() && std::filesystem::equivalent(o.out, o.summary, ec))
        throw std::invalid_argument("--out and --summary name the same file");
    return o;
}

} // namespace

int RunBatchCommand(const std::vector<std::string>& words) {
    BatchOptions options;
    try {
        options = ReadOptions(words);
    } catch (const std::invalid_argument& e) {
        return Refuse(e.what());
    }
    std::atomic<bool> stop{false};
    const auto start = std::chrono::steady_clock::now();
    const BatchCounts c = [&] {
        const InterruptOnSigint sigint(stop);
        return RunBatch(options, stop, isatty(STDERR_FILENO) == 1);
    }();
    if (!c.error.empty()) return Refuse(c.error);
    std::cerr
        << "batch: " << c.studies << " studies, " << c.studies - c.failed << " ok (" << c.reused
        << " kept from the earlier run), " << c.failed << " failed, "
        << FixedText(
               std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1)
        << " s\n";
    if (c.interrupted) {
        std::cerr << "note: interrupted; run the same command again to complete the results"
                  << (options.summary.empty() ? "" : " and write the summary") << "\n";
        return kInterrupted;
    }
    return 0;
}

} // namespace tessavin::cli
