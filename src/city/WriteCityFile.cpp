// Encoding the chunks of a city and writing the file.
#include "city/WriteCityFile.h"

#include <algorithm>
#include <new>

#include "city/CityChunk.h"
#include "city/RunLength.h"
#include "res/AtomicFile.h"
#include "res/ByteWriter.h"

namespace rw::city {

namespace {

std::array<char, 4> TagOf(CityChunk chunk) {
    const std::string_view tag = ChunkInfo(chunk).tag;
    return {tag[0], tag[1], tag[2], tag[3]};
}

}  // namespace

std::vector<CityFileChunk> EncodeCityChunks(const CityData& city) {
    std::vector<CityFileChunk> chunks;
    std::vector<std::uint8_t> image(kLargestChunkImage);
    for (std::size_t i = 0; i < kCityChunkCount; ++i) {
        const auto chunk = static_cast<CityChunk>(i);
        const CityChunkInfo& info = kCityChunks[i];
        if (chunk == CityChunk::CNAM) {
            if (city.name.empty()) {
                continue;
            }
            const std::size_t length = std::min<std::size_t>(city.name.size(), kLongestNameChunk - 1);
            CityFileChunk name{TagOf(chunk), {static_cast<std::uint8_t>(length)}};
            name.data.insert(name.data.end(), city.name.begin(),
                             city.name.begin() + static_cast<std::ptrdiff_t>(length));
            chunks.push_back(std::move(name));
            continue;
        }
        const std::span<std::uint8_t> bytes(image.data(), info.capacity);
        WriteChunkImage(city, chunk, bytes);
        if (info.compressed) {
            chunks.push_back({TagOf(chunk), EncodeRunLength(bytes)});
        } else {
            chunks.push_back({TagOf(chunk), {bytes.begin(), bytes.end()}});
        }
    }
    return chunks;
}

std::vector<std::uint8_t> AssembleCityFile(std::span<const CityFileChunk> chunks) {
    res::ByteWriter out;
    out.Text("FORM");
    out.U32BE(0);
    out.Text("MTDH");
    for (const CityFileChunk& chunk : chunks) {
        out.Text(std::string_view(chunk.tag.data(), chunk.tag.size()));
        out.U32BE(static_cast<std::uint32_t>(chunk.data.size()));
        out.Bytes(chunk.data);
    }
    out.PatchU32BE(4, static_cast<std::uint32_t>(out.Size() - 8));
    return out.Take();
}

std::vector<std::uint8_t> EncodeCityFile(const CityData& city) {
    const auto chunks = EncodeCityChunks(city);
    return AssembleCityFile(chunks);
}

res::FileResult WriteCityFileResult(const CityData& city, const std::string& path) {
    try {
        return res::WriteFileAtomically(path, EncodeCityFile(city));
    } catch (const std::bad_alloc&) {
        return res::FileResult::Failure(res::FileStatus::OutOfMemory);
    }
}

}  // namespace rw::city
