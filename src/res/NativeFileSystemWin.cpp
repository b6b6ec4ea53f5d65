// NativeFileSystem on Windows: the C runtime's descriptors, opened with share modes.
#ifdef _WIN32

#include <climits>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <stdlib.h>
#include <sys/stat.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "res/NativeFileSystem.h"

namespace rw::res {

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

std::string Narrow(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) {
        return {};
    }
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
    out.pop_back();
    return out;
}

FileStatus StatusOf(unsigned long error, bool creating) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return FileStatus::NoSuchFile;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return creating ? FileStatus::NoSuchFolder : FileStatus::NoSuchFile;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileStatus::InUse;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return creating ? FileStatus::ReadOnly : FileStatus::PermissionDenied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileStatus::DiskFull;
        case ERROR_FILENAME_EXCED_RANGE:
            return FileStatus::PathTooLong;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return FileStatus::OutOfMemory;
        default:
            return FileStatus::IoError;
    }
}

constexpr unsigned kMaxChunk = 1u << 30;

}  // namespace

template <typename T>
T NativeFileSystem::Failed(T failed, bool creating) {
    m_lastError = StatusOf(_doserrno != 0 ? _doserrno : GetLastError(), creating);
    return failed;
}

// A folder fails to open with access denied, which would read as a permission problem; a device (CON, NUL,
// a pipe) opens, so the handle's own type is checked too.
int NativeFileSystem::OpenExisting(const std::string& path, FileAccess access, FileSharing sharing) {
    const std::wstring w = Wide(path);
    if (w.empty()) {
        m_lastError = FileStatus::NoSuchFile;
        return -1;
    }
    const DWORD attributes = GetFileAttributesW(w.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        m_lastError = FileStatus::NotRegularFile;
        return -1;
    }
    const int flags = _O_BINARY | _O_NOINHERIT | (access == FileAccess::Read ? _O_RDONLY : _O_RDWR);
    const int share = sharing == FileSharing::DenyWrite ? _SH_DENYWR : _SH_DENYNO;
    int fd = -1;
    _doserrno = 0;
    if (_wsopen_s(&fd, w.c_str(), flags, share, 0) != 0) {
        return Failed(-1);
    }
    if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) != FILE_TYPE_DISK) {
        _close(fd);
        m_lastError = FileStatus::NotRegularFile;
        return -1;
    }
    return fd;
}

int NativeFileSystem::CreateNew(const std::string& path) {
    const std::wstring w = Wide(path);
    if (w.empty()) {
        m_lastError = FileStatus::NoSuchFolder;
        return -1;
    }
    int fd = -1;
    _doserrno = 0;
    if (_wsopen_s(&fd, w.c_str(), _O_BINARY | _O_NOINHERIT | _O_RDWR | _O_CREAT | _O_EXCL, _SH_DENYNO,
                  _S_IREAD | _S_IWRITE) != 0) {
        return Failed(-1, true);
    }
    return fd;
}

std::int64_t NativeFileSystem::Read(int handle, std::span<std::uint8_t> buffer) {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const std::size_t left = buffer.size() - done;
        const unsigned ask = left > kMaxChunk ? kMaxChunk : static_cast<unsigned>(left);
        _doserrno = 0;
        const int n = _read(handle, buffer.data() + done, ask);
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
        const std::size_t left = bytes.size() - done;
        const unsigned ask = left > kMaxChunk ? kMaxChunk : static_cast<unsigned>(left);
        _doserrno = 0;
        const int n = _write(handle, bytes.data() + done, ask);
        if (n <= 0) {
            m_lastError = n == 0 || errno == ENOSPC ? FileStatus::DiskFull : StatusOf(_doserrno, true);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t NativeFileSystem::Seek(int handle, std::int64_t offset, SeekFrom from) {
    const int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR : SEEK_END;
    const std::int64_t at = _lseeki64(handle, offset, whence);
    return at < 0 ? Failed<std::int64_t>(-1) : at;
}

std::int64_t NativeFileSystem::Length(int handle) {
    const std::int64_t length = _filelengthi64(handle);
    return length < 0 ? Failed<std::int64_t>(-1) : length;
}

bool NativeFileSystem::Truncate(int handle, std::int64_t length) {
    return _chsize_s(handle, length) == 0 || Failed(false, true);
}

bool NativeFileSystem::Close(int handle) {
    return _close(handle) == 0 || Failed(false, true);
}

bool NativeFileSystem::Flush(int handle) {
    return _commit(handle) == 0 || Failed(false, true);
}

bool NativeFileSystem::RenameOver(const std::string& from, const std::string& to) {
    const std::wstring wf = Wide(from);
    const std::wstring wt = Wide(to);
    if (wf.empty() || wt.empty()) {
        m_lastError = FileStatus::NoSuchFile;
        return false;
    }
    _doserrno = 0;
    if (MoveFileExW(wf.c_str(), wt.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    // A target another program holds open refuses the replacement as "access denied", which would read as
    // a read-only folder: asking for the target alone tells the two apart.
    if (GetLastError() == ERROR_ACCESS_DENIED) {
        const HANDLE target = CreateFileW(wt.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (target == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION) {
            m_lastError = FileStatus::InUse;
            return false;
        }
        if (target != INVALID_HANDLE_VALUE) {
            CloseHandle(target);
        }
        SetLastError(ERROR_ACCESS_DENIED);
    }
    return Failed(false, true);
}

// A file some program still holds open (a save in progress among them) cannot be removed: the runtime opens
// without FILE_SHARE_DELETE. That is what keeps a stale-file sweep from taking a live temporary file.
bool NativeFileSystem::Remove(const std::string& path) {
    const std::wstring w = Wide(path);
    _doserrno = 0;
    return (!w.empty() && DeleteFileW(w.c_str()) != 0) || Failed(false, true);
}

bool NativeFileSystem::Exists(const std::string& path) {
    const int fd = OpenExisting(path, FileAccess::Read, FileSharing::DenyNone);
    if (fd < 0) {
        return false;
    }
    _close(fd);
    return true;
}

int NativeFileSystem::CreateUnnamed(const std::string& /*folder*/) {
    m_lastError = FileStatus::IoError;
    return -1;
}

bool NativeFileSystem::NameUnnamed(int /*handle*/, const std::string& /*path*/) {
    m_lastError = FileStatus::IoError;
    return false;
}

bool NativeFileSystem::TryLock(int /*handle*/) {
    return true;
}

std::vector<std::string> NativeFileSystem::List(const std::string& folder) {
    std::vector<std::string> names;
    const std::wstring pattern = Wide((folder.empty() ? std::string(".") : folder) + "\\*");
    WIN32_FIND_DATAW found{};
    const HANDLE search = pattern.empty() ? INVALID_HANDLE_VALUE : FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.push_back(Narrow(found.cFileName));
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
    return names;
}

}  // namespace rw::res

#endif  // _WIN32
