// Reading a scenario file into a Scenario.
#include "scenario/ReadScenario.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "res/ByteReader.h"
#include "scenario/ChunkFile.h"
#include "scenario/ScenarioTags.h"

namespace rw::scenario {

using rw::res::ByteReader;
using Bytes = std::span<const std::uint8_t>;

namespace {

// Little-endian word at offset; bytes past the end of the payload read as zero.
std::uint32_t U32Padded(Bytes payload, std::size_t offset) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        ByteReader reader(payload);
        if (reader.Seek(offset + i)) {
            word |= static_cast<std::uint32_t>(reader.U8().value_or(0)) << (8 * i);
        }
    }
    return word;
}

std::uint16_t U16Padded(Bytes payload, std::size_t offset) {
    return static_cast<std::uint16_t>(U32Padded(payload, offset) & 0xFFFFu);
}

// Replaces only the bytes of word that payload carries from offset on (a short chunk keeps the rest).
template <typename Word>
void OverlayWord(Word& word, Bytes payload, std::size_t offset) {
    auto bits = static_cast<std::uint32_t>(word);
    ByteReader reader(payload);
    if (!reader.Seek(std::min(offset, payload.size()))) {
        return;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const auto byte = reader.U8();
        if (!byte) {
            break;
        }
        bits = (bits & ~(0xFFu << (8 * i))) | (static_cast<std::uint32_t>(*byte) << (8 * i));
    }
    word = static_cast<Word>(bits);
}

// The text at offset up to its zero byte or the payload's end; empty past the end.
std::string_view TextAt(Bytes payload, std::size_t offset) {
    if (offset >= payload.size()) {
        return {};
    }
    const auto start = payload.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(start, payload.end(), std::uint8_t{0});
    return {reinterpret_cast<const char*>(&*start), static_cast<std::size_t>(end - start)};
}

// Takes the piece before the first separator and moves rest past it; without a separator the whole rest
// is the piece and rest stays.
std::string_view TakePiece(std::string_view& rest) {
    const auto cut = rest.find(tags::kSeparator);
    if (cut == std::string_view::npos) {
        return rest;
    }
    const std::string_view piece = rest.substr(0, cut);
    rest.remove_prefix(cut + 1);
    return piece;
}

AiRacer DecodeRacer(Bytes payload) {
    std::array<std::uint32_t, 12> w{};
    for (std::size_t i = 0; i < w.size(); ++i) {
        OverlayWord(w[i], payload, 4 * i);
    }
    AiRacer r{w[0],
              w[1],
              w[2],
              w[3],
              w[4],
              w[5],
              w[6],
              static_cast<std::int32_t>(w[7]),
              w[8],
              w[9],
              static_cast<std::int32_t>(w[10]),
              w[11]};
    if (r.word7 < 0) {
        r.word7 = 0;
        r.word8 = 0;
    }
    return r;
}

// Fills event (label untouched); false when its value count is beyond what is left of budget.
bool DecodeEvent(ScenarioEvent& e, Bytes payload, std::int64_t& budget) {
    e.text1.clear();
    e.text2.clear();
    e.text3.clear();
    e.value0 = U32Padded(payload, 0);
    e.value1 = U32Padded(payload, 4);
    e.value2 = U32Padded(payload, 8);
    e.value3 = U32Padded(payload, 12);
    const std::uint32_t n = U32Padded(payload, 16);
    if (n > budget) {
        return false;
    }
    budget -= n;
    e.values.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        e.values[i] = U32Padded(payload, 20 + 4 * i);
    }
    const std::size_t tail = 20 + 4 * std::size_t{n};
    const auto value4 = static_cast<std::int32_t>(U32Padded(payload, tail));
    e.value4 = value4 < 0 ? 1 : value4;
    if (U32Padded(payload, tail + 4) != 0) {
        const std::size_t first = tail + 8;
        e.text1 = TextAt(payload, first);
        const std::size_t second = first + e.text1.size() + 1;
        e.text2 = TextAt(payload, second);
        e.text3 = TextAt(payload, second + e.text2.size() + 1);
    }
    if (!e.text3.empty() && static_cast<std::uint8_t>(e.text3.front()) == 0xCD) {
        e.text3.clear();
    }
    return true;
}

void DecodePackage(Package& p, Bytes payload) {
    p.value0 = U32Padded(payload, 0);
    p.value1 = U32Padded(payload, 4);
    p.value2 = U32Padded(payload, 8);
    p.short0 = U16Padded(payload, 12);
    p.short1 = U16Padded(payload, 14);
    p.short2 = U16Padded(payload, 16);
    p.short3 = U16Padded(payload, 18);
    std::string_view rest = TextAt(payload, 20);
    for (std::string* text : {&p.text1, &p.text2, &p.text3, &p.text4, &p.text5}) {
        *text = TakePiece(rest);
    }
    p.text6 = rest.substr(0, rest.find(tags::kSeparator));
}

void AssignLabels(std::vector<ScenarioEvent>& events, Bytes payload, std::size_t eventsRead) {
    std::string_view rest = TextAt(payload, 0);
    std::size_t taken = 0;
    while (!rest.empty() && rest.find(tags::kSeparator) != std::string_view::npos && taken < eventsRead) {
        const std::string_view piece = TakePiece(rest);
        if (taken < events.size()) {
            events[taken].label = piece;
        }
        ++taken;
    }
}

// A list's element cursor: element chunks count only after a count chunk of their kind.
struct ListCursor {
    bool counted = false;
    std::size_t next = 0;

    // The index the next element chunk fills, or nothing when it is to be ignored; moves on either way.
    template <typename List>
    std::optional<std::size_t> Advance(const List& list) {
        if (!counted) {
            return std::nullopt;
        }
        const std::size_t at = next++;
        return at < list.size() ? std::optional<std::size_t>(at) : std::nullopt;
    }
};

class ScenarioChunkReader {
  public:
    ScenarioChunkReader(Scenario& scenario, std::int64_t fileLength) : m_s(scenario), m_budget(fileLength) {}

    // Applies one chunk; false when the file is to be refused.
    bool Apply(std::uint32_t tag, Bytes payload);
    void Finish();

  private:
    // Replaces list with count default elements; false for a count past the budget.
    template <typename List>
    bool Recount(List& list, ListCursor& cursor, Bytes payload) {
        const std::uint32_t count = U32Padded(payload, 0);
        if (count > m_budget) {
            return false;
        }
        m_budget -= count;
        list.assign(count, typename List::value_type{});
        cursor = ListCursor{true, 0};
        return true;
    }

    Scenario& m_s;
    // Elements that counts and event value counts may still create, all together: the file's length. A
    // limit per chunk alone would let many small chunks each claim that much, making the work and memory
    // of a read grow with the square of the file's size.
    std::int64_t m_budget;
    ListCursor m_racers;
    ListCursor m_events;
    ListCursor m_checkpoints;
    ListCursor m_packages;
};

bool ScenarioChunkReader::Apply(std::uint32_t tag, Bytes payload) {
    struct TextTag {
        std::uint32_t tag;
        std::string Scenario::*member;
    };
    static constexpr TextTag kTexts[] = {
        {tags::kCity, &Scenario::cityFile},         {tags::kName, &Scenario::name},
        {tags::kIntroMovie, &Scenario::introMovie}, {tags::kIntroText, &Scenario::introText},
        {tags::kWinMovie, &Scenario::winMovie},     {tags::kWinText, &Scenario::winText},
        {tags::kLoseMovie, &Scenario::loseMovie},   {tags::kLoseText, &Scenario::loseText},
    };
    struct NumberTag {
        std::uint32_t tag;
        std::int32_t Scenario::*member;
    };
    static constexpr NumberTag kNumbers[] = {
        {tags::kTime, &Scenario::timeLimit}, {tags::kBonus, &Scenario::bonus},
        {tags::kPack, &Scenario::pack},      {tags::kAmmo, &Scenario::ammo},
        {tags::kLocX, &Scenario::startX},    {tags::kLocY, &Scenario::startY},
        {tags::kLaps, &Scenario::laps},      {tags::kCheckpointBonus, &Scenario::checkpointBonus},
        {tags::kPrgn, &Scenario::prgn},
    };
    for (const TextTag& t : kTexts) {
        if (t.tag == tag) {
            m_s.*t.member = TextAt(payload, 0);
            return true;
        }
    }
    for (const NumberTag& t : kNumbers) {
        if (t.tag == tag) {
            OverlayWord(m_s.*t.member, payload, 0);
            return true;
        }
    }
    switch (tag) {
        case tags::kEpisode:
            for (std::size_t i = 0; i < m_s.episode.size(); ++i) {
                OverlayWord(m_s.episode[i], payload, 4 * i);
            }
            return true;
        case tags::kRacerCount:
            return Recount(m_s.aiRacers, m_racers, payload);
        case tags::kRacer:
            if (const auto at = m_racers.Advance(m_s.aiRacers)) {
                m_s.aiRacers[*at] = DecodeRacer(payload);
            }
            return true;
        case tags::kEventCount:
            return Recount(m_s.events, m_events, payload);
        case tags::kEvent:
            if (const auto at = m_events.Advance(m_s.events)) {
                return DecodeEvent(m_s.events[*at], payload, m_budget);
            }
            return true;
        case tags::kLabels:
            AssignLabels(m_s.events, payload, m_events.next);
            return true;
        case tags::kCheckpointCount:
            return Recount(m_s.checkpoints, m_checkpoints, payload);
        case tags::kCheckpoint:
            if (const auto at = m_checkpoints.Advance(m_s.checkpoints)) {
                m_s.checkpoints[*at] = TilePos{U16Padded(payload, 0), U16Padded(payload, 2)};
            }
            return true;
        case tags::kPackageCount:
            return Recount(m_s.packages, m_packages, payload);
        case tags::kPackage:
            if (const auto at = m_packages.Advance(m_s.packages)) {
                DecodePackage(m_s.packages[*at], payload);
            }
            return true;
        case tags::kTrigger: {
            EventTrigger trigger;
            const auto key = static_cast<std::int32_t>(U32Padded(payload, 0));
            trigger.value0 = U32Padded(payload, 4);
            trigger.short0 = U16Padded(payload, 8);
            trigger.text1 = TextAt(payload, 10);
            trigger.text2 = TextAt(payload, 10 + trigger.text1.size() + 1);
            m_s.eventTriggers.emplace(key, std::move(trigger));
            return true;
        }
        default:
            return true;
    }
}

void ScenarioChunkReader::Finish() {
    if (m_s.laps != 0 && m_checkpoints.next > 0 && !m_s.checkpoints.empty()) {
        m_s.startX = m_s.checkpoints.front().x;
        m_s.startY = m_s.checkpoints.front().y;
    }
}

}  // namespace

bool ReadScenario(Scenario& scenario, const std::string& path) {
    scenario.name = "Unnamed Scenario";
    scenario.introMovie.clear();
    scenario.introText.clear();
    scenario.winMovie.clear();
    scenario.winText.clear();
    scenario.loseMovie.clear();
    scenario.loseText.clear();
    scenario.eventTriggers.clear();

    ChunkFile file(path);
    if (!file.OpenRead()) {
        return false;
    }
    if (file.FileType() != tags::kFileType) {
        return false;
    }
    const std::int64_t fileLength = file.Length();
    if (fileLength < 0) {
        return false;
    }
    ScenarioChunkReader reader(scenario, fileLength);
    do {
        if (file.ChunkLength() < kChunkHeaderSize) {
            break;
        }
        const auto payload = file.ReadPayload();
        if (!payload) {
            break;
        }
        if (!reader.Apply(file.Tag(), *payload)) {
            return false;
        }
    } while (file.NextChunk());
    reader.Finish();
    return true;
}

}  // namespace rw::scenario
