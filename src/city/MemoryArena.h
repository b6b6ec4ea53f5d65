// Arena (zone) allocator with numbered slots: pieces are handed out in order and freed all at once.
#pragma once

#include <cstddef>

namespace rw::city {

inline constexpr int kMaxArenas = 32;
// Size of the data area of a block appended for any request up to this many bytes.
inline constexpr std::size_t kArenaGrowBlock = 8192;

// Creates an arena whose first block holds initialSize bytes. Returns its slot 0..31, or -1 when all 32
// slots are taken. Out of memory throws std::bad_alloc, which the program's main reports.
int CreateArena(std::size_t initialSize);

// A piece of at least size bytes (rounded up to a multiple of 4), aligned to 4, owned by the arena and
// valid until the arena is reset or released. The label only documents the request. A piece that would
// end exactly at the end of the current block is taken from the next block; a next block that is too
// small for the piece is kept for later and a new block of max(size, 8192) bytes is placed before it.
// Returns nullptr for an empty or invalid slot. Out of memory throws std::bad_alloc as CreateArena does.
void* ArenaAlloc(int slot, const char* label, std::size_t size);

// Frees every piece of the arena at once; its blocks stay allocated. An empty slot is ignored.
void ResetArena(int slot);

// Frees the arena's blocks and makes its slot free again. An empty slot is ignored.
void ReleaseArena(int slot);

}  // namespace rw::city
