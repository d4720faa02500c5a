// The project reader: any bytes are read wholly or refused with one of its two messages; what is
// read encodes and decodes to the same project, and the checks of an opened project never fail
// on it.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "files/project_checks.h"
#include "files/project_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessavin;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto read = DecodeProject(bytes);
    if (const Failure* f = std::get_if<Failure>(&read)) {
        FUZZ_CHECK(f->text == "Stream read error" || f->text == "Invalid property value");
        return 0;
    }
    const ProjectData& once = std::get<ProjectData>(read);
    const std::string encoded = EncodeProject(once);
    auto again = DecodeProject(encoded);
    FUZZ_CHECK(std::holds_alternative<ProjectData>(again));
    // The encoding holds every stored field, so equal encodings are equal projects.
    FUZZ_CHECK(EncodeProject(std::get<ProjectData>(again)) == encoded);
    CheckProject(once);
    return 0;
}
