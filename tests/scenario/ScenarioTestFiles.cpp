// Test support: scratch folders and hand-built chunk files.
#include "ScenarioTestFiles.h"

#include <fstream>
#include <iterator>
#include <random>

#include <gtest/gtest.h>

#include "scenario/ChunkFile.h"
#include "scenario/ScenarioTags.h"

namespace rw::scenario::testing {

ScratchFolder::ScratchFolder() {
    std::random_device random;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "rw-scenario-";
    name += info != nullptr ? info->name() : "x";
    name += "-" + std::to_string(random());
    m_root = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(m_root);
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

ByteVec ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return ByteVec(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const ByteVec& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ByteVec Header(std::uint32_t fileType, std::uint32_t fileLength) {
    rw::res::ByteWriter w;
    w.U32LE(kChunkMagic);
    w.U32LE(2);
    w.U32LE(tags::kCreator);
    w.U32LE(fileType);
    w.U32LE(tags::kTypeVersion);
    w.U32LE(fileLength == 0 ? 28 : fileLength);
    w.U32LE(1);
    return w.Take();
}

ByteVec ChunkWithLength(std::uint32_t tag, std::int32_t length, const ByteVec& payload) {
    rw::res::ByteWriter w;
    w.U32LE(tag);
    w.I32LE(length);
    w.Bytes(payload);
    return w.Take();
}

ByteVec Chunk(std::uint32_t tag, const ByteVec& payload) {
    return ChunkWithLength(tag, static_cast<std::int32_t>(payload.size() + 8), payload);
}

ByteVec ScenarioFile(const std::vector<ByteVec>& chunks) {
    ByteVec file = Header(tags::kFileType);
    for (const ByteVec& c : chunks) {
        file.insert(file.end(), c.begin(), c.end());
    }
    const auto length = static_cast<std::uint32_t>(file.size());
    for (std::size_t i = 0; i < 4; ++i) {
        file[20 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
    return file;
}

ByteVec Text(std::string_view text, bool terminate) {
    ByteVec bytes(text.begin(), text.end());
    if (terminate) {
        bytes.push_back(0);
    }
    return bytes;
}

ByteVec U32(std::uint32_t v) {
    rw::res::ByteWriter w;
    w.U32LE(v);
    return w.Take();
}

ByteVec Concat(std::initializer_list<ByteVec> parts) {
    ByteVec all;
    for (const ByteVec& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

}  // namespace rw::scenario::testing
