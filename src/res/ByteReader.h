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
    std::size_t Remaining() const { return m_bytes.size() - m_offset; }

    // Moves to an absolute offset; false (and no move) beyond the end.
    bool Seek(std::size_t offset);
    bool Skip(std::size_t count);

    std::optional<std::uint8_t> U8();
    std::optional<std::uint16_t> U16LE();
    std::optional<std::uint32_t> U32LE();
    std::optional<std::uint32_t> U32BE();
    std::optional<std::int32_t> I32LE();

    // The next count bytes as a sub-span of the input (no copy).
    std::optional<std::span<const std::uint8_t>> Bytes(std::size_t count);

    // The next out.size() big-endian words into out, in host order. False (nothing read, out untouched)
    // when fewer bytes remain.
    bool U16BEArray(std::span<std::uint16_t> out);
    bool U32BEArray(std::span<std::uint32_t> out);

    // Number reads at an absolute offset that do not move the position.
    static std::optional<std::uint16_t> U16LEAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
        if (!Fits(bytes, offset, 2)) {
            return std::nullopt;
        }
        return LoadU16LE(bytes.data() + offset);
    }
    static std::optional<std::uint32_t> U32LEAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
        if (!Fits(bytes, offset, 4)) {
            return std::nullopt;
        }
        return LoadU32LE(bytes.data() + offset);
    }
    static std::optional<std::uint16_t> U16BEAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
        if (!Fits(bytes, offset, 2)) {
            return std::nullopt;
        }
        return LoadU16BE(bytes.data() + offset);
    }
    static std::optional<std::uint32_t> U32BEAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
        if (!Fits(bytes, offset, 4)) {
            return std::nullopt;
        }
        return LoadU32BE(bytes.data() + offset);
    }

  private:
    // Inline so that loops over many words compile to plain loads (and vectorise).
    static bool Fits(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t count) {
        return offset <= bytes.size() && count <= bytes.size() - offset;
    }
    static std::uint16_t LoadU16LE(const std::uint8_t* p) {
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }
    static std::uint16_t LoadU16BE(const std::uint8_t* p) {
        return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
    }
    static std::uint32_t LoadU32LE(const std::uint8_t* p) {
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    static std::uint32_t LoadU32BE(const std::uint8_t* p) {
        return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
               (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};

}  // namespace rw::res
