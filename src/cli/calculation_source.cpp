#include "calculation_source.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <variant>

#include "files/project_file.h"
#include "run_input.h"

namespace tessavin::cli {

namespace {
bool IsProjectFile(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".vys";
}
} // namespace

CalculationSource LoadCalculation(const std::string& path, CalculationInputs& in,
                                  CalculationState& state) {
    CalculationSource source;
    if (IsProjectFile(path)) {
        auto read = ReadProjectFile(path);
        if (const Failure* f = std::get_if<Failure>(&read)) {
            source.error = f->text;
            return source;
        }
        const ProjectData& project = std::get<ProjectData>(read);
        ApplyProject(project, in, state);
        source.projectLanguage = project.english ? Language::English : Language::Czech;
        return source;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        source.error = "cannot read '" + path + "'";
        return source;
    }
    std::stringstream text;
    text << file.rdbuf();
    const RunInputOutcome read = ReadRunInput(text.str(), in);
    if (!read.ok) source.error = read.error;
    source.warnings = read.warnings;
    return source;
}

} // namespace tessavin::cli
