#pragma once
// Reading a user's file whole. Only a regular file has an end: a device, a pipe or a directory
// is refused before anything is read, and so is a file larger than the bound of its kind.
#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>

namespace tessavin {

// Project, settings, JSON input and raw data files.
inline constexpr std::uintmax_t MaxUserFileBytes = 64u << 20;

struct FileReadFailure {
    bool missing = false;    // the path names nothing
    bool notRegular = false; // a directory, a device, a pipe or a socket
    std::string reason;      // "not a regular file", "larger than 64 MB", or the system's text
};

// The whole content of a regular file of at most maxBytes bytes. A symbolic link counts as what
// it points to. Never blocks on a pipe without a writer.
std::variant<std::string, FileReadFailure> ReadRegularFile(const std::filesystem::path& path,
                                                           std::uintmax_t maxBytes);

} // namespace tessavin
