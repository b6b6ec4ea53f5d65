// Atomic saves through a temporary file, and the sweep of the ones killed saves left behind.
#include "res/AtomicFile.h"

#include <random>
#include <utility>

#include "res/DiskFile.h"
#include "res/FileSystem.h"

namespace rw::res {

namespace {

constexpr int kTempAttempts = 100;
constexpr std::string_view kPrefix = "~rw";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kHexDigits = 6;

// The folder part of path including its last separator ("" when there is none). Both separators count
// because the game folder is written with backslashes on Windows.
std::string FolderOf(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// A random name rather than a counted one, drawn afresh every time so that processes forked from one parent
// do not share a sequence.
std::string TemporaryName() {
    std::random_device random;
    const unsigned bits = random();
    std::string name(kPrefix);
    for (int shift = 4 * (static_cast<int>(kHexDigits) - 1); shift >= 0; shift -= 4) {
        name += "0123456789abcdef"[(bits >> shift) & 0xFu];
    }
    return name.append(kSuffix);
}

// Removes the temporary files of saves that no longer run: their lock died with their process (on
// Windows, the open file cannot be removed while its save holds it).
void SweepStale(FileSystem& fs, const std::string& folder) {
    for (const std::string& name : fs.List(folder.empty() ? std::string() : folder)) {
        if (!AtomicFile::IsTemporaryName(name)) {
            continue;
        }
        const std::string path = folder + name;
        const int handle = fs.OpenExisting(path, FileAccess::ReadWrite, FileSharing::DenyNone);
        if (handle < 0) {
            continue;
        }
        const bool stale = fs.TryLock(handle);
        fs.Close(handle);
        if (stale) {
            fs.Remove(path);
        }
    }
}

}  // namespace

bool AtomicFile::IsTemporaryName(std::string_view name) {
    if (name.size() != kPrefix.size() + kHexDigits + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
        return false;
    }
    return name.substr(kPrefix.size(), kHexDigits).find_first_not_of("0123456789abcdef") ==
           std::string_view::npos;
}

bool AtomicFile::FitsPath(const std::string& target) {
    return DiskFile::FitsPath(target) && DiskFile::FitsPath(FolderOf(target) + TemporaryName());
}

AtomicFile::AtomicFile(std::string target) : m_target(std::move(target)), m_folder(FolderOf(m_target)) {}

AtomicFile::~AtomicFile() {
    Discard();
}

FileResult AtomicFile::Failure() {
    return FileResult::Failure(ActiveFileSystem().LastError());
}

void AtomicFile::Discard() {
    FileSystem& fs = ActiveFileSystem();
    if (m_handle >= 0) {
        fs.Close(m_handle);
        m_handle = -1;
    }
    if (!m_temp.empty()) {
        fs.Remove(m_temp);
        m_temp.clear();
    }
}

FileResult AtomicFile::Begin() {
    Discard();
    // A folder's path (ending with a separator) names no file to write either.
    if (m_target.empty() || m_target.back() == '/' || m_target.back() == '\\') {
        return FileResult::Failure(FileStatus::NoSuchFile, "no file name");
    }
    if (!FitsPath(m_target)) {
        return FileResult::Failure(FileStatus::PathTooLong);
    }
    FileSystem& fs = ActiveFileSystem();
    SweepStale(fs, m_folder);
    m_handle = fs.CreateUnnamed(m_folder);
    if (m_handle >= 0) {
        fs.TryLock(m_handle);
        return {};
    }
    for (int i = 0; i < kTempAttempts; ++i) {
        std::string temp = m_folder + TemporaryName();
        m_handle = fs.CreateNew(temp);
        if (m_handle >= 0) {
            fs.TryLock(m_handle);
            m_temp = std::move(temp);
            return {};
        }
        // Only a name taken already is worth another try; asking whether it is clobbers the reason.
        const FileStatus why = fs.LastError();
        if (!fs.Exists(temp)) {
            return FileResult::Failure(why);
        }
    }
    return FileResult::Failure(FileStatus::IoError, "no free temporary file name in the folder");
}

FileResult AtomicFile::Commit() {
    if (m_handle < 0) {
        return FileResult::Failure(FileStatus::IoError, "no save is open");
    }
    FileSystem& fs = ActiveFileSystem();
    // The bytes must be on the disk before the rename makes them the target.
    if (!fs.Flush(m_handle)) {
        FileResult failed = Failure();
        Discard();
        return failed;
    }
    if (m_temp.empty()) {
        // Unnamed: it gets a name only now, and keeps its lock until the rename is done.
        for (int i = 0; i < kTempAttempts && m_temp.empty(); ++i) {
            std::string temp = m_folder + TemporaryName();
            if (fs.NameUnnamed(m_handle, temp)) {
                m_temp = std::move(temp);
                continue;
            }
            const FileStatus why = fs.LastError();
            if (!fs.Exists(temp)) {
                Discard();
                return FileResult::Failure(why);
            }
        }
        if (m_temp.empty()) {
            Discard();
            return FileResult::Failure(FileStatus::IoError, "no free temporary file name in the folder");
        }
        if (!fs.RenameOver(m_temp, m_target)) {
            FileResult failed = Failure();
            Discard();
            return failed;
        }
        m_temp.clear();
        const bool closed = fs.Close(m_handle);
        m_handle = -1;
        // The rename has happened: the target holds the new bytes whatever the close says.
        (void)closed;
        return {};
    }
    // Named: closed first, as Windows renames no file that is open.
    const bool closed = fs.Close(m_handle);
    m_handle = -1;
    if (!closed || !fs.RenameOver(m_temp, m_target)) {
        FileResult failed = Failure();
        Discard();
        return failed;
    }
    m_temp.clear();
    return {};
}

FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    AtomicFile file(path);
    if (FileResult begun = file.Begin(); !begun) {
        return begun;
    }
    FileSystem& fs = ActiveFileSystem();
    if (fs.Write(file.Handle(), bytes) != static_cast<std::int64_t>(bytes.size())) {
        return FileResult::Failure(fs.LastError());
    }
    return file.Commit();
}

}  // namespace rw::res
