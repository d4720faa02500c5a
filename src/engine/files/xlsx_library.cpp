#include "files/xlsx_library.h"

#include <dlfcn.h>

#include <mutex>

namespace tessavin {
namespace {

struct Loaded {
    XlsxLibrary functions{};
    bool ok = false;
    std::string why;
};

template <class F> bool Bind(void* handle, const char* name, F& f, std::string& why) {
    void* symbol = ::dlsym(handle, name);
    if (symbol == nullptr) {
        why = std::string("libxlsxwriter has no ") + name;
        return false;
    }
    f = reinterpret_cast<F>(symbol);
    return true;
}

Loaded Load() {
    Loaded l;
    // RTLD_LOCAL: its symbols stay out of the program's namespace.
    void* handle = ::dlopen(TESSAVIN_XLSXWRITER_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* error = ::dlerror();
        l.why = error != nullptr ? error : "cannot load " TESSAVIN_XLSXWRITER_SONAME;
        return l;
    }
    XlsxLibrary& f = l.functions;
    l.ok = Bind(handle, "workbook_new", f.workbook_new, l.why) &&
           Bind(handle, "workbook_add_worksheet", f.workbook_add_worksheet, l.why) &&
           Bind(handle, "workbook_add_format", f.workbook_add_format, l.why) &&
           Bind(handle, "workbook_close", f.workbook_close, l.why) &&
           Bind(handle, "worksheet_write_string", f.worksheet_write_string, l.why) &&
           Bind(handle, "worksheet_write_number", f.worksheet_write_number, l.why) &&
           Bind(handle, "format_set_num_format", f.format_set_num_format, l.why) &&
           Bind(handle, "lxw_strerror", f.lxw_strerror, l.why);
    // The handle stays open for the life of the process.
    return l;
}

} // namespace

const XlsxLibrary* LoadXlsxLibrary(std::string& why) {
    static const Loaded loaded = Load();
    if (!loaded.ok) {
        why = loaded.why;
        return nullptr;
    }
    return &loaded.functions;
}

} // namespace tessavin
