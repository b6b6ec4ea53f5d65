// A fresh folder per test, removed with its contents at the end, and whole-file reads and writes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace rw::support {

inline std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The names of the files in a folder, sorted.
inline std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ScratchFolder {
  public:
    // create_directory says whether it made the folder, so a name already taken is passed over; a test
    // whose folder cannot be made fails on its first file.
    ScratchFolder() {
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && m_root.empty(); ++attempt) {
            const auto candidate = temp / ("rw-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                m_root = candidate;
            }
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::string Path(std::string_view name) const { return (m_root / name).string(); }
    std::vector<std::string> Files() const { return FileNames(m_root); }

  private:
    std::filesystem::path m_root;
};

}  // namespace rw::support
