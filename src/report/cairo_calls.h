#pragma once
// cairo's functions, taken from its shared library when the first report is written. A program
// that writes no report never loads cairo and the twenty-odd libraries it pulls in (fontconfig,
// freetype, pixman, …), whose loading would otherwise lengthen every start of the batch program.
#include <cairo-pdf.h>
#include <cairo.h>

#include <optional>
#include <string>

namespace tessavin::report {

// cairo's shared library by its soname: the ABI the headers describe.
inline constexpr const char* CairoLibrary = "libcairo.so.2";

// Every cairo function the report calls, without its "cairo_" prefix.
#define TESSAVIN_CAIRO_FUNCTIONS(X)                                                                \
    X(clip)                                                                                        \
    X(create)                                                                                      \
    X(destroy)                                                                                     \
    X(fill)                                                                                        \
    X(line_to)                                                                                     \
    X(move_to)                                                                                     \
    X(pdf_surface_create_for_stream)                                                               \
    X(pdf_surface_set_metadata)                                                                    \
    X(rectangle)                                                                                   \
    X(restore)                                                                                     \
    X(rotate)                                                                                      \
    X(save)                                                                                        \
    X(select_font_face)                                                                            \
    X(set_dash)                                                                                    \
    X(set_font_size)                                                                               \
    X(set_line_width)                                                                              \
    X(set_source_rgb)                                                                              \
    X(show_page)                                                                                   \
    X(show_text)                                                                                   \
    X(status)                                                                                      \
    X(status_to_string)                                                                            \
    X(stroke)                                                                                      \
    X(surface_destroy)                                                                             \
    X(surface_finish)                                                                              \
    X(surface_status)                                                                              \
    X(text_extents)                                                                                \
    X(translate)

struct CairoCalls {
#define TESSAVIN_CAIRO_POINTER(name) decltype(&::cairo_##name) name = nullptr;
    TESSAVIN_CAIRO_FUNCTIONS(TESSAVIN_CAIRO_POINTER)
#undef TESSAVIN_CAIRO_POINTER
};

// Loads `library` and takes every function from it; why not, when the library or one of the
// functions is missing. The library stays loaded for the rest of the process.
std::optional<std::string> LoadCairoCalls(const char* library, CairoCalls& calls);

// Why no report can be drawn (cairo cannot be loaded), or nothing. Loads cairo once per process;
// safe from any thread.
std::optional<std::string> CairoProblem();

// cairo's functions; only after CairoProblem() returned nothing.
const CairoCalls& Cairo();

} // namespace tessavin::report
