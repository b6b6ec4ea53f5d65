// A small deterministic random source: the same seed gives the same numbers on every platform.
#pragma once

#include <cstdint>

namespace rw::city {

// SplitMix64. Unlike the standard distributions, every mapping here is fixed, so generated cities are the
// same with every compiler and standard library.
class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next();
    // 0 .. n - 1 (0 for n <= 0).
    int Below(int n);
    // lo .. hi, both included.
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    // True in about percent of the calls out of 100.
    bool Chance(int percent) { return Below(100) < percent; }

  private:
    std::uint64_t m_state;
};

}  // namespace rw::city
