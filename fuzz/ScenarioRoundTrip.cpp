// The reader's normalisations, applied to a Scenario in memory.
#include "ScenarioRoundTrip.h"

#include "scenario/ChunkFile.h"
#include "scenario/ScenarioChunks.h"

namespace rw::fuzz {

scenario::Scenario ExpectedAfterRoundTrip(scenario::Scenario s) {
    if (s.laps != 0 && !s.checkpoints.empty()) {
        s.startX = s.checkpoints.front().x;
        s.startY = s.checkpoints.front().y;
    }
    for (auto& racer : s.aiRacers) {
        if (racer.word7 < 0) {
            racer.word7 = 0;
            racer.word8 = 0;
        }
    }
    for (auto& event : s.events) {
        if (event.value4 < 0) {
            event.value4 = 1;
        }
        if (!event.text3.empty() && static_cast<unsigned char>(event.text3.front()) == 0xCD) {
            event.text3.clear();
        }
    }
    return s;
}

bool FitsReaderWalk(const scenario::Scenario& s) {
    const auto chunks = scenario::ScenarioChunks(s);
    for (std::size_t i = 0; i + 1 < chunks.size(); ++i) {
        if (chunks[i].payload.size() + scenario::kChunkHeaderSize >
            static_cast<std::size_t>(scenario::kMaxSteppableChunk)) {
            return false;
        }
    }
    return true;
}

}  // namespace rw::fuzz
