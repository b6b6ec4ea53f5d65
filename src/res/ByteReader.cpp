// Bounds-checked byte reader.
#include "ByteReader.h"

#include <array>
#include <cstring>

namespace rw::res {

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

std::optional<std::span<const std::uint8_t>> ByteReader::Bytes(std::size_t count) {
    if (!Fits(m_bytes, m_offset, count)) {
        return std::nullopt;
    }
    auto out = m_bytes.subspan(m_offset, count);
    m_offset += count;
    return out;
}

namespace {

// Converts whole groups through local arrays: with no aliasing to prove, the compiler turns each group into
// a few vector shuffles.
template <typename Word, typename Load>
void ConvertWords(const std::uint8_t* in, std::span<Word> out, Load load) {
    constexpr std::size_t kGroup = 16;
    std::size_t i = 0;
    for (; i + kGroup <= out.size(); i += kGroup) {
        std::array<std::uint8_t, kGroup * sizeof(Word)> bytes;
        std::memcpy(bytes.data(), in + i * sizeof(Word), bytes.size());
        std::array<Word, kGroup> words;
        for (std::size_t k = 0; k < kGroup; ++k) {
            words[k] = load(bytes.data() + k * sizeof(Word));
        }
        std::memcpy(out.data() + i, words.data(), sizeof(words));
    }
    for (; i < out.size(); ++i) {
        out[i] = load(in + i * sizeof(Word));
    }
}

// Copied first, then converted where they lie: each load then reads what the same group's store overwrites,
// which measured faster than converting from the input straight into out.
template <typename Word, typename Load>
void ConvertInPlace(const std::uint8_t* in, std::span<Word> out, Load load) {
    if (out.empty()) {
        return;  // memcpy must not see the null data pointer an empty span may carry
    }
    std::memcpy(out.data(), in, out.size_bytes());
    ConvertWords(static_cast<const std::uint8_t*>(static_cast<const void*>(out.data())), out, load);
}

}  // namespace

bool ByteReader::U16BEArray(std::span<std::uint16_t> out) {
    if (out.size() > Remaining() / 2) {
        return false;
    }
    ConvertInPlace(m_bytes.data() + m_offset, out, &LoadU16BE);
    m_offset += out.size() * 2;
    return true;
}

bool ByteReader::U32BEArray(std::span<std::uint32_t> out) {
    if (out.size() > Remaining() / 4) {
        return false;
    }
    ConvertInPlace(m_bytes.data() + m_offset, out, &LoadU32BE);
    m_offset += out.size() * 4;
    return true;
}

}  // namespace rw::res
