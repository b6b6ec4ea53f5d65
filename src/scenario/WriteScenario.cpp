// Saving a Scenario atomically through a temporary file beside the target.
#include "scenario/WriteScenario.h"

#include <random>
#include <string_view>

#include "scenario/ChunkFile.h"
#include "scenario/ScenarioChunks.h"
#include "scenario/ScenarioTags.h"

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
bool CreateTemp(ChunkFile& file, const std::string& target) {
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

bool WriteChunks(ChunkFile& file, const Scenario& scenario) {
    if (!file.OpenWrite(tags::kCreator, tags::kFileType, tags::kTypeVersion)) {
        return false;
    }
    for (const ScenarioChunk& chunk : ScenarioChunks(scenario)) {
        if (!file.WriteData(chunk.tag, chunk.payload)) {
            return false;
        }
    }
    return file.Finalize();
}

}  // namespace

bool WriteScenario(const Scenario& scenario, const std::string& path) {
    if (!DiskFile::FitsPath(path)) {
        return false;
    }
    ChunkFile file;
    if (!CreateTemp(file, path)) {
        return false;
    }
    const std::string temp = file.Path();
    FileSystem& fs = ActiveFileSystem();
    // The bytes must be on the disk before the rename makes them the target.
    const bool written = WriteChunks(file, scenario) && fs.Flush(file.Handle());
    const bool closed = file.Close();
    if (!written || !closed || !fs.RenameOver(temp, path)) {
        fs.Remove(temp);
        return false;
    }
    return true;
}

}  // namespace rw::scenario
