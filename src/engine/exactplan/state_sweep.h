#pragma once
// The whole state, one ClassRow per stress class, and the passes over it. Classes are shared
// out to threads; every class is computed alone and the sums are taken in class order, so no
// result depends on the number of threads.
#include <vector>

#include "exactplan/class_row.h"
#include "exactplan/plan_search.h"

namespace tessavin::exactplan {

// Sums over all classes for the years from the state's year to the last year, indexed by
// year + 1; years before the state's year hold 0.
struct SweepSums {
    int from = -1;                  // the state's year
    double mass = 0.0;              // |W| at that year
    std::vector<double> failed;     // E_Wt[F_c]
    std::vector<double> undetected; // E_Wt[S_d], when asked for
};

class StateRows {
  public:
    StateRows(const StateGrid& grid, int threads);

    // Every row at year −1, unweighted.
    void Start();
    int year() const { return year_; }

    // The state grown from its year to every year up to lastYear, without changing it.
    SweepSums Sweep(int lastYear, bool withUndetected) const;
    // Grows the state to `year` (not before its own) and weights it by S_d: an inspection there
    // that found nothing.
    void InspectAt(int year);

  private:
    const StateGrid& grid_;
    int threads_;
    std::vector<ClassRow> rows_;
    int year_ = -1;
};

} // namespace tessavin::exactplan
