// Test support: a scratch folder per test and chunk-file bytes built by hand.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "res/ByteWriter.h"

namespace rw::scenario::testing {

using ByteVec = std::vector<std::uint8_t>;

// A fresh empty folder, removed with everything in it at destruction.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path(std::string_view name) const { return (m_root / name).string(); }
    const std::filesystem::path& Root() const { return m_root; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Files() const;

  private:
    std::filesystem::path m_root;
};

ByteVec ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const ByteVec& bytes);

// A 28-byte header; fileLength 0 means "whatever the finished file's length is" (see File()).
ByteVec Header(std::uint32_t fileType, std::uint32_t fileLength = 0);
// One chunk with a length word of 8 + payload size, or an explicit length word.
ByteVec Chunk(std::uint32_t tag, const ByteVec& payload);
ByteVec ChunkWithLength(std::uint32_t tag, std::int32_t length, const ByteVec& payload);
// A header of type VTSN (creator RWRT, version 100, the true file length) followed by the chunks.
ByteVec ScenarioFile(const std::vector<ByteVec>& chunks);

ByteVec Text(std::string_view text, bool terminate = true);
ByteVec U32(std::uint32_t v);
ByteVec Concat(std::initializer_list<ByteVec> parts);

}  // namespace rw::scenario::testing
