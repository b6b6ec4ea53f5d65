// Conversion between CityData members and the big-endian images of their chunks.
#include "city/CityChunk.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "res/ByteReader.h"

namespace rw::city {

namespace {

// The byte-layer member of a chunk, const or not as the data is; empty for the chunks with words.
template <typename Data>
auto ByteMember(Data& d, CityChunk chunk) {
    using Bytes =
        std::conditional_t<std::is_const_v<Data>, std::span<const std::uint8_t>, std::span<std::uint8_t>>;
    switch (chunk) {
        case CityChunk::XTER:
            return Bytes(d.terrain);
        case CityChunk::XBLD:
            return Bytes(d.buildings);
        case CityChunk::XZON:
            return Bytes(d.zones);
        case CityChunk::XUND:
            return Bytes(d.underground);
        case CityChunk::XTXT:
            return Bytes(d.textLayer);
        case CityChunk::XLAB:
            return Bytes(d.labels);
        case CityChunk::XTHG:
            return Bytes(d.things);
        case CityChunk::XBIT:
            return Bytes(d.bits);
        case CityChunk::XTRF:
            return Bytes(d.traffic);
        case CityChunk::XPLT:
            return Bytes(d.pollution);
        case CityChunk::XVAL:
            return Bytes(d.landValue);
        case CityChunk::XCRM:
            return Bytes(d.crime);
        case CityChunk::XPLC:
            return Bytes(d.police);
        case CityChunk::XFIR:
            return Bytes(d.fire);
        case CityChunk::XPOP:
            return Bytes(d.population);
        case CityChunk::XROG:
            return Bytes(d.growth);
        default:
            return Bytes{};
    }
}

void PutBE16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v >> 8);
    out[at + 1] = static_cast<std::uint8_t>(v);
}

void PutBE32(std::span<std::uint8_t> out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v >> 24);
    out[at + 1] = static_cast<std::uint8_t>(v >> 16);
    out[at + 2] = static_cast<std::uint8_t>(v >> 8);
    out[at + 3] = static_cast<std::uint8_t>(v);
}

std::uint16_t GetBE16(std::span<const std::uint8_t> in, std::size_t at) {
    return res::ByteReader::U16BEAt(in, at).value_or(0);
}

}  // namespace

std::optional<CityChunk> FindCityChunk(std::span<const std::uint8_t> tag) {
    if (tag.size() != 4) {
        return std::nullopt;
    }
    // Each tag as one big-endian number, compared whole.
    static constexpr auto kTagNumbers = [] {
        std::array<std::uint32_t, kCityChunkCount> numbers{};
        for (std::size_t i = 0; i < kCityChunkCount; ++i) {
            for (const char c : kCityChunks[i].tag) {
                numbers[i] = numbers[i] << 8 | static_cast<std::uint8_t>(c);
            }
        }
        return numbers;
    }();
    const std::uint32_t number = res::ByteReader::U32BEAt(tag, 0).value_or(0);
    const auto found = std::find(kTagNumbers.begin(), kTagNumbers.end(), number);
    if (found == kTagNumbers.end()) {
        return std::nullopt;
    }
    return static_cast<CityChunk>(found - kTagNumbers.begin());
}

void WriteChunkImage(const CityData& data, CityChunk chunk, std::span<std::uint8_t> image) {
    switch (chunk) {
        case CityChunk::MISC:
            for (std::size_t i = 0; i < data.misc.size(); ++i) {
                PutBE32(image, i * 4, data.misc[i]);
            }
            return;
        case CityChunk::ALTM:
            for (std::size_t i = 0; i < data.altitude.size(); ++i) {
                PutBE16(image, i * 2, data.altitude[i]);
            }
            return;
        case CityChunk::XMIC:
            for (std::size_t i = 0; i < data.micro.size(); ++i) {
                const MicroRecord& r = data.micro[i];
                image[i * 8] = r.byte0;
                image[i * 8 + 1] = r.byte1;
                for (std::size_t w = 0; w < 3; ++w) {
                    PutBE16(image, i * 8 + 2 + w * 2, r.words[w]);
                }
            }
            return;
        case CityChunk::XGRP:
            for (std::size_t i = 0; i < data.graphs.size(); ++i) {
                PutBE32(image, i * 4, data.graphs[i]);
            }
            return;
        case CityChunk::CNAM:
            return;
        default: {
            const auto bytes = ByteMember(data, chunk);
            std::copy(bytes.begin(), bytes.end(), image.begin());
            return;
        }
    }
}

void WriteBlockImage(CityChunk chunk, std::span<const std::uint8_t> block, std::span<std::uint8_t> image,
                     std::size_t from) {
    const std::size_t capacity = ChunkInfo(chunk).capacity;
    if (chunk == CityChunk::MISC || chunk == CityChunk::XGRP) {
        for (std::size_t i = from / 4 * 4; i < capacity; i += 4) {
            std::uint32_t v = 0;
            std::memcpy(&v, block.data() + i, 4);
            PutBE32(image, i, v);
        }
    } else if (chunk == CityChunk::ALTM || chunk == CityChunk::XMIC) {
        // An XMIC record's two leading bytes are copied as they are.
        for (std::size_t i = from / 2 * 2; i < capacity; i += 2) {
            std::uint16_t v = 0;
            std::memcpy(&v, block.data() + i, 2);
            if (chunk == CityChunk::XMIC && i % 8 == 0) {
                image[i] = block[i];
                image[i + 1] = block[i + 1];
            } else {
                PutBE16(image, i, v);
            }
        }
    } else if (from < capacity) {
        std::memcpy(image.data() + from, block.data() + from, capacity - from);
    }
}

void ReadBlockImage(CityChunk chunk, std::span<const std::uint8_t> image, std::span<std::uint8_t> block) {
    const std::size_t capacity = ChunkInfo(chunk).capacity;
    res::ByteReader reader(image.first(capacity));
    if (chunk == CityChunk::MISC || chunk == CityChunk::XGRP) {
        reader.U32BEArray({static_cast<std::uint32_t*>(static_cast<void*>(block.data())), capacity / 4});
    } else if (chunk == CityChunk::ALTM) {
        reader.U16BEArray({static_cast<std::uint16_t*>(static_cast<void*>(block.data())), capacity / 2});
    } else if (chunk == CityChunk::XMIC) {
        for (std::size_t i = 0; i < capacity; i += 8) {
            block[i] = image[i];
            block[i + 1] = image[i + 1];
            for (std::size_t w = 2; w < 8; w += 2) {
                const std::uint16_t v = GetBE16(image, i + w);
                std::memcpy(block.data() + i + w, &v, 2);
            }
        }
    } else {
        std::memcpy(block.data(), image.data(), capacity);
    }
}

}  // namespace rw::city
