// What the leg cache keeps: its flat store against a plain map.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "route/LegCache.h"

namespace rw::route {
namespace {

// The flat store against a plain map over random inserts, uses and drops, enough to regrow its index
// several times and to compact legs of every length.
TEST(LegCache, FlatStoreMatchesAPlainMapOverRandomUse) {
    struct Held {
        std::vector<std::uint16_t> tiles;
        std::uint32_t uses = 0;
        LegCache::Entry entry = 0;
    };
    std::map<std::uint64_t, Held> model;
    LegCache cache;
    std::mt19937 rng(11);
    std::vector<PathNode> path;
    const auto check = [&] {
        ASSERT_EQ(cache.Size(), model.size());
        for (const auto& [key, held] : model) {
            LegCache::Entry entry = 0;
            ASSERT_TRUE(cache.Find(key, entry)) << key;
            ASSERT_EQ(entry, held.entry);
            ASSERT_EQ(cache.Found(entry), !held.tiles.empty());
            ASSERT_TRUE(std::ranges::equal(cache.Tiles(entry), held.tiles)) << key;
            ASSERT_EQ(cache.Uses(entry), held.uses);
        }
    };
    for (int round = 0; round < 6; ++round) {
        for (int i = 0; i < 700; ++i) {
            // Keys from a small range, so some are asked for again.
            const std::uint64_t key = (std::uint64_t{rng() % 64} << 48) | (rng() % 64);
            LegCache::Entry entry = 0;
            ASSERT_EQ(cache.Find(key, entry), model.count(key) == 1);
            if (model.count(key) == 1) {
                continue;
            }
            Held held;
            path.resize(rng() % 4 == 0 ? 0 : rng() % 300);
            for (PathNode& node : path) {
                node = PathNode{static_cast<std::int16_t>(rng() % 128),
                                static_cast<std::int16_t>(rng() % 128), 0};
                held.tiles.push_back(static_cast<std::uint16_t>(node.x * 128 + node.y));
            }
            held.entry = cache.Insert(key, path);
            held.uses = rng() % 3 == 0 ? 1 + rng() % 2 : 0;
            cache.Uses(held.entry) = held.uses;
            model.emplace(key, std::move(held));
        }
        check();
        // Odd rounds drop a few unused legs one by one first, taking them out of the index's probe runs.
        for (auto it = model.begin(); round % 2 == 1 && it != model.end();) {
            if (it->second.uses == 0 && rng() % 4 == 0) {
                cache.Drop(it->second.entry);
                it = model.erase(it);
            } else {
                ++it;
            }
        }
        check();
        cache.DropUnused();
        std::erase_if(model, [](const auto& entry) { return entry.second.uses == 0; });
        check();
        // Release some, so the next drop takes legs out of the middle of the storage.
        for (auto& [key, held] : model) {
            if (rng() % 2 == 0) {
                cache.Uses(held.entry) = held.uses = 0;
            }
        }
    }
}

}  // namespace
}  // namespace rw::route
