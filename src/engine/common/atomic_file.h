#pragma once
// Saving a file so that a failure never destroys the previous version: the bytes go to a
// temporary file in the target folder, which is renamed over the target only when complete.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tessavin {

// Writes bytes as the whole content of target. Returns a description of the failure, or nothing
// on success. On failure the target is as it was and no temporary file is left behind.
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& target,
                                               std::string_view bytes);

// Temporary files are named ".tessavin-<pid>-<n>[.xlsx].tmp". A save killed before its rename
// leaves one behind; this removes those of processes that no longer run from folder.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// The pid of a temporary file's name, or nothing for any other name.
std::optional<long> TemporaryOwner(std::string_view fileName);

} // namespace tessavin
