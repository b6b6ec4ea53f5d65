// A FileSystem for tests that counts every call and makes a chosen one fail.
#pragma once

#include <array>
#include <cstddef>

#include "res/FileSystem.h"

namespace rw::support {

using res::FileAccess;
using res::FileSharing;
using res::FileStatus;
using res::FileSystem;
using res::SeekFrom;

enum class FileOp { Open, Create, Read, Write, Seek, Length, Truncate, Close, Rename, Remove, Exists };
inline constexpr std::size_t kFileOpCount = 11;

// Forwards to another FileSystem (the native one by default) and counts calls per kind. FailAt(op, n)
// makes the n-th call (1-based, counted from construction or Reset) of that kind fail the way the
// system would: an open or create returns -1 without touching the disk, a write stores the first half of
// its bytes and reports that short count (a full disk), a close releases the handle and reports false,
// a rename or remove does nothing and reports false. LastError() then says FailWith's status (IoError unless
// set), else what the inner file system says. Creating (where the inner one can) or naming an unnamed file
// counts as a Create or a Rename. Install it with res::ScopedFileSystem.
class FaultInjectingFileSystem final : public FileSystem {
  public:
    explicit FaultInjectingFileSystem(FileSystem& inner);
    FaultInjectingFileSystem();

    void FailAt(FileOp op, int n);
    // The reason injected failures give, e.g. ReadOnly for a folder that refuses writing.
    void FailWith(FileStatus status) { m_status = status; }
    // Every call of that kind from the n-th on fails.
    void FailFrom(FileOp op, int n);
    // The n-th call of any kind fails (1-based over TotalCount()), for loops over every call of an operation.
    void FailAtCall(int n) { m_failAtCall = n; }
    void Reset();
    int Count(FileOp op) const { return m_counts[static_cast<std::size_t>(op)]; }
    int TotalCount() const;
    // How many calls were made to fail so far.
    int Injected() const { return m_injected; }

    int OpenExisting(const std::string& path, FileAccess access, FileSharing sharing) override;
    int CreateNew(const std::string& path) override;
    std::int64_t Read(int handle, std::span<std::uint8_t> buffer) override;
    std::int64_t Write(int handle, std::span<const std::uint8_t> bytes) override;
    std::int64_t Seek(int handle, std::int64_t offset, SeekFrom from) override;
    std::int64_t Length(int handle) override;
    bool Truncate(int handle, std::int64_t length) override;
    // Forwarded without counting or failing.
    bool Flush(int handle) override { return m_inner.Flush(handle); }
    bool Close(int handle) override;
    bool RenameOver(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool Exists(const std::string& path) override;
    FileStatus LastError() const override { return m_failedLast ? m_status : m_inner.LastError(); }
    int CreateUnnamed(const std::string& folder) override;
    bool NameUnnamed(int handle, const std::string& path) override;
    bool TryLock(int handle) override { return m_inner.TryLock(handle); }
    std::vector<std::string> List(const std::string& folder) override { return m_inner.List(folder); }

  private:
    // Counts the call and tells whether it is to fail.
    bool Fails(FileOp op);

    FileSystem& m_inner;
    std::array<int, kFileOpCount> m_counts{};
    std::array<int, kFileOpCount> m_failAt{};
    std::array<int, kFileOpCount> m_failFrom{};
    int m_failAtCall = 0;
    int m_injected = 0;
    FileStatus m_status = FileStatus::IoError;
    bool m_failedLast = false;
};

}  // namespace rw::support
