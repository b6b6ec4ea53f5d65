// Fuzz target: any bytes as a chunk file. The container's walk agrees with a plain model walk over the bytes,
// and the chunks walked, written out again, give back the same bytes.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryFileSystem.h"
#include "res/ByteReader.h"
#include "scenario/ChunkFile.h"
#include "support/FaultInjectingFileSystem.h"

using namespace rw;
using scenario::ChunkFile;

namespace {

struct WalkedChunk {
    std::int64_t cursor = 0;
    std::uint32_t tag = 0;
    std::int32_t length = 0;
};

struct ModelWalk {
    std::vector<WalkedChunk> chunks;  // the current chunk after FirstChunk and after each successful step
    bool failed = false;
};

// The walk as the container's rules state it, from the bytes alone: a chunk header must be whole, its length
// non-negative and its end within the file; a step needs a length of 8 to 32768.
ModelWalk Walk(std::span<const std::uint8_t> file) {
    ModelWalk walk;
    const auto size = static_cast<std::int64_t>(file.size());
    std::int64_t cursor = scenario::kChunkFileHeaderSize;
    while (true) {
        if (cursor >= size) {
            return walk;
        }
        if (size - cursor < scenario::kChunkHeaderSize) {
            walk.failed = true;
            return walk;
        }
        const auto at = static_cast<std::size_t>(cursor);
        const std::uint32_t tag = res::ByteReader::U32LEAt(file, at).value();
        const auto length = static_cast<std::int32_t>(res::ByteReader::U32LEAt(file, at + 4).value());
        if (length < 0 || cursor + length > size) {
            walk.failed = true;
            return walk;
        }
        walk.chunks.push_back({cursor, tag, length});
        if (length < scenario::kChunkHeaderSize || length > scenario::kMaxSteppableChunk) {
            return walk;
        }
        cursor += length;
    }
}

std::uint32_t HeaderWord(std::span<const std::uint8_t> file, std::size_t word) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t at = word * 4 + i;
        value |= at < file.size() ? std::uint32_t{file[at]} << (8 * i) : 0;
    }
    return value;
}

void CheckCurrent(ChunkFile& file, const WalkedChunk& expected, std::span<const std::uint8_t> bytes) {
    RW_FUZZ_CHECK(file.Cursor() == expected.cursor);
    RW_FUZZ_CHECK(file.Tag() == expected.tag);
    RW_FUZZ_CHECK(file.ChunkLength() == expected.length);
    const auto payload = file.ReadPayload();
    RW_FUZZ_CHECK(payload.has_value());
    const auto start = bytes.begin() + expected.cursor + scenario::kChunkHeaderSize;
    if (expected.length >= scenario::kChunkHeaderSize) {
        RW_FUZZ_CHECK(std::equal(payload->begin(), payload->end(), start, start + (expected.length - 8)));
    } else {
        RW_FUZZ_CHECK(payload->empty());
    }
}

// Every operation of the container once, results ignored: run with a file call failing, it must neither
// crash nor leave a handle open.
void ExerciseAll(fuzz::MemoryFileSystem& fs, std::span<const std::uint8_t> bytes) {
    fs.Put("all.chk", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    {
        ChunkFile file("all.chk");
        file.OpenRead();
        do {
            file.ReadPayload();
        } while (file.NextChunk());
    }
    {
        ChunkFile file("new.chk");
        file.OpenWrite(1, 2, 3);
        file.WriteData(0x41414141, bytes.first(std::min<std::size_t>(bytes.size(), 9)));
        file.Finalize();
        file.Close();
    }
    fs.Remove("all.chk");
    fs.Remove("new.chk");
}

unsigned Hash(std::span<const std::uint8_t> bytes, unsigned salt) {
    unsigned hash = 2166136261u ^ salt;
    for (const std::uint8_t b : bytes) {
        hash = (hash ^ b) * 16777619u;
    }
    return hash;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    fuzz::MemoryFileSystem fs;
    const res::ScopedFileSystem scope(fs);
    fs.Put("in.chk", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const ModelWalk model = Walk(bytes);

    {
        ChunkFile file("in.chk");
        RW_FUZZ_CHECK(file.OpenRead());
        RW_FUZZ_CHECK(file.FileType() == HeaderWord(bytes, 3));
        std::size_t walked = 0;
        for (const WalkedChunk& chunk : model.chunks) {
            CheckCurrent(file, chunk, bytes);
            const bool stepped = file.NextChunk();
            RW_FUZZ_CHECK(stepped == (walked + 1 < model.chunks.size()));
            walked += stepped ? 1 : 0;
        }
        if (model.chunks.empty()) {
            RW_FUZZ_CHECK(!file.NextChunk());
        }
        RW_FUZZ_CHECK(!model.failed || !file.ReadPayload());
        RW_FUZZ_CHECK(file.Close());
    }
    RW_FUZZ_CHECK(fs.OpenHandles() == 0);

    // Writing the walked chunks (those with a whole header) reproduces their bytes after a fresh header.
    if (size >= static_cast<std::size_t>(scenario::kChunkFileHeaderSize)) {
        ChunkFile out("out.chk");
        RW_FUZZ_CHECK(out.OpenWrite(HeaderWord(bytes, 2), HeaderWord(bytes, 3), HeaderWord(bytes, 4)));
        std::int64_t end = scenario::kChunkFileHeaderSize;
        for (const WalkedChunk& chunk : model.chunks) {
            if (chunk.length < scenario::kChunkHeaderSize) {
                break;
            }
            const auto at = static_cast<std::size_t>(chunk.cursor) + scenario::kChunkHeaderSize;
            RW_FUZZ_CHECK(
                out.WriteData(chunk.tag, bytes.subspan(at, static_cast<std::size_t>(chunk.length - 8))));
            end = chunk.cursor + chunk.length;
        }
        RW_FUZZ_CHECK(out.Finalize() && out.Close());
        const auto written = fs.Get("out.chk");
        RW_FUZZ_CHECK(written && static_cast<std::int64_t>(written->size()) == end);
        RW_FUZZ_CHECK(std::equal(written->begin() + 28, written->end(), bytes.begin() + 28));
        RW_FUZZ_CHECK(HeaderWord(*written, 5) == written->size());
    }

    // The same operations with one file call failing, three calls picked by the input.
    support::FaultInjectingFileSystem counting(fs);
    {
        const res::ScopedFileSystem countScope(counting);
        ExerciseAll(fs, bytes);
    }
    for (unsigned salt = 1; salt <= 3; ++salt) {
        support::FaultInjectingFileSystem failing(fs);
        failing.FailAtCall(
            static_cast<int>(Hash(bytes, salt) % static_cast<unsigned>(counting.TotalCount())) + 1);
        {
            const res::ScopedFileSystem failScope(failing);
            ExerciseAll(fs, bytes);
        }
        RW_FUZZ_CHECK(fs.OpenHandles() == 0);
    }
    return 0;
}
