// Bounds-checked byte reader.
#include "ByteReader.h"

namespace rw::res {

namespace {

bool Fits(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t count) {
    return offset <= bytes.size() && count <= bytes.size() - offset;
}

}  // namespace

bool ByteReader::Seek(std::size_t offset) {
    if (offset > m_bytes.size()) {
        return false;
    }
    m_offset = offset;
    return true;
}

bool ByteReader::Skip(std::size_t count) {
    if (!Fits(m_bytes, m_offset, count)) {
        return false;
    }
    m_offset += count;
    return true;
}

std::optional<std::uint8_t> ByteReader::U8() {
    if (!Fits(m_bytes, m_offset, 1)) {
        return std::nullopt;
    }
    return m_bytes[m_offset++];
}

std::optional<std::uint16_t> ByteReader::U16LE() {
    auto v = U16LEAt(m_bytes, m_offset);
    if (v) {
        m_offset += 2;
    }
    return v;
}

std::optional<std::uint16_t> ByteReader::U16BE() {
    auto v = U16BEAt(m_bytes, m_offset);
    if (v) {
        m_offset += 2;
    }
    return v;
}

std::optional<std::uint32_t> ByteReader::U32LE() {
    auto v = U32LEAt(m_bytes, m_offset);
    if (v) {
        m_offset += 4;
    }
    return v;
}

std::optional<std::uint32_t> ByteReader::U32BE() {
    auto v = U32BEAt(m_bytes, m_offset);
    if (v) {
        m_offset += 4;
    }
    return v;
}

std::optional<std::int32_t> ByteReader::I32LE() {
    auto v = U32LE();
    if (!v) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*v);
}

std::optional<std::int32_t> ByteReader::I32BE() {
    auto v = U32BE();
    if (!v) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*v);
}

std::optional<std::span<const std::uint8_t>> ByteReader::Bytes(std::size_t count) {
    if (!Fits(m_bytes, m_offset, count)) {
        return std::nullopt;
    }
    auto out = m_bytes.subspan(m_offset, count);
    m_offset += count;
    return out;
}

std::optional<std::uint16_t> ByteReader::U16LEAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (!Fits(bytes, offset, 2)) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::optional<std::uint32_t> ByteReader::U32LEAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (!Fits(bytes, offset, 4)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

std::optional<std::uint16_t> ByteReader::U16BEAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (!Fits(bytes, offset, 2)) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>((bytes[offset] << 8) | bytes[offset + 1]);
}

std::optional<std::uint32_t> ByteReader::U32BEAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (!Fits(bytes, offset, 4)) {
        return std::nullopt;
    }
    return (static_cast<std::uint32_t>(bytes[offset]) << 24) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 8) | static_cast<std::uint32_t>(bytes[offset + 3]);
}

}  // namespace rw::res
