#include "exactplan/class_row.h"

#include <algorithm>
#include <cmath>

namespace tessavin::exactplan {

ClassRow::ClassRow(const StateGrid& grid, const StressClass& stressClass)
    : grid_(grid), class_(stressClass), row_(static_cast<std::size_t>(grid.nodes)),
      scratch_(static_cast<std::size_t>(grid.nodes)),
      lo_(static_cast<std::size_t>(grid.padding - stressClass.padding)),
      hi_(static_cast<std::size_t>(
          std::min(grid.nodes, grid.padding + grid.size.xCells + 1 + stressClass.padding))),
      hiStart_(hi_) {}

void ClassRow::Start() {
    for (std::size_t j = 0; j < row_.size(); ++j)
        row_[j] = class_.probability * grid_.start[j];
    hi_ = hiStart_;
    beyond_ = 0.0;
    year_ = -1;
}

void ClassRow::Grow() {
    // The frame moves with the drift; the row only takes the kernel. Mass pushed below the
    // padded row is dropped (the padding holds ten standard deviations of the whole period's
    // spread); mass pushed above it joins the mass beyond the top.
    const long long lo = static_cast<long long>(lo_), hi = static_cast<long long>(hi_);
    std::fill(scratch_.begin() + lo, scratch_.begin() + hi, 0.0);
    const double* in = row_.data();
    double* out = scratch_.data();
    for (std::size_t t = 0; t < class_.kernel.size(); ++t) {
        const double w = class_.kernel[t];
        if (w == 0) continue;
        const long long shift = class_.kernelLow + static_cast<long long>(t);
        const long long from = std::max(lo, lo + shift), to = std::min(hi, hi + shift);
        for (long long j = from; j < to; ++j)
            out[j] += w * in[j - shift];
        // What this tap carries past the last node is past the top of the range.
        for (long long j = std::max(lo, hi - shift); j < hi; ++j)
            beyond_ += w * in[j];
    }
    row_.swap(scratch_);
    ++year_;
    LumpBeyondTop();
}

void ClassRow::LumpBeyondTop() {
    // x only grows; on the nodes a year can move mass down by one node at most (the split of a
    // fractional step), so a margin of the kernel's width keeps every node that can still
    // come back below the top.
    const double top = grid_.padding + grid_.size.xCells -
                       class_.drift * (year_ + 1) / grid_.dx; // the node at x = xTop
    const double keep = std::ceil(top) + static_cast<double>(class_.kernel.size()) + 2;
    if (!(keep < static_cast<double>(hi_))) return;
    const std::size_t newHi = static_cast<std::size_t>(std::max(keep, static_cast<double>(lo_)));
    for (std::size_t j = newHi; j < hi_; ++j) {
        beyond_ += row_[j];
        row_[j] = 0.0;
    }
    hi_ = newHi;
}

double ClassRow::Mass() const {
    double sum = 0;
    for (std::size_t j = lo_; j < hi_; ++j)
        sum += row_[j];
    return sum + beyond_;
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
    p.valid =
        last < 0
            ? 0
            : static_cast<std::size_t>(std::min(static_cast<long long>(row_.size()), last / q + 1));
    return p;
}

// The table at the nodes: node j reads the points jq + base and jq + base + 1, that is point
// j + base / q of phase base mod q and its neighbour.
ClassRow::TableReader ClassRow::Reader(const XTable& table) const {
    const TablePosition p = Position(table);
    TableReader r;
    r.valid = p.valid;
    r.a = 1.0 - p.fraction;
    r.b = p.fraction;
    if (p.valid == 0) return r;
    const long long q = grid_.size.tableSubdivision;
    const long long next = p.base + 1;
    r.lower = table.phases[static_cast<std::size_t>(p.base % q)].data() + p.base / q;
    r.upper = table.phases[static_cast<std::size_t>(next % q)].data() + next / q;
    return r;
}

double ClassRow::Expect(const XTable& table) const {
    const TableReader t = Reader(table);
    // Four partial sums in a fixed order: the same bits on every run and thread.
    const std::size_t valid = std::clamp(t.valid, lo_, hi_);
    double s[4] = {0, 0, 0, 0};
    std::size_t j = lo_;
    for (; j + 4 <= valid; j += 4)
        for (std::size_t l = 0; l < 4; ++l)
            s[l] += row_[j + l] * (t.a * t.lower[j + l] + t.b * t.upper[j + l]);
    for (; j < valid; ++j)
        s[0] += row_[j] * (t.a * t.lower[j] + t.b * t.upper[j]);
    double above = 0;
    for (j = valid; j < hi_; ++j)
        above += row_[j];
    above += beyond_;
    return ((s[0] + s[1]) + (s[2] + s[3])) + table.top * above;
}

void ClassRow::Weight(const XTable& table) {
    const TableReader t = Reader(table);
    const std::size_t valid = std::clamp(t.valid, lo_, hi_);
    for (std::size_t j = lo_; j < valid; ++j)
        row_[j] *= t.a * t.lower[j] + t.b * t.upper[j];
    for (std::size_t j = valid; j < hi_; ++j)
        row_[j] *= table.top;
    beyond_ *= table.top;
}

} // namespace tessavin::exactplan
