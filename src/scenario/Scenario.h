// The scenario document: one mission of Vortane, every member its file can carry.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace rw::scenario {

// A tile position on the 128 x 128 city grid; x grows to the right, y downwards.
struct TilePos {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    bool operator==(const TilePos&) const = default;
};

// A computer-driven racer: twelve 32-bit words kept exactly as read. word3 holds two 16-bit halves,
// low half + 65536 x high half (the low half comes first in the file).
struct AiRacer {
    std::uint32_t word0 = 0;
    std::uint32_t word1 = 0;
    std::uint32_t word2 = 0;
    std::uint32_t word3 = 0;
    std::uint32_t word4 = 0;
    std::uint32_t word5 = 0;
    std::uint32_t word6 = 0;
    std::int32_t word7 = 0;
    std::uint32_t word8 = 0;
    std::uint32_t word9 = 0;
    std::int32_t word10 = 0;
    std::uint32_t word11 = 0;
    bool operator==(const AiRacer&) const = default;
};

// A scripted event. label travels in the shared label chunk, not with the event's own record.
// No label contains the byte 0x01 (the file's separator).
struct ScenarioEvent {
    std::uint32_t value0 = 0;
    std::uint32_t value1 = 0;
    std::uint32_t value2 = 0;
    std::uint32_t value3 = 0;
    std::vector<std::uint32_t> values;
    std::int32_t value4 = 0;
    std::string text1;
    std::string text2;
    std::string text3;
    std::string label;
    bool operator==(const ScenarioEvent&) const = default;
};

// A package. None of the six texts contains the byte 0x01 (the file's separator).
struct Package {
    std::uint32_t value0 = 0;
    std::uint32_t value1 = 0;
    std::uint32_t value2 = 0;
    std::uint16_t short0 = 0;
    std::uint16_t short1 = 0;
    std::uint16_t short2 = 0;
    std::uint16_t short3 = 0;
    std::string text1;
    std::string text2;
    std::string text3;
    std::string text4;
    std::string text5;
    std::string text6;
    bool operator==(const Package&) const = default;
};

// The value of one eventTriggers entry; its key is the map's key.
struct EventTrigger {
    std::uint32_t value0 = 0;
    std::uint16_t short0 = 0;
    std::string text1;
    std::string text2;
    bool operator==(const EventTrigger&) const = default;
};

// The document. Texts hold the file's bytes (windows-1252, never a zero byte); see Windows1252.h to show
// them. Members are in file-model order; a default Scenario is the reset state of New and Load.
struct Scenario {
    std::string cityFile;  // city file name and extension, no folder
    std::string introMovie;
    std::string introText;
    std::string winMovie;
    std::string winText;
    std::string loseMovie;
    std::string loseText;
    std::string name;            // race title, every "&" doubled
    std::int32_t timeLimit = 0;  // seconds
    std::int32_t bonus = 0;
    std::int32_t pack = 0;
    std::int32_t ammo = 0;
    std::int32_t startX = 0;  // tiles
    std::int32_t startY = 0;
    std::int32_t laps = 0;             // 1: open course; any other value: closed
    std::int32_t checkpointBonus = 0;  // seconds added at each checkpoint
    std::int32_t prgn = 0;
    std::array<std::int32_t, 6> episode{0, 0, 0, 1, 1, 0};
    std::vector<AiRacer> aiRacers;
    std::vector<ScenarioEvent> events;
    std::vector<TilePos> checkpoints;  // driving order; entry 0 is the start
    std::vector<Package> packages;
    std::map<std::int32_t, EventTrigger> eventTriggers;  // ascending signed key, one entry per key
    bool operator==(const Scenario&) const = default;
};

}  // namespace rw::scenario
