#pragma once
// The operations on one stress class's row of the state: a year's growth, the expectation of a
// tabulated function of x, and the weighting by one (an inspection that found nothing).
#include <vector>

#include "exactplan/state_grid.h"

namespace tessavin::exactplan {

class ClassRow {
  public:
    ClassRow(const StateGrid& grid, const StressClass& stressClass);

    // The row at year −1 (x = G(a0)), scaled by the class probability.
    void Start();
    const std::vector<double>& values() const { return row_; }

    // One year: x grows by k·N; year becomes year + 1.
    void Grow();
    int year() const { return year_; }
    void SetYear(int year) { year_ = year; }

    double Mass() const;
    // Σ_j row[j]·table(x_j) at the current year's positions x_j.
    double Expect(const XTable& table) const;
    // row[j] *= table(x_j).
    void Weight(const XTable& table);

  private:
    // Where node 0 lies in table points, split into whole points and the fraction.
    struct TablePosition {
        long long base;
        double fraction;
        std::size_t valid; // nodes whose two table points both lie in the table
    };
    TablePosition Position(const XTable& table) const;
    struct TableReader {
        const double* lower = nullptr; // the table at node j's lower point: lower[j]
        const double* upper = nullptr; // and at its upper point
        double a = 1.0, b = 0.0;       // their weights
        std::size_t valid = 0;
    };
    TableReader Reader(const XTable& table) const;
    void LumpBeyondTop();

    const StateGrid& grid_;
    const StressClass& class_;
    std::vector<double> row_, scratch_;
    // The nodes the class can reach: its own padding around the range; zero outside. Mass that
    // has grown past the top of the range (F for good, never detectable) leaves the row for
    // `beyond_`, and hi_ falls with it.
    std::size_t lo_, hi_, hiStart_;
    double beyond_ = 0.0;
    int year_ = -1;
};

} // namespace tessavin::exactplan
