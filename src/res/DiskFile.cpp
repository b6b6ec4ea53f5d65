// A named operating-system file and its handle.
#include "res/DiskFile.h"

#include <utility>

namespace rw::res {

DiskFile::DiskFile(std::string_view path) {
    if (FitsPath(path)) {
        m_path = path;
    }
}

DiskFile::~DiskFile() {
    if (m_ownsHandle && IsOpen()) {
        ActiveFileSystem().Close(m_handle);
    }
}

bool DiskFile::FitsPath(std::string_view path) {
    std::size_t chars = 0;
    for (const char c : path) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++chars;
        }
    }
    return chars > 0 && chars <= kMaxPathChars;
}

bool DiskFile::Exists(std::string_view path) const {
    return FitsPath(path) && ActiveFileSystem().Exists(std::string(path));
}

bool DiskFile::Open(std::string_view path, FileAccess access, FileSharing sharing) {
    if (IsOpen()) {
        return true;
    }
    if (!path.empty()) {
        if (!FitsPath(path)) {
            return false;
        }
        m_path = path;
    }
    if (m_path.empty()) {
        return false;
    }
    m_handle = ActiveFileSystem().OpenExisting(m_path, access, sharing);
    m_ownsHandle = true;
    return IsOpen();
}

bool DiskFile::Create(std::string_view path) {
    if (IsOpen()) {
        return false;
    }
    std::string target = path.empty() ? m_path : std::string(path);
    if (!FitsPath(target)) {
        return false;
    }
    const int handle = ActiveFileSystem().CreateNew(target);
    if (handle < 0) {
        return false;
    }
    m_path = std::move(target);
    m_handle = handle;
    m_ownsHandle = true;
    return true;
}

bool DiskFile::Attach(int handle, std::string_view path) {
    if (IsOpen() || handle < 0) {
        return false;
    }
    m_path = path;
    m_handle = handle;
    m_ownsHandle = false;
    return true;
}

bool DiskFile::Close() {
    if (!IsOpen()) {
        return false;
    }
    if (!m_ownsHandle) {
        m_handle = -1;
        return true;
    }
    const bool ok = ActiveFileSystem().Close(m_handle);
    m_handle = -1;
    return ok;
}

std::int64_t DiskFile::Length() {
    if (IsOpen()) {
        return ActiveFileSystem().Length(m_handle);
    }
    if (m_path.empty()) {
        return -1;
    }
    FileSystem& fs = ActiveFileSystem();
    const int handle = fs.OpenExisting(m_path, FileAccess::Read, FileSharing::DenyNone);
    if (handle < 0) {
        return -1;
    }
    const std::int64_t length = fs.Length(handle);
    fs.Close(handle);
    return length;
}

FileResult CheckRegularFile(const std::string& path) {
    if (!DiskFile::FitsPath(path)) {
        return FileResult::Failure(path.empty() ? FileStatus::NoSuchFile : FileStatus::PathTooLong);
    }
    DiskFile file;
    if (!file.Open(path, FileAccess::Read, FileSharing::DenyNone)) {
        return FileResult::Failure(ActiveFileSystem().LastError());
    }
    return {};
}

}  // namespace rw::res
