// Failing the n-th file call.
#include "FailingFileSystem.h"

namespace rw::reliability {

bool FailingFileSystem::Fails(const char* kind) {
    m_log.emplace_back(kind);
    ++m_calls;
    const bool fail = m_calls == m_n || (m_mode == Mode::FromThenOn && m_calls > m_n);
    m_injected = m_injected || fail;
    return fail;
}

int FailingFileSystem::OpenExisting(const std::string& path, scenario::FileAccess access,
                                    scenario::FileSharing sharing) {
    return Fails("open") ? -1 : m_inner.OpenExisting(path, access, sharing);
}

int FailingFileSystem::CreateNew(const std::string& path) {
    return Fails("create") ? -1 : m_inner.CreateNew(path);
}

std::int64_t FailingFileSystem::Read(int handle, std::span<std::uint8_t> buffer) {
    return Fails("read") ? -1 : m_inner.Read(handle, buffer);
}

std::int64_t FailingFileSystem::Write(int handle, std::span<const std::uint8_t> bytes) {
    if (!Fails("write")) {
        return m_inner.Write(handle, bytes);
    }
    return m_inner.Write(handle, bytes.first(bytes.size() / 2));
}

std::int64_t FailingFileSystem::Seek(int handle, std::int64_t offset, scenario::SeekFrom from) {
    return Fails("seek") ? -1 : m_inner.Seek(handle, offset, from);
}

std::int64_t FailingFileSystem::Length(int handle) {
    return Fails("length") ? -1 : m_inner.Length(handle);
}

bool FailingFileSystem::Truncate(int handle, std::int64_t length) {
    return !Fails("truncate") && m_inner.Truncate(handle, length);
}

bool FailingFileSystem::Close(int handle) {
    const bool fail = Fails("close");
    return m_inner.Close(handle) && !fail;
}

bool FailingFileSystem::RenameOver(const std::string& from, const std::string& to) {
    return !Fails("rename") && m_inner.RenameOver(from, to);
}

bool FailingFileSystem::Exists(const std::string& path) {
    return !Fails("exists") && m_inner.Exists(path);
}

}  // namespace rw::reliability
