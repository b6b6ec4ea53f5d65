// The city file reader: header, chunk loop and the finishing steps, all into the map's staging blocks.
#include "city/LoadCityFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "city/CityChunk.h"
#include "city/MemoryArena.h"
#include "city/RunLength.h"
#include "res/ByteReader.h"

namespace rw::city {

namespace {

constexpr std::size_t kNameCapacity = 32;
constexpr std::array<std::uint32_t, 16> kGraphMaxAfterLoad{1,   1,   1,   1,  1,  1, 1, 1,
                                                           100, 100, 150, 90, 15, 1, 1, 15};

bool IsTag(std::span<const std::uint8_t> bytes, std::string_view tag) {
    return std::equal(bytes.begin(), bytes.end(), tag.begin(), tag.end(),
                      [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
}

// What the chunk loop gathers besides the staged blocks.
struct LoadState {
    bool labelsPresent = false;
    std::optional<std::vector<std::uint8_t>> nameChunk;
    // Chunks whose staging block already holds this load's values; the others still hold an older city.
    std::array<bool, kCityChunkCount> staged{};
};

template <typename T>
std::span<T> Words(std::span<std::uint8_t> block) {
    return {static_cast<T*>(static_cast<void*>(block.data())), block.size() / sizeof(T)};
}

// The altitude words, stored as they stand: a short chunk keeps the current words beyond it, and an odd
// last byte replaces only the high byte of its word.
bool ReadAltitudes(res::ByteReader& file, std::uint32_t length, std::span<std::uint8_t> block,
                   std::span<const std::uint8_t> current) {
    if (length > block.size() || file.Remaining() < length) {
        return false;
    }
    const auto words = Words<std::uint16_t>(block);
    std::size_t read = length / 2;
    file.U16BEArray(words.first(read));
    if (length % 2 != 0) {
        std::uint16_t word = 0;
        std::memcpy(&word, current.data() + read * 2, 2);
        words[read] = static_cast<std::uint16_t>((*file.U8() << 8) | (word & 0xFF));
        ++read;
    }
    if (current.data() != block.data()) {
        std::memcpy(block.data() + read * 2, current.data() + read * 2, block.size() - read * 2);
    }
    return true;
}

constexpr bool ByteChunksAreCoded() {
    for (std::size_t c = 0; c < kCityChunkCount; ++c) {
        const auto chunk = static_cast<CityChunk>(c);
        if (chunk != CityChunk::CNAM && !HasWords(chunk) && !ChunkInfo(chunk).compressed) {
            return false;
        }
    }
    return true;
}
static_assert(ByteChunksAreCoded(), "chunks of plain bytes are decoded in place as run-length data");
// A word chunk's image and the image of its current values share the scratch buffer.
static_assert(2 * std::max({ChunkInfo(CityChunk::MISC).capacity, ChunkInfo(CityChunk::XMIC).capacity,
                            ChunkInfo(CityChunk::XGRP).capacity}) <=
              kLargestChunkImage);

// Reads one known chunk into its staging block. Bytes beyond a short decode keep the current city's values:
// those of an earlier chunk with the same tag, else the live map's.
bool ReadChunk(res::ByteReader& file, std::uint32_t length, CityChunk chunk, CityMap& map,
               std::span<std::uint8_t> scratch, LoadState& state) {
    const CityChunkInfo& info = ChunkInfo(chunk);
    if (chunk == CityChunk::CNAM) {
        const auto data = file.Bytes(length);
        if (!data || length > kLongestNameChunk) {
            return false;
        }
        state.nameChunk.emplace(data->begin(), data->end());
        return true;
    }
    const CityBlock blockId = *ChunkBlock(chunk);
    const auto block = map.StagingBlock(blockId);
    const auto live = map.Block(blockId);
    bool& staged = state.staged[static_cast<std::size_t>(chunk)];
    if (chunk == CityChunk::ALTM) {
        const bool read = ReadAltitudes(file, length, block, staged ? block : live);
        staged = true;
        return read;
    }
    if (HasWords(chunk)) {
        // Decoded as their big-endian image; the image's bytes beyond the decoded ones are those of the
        // current values.
        const auto image = scratch.first(info.capacity);
        const auto current = scratch.subspan(info.capacity, info.capacity);
        const auto data = file.Bytes(length);
        const auto decoded = data ? DecodeRunLengthPrefix(*data, image) : std::nullopt;
        if (!decoded) {
            return false;
        }
        WriteBlockImage(chunk, staged ? block : live, current, *decoded);
        std::memcpy(image.data() + *decoded, current.data() + *decoded, info.capacity - *decoded);
        if (chunk == CityChunk::MISC && res::ByteReader::U32BEAt(image, 0) != kMiscCheckValue) {
            return false;
        }
        ReadBlockImage(chunk, image, block);
        staged = true;
        return true;
    }
    // Bytes: decoded in place. The first time, the rest of the block is filled from the live map, which
    // lets the decode leave it undefined; a repeated chunk decodes over the earlier one exactly.
    const auto data = file.Bytes(length);
    if (!data) {
        return false;
    }
    if (staged) {
        if (!DecodeRunLength(*data, block)) {
            return false;
        }
    } else {
        const auto decoded = DecodeRunLengthPrefix(*data, block);
        if (!decoded) {
            return false;
        }
        std::memcpy(block.data() + *decoded, live.data() + *decoded, block.size() - *decoded);
        staged = true;
    }
    if (chunk == CityChunk::XLAB) {
        state.labelsPresent = true;
    }
    return true;
}

// Chunks absent from the file keep the live map's values.
void StageAbsentChunks(CityMap& map, const LoadState& state) {
    for (std::size_t c = 0; c < kCityChunkCount; ++c) {
        const auto block = ChunkBlock(static_cast<CityChunk>(c));
        if (block && !state.staged[c]) {
            const auto live = map.Block(*block);
            std::memcpy(map.StagingBlock(*block).data(), live.data(), live.size());
        }
    }
}

std::string NameFromChunk(const std::vector<std::uint8_t>& chunk) {
    const std::size_t length = std::min<std::size_t>(chunk[0], chunk.size() - 1);
    const auto first = chunk.begin() + 1;
    const auto end = std::find(first, first + static_cast<std::ptrdiff_t>(length), std::uint8_t{0});
    return std::string(first, end);
}

void FinishLabels(std::span<std::uint8_t> labels, bool present) {
    if (!present) {
        std::fill(labels.begin(), labels.end(), std::uint8_t{0});
        return;
    }
    for (std::size_t at = 0; at < labels.size(); at += 25) {
        const std::uint8_t length = std::min<std::uint8_t>(labels[at], 23);
        labels[at] = length;
        labels[at + 1 + length] = 0;
    }
}

std::array<std::uint32_t, 16> ComputeGraphMax(std::span<const std::uint32_t> graphs) {
    std::array<std::uint32_t, 16> result = kGraphMaxAfterLoad;
    for (std::size_t g = 0; g < 16; ++g) {
        const auto first = graphs.begin() + static_cast<std::ptrdiff_t>(g * 52);
        result[g] = std::max(result[g], *std::max_element(first, first + 52));
    }
    result[1] = result[2] = result[3] = result[0];
    return result;
}

// The file's length from the position of its end, rewound; a guess when that is unknown or not believable
// (a directory's, say).
std::size_t SizeHint(std::FILE* file) {
    constexpr std::size_t kUnknownSize = 16384;
    constexpr long kLargestBelievable = 64L << 20;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        size = std::ftell(file);
    }
    std::rewind(file);
    return size > 0 && size <= kLargestBelievable ? static_cast<std::size_t>(size) : kUnknownSize;
}

// Frees the arena's pieces when the load ends, however it ends.
struct ArenaReset {
    int slot;
    ~ArenaReset() { ResetArena(slot); }
};

}  // namespace

std::string CityBaseName(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

bool LoadCityBytes(CityMap& map, std::span<const std::uint8_t> file, std::string_view baseName) {
    res::ByteReader reader(file);
    const auto form = reader.Bytes(4);
    const auto formSize = reader.U32BE();
    const auto formType = reader.Bytes(4);
    if (!form || !formSize || !formType || !IsTag(*form, "FORM") || !IsTag(*formType, "MTDH")) {
        return false;
    }

    const int slot = map.DecompressArena();
    ResetArena(slot);
    const ArenaReset resetAtEnd{slot};
    auto* scratchBytes =
        static_cast<std::uint8_t*>(ArenaAlloc(slot, "decompress buffer", kLargestChunkImage));
    const std::span<std::uint8_t> scratch(scratchBytes, kLargestChunkImage);

    LoadState state;
    // The form size is compared as a signed number: a size of 2 GiB or more ends the form after one chunk.
    const std::int64_t formEnd = static_cast<std::int32_t>(*formSize);
    std::int64_t consumed = 4;
    while (true) {
        const auto tag = reader.Bytes(4);
        const auto length = reader.U32BE();
        if (!tag || !length || *length == 0) {
            return false;
        }
        if (const auto chunk = FindCityChunk(*tag)) {
            if (!ReadChunk(reader, *length, *chunk, map, scratch, state)) {
                return false;
            }
        } else if (!reader.Skip(*length)) {
            return false;
        }
        consumed += std::int64_t{*length} + 8;
        if (consumed >= formEnd) {
            break;
        }
    }

    std::string name;
    if (state.nameChunk && (*state.nameChunk)[0] != 0) {
        name = NameFromChunk(*state.nameChunk);
    } else {
        name = std::string(baseName);
    }
    name.resize(std::min(name.size(), kNameCapacity));
    StageAbsentChunks(map, state);
    FinishLabels(map.StagingBlock(CityBlock::auxPtr6), state.labelsPresent);
    map.CommitStaging(name, ComputeGraphMax(Words<std::uint32_t>(map.StagingBlock(CityBlock::GraphData))));
    return true;
}

// stdio rather than a stream: a read error (a folder given as the path, a failing disk) must come back
// as a false result, and libstdc++'s file streams throw from their buffer on some of those.
bool LoadCityFile(CityMap& map, const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return false;
    }
    // Sized by the file's length where it is known, so that a file read whole takes one read; a short read
    // ends the file (or is an error), a full one means it grew and the buffer doubles.
    std::size_t capacity = SizeHint(file.get()) + 1;
    auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
    std::size_t size = 0;
    while ((size += std::fread(bytes.get() + size, 1, capacity - size, file.get())) == capacity) {
        auto larger = std::make_unique_for_overwrite<std::uint8_t[]>(capacity * 2);
        std::memcpy(larger.get(), bytes.get(), size);
        bytes = std::move(larger);
        capacity *= 2;
    }
    if (std::ferror(file.get()) != 0) {
        return false;
    }
    return LoadCityBytes(map, std::span<const std::uint8_t>(bytes.get(), size), CityBaseName(path));
}

}  // namespace rw::city
