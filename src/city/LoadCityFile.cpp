// The city file reader: header, chunk loop and the finishing steps, all into the map's staging blocks.
#include "city/LoadCityFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

#include "city/CityChunk.h"
#include "city/MemoryArena.h"
#include "city/RunLength.h"
#include "res/ByteReader.h"
#include "res/DiskFile.h"
#include "res/FileSystem.h"

namespace rw::city {

using res::FileResult;
using res::FileStatus;

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
// Nothing when the chunk was read, else why it was refused.
constexpr const char* kPastTheEnd = "runs past the end of the file";
constexpr const char* kPastTheBlock = "decodes past its block";

const char* ReadChunk(res::ByteReader& file, std::uint32_t length, CityChunk chunk, CityMap& map,
                      std::span<std::uint8_t> scratch, LoadState& state) {
    const CityChunkInfo& info = ChunkInfo(chunk);
    if (chunk == CityChunk::CNAM) {
        const auto data = file.Bytes(length);
        if (!data) {
            return kPastTheEnd;
        }
        if (length > kLongestNameChunk) {
            return "is longer than a name can be";
        }
        state.nameChunk.emplace(data->begin(), data->end());
        return nullptr;
    }
    const CityBlock blockId = *ChunkBlock(chunk);
    const auto block = map.StagingBlock(blockId);
    const auto live = map.Block(blockId);
    bool& staged = state.staged[static_cast<std::size_t>(chunk)];
    if (chunk == CityChunk::ALTM) {
        if (file.Remaining() < length) {
            return kPastTheEnd;
        }
        const bool read = ReadAltitudes(file, length, block, staged ? block : live);
        staged = true;
        return read ? nullptr : "is longer than its block";
    }
    if (HasWords(chunk)) {
        // Decoded as their big-endian image; the image's bytes beyond the decoded ones are those of the
        // current values.
        const auto image = scratch.first(info.capacity);
        const auto current = scratch.subspan(info.capacity, info.capacity);
        const auto data = file.Bytes(length);
        if (!data) {
            return kPastTheEnd;
        }
        const auto decoded = DecodeRunLengthPrefix(*data, image);
        if (!decoded) {
            return kPastTheBlock;
        }
        WriteBlockImage(chunk, staged ? block : live, current, *decoded);
        std::memcpy(image.data() + *decoded, current.data() + *decoded, info.capacity - *decoded);
        if (chunk == CityChunk::MISC && res::ByteReader::U32BEAt(image, 0) != kMiscCheckValue) {
            return "does not start with the check value";
        }
        ReadBlockImage(chunk, image, block);
        staged = true;
        return nullptr;
    }
    // Bytes: decoded in place. The first time, the rest of the block is filled from the live map, which
    // lets the decode leave it undefined; a repeated chunk decodes over the earlier one exactly.
    const auto data = file.Bytes(length);
    if (!data) {
        return kPastTheEnd;
    }
    if (staged) {
        if (!DecodeRunLength(*data, block)) {
            return kPastTheBlock;
        }
    } else {
        const auto decoded = DecodeRunLengthPrefix(*data, block);
        if (!decoded) {
            return kPastTheBlock;
        }
        std::memcpy(block.data() + *decoded, live.data() + *decoded, block.size() - *decoded);
        staged = true;
    }
    if (chunk == CityChunk::XLAB) {
        state.labelsPresent = true;
    }
    return nullptr;
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
    // Four maxima side by side: one alone waits on each comparison before the next.
    constexpr std::size_t kLanes = 4;
    static_assert(52 % kLanes == 0);
    for (std::size_t g = 0; g < 16; ++g) {
        std::array<std::uint32_t, kLanes> lanes{};
        for (std::size_t i = g * 52; i < (g + 1) * 52; i += kLanes) {
            for (std::size_t k = 0; k < kLanes; ++k) {
                lanes[k] = std::max(lanes[k], graphs[i + k]);
            }
        }
        result[g] = std::max(result[g], *std::max_element(lanes.begin(), lanes.end()));
    }
    result[1] = result[2] = result[3] = result[0];
    return result;
}

// The four characters of a tag, anything unprintable as '?'.
std::string TagText(std::span<const std::uint8_t> tag) {
    std::string text;
    for (const std::uint8_t c : tag) {
        text += c >= ' ' && c <= '~' ? static_cast<char>(c) : '?';
    }
    return text;
}

FileResult Refused(std::string message, std::size_t offset) {
    return FileResult::Failure(FileStatus::WrongKind, std::move(message), static_cast<std::int64_t>(offset));
}

constexpr std::size_t kFormHeaderSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
// More than a city with every chunk once takes even stored without compression (about 170 KB): a file up to
// this long is read in one call.
constexpr std::uint64_t kWholeReadLimit = 256 * 1024;

// Checks the form header; nothing when it is a city's.
std::optional<FileResult> CheckFormHeader(std::span<const std::uint8_t> header) {
    res::ByteReader reader(header);
    const auto form = reader.Bytes(4);
    const auto formSize = reader.U32BE();
    const auto formType = reader.Bytes(4);
    if (!form || !IsTag(*form, "FORM")) {
        return Refused("not a city file: no FORM at byte 0", 0);
    }
    if (!formSize || !formType) {
        return Refused("not a city file: the header is cut off", header.size());
    }
    if (!IsTag(*formType, "MTDH")) {
        return Refused("not a city file: the form type at byte 8 is not MTDH", 8);
    }
    return std::nullopt;
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

FileResult LoadCityBytes(CityMap& map, std::span<const std::uint8_t> file, std::string_view baseName) {
    if (auto refused = CheckFormHeader(file.first(std::min(file.size(), kFormHeaderSize)))) {
        return *refused;
    }
    res::ByteReader reader(file);
    reader.Skip(4);
    const std::uint32_t formSize = *reader.U32BE();
    reader.Skip(4);

    const int slot = map.DecompressArena();
    ResetArena(slot);
    const ArenaReset resetAtEnd{slot};
    auto* scratchBytes =
        static_cast<std::uint8_t*>(ArenaAlloc(slot, "decompress buffer", kLargestChunkImage));
    const std::span<std::uint8_t> scratch(scratchBytes, kLargestChunkImage);

    LoadState state;
    // The form size is compared as a signed number: a size of 2 GiB or more ends the form after one chunk.
    const std::int64_t formEnd = static_cast<std::int32_t>(formSize);
    std::int64_t consumed = 4;
    while (true) {
        const std::size_t at = reader.Offset();
        const auto tag = reader.Bytes(4);
        const auto length = reader.U32BE();
        if (!tag || !length) {
            return Refused(
                "the chunk header at byte " + std::to_string(at) + " is cut off by the end of the file", at);
        }
        // Worded only for a refusal: a load that succeeds builds no text.
        const auto refuseChunk = [&](std::string_view why) {
            return Refused(
                "chunk " + TagText(*tag) + " at byte " + std::to_string(at) + " " + std::string(why), at);
        };
        if (*length == 0) {
            return refuseChunk("is empty");
        }
        if (const auto chunk = FindCityChunk(*tag)) {
            if (const char* why = ReadChunk(reader, *length, *chunk, map, scratch, state)) {
                return refuseChunk(why);
            }
        } else if (!reader.Skip(*length)) {
            return refuseChunk(kPastTheEnd);
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
    return {};
}

namespace {

// A byte vector whose growth leaves the new bytes as they are: the read overwrites them, so zeroing them
// first would only touch the whole file once more.
template <typename T>
struct OverwrittenAllocator : std::allocator<T> {
    template <typename U>
    void construct(U* place) noexcept {
        ::new (static_cast<void*>(place)) U;
    }
};
using FileBytes = std::vector<std::uint8_t, OverwrittenAllocator<std::uint8_t>>;

// Reads what the reader will look at, no more: the form as its header says, or the first chunk when that
// is longer (the reader always takes one), and never more than the file holds. A file no longer than any
// city can be is read whole in one call and trimmed; a longer one is read header first, and unless it is a
// city's nothing else, so memory follows the file and a device or a huge file claiming to be a city costs
// nothing.
FileResult ReadCityBytes(const std::string& path, FileBytes& bytes) {
    if (!res::DiskFile::FitsPath(path)) {
        return FileResult::Failure(path.empty() ? FileStatus::NoSuchFile : FileStatus::PathTooLong);
    }
    res::FileSystem& fs = res::ActiveFileSystem();
    res::DiskFile file;
    if (!file.Open(path, res::FileAccess::Read, res::FileSharing::DenyWrite)) {
        return FileResult::Failure(fs.LastError());
    }
    const std::int64_t length = fs.Length(file.Handle());
    if (length < 0) {
        return FileResult::Failure(fs.LastError());
    }
    const auto fileSize = static_cast<std::uint64_t>(length);
    constexpr std::size_t kHeadSize = kFormHeaderSize + kChunkHeaderSize;
    bytes.resize(fileSize <= kWholeReadLimit ? static_cast<std::size_t>(fileSize) : kHeadSize);
    const std::int64_t got = fs.Read(file.Handle(), bytes);
    if (got < 0) {
        return FileResult::Failure(fs.LastError());
    }
    // A file that shrank while it was read ends where its bytes end.
    bytes.resize(static_cast<std::size_t>(got));
    const auto head = std::span<const std::uint8_t>(bytes).first(std::min(bytes.size(), kHeadSize));
    if (auto refused = CheckFormHeader(head.first(std::min(head.size(), kFormHeaderSize)))) {
        return *refused;
    }
    const auto formSize = static_cast<std::int32_t>(res::ByteReader::U32BEAt(head, 4).value_or(0));
    std::uint64_t wanted = 8 + static_cast<std::uint64_t>(std::max<std::int32_t>(formSize, 4));
    if (head.size() == kHeadSize) {
        const std::uint64_t firstChunk = res::ByteReader::U32BEAt(head, kFormHeaderSize + 4).value_or(0);
        wanted = std::max<std::uint64_t>(wanted, kHeadSize + firstChunk);
    }
    wanted = std::min(wanted, fileSize);
    if (wanted <= bytes.size()) {
        bytes.resize(static_cast<std::size_t>(wanted));
        return {};
    }
    const std::size_t start = bytes.size();
    bytes.resize(static_cast<std::size_t>(wanted));
    const std::int64_t rest = fs.Read(file.Handle(), std::span(bytes).subspan(start));
    if (rest < 0) {
        return FileResult::Failure(fs.LastError());
    }
    bytes.resize(start + static_cast<std::size_t>(rest));
    return {};
}

}  // namespace

FileResult LoadCityFileResult(CityMap& map, const std::string& path) {
    try {
        FileBytes bytes;
        if (FileResult read = ReadCityBytes(path, bytes); !read) {
            return read;
        }
        return LoadCityBytes(map, bytes, CityBaseName(path));
    } catch (const std::bad_alloc&) {
        return FileResult::Failure(FileStatus::OutOfMemory);
    }
}

}  // namespace rw::city
