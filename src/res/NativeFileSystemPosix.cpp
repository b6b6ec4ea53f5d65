// NativeFileSystem on POSIX systems.
#ifndef _WIN32

#include <cerrno>
#include <cstdio>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "res/NativeFileSystem.h"

namespace rw::res {

namespace {

FileStatus StatusOf(int error, bool creating) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return creating ? FileStatus::NoSuchFolder : FileStatus::NoSuchFile;
        case EISDIR:
        case ENXIO:
        case ENODEV:
            return FileStatus::NotRegularFile;
        case EROFS:
            return FileStatus::ReadOnly;
        case EACCES:
        case EPERM:
            return creating ? FileStatus::ReadOnly : FileStatus::PermissionDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileStatus::DiskFull;
        case ENAMETOOLONG:
            return FileStatus::PathTooLong;
        case ENOMEM:
            return FileStatus::OutOfMemory;
        case ETXTBSY:
        case EBUSY:
            return FileStatus::InUse;
        default:
            return FileStatus::IoError;
    }
}

// The folder part of path, "." when there is none.
std::string FolderOrDot(const std::string& path) {
    const auto cut = path.find_last_of('/');
    return cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
}

}  // namespace

template <typename T>
T NativeFileSystem::Failed(T failed, bool creating) {
    m_lastError = StatusOf(errno, creating);
    return failed;
}

// FileSharing::DenyWrite takes no lock here: POSIX offers only advisory locks, which the game and other
// programs would not take. The reader copes with a file that changes underneath it because every read is
// bounds-checked against the length at that moment. O_NONBLOCK keeps the open itself from waiting on a
// FIFO without a writer; what is not a regular file is then refused by its handle's own type.
int NativeFileSystem::OpenExisting(const std::string& path, FileAccess access, FileSharing /*sharing*/) {
    const int flags = (access == FileAccess::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return Failed(-1);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        m_lastError = StatusOf(error, false);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        m_lastError = FileStatus::NotRegularFile;
        return -1;
    }
    // The status flags are the ones it was opened with (F_SETFL ignores the access mode and the open-time
    // flags), so they need not be asked for.
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

int NativeFileSystem::CreateNew(const std::string& path) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? Failed(-1, true) : fd;
}

std::int64_t NativeFileSystem::Read(int handle, std::span<std::uint8_t> buffer) {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::read(handle, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Failed<std::int64_t>(-1);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t NativeFileSystem::Write(int handle, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(handle, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Failed(0, true);
            break;
        }
        if (n == 0) {
            m_lastError = FileStatus::DiskFull;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t NativeFileSystem::Seek(int handle, std::int64_t offset, SeekFrom from) {
    const int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR : SEEK_END;
    const auto at = static_cast<std::int64_t>(::lseek(handle, static_cast<off_t>(offset), whence));
    return at < 0 ? Failed<std::int64_t>(-1) : at;
}

std::int64_t NativeFileSystem::Length(int handle) {
    struct stat st {};
    if (::fstat(handle, &st) != 0) {
        return Failed<std::int64_t>(-1);
    }
    return static_cast<std::int64_t>(st.st_size);
}

bool NativeFileSystem::Truncate(int handle, std::int64_t length) {
    int rc = 0;
    do {
        rc = ::ftruncate(handle, static_cast<off_t>(length));
    } while (rc != 0 && errno == EINTR);
    return rc == 0 || Failed(false, true);
}

bool NativeFileSystem::Flush(int handle) {
    int rc = 0;
    do {
        rc = ::fsync(handle);
    } while (rc != 0 && errno == EINTR);
    return rc == 0 || Failed(false, true);
}

bool NativeFileSystem::Close(int handle) {
    // Linux releases the descriptor even when close reports EINTR, so it is never retried.
    return ::close(handle) == 0 || Failed(false, true);
}

bool NativeFileSystem::RenameOver(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        return Failed(false, true);
    }
    // The new name is in place; syncing its folder makes it survive a power cut too. That is best effort:
    // the rename itself has happened, so its result stands whatever the sync says.
    const int fd = ::open(FolderOrDot(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

bool NativeFileSystem::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || Failed(false, true);
}

bool NativeFileSystem::Exists(const std::string& path) {
    const int fd = OpenExisting(path, FileAccess::Read, FileSharing::DenyNone);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

int NativeFileSystem::CreateUnnamed(const std::string& folder) {
#ifdef O_TMPFILE
    int fd = -1;
    do {
        fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? Failed(-1, true) : fd;
#else
    (void)folder;
    m_lastError = FileStatus::IoError;
    return -1;
#endif
}

bool NativeFileSystem::NameUnnamed(int handle, const std::string& path) {
    // linkat with AT_EMPTY_PATH needs a capability; the descriptor's /proc entry needs none.
    const std::string self = "/proc/self/fd/" + std::to_string(handle);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
           Failed(false, true);
}

bool NativeFileSystem::TryLock(int handle) {
    int rc = 0;
    do {
        rc = ::flock(handle, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    return rc == 0 || Failed(false);
}

std::vector<std::string> NativeFileSystem::List(const std::string& folder) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                                  &::closedir);
    if (!dir) {
        return Failed(names);
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        names.emplace_back(entry->d_name);
    }
    return names;
}

}  // namespace rw::res

#endif  // _WIN32
