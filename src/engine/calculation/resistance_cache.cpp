#include "calculation/resistance_cache.h"

#include <algorithm>
#include <cstring>

namespace tessavin {
namespace {

template <class T> void Append(std::string& key, const T& value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    key.append(bytes, sizeof(T));
}

void AppendHistogram(std::string& key, const DiscreteHistogram& h) {
    Append(key, h.Bins);
    Append(key, h.XFirst);
    Append(key, h.XLast);
    Append(key, h.Step);
    Append(key, h.Total);
    const int bins = std::clamp(h.Bins, 0, MaxBins);
    key.append(reinterpret_cast<const char*>(h.P.data()),
               sizeof(double) * static_cast<std::size_t>(bins + 1));
}

} // namespace

std::string ResistanceCache::KeyOf(bool acceptable, const ResistanceParameters& p,
                                   const InputHistograms& inputs) {
    std::string key;
    Append(key, acceptable);
    Append(key, p.m);
    Append(key, p.bf);
    Append(key, p.tf);
    Append(key, p.origin);
    const IntegrationSettings& s = p.integration;
    Append(key, s.method);
    Append(key, s.steps);
    Append(key, s.levels);
    Append(key, s.tol0);
    Append(key, s.convention);
    for (int k : {3, 4, 5, 6})
        if (k != 6 || !acceptable) AppendHistogram(key, inputs.histogram[k]);
    return key;
}

std::optional<ResistanceCache::Entry> ResistanceCache::Find(const std::string& key) const {
    const std::lock_guard lock(mutex_);
    const auto it = entries_.find(key);
    if (it == entries_.end()) return std::nullopt;
    return it->second;
}

void ResistanceCache::Keep(const std::string& key, Entry entry) {
    const std::lock_guard lock(mutex_);
    if (capacity_ == 0) return;
    if (const auto it = entries_.find(key); it != entries_.end()) {
        it->second = std::move(entry);
        return;
    }
    if (entries_.size() >= capacity_) {
        entries_.erase(entries_.find(*order_.front()));
        order_.pop_front();
    }
    // A key stays where it is in its node however the map grows.
    order_.push_back(&entries_.emplace(key, std::move(entry)).first->first);
}

} // namespace tessavin
