#include "results_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <nlohmann/json.hpp>

namespace tessavin::cli {
namespace {

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

} // namespace

ResultsFile::~ResultsFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<std::string> ResultsFile::Open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return SystemError("cannot open '" + path + "'");
    // The earlier lines end at the last line end: what follows it is a line cut off by a kill.
    const off_t size = ::lseek(fd_, 0, SEEK_END);
    if (size < 0) return SystemError("cannot read '" + path + "'");
    long long whole = size;
    constexpr long long kChunk = 4096;
    std::string chunk(kChunk, '\0');
    while (whole > 0) {
        const long long from = whole > kChunk ? whole - kChunk : 0;
        const ssize_t n = ::pread(fd_, chunk.data(), static_cast<std::size_t>(whole - from), from);
        if (n < 0) return SystemError("cannot read '" + path + "'");
        const std::size_t at =
            n > 0 ? chunk.rfind('\n', static_cast<std::size_t>(n) - 1) : std::string::npos;
        if (at != std::string::npos) {
            whole = from + static_cast<long long>(at) + 1;
            break;
        }
        whole = from;
    }
    oldWhole_ = whole;
    old_.open(path, std::ios::binary);
    if (!old_) return "cannot read '" + path + "'";
    return std::nullopt;
}

std::optional<ResultsFile::OldLine> ResultsFile::ReadOldLine() {
    if (appending_ || cursor_ >= oldWhole_) return std::nullopt;
    OldLine o;
    if (!std::getline(old_, o.text)) return std::nullopt;
    o.bytes = static_cast<long long>(o.text.size()) + 1;
    try {
        auto j = nlohmann::ordered_json::parse(o.text);
        o.line = j.at("line").get<long>();
        o.id = j.at("id").get<std::string>();
        o.ok = j.at("status") == "ok" && j.at("input_sha256").is_string();
        if (o.ok) o.sha256 = j.at("input_sha256").get<std::string>();
        if (o.ok && upgrade_ && upgrade_(j)) {
            o.text = j.dump();
            o.upgraded = true;
        }
    } catch (const nlohmann::json::exception&) {
        o.ok = false; // not a result line: dropped
    }
    return o;
}

std::optional<std::string> ResultsFile::Diverge() {
    // The earlier lines from here on are read once, their "ok" results kept for the studies to
    // come, and cut from the file; from now on every line is appended.
    const long long cut = cursor_;
    while (const auto o = ReadOldLine()) {
        cursor_ += o->bytes;
        if (o->ok) later_.emplace(std::make_pair(o->id, o->sha256), o->text);
    }
    appending_ = true;
    old_.close();
    if (::ftruncate(fd_, cut) != 0) return SystemError("cannot shorten the results file");
    if (::lseek(fd_, 0, SEEK_END) < 0) return SystemError("cannot write the results file");
    return std::nullopt;
}

std::optional<ResultsFile::Kept> ResultsFile::Take(long line, const std::string& id,
                                                   const std::string& sha256) {
    if (!appending_) {
        const std::streampos here = old_.tellg();
        const auto o = ReadOldLine();
        // An upgraded line is not what the file holds there: it is written again.
        if (o && o->ok && !o->upgraded && o->line == line && o->id == id && o->sha256 == sha256) {
            cursor_ += o->bytes;
            return Kept{o->text, true};
        }
        if (o) {
            old_.clear();
            old_.seekg(here);
        }
        if (Diverge()) return std::nullopt; // a failed cut shows when the line is written
    }
    if (sha256.empty()) return std::nullopt;
    const auto it = later_.find({id, sha256});
    if (it == later_.end()) return std::nullopt;
    auto j = nlohmann::ordered_json::parse(it->second);
    later_.erase(it);
    j["line"] = line;
    return Kept{j.dump(), false};
}

std::optional<std::string> ResultsFile::Write(const std::string& text) {
    if (!appending_) {
        if (auto failure = Diverge()) return failure;
    }
    const std::string whole = text + "\n";
    std::size_t done = 0;
    while (done < whole.size()) {
        const ssize_t n = ::write(fd_, whole.data() + done, whole.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return SystemError("cannot write the results file");
        done += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

std::optional<std::string> ResultsFile::Finish() {
    if (!appending_) return Diverge();
    return std::nullopt;
}

} // namespace tessavin::cli
