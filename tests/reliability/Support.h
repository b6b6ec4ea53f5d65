// Test support: written scenario bytes, open descriptors and a watch on heap requests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "res/FileSystem.h"
#include "scenario/WriteScenario.h"
#include "support/ScratchFolder.h"

namespace rw::reliability {

using Bytes = std::vector<std::uint8_t>;

using namespace support;

// The bytes WriteScenario produces for s, written in memory.
inline Bytes ScenarioBytes(const scenario::Scenario& s) {
    fuzz::MemoryFileSystem fs;
    const res::ScopedFileSystem scope(fs);
    scenario::WriteScenario(s, "bytes.scn");
    return fs.Get("bytes.scn").value_or(Bytes{});
}

// Open file descriptors of this process (Linux); -1 where that cannot be told.
inline int OpenDescriptorCount() {
#ifdef _WIN32
    return 0;  // under Wine /proc/self/fd holds Wine's own files too, which come and go: not counted there
#endif
    std::error_code error;
    const std::filesystem::directory_iterator fds("/proc/self/fd", error);
    return error ? -1 : static_cast<int>(std::distance(fds, std::filesystem::directory_iterator()));
}

// While one lives, every operator new request of this binary is recorded: the largest single request and
// the sum of all (memory asked for, not held). Not nestable. The replaced operator new is in its own file,
// AllocationWatch.cpp, so that no caller sees its free inlined (g++ -O2 would take that for a mismatch).
// With refuseAbove, every larger request fails with std::bad_alloc, as when memory runs out.
struct AllocationWatch {
    explicit AllocationWatch(std::size_t refuseAbove = 0);
    ~AllocationWatch();
    static std::size_t Largest();
    static std::size_t Total();
};

}  // namespace rw::reliability
