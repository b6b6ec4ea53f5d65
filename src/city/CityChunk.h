// The chunks of a city file: tags, encodings, capacities, and each chunk's bytes as stored in the file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "city/CityBlock.h"
#include "city/CityData.h"

namespace rw::city {

enum class CityChunk {
    MISC,
    ALTM,
    XTER,
    XBLD,
    XZON,
    XUND,
    XTXT,
    XLAB,
    XMIC,
    XTHG,
    XBIT,
    XTRF,
    XPLT,
    XVAL,
    XCRM,
    XPLC,
    XFIR,
    XPOP,
    XROG,
    XGRP,
    CNAM,
};

struct CityChunkInfo {
    std::string_view tag;
    bool compressed;       // run-length encoded; otherwise stored as it stands
    std::size_t capacity;  // bytes of the destination (ALTM, CNAM: the longest chunk accepted)
};

inline constexpr std::size_t kCityChunkCount = 21;
inline constexpr std::size_t kLargestChunkImage = 32768;
inline constexpr std::size_t kLongestNameChunk = 240;

inline constexpr std::array<CityChunkInfo, kCityChunkCount> kCityChunks{{
    {"MISC", true, 4800},  {"ALTM", false, 32768}, {"XTER", true, 16384},
    {"XBLD", true, 16384}, {"XZON", true, 16384},  {"XUND", true, 16384},
    {"XTXT", true, 16384}, {"XLAB", true, 6400},   {"XMIC", true, 1200},
    {"XTHG", true, 480},   {"XBIT", true, 16384},  {"XTRF", true, 4096},
    {"XPLT", true, 4096},  {"XVAL", true, 4096},   {"XCRM", true, 4096},
    {"XPLC", true, 1024},  {"XFIR", true, 1024},   {"XPOP", true, 1024},
    {"XROG", true, 1024},  {"XGRP", true, 3328},   {"CNAM", false, kLongestNameChunk},
}};

constexpr const CityChunkInfo& ChunkInfo(CityChunk chunk) {
    return kCityChunks[static_cast<std::size_t>(chunk)];
}

// The CityMap block a chunk fills (its size is the chunk's capacity); nothing for CNAM.
constexpr std::optional<CityBlock> ChunkBlock(CityChunk chunk) {
    constexpr std::array<CityBlock, kCityChunkCount - 1> kBlocks{
        CityBlock::MiscInfo,   CityBlock::AltMap,   CityBlock::auxPtr3,  CityBlock::auxPtr1,
        CityBlock::auxPtr2,    CityBlock::auxPtr4,  CityBlock::auxPtr5,  CityBlock::auxPtr6,
        CityBlock::auxPtr7,    CityBlock::auxPtr8,  CityBlock::BitsMap,  CityBlock::TrafficMap,
        CityBlock::PolluteMap, CityBlock::ValueMap, CityBlock::CrimeMap, CityBlock::PoliceMap,
        CityBlock::FireMap,    CityBlock::PopMap,   CityBlock::ROGMap,   CityBlock::GraphData,
    };
    const auto index = static_cast<std::size_t>(chunk);
    if (index >= kBlocks.size()) {
        return std::nullopt;
    }
    return kBlocks[index];
}

// True for the chunks whose destination holds 16- or 32-bit words (stored big-endian in the file).
constexpr bool HasWords(CityChunk chunk) {
    return chunk == CityChunk::MISC || chunk == CityChunk::ALTM || chunk == CityChunk::XMIC ||
           chunk == CityChunk::XGRP;
}

// The chunk whose tag equals the four bytes exactly; nothing for an unknown tag.
std::optional<CityChunk> FindCityChunk(std::span<const std::uint8_t> tag);

// The image of a chunk's destination: its capacity in bytes laid out as in the file (16- and 32-bit words
// big-endian). Not for CNAM. image must hold at least the chunk's capacity.
void WriteChunkImage(const CityData& data, CityChunk chunk, std::span<std::uint8_t> image);

// The same conversions for a chunk's CityMap block (host-order words, laid out as CityMap holds them).
// block and image hold at least the chunk's capacity. Not for CNAM. WriteBlockImage writes the image from
// byte from onwards (and the rest of the word holding byte from).
void WriteBlockImage(CityChunk chunk, std::span<const std::uint8_t> block, std::span<std::uint8_t> image,
                     std::size_t from = 0);
void ReadBlockImage(CityChunk chunk, std::span<const std::uint8_t> image, std::span<std::uint8_t> block);

}  // namespace rw::city
