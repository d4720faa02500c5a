#pragma once
// Ctrl+C during a long command: the first SIGINT sets a flag that the running calculation reads,
// so it stops cleanly and the results so far are still printed.
#include <atomic>

namespace tessavin::cli {

inline constexpr int kInterrupted = 130; // the exit code of a command stopped by SIGINT

class InterruptOnSigint {
  public:
    explicit InterruptOnSigint(std::atomic<bool>& flag);
    ~InterruptOnSigint();
    InterruptOnSigint(const InterruptOnSigint&) = delete;
    InterruptOnSigint& operator=(const InterruptOnSigint&) = delete;
};

} // namespace tessavin::cli
