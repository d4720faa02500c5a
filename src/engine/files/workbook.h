#pragma once
// The inspection workbook: the headline inputs and the probability tables of the first and the
// further inspections on one sheet of a .xlsx file. Years and probabilities are numbers shown
// with the digits of their table texts; headings stay texts.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calculation/model.h"
#include "common/failure.h"
#include "decision/reliability_index.h"
#include "exactplan/plan_search.h"

namespace tessavin {

inline constexpr const char* WorkbookExtension = "xlsx";
inline constexpr const char* InspectionSheetName = "Prohlídky"; // in both languages

// One cell of the sheet; row and column count from 1, as the sheet shows them.
// A cell with a number holds that value and shows it through `numberFormat` (empty: the
// spreadsheet's general format) exactly as `text` reads.
struct WorkbookCell {
    int row = 0;
    int column = 0;
    std::string text;
    std::optional<double> number;
    std::string numberFormat;
    bool operator==(const WorkbookCell&) const = default;
};

// The number format that shows a number text of the tables digit for digit: "0.0000" for
// "0.0227", "0.00E+0" for "1.25E-7", "0" for "37".
std::string NumberFormatFor(const std::string& text);

// The cells in writing order: the five heading cells, then per inspection table
// (1 .. state.inspectionsFound, at most 10) its title, its header row and its rows year by year
// over the period of the last calculation (state.start / step / end). Table 1 holds p(U), p(D),
// p(F) of block 1; table i >= 2 holds rows 1 .. 3 of block i + 1. Texts in the active language.
// With `exact`, the exact plan follows right of those tables: its inspections (from, to, made
// in), then its p(F) curves over the same years. With `beta`, right of everything, β of p(F) of
// table 1 year by year ("∞" where p(F) = 0), and above it the target and the first year below.
std::vector<WorkbookCell> InspectionWorkbookCells(const CalculationInputs& in,
                                                  const CalculationState& state,
                                                  const exactplan::PlanCurves* exact = nullptr,
                                                  const BetaSection* beta = nullptr);

// Writes the workbook through a temporary file in the target folder that is renamed over the
// target when complete: a failure leaves any previous file as it was and no other file behind.
// The failure is message 136 with the file name, then the reason.
std::optional<Failure> WriteInspectionWorkbook(const std::filesystem::path& file,
                                               const CalculationInputs& in,
                                               const CalculationState& state,
                                               const exactplan::PlanCurves* exact = nullptr,
                                               const BetaSection* beta = nullptr);

// The file name without folder: the project name, or "Results" without one, plus ".xlsx".
// A "/" in the project name becomes "_", so the file stays in the folder it is written to.
std::string DefaultWorkbookFileName(const CalculationInputs& in);

} // namespace tessavin
