#pragma once
// An opened project runs only with what the input page, the integration window and the histogram
// checks would accept: a file written by hand or by another tool is held to the same rules.
#include <filesystem>
#include <optional>
#include <variant>

#include "common/failure.h"
#include "files/project_file.h"

namespace tessavin {

// The first refusal, in the order the input page visits its fields: the message of the field's
// check, or "Invalid property value" for a stored histogram that cannot be used. The six input
// histograms must be usable; DeltaS^m and the four results usable or empty (never built).
std::optional<Failure> CheckProject(const ProjectData& project);

// Reads, decodes and checks a project: nothing is returned unless all three succeed.
std::variant<ProjectData, Failure> OpenProjectFile(const std::filesystem::path& path);

} // namespace tessavin
