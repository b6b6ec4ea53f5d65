// A Scenario as the ordered list of chunks a scenario file holds.
#pragma once

#include <cstdint>
#include <vector>

#include "scenario/Scenario.h"

namespace rw::scenario {

struct ScenarioChunk {
    std::uint32_t tag = 0;
    std::vector<std::uint8_t> payload;
};

// Every chunk of scenario in file order: CITY NAME TIME CHKB BNUS LOCX LOCY PACK AMMO LAPS IANM ITXT WANM
// WTXT LANM LTXT PRGN #AIS ANAI* #EVS EVNT* LABL #CHK CHCK* EPSD #PKG APAK* EVTG* (triggers in ascending
// key order). Texts carry a terminating zero byte; numbers are little-endian.
std::vector<ScenarioChunk> ScenarioChunks(const Scenario& scenario);

// The variable records, each one chunk's payload.
// Event: value0..3, n, n values, value4, text offset len(text1) + len(text2) + 2, the three texts each
// with a zero byte, four zero bytes; 35 + 4n + text lengths in all. The label is not part of it.
std::vector<std::uint8_t> EncodeEvent(const ScenarioEvent& event);
// Every event's label followed by 0x01, no terminating zero.
std::vector<std::uint8_t> EncodeLabels(const std::vector<ScenarioEvent>& events);
// value0..2, short0..3, text1..text6 each followed by 0x01, four zero bytes; 30 + text lengths.
std::vector<std::uint8_t> EncodePackage(const Package& package);
// key, value0, short0, text1 and text2 each with a zero byte, two zero bytes; 14 + text lengths.
std::vector<std::uint8_t> EncodeTrigger(std::int32_t key, const EventTrigger& trigger);
// word0..word11, 48 bytes; word3's low half comes first.
std::vector<std::uint8_t> EncodeRacer(const AiRacer& racer);

}  // namespace rw::scenario
