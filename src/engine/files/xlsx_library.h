#pragma once
// libxlsxwriter, loaded when the first workbook is written. Linked in, the library and the
// compression and cryptography libraries it pulls in would be relocated at every start of both
// programs (some twenty thousand relocations, milliseconds of the batch program's start-up), for
// a command most runs never give.
#include <string>

#include <xlsxwriter.h>

namespace tessavin {

struct XlsxLibrary {
    decltype(&::workbook_new) workbook_new;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet;
    decltype(&::workbook_add_format) workbook_add_format;
    decltype(&::workbook_close) workbook_close;
    decltype(&::worksheet_write_string) worksheet_write_string;
    decltype(&::worksheet_write_number) worksheet_write_number;
    decltype(&::format_set_num_format) format_set_num_format;
    decltype(&::lxw_strerror) lxw_strerror;
};

// The library's functions, loaded once; null when it cannot be loaded, with the reason in `why`.
const XlsxLibrary* LoadXlsxLibrary(std::string& why);

} // namespace tessavin
