// NativeFileSystem on Windows: the C runtime's descriptors, opened with share modes.
#ifdef _WIN32

#include <climits>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "scenario/NativeFileSystem.h"

namespace rw::scenario {

namespace {

// An invalid UTF-8 path becomes the empty path, which every call then refuses.
std::wstring Wide(const std::string& utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                        n);
    return out;
}

constexpr unsigned kMaxChunk = 1u << 30;

}  // namespace

int NativeFileSystem::OpenExisting(const std::string& path, FileAccess access, FileSharing sharing) {
    const std::wstring w = Wide(path);
    if (w.empty()) {
        return -1;
    }
    const int flags = _O_BINARY | _O_NOINHERIT | (access == FileAccess::Read ? _O_RDONLY : _O_RDWR);
    const int share = sharing == FileSharing::DenyWrite ? _SH_DENYWR : _SH_DENYNO;
    int fd = -1;
    if (_wsopen_s(&fd, w.c_str(), flags, share, 0) != 0) {
        return -1;
    }
    return fd;
}

int NativeFileSystem::CreateNew(const std::string& path) {
    const std::wstring w = Wide(path);
    if (w.empty()) {
        return -1;
    }
    int fd = -1;
    if (_wsopen_s(&fd, w.c_str(), _O_BINARY | _O_NOINHERIT | _O_RDWR | _O_CREAT | _O_EXCL, _SH_DENYNO,
                  _S_IREAD | _S_IWRITE) != 0) {
        return -1;
    }
    return fd;
}

std::int64_t NativeFileSystem::Read(int handle, std::span<std::uint8_t> buffer) {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const std::size_t left = buffer.size() - done;
        const unsigned ask = left > kMaxChunk ? kMaxChunk : static_cast<unsigned>(left);
        const int n = _read(handle, buffer.data() + done, ask);
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
        const std::size_t left = bytes.size() - done;
        const unsigned ask = left > kMaxChunk ? kMaxChunk : static_cast<unsigned>(left);
        const int n = _write(handle, bytes.data() + done, ask);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t NativeFileSystem::Seek(int handle, std::int64_t offset, SeekFrom from) {
    const int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR : SEEK_END;
    return _lseeki64(handle, offset, whence);
}

std::int64_t NativeFileSystem::Length(int handle) {
    return _filelengthi64(handle);
}

bool NativeFileSystem::Truncate(int handle, std::int64_t length) {
    return _chsize_s(handle, length) == 0;
}

bool NativeFileSystem::Close(int handle) {
    return _close(handle) == 0;
}

bool NativeFileSystem::Flush(int handle) {
    return _commit(handle) == 0;
}

bool NativeFileSystem::RenameOver(const std::string& from, const std::string& to) {
    const std::wstring wf = Wide(from);
    const std::wstring wt = Wide(to);
    if (wf.empty() || wt.empty()) {
        return false;
    }
    return MoveFileExW(wf.c_str(), wt.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool NativeFileSystem::Remove(const std::string& path) {
    const std::wstring w = Wide(path);
    return !w.empty() && _wremove(w.c_str()) == 0;
}

bool NativeFileSystem::Exists(const std::string& path) {
    const int fd = OpenExisting(path, FileAccess::Read, FileSharing::DenyNone);
    if (fd < 0) {
        return false;
    }
    _close(fd);
    return true;
}

}  // namespace rw::scenario

#endif  // _WIN32
