// Test support: written scenario bytes, open descriptors, a file system failing the n-th call, a watch on
// heap requests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "res/FileSystem.h"
#include "scenario/WriteScenario.h"
#include "support/MemoryFileSystem.h"
#include "support/ScratchFolder.h"

namespace rw::reliability {

using Bytes = std::vector<std::uint8_t>;

using support::FileNames;
using support::ReadFileBytes;
using support::ScratchFolder;
using support::WriteFileBytes;

// The bytes WriteScenario produces for s, written in memory.
inline Bytes ScenarioBytes(const scenario::Scenario& s) {
    support::MemoryFileSystem fs;
    const res::ScopedFileSystem scope(fs);
    scenario::WriteScenario(s, "bytes.scn");
    return fs.Get("bytes.scn").value_or(Bytes{});
}

// Open file descriptors of this process (Linux); -1 where that cannot be told.
inline int OpenDescriptorCount() {
#ifdef _WIN32
    return 0;  // under Wine /proc/self/fd holds Wine's own files too, which come and go: not counted there
#endif
    std::error_code error;
    const std::filesystem::directory_iterator fds("/proc/self/fd", error);
    return error ? -1 : static_cast<int>(std::distance(fds, std::filesystem::directory_iterator()));
}

// Forwards to another FileSystem and numbers every call but Remove (1-based). Call n fails, and with
// FromThenOn every later call too, as the system would fail it: open/create/read/seek/length return -1, a
// write stores half its bytes and reports that short count (a full disk), truncate/flush/rename/exists return
// false, a close releases the handle and reports false. Remove, the clean-up of a failed save, never fails:
// if it did, a temporary file would be left whatever the writer did.
class FailingFileSystem final : public res::FileSystem {
  public:
    enum class Mode { Once, FromThenOn };
    FailingFileSystem(res::FileSystem& inner, int n, Mode mode) : m_inner(inner), m_n(n), m_mode(mode) {}

    const std::vector<std::string>& Log() const { return m_log; }  // kinds of the calls in order
    bool Injected() const { return m_n > 0 && m_calls >= m_n; }

    int OpenExisting(const std::string& path, res::FileAccess access, res::FileSharing sharing) override {
        return Fails("open") ? -1 : m_inner.OpenExisting(path, access, sharing);
    }
    int CreateNew(const std::string& path) override { return Fails("create") ? -1 : m_inner.CreateNew(path); }
    std::int64_t Read(int handle, std::span<std::uint8_t> buffer) override {
        return Fails("read") ? -1 : m_inner.Read(handle, buffer);
    }
    std::int64_t Write(int handle, std::span<const std::uint8_t> bytes) override {
        return m_inner.Write(handle, Fails("write") ? bytes.first(bytes.size() / 2) : bytes);
    }
    std::int64_t Seek(int handle, std::int64_t offset, res::SeekFrom from) override {
        return Fails("seek") ? -1 : m_inner.Seek(handle, offset, from);
    }
    std::int64_t Length(int handle) override { return Fails("length") ? -1 : m_inner.Length(handle); }
    bool Truncate(int handle, std::int64_t length) override {
        return !Fails("truncate") && m_inner.Truncate(handle, length);
    }
    bool Flush(int handle) override { return !Fails("flush") && m_inner.Flush(handle); }
    bool Close(int handle) override {
        const bool fail = Fails("close");
        return m_inner.Close(handle) && !fail;
    }
    bool RenameOver(const std::string& from, const std::string& to) override {
        return !Fails("rename") && m_inner.RenameOver(from, to);
    }
    bool Remove(const std::string& path) override { return m_inner.Remove(path); }
    bool Exists(const std::string& path) override { return !Fails("exists") && m_inner.Exists(path); }

  private:
    bool Fails(const char* kind) {
        m_log.emplace_back(kind);
        ++m_calls;
        return m_calls == m_n || (m_mode == Mode::FromThenOn && m_calls > m_n);
    }

    res::FileSystem& m_inner;
    int m_n;
    Mode m_mode;
    int m_calls = 0;
    std::vector<std::string> m_log;
};

// While one lives, every operator new request of this binary is recorded: the largest single request and
// the sum of all (memory asked for, not held). Not nestable. The replaced operator new is in its own file,
// AllocationWatch.cpp, so that no caller sees its free inlined (g++ -O2 would take that for a mismatch).
// With refuseAbove, every larger request fails with std::bad_alloc, as when memory runs out.
struct AllocationWatch {
    explicit AllocationWatch(std::size_t refuseAbove = 0);
    ~AllocationWatch();
    static std::size_t Largest();
    static std::size_t Total();
};

}  // namespace rw::reliability
