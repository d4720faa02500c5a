#include "exactplan/state_sweep.h"

#include <algorithm>
#include <thread>

namespace tessavin::exactplan {

namespace {
// Class i goes to thread i mod n, so the wide kernels of the high stress ranges are shared.
template <class Work> void ForEachClass(std::size_t classes, int threads, Work&& work) {
    auto run = [&](int t) {
        for (std::size_t i = static_cast<std::size_t>(t); i < classes;
             i += static_cast<std::size_t>(threads))
            work(i);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(run, t);
    run(0);
    for (std::thread& t : pool)
        t.join();
}
} // namespace

StateRows::StateRows(const StateGrid& grid, int threads) : grid_(grid) {
    threads_ = threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency());
    threads_ = std::clamp(threads_, 1, static_cast<int>(grid.classes.size()));
    rows_.reserve(grid.classes.size());
    for (const StressClass& c : grid.classes)
        rows_.emplace_back(grid, c);
}

void StateRows::Start() {
    for (ClassRow& r : rows_)
        r.Start();
    year_ = -1;
}

SweepSums StateRows::Sweep(int lastYear, bool withUndetected) const {
    const std::size_t slots = YearSlot(lastYear) + 1;
    const std::size_t n = rows_.size();
    // Per class and year, merged below in class order.
    std::vector<double> failed(n * slots, 0.0), undetected(withUndetected ? n * slots : 0, 0.0),
        mass(n, 0.0);
    ForEachClass(n, threads_, [&](std::size_t i) {
        ClassRow row = rows_[i];
        mass[i] = row.Mass();
        for (;;) {
            const std::size_t slot = YearSlot(row.year());
            failed[i * slots + slot] = row.Expect(grid_.failed);
            if (withUndetected) undetected[i * slots + slot] = row.Expect(grid_.detectable);
            if (row.year() >= lastYear) break;
            row.Grow();
        }
    });
    SweepSums s;
    s.from = year_;
    s.failed.assign(slots, 0.0);
    if (withUndetected) s.undetected.assign(slots, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        s.mass += mass[i];
        for (std::size_t y = 0; y < slots; ++y) {
            s.failed[y] += failed[i * slots + y];
            if (withUndetected) s.undetected[y] += undetected[i * slots + y];
        }
    }
    return s;
}

void StateRows::InspectAt(int year) {
    ForEachClass(rows_.size(), threads_, [&](std::size_t i) {
        ClassRow& row = rows_[i];
        while (row.year() < year)
            row.Grow();
        row.Weight(grid_.detectable);
    });
    year_ = std::max(year_, year);
}

} // namespace tessavin::exactplan
