// Counting and failing file calls on demand.
#include "support/FaultInjectingFileSystem.h"

namespace rw::support {

void FaultInjectingFileSystem::Reset() {
    m_counts.fill(0);
    m_failAt.fill(0);
    m_log.clear();
    m_calls = m_failAtCall = m_injected = 0;
}

bool FaultInjectingFileSystem::Fails(FileOp op) {
    const auto i = static_cast<std::size_t>(op);
    const int n = ++m_counts[i];
    m_log.push_back(op);
    const int call = op == FileOp::Remove ? 0 : ++m_calls;
    const bool fail =
        n == m_failAt[i] ||
        (call > 0 && (call == m_failAtCall || (m_onward && m_failAtCall > 0 && call > m_failAtCall)));
    if (fail) {
        ++m_injected;
    }
    m_failedLast = fail;
    return fail;
}

int FaultInjectingFileSystem::OpenExisting(const std::string& path, res::FileAccess access,
                                           res::FileSharing sharing) {
    return Fails(FileOp::Open) ? -1 : m_inner.OpenExisting(path, access, sharing);
}

int FaultInjectingFileSystem::CreateNew(const std::string& path) {
    return Fails(FileOp::Create) ? -1 : m_inner.CreateNew(path);
}

std::int64_t FaultInjectingFileSystem::Read(int handle, std::span<std::uint8_t> buffer) {
    return Fails(FileOp::Read) ? -1 : m_inner.Read(handle, buffer);
}

std::int64_t FaultInjectingFileSystem::Write(int handle, std::span<const std::uint8_t> bytes) {
    if (!Fails(FileOp::Write)) {
        return m_inner.Write(handle, bytes);
    }
    const std::int64_t written = m_inner.Write(handle, bytes.first(bytes.size() / 2));
    return written < 0 ? -1 : written;
}

std::int64_t FaultInjectingFileSystem::Seek(int handle, std::int64_t offset, res::SeekFrom from) {
    return Fails(FileOp::Seek) ? -1 : m_inner.Seek(handle, offset, from);
}

std::int64_t FaultInjectingFileSystem::Length(int handle) {
    return Fails(FileOp::Length) ? -1 : m_inner.Length(handle);
}

bool FaultInjectingFileSystem::Truncate(int handle, std::int64_t length) {
    return !Fails(FileOp::Truncate) && m_inner.Truncate(handle, length);
}

bool FaultInjectingFileSystem::Flush(int handle) {
    return !Fails(FileOp::Flush) && m_inner.Flush(handle);
}

bool FaultInjectingFileSystem::Close(int handle) {
    const bool fail = Fails(FileOp::Close);
    return m_inner.Close(handle) && !fail;  // the handle is released either way
}

bool FaultInjectingFileSystem::RenameOver(const std::string& from, const std::string& to) {
    return !Fails(FileOp::Rename) && m_inner.RenameOver(from, to);
}

bool FaultInjectingFileSystem::Remove(const std::string& path) {
    return !Fails(FileOp::Remove) && m_inner.Remove(path);
}

// A file system without unnamed files makes no call to count or fail.
int FaultInjectingFileSystem::CreateUnnamed(const std::string& folder) {
    const int handle = m_inner.CreateUnnamed(folder);
    if (handle < 0 || !Fails(FileOp::Create)) {
        return handle;
    }
    m_inner.Close(handle);
    return -1;
}

bool FaultInjectingFileSystem::NameUnnamed(int handle, const std::string& path) {
    return !Fails(FileOp::Rename) && m_inner.NameUnnamed(handle, path);
}

bool FaultInjectingFileSystem::Exists(const std::string& path) {
    return !Fails(FileOp::Exists) && m_inner.Exists(path);
}

}  // namespace rw::support
