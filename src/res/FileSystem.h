// The seam between the file formats and the operating system's file calls.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "res/FileResult.h"

namespace rw::res {

enum class FileAccess { Read, ReadWrite };

// What other openers may do while the file is open. DenyWrite is honoured on Windows (share mode); POSIX
// has no mandatory locks, so there it is a statement of intent only and nothing is locked.
enum class FileSharing { DenyNone, DenyWrite };

enum class SeekFrom { Begin, Current, End };

// Every operating-system file call the readers and writers make. Handles are small non-negative integers;
// -1 means failure or "no file". Paths are UTF-8. After a failed call LastError() tells why. The active
// instance is the native one unless a test has installed another with ScopedFileSystem.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Opens an existing regular file, binary, never creating it. Anything else (a folder, a FIFO, a
    // device) is refused without waiting on it. -1 on failure.
    virtual int OpenExisting(const std::string& path, FileAccess access, FileSharing sharing) = 0;
    // Creates a file that must not exist yet, opened for reading and writing, readable and writable by
    // its owner. -1 on failure (an existing file included).
    virtual int CreateNew(const std::string& path) = 0;
    // Bytes read (fewer than asked only at the end of the file), -1 on error.
    virtual std::int64_t Read(int handle, std::span<std::uint8_t> buffer) = 0;
    // Bytes written; fewer than asked (or -1) means the write failed, e.g. a full disk.
    virtual std::int64_t Write(int handle, std::span<const std::uint8_t> bytes) = 0;
    // The new absolute position, -1 on error.
    virtual std::int64_t Seek(int handle, std::int64_t offset, SeekFrom from) = 0;
    // Size in bytes, -1 on error.
    virtual std::int64_t Length(int handle) = 0;
    virtual bool Truncate(int handle, std::int64_t length) = 0;
    // Returns once the file's bytes are on the storage device (fsync, _commit). A save calls it before its
    // rename, so that a power cut cannot leave the target's name on bytes that never reached the disk.
    virtual bool Flush(int handle) = 0;
    // The handle is released even when false is returned.
    virtual bool Close(int handle) = 0;
    // Renames from over to, replacing an existing to in one step.
    virtual bool RenameOver(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // True when the file can be opened for reading (sharing reads and writes).
    virtual bool Exists(const std::string& path) = 0;

    // Why the last failed call failed. A file system that cannot tell says IoError.
    virtual FileStatus LastError() const { return FileStatus::IoError; }

    // A file without a name in folder ("" is the current folder), for reading and writing, that vanishes
    // when closed unless NameUnnamed gives it one (Linux's O_TMPFILE). -1 where the platform or the file
    // system has no such files; the caller then creates a named file.
    virtual int CreateUnnamed(const std::string& /*folder*/) { return -1; }
    // Links an unnamed file under path, which must not exist.
    virtual bool NameUnnamed(int /*handle*/, const std::string& /*path*/) { return false; }
    // Takes an exclusive lock that lasts while the handle is open and dies with its process; false when
    // another open holds it. Where there are no such locks it says true.
    virtual bool TryLock(int /*handle*/) { return true; }
    // The names of the entries of folder ("" is the current folder); empty when it cannot be listed.
    virtual std::vector<std::string> List(const std::string& /*folder*/) { return {}; }
};

// The instance every reader and writer uses. Not thread-safe to swap; swapping is for tests.
FileSystem& ActiveFileSystem();

// Installs a replacement for its lifetime and restores the previous one afterwards. Nesting is allowed.
class ScopedFileSystem {
  public:
    explicit ScopedFileSystem(FileSystem& replacement);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

  private:
    FileSystem* m_previous;
};

}  // namespace rw::res
