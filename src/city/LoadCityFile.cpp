// The city file reader: header, chunk loop and the finishing steps, all into a staged copy of the city.
#include "city/LoadCityFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "city/CityChunk.h"
#include "city/DecompressChunk.h"
#include "city/MemoryArena.h"
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

// What the chunk loop gathers besides the staged chunk contents.
struct LoadState {
    bool labelsPresent = false;
    std::optional<std::vector<std::uint8_t>> nameChunk;
};

// Reads one known chunk into the staged city. The destination's image starts as the staged values, so a
// short decode keeps them beyond the decoded bytes.
bool ReadChunk(res::ByteReader& file, std::uint32_t length, CityChunk chunk, CityData& staged,
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
    const auto image = scratch.first(info.capacity);
    WriteChunkImage(staged, chunk, image);
    if (info.compressed) {
        if (!DecompressChunk(file, length, image)) {
            return false;
        }
    } else {
        const auto data = file.Bytes(length);
        if (!data || length > info.capacity) {
            return false;
        }
        std::copy(data->begin(), data->end(), image.begin());
    }
    if (chunk == CityChunk::MISC && res::ByteReader::U32BEAt(image, 0) != kMiscCheckValue) {
        return false;
    }
    if (chunk == CityChunk::XLAB) {
        state.labelsPresent = true;
    }
    ReadChunkImage(staged, chunk, image);
    return true;
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

std::array<std::uint32_t, 16> ComputeGraphMax(const CityData& city) {
    std::array<std::uint32_t, 16> result = kGraphMaxAfterLoad;
    for (std::size_t g = 0; g < 16; ++g) {
        const auto first = city.graphs.begin() + static_cast<std::ptrdiff_t>(g * 52);
        result[g] = std::max(result[g], *std::max_element(first, first + 52));
    }
    result[1] = result[2] = result[3] = result[0];
    return result;
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

    const auto staged = std::make_unique<CityData>();
    map.CopyTo(*staged);
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
            if (!ReadChunk(reader, *length, *chunk, *staged, scratch, state)) {
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

    if (state.nameChunk && (*state.nameChunk)[0] != 0) {
        staged->name = NameFromChunk(*state.nameChunk);
    } else {
        staged->name = std::string(baseName);
    }
    staged->name.resize(std::min(staged->name.size(), kNameCapacity));
    FinishLabels(staged->labels, state.labelsPresent);
    map.Replace(*staged, ComputeGraphMax(*staged));
    return true;
}

// stdio rather than a stream: a read error (a folder given as the path, a failing disk) must come back
// as a false result, and libstdc++'s file streams throw from their buffer on some of those.
bool LoadCityFile(CityMap& map, const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, 16384> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
    }
    if (std::ferror(file.get()) != 0) {
        return false;
    }
    return LoadCityBytes(map, bytes, CityBaseName(path));
}

}  // namespace rw::city
