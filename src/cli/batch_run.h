#pragma once
// A batch of studies from a JSON Lines file: every study line gives one result line, in the
// order of the input, whatever the number of jobs; results of an earlier run are kept.
#include <atomic>
#include <string>

namespace tessavin::cli {

struct BatchOptions {
    std::string studies; // STUDIES.jsonl
    std::string out;     // RESULTS.jsonl, created or resumed
    std::string summary; // OWNERS.csv; empty for none
    int jobs = 1;        // studies run at once
    int shard = 1;       // this shard, 1 .. shards: the study lines i (from 0) with
    int shards = 1;      // i mod shards = shard - 1
};

struct BatchCounts {
    long studies = 0; // study lines of this shard with a result line
    long failed = 0;
    long reused = 0; // kept from the earlier run
    bool interrupted = false;
    std::string error; // the batch could not go on: unreadable input, unwritable output
};

// Runs the batch. `stop` is read before each study is started: once set, the studies running
// are finished and written, and no others start. With showProgress a progress line is kept on
// standard error.
BatchCounts RunBatch(const BatchOptions& options, const std::atomic<bool>& stop, bool showProgress);

} // namespace tessavin::cli
