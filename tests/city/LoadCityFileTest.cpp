// The city file reader: header and form size, chunk framing, conversions, finishing steps, and staging.
#include "city/LoadCityFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "city/CityFileName.h"
#include "city/RunLength.h"
#include "city/WriteCityFile.h"
#include "res/ByteWriter.h"

namespace rw::city {
namespace {

using Bytes = std::vector<std::uint8_t>;

class LoadCityFileTest : public ::testing::Test {
  protected:
    static CityFileChunk Raw(std::string_view t, Bytes data) { return {{t[0], t[1], t[2], t[3]}, data}; }
    static CityFileChunk Coded(std::string_view t, const Bytes& b) { return Raw(t, EncodeRunLength(b)); }
    // A MISC chunk holding only its first word.
    static CityFileChunk Misc(std::uint32_t check = 290) {
        res::ByteWriter w;
        w.U32BE(check);
        return Coded("MISC", w.Data());
    }
    static CityFileChunk Name(std::string_view name, std::uint8_t lengthByte) {
        Bytes data{lengthByte};
        data.insert(data.end(), name.begin(), name.end());
        return Raw("CNAM", data);
    }
    std::unique_ptr<CityData> Snapshot() const {
        auto data = std::make_unique<CityData>();
        map.CopyTo(*data);
        return data;
    }
    bool Load(const std::vector<CityFileChunk>& chunks, std::string_view base = "x") {
        return LoadCityBytes(map, AssembleCityFile(chunks), base).Ok();
    }
    // A full city written by the writer, to see what a later load keeps or replaces.
    void LoadBaseCity() {
        auto base = std::make_unique<CityData>();
        base->buildings.fill(13);
        base->zones.fill(2);
        base->altitude.fill(0x0105);
        base->graphs[0] = 500;
        base->labels = {3, 'a'};
        base->name = "Base";
        ASSERT_TRUE(LoadCityBytes(map, EncodeCityFile(*base), "unused"));
    }
    CityMap map;
};

// Header bytes, cuts and forms longer than the file are the corruption sweep's; here the first chunk,
// required, MISC's check word, and a form shorter than its first chunk or of 2 GB and more, which still reads
// that chunk but not the failing second.
TEST_F(LoadCityFileTest, FirstChunkMiscCheckWordAndShortForms) {
    EXPECT_TRUE(Load({Misc()}));
    const auto before = map.Generation();
    EXPECT_FALSE(Load({}));
    EXPECT_FALSE(Load({Misc(291)}));
    EXPECT_FALSE(Load({Misc(290 << 8)}));  // little-endian 290 is not 290
    EXPECT_EQ(map.Generation(), before);
    Bytes small = AssembleCityFile(std::vector{Coded("XBLD", {81, 82}), Misc(999)});
    small[4] = small[5] = small[6] = 0;
    small[7] = 4;
    EXPECT_TRUE(LoadCityBytes(map, small, "x"));
    EXPECT_EQ(map.Building(0, 1), 82);
    small[4] = 0x80;
    EXPECT_TRUE(LoadCityBytes(map, small, "x"));
}

TEST_F(LoadCityFileTest, ChunkFraming) {
    // One literal: 5 bytes, and no pad byte follows.
    EXPECT_TRUE(Load({Coded("XBLD", {81, 82, 83, 84}), Coded("XZON", {6})}));
    EXPECT_EQ(map.Building(0, 3), 84);
    EXPECT_EQ(map.Zone(0, 0), 6);
    // Unknown tags (case counts) are skipped; a later chunk of the same tag overwrites only what it decodes.
    EXPECT_TRUE(Load({Raw("ABCD", {1, 2, 3}), Coded("XBLD", {90}), Raw("xbld", {9})}));
    EXPECT_EQ(map.Building(0, 0), 90);
    EXPECT_TRUE(Load({Coded("XBLD", {81, 85}), Coded("XBLD", {90})}));
    EXPECT_EQ(map.Building(0, 0), 90);
    EXPECT_EQ(map.Building(0, 1), 85);
    EXPECT_TRUE(Load({Raw("ALTM", {0x12, 0x34, 0x56})}));  // odd: only the high byte of its last word
    EXPECT_EQ(map.Altitude(0, 0), 0x1234);
    EXPECT_EQ(map.Altitude(0, 1), 0x5600);
    // Zero-length chunks of any tag fail.
    EXPECT_FALSE(Load({Coded("XBLD", {91}), Raw("ABCD", {})}));
    EXPECT_FALSE(Load({Raw("XZON", {})}));
    EXPECT_FALSE(Load({Raw("CNAM", {})}));
    EXPECT_EQ(map.Building(0, 0), 90);
}

TEST_F(LoadCityFileTest, BigEndianWordsBecomeHostOrder) {
    res::ByteWriter misc;
    for (std::uint32_t w = 0; w < 400; ++w) {
        misc.U32BE(w == 0 ? 290 : 0x01020300 + w);
    }
    // A micro record is two bytes and three words; bit 15 of an altitude is not part of the tunnel field.
    ASSERT_TRUE(Load({Coded("MISC", misc.Data()), Coded("XGRP", {0x00, 0xAB, 0xCD, 0xEF}),
                      Coded("XMIC", {0xA1, 0xB2, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}),
                      Raw("ALTM", {0xFC, 0x1F, 0x04, 0x02})}));
    EXPECT_EQ(map.Altitude(0, 0), 0xFC1F);
    EXPECT_EQ(map.Tunnel(0, 0), 31);
    EXPECT_EQ(map.Altitude(0, 1), 0x0402);
    EXPECT_EQ(map.Tunnel(0, 1), 1);
    EXPECT_EQ(map.Misc().statistics[0], 0x01020301u);
    EXPECT_EQ(map.Misc().popRatio[0], 0x01020300u + 31);
    EXPECT_EQ(map.GraphMax(0), 0x00ABCDEFu);
    const auto data = Snapshot();
    EXPECT_EQ(data->micro[0], (MicroRecord{0xA1, 0xB2, {0x1234, 0x5678, 0x9ABC}}));
    EXPECT_EQ(data->misc[399], 0x01020300u + 399);
    EXPECT_EQ(data->misc[400], 0u);
}

// A load decodes into blocks that held the city before last; what a short or absent chunk keeps must
// still be the current city, over several loads in turn.
TEST_F(LoadCityFileTest, EachLoadKeepsTheCityBeforeIt) {
    LoadBaseCity();  // buildings 13, zones 2
    ASSERT_TRUE(Load({Coded("XBLD", Bytes(300, 40)), Misc()}));
    ASSERT_TRUE(Load({Coded("XBLD", {41}), Coded("XZON", Bytes(200, 5)), Misc()}));
    ASSERT_TRUE(Load({Coded("XZON", {6}), Misc()}));
    EXPECT_EQ(map.Building(0, 0), 41);
    EXPECT_EQ(map.Building(0, 1), 40);  // from the load before last
    EXPECT_EQ(map.Building(3, 0), 13);  // from the base city
    EXPECT_EQ(map.Zone(0, 0), 6);
    EXPECT_EQ(map.Zone(0, 1), 5);
    EXPECT_EQ(map.Zone(127, 127), 2);
    EXPECT_EQ(map.Altitude(127, 127), 0x0105);
    EXPECT_EQ(map.GraphMax(0), 500u);
    EXPECT_EQ(map.Name(), "x");
}

TEST_F(LoadCityFileTest, LabelsAreCutTo23OrClearedWithoutXlab) {
    Bytes labels(6400, 'z');
    labels[0] = 30;
    labels[25] = 2;
    labels[50] = 23;
    ASSERT_TRUE(Load({Coded("XLAB", labels)}));
    const auto block = map.Block(CityBlock::auxPtr6);
    const std::vector<std::pair<std::size_t, int>> want{{0, 23}, {23, 'z'}, {24, 0},  {25, 2},
                                                        {28, 0}, {29, 'z'}, {50, 23}, {74, 0}};
    for (const auto& [at, value] : want) {
        EXPECT_EQ(block[at], value) << at;
    }
    ASSERT_TRUE(Load({Misc()}));
    EXPECT_TRUE(std::ranges::all_of(map.Block(CityBlock::auxPtr6), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(LoadCityFileTest, NameRules) {
    const struct {
        std::vector<CityFileChunk> chunks;
        std::string base, want;
    } cases[] = {{{Misc(), Name("Port Kell", 9)}, "base", "Port Kell"},
                 {{Misc()}, "base", "base"},
                 {{Name("Ignored", 0)}, "fallback", "fallback"},
                 {{Name("Short", 4)}, "x", "Shor"},
                 {{Name("Ab", 200)}, "x", "Ab"},  // length byte beyond the chunk
                 {{Name(std::string("Tw\0o", 4), 4)}, "x", "Tw"},
                 {{Name(std::string(40, 'n'), 40)}, "x", std::string(32, 'n')},
                 {{Misc()}, std::string(33, 'f'), std::string(32, 'f')},
                 {{Name("First", 5), Name("Sec", 3)}, "x", "Sec"},
                 {{Name(std::string(239, 'a'), 239)}, "x", std::string(32, 'a')}};
    for (const auto& c : cases) {
        ASSERT_TRUE(Load(c.chunks, c.base)) << c.want;
        EXPECT_EQ(map.Name(), c.want);
    }
    EXPECT_EQ(CityBaseName("C:\\Games\\Vortane\\cities\\Harbor.urb"), "Harbor");
    EXPECT_EQ(CityBaseName("/tmp/cities/new.town.urb"), "new.town");
    // What a scenario may name: a file in the cities folder and nothing else.
    for (const std::string_view name : {"Harbor.urb", "a..b.urb", "..urb", "x"}) {
        EXPECT_TRUE(IsBareCityFileName(name)) << name;
    }
    for (const std::string_view name : std::initializer_list<std::string_view>{
             "", "..", "a\\b.urb", "\\\\server\\x.urb", std::string_view("x\0y", 3)}) {
        EXPECT_FALSE(IsBareCityFileName(name)) << name;
    }
}

TEST_F(LoadCityFileTest, OverflowingChunksFailWithoutWritingOutsideTheBlocks) {
    LoadBaseCity();
    const auto before = Snapshot();
    EXPECT_FALSE(Load({Coded("XBLD", Bytes(16385, 81))}));
    EXPECT_FALSE(Load({Name(std::string(240, 'a'), 240)}));
    EXPECT_FALSE(Load({Raw("ALTM", Bytes(32770, 0))}));
    EXPECT_TRUE(*Snapshot() == *before);
    EXPECT_TRUE(Load({Raw("ALTM", Bytes(32768, 0))}));
    EXPECT_EQ(map.Altitude(127, 127), 0);
}

}  // namespace
}  // namespace rw::city
