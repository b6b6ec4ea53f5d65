// The memory one element of a scenario's JSON lists takes once converted.
#include "cli/ScenarioElementCost.h"

#include "scenario/Scenario.h"

namespace rw::cli {

// The record, and what the writer makes of it (its chunk with header and fixed fields; texts are paid for by
// the document's own strings).
std::size_t ScenarioElementCost(std::string_view key) {
    constexpr std::size_t kWritten = 32;
    if (key == "aiRacers") {
        return sizeof(scenario::AiRacer) + kWritten;
    }
    if (key == "events") {
        return sizeof(scenario::ScenarioEvent) + kWritten;
    }
    if (key == "checkpoints") {
        return sizeof(scenario::TilePos) + kWritten;
    }
    if (key == "packages") {
        return sizeof(scenario::Package) + kWritten;
    }
    if (key == "eventTriggers") {
        constexpr std::size_t kMapNode = 48;  // a tree node's links and key beside its value
        return sizeof(scenario::EventTrigger) + kMapNode + kWritten;
    }
    return 0;
}

}  // namespace rw::cli
