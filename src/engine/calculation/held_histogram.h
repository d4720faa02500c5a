#pragma once
// A state histogram held between the step that built it and the commit that stores it: its
// scalars and its classes up to the last one whose bits are not zero (the rest of the array is
// +0). The year pipeline builds the loads of a whole period while the resistances run; held so,
// they take a few pages rather than two whole class arrays a year, each a fresh page fault.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "calculation/model.h"

namespace tessavin {

class HeldHistogram {
  public:
    void Hold(const StateHistogram& h) {
        std::size_t size = h.P.size();
        while (size > 0 && std::bit_cast<std::uint64_t>(h.P[size - 1]) == 0)
            --size;
        p_.assign(h.P.begin(), h.P.begin() + static_cast<std::ptrdiff_t>(size));
        bins_ = h.Bins;
        xFirst_ = h.XFirst;
        xLast_ = h.XLast;
        step_ = h.Step;
        total_ = h.Total;
        span_ = h.Span;
    }

    // Exactly the histogram that was held.
    void Restore(StateHistogram& h) const {
        std::copy(p_.begin(), p_.end(), h.P.begin());
        std::fill(h.P.begin() + static_cast<std::ptrdiff_t>(p_.size()), h.P.end(), 0.0);
        h.Bins = bins_;
        h.XFirst = xFirst_;
        h.XLast = xLast_;
        h.Step = step_;
        h.Total = total_;
        h.Span = span_;
    }

  private:
    std::vector<double> p_;
    std::int32_t bins_ = 0;
    double xFirst_ = 0.0, xLast_ = 0.0, step_ = 0.0, total_ = 0.0, span_ = 0.0;
};

} // namespace tessavin
