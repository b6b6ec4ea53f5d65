// Arena allocation rules: rounding, the exact-fill rule, reset, growth and the slot limit.
#include "city/MemoryArena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace rw::city {
namespace {

// Releases the slot at the end of a test, so tests do not use up the 32 slots.
struct ArenaSlot {
    explicit ArenaSlot(std::size_t size) : slot(CreateArena(size)) {}
    ~ArenaSlot() { ReleaseArena(slot); }
    ArenaSlot(const ArenaSlot&) = delete;
    ArenaSlot& operator=(const ArenaSlot&) = delete;
    int slot;
};

std::uint8_t* Alloc(int slot, std::size_t size) {
    return static_cast<std::uint8_t*>(ArenaAlloc(slot, "test", size));
}

TEST(MemoryArenaTest, PiecesAreRoundedToFourAndAligned) {
    ArenaSlot arena(1000);
    ASSERT_GE(arena.slot, 0);
    std::uint8_t* a = Alloc(arena.slot, 1);
    std::uint8_t* b = Alloc(arena.slot, 5);
    std::uint8_t* c = Alloc(arena.slot, 4);
    EXPECT_EQ(b - a, 4);
    EXPECT_EQ(c - b, 8);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % 4, 0u);
    EXPECT_EQ(ArenaBlockSizes(arena.slot), std::vector<std::size_t>{1000});
}

TEST(MemoryArenaTest, PieceThatExactlyFillsTheBlockGoesToTheNextBlock) {
    ArenaSlot arena(100);
    std::uint8_t* first = Alloc(arena.slot, 96);  // leaves 4 bytes
    std::uint8_t* exact = Alloc(arena.slot, 4);   // would end exactly at the end
    EXPECT_NE(exact, first + 96);
    EXPECT_EQ(ArenaCurrentBlock(arena.slot), 1);
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (std::vector<std::size_t>{100, 8192}));

    ArenaSlot whole(64);
    Alloc(whole.slot, 64);  // the whole first block is not enough either
    EXPECT_EQ(ArenaCurrentBlock(whole.slot), 1);
}

TEST(MemoryArenaTest, PieceThatLeavesOneWordStaysInTheBlock) {
    ArenaSlot arena(100);
    std::uint8_t* first = Alloc(arena.slot, 92);
    EXPECT_EQ(Alloc(arena.slot, 4), first + 92);
    EXPECT_EQ(ArenaCurrentBlock(arena.slot), 0);
}

TEST(MemoryArenaTest, ResetServesTheNextPieceFromTheFirstBlockBase) {
    ArenaSlot arena(256);
    std::uint8_t* base = Alloc(arena.slot, 16);
    Alloc(arena.slot, 200);
    Alloc(arena.slot, 200);  // into a second block
    ASSERT_EQ(ArenaCurrentBlock(arena.slot), 1);
    ResetArena(arena.slot);
    EXPECT_EQ(ArenaCurrentBlock(arena.slot), 0);
    EXPECT_EQ(Alloc(arena.slot, 8), base);
}

TEST(MemoryArenaTest, AfterResetTheExistingNextBlockIsReusedFromItsBase) {
    ArenaSlot arena(64);
    Alloc(arena.slot, 60);
    std::uint8_t* second = Alloc(arena.slot, 100);
    Alloc(arena.slot, 100);
    ResetArena(arena.slot);
    Alloc(arena.slot, 60);
    EXPECT_EQ(Alloc(arena.slot, 100), second);
    EXPECT_EQ(ArenaBlockSizes(arena.slot).size(), 2u);
}

TEST(MemoryArenaTest, GrowthAddsBlocksOfTheRequestOrOf8192) {
    ArenaSlot arena(65535);
    Alloc(arena.slot, 70000);
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (std::vector<std::size_t>{65535, 70000}));
    Alloc(arena.slot, 100);  // the 70,000-byte block is full
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (std::vector<std::size_t>{65535, 70000, 8192}));
    Alloc(arena.slot, 8192);  // exactly 8192 fits a fresh block of 8192
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (std::vector<std::size_t>{65535, 70000, 8192, 8192}));
}

TEST(MemoryArenaTest, TooSmallNextBlockIsNeverWrittenPast) {
    ArenaSlot arena(64);
    Alloc(arena.slot, 60);
    Alloc(arena.slot, 100);  // second block: 8192 bytes
    ResetArena(arena.slot);
    Alloc(arena.slot, 60);
    std::uint8_t* big = Alloc(arena.slot, 20000);  // the 8192 block cannot hold it
    EXPECT_EQ(ArenaBlockSizes(arena.slot), (std::vector<std::size_t>{64, 20000, 8192}));
    std::memset(big, 0xAB, 20000);  // the whole piece is writable (checked under the sanitizer build)
    // The smaller block stays in the chain and is used by the next overflow.
    Alloc(arena.slot, 16);
    EXPECT_EQ(ArenaCurrentBlock(arena.slot), 2);
    EXPECT_EQ(ArenaBlockSizes(arena.slot).size(), 3u);
}

TEST(MemoryArenaTest, ThirtyThirdArenaIsRefusedAndReleasedSlotsAreReused) {
    std::vector<int> slots;
    for (int i = 0; i < kMaxArenas + 1; ++i) {
        const int slot = CreateArena(16);
        if (slot < 0) {
            break;
        }
        slots.push_back(slot);
    }
    // Other live arenas (none in this test binary) would lower the count; with none it is exactly 32.
    EXPECT_EQ(slots.size(), static_cast<std::size_t>(kMaxArenas));
    EXPECT_EQ(CreateArena(16), -1);
    ReleaseArena(slots[5]);
    EXPECT_EQ(CreateArena(16), slots[5]);
    for (int slot : slots) {
        ReleaseArena(slot);
    }
}

TEST(MemoryArenaTest, EmptyAndInvalidSlotsAreIgnored) {
    EXPECT_EQ(ArenaAlloc(-1, "x", 4), nullptr);
    EXPECT_EQ(ArenaAlloc(kMaxArenas, "x", 4), nullptr);
    ResetArena(-1);
    ResetArena(31);
    ReleaseArena(99);
    EXPECT_TRUE(ArenaBlockSizes(7).empty());
    EXPECT_EQ(ArenaCurrentBlock(7), -1);
}

TEST(MemoryArenaDeathTest, OutOfMemoryEndsTheProcessWithStatusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const int slot = CreateArena(16);
            ArenaAlloc(slot, "huge", std::size_t{1} << 40);
        },
        ::testing::ExitedWithCode(1), "Out of memory\n");
}

}  // namespace
}  // namespace rw::city
