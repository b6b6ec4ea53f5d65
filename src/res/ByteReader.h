// Bounds-checked reading of little- and big-endian numbers from a byte span.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace rw::res {

// Reads numbers and byte runs from a span it does not own. Every read checks the bounds first: a read that
// does not fit returns nothing (std::nullopt or false) and leaves the position where it was. Byte order is
// always explicit in the name (LE/BE); nothing is ever cast from bytes to a struct.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t Offset() const { return m_offset; }
    std::size_t Size() const { return m_bytes.size(); }
    std::size_t Remaining() const { return m_bytes.size() - m_offset; }
    bool AtEnd() const { return m_offset == m_bytes.size(); }

    // Moves to an absolute offset; false (and no move) beyond the end.
    bool Seek(std::size_t offset);
    bool Skip(std::size_t count);

    std::optional<std::uint8_t> U8();
    std::optional<std::uint16_t> U16LE();
    std::optional<std::uint16_t> U16BE();
    std::optional<std::uint32_t> U32LE();
    std::optional<std::uint32_t> U32BE();
    std::optional<std::int32_t> I32LE();
    std::optional<std::int32_t> I32BE();

    // The next count bytes as a sub-span of the input (no copy).
    std::optional<std::span<const std::uint8_t>> Bytes(std::size_t count);

    // Number reads at an absolute offset that do not move the position.
    static std::optional<std::uint16_t> U16LEAt(std::span<const std::uint8_t> bytes, std::size_t offset);
    static std::optional<std::uint32_t> U32LEAt(std::span<const std::uint8_t> bytes, std::size_t offset);
    static std::optional<std::uint16_t> U16BEAt(std::span<const std::uint8_t> bytes, std::size_t offset);
    static std::optional<std::uint32_t> U32BEAt(std::span<const std::uint8_t> bytes, std::size_t offset);

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};

}  // namespace rw::res
