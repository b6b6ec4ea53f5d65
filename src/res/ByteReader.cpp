// Bounds-checked byte reader.
#include "ByteReader.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__) || defined(_M_X64)
__m128i SwapBytes16(__m128i v) {
    return _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
}
__m128i SwapBytes32(__m128i v) {
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    return SwapBytes16(_mm_shufflehi_epi16(v, _MM_SHUFFLE(2, 3, 0, 1)));
}
#endif

// Big-endian words from in to out, sixteen bytes at a time where the processor has vector registers.
template <typename Word, typename Load>
void ConvertWords(const std::uint8_t* in, std::span<Word> out, Load load) {
    std::size_t i = 0;
#if defined(__SSE2__) || defined(_M_X64)
    constexpr std::size_t kPerVector = 16 / sizeof(Word);
    for (; i + kPerVector <= out.size(); i += kPerVector) {
        const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i * sizeof(Word)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out.data() + i),
                         sizeof(Word) == 2 ? SwapBytes16(words) : SwapBytes32(words));
    }
#endif
    for (; i < out.size(); ++i) {
        out[i] = load(in + i * sizeof(Word));
    }
}

}  // namespace

bool ByteReader::U16BEArray(std::span<std::uint16_t> out) {
    if (out.size() > Remaining() / 2) {
        return false;
    }
    ConvertWords(m_bytes.data() + m_offset, out, &LoadU16BE);
    m_offset += out.size() * 2;
    return true;
}

bool ByteReader::U32BEArray(std::span<std::uint32_t> out) {
    if (out.size() > Remaining() / 4) {
        return false;
    }
    ConvertWords(m_bytes.data() + m_offset, out, &LoadU32BE);
    m_offset += out.size() * 4;
    return true;
}

}  // namespace rw::res
