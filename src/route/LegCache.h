// The searched legs of a race route, kept by their two ends in flat storage that edits reuse.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "route/PathNode.h"

namespace rw::route {

// Legs by key (their two end tiles), each with its tiles (indices x * 128 + y, start first) and a count of
// the course legs that currently use it. All tiles live back to back in one buffer and the entries in
// another, found through an open-addressed index; dropping unused legs compacts them in place. Once the
// buffers have grown to a course's size, adding and dropping legs requests no memory.
class LegCache {
  public:
    using Entry = std::uint32_t;

    // The entry holding key, if any.
    bool Find(std::uint64_t key, Entry& entry) const;
    // Adds key with the path found for it (empty: no path), unused. key must not be present.
    Entry Insert(std::uint64_t key, std::span<const PathNode> path);

    std::uint64_t Key(Entry entry) const { return m_entries[entry].key; }
    bool Found(Entry entry) const { return m_entries[entry].found; }
    std::span<const std::uint16_t> Tiles(Entry entry) const {
        const Slot& slot = m_entries[entry];
        return std::span<const std::uint16_t>(m_tiles).subspan(slot.first, slot.length);
    }
    std::uint32_t& Uses(Entry entry) { return m_entries[entry].uses; }

    // Number of legs held, used or not.
    std::size_t Size() const { return m_live; }
    // Forgets entry if no course leg uses it, in time independent of the number of legs held; its tiles stay
    // in storage, counted by DroppedTiles(), until the next DropUnused.
    void Drop(Entry entry);
    // Forgets every leg that no course leg uses and compacts the storage; the entries of the others stay
    // valid.
    void DropUnused();
    // Tiles of dropped legs still in storage, and all tiles in storage.
    std::size_t DroppedTiles() const { return m_dropped; }
    std::size_t StoredTiles() const { return m_tiles.size(); }
    void Clear();

  private:
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t first = 0;   // into m_tiles
        std::uint32_t length = 0;  // tiles; 0 when not found
        std::uint32_t uses = 0;
        bool found = false;
        bool live = false;
    };

    std::size_t Home(std::uint64_t key) const;
    void Index(Entry entry);
    void Reindex(std::size_t buckets);

    std::vector<Slot> m_entries;
    std::vector<Entry> m_freeEntries;
    std::vector<Entry> m_index;  // entry + 1 per bucket, 0 for an empty bucket; a power of two in size
    std::vector<std::uint16_t> m_tiles;
    std::vector<Entry> m_order;  // scratch for the compaction
    std::size_t m_live = 0;
    std::size_t m_dropped = 0;
};

}  // namespace rw::route
