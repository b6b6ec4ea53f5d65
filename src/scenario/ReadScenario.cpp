// Reading a scenario file into a Scenario.
#include "scenario/ReadScenario.h"

#include <algorithm>
#include <array>
#include <new>
#include <span>
#include <string_view>
#include <vector>

#include "res/ByteReader.h"
#include "scenario/ChunkFile.h"
#include "scenario/ScenarioTags.h"

namespace rw::scenario {

using rw::res::ByteReader;
using rw::res::FileResult;
using rw::res::FileStatus;
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

// Fills event (label untouched); false when its value count is beyond what is left of budget (bytes).
bool DecodeEvent(ScenarioEvent& e, Bytes payload, std::int64_t& budget) {
    e.text1.clear();
    e.text2.clear();
    e.text3.clear();
    e.value0 = U32Padded(payload, 0);
    e.value1 = U32Padded(payload, 4);
    e.value2 = U32Padded(payload, 8);
    e.value3 = U32Padded(payload, 12);
    const std::uint32_t n = U32Padded(payload, 16);
    const std::int64_t cost = std::int64_t{n} * static_cast<std::int64_t>(sizeof(std::uint32_t));
    if (cost > budget) {
        return false;
    }
    budget -= cost;
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

// The four characters of a tag as FourCC spells them, anything unprintable as '?'.
std::string TagText(std::uint32_t tag) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<char>((tag >> shift) & 0xFFu);
        text += c >= ' ' && c <= '~' ? c : '?';
    }
    return text;
}

// Heap bytes a read may spend on the lists per byte of the file. Every element chunk the editor writes is
// at least 1/12 of its element's size (a package: 29 bytes for 212), so its files stay inside; any file's
// read stays within 16 times the file's size.
constexpr std::int64_t kBudgetPerFileByte = 12;
// A map entry of the triggers, with its node and allocation overhead.
constexpr std::int64_t kTriggerCost = 128;

class ScenarioChunkReader {
  public:
    ScenarioChunkReader(Scenario& scenario, std::int64_t fileLength)
        : m_s(scenario), m_fileLength(fileLength), m_budget(kBudgetPerFileByte * fileLength) {}

    // Applies the chunk at offset (payload included, chunkEnd its first byte after); an empty message
    // when it was taken, else why the file is refused.
    std::string Apply(std::uint32_t tag, Bytes payload, std::int64_t chunkEnd);
    void Finish();

  private:
    // Replaces list with count default elements. A count is refused when the rest of the file could not
    // hold that many element chunks (8 bytes each at least), or when the lists would outgrow the budget.
    template <typename List>
    std::string Recount(List& list, ListCursor& cursor, Bytes payload, std::int64_t chunkEnd) {
        const std::uint32_t count = U32Padded(payload, 0);
        const std::int64_t room = (m_fileLength - chunkEnd) / 8;
        const std::int64_t cost =
            std::int64_t{count} * static_cast<std::int64_t>(sizeof(typename List::value_type));
        if (count > room) {
            return "counts " + std::to_string(count) + " elements, more than the rest of the file can hold";
        }
        if (cost > m_budget) {
            return "counts " + std::to_string(count) +
                   " elements, more than a file of this size may take memory for";
        }
        m_budget -= cost;
        list.assign(count, typename List::value_type{});
        cursor = ListCursor{true, 0};
        return {};
    }

    Scenario& m_s;
    std::int64_t m_fileLength;
    // Heap bytes the counts, event value counts and triggers may still take, all together. A limit per
    // chunk alone would let many small chunks each claim that much, making the work and memory of a read
    // grow with the square of the file's size.
    std::int64_t m_budget;
    ListCursor m_racers;
    ListCursor m_events;
    ListCursor m_checkpoints;
    ListCursor m_packages;
};

std::string ScenarioChunkReader::Apply(std::uint32_t tag, Bytes payload, std::int64_t chunkEnd) {
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
            return {};
        }
    }
    for (const NumberTag& t : kNumbers) {
        if (t.tag == tag) {
            OverlayWord(m_s.*t.member, payload, 0);
            return {};
        }
    }
    switch (tag) {
        case tags::kEpisode:
            for (std::size_t i = 0; i < m_s.episode.size(); ++i) {
                OverlayWord(m_s.episode[i], payload, 4 * i);
            }
            return {};
        case tags::kRacerCount:
            return Recount(m_s.aiRacers, m_racers, payload, chunkEnd);
        case tags::kRacer:
            if (const auto at = m_racers.Advance(m_s.aiRacers)) {
                m_s.aiRacers[*at] = DecodeRacer(payload);
            }
            return {};
        case tags::kEventCount:
            return Recount(m_s.events, m_events, payload, chunkEnd);
        case tags::kEvent:
            if (const auto at = m_events.Advance(m_s.events)) {
                if (!DecodeEvent(m_s.events[*at], payload, m_budget)) {
                    return "counts more event values than a file of this size may take memory for";
                }
            }
            return {};
        case tags::kLabels:
            AssignLabels(m_s.events, payload, m_events.next);
            return {};
        case tags::kCheckpointCount:
            return Recount(m_s.checkpoints, m_checkpoints, payload, chunkEnd);
        case tags::kCheckpoint:
            if (const auto at = m_checkpoints.Advance(m_s.checkpoints)) {
                m_s.checkpoints[*at] = TilePos{U16Padded(payload, 0), U16Padded(payload, 2)};
            }
            return {};
        case tags::kPackageCount:
            return Recount(m_s.packages, m_packages, payload, chunkEnd);
        case tags::kPackage:
            if (const auto at = m_packages.Advance(m_s.packages)) {
                DecodePackage(m_s.packages[*at], payload);
            }
            return {};
        case tags::kTrigger: {
            if (m_budget < kTriggerCost) {
                return "holds more event triggers than a file of this size can";
            }
            m_budget -= kTriggerCost;
            EventTrigger trigger;
            const auto key = static_cast<std::int32_t>(U32Padded(payload, 0));
            trigger.value0 = U32Padded(payload, 4);
            trigger.short0 = U16Padded(payload, 8);
            trigger.text1 = TextAt(payload, 10);
            trigger.text2 = TextAt(payload, 10 + trigger.text1.size() + 1);
            m_s.eventTriggers.emplace(key, std::move(trigger));
            return {};
        }
        default:
            return {};
    }
}

void ScenarioChunkReader::Finish() {
    if (m_s.laps != 0 && m_checkpoints.next > 0 && !m_s.checkpoints.empty()) {
        m_s.startX = m_s.checkpoints.front().x;
        m_s.startY = m_s.checkpoints.front().y;
    }
}

}  // namespace

namespace {

FileResult ReadChunks(Scenario& scenario, const std::string& path) {
    if (!res::DiskFile::FitsPath(path)) {
        return FileResult::Failure(path.empty() ? FileStatus::NoSuchFile : FileStatus::PathTooLong);
    }
    ChunkFile file(path);
    if (!file.OpenRead()) {
        return FileResult::Failure(res::ActiveFileSystem().LastError());
    }
    if (file.FileType() != tags::kFileType) {
        return FileResult::Failure(FileStatus::WrongKind,
                                   "not a scenario file: the file type at byte 12 is not VTSN", 12);
    }
    const std::int64_t fileLength = file.Length();
    if (fileLength < 0) {
        return FileResult::Failure(res::ActiveFileSystem().LastError());
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
        const std::int64_t at = file.Cursor();
        if (std::string refused = reader.Apply(file.Tag(), *payload, at + file.ChunkLength());
            !refused.empty()) {
            return FileResult::Failure(
                FileStatus::WrongKind,
                "chunk " + TagText(file.Tag()) + " at byte " + std::to_string(at) + " " + refused, at);
        }
    } while (file.NextChunk());
    reader.Finish();
    return {};
}

}  // namespace

FileResult ReadScenarioResult(Scenario& scenario, const std::string& path) {
    scenario.name = "Unnamed Scenario";
    scenario.introMovie.clear();
    scenario.introText.clear();
    scenario.winMovie.clear();
    scenario.winText.clear();
    scenario.loseMovie.clear();
    scenario.loseText.clear();
    scenario.eventTriggers.clear();
    try {
        return ReadChunks(scenario, path);
    } catch (const std::bad_alloc&) {
        return FileResult::Failure(FileStatus::OutOfMemory);
    }
}

}  // namespace rw::scenario
