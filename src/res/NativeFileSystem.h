// The operating system's own file calls behind the FileSystem seam.
#pragma once

#include "res/FileSystem.h"

namespace rw::res {

// POSIX descriptors on Linux; the C runtime's _wsopen_s descriptors on Windows (paths converted from
// UTF-8 to UTF-16). One instance serves the whole program.
class NativeFileSystem final : public FileSystem {
  public:
    int OpenExisting(const std::string& path, FileAccess access, FileSharing sharing) override;
    int CreateNew(const std::string& path) override;
    std::int64_t Read(int handle, std::span<std::uint8_t> buffer) override;
    std::int64_t Write(int handle, std::span<const std::uint8_t> bytes) override;
    std::int64_t Seek(int handle, std::int64_t offset, SeekFrom from) override;
    std::int64_t Length(int handle) override;
    bool Truncate(int handle, std::int64_t length) override;
    bool Flush(int handle) override;
    bool Close(int handle) override;
    bool RenameOver(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool Exists(const std::string& path) override;
    FileStatus LastError() const override { return m_lastError; }
    int CreateUnnamed(const std::string& folder) override;
    bool NameUnnamed(int handle, const std::string& path) override;
    bool TryLock(int handle) override;
    std::vector<std::string> List(const std::string& folder) override;

  private:
    // Records why the call that just failed failed; returns failed so that calls can end with it.
    template <typename T>
    T Failed(T failed, bool creating = false);

    FileStatus m_lastError = FileStatus::Ok;
};

}  // namespace rw::res
