#pragma once
// Runs one work function on as many threads as asked (0: one per core), never more than there
// are blocks to share, the calling thread among them; returns when all have finished.
#include <algorithm>
#include <thread>
#include <vector>

namespace tessavin {

template <class Work> void RunOnThreads(int requested, long long blocks, Work& work) {
    int threads = requested > 0 ? requested : static_cast<int>(std::thread::hardware_concurrency());
    threads = static_cast<int>(std::clamp<long long>(threads, 1, std::max(1LL, blocks)));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(std::ref(work));
    work();
    for (std::thread& t : pool)
        t.join();
}

} // namespace tessavin
