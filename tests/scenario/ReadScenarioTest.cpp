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
    // Reads chunks (after a VTSN header) into a default Scenario.
    Scenario Read(const std::vector<ByteVec>& chunks, bool expected = true) {
        return ReadBytesAsScenario(ScenarioFile(chunks), expected);
    }
    Scenario ReadBytesAsScenario(const ByteVec& bytes, bool expected = true) {
        const std::string path = m_folder.Path("s.scn");
        WriteBytes(path, bytes);
        Scenario s;
        EXPECT_EQ(ReadScenario(s, path), expected);
        return s;
    }
    static ByteVec EventChunk(const ScenarioEvent& e) { return Chunk(tags::kEvent, EncodeEvent(e)); }
    ScratchFolder m_folder;
};

TEST_F(ReadScenarioTest, HeaderOnlyFileResetsOnlyTheNameAndTexts) {
    const std::string path = m_folder.Path("h.scn");
    WriteBytes(path, ScenarioFile({}));
    Scenario s;
    s.cityFile = "kept.urb";
    s.introText = "dropped";
    s.laps = 4;
    s.checkpoints = {{1, 1}};
    s.eventTriggers[1] = {};
    ASSERT_TRUE(ReadScenario(s, path));
    EXPECT_EQ(s.name, "Unnamed Scenario");
    EXPECT_EQ(s.cityFile, "kept.urb");
    EXPECT_TRUE(s.introText.empty());
    EXPECT_TRUE(s.eventTriggers.empty());
    EXPECT_EQ(s.laps, 4);
    EXPECT_EQ(s.checkpoints.size(), 1u);
    EXPECT_EQ(s.startX, 0) << "no checkpoint was read, so the start stays";
}

TEST_F(ReadScenarioTest, WrongTypeOrMissingFileFailsAfterTheResets) {
    ByteVec bytes = Header(tags::kCreator);  // a type word that is not VTSN
    const std::string path = m_folder.Path("x.scn");
    WriteBytes(path, Concat({bytes, Chunk(tags::kCity, Text("a.urb"))}));
    Scenario s;
    s.name = "old";
    s.winMovie = "old.smk";
    EXPECT_FALSE(ReadScenario(s, path));
    EXPECT_EQ(s.name, "Unnamed Scenario");
    EXPECT_TRUE(s.winMovie.empty());
    EXPECT_TRUE(s.cityFile.empty());

    s.name = "old";
    EXPECT_FALSE(ReadScenario(s, m_folder.Path("absent.scn")));
    EXPECT_EQ(s.name, "Unnamed Scenario");
}

TEST_F(ReadScenarioTest, TextsAndNumbersLaterChunkWins) {
    const Scenario s = Read({
        Chunk(tags::kName, Text("First")),
        Chunk(tags::kName, Text("Second")),
        Chunk(tags::kCity, Text("city.urb", false)),  // no zero byte: the whole payload
        Chunk(tags::kWinText, Text(std::string_view("ab\0cd", 5))),
        Chunk(tags::kTime, U32(0xFFFFFF9C)),
        Chunk(tags::kTime, U32(300)),
        Chunk(tags::kPrgn, U32(7)),
        Chunk(FourCC("ZZZZ"), Text("ignored")),
        Chunk(tags::kEpisode, Concat({U32(9), U32(8), U32(7), U32(6), U32(5), U32(4)})),
    });
    EXPECT_EQ(s.name, "Second");
    EXPECT_EQ(s.cityFile, "city.urb");
    EXPECT_EQ(s.winText, "ab");
    EXPECT_EQ(s.timeLimit, 300);
    EXPECT_EQ(s.prgn, 7);
    EXPECT_EQ(s.episode, (std::array<std::int32_t, 6>{9, 8, 7, 6, 5, 4}));
}

TEST_F(ReadScenarioTest, ShortNumberChunksChangeOnlyTheirBytes) {
    const std::string path = m_folder.Path("short.scn");
    WriteBytes(path,
               ScenarioFile({Chunk(tags::kTime, {0x34}), Chunk(tags::kEpisode, Concat({U32(5), {6, 0}}))}));
    Scenario s;
    s.timeLimit = 0x12121212;
    ASSERT_TRUE(ReadScenario(s, path));
    EXPECT_EQ(s.timeLimit, 0x12121234);
    EXPECT_EQ(s.episode, (std::array<std::int32_t, 6>{5, 6, 0, 1, 1, 0}));
}

TEST_F(ReadScenarioTest, RacersCountsCursorsAndWord7Rule) {
    AiRacer keep{1, 2, 3, 0x00020001, 5, 6, 7, 80, 75, 0, 2, 12};
    AiRacer negative = keep;
    negative.word7 = -1;
    const Scenario s = Read({
        Chunk(tags::kRacer, EncodeRacer(keep)),  // before any count: ignored
        Chunk(tags::kRacerCount, U32(3)), Chunk(tags::kRacer, EncodeRacer(keep)),
        Chunk(tags::kRacer, EncodeRacer(negative)),
        Chunk(tags::kRacer, {0xAA, 0xBB}),       // short: the rest of the words are 0
        Chunk(tags::kRacer, EncodeRacer(keep)),  // past the count: ignored
    });
    ASSERT_EQ(s.aiRacers.size(), 3u);
    EXPECT_EQ(s.aiRacers[0], keep);
    EXPECT_EQ(s.aiRacers[1].word7, 0);
    EXPECT_EQ(s.aiRacers[1].word8, 0u);
    EXPECT_EQ(s.aiRacers[1].word10, 2);
    EXPECT_EQ(s.aiRacers[2], (AiRacer{0xBBAA}));
}

TEST_F(ReadScenarioTest, SecondCountReplacesTheListAndRestartsTheCursor) {
    const Scenario s = Read({
        Chunk(tags::kCheckpointCount, U32(2)),
        Chunk(tags::kCheckpoint, {1, 0, 2, 0}),
        Chunk(tags::kCheckpoint, {3, 0, 4, 0}),
        Chunk(tags::kCheckpointCount, U32(3)),
        Chunk(tags::kCheckpoint, {9, 0, 8, 0}),
    });
    EXPECT_EQ(s.checkpoints, (std::vector<TilePos>{{9, 8}, {0, 0}, {0, 0}}));
}

TEST_F(ReadScenarioTest, StartLocationFollowsTheFirstCheckpointUnlessLapsIsZero) {
    const std::vector<ByteVec> course = {
        Chunk(tags::kLocX, U32(50)), Chunk(tags::kLocY, U32(60)), Chunk(tags::kCheckpointCount, U32(2)),
        Chunk(tags::kCheckpoint, {11, 0, 22, 0}), Chunk(tags::kCheckpoint, {33, 0, 44, 0})};
    std::vector<ByteVec> withLaps = course;
    withLaps.push_back(Chunk(tags::kLaps, U32(3)));
    const Scenario laps = Read(withLaps);
    EXPECT_EQ(laps.startX, 11);
    EXPECT_EQ(laps.startY, 22);

    const Scenario noLaps = Read(course);
    EXPECT_EQ(noLaps.startX, 50);
    EXPECT_EQ(noLaps.startY, 60);

    const Scenario emptyList =
        Read({Chunk(tags::kLaps, U32(1)), Chunk(tags::kLocX, U32(5)), Chunk(tags::kCheckpointCount, U32(0)),
              Chunk(tags::kCheckpoint, {1, 0, 1, 0})});
    EXPECT_EQ(emptyList.startX, 5);
}

TEST_F(ReadScenarioTest, EventTextsOffsetWordAnd0xCD) {
    ScenarioEvent e;
    e.values = {4, 5, 6};
    e.value4 = -7;
    e.text1 = "one";
    e.text2 = "";
    e.text3 = "three";
    ScenarioEvent cd = e;
    cd.text3 = "\xCDrest";
    ByteVec noTexts = EncodeEvent(e);
    noTexts[24 + 12] = 0;  // the text offset word, after three values
    const Scenario s =
        Read({Chunk(tags::kEventCount, U32(3)), EventChunk(e), EventChunk(cd), Chunk(tags::kEvent, noTexts)});
    ASSERT_EQ(s.events.size(), 3u);
    EXPECT_EQ(s.events[0].values, (std::vector<std::uint32_t>{4, 5, 6}));
    EXPECT_EQ(s.events[0].value4, 1) << "a negative value4 becomes 1";
    EXPECT_EQ(s.events[0].text1, "one");
    EXPECT_EQ(s.events[0].text2, "");
    EXPECT_EQ(s.events[0].text3, "three");
    EXPECT_EQ(s.events[1].text3, "");
    EXPECT_EQ(s.events[1].text1, "one");
    EXPECT_EQ(s.events[2].text1, "") << "offset word 0: no texts even though bytes follow";
    EXPECT_EQ(s.events[2].text3, "");
    EXPECT_EQ(s.events[2].values.size(), 3u);
}

TEST_F(ReadScenarioTest, TruncatedEventReadsMissingBytesAsZero) {
    ScenarioEvent e;
    e.value0 = 0x11223344;
    e.values = {1, 2};
    e.text1 = "abc";
    ByteVec bytes = EncodeEvent(e);
    bytes.resize(28 + 8 + 2);  // cuts text1 after "ab"
    const Scenario s = Read({Chunk(tags::kEventCount, U32(1)), Chunk(tags::kEvent, bytes)});
    EXPECT_EQ(s.events[0].value0, 0x11223344u);
    EXPECT_EQ(s.events[0].text1, "ab");
    EXPECT_EQ(s.events[0].text2, "");

    const Scenario tiny = Read({Chunk(tags::kEventCount, U32(1)), Chunk(tags::kEvent, {0x05})});
    EXPECT_EQ(tiny.events[0].value0, 5u);
    EXPECT_TRUE(tiny.events[0].values.empty());
}

TEST_F(ReadScenarioTest, LabelPieces) {
    ScenarioEvent e;
    const ByteVec labels = Concat({Text("a", false), {1}, Text("b", false), {1}, Text("c", false)});
    const Scenario s = Read({Chunk(tags::kEventCount, U32(3)), EventChunk(e), EventChunk(e), EventChunk(e),
                             Chunk(tags::kLabels, labels)});
    EXPECT_EQ(s.events[0].label, "a");
    EXPECT_EQ(s.events[1].label, "b");
    EXPECT_EQ(s.events[2].label, "") << "an unterminated last piece is dropped";

    // Only as many labels as events were read; a zero byte ends the block.
    const Scenario fewer =
        Read({Chunk(tags::kEventCount, U32(3)), EventChunk(e),
              Chunk(tags::kLabels, Concat({Text("x", false), {1}, Text("y", false), {1}}))});
    EXPECT_EQ(fewer.events[0].label, "x");
    EXPECT_EQ(fewer.events[1].label, "");
    const Scenario zero =
        Read({Chunk(tags::kEventCount, U32(2)), EventChunk(e), EventChunk(e),
              Chunk(tags::kLabels, Concat({Text("x", false), {1, 0}, Text("y", false), {1}}))});
    EXPECT_EQ(zero.events[0].label, "x");
    EXPECT_EQ(zero.events[1].label, "");
}

TEST_F(ReadScenarioTest, LabelsBeforeEventsAssignNothing) {
    const Scenario s =
        Read({Chunk(tags::kEventCount, U32(1)), Chunk(tags::kLabels, {'z', 1}), EventChunk(ScenarioEvent{})});
    EXPECT_EQ(s.events[0].label, "");
}

TEST_F(ReadScenarioTest, PackageSeparators) {
    Package full{1, 2, 3, 4, 5, 6, 7, "p1", "p2", "p3", "p4", "p5", "p6"};
    const ByteVec twoSeparators = Concat({U32(9),
                                          U32(8),
                                          U32(7),
                                          {1, 0, 2, 0, 3, 0, 4, 0},
                                          Text("one", false),
                                          {1},
                                          Text("two", false),
                                          {1},
                                          Text("rest")});
    const Scenario s = Read({Chunk(tags::kPackageCount, U32(2)), Chunk(tags::kPackage, EncodePackage(full)),
                             Chunk(tags::kPackage, twoSeparators)});
    ASSERT_EQ(s.packages.size(), 2u);
    EXPECT_EQ(s.packages[0], full);
    const Package& p = s.packages[1];
    EXPECT_EQ(p.value0, 9u);
    EXPECT_EQ(p.short3, 4);
    EXPECT_EQ(p.text1, "one");
    EXPECT_EQ(p.text2, "two");
    for (const std::string* t : {&p.text3, &p.text4, &p.text5, &p.text6}) {
        EXPECT_EQ(*t, "rest");
    }
}

TEST_F(ReadScenarioTest, TriggersKeepTheFirstEntryOfAKey) {
    const Scenario s = Read({
        Chunk(tags::kTrigger, EncodeTrigger(4, {1, 2, "first", "x"})),
        Chunk(tags::kTrigger, EncodeTrigger(-2, {3, 4, "neg", ""})),
        Chunk(tags::kTrigger, EncodeTrigger(4, {5, 6, "second", "y"})),
    });
    ASSERT_EQ(s.eventTriggers.size(), 2u);
    EXPECT_EQ(s.eventTriggers.at(4), (EventTrigger{1, 2, "first", "x"}));
    EXPECT_EQ(s.eventTriggers.begin()->first, -2);
}

TEST_F(ReadScenarioTest, WalkStopsAtDamageAndKeepsWhatWasRead) {
    ByteVec bytes = ScenarioFile(
        {Chunk(tags::kName, Text("Kept")), ChunkWithLength(tags::kCity, 4, {}), Chunk(tags::kTime, U32(5))});
    const Scenario shortChunk = ReadBytesAsScenario(bytes);
    EXPECT_EQ(shortChunk.name, "Kept");
    EXPECT_EQ(shortChunk.timeLimit, 0) << "nothing after a chunk shorter than 8";

    bytes = ScenarioFile({Chunk(tags::kName, Text("Kept")), Chunk(tags::kTime, U32(5))});
    bytes.resize(bytes.size() - 2);  // TIME now runs past the end
    const Scenario cut = ReadBytesAsScenario(bytes);
    EXPECT_EQ(cut.name, "Kept");
    EXPECT_EQ(cut.timeLimit, 0);

    const Scenario big = Read({Chunk(tags::kName, ByteVec(40000, 'n')), Chunk(tags::kTime, U32(5))});
    EXPECT_EQ(big.name.size(), 40000u) << "an oversized chunk is still read";
    EXPECT_EQ(big.timeLimit, 0) << "but the walk ends there";
}

TEST_F(ReadScenarioTest, CountLargerThanTheFileFailsTheRead) {
    for (const std::uint32_t tag :
         {tags::kRacerCount, tags::kEventCount, tags::kCheckpointCount, tags::kPackageCount}) {
        Read({Chunk(tags::kName, Text("n")), Chunk(tag, U32(0xFFFFFFF0))}, false);
    }
    ScenarioEvent e;
    ByteVec huge = EncodeEvent(e);
    huge[16] = 0xFF;
    huge[19] = 0x7F;  // n = 0x7F0000FF values
    Read({Chunk(tags::kEventCount, U32(1)), Chunk(tags::kEvent, huge)}, false);
    // A count as large as the file is still accepted.
    const Scenario s = Read({Chunk(tags::kCheckpointCount, U32(40))});
    EXPECT_EQ(s.checkpoints.size(), 40u);
}

}  // namespace
}  // namespace rw::scenario
