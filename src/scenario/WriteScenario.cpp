// Saving a Scenario atomically through a temporary file beside the target.
#include "scenario/WriteScenario.h"

#include "scenario/ChunkFile.h"
#include "scenario/SaveAtomically.h"
#include "scenario/ScenarioChunks.h"
#include "scenario/ScenarioTags.h"

namespace rw::scenario {

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

}  // namespace

bool WriteScenario(const Scenario& scenario, const std::string& path) {
    ChunkFile file;
    return SaveAtomically(file, path, [&] { return WriteChunks(file, scenario); });
}

}  // namespace rw::scenario
