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
    // Each chunk's tag (stored as a little-endian word, so reversed), length word and default payload.
    const std::string order =
        "CITY NAME TIME CHKB BNUS LOCX LOCY PACK AMMO LAPS IANM ITXT WANM WTXT LANM LTXT PRGN #AIS #EVS LABL "
        "#CHK EPSD #PKG";
    std::vector<ByteVec> chunks;
    for (std::size_t i = 0; i < order.size(); i += 5) {
        const std::string tag = order.substr(i, 4);
        ByteVec payload = U32(0);
        if (std::string("CITY NAME IANM ITXT WANM WTXT LANM LTXT").find(tag) != std::string::npos) {
            payload = {0};
        } else if (tag == "LABL") {
            payload.clear();
        } else if (tag == "EPSD") {
            payload = Concat({U32(0), U32(0), U32(0), U32(1), U32(1), U32(0)});
        }
        chunks.push_back(Concat({ByteVec(tag.rbegin(), tag.rend()),
                                 U32(static_cast<std::uint32_t>(8 + payload.size())), payload}));
    }
    const ByteVec expected = ScenarioFile(chunks);
    const ByteVec written = ReadFileBytes(path);
    ASSERT_EQ(written.size(), 296u);
    EXPECT_EQ(written, expected);
    // The literal bytes of the header and the first chunk: magic in reading order, tags reversed.
    EXPECT_EQ(ByteVec(written.begin(), written.begin() + 37),
              (ByteVec{'C', 'H',  'K', 'F', 2, 0, 0, 0, 'T', 'R', 'W', 'R', 'N', 'S', 'T', 'V', 100, 0, 0,
                       0,   0x28, 1,   0,   0, 1, 0, 0, 0,   'Y', 'T', 'I', 'C', 9,   0,   0,   0,   0}));
}

TEST(ScenarioChunksTest, ChunkOrderWithEveryList) {
    Scenario s;
    s.aiRacers.resize(2);
    s.events.resize(1);
    s.checkpoints = {{1, 2}, {5, 7}};
    s.packages.resize(1);
    s.eventTriggers[5] = {};
    s.eventTriggers[-3] = {};
    const auto chunks = ScenarioChunks(s);
    std::string order;
    for (const ScenarioChunk& c : chunks) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            order.push_back(static_cast<char>((c.tag >> shift) & 0xFF));
        }
        order.push_back(' ');
    }
    EXPECT_EQ(
        order,
        "CITY NAME TIME CHKB BNUS LOCX LOCY PACK AMMO LAPS IANM ITXT WANM WTXT LANM LTXT PRGN #AIS ANAI ANAI "
        "#EVS EVNT LABL #CHK CHCK CHCK EPSD #PKG APAK EVTG EVTG ");
    EXPECT_EQ(chunks[chunks.size() - 2].payload[0], 0xFD) << "trigger keys ascend as signed numbers";
    EXPECT_EQ(Chunk(chunks[25].tag, chunks[25].payload),
              (ByteVec{'K', 'C', 'H', 'C', 12, 0, 0, 0, 5, 0, 7, 0}))
        << "the second checkpoint";
}

TEST(ScenarioChunksTest, RacerRecord) {
    const ByteVec bytes = EncodeRacer({1, 2, 3, 0x00050004, 5, 6, 7, -8, 9, 10, -11, 0xA1B2C3D4});
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(ByteVec(bytes.begin() + 12, bytes.begin() + 16), (ByteVec{4, 0, 5, 0})) << "low half first";
    EXPECT_EQ(ByteVec(bytes.begin() + 28, bytes.begin() + 32), (ByteVec{0xF8, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ByteVec(bytes.begin() + 44, bytes.end()), (ByteVec{0xD4, 0xC3, 0xB2, 0xA1}));
}

TEST(ScenarioChunksTest, EventRecord) {
    const ScenarioEvent e{1, 2, 3, 4, {10, 11}, -5, "ab", "c", "def", "not here"};
    EXPECT_EQ(EncodeEvent(e),
              Concat({U32(1), U32(2), U32(3), U32(4), U32(2), U32(10), U32(11), U32(0xFFFFFFFB),
                      U32(2 + 1 + 2), Text("ab"), Text("c"), Text("def"), U32(0)}));
    const ByteVec empty = EncodeEvent(ScenarioEvent{});
    EXPECT_EQ(empty.size(), 35u);
    EXPECT_EQ(ByteVec(empty.begin() + 24, empty.begin() + 28), U32(2)) << "text offset of empty texts";
}

TEST(ScenarioChunksTest, LabelPackageAndTriggerRecords) {
    std::vector<ScenarioEvent> events(3);
    events[0].label = "one";
    events[2].label = "three";
    EXPECT_EQ(EncodeLabels(events), Text("one\x01\x01three\x01", false));
    EXPECT_TRUE(EncodeLabels({}).empty());

    EXPECT_EQ(
        EncodePackage({1, 2, 3, 4, 5, 6, 7, "a", "", "bc", "", "", "d"}),
        Concat({U32(1), U32(2), U32(3), {4, 0, 5, 0, 6, 0, 7, 0}, Text("a\1\1bc\1\1\1d\1", false), U32(0)}));
    EXPECT_EQ(EncodeTrigger(-1, {0x01020304, 0x0506, "xy", "z"}),
              Concat({U32(0xFFFFFFFF), U32(0x01020304), {6, 5}, Text("xy"), Text("z"), {0, 0}}));
}

}  // namespace
}  // namespace rw::scenario
