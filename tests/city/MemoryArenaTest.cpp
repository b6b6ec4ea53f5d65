// Arena allocation rules: rounding, the exact-fill rule, reset, growth and the slot limit.
#include "city/MemoryArena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace rw::city {
namespace {

using Sizes = std::vector<std::size_t>;

// Releases the slot at the end of a test, so tests do not use up the 32 slots.
struct ArenaSlot {
    explicit ArenaSlot(std::size_t size) : slot(CreateArena(size)) {}
    ~ArenaSlot() { ReleaseArena(slot); }
    ArenaSlot(const ArenaSlot&) = delete;
    ArenaSlot& operator=(const ArenaSlot&) = delete;
    std::uint8_t* Alloc(std::size_t size) {
        return static_cast<std::uint8_t*>(ArenaAlloc(slot, "test", size));
    }
    int slot;
};

TEST(MemoryArenaTest, PiecesAreRoundedToFourAndAnExactFillGoesToTheNextBlock) {
    ArenaSlot arena(1000);
    ASSERT_GE(arena.slot, 0);
    std::uint8_t* a = arena.Alloc(1);
    std::uint8_t* b = arena.Alloc(5);
    EXPECT_EQ(b - a, 4);
    EXPECT_EQ(arena.Alloc(4) - b, 8);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % 4, 0u);
    EXPECT_EQ(ArenaBlockSizes(arena.slot), Sizes{1000});

    ArenaSlot leavesOne(100);
    std::uint8_t* first = leavesOne.Alloc(92);
    EXPECT_EQ(leavesOne.Alloc(4), first + 92);  // one word left: stays in the block
    EXPECT_EQ(ArenaCurrentBlock(leavesOne.slot), 0);

    ArenaSlot exact(100);
    first = exact.Alloc(96);
    EXPECT_NE(exact.Alloc(4), first + 96);  // would end exactly at the end
    EXPECT_EQ(ArenaCurrentBlock(exact.slot), 1);
    EXPECT_EQ(ArenaBlockSizes(exact.slot), (Sizes{100, 8192}));

    ArenaSlot whole(64);
    whole.Alloc(64);  // the whole first block is not enough either
    EXPECT_EQ(ArenaCurrentBlock(whole.slot), 1);
}

TEST(MemoryArenaTest, ResetServesFromTheFirstBlockBaseAndReusesLaterBlocks) {
    ArenaSlot arena(64);
    std::uint8_t* base = arena.Alloc(16);
    arena.Alloc(40);
    std::uint8_t* second = arena.Alloc(100);
    arena.Alloc(100);
    ASSERT_EQ(ArenaCurrentBlock(arena.slot), 1);
    ResetArena(arena.slot);
    EXPECT_EQ(ArenaCurrentBlock(arena.slot), 0);
    EXPECT_EQ(arena.Alloc(8), base);
    arena.Alloc(52);
    EXPECT_EQ(arena.Alloc(100), second);
    EXPECT_EQ(ArenaBlockSizes(arena.slot).size(), 2u);
}

TEST(MemoryArenaTest, GrowthAddsBlocksOfTheRequestOrOf8192) {
    ArenaSlot arena(65535);
    arena.Alloc(70000);
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (Sizes{65535, 70000}));
    arena.Alloc(100);  // the 70,000-byte block is full
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (Sizes{65535, 70000, 8192}));
    arena.Alloc(8192);  // exactly 8192 fits a fresh block of 8192
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (Sizes{65535, 70000, 8192, 8192}));
}

TEST(MemoryArenaTest, TooSmallNextBlockIsNeverWrittenPast) {
    ArenaSlot arena(64);
    arena.Alloc(60);
    arena.Alloc(100);  // second block: 8192 bytes
    ResetArena(arena.slot);
    arena.Alloc(60);
    std::uint8_t* big = arena.Alloc(20000);  // the 8192 block cannot hold it
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (Sizes{64, 20000, 8192}));
    std::memset(big, 0xAB, 20000);  // the whole piece is writable (checked under the sanitizer build)
    // The smaller block stays in the chain and is used by the next overflow.
    arena.Alloc(16);
    EXPECT_EQ(ArenaCurrentBlock(arena.slot), 2);
    EXPECT_EQ(ArenaBlockSizes(arena.slot).size(), 3u);
}

TEST(MemoryArenaTest, ThirtyThirdArenaIsRefusedAndInvalidSlotsAreIgnored) {
    std::vector<int> slots;
    for (int slot = CreateArena(16); slot >= 0 && slots.size() <= static_cast<std::size_t>(kMaxArenas);
         slot = CreateArena(16)) {
        slots.push_back(slot);
    }
    EXPECT_EQ(slots.size(), static_cast<std::size_t>(kMaxArenas));  // no other live arenas in this binary
    EXPECT_EQ(CreateArena(16), -1);
    ReleaseArena(slots[5]);
    EXPECT_EQ(CreateArena(16), slots[5]);
    for (int slot : slots) {
        ReleaseArena(slot);
    }
    EXPECT_EQ(ArenaAlloc(-1, "x", 4), nullptr);
    EXPECT_EQ(ArenaAlloc(kMaxArenas, "x", 4), nullptr);
    ResetArena(-1);
    ResetArena(31);
    ReleaseArena(99);
    EXPECT_TRUE(ArenaBlockSizes(7).empty());
    EXPECT_EQ(ArenaCurrentBlock(7), -1);
}

TEST(MemoryArenaTest, OutOfMemoryIsReportedToTheCaller) {
    const int slot = CreateArena(16);
    EXPECT_THROW(ArenaAlloc(slot, "huge", std::size_t{1} << 40), std::bad_alloc);
    ReleaseArena(slot);
}

}  // namespace
}  // namespace rw::city
