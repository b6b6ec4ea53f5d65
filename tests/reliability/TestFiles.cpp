// Test support for the reliability tests.
#include "TestFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

#include "MemoryFileSystem.h"
#include "res/ByteReader.h"
#include "scenario/ChunkFile.h"
#include "scenario/WriteScenario.h"

namespace rw::reliability {

std::vector<SeedFile> Seeds(const std::string& target) {
    std::vector<SeedFile> seeds;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(RW_CORPUS_DIR) / target)) {
        seeds.push_back({entry.path().filename().string(), ReadFileBytes(entry.path())});
    }
    std::sort(seeds.begin(), seeds.end(),
              [](const SeedFile& a, const SeedFile& b) { return a.name < b.name; });
    return seeds;
}

Bytes ScenarioBytes(const scenario::Scenario& s) {
    fuzz::MemoryFileSystem fs;
    const scenario::ScopedFileSystem scope(fs);
    scenario::WriteScenario(s, "bytes.scn");
    return fs.Get("bytes.scn").value_or(Bytes{});
}

std::vector<std::size_t> ChunkStarts(const Bytes& file) {
    std::vector<std::size_t> starts;
    std::size_t at = scenario::kChunkFileHeaderSize;
    while (at + scenario::kChunkHeaderSize <= file.size()) {
        const auto length = static_cast<std::int32_t>(res::ByteReader::U32LEAt(file, at + 4).value());
        if (length < scenario::kChunkHeaderSize || at + static_cast<std::size_t>(length) > file.size()) {
            break;
        }
        starts.push_back(at);
        at += static_cast<std::size_t>(length);
    }
    return starts;
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ScratchFolder::ScratchFolder() {
    std::random_device seed;
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_root = std::filesystem::temp_directory_path() / ("rw-reliability-" + std::to_string(seed()));
        if (std::filesystem::create_directory(m_root)) {
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

std::vector<std::string> ScratchFolder::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_root)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

int OpenDescriptorCount() {
    std::error_code error;
    const std::filesystem::directory_iterator fds("/proc/self/fd", error);
    if (error) {
        return -1;
    }
    return static_cast<int>(std::distance(fds, std::filesystem::directory_iterator()));
}

}  // namespace rw::reliability
