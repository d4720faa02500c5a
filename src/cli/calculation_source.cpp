#include "calculation_source.h"

#include <cctype>
#include <filesystem>
#include <variant>

#include "common/regular_file.h"
#include "files/project_checks.h"
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
        // As the desktop program opens it: the stored histograms are used as they are, once they
        // and the field texts have passed the checks of the input page.
        auto read = OpenProjectFile(path);
        if (const Failure* f = std::get_if<Failure>(&read)) {
            source.error = f->text;
            return source;
        }
        const ProjectData& project = std::get<ProjectData>(read);
        ApplyProject(project, in, state);
        source.projectLanguage = project.english ? Language::English : Language::Czech;
        return source;
    }
    auto text = ReadRegularFile(path, MaxUserFileBytes);
    if (const FileReadFailure* f = std::get_if<FileReadFailure>(&text)) {
        source.error = "cannot read '" + path + "': " + f->reason;
        return source;
    }
    const RunInputOutcome read = ReadRunInput(std::get<std::string>(text), in);
    if (!read.ok) source.error = read.notJson ? path + ": " + read.error : read.error;
    source.warnings = read.warnings;
    source.target = read.target;
    return source;
}

} // namespace tessavin::cli
