// NativeFileSystem on POSIX systems.
#ifndef _WIN32

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "scenario/NativeFileSystem.h"

namespace rw::scenario {

// FileSharing::DenyWrite takes no lock here: POSIX offers only advisory locks, which the game and other
// programs would not take. The reader copes with a file that changes underneath it because every read is
// bounds-checked against the length at that moment.
int NativeFileSystem::OpenExisting(const std::string& path, FileAccess access, FileSharing /*sharing*/) {
    const int flags = (access == FileAccess::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int NativeFileSystem::CreateNew(const std::string& path) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::int64_t NativeFileSystem::Read(int handle, std::span<std::uint8_t> buffer) {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::read(handle, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
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
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t NativeFileSystem::Seek(int handle, std::int64_t offset, SeekFrom from) {
    const int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR : SEEK_END;
    return static_cast<std::int64_t>(::lseek(handle, static_cast<off_t>(offset), whence));
}

std::int64_t NativeFileSystem::Length(int handle) {
    struct stat st {};
    if (::fstat(handle, &st) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(st.st_size);
}

bool NativeFileSystem::Truncate(int handle, std::int64_t length) {
    int rc = 0;
    do {
        rc = ::ftruncate(handle, static_cast<off_t>(length));
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool NativeFileSystem::Flush(int handle) {
    int rc = 0;
    do {
        rc = ::fsync(handle);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool NativeFileSystem::Close(int handle) {
    // Linux releases the descriptor even when close reports EINTR, so it is never retried.
    return ::close(handle) == 0;
}

bool NativeFileSystem::RenameOver(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    // The new name is in place; syncing its folder makes it survive a power cut too. That is best effort:
    // the rename itself has happened, so its result stands whatever the sync says.
    const auto cut = to.find_last_of('/');
    const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : to.substr(0, cut);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

bool NativeFileSystem::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool NativeFileSystem::Exists(const std::string& path) {
    const int fd = OpenExisting(path, FileAccess::Read, FileSharing::DenyNone);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

}  // namespace rw::scenario

#endif  // _WIN32
