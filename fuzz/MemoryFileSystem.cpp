// The in-memory FileSystem.
#include "MemoryFileSystem.h"

#include <algorithm>

namespace rw::fuzz {

using res::FileAccess;
using res::FileSharing;
using res::SeekFrom;

namespace {

// Files larger than this are refused, as a full disk would, so that a fuzzed seek cannot ask for gigabytes.
constexpr std::int64_t kLargestFile = std::int64_t{64} << 20;

}  // namespace

void MemoryFileSystem::Put(const std::string& path, std::vector<std::uint8_t> bytes) {
    const auto it = m_paths.find(path);
    const int file = it != m_paths.end() ? it->second : m_nextFile++;
    m_paths[path] = file;
    m_contents[file] = std::move(bytes);
}

std::optional<std::vector<std::uint8_t>> MemoryFileSystem::Get(const std::string& path) const {
    const auto it = m_paths.find(path);
    if (it == m_paths.end()) {
        return std::nullopt;
    }
    return m_contents.at(it->second);
}

std::vector<std::string> MemoryFileSystem::Paths() const {
    std::vector<std::string> paths;
    for (const auto& entry : m_paths) {
        paths.push_back(entry.first);
    }
    return paths;
}

MemoryFileSystem::Handle* MemoryFileSystem::Find(int handle) {
    const auto it = m_handles.find(handle);
    return it == m_handles.end() ? nullptr : &it->second;
}

int MemoryFileSystem::NewHandle(int file, bool writable) {
    const int handle = m_nextHandle++;
    m_handles[handle] = Handle{file, 0, writable};
    return handle;
}

int MemoryFileSystem::OpenExisting(const std::string& path, FileAccess access, FileSharing /*sharing*/) {
    const auto it = m_paths.find(path);
    if (it == m_paths.end()) {
        m_lastError = res::FileStatus::NoSuchFile;
        return -1;
    }
    return NewHandle(it->second, access == FileAccess::ReadWrite);
}

int MemoryFileSystem::CreateNew(const std::string& path) {
    if (path.empty() || m_paths.count(path) != 0) {
        m_lastError = res::FileStatus::IoError;
        return -1;
    }
    const int file = m_nextFile++;
    m_paths[path] = file;
    m_contents[file] = {};
    return NewHandle(file, true);
}

std::int64_t MemoryFileSystem::Read(int handle, std::span<std::uint8_t> buffer) {
    Handle* h = Find(handle);
    if (h == nullptr) {
        return -1;
    }
    const auto& bytes = m_contents[h->file];
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (h->position >= size) {
        return 0;
    }
    const auto count = std::min<std::int64_t>(size - h->position, static_cast<std::int64_t>(buffer.size()));
    std::copy_n(bytes.begin() + h->position, count, buffer.begin());
    h->position += count;
    return count;
}

std::int64_t MemoryFileSystem::Write(int handle, std::span<const std::uint8_t> bytes) {
    Handle* h = Find(handle);
    if (h == nullptr || !h->writable) {
        return -1;
    }
    const auto count = static_cast<std::int64_t>(bytes.size());
    if (h->position + count > kLargestFile) {
        return -1;
    }
    auto& contents = m_contents[h->file];
    if (static_cast<std::int64_t>(contents.size()) < h->position + count) {
        contents.resize(static_cast<std::size_t>(h->position + count));
    }
    std::copy(bytes.begin(), bytes.end(), contents.begin() + h->position);
    h->position += count;
    return count;
}

std::int64_t MemoryFileSystem::Seek(int handle, std::int64_t offset, SeekFrom from) {
    Handle* h = Find(handle);
    if (h == nullptr) {
        return -1;
    }
    const std::int64_t base = from == SeekFrom::Begin ? 0
                              : from == SeekFrom::Current
                                  ? h->position
                                  : static_cast<std::int64_t>(m_contents[h->file].size());
    if (offset > kLargestFile || offset < -kLargestFile || base + offset < 0 ||
        base + offset > kLargestFile) {
        return -1;
    }
    h->position = base + offset;
    return h->position;
}

std::int64_t MemoryFileSystem::Length(int handle) {
    Handle* h = Find(handle);
    return h == nullptr ? -1 : static_cast<std::int64_t>(m_contents[h->file].size());
}

bool MemoryFileSystem::Truncate(int handle, std::int64_t length) {
    Handle* h = Find(handle);
    if (h == nullptr || !h->writable || length < 0 || length > kLargestFile) {
        return false;
    }
    m_contents[h->file].resize(static_cast<std::size_t>(length));
    return true;
}

void MemoryFileSystem::Collect(int file) {
    const bool named =
        std::any_of(m_paths.begin(), m_paths.end(), [file](const auto& p) { return p.second == file; });
    const bool open = std::any_of(m_handles.begin(), m_handles.end(),
                                  [file](const auto& h) { return h.second.file == file; });
    if (!named && !open) {
        m_contents.erase(file);
    }
}

bool MemoryFileSystem::Close(int handle) {
    const auto it = m_handles.find(handle);
    if (it == m_handles.end()) {
        return false;
    }
    const int file = it->second.file;
    m_handles.erase(it);
    Collect(file);
    return true;
}

bool MemoryFileSystem::RenameOver(const std::string& from, const std::string& to) {
    const auto it = m_paths.find(from);
    if (it == m_paths.end() || to.empty()) {
        return false;
    }
    const int file = it->second;
    m_paths.erase(it);
    const auto old = m_paths.find(to);
    const int replaced = old == m_paths.end() ? 0 : old->second;
    m_paths[to] = file;
    if (replaced != 0 && replaced != file) {
        Collect(replaced);
    }
    return true;
}

bool MemoryFileSystem::Remove(const std::string& path) {
    const auto it = m_paths.find(path);
    if (it == m_paths.end()) {
        return false;
    }
    const int file = it->second;
    m_paths.erase(it);
    Collect(file);
    return true;
}

bool MemoryFileSystem::Exists(const std::string& path) {
    return m_paths.count(path) != 0;
}

}  // namespace rw::fuzz
