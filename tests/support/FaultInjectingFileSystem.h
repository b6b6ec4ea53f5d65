// A FileSystem for tests that counts every call and makes chosen ones fail.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "res/FileSystem.h"

namespace rw::support {

enum class FileOp { Open, Create, Read, Write, Seek, Length, Truncate, Flush, Close, Rename, Remove, Exists };
inline constexpr std::size_t kFileOpCount = 12;

// Forwards to another FileSystem (the native one by default) and counts calls per kind. A failing call fails
// the way the system would: an open or create returns -1 without touching the disk, a write stores the first
// half of its bytes and reports that short count (a full disk), a close releases the handle and reports
// false, a rename or remove does nothing and reports false. LastError() then says IoError, else what the
// inner file system says. Creating (where the inner one can) or naming an unnamed
// file counts as a Create or a Rename. Install it with res::ScopedFileSystem.
class FaultInjectingFileSystem final : public res::FileSystem {
  public:
    explicit FaultInjectingFileSystem(res::FileSystem& inner) : m_inner(inner) {}
    FaultInjectingFileSystem() : FaultInjectingFileSystem(res::ActiveFileSystem()) {}

    // The n-th call (1-based, counted from construction or Reset) of that kind fails.
    void FailAt(FileOp op, int n) { m_failAt[static_cast<std::size_t>(op)] = n; }
    // The n-th numbered call fails, and with onward every later one too. Calls of every kind but Remove are
    // numbered: Remove is the clean-up of a failed save, and were it to fail a temporary file would be left
    // whatever the caller did.
    void FailAtCall(int n, bool onward = false) {
        m_failAtCall = n;
        m_onward = onward;
    }
    void Reset();
    // How many numbered calls were made.
    int TotalCount() const { return m_calls; }
    // How many calls were made to fail so far.
    int Injected() const { return m_injected; }
    // The kinds of every call in order.
    const std::vector<FileOp>& Log() const { return m_log; }

    int OpenExisting(const std::string& path, res::FileAccess access, res::FileSharing sharing) override;
    int CreateNew(const std::string& path) override;
    std::int64_t Read(int handle, std::span<std::uint8_t> buffer) override;
    std::int64_t Write(int handle, std::span<const std::uint8_t> bytes) override;
    std::int64_t Seek(int handle, std::int64_t offset, res::SeekFrom from) override;
    std::int64_t Length(int handle) override;
    bool Truncate(int handle, std::int64_t length) override;
    bool Flush(int handle) override;
    bool Close(int handle) override;
    bool RenameOver(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool Exists(const std::string& path) override;
    res::FileStatus LastError() const override {
        return m_failedLast ? res::FileStatus::IoError : m_inner.LastError();
    }
    int CreateUnnamed(const std::string& folder) override;
    bool NameUnnamed(int handle, const std::string& path) override;
    bool TryLock(int handle) override { return m_inner.TryLock(handle); }
    std::vector<std::string> List(const std::string& folder) override { return m_inner.List(folder); }

  private:
    // Counts the call and tells whether it is to fail.
    bool Fails(FileOp op);

    res::FileSystem& m_inner;
    std::array<int, kFileOpCount> m_counts{};
    std::array<int, kFileOpCount> m_failAt{};
    std::vector<FileOp> m_log;
    int m_calls = 0;
    int m_failAtCall = 0;
    bool m_onward = false;
    int m_injected = 0;
    bool m_failedLast = false;
};

}  // namespace rw::support
