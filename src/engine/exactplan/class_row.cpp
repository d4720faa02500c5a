#include "exactplan/class_row.h"

#include <algorithm>
#include <cmath>

namespace tessavin::exactplan {

ClassRow::ClassRow(const StateGrid& grid, const StressClass& stressClass)
    : grid_(grid), class_(stressClass), row_(static_cast<std::size_t>(grid.nodes)),
      scratch_(static_cast<std::size_t>(grid.nodes)) {}

void ClassRow::Start() {
    for (std::size_t j = 0; j < row_.size(); ++j)
        row_[j] = class_.probability * grid_.start[j];
    year_ = -1;
}

void ClassRow::Grow() {
    // The frame moves with the drift; the row only takes the kernel. Mass pushed past either
    // end of the padded row is dropped: the padding holds ten standard deviations of the whole
    // period's spread.
    const std::size_t n = row_.size();
    std::fill(scratch_.begin(), scratch_.end(), 0.0);
    const double* in = row_.data();
    double* out = scratch_.data();
    for (std::size_t t = 0; t < class_.kernel.size(); ++t) {
        const double w = class_.kernel[t];
        if (w == 0) continue;
        const long long shift = class_.kernelLow + static_cast<long long>(t);
        const std::size_t from = static_cast<std::size_t>(std::max(0LL, shift));
        const std::size_t to = static_cast<std::size_t>(
            std::min(static_cast<long long>(n), static_cast<long long>(n) + shift));
        for (std::size_t j = from; j < to; ++j)
            out[j] += w * in[j - static_cast<std::size_t>(shift)];
    }
    row_.swap(scratch_);
    ++year_;
}

double ClassRow::Mass() const {
    double sum = 0;
    for (double v : row_)
        sum += v;
    return sum;
}

ClassRow::TablePosition ClassRow::Position(const XTable& table) const {
    const double offset = class_.drift * (year_ + 1);
    const double u = offset / grid_.tableStep;
    TablePosition p;
    const double whole = std::floor(u);
    p.fraction = u - whole;
    p.base = static_cast<long long>(whole);
    const long long q = grid_.size.tableSubdivision;
    const long long last = static_cast<long long>(table.values.size()) - 2 - p.base;
    p.valid = last < 0 ? 0
                       : static_cast<std::size_t>(
                             std::min(static_cast<long long>(row_.size()), last / q + 1));
    return p;
}

double ClassRow::Expect(const XTable& table) const {
    const TablePosition p = Position(table);
    const std::size_t q = static_cast<std::size_t>(grid_.size.tableSubdivision);
    const double* t = p.valid > 0 ? table.values.data() + p.base : nullptr;
    const double a = 1.0 - p.fraction, b = p.fraction;
    double sum = 0, above = 0;
    for (std::size_t j = 0; j < p.valid; ++j)
        sum += row_[j] * (a * t[j * q] + b * t[j * q + 1]);
    for (std::size_t j = p.valid; j < row_.size(); ++j)
        above += row_[j];
    return sum + table.top * above;
}

void ClassRow::Weight(const XTable& table) {
    const TablePosition p = Position(table);
    const std::size_t q = static_cast<std::size_t>(grid_.size.tableSubdivision);
    const double* t = p.valid > 0 ? table.values.data() + p.base : nullptr;
    const double a = 1.0 - p.fraction, b = p.fraction;
    for (std::size_t j = 0; j < p.valid; ++j)
        row_[j] *= a * t[j * q] + b * t[j * q + 1];
    for (std::size_t j = p.valid; j < row_.size(); ++j)
        row_[j] *= table.top;
}

} // namespace tessavin::exactplan
