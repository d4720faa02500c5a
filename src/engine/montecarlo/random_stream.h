#pragma once
// Counter-based random numbers: every block of samples has its own stream, keyed by the seed and
// the block number, so a sample's numbers never depend on which thread draws them or when.
#include <cstdint>

namespace tessavin::montecarlo {

// SplitMix64: a Weyl sequence through a strong 64-bit mixer, started at a point that is itself
// a mix of the seed and the block number.
class RandomStream {
  public:
    RandomStream(std::uint64_t seed, std::uint64_t block)
        : state_(Mix(seed ^ Mix(block + 0x632BE59BD9B4E019ULL))) {}

    std::uint64_t Next() { return Mix(state_ += 0x9E3779B97F4A7C15ULL); }

    // Uniform in the open interval (0, 1): 53 random bits, centred in their cell.
    double Uniform() { return (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53; }

    static std::uint64_t Mix(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

  private:
    std::uint64_t state_;
};

} // namespace tessavin::montecarlo
