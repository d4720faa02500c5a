#include "common/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

std::string Describe(int message, const std::filesystem::path& file, int error) {
    return FormatMessage(TextCis(message), {file.string(), std::strerror(error)});
}

// Creates a new, exclusively owned file beside the target. The name has a bounded length, so a
// target whose own name is near the file-system limit can still be saved.
int CreateTemporary(const std::filesystem::path& folder, std::filesystem::path& created,
                    int& error) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".tessavin-%ld-%u.tmp", static_cast<long>(::getpid()),
                      counter.fetch_add(1));
        created = folder.empty() ? std::filesystem::path(name) : folder / name;
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        error = errno;
        if (error != EEXIST) return -1;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool ProcessRuns(long pid) {
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

std::optional<long> TemporaryOwner(std::string_view name) {
    constexpr std::string_view prefix = ".tessavin-";
    if (name.substr(0, prefix.size()) != prefix) return std::nullopt;
    name.remove_prefix(prefix.size());
    auto number = [&name]() -> std::optional<long> {
        long value = 0;
        const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
        if (ec != std::errc() || end == name.data()) return std::nullopt;
        name.remove_prefix(static_cast<std::size_t>(end - name.data()));
        return value;
    };
    const std::optional<long> pid = number();
    if (!pid || *pid <= 0 || name.substr(0, 1) != "-") return std::nullopt;
    name.remove_prefix(1);
    if (!number() || (name != ".tmp" && name != ".xlsx.tmp")) return std::nullopt;
    return pid;
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    for (std::filesystem::directory_iterator it(where, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::optional<long> owner = TemporaryOwner(it->path().filename().string());
        if (!owner || *owner == static_cast<long>(::getpid()) || ProcessRuns(*owner)) continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored) && !it->is_symlink(ignored))
            std::filesystem::remove(it->path(), ignored);
    }
}

std::optional<std::string> WriteFileAtomically(const std::filesystem::path& target,
                                               std::string_view bytes) {
    RemoveStaleTemporaries(target.parent_path());
    std::filesystem::path temporary;
    int error = 0;
    const int fd = CreateTemporary(target.parent_path(), temporary, error);
    if (fd < 0) return Describe(msg::CannotCreateTemporary, target, error);

    // A replaced file keeps its permissions; a new one gets the default of the process.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd, existing.st_mode & 07777);

    bool ok = WriteAll(fd, bytes, error);
    // The data must be on disk before the rename makes it the file's content.
    if (ok && ::fsync(fd) != 0) error = errno, ok = false;
    if (::close(fd) != 0 && ok) error = errno, ok = false;
    if (!ok) {
        ::unlink(temporary.c_str());
        return Describe(msg::CannotWrite, temporary, error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return Describe(msg::CannotReplace, target, error);
    }
    return std::nullopt;
}

} // namespace tessavin
