// A named operating-system file and its handle.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "res/FileResult.h"
#include "res/FileSystem.h"

namespace rw::res {

// Paths are UTF-8 and hold at most this many characters (code points); longer paths are refused by every
// operation, as the platform's fixed path buffer cannot hold them.
inline constexpr std::size_t kMaxPathChars = 259;

// Holds a path and, while open, a handle from ActiveFileSystem(). Every operation reports by its result
// and never throws. The destructor closes an open handle it owns. Not copyable.
class DiskFile {
  public:
    explicit DiskFile(std::string_view path = {});
    virtual ~DiskFile();
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    // True when the file can be opened for reading (sharing reads and writes); the stored path without
    // an argument.
    bool Exists(std::string_view path) const;
    bool Exists() const { return Exists(m_path); }

    // Opens an existing file; a non-empty path replaces the stored one first. Succeeds at once when a
    // file is already open. Never creates a file.
    bool Open(std::string_view path, FileAccess access, FileSharing sharing);
    // Creates a new empty file opened for reading and writing; fails when a file is open, the path is
    // empty (the stored one is used when path is empty) or the file exists.
    bool Create(std::string_view path = {});
    // Works on a handle someone else opened and will close (an atomic save's temporary file); path is
    // what Path() reports. Fails when a file is open.
    bool Attach(int handle, std::string_view path);
    // Fails when nothing is open or the system reports an error; the handle is released either way (an
    // attached one is only let go).
    bool Close();
    // Size in bytes; with nothing open the stored path is opened read-only for the query. -1 on failure.
    std::int64_t Length();

    const std::string& Path() const { return m_path; }
    int Handle() const { return m_handle; }
    bool IsOpen() const { return m_handle >= 0; }

    // True when path is non-empty and not longer than kMaxPathChars.
    static bool FitsPath(std::string_view path);

  protected:
    std::string m_path;
    int m_handle = -1;
    bool m_ownsHandle = true;
};

// Ok when path names a regular file that can be opened for reading; otherwise why not (no such file, not a
// regular file, a path too long, ...). Never waits on a FIFO or a device. For readers that do not go through
// the seam themselves.
FileResult CheckRegularFile(const std::string& path);

}  // namespace rw::res
