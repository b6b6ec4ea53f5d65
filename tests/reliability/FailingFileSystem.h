// A FileSystem for tests that makes the n-th file call fail, once or from then on.
#pragma once

#include <string>
#include <vector>

#include "scenario/FileSystem.h"

namespace rw::reliability {

// Forwards to another FileSystem and numbers every call but Remove (1-based). Call n fails, and with
// FromThenOn every later call too, the way the system would fail it: an open or create returns -1, a write
// stores the first half of its bytes and reports that short count (a full disk), a read, seek or length
// returns -1, a truncate, flush, rename or existence test returns false, a close releases the handle and
// reports false. Remove is left alone: it is the clean-up of a failed save, and if it failed too a temporary
// file would be left behind whatever the writer did.
class FailingFileSystem final : public scenario::FileSystem {
  public:
    enum class Mode { Once, FromThenOn };

    FailingFileSystem(scenario::FileSystem& inner, int n, Mode mode) : m_inner(inner), m_n(n), m_mode(mode) {}

    int Calls() const { return m_calls; }
    // The kinds of the calls in order ("open", "create", "write", ...), Remove included.
    const std::vector<std::string>& Log() const { return m_log; }
    bool Injected() const { return m_injected; }

    int OpenExisting(const std::string& path, scenario::FileAccess access,
                     scenario::FileSharing sharing) override;
    int CreateNew(const std::string& path) override;
    std::int64_t Read(int handle, std::span<std::uint8_t> buffer) override;
    std::int64_t Write(int handle, std::span<const std::uint8_t> bytes) override;
    std::int64_t Seek(int handle, std::int64_t offset, scenario::SeekFrom from) override;
    std::int64_t Length(int handle) override;
    bool Truncate(int handle, std::int64_t length) override;
    bool Flush(int handle) override { return !Fails("flush") && m_inner.Flush(handle); }
    bool Close(int handle) override;
    bool RenameOver(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override {
        m_log.emplace_back("remove");
        return m_inner.Remove(path);
    }
    bool Exists(const std::string& path) override;

  private:
    bool Fails(const char* kind);

    scenario::FileSystem& m_inner;
    int m_n;
    Mode m_mode;
    int m_calls = 0;
    bool m_injected = false;
    std::vector<std::string> m_log;
};

}  // namespace rw::reliability
