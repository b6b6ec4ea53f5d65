// The byte layout of every chunk a scenario file holds.
#include <gtest/gtest.h>

#include "ScenarioTestFiles.h"
#include "scenario/ChunkFile.h"
#include "scenario/ScenarioChunks.h"
#include "scenario/ScenarioTags.h"
#include "scenario/WriteScenario.h"

namespace rw::scenario {
namespace {

using namespace rw::scenario::testing;

TEST(ScenarioChunksTest, DefaultScenarioIsThe296ByteFile) {
    ScratchFolder folder;
    const std::string path = folder.Path("default.scn");
    ASSERT_TRUE(WriteScenario(Scenario{}, path));
    const ByteVec zero = U32(0);
    const ByteVec expected = ScenarioFile({
        Chunk(tags::kCity, {0}),
        Chunk(tags::kName, {0}),
        Chunk(tags::kTime, zero),
        Chunk(tags::kCheckpointBonus, zero),
        Chunk(tags::kBonus, zero),
        Chunk(tags::kLocX, zero),
        Chunk(tags::kLocY, zero),
        Chunk(tags::kPack, zero),
        Chunk(tags::kAmmo, zero),
        Chunk(tags::kLaps, zero),
        Chunk(tags::kIntroMovie, {0}),
        Chunk(tags::kIntroText, {0}),
        Chunk(tags::kWinMovie, {0}),
        Chunk(tags::kWinText, {0}),
        Chunk(tags::kLoseMovie, {0}),
        Chunk(tags::kLoseText, {0}),
        Chunk(tags::kPrgn, zero),
        Chunk(tags::kRacerCount, zero),
        Chunk(tags::kEventCount, zero),
        Chunk(tags::kLabels, {}),
        Chunk(tags::kCheckpointCount, zero),
        Chunk(tags::kEpisode, Concat({U32(0), U32(0), U32(0), U32(1), U32(1), U32(0)})),
        Chunk(tags::kPackageCount, zero),
    });
    const ByteVec written = ReadBytes(path);
    ASSERT_EQ(written.size(), 296u);
    EXPECT_EQ(written, expected);
    // Spot-check the literal bytes: magic in reading order, tags reversed, the file length word.
    EXPECT_EQ(ByteVec(written.begin(), written.begin() + 4), (ByteVec{'C', 'H', 'K', 'F'}));
    EXPECT_EQ(ByteVec(written.begin() + 8, written.begin() + 16),
              (ByteVec{'T', 'R', 'W', 'R', 'N', 'S', 'T', 'V'}));
    EXPECT_EQ(ByteVec(written.begin() + 20, written.begin() + 24), (ByteVec{0x28, 0x01, 0, 0}));
    EXPECT_EQ(ByteVec(written.begin() + 28, written.begin() + 37),
              (ByteVec{'Y', 'T', 'I', 'C', 9, 0, 0, 0, 0}));
}

TEST(ScenarioChunksTest, ChunkOrderWithEveryList) {
    Scenario s;
    s.aiRacers.resize(2);
    s.events.resize(1);
    s.checkpoints = {{1, 2}, {3, 4}};
    s.packages.resize(1);
    s.eventTriggers[5] = {};
    s.eventTriggers[-3] = {};
    std::string order;
    for (const ScenarioChunk& c : ScenarioChunks(s)) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            order.push_back(static_cast<char>((c.tag >> shift) & 0xFF));
        }
        order.push_back(' ');
    }
    EXPECT_EQ(
        order,
        "CITY NAME TIME CHKB BNUS LOCX LOCY PACK AMMO LAPS IANM ITXT WANM WTXT LANM LTXT PRGN #AIS ANAI ANAI "
        "#EVS EVNT LABL #CHK CHCK CHCK EPSD #PKG APAK EVTG EVTG ");
    const auto chunks = ScenarioChunks(s);
    EXPECT_EQ(chunks[chunks.size() - 2].payload[0], 0xFD) << "trigger keys ascend as signed numbers";
}

TEST(ScenarioChunksTest, CheckpointChunkExample) {
    Scenario s;
    s.checkpoints = {{5, 7}};
    for (const ScenarioChunk& c : ScenarioChunks(s)) {
        if (c.tag == tags::kCheckpoint) {
            EXPECT_EQ(Chunk(c.tag, c.payload), (ByteVec{0x4B, 0x43, 0x48, 0x43, 0x0C, 0, 0, 0, 5, 0, 7, 0}));
            return;
        }
    }
    FAIL() << "no CHCK chunk";
}

TEST(ScenarioChunksTest, RacerRecord) {
    AiRacer r{1, 2, 3, 0x00050004, 5, 6, 7, -8, 9, 10, -11, 0xA1B2C3D4};
    const ByteVec bytes = EncodeRacer(r);
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(ByteVec(bytes.begin() + 12, bytes.begin() + 16), (ByteVec{4, 0, 5, 0})) << "low half first";
    EXPECT_EQ(ByteVec(bytes.begin() + 28, bytes.begin() + 32), (ByteVec{0xF8, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ByteVec(bytes.begin() + 44, bytes.end()), (ByteVec{0xD4, 0xC3, 0xB2, 0xA1}));
}

TEST(ScenarioChunksTest, EventRecord) {
    ScenarioEvent e;
    e.value0 = 1;
    e.value1 = 2;
    e.value2 = 3;
    e.value3 = 4;
    e.values = {10, 11};
    e.value4 = -5;
    e.text1 = "ab";
    e.text2 = "c";
    e.text3 = "def";
    e.label = "not here";
    const ByteVec expected =
        Concat({U32(1), U32(2), U32(3), U32(4), U32(2), U32(10), U32(11), U32(0xFFFFFFFB), U32(2 + 1 + 2),
                Text("ab"), Text("c"), Text("def"), U32(0)});
    EXPECT_EQ(EncodeEvent(e), expected);
    EXPECT_EQ(expected.size(), 35u + 8u + 6u);

    const ByteVec empty = EncodeEvent(ScenarioEvent{});
    EXPECT_EQ(empty.size(), 35u);
    EXPECT_EQ(ByteVec(empty.begin() + 24, empty.begin() + 28), U32(2)) << "text offset of empty texts";
}

TEST(ScenarioChunksTest, LabelBlock) {
    std::vector<ScenarioEvent> events(3);
    events[0].label = "one";
    events[2].label = "three";
    EXPECT_EQ(EncodeLabels(events), Concat({Text("one", false), {1}, {1}, Text("three", false), {1}}));
    EXPECT_TRUE(EncodeLabels({}).empty());
}

TEST(ScenarioChunksTest, PackageRecord) {
    Package p{1, 2, 3, 4, 5, 6, 7, "a", "", "bc", "", "", "d"};
    const ByteVec expected = Concat({U32(1),
                                     U32(2),
                                     U32(3),
                                     {4, 0, 5, 0, 6, 0, 7, 0},
                                     Text("a", false),
                                     {1},
                                     {1},
                                     Text("bc", false),
                                     {1},
                                     {1},
                                     {1},
                                     Text("d", false),
                                     {1},
                                     U32(0)});
    EXPECT_EQ(EncodePackage(p), expected);
    EXPECT_EQ(expected.size(), 30u + 4u);
}

TEST(ScenarioChunksTest, TriggerRecord) {
    EventTrigger t{0x01020304, 0x0506, "xy", "z"};
    const ByteVec expected =
        Concat({U32(0xFFFFFFFF), U32(0x01020304), {6, 5}, Text("xy"), Text("z"), {0, 0}});
    EXPECT_EQ(EncodeTrigger(-1, t), expected);
    EXPECT_EQ(expected.size(), 14u + 3u);
}

}  // namespace
}  // namespace rw::scenario
