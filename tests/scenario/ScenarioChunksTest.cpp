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
    const ByteVec written = ReadFileBytes(path);
    ASSERT_EQ(written.size(), 296u);
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

}  // namespace
}  // namespace rw::scenario
