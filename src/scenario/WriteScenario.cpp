// Saving a Scenario atomically through a temporary file beside the target.
#include "scenario/WriteScenario.h"

#include <new>

#include "res/AtomicFile.h"
#include "res/FileSystem.h"
#include "scenario/ChunkFile.h"
#include "scenario/ScenarioChunks.h"
#include "scenario/ScenarioTags.h"

namespace rw::scenario {

using res::FileResult;
using res::FileStatus;

namespace {

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

FileResult Save(const Scenario& scenario, const std::string& path) {
    res::AtomicFile save(path);
    if (FileResult begun = save.Begin(); !begun) {
        return begun;
    }
    ChunkFile file;
    file.Attach(save.Handle(), path);
    const bool written = WriteChunks(file, scenario);
    file.Close();
    if (!written) {
        return FileResult::Failure(res::ActiveFileSystem().LastError());
    }
    return save.Commit();
}

}  // namespace

FileResult WriteScenarioResult(const Scenario& scenario, const std::string& path) {
    try {
        return Save(scenario, path);
    } catch (const std::bad_alloc&) {
        return FileResult::Failure(FileStatus::OutOfMemory);
    }
}

}  // namespace rw::scenario
