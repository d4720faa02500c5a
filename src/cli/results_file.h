#pragma once
// The results file of a batch, written one whole line at a time and resumed: the lines an
// earlier run left are kept where the studies still match them, and nothing else stays.
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include <nlohmann/json_fwd.hpp>

namespace tessavin::cli {

class ResultsFile {
  public:
    ResultsFile() = default;
    ~ResultsFile();
    ResultsFile(const ResultsFile&) = delete;
    ResultsFile& operator=(const ResultsFile&) = delete;

    // A kept "ok" line in an earlier format is brought up to the current one by `upgrade` (true
    // when it changed the line); such a line is kept, and written again as upgraded.
    void SetUpgrade(std::function<bool(nlohmann::ordered_json&)> upgrade) {
        upgrade_ = std::move(upgrade);
    }

    // Opens or creates the file; a trailing partial line of an earlier run is dropped. The
    // message when the file cannot be opened.
    std::optional<std::string> Open(const std::string& path);

    struct Kept {
        std::string text; // the result line without its line end
        bool inPlace;     // already where it belongs: nothing to write
    };
    // The earlier result of the next study in order, when it is "ok" with the same id and input
    // fingerprint; its "line" is set to `line`. Studies are taken and written in their order;
    // a study that is not taken (a duplicate id) is simply written.
    std::optional<Kept> Take(long line, const std::string& id, const std::string& sha256);

    // Appends one whole result line (the line end is added) with one write; the message on
    // failure.
    std::optional<std::string> Write(const std::string& text);

    // Drops earlier lines after the last study taken or written.
    std::optional<std::string> Finish();

  private:
    struct OldLine {
        long line = 0;
        std::string id, sha256, text;
        long long bytes = 0; // in the file, with the line end (text may be upgraded)
        bool ok = false;
        bool upgraded = false; // text is no longer what the file holds
    };
    std::optional<OldLine> ReadOldLine();
    std::optional<std::string> Diverge();

    int fd_ = -1;
    std::ifstream old_;      // the earlier lines, read in step with the studies
    long long oldWhole_ = 0; // bytes of the whole earlier lines
    long long cursor_ = 0;   // end of the earlier lines kept in place
    bool appending_ = false; // the earlier lines from cursor_ on were dropped
    std::map<std::pair<std::string, std::string>, std::string> later_; // dropped "ok" lines
    std::function<bool(nlohmann::ordered_json&)> upgrade_;
};

} // namespace tessavin::cli
