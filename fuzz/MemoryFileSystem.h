// A FileSystem held wholly in memory, so fuzz targets and sweeps read and write files without a disk.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "res/FileSystem.h"

namespace rw::fuzz {

// Files are byte vectors keyed by path; there are no folders. Handles keep their own position and stay
// valid across a rename (they name the file, not the path), as on POSIX. Nothing here fails on its own;
// combine with FaultInjectingFileSystem for faults. Install it with ScopedFileSystem.
class MemoryFileSystem final : public res::FileSystem {
  public:
    void Put(const std::string& path, std::vector<std::uint8_t> bytes);
    std::optional<std::vector<std::uint8_t>> Get(const std::string& path) const;
    // Paths of every file, sorted.
    std::vector<std::string> Paths() const;
    // Handles not yet closed.
    std::size_t OpenHandles() const { return m_handles.size(); }

    int OpenExisting(const std::string& path, res::FileAccess access, res::FileSharing sharing) override;
    int CreateNew(const std::string& path) override;
    std::int64_t Read(int handle, std::span<std::uint8_t> buffer) override;
    std::int64_t Write(int handle, std::span<const std::uint8_t> bytes) override;
    std::int64_t Seek(int handle, std::int64_t offset, res::SeekFrom from) override;
    std::int64_t Length(int handle) override;
    bool Truncate(int handle, std::int64_t length) override;
    bool Flush(int handle) override { return m_handles.count(handle) != 0; }
    bool Close(int handle) override;
    bool RenameOver(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool Exists(const std::string& path) override;
    // Opening a path that names no file says NoSuchFile; any other failure IoError.
    res::FileStatus LastError() const override { return m_lastError; }

  private:
    struct Handle {
        int file = 0;
        std::int64_t position = 0;
        bool writable = false;
    };
    Handle* Find(int handle);
    int NewHandle(int file, bool writable);
    // Drops a file's contents once no path names it and no handle is open on it.
    void Collect(int file);

    // Contents by file id; paths name ids, so a renamed file keeps its open handles.
    std::map<int, std::vector<std::uint8_t>> m_contents;
    std::map<std::string, int> m_paths;
    std::map<int, Handle> m_handles;
    int m_nextFile = 1;
    int m_nextHandle = 3;
    res::FileStatus m_lastError = res::FileStatus::Ok;
};

}  // namespace rw::fuzz
