#include "common/regular_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

FileReadFailure SystemFailure(int error) {
    return FileReadFailure{error == ENOENT, error == EISDIR, std::strerror(error)};
}

std::string SizeText(std::uintmax_t bytes) {
    if (bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
    return std::to_string(bytes) + " bytes";
}

FileReadFailure TooLarge(std::uintmax_t maxBytes) {
    return FileReadFailure{false, false,
                           FormatMessage(TextCis(msg::LargerThan), SizeText(maxBytes))};
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

} // namespace

std::variant<std::string, FileReadFailure> ReadRegularFile(const std::filesystem::path& path,
                                                           std::uintmax_t maxBytes) {
    // Non-blocking, so that opening a pipe without a writer returns at once; the type is then
    // taken from the opened file itself, which leaves no gap for a swap after a check by name.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return SystemFailure(errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return SystemFailure(errno);
    if (!S_ISREG(info.st_mode)) return FileReadFailure{false, true, TextCis(msg::NotRegularFile)};
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > maxBytes) return TooLarge(maxBytes);

    // A file that grows while it is read is still cut off at the bound.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return SystemFailure(errno);
        }
        if (got == 0) break;
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) return TooLarge(maxBytes);
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

} // namespace tessavin
