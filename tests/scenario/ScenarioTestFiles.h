// Test support: chunk-file bytes built by hand, and the one scenario with every member set.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/ChunkFile.h"
#include "scenario/Scenario.h"
#include "scenario/ScenarioTags.h"
#include "support/ScratchFolder.h"

namespace rw::scenario::testing {

using ByteVec = std::vector<std::uint8_t>;

using support::ReadFileBytes;
using support::ScratchFolder;
using support::WriteFileBytes;

inline ByteVec Words(std::initializer_list<std::uint32_t> values) {
    ByteVec all;
    for (const std::uint32_t v : values) {
        for (int shift = 0; shift < 32; shift += 8) {
            all.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    }
    return all;
}

inline ByteVec U32(std::uint32_t v) {
    return Words({v});
}

inline ByteVec Concat(const std::vector<ByteVec>& parts) {
    ByteVec all;
    for (const ByteVec& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

inline ByteVec Text(std::string_view text, bool terminate = true) {
    ByteVec bytes(text.begin(), text.end());
    if (terminate) {
        bytes.push_back(0);
    }
    return bytes;
}

// One chunk: tag, 8 + payload size, payload.
inline ByteVec Chunk(std::uint32_t tag, const ByteVec& payload) {
    return Concat({U32(tag), U32(static_cast<std::uint32_t>(payload.size() + 8)), payload});
}

// A 28-byte header (creator RWRT, version 100, the true file length) followed by the chunks.
inline ByteVec ScenarioFile(const std::vector<ByteVec>& chunks, std::uint32_t fileType = tags::kFileType) {
    const ByteVec body = Concat(chunks);
    return Concat({U32(kChunkMagic), U32(2), U32(tags::kCreator), U32(fileType), U32(tags::kTypeVersion),
                   U32(static_cast<std::uint32_t>(28 + body.size())), U32(1), body});
}

// Every member set: every byte 0x02..0xFF somewhere, 0x01 only where the file allows it, each number at an
// edge of its type or with its bytes unequal (so a swapped byte order shows), and a value for each of the
// reader's normalisations (negative word7 and value4, text3 starting with 0xCD; laps 3 with the start on the
// first checkpoint).
inline Scenario FullScenario() {
    std::string allBytes;
    for (int b = 2; b <= 255; ++b) {
        allBytes.push_back(static_cast<char>(b));
    }
    Scenario s;
    s.cityFile = "Caf\xE9 Town.urb";
    s.introMovie = "intro.smk";
    s.introText = allBytes;
    s.winMovie = "win\x81\x8D\x8F\x90\x9D";
    s.winText = "one\x01two";
    s.loseMovie = "lose";
    s.loseText = "\x80 euro";
    s.name = "Fish && Chips";
    s.timeLimit = std::numeric_limits<std::int32_t>::max();
    s.bonus = std::numeric_limits<std::int32_t>::min();
    s.pack = -1;
    s.ammo = 15;
    s.startX = 12;
    s.startY = 40;
    s.laps = 3;
    s.checkpointBonus = 9;
    s.prgn = 7;
    s.episode = {-5, 1, 50000, 1, 1, 2};
    constexpr auto kU32Max = std::numeric_limits<std::uint32_t>::max();
    s.aiRacers = {{kU32Max, 0, 0, 7u + 65536u * 0xFFFFu, 0, 0, 0, -80, 75, 0,
                   std::numeric_limits<std::int32_t>::min(), 0},
                  AiRacer{}};
    s.events = {
        {1, 256, 65536, kU32Max, {0, 4000000000u, 3}, -7, "a\1b", "", "\xCDstarts with CD", "label \xFF"},
        ScenarioEvent{}};
    s.checkpoints = {{12, 40}, {65535, 0}, {12, 40}};
    s.packages = {{256, 65536, 99, 1, 256, 0, 65535, allBytes, "", "", "", "", "six"}};
    s.eventTriggers = {{-4, {1, 2, "minus", "four"}}, {9, {kU32Max, 65535, "", "\x9D"}}};
    return s;
}

}  // namespace rw::scenario::testing
