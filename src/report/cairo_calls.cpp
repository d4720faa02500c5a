#include "cairo_calls.h"

#include <dlfcn.h>

namespace tessavin::report {
namespace {

struct LoadedCairo {
    CairoCalls calls;
    std::optional<std::string> problem;
};

const LoadedCairo& Loaded() {
    static const LoadedCairo loaded = [] {
        LoadedCairo l;
        l.problem = LoadCairoCalls(CairoLibrary, l.calls);
        return l;
    }();
    return loaded;
}

} // namespace

std::optional<std::string> LoadCairoCalls(const char* library, CairoCalls& calls) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        return std::string("the PDF library cannot be loaded (") + (why ? why : library) +
               "); install cairo (Debian: libcairo2)";
    }
    std::string missing;
#define TESSAVIN_CAIRO_TAKE(name)                                                                  \
    calls.name = reinterpret_cast<decltype(calls.name)>(dlsym(handle, "cairo_" #name));            \
    if (!calls.name) missing += std::string(missing.empty() ? "" : ", ") + "cairo_" #name;
    TESSAVIN_CAIRO_FUNCTIONS(TESSAVIN_CAIRO_TAKE)
#undef TESSAVIN_CAIRO_TAKE
    if (!missing.empty())
        return std::string("the PDF library ") + library + " lacks " + missing +
               ": it is older than this program needs";
    return std::nullopt;
}

std::optional<std::string> CairoProblem() {
    return Loaded().problem;
}

const CairoCalls& Cairo() {
    return Loaded().calls;
}

} // namespace tessavin::report
