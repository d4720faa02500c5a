#pragma once
// The inspection plan: the first inspection (the first year of the year-field grid whose pF
// reaches Pd) and the further inspections from the failure curves updated under the assumption
// that an inspection found no crack. Everything is returned as data; the front ends print it.
#include <array>
#include <string>
#include <vector>

#include "calculation/model.h"

namespace tessavin {

inline constexpr int InspectionRows = 10;  // StringGrid5 lists inspections 1 .. 10
inline constexpr int InspectionSeries = 9; // chart series of inspections 2 .. 10

// One row of the inspection list (StringGrid5). `found` rows hold the year range from .. to.
struct InspectionRow {
    bool found = false;
    int from = 0;
    int to = 0;
    std::string numberText; // column 0: the number right-aligned in 10 characters
    std::string rangeText;  // column 1: ten blanks + from + "  -  " + to, or six blanks +
                            // message 256; empty while the row is not filled
};

struct InspectionPlan {
    std::array<InspectionRow, InspectionRows + 1> rows{}; // [1..10]; [0] unused
    // Empties every row (the start of a calculation).
    void Clear();
};

// Result label of the first-inspection search (LProhl).
struct FirstInspectionResult {
    bool found = false;
    int from = 0; // the range found by this search (also while a refinement runs)
    int to = 0;
    int message = 0;   // 233 found, 232 pF(start) > Pd, 234 Pd not reached before the end year
    std::string label; // the text of LProhl
};

// One point of an inspection curve. A year without a value is a white point with value 0.
struct ChartPoint {
    int year = 0; // also the point's label
    double value = 0.0;
    bool blue = false; // blue (0, 0, 255) a drawn value, else white (255, 255, 255)
};

// Points of inspections 2 .. 10: series[k - 1] belongs to inspection k (Series1 .. Series9 of
// the inspection chart, Series5 .. Series13 of the event graph window).
struct InspectionChart {
    std::array<std::vector<ChartPoint>, InspectionSeries + 1> series{}; // [1..9]; [0] unused
};

// The table of one inspection's curves (StringGrid4).
struct InspectionTableRow {
    int year = 0;
    std::array<double, 3> values{}; // rows 1 .. 3 of the block: r, 1 - r, F
    std::string yearText;           // the year after 4, 3 or 2 blanks
    std::array<std::string, 3> valueTexts;
};

struct InspectionTable {
    int block = 3;      // the block shown, 3 .. 11
    std::string header; // cell (3, 0): "       F" + (block - 1)
    std::string title;  // Label32: caption Label23 + (block - 1) + caption Label31
    std::vector<InspectionTableRow> rows;
};

// The sentence of the first inspection in the current language, as the results page shows it:
// "between years : 37 - 38", or the message why none was found.
std::string FirstInspectionText(const FirstInspectionResult& first);

// First-inspection search over the grid of the year fields (in.yearStart / yearStep / yearEnd,
// read as whole numbers without a check) with pF of block 1. Found: row 1 of `plan` and, unless
// state.refining, state.firstFrom / firstTo. Not found (232, 234): state.Abort is set; the
// failure is reported in the label only.
FirstInspectionResult FirstInspectionSearch(const CalculationInputs& in, double Pd,
                                            CalculationState& state, InspectionPlan& plan);

// Further inspections over the driver's period (state.start .. state.end, step 1): blocks
// 2 .. 11 of EventProbabilities, rows 2 .. 10 of `plan` and the chart points of inspections
// 2 .. 10. The first inspection's year is taken one year early with in.lowerBound. Clears
// `noExceedance` when an updated failure value exceeds Pd. Ends with MarkInspectionRows.
InspectionChart FurtherInspectionSearch(const CalculationInputs& in, double Pd,
                                        CalculationState& state, InspectionPlan& plan,
                                        bool& noExceedance);

// Marks the rows not filled as "not calculated" and sets state.inspectionsFound to the number of
// filled rows, which it returns. Repeating it changes nothing.
int MarkInspectionRows(InspectionPlan& plan, CalculationState& state);

// The table of block `block` (2 is shown as 3) over the driver's period: one row per year whose
// row 1 is not 0. Sets state.blockShown.
InspectionTable InspectionTableDisplay(int block, CalculationState& state);

// A year as the year tables show it: after four blanks up to 9, three up to 99, else two.
std::string YearCellText(int year);

} // namespace tessavin
