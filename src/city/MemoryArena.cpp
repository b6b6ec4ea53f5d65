// The slot table of arenas and their block chains.
#include "city/MemoryArena.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace rw::city {

namespace {

struct ArenaBlock {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
    std::size_t position = 0;  // offset of the next free byte
};

struct Arena {
    std::vector<ArenaBlock> blocks;  // the chain: blocks[i + 1] is the next block of blocks[i]
    std::size_t current = 0;
};

std::array<std::optional<Arena>, kMaxArenas>& Slots() {
    static std::array<std::optional<Arena>, kMaxArenas> slots;
    return slots;
}

// The program's edge (its main) reports it and ends; nothing here decides that.
[[noreturn]] void OutOfMemory() {
    throw std::bad_alloc();
}

ArenaBlock NewBlock(std::size_t size) {
    // Requests beyond any sensible city size count as out of memory instead of reaching the heap.
    constexpr std::size_t kLargestBlock = std::size_t{1} << 30;
    if (size > kLargestBlock) {
        OutOfMemory();
    }
    ArenaBlock block;
    try {
        block.data = std::make_unique_for_overwrite<std::uint8_t[]>(size == 0 ? 1 : size);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
    block.size = size;
    return block;
}

Arena* Find(int slot) {
    if (slot < 0 || slot >= kMaxArenas || !Slots()[static_cast<std::size_t>(slot)]) {
        return nullptr;
    }
    return &*Slots()[static_cast<std::size_t>(slot)];
}

}  // namespace

int CreateArena(std::size_t initialSize) {
    auto& slots = Slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i]) {
            Arena arena;
            arena.blocks.push_back(NewBlock(initialSize));
            slots[i] = std::move(arena);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void* ArenaAlloc(int slot, const char* /*label*/, std::size_t size) {
    Arena* arena = Find(slot);
    if (arena == nullptr) {
        return nullptr;
    }
    if (size > SIZE_MAX - 3) {
        OutOfMemory();
    }
    size = (size + 3) & ~std::size_t{3};

    ArenaBlock* block = &arena->blocks[arena->current];
    if (size < block->size - block->position) {
        void* piece = block->data.get() + block->position;
        block->position += size;
        return piece;
    }

    const std::size_t next = arena->current + 1;
    if (next < arena->blocks.size() && arena->blocks[next].size >= size) {
        arena->current = next;
    } else {
        // Also when the next block is too small: it stays in the chain behind the new one, so no block
        // is ever written past its end.
        const auto at = arena->blocks.begin() + static_cast<std::ptrdiff_t>(next);
        arena->blocks.insert(at, NewBlock(size > kArenaGrowBlock ? size : kArenaGrowBlock));
        arena->current = next;
    }
    block = &arena->blocks[arena->current];
    block->position = size;
    return block->data.get();
}

void ResetArena(int slot) {
    if (Arena* arena = Find(slot)) {
        arena->current = 0;
        arena->blocks.front().position = 0;
    }
}

void ReleaseArena(int slot) {
    if (Find(slot) != nullptr) {
        Slots()[static_cast<std::size_t>(slot)].reset();
    }
}

}  // namespace rw::city
