// Conversion between CityData members and the big-endian images of their chunks.
#include "city/CityChunk.h"

#include <algorithm>
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

std::uint32_t GetBE32(std::span<const std::uint8_t> in, std::size_t at) {
    return res::ByteReader::U32BEAt(in, at).value_or(0);
}

}  // namespace

std::optional<CityChunk> FindCityChunk(std::span<const std::uint8_t> tag) {
    if (tag.size() != 4) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kCityChunks.size(); ++i) {
        const std::string_view name = kCityChunks[i].tag;
        if (std::equal(tag.begin(), tag.end(), name.begin(),
                       [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); })) {
            return static_cast<CityChunk>(i);
        }
    }
    return std::nullopt;
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

void ReadChunkImage(CityData& data, CityChunk chunk, std::span<const std::uint8_t> image) {
    switch (chunk) {
        case CityChunk::MISC:
            for (std::size_t i = 0; i < data.misc.size(); ++i) {
                data.misc[i] = GetBE32(image, i * 4);
            }
            return;
        case CityChunk::ALTM:
            for (std::size_t i = 0; i < data.altitude.size(); ++i) {
                data.altitude[i] = GetBE16(image, i * 2);
            }
            return;
        case CityChunk::XMIC:
            for (std::size_t i = 0; i < data.micro.size(); ++i) {
                MicroRecord& r = data.micro[i];
                r.byte0 = image[i * 8];
                r.byte1 = image[i * 8 + 1];
                for (std::size_t w = 0; w < 3; ++w) {
                    r.words[w] = GetBE16(image, i * 8 + 2 + w * 2);
                }
            }
            return;
        case CityChunk::XGRP:
            for (std::size_t i = 0; i < data.graphs.size(); ++i) {
                data.graphs[i] = GetBE32(image, i * 4);
            }
            return;
        case CityChunk::CNAM:
            return;
        default: {
            const auto bytes = ByteMember(data, chunk);
            std::copy_n(image.begin(), bytes.size(), bytes.begin());
            return;
        }
    }
}

}  // namespace rw::city
