// Counts the heap requests of a benchmark binary, through its own global operator new.
#pragma once

#include <cstdint>

namespace rw::bench {

// Heap requests (operator new, any form) made by this process so far.
std::uint64_t AllocationCount();

}  // namespace rw::bench
