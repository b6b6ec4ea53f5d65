// Test support: the seed corpora, bytes of written scenarios, and a scratch folder on disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "scenario/Scenario.h"

namespace rw::reliability {

using Bytes = std::vector<std::uint8_t>;

struct SeedFile {
    std::string name;
    Bytes bytes;
};

// Every file of fuzz/corpus/<target>, sorted by name.
std::vector<SeedFile> Seeds(const std::string& target);

// The bytes WriteScenario produces for s (written in memory).
Bytes ScenarioBytes(const scenario::Scenario& s);

// Offsets of the chunk starts of a chunk file as its walk finds them, and the file's end.
std::vector<std::size_t> ChunkStarts(const Bytes& file);

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

// A fresh empty folder under the system's temporary folder, removed with its contents at destruction.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::string Path(const std::string& name) const { return (m_root / name).string(); }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Files() const;

  private:
    std::filesystem::path m_root;
};

// Open file descriptors of this process (Linux); -1 where that cannot be told.
int OpenDescriptorCount();

}  // namespace rw::reliability
