#include "calculation/inspections.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "common/number_parse.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

// A probability of the table; a year outside 0 .. 300 holds none and reads as 0.
double Ev(const CalculationState& state, int block, int row, long long year) {
    if (year < 0 || year > MaxYear) return 0.0;
    return state.Event(block, row, static_cast<int>(year));
}

std::string RowNumberText(int number) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%10d", number);
    return buf;
}

void FillRow(InspectionRow& row, int number, long long from, long long to) {
    row.found = true;
    row.from = static_cast<int>(from);
    row.to = static_cast<int>(to);
    row.numberText = RowNumberText(number);
    row.rangeText = std::string(10, ' ') + std::to_string(from) + "  -  " + std::to_string(to);
}

// A year field read without a check, kept far from the int limits so that sums stay exact.
long long YearField(const std::string& text) {
    return std::clamp(ParseWholePrefix(text), -1000000000LL, 1000000000LL);
}

} // namespace

std::string FirstInspectionText(const FirstInspectionResult& first) {
    return first.found ? TextCis(msg::BetweenYears) + std::to_string(first.from) + " - " +
                             std::to_string(first.to)
                       : TextCis(first.message);
}

void InspectionPlan::Clear() {
    rows.fill(InspectionRow{});
}

FirstInspectionResult FirstInspectionSearch(const CalculationInputs& in, double Pd,
                                            CalculationState& state, InspectionPlan& plan) {
    const long long start = YearField(in.yearStart);
    const long long step = YearField(in.yearStep);
    const long long end = YearField(in.yearEnd);
    FirstInspectionResult result;
    auto fail = [&](int message) {
        result.message = message;
        result.label = FirstInspectionText(result);
        state.Abort = true;
        return result;
    };

    if (Ev(state, 1, 3, start) > Pd) return fail(msg::PdExceededAtStart);
    long long a = start - step;
    long long e;
    for (;;) {
        if (a >= end) return fail(msg::PdNotReached);
        e = a + step;
        if (Ev(state, 1, 3, e) >= Pd) break;
        // Years past the table hold 0, as do all later ones; a step that does not advance
        // never reaches another year.
        if (e > MaxYear || step <= 0) return fail(msg::PdNotReached);
        a = e;
    }

    result.found = true;
    result.from = static_cast<int>(a);
    result.to = static_cast<int>(e);
    result.message = msg::BetweenYears;
    result.label = FirstInspectionText(result);
    if (!state.refining) {
        state.firstFrom = result.from;
        state.firstTo = result.to;
    }
    FillRow(plan.rows[1], 1, a, e);
    return result;
}

InspectionChart FurtherInspectionSearch(const CalculationInputs& in, double Pd,
                                        CalculationState& state, InspectionPlan& plan,
                                        bool& noExceedance) {
    InspectionChart chart;
    const int start = state.start;
    const int end = std::min(state.end, MaxYear);
    const int offset = in.lowerBound ? 1 : 0;

    for (int k = 2; k <= ProbabilityBlocks; ++k) {
        const int prev = k - 1;
        auto point = [&](int year, double value, bool blue) {
            if (k - 1 <= InspectionSeries) chart.series[k - 1].push_back({year, value, blue});
        };

        // The inspection year T: the first year whose previous failure curve, offset years on,
        // reaches Pd.
        int y = start;
        int i = y + offset;
        bool stop = false;
        while (Ev(state, prev, 3, i) < Pd && i < end) {
            point(y, 0.0, false);
            ++y;
            ++i;
            if (y >= end || y > MaxYear) {
                stop = true;
                break;
            }
        }
        if (stop || y < 0 || y > MaxYear) break;
        const int T = y;
        const double pUT = state.Event(1, 1, T);
        const double pDT = state.Event(1, 2, T);
        const double pFT = state.Event(1, 3, T);
        state.Event(k, 1, T) = 1.0;
        if (state.Event(prev, 1, T) == 1.0) {
            // The same year as the previous inspection: its curves go on unchanged.
            for (int t = T + 1; t <= end; ++t)
                for (int row = 1; row <= 3; ++row)
                    state.Event(k, row, t) = state.Event(prev, row, t);
            break;
        }
        point(T, 0.0, false);

        // The curves after an inspection at T that found no crack.
        for (int t = T + 1; t <= end;) {
            if (Ev(state, prev, 3, t + offset) < Pd && t + offset < end) {
                point(t, 0.0, false);
                ++t;
                if (t >= end || t > MaxYear) {
                    stop = true;
                    break;
                }
                continue;
            }
            const double pDt = state.Event(1, 2, t);
            const double r = pDt > 0 ? pDT / pDt : 0.0;
            state.Event(k, 1, t) = r;
            state.Event(k, 2, t) = 1.0 - r;
            if (pUT != 0) {
                const double F = (state.Event(1, 3, t) - pFT - pDT * (1.0 - r)) / pUT;
                state.Event(k, 3, t) = F;
                if (F > 0 && F < 1)
                    point(t, F, true);
                else
                    point(t, 0.0, false);
                if (F > Pd) noExceedance = false;
            } else {
                state.Event(k, 3, t) = 0.0;
                point(t, 0.0, false);
            }
            ++t;
        }
        if (stop) break;

        // The next inspection: the first year whose updated failure curve reaches Pd.
        int next = start - 1;
        while (next < end && Ev(state, k, 3, next) < Pd)
            ++next;
        if (next >= end) break;
        if (k <= InspectionRows) FillRow(plan.rows[k], k, next - 1, next);
    }
    MarkInspectionRows(plan, state);
    return chart;
}

int MarkInspectionRows(InspectionPlan& plan, CalculationState& state) {
    int found = 0;
    for (int r = 1; r <= InspectionRows; ++r) {
        InspectionRow& row = plan.rows[r];
        if (row.found) {
            ++found;
            continue;
        }
        row.numberText = RowNumberText(r);
        row.rangeText = std::string(6, ' ') + TextCis(msg::InspectionNotCalculated);
    }
    state.inspectionsFound = found;
    return found;
}

InspectionTable InspectionTableDisplay(int block, CalculationState& state) {
    if (block > ProbabilityBlocks) throw std::out_of_range("inspection block above 11");
    if (block < 3) block = 3; // inspections 1 and 2 share the table of block 3
    state.blockShown = block;
    InspectionTable table;
    table.block = block;
    table.header = "       F" + std::to_string(block - 1);
    table.title =
        CaptionText(Caption::Label23) + std::to_string(block - 1) + CaptionText(Caption::Label31);
    for (int y = std::max(state.start, 0); y <= std::min(state.end, MaxYear); ++y) {
        if (state.Event(block, 1, y) == 0.0) continue;
        InspectionTableRow row;
        row.year = y;
        row.yearText = YearCellText(y);
        for (int c = 0; c < 3; ++c) {
            row.values[c] = state.Event(block, c + 1, y);
            row.valueTexts[c] = StrNaCarku1(row.values[c]);
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string YearCellText(int year) {
    const int blanks = year <= 9 ? 4 : year <= 99 ? 3 : 2;
    return std::string(blanks, ' ') + std::to_string(year);
}

} // namespace tessavin
