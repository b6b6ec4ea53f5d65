// SplitMix64 steps and range mapping.
#include "city/SeededRandom.h"

namespace rw::city {

std::uint64_t SeededRandom::Next() {
    m_state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int SeededRandom::Below(int n) {
    if (n <= 0) {
        return 0;
    }
    return static_cast<int>(Next() % static_cast<std::uint64_t>(n));
}

}  // namespace rw::city
