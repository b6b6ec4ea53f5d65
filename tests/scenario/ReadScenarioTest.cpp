// Reading scenario files built byte by byte.
#include <gtest/gtest.h>

#include "ScenarioTestFiles.h"
#include "scenario/ReadScenario.h"
#include "scenario/ScenarioChunks.h"
#include "scenario/ScenarioTags.h"

namespace rw::scenario {
namespace {

using namespace rw::scenario::testing;

class ReadScenarioTest : public ::testing::Test {
  protected:
    // Reads the bytes (or chunks after a VTSN header) into s, a default Scenario unless given.
    Scenario ReadFile(const ByteVec& bytes, bool expected = true, Scenario s = {}) {
        const std::string path = m_folder.Path("s.scn");
        WriteFileBytes(path, bytes);
        EXPECT_EQ(ReadScenario(s, path), expected);
        return s;
    }
    Scenario Read(const std::vector<ByteVec>& chunks, bool expected = true) {
        return ReadFile(ScenarioFile(chunks), expected);
    }
    ScratchFolder m_folder;
};

TEST_F(ReadScenarioTest, ResetsOnlyTheNameAndTextsEvenWhenTheReadFails) {
    const Scenario old = FullScenario();
    Scenario expected = old;
    expected.name = "Unnamed Scenario";
    expected.introMovie.clear();
    expected.introText.clear();
    expected.winMovie.clear();
    expected.winText.clear();
    expected.loseMovie.clear();
    expected.loseText.clear();
    expected.eventTriggers.clear();
    EXPECT_EQ(ReadFile(ScenarioFile({}), true, old), expected)
        << "no checkpoint was read, so the start stays";
    // A type word that is not VTSN: false after the resets, and the CITY chunk is not read.
    EXPECT_EQ(ReadFile(ScenarioFile({Chunk(tags::kCity, Text("a.urb"))}, tags::kCreator), false, old),
              expected);
    Scenario s = old;
    EXPECT_FALSE(ReadScenario(s, m_folder.Path("absent.scn")));
    EXPECT_EQ(s, expected);
}

// A number chunk shorter than its number changes only the bytes it holds.
TEST_F(ReadScenarioTest, TextsAndNumbersLaterChunkWins) {
    const Scenario s = Read({
        Chunk(tags::kName, Text("First")),
        Chunk(tags::kName, Text("Second")),
        Chunk(tags::kCity, Text("city.urb", false)),  // no zero byte: the whole payload
        Chunk(tags::kWinText, Text(std::string_view("ab\0cd", 5))),
        Chunk(tags::kTime, U32(0xFFFFFF9C)),
        Chunk(tags::kTime, U32(0x1012C)),
        Chunk(tags::kTime, {0x34}),
        Chunk(tags::kPrgn, U32(7)),
        Chunk(FourCC("ZZZZ"), Text("ignored")),
        Chunk(tags::kEpisode, Words({9, 8, 7, 6, 5, 4})),
        Chunk(tags::kEpisode, Concat({U32(5), {6, 0}})),
    });
    EXPECT_EQ(s.name, "Second");
    EXPECT_EQ(s.cityFile, "city.urb");
    EXPECT_EQ(s.winText, "ab");
    EXPECT_EQ(s.timeLimit, 0x10134);
    EXPECT_EQ(s.prgn, 7);
    EXPECT_EQ(s.episode, (std::array<std::int32_t, 6>{5, 6, 7, 6, 5, 4}));
}

// The records of each list (the normalisations of what is read, word7, value4 and text3, are the corpus
// round trips'): racers follow their count, and a short one reads as zeros after its bytes; event texts
// follow the offset word, and a cut event reads as zeros and empty texts after its bytes; package texts
// split at separators, the last piece filling the rest; the first entry of a trigger key wins.
TEST_F(ReadScenarioTest, ListRecords) {
    const AiRacer keep{1, 2, 3, 0x00020001, 5, 6, 7, 80, 75, 0, 2, 12};
    const ScenarioEvent e{0, 0, 0, 0, {4, 5, 6}, 7, "one", "", "three", ""};
    ByteVec noTexts = EncodeEvent(e);
    noTexts[24 + 12] = 0;  // the text offset word, after three values
    ByteVec cut = EncodeEvent({0x11223344, 0, 0, 0, {1, 2}, 0, "abc", "", "", ""});
    cut.resize(28 + 8 + 2);  // cuts text1 after "ab"
    const Package full{1, 2, 3, 4, 5, 6, 7, "p1", "p2", "p3", "p4", "p5", "p6"};
    const ByteVec twoSeparators =
        Concat({Words({9, 8, 7}), {1, 0, 2, 0, 3, 0, 4, 0}, Text("one\1two\1rest")});
    const Scenario s = Read({Chunk(tags::kRacer, EncodeRacer(keep)),  // before any count: ignored
                             Chunk(tags::kRacerCount, U32(2)), Chunk(tags::kRacer, EncodeRacer(keep)),
                             Chunk(tags::kRacer, {0xAA, 0xBB}),
                             Chunk(tags::kRacer, EncodeRacer(keep)),  // past the count: ignored
                             Chunk(tags::kEventCount, U32(4)), Chunk(tags::kEvent, EncodeEvent(e)),
                             Chunk(tags::kEvent, noTexts), Chunk(tags::kEvent, cut), Chunk(tags::kEvent, {5}),
                             Chunk(tags::kPackageCount, U32(2)), Chunk(tags::kPackage, EncodePackage(full)),
                             Chunk(tags::kPackage, twoSeparators),
                             Chunk(tags::kTrigger, EncodeTrigger(4, {1, 2, "first", "x"})),
                             Chunk(tags::kTrigger, EncodeTrigger(-2, {3, 4, "neg", ""})),
                             Chunk(tags::kTrigger, EncodeTrigger(4, {5, 6, "second", "y"}))});
    EXPECT_EQ(s.aiRacers, (std::vector<AiRacer>{keep, {0xBBAA}}));
    EXPECT_EQ(s.events, (std::vector<ScenarioEvent>{e,
                                                    {0, 0, 0, 0, {4, 5, 6}, 7, "", "", "", ""},
                                                    {0x11223344, 0, 0, 0, {1, 2}, 0, "ab", "", "", ""},
                                                    {5, 0, 0, 0, {}, 0, "", "", "", ""}}));
    EXPECT_EQ(s.packages, (std::vector<Package>{
                              full, {9, 8, 7, 1, 2, 3, 4, "one", "two", "rest", "rest", "rest", "rest"}}));
    EXPECT_EQ(s.eventTriggers,
              (std::map<std::int32_t, EventTrigger>{{-2, {3, 4, "neg", ""}}, {4, {1, 2, "first", "x"}}}));
}

// The start moving to the first checkpoint with laps is a normalisation the corpus round trips hold; here,
// when it must not move.
TEST_F(ReadScenarioTest, SecondCountReplacesTheListAndTheStartStaysWithoutLapsOrACheckpoint) {
    const Scenario noLaps =
        Read({Chunk(tags::kLocX, U32(50)), Chunk(tags::kLocY, U32(60)), Chunk(tags::kCheckpointCount, U32(2)),
              Chunk(tags::kCheckpoint, {1, 0, 2, 0}), Chunk(tags::kCheckpoint, {3, 0, 4, 0}),
              Chunk(tags::kCheckpointCount, U32(3)), Chunk(tags::kCheckpoint, {11, 0, 22, 0}),
              Chunk(tags::kName, Text("room for 3"))});
    EXPECT_EQ(noLaps.checkpoints, (std::vector<TilePos>{{11, 22}, {0, 0}, {0, 0}}));
    EXPECT_EQ(std::pair(noLaps.startX, noLaps.startY), std::pair(50, 60)) << "laps 0 keeps the start";

    const Scenario emptyList =
        Read({Chunk(tags::kLaps, U32(1)), Chunk(tags::kLocX, U32(5)), Chunk(tags::kCheckpointCount, U32(0)),
              Chunk(tags::kCheckpoint, {1, 0, 1, 0})});
    EXPECT_EQ(emptyList.startX, 5);
}

// An unterminated last piece is dropped; only as many labels as events were read take one; a zero byte ends
// the block; labels before the events give nothing.
TEST_F(ReadScenarioTest, LabelPieces) {
    const ByteVec e = Chunk(tags::kEvent, EncodeEvent({}));
    const struct {
        std::vector<ByteVec> chunks;
        std::vector<std::string> labels;
    } cases[] = {
        {{Chunk(tags::kEventCount, U32(3)), e, e, e, Chunk(tags::kLabels, Text("a\1b\1c", false))},
         {"a", "b", ""}},
        {{Chunk(tags::kEventCount, U32(3)), e, Chunk(tags::kLabels, Text("x\1y\1", false))}, {"x", "", ""}},
        {{Chunk(tags::kEventCount, U32(2)), e, e,
          Chunk(tags::kLabels, Text(std::string_view("x\1\0y\1", 5), false))},
         {"x", ""}},
        {{Chunk(tags::kEventCount, U32(1)), Chunk(tags::kLabels, {'z', 1}), e}, {""}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> labels;
        for (const ScenarioEvent& event : Read(c.chunks).events) {
            labels.push_back(event.label);
        }
        EXPECT_EQ(labels, c.labels);
    }
}

// Where damage ends the walk is the sweeps' (tests/reliability); here, the one length that is whole but not
// stepped over.
TEST_F(ReadScenarioTest, AnOversizedChunkIsReadButEndsTheWalk) {
    const ByteVec time = Chunk(tags::kTime, U32(5));
    const Scenario big = Read({Chunk(tags::kName, ByteVec(40000, 'n')), time});
    EXPECT_EQ(big.name.size(), 40000u);
    EXPECT_EQ(big.timeLimit, 0);
    EXPECT_EQ(Read({Chunk(tags::kName, ByteVec(32768 - 8, 'n')), time}).timeLimit, 5)
        << "32768 is stepped over";
}

}  // namespace
}  // namespace rw::scenario
