#pragma once
// Resistance histograms already built, by the exact inputs that determine them: the kind, m,
// bf, tf, the crack origin, the integration settings and the bits of the Fy, σ, a0 (and, for
// R(ad), ad) histograms. The studies of a batch meet the same details again and again; a hit
// stores the very histogram the step would build. Bounded: the oldest entry makes room. Safe to
// share between threads.
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "calculation/held_histogram.h"
#include "calculation/resistance_functions.h"

namespace tessavin {

class ResistanceCache {
  public:
    struct Entry {
        HeldHistogram histogram;
        double currentFy = 0.0, currentSigma = 0.0; // as R(aac)'s step leaves them
    };

    explicit ResistanceCache(std::size_t capacity = 1024) : capacity_(capacity) {}

    // The bytes of everything the step reads (C, the loads and the period do not enter it).
    static std::string KeyOf(bool acceptable, const ResistanceParameters& p,
                             const InputHistograms& inputs);

    std::optional<Entry> Find(const std::string& key) const;
    void Keep(const std::string& key, Entry entry);

  private:
    mutable std::mutex mutex_;
    std::size_t capacity_;
    std::unordered_map<std::string, Entry> entries_;
    std::deque<const std::string*> order_; // the keys in entries_, oldest first
};

} // namespace tessavin
