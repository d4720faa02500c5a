#include "files/workbook.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "calculation/inspections.h"
#include "common/atomic_file.h"
#include "exactplan/plan_table.h"
#include "files/xlsx_library.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

constexpr int BlockColumns = 4;
constexpr int TitleRow = 7;
constexpr int HeaderRow = 8;

double EventValue(const CalculationState& state, int block, int row, int year) {
    return year >= 0 && year <= MaxYear ? state.Event(block, row, year) : 0.0;
}

Failure WriteFailure(const std::filesystem::path& file, const std::string& reason) {
    return ErrorBox(msg::WriteError,
                    FormatMessage(TextCis(msg::WriteError), file.filename().string()) + "\r\n\r\n" +
                        reason);
}

// Reserves a new file beside the target for the workbook to be written into.
std::optional<std::filesystem::path> ReserveTemporary(const std::filesystem::path& target,
                                                      std::string& reason) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = target.parent_path();
    RemoveStaleTemporaries(folder);
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".tessavin-%ld-%u.xlsx.tmp", static_cast<long>(::getpid()),
                      counter.fetch_add(1));
        std::filesystem::path candidate =
            folder.empty() ? std::filesystem::path(name) : folder / name;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return candidate;
        }
        error = errno;
    }
    reason = std::strerror(error);
    return std::nullopt;
}

// The library closes the file itself; the bytes must be on disk before the rename.
bool SyncFile(const std::filesystem::path& file, std::string& reason) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    bool ok = fd >= 0 && ::fsync(fd) == 0;
    if (!ok) reason = std::strerror(errno);
    if (fd >= 0) ::close(fd);
    return ok;
}

WorkbookCell TextCell(int row, int column, std::string text) {
    WorkbookCell cell;
    cell.row = row;
    cell.column = column;
    cell.text = std::move(text);
    return cell;
}

// A number cell for a table text that reads as a finite number; other texts stay texts.
WorkbookCell NumberCell(int row, int column, const std::string& text, bool formatted) {
    WorkbookCell cell = TextCell(row, column, text);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return cell;
    cell.number = value;
    if (formatted) cell.numberFormat = NumberFormatFor(text);
    return cell;
}

std::optional<std::string> WriteCells(const std::filesystem::path& file,
                                      const std::vector<WorkbookCell>& cells) {
    std::string why;
    const XlsxLibrary* x = LoadXlsxLibrary(why);
    if (x == nullptr) return why;
    lxw_workbook* workbook = x->workbook_new(file.c_str());
    if (!workbook) return std::string(x->lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    lxw_worksheet* sheet = x->workbook_add_worksheet(workbook, InspectionSheetName);
    lxw_error error = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    std::map<std::string, lxw_format*> formats; // owned by the workbook
    for (const WorkbookCell& c : cells) {
        if (error != LXW_NO_ERROR) break;
        const auto row = static_cast<lxw_row_t>(c.row - 1);
        const auto column = static_cast<lxw_col_t>(c.column - 1);
        if (!c.number) {
            error = x->worksheet_write_string(sheet, row, column, c.text.c_str(), nullptr);
            continue;
        }
        lxw_format* format = nullptr;
        if (!c.numberFormat.empty()) {
            lxw_format*& shared = formats[c.numberFormat];
            if (!shared) {
                shared = x->workbook_add_format(workbook);
                if (shared) x->format_set_num_format(shared, c.numberFormat.c_str());
            }
            format = shared;
        }
        error = x->worksheet_write_number(sheet, row, column, *c.number, format);
    }
    // Closing also frees the workbook, so it runs after a failed cell as well.
    const lxw_error closed = x->workbook_close(workbook);
    if (error == LXW_NO_ERROR) error = closed;
    if (error == LXW_NO_ERROR) return std::nullopt;
    std::string reason = x->lxw_strerror(error);
    if (error == LXW_ERROR_CREATING_XLSX_FILE && errno != 0)
        reason += ": " + std::string(std::strerror(errno));
    return reason;
}

// The exact plan from `column` on: its title, the inspections (number, from, to, made in), and
// right of them its p(F) curves year by year.
void AddExactPlanCells(std::vector<WorkbookCell>& cells, const exactplan::PlanCurves& exact,
                       const std::vector<int>& years, int column) {
    const exactplan::PlanTable table = exactplan::MakePlanTable(exact, years);
    cells.push_back(TextCell(TitleRow, column, table.title));
    const char* const headers[] = {"#", "from", "to", "made in"};
    for (int c = 0; c < 4; ++c)
        cells.push_back(TextCell(HeaderRow, column + c, headers[c]));
    for (std::size_t k = 0; k < exact.inspections.size(); ++k) {
        const exactplan::ExactInspection& i = exact.inspections[k];
        const int row = HeaderRow + 1 + static_cast<int>(k);
        const int values[] = {static_cast<int>(k) + 1, i.from, i.to, i.made};
        for (int c = 0; c < 4; ++c)
            cells.push_back(NumberCell(row, column + c, std::to_string(values[c]), false));
    }
    const int curves = column + 5;
    cells.push_back(TextCell(HeaderRow, curves, std::string(6, ' ') + TextCis(msg::Year)));
    for (std::size_t c = 0; c < table.curves.size(); ++c)
        cells.push_back(
            TextCell(HeaderRow, curves + 1 + static_cast<int>(c), table.curves[c].header));
    for (std::size_t k = 0; k < years.size(); ++k) {
        const int row = HeaderRow + 1 + static_cast<int>(k);
        cells.push_back(NumberCell(row, curves, std::to_string(years[k]), false));
        for (std::size_t c = 0; c < table.curves.size(); ++c)
            cells.push_back(NumberCell(row, curves + 1 + static_cast<int>(c),
                                       TiskPrv(table.curves[c].values[k]), true));
    }
}

// β of table 1's p(F) from `column` on: the target line above the title, then year and β.
void AddBetaCells(std::vector<WorkbookCell>& cells, const CalculationState& state,
                  const BetaSection& beta, const std::vector<int>& years, int column) {
    std::vector<double> values;
    for (const int y : years)
        values.push_back(ReliabilityIndex(EventValue(state, 1, 3, y)).value_or(NAN));
    if (beta.target) {
        const auto below = FirstBelowTarget(values, *beta.target);
        cells.push_back(TextCell(TitleRow - 1, column,
                                 "beta target = " + TiskPrv(*beta.target) + "; first year below: " +
                                     (below ? std::to_string(years[*below]) : "none")));
    }
    cells.push_back(TextCell(TitleRow, column + 1, "beta = -PHI^-1(p(F))"));
    cells.push_back(TextCell(HeaderRow, column, std::string(6, ' ') + TextCis(msg::Year)));
    cells.push_back(TextCell(HeaderRow, column + 1, std::string(7, ' ') + "beta"));
    for (std::size_t k = 0; k < years.size(); ++k) {
        const int row = HeaderRow + 1 + static_cast<int>(k);
        cells.push_back(NumberCell(row, column, std::to_string(years[k]), false));
        const double b = values[k];
        cells.push_back(std::isinf(b) ? TextCell(row, column + 1, b > 0 ? "∞" : "-∞")
                                      : NumberCell(row, column + 1, TiskPrv(b), true));
    }
}

} // namespace

std::vector<WorkbookCell> InspectionWorkbookCells(const CalculationInputs& in,
                                                  const CalculationState& state,
                                                  const exactplan::PlanCurves* exact,
                                                  const BetaSection* beta) {
    const int start = state.start, step = state.step, end = state.end;
    std::vector<WorkbookCell> cells = {
        TextCell(1, 1,
                 TextCis(msg::ProbabilitiesOfFirstInspection) + std::to_string(start) + ", " +
                     std::to_string(start + step) + ",...," + std::to_string(end) + ")"),
        TextCell(2, 1,
                 TextCis(msg::CrackProgressionFrom) + " (" + CrackOriginText(in.crackOrigin) +
                     " bf= " + in.bf + " mm, tf= " + in.tf + " m= " + in.m + ")"),
        TextCell(3, 1, TextCis(msg::DesignProbabilityPd) + in.Pd),
        TextCell(4, 1, TextCis(msg::MaterialConstantC) + in.C),
        TextCell(5, 1, TextCis(msg::MaterialConstantM) + in.m),
    };

    // The years of the period; a step that is not positive gives the start year only, and no
    // year lies beyond the probability arrays.
    std::vector<int> years;
    for (long long y = start; y <= std::min(end, MaxYear); y += std::max(step, 1)) {
        years.push_back(static_cast<int>(y));
        if (step <= 0) break;
    }

    const int count = std::clamp(state.inspectionsFound, 0, InspectionRows);
    const std::string pad(7, ' ');
    for (int i = 1; i <= count; ++i) {
        const int first = BlockColumns * i - 3;
        const int block = i == 1 ? 1 : i + 1;
        cells.push_back(
            TextCell(TitleRow, first + 2, std::to_string(i) + TextCis(msg::InspectionSuffix)));
        cells.push_back(TextCell(HeaderRow, first, std::string(6, ' ') + TextCis(msg::Year)));
        const std::array<std::string, 3> headers =
            i == 1 ? std::array<std::string, 3>{pad + "p(U)", pad + "p(D)", pad + "p(F)"}
                   : std::array<std::string, 3>{pad + "p(D)", pad + "p(F)",
                                                pad + "F" + std::to_string(i)};
        for (int c = 0; c < 3; ++c)
            cells.push_back(TextCell(HeaderRow, first + 1 + c, headers[c]));
        for (size_t k = 0; k < years.size(); ++k) {
            const int row = HeaderRow + 1 + static_cast<int>(k);
            cells.push_back(NumberCell(row, first, std::to_string(years[k]), false));
            for (int c = 0; c < 3; ++c)
                cells.push_back(NumberCell(
                    row, first + 1 + c, TiskPrv(EventValue(state, block, c + 1, years[k])), true));
        }
    }
    if (exact) AddExactPlanCells(cells, *exact, years, BlockColumns * count + 2);
    if (beta) {
        int last = 0;
        for (const WorkbookCell& c : cells)
            last = std::max(last, c.column);
        AddBetaCells(cells, state, *beta, years, last + 2);
    }
    return cells;
}

std::optional<Failure> WriteInspectionWorkbook(const std::filesystem::path& file,
                                               const CalculationInputs& in,
                                               const CalculationState& state,
                                               const exactplan::PlanCurves* exact,
                                               const BetaSection* beta) {
    std::string reason;
    const std::optional<std::filesystem::path> temporary = ReserveTemporary(file, reason);
    if (!temporary) return WriteFailure(file, reason);

    errno = 0;
    std::optional<std::string> failed =
        WriteCells(*temporary, InspectionWorkbookCells(in, state, exact, beta));
    if (!failed && !SyncFile(*temporary, reason)) failed = reason;
    if (!failed) {
        // A replaced file keeps its permissions.
        struct stat existing {};
        if (::stat(file.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
            ::chmod(temporary->c_str(), existing.st_mode & 07777);
        if (::rename(temporary->c_str(), file.c_str()) != 0) failed = std::strerror(errno);
    }
    if (failed) {
        ::unlink(temporary->c_str());
        return WriteFailure(file, *failed);
    }
    return std::nullopt;
}

std::string NumberFormatFor(const std::string& text) {
    const std::size_t e = text.find_first_of("Ee");
    const std::string mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : mantissa.size() - point - 1;
    std::string format = decimals ? "0." + std::string(decimals, '0') : "0";
    if (e != std::string::npos) format += "E+0";
    return format;
}

std::string DefaultWorkbookFileName(const CalculationInputs& in) {
    std::string name = in.projectName.empty() ? "Results" : in.projectName;
    std::replace(name.begin(), name.end(), '/', '_');
    return name + "." + WorkbookExtension;
}

} // namespace tessavin
