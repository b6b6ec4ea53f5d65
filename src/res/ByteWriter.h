// Appends little- and big-endian numbers and byte runs to a growing buffer.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace rw::res {

// The writing twin of ByteReader: byte order is explicit in every name.
class ByteWriter {
public:
    void U8(std::uint8_t v) { m_bytes.push_back(v); }
    void U16LE(std::uint16_t v);
    void U16BE(std::uint16_t v);
    void U32LE(std::uint32_t v);
    void U32BE(std::uint32_t v);
    void I32LE(std::int32_t v) { U32LE(static_cast<std::uint32_t>(v)); }
    void I32BE(std::int32_t v) { U32BE(static_cast<std::uint32_t>(v)); }
    void Bytes(std::span<const std::uint8_t> bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    void Text(std::string_view text) { m_bytes.insert(m_bytes.end(), text.begin(), text.end()); }
    void Zeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }

    // Overwrites four bytes already written (for lengths known only afterwards).
    void PatchU32BE(std::size_t offset, std::uint32_t v);

    std::size_t Size() const { return m_bytes.size(); }
    void Clear() { m_bytes.clear(); }
    const std::vector<std::uint8_t>& Data() const { return m_bytes; }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace rw::res
