// Watches the heap requests this test binary makes, through its own global operator new.
#pragma once

#include <cstddef>

namespace rw::reliability {

// While an instance lives, every operator new request is recorded: Largest() is the biggest single request
// so far, Total() the sum of all of them (memory asked for, not memory held). Not nestable; the tests are
// single-threaded.
class AllocationWatch {
  public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;

    std::size_t Largest() const;
    std::size_t Total() const;
};

}  // namespace rw::reliability
