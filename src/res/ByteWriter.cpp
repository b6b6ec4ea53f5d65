// Byte writer.
#include "ByteWriter.h"

namespace rw::res {

void ByteWriter::U16LE(std::uint16_t v) {
    m_bytes.push_back(static_cast<std::uint8_t>(v));
    m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::U16BE(std::uint16_t v) {
    m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    m_bytes.push_back(static_cast<std::uint8_t>(v));
}

void ByteWriter::U32LE(std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        m_bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void ByteWriter::U32BE(std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        m_bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void ByteWriter::PatchU32BE(std::size_t offset, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) {
        m_bytes.at(offset + i) = static_cast<std::uint8_t>(v >> (8 * (3 - i)));
    }
}

}  // namespace rw::res
