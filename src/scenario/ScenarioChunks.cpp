// Encoding a Scenario into the chunks of a scenario file.
#include "scenario/ScenarioChunks.h"

#include <string_view>

#include "res/ByteWriter.h"
#include "scenario/ScenarioTags.h"

namespace rw::scenario {

using rw::res::ByteWriter;

namespace {

std::vector<std::uint8_t> TextPayload(std::string_view text) {
    ByteWriter w;
    w.Text(text);
    w.U8(0);
    return w.Take();
}

std::vector<std::uint8_t> NumberPayload(std::int32_t value) {
    ByteWriter w;
    w.I32LE(value);
    return w.Take();
}

std::vector<std::uint8_t> CountPayload(std::size_t count) {
    ByteWriter w;
    w.U32LE(static_cast<std::uint32_t>(count));
    return w.Take();
}

}  // namespace

std::vector<std::uint8_t> EncodeRacer(const AiRacer& r) {
    ByteWriter w;
    for (const std::uint32_t word :
         {r.word0, r.word1, r.word2, r.word3, r.word4, r.word5, r.word6, static_cast<std::uint32_t>(r.word7),
          r.word8, r.word9, static_cast<std::uint32_t>(r.word10), r.word11}) {
        w.U32LE(word);
    }
    return w.Take();
}

std::vector<std::uint8_t> EncodeEvent(const ScenarioEvent& e) {
    ByteWriter w;
    w.U32LE(e.value0);
    w.U32LE(e.value1);
    w.U32LE(e.value2);
    w.U32LE(e.value3);
    w.U32LE(static_cast<std::uint32_t>(e.values.size()));
    for (const std::uint32_t v : e.values) {
        w.U32LE(v);
    }
    w.I32LE(e.value4);
    w.U32LE(static_cast<std::uint32_t>(e.text1.size() + e.text2.size() + 2));
    for (const std::string* text : {&e.text1, &e.text2, &e.text3}) {
        w.Text(*text);
        w.U8(0);
    }
    w.Zeros(4);
    return w.Take();
}

std::vector<std::uint8_t> EncodeLabels(const std::vector<ScenarioEvent>& events) {
    ByteWriter w;
    for (const ScenarioEvent& e : events) {
        w.Text(e.label);
        w.U8(static_cast<std::uint8_t>(tags::kSeparator));
    }
    return w.Take();
}

std::vector<std::uint8_t> EncodePackage(const Package& p) {
    ByteWriter w;
    w.U32LE(p.value0);
    w.U32LE(p.value1);
    w.U32LE(p.value2);
    w.U16LE(p.short0);
    w.U16LE(p.short1);
    w.U16LE(p.short2);
    w.U16LE(p.short3);
    for (const std::string* text : {&p.text1, &p.text2, &p.text3, &p.text4, &p.text5, &p.text6}) {
        w.Text(*text);
        w.U8(static_cast<std::uint8_t>(tags::kSeparator));
    }
    w.Zeros(4);
    return w.Take();
}

std::vector<std::uint8_t> EncodeTrigger(std::int32_t key, const EventTrigger& t) {
    ByteWriter w;
    w.I32LE(key);
    w.U32LE(t.value0);
    w.U16LE(t.short0);
    w.Text(t.text1);
    w.U8(0);
    w.Text(t.text2);
    w.U8(0);
    w.Zeros(2);
    return w.Take();
}

std::vector<ScenarioChunk> ScenarioChunks(const Scenario& s) {
    std::vector<ScenarioChunk> chunks;
    chunks.reserve(28 + s.aiRacers.size() + s.events.size() + s.checkpoints.size() + s.packages.size() +
                   s.eventTriggers.size());
    auto add = [&chunks](std::uint32_t tag, std::vector<std::uint8_t> payload) {
        chunks.push_back({tag, std::move(payload)});
    };
    add(tags::kCity, TextPayload(s.cityFile));
    add(tags::kName, TextPayload(s.name));
    add(tags::kTime, NumberPayload(s.timeLimit));
    add(tags::kCheckpointBonus, NumberPayload(s.checkpointBonus));
    add(tags::kBonus, NumberPayload(s.bonus));
    add(tags::kLocX, NumberPayload(s.startX));
    add(tags::kLocY, NumberPayload(s.startY));
    add(tags::kPack, NumberPayload(s.pack));
    add(tags::kAmmo, NumberPayload(s.ammo));
    add(tags::kLaps, NumberPayload(s.laps));
    add(tags::kIntroMovie, TextPayload(s.introMovie));
    add(tags::kIntroText, TextPayload(s.introText));
    add(tags::kWinMovie, TextPayload(s.winMovie));
    add(tags::kWinText, TextPayload(s.winText));
    add(tags::kLoseMovie, TextPayload(s.loseMovie));
    add(tags::kLoseText, TextPayload(s.loseText));
    add(tags::kPrgn, NumberPayload(s.prgn));
    add(tags::kRacerCount, CountPayload(s.aiRacers.size()));
    for (const AiRacer& r : s.aiRacers) {
        add(tags::kRacer, EncodeRacer(r));
    }
    add(tags::kEventCount, CountPayload(s.events.size()));
    for (const ScenarioEvent& e : s.events) {
        add(tags::kEvent, EncodeEvent(e));
    }
    add(tags::kLabels, EncodeLabels(s.events));
    add(tags::kCheckpointCount, CountPayload(s.checkpoints.size()));
    for (const TilePos& c : s.checkpoints) {
        ByteWriter w;
        w.U16LE(c.x);
        w.U16LE(c.y);
        add(tags::kCheckpoint, w.Take());
    }
    ByteWriter episode;
    for (const std::int32_t word : s.episode) {
        episode.I32LE(word);
    }
    add(tags::kEpisode, episode.Take());
    add(tags::kPackageCount, CountPayload(s.packages.size()));
    for (const Package& p : s.packages) {
        add(tags::kPackage, EncodePackage(p));
    }
    for (const auto& [key, trigger] : s.eventTriggers) {
        add(tags::kTrigger, EncodeTrigger(key, trigger));
    }
    return chunks;
}

}  // namespace rw::scenario
