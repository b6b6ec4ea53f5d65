// The temporary file beside the target, the flush before the rename, and the clean-up after a failure.
#include "scenario/SaveAtomically.h"

#include <random>

namespace rw::scenario {

namespace {

constexpr int kTempAttempts = 100;

// The folder part of path including its last separator ("" when there is none). Both separators count
// because the game folder is written with backslashes on Windows.
std::string FolderOf(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// Creates a fresh temporary file in the target's folder. Never opens a file that existed before. The name is
// random rather than counted, because a save that was killed leaves its file behind, and a fixed sequence of
// names would run out after that many crashes, failing every later save.
bool CreateTemp(DiskFile& file, const std::string& target) {
    // Drawn afresh for every name, so that processes forked from one parent do not share a sequence.
    std::random_device random;
    const std::string folder = FolderOf(target);
    for (int i = 0; i < kTempAttempts; ++i) {
        std::string temp = folder + "~rw";
        const unsigned bits = random();
        for (int shift = 20; shift >= 0; shift -= 4) {
            temp += "0123456789abcdef"[(bits >> shift) & 0xFu];
        }
        temp += ".tmp";
        if (file.Create(temp)) {
            return true;
        }
        if (!DiskFile::FitsPath(temp) || !file.Exists(temp)) {
            return false;
        }
    }
    return false;
}

}  // namespace

bool SaveAtomically(DiskFile& file, const std::string& path, const std::function<bool()>& write) {
    if (!DiskFile::FitsPath(path) || !CreateTemp(file, path)) {
        return false;
    }
    const std::string temp = file.Path();
    FileSystem& fs = ActiveFileSystem();
    // The bytes must be on the disk before the rename makes them the target.
    const bool written = write() && fs.Flush(file.Handle());
    const bool closed = file.Close();
    if (!written || !closed || !fs.RenameOver(temp, path)) {
        fs.Remove(temp);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    DiskFile file;
    return SaveAtomically(file, path, [&] {
        FileSystem& fs = ActiveFileSystem();
        while (!bytes.empty()) {
            const std::int64_t written = fs.Write(file.Handle(), bytes);
            if (written <= 0) {
                return false;
            }
            bytes = bytes.subspan(static_cast<std::size_t>(written));
        }
        return true;
    });
}

}  // namespace rw::scenario
