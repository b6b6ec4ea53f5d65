// Flat leg storage: the open-addressed index, insertion and the in-place compaction.
#include "route/LegCache.h"

#include <algorithm>

namespace rw::route {

namespace {

constexpr std::size_t kFirstBuckets = 1024;

}  // namespace

std::size_t LegCache::Home(std::uint64_t key) const {
    // Fibonacci hashing spreads the four packed 16-bit coordinates over the high bits.
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (m_index.size() - 1);
}

bool LegCache::Find(std::uint64_t key, Entry& entry) const {
    if (m_index.empty()) {
        return false;
    }
    for (std::size_t bucket = Home(key);; bucket = (bucket + 1) & (m_index.size() - 1)) {
        const Entry held = m_index[bucket];
        if (held == 0) {
            return false;
        }
        if (m_entries[held - 1].key == key) {
            entry = held - 1;
            return true;
        }
    }
}

void LegCache::Index(Entry entry) {
    std::size_t bucket = Home(m_entries[entry].key);
    while (m_index[bucket] != 0) {
        bucket = (bucket + 1) & (m_index.size() - 1);
    }
    m_index[bucket] = entry + 1;
}

void LegCache::Reindex(std::size_t buckets) {
    m_index.assign(buckets, 0);
    for (Entry entry = 0; entry < m_entries.size(); ++entry) {
        if (m_entries[entry].live) {
            Index(entry);
        }
    }
}

LegCache::Entry LegCache::Insert(std::uint64_t key, std::span<const PathNode> path) {
    // At most half the buckets in use keeps the probe runs short.
    if (2 * (m_live + 1) > m_index.size()) {
        Reindex(std::max(kFirstBuckets, 2 * m_index.size()));
    }
    Entry entry;
    if (m_freeEntries.empty()) {
        entry = static_cast<Entry>(m_entries.size());
        m_entries.emplace_back();
    } else {
        entry = m_freeEntries.back();
        m_freeEntries.pop_back();
    }
    Slot& slot = m_entries[entry];
    slot = Slot{key,
                static_cast<std::uint32_t>(m_tiles.size()),
                static_cast<std::uint32_t>(path.size()),
                0,
                !path.empty(),
                true};
    for (const PathNode& node : path) {
        m_tiles.push_back(static_cast<std::uint16_t>(node.x * 128 + node.y));
    }
    Index(entry);
    ++m_live;
    return entry;
}

void LegCache::Drop(Entry entry) {
    Slot& slot = m_entries[entry];
    if (!slot.live || slot.uses != 0) {
        return;
    }
    const std::size_t mask = m_index.size() - 1;
    std::size_t hole = Home(slot.key);
    while (m_index[hole] != entry + 1) {
        hole = (hole + 1) & mask;
    }
    // Backward-shift deletion: every later entry of the probe run that may live in the hole moves into it, so
    // that lookups never meet a gap before their entry.
    for (std::size_t next = (hole + 1) & mask; m_index[next] != 0; next = (next + 1) & mask) {
        const std::size_t home = Home(m_entries[m_index[next] - 1].key);
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            m_index[hole] = m_index[next];
            hole = next;
        }
    }
    m_index[hole] = 0;
    slot.live = false;
    m_freeEntries.push_back(entry);
    --m_live;
    m_dropped += slot.length;
}

void LegCache::DropUnused() {
    // Slide the kept legs' tiles down in storage order, then free the dropped entries and index the rest.
    m_order.clear();
    for (Entry entry = 0; entry < m_entries.size(); ++entry) {
        Slot& slot = m_entries[entry];
        if (slot.live && slot.uses == 0) {
            slot.live = false;
            m_freeEntries.push_back(entry);
            --m_live;
        } else if (slot.live) {
            m_order.push_back(entry);
        }
    }
    std::sort(m_order.begin(), m_order.end(),
              [this](Entry a, Entry b) { return m_entries[a].first < m_entries[b].first; });
    std::uint32_t end = 0;
    for (const Entry entry : m_order) {
        Slot& slot = m_entries[entry];
        if (slot.first != end) {
            std::copy_n(m_tiles.begin() + slot.first, slot.length, m_tiles.begin() + end);
            slot.first = end;
        }
        end += slot.length;
    }
    m_tiles.resize(end);
    m_dropped = 0;
    Reindex(m_index.size());
}

void LegCache::Clear() {
    m_entries.clear();
    m_freeEntries.clear();
    m_index.clear();
    m_tiles.clear();
    m_live = 0;
    m_dropped = 0;
}

}  // namespace rw::route
