// The city file reader: header and form size, chunk framing, conversions, finishing steps, and staging.
#include "city/LoadCityFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "city/CityChunk.h"
#include "city/RunLength.h"
#include "city/WriteCityFile.h"
#include "res/ByteWriter.h"

namespace rw::city {
namespace {

using Bytes = std::vector<std::uint8_t>;

CityFileChunk Raw(std::string_view tag, Bytes data) {
    return {{tag[0], tag[1], tag[2], tag[3]}, std::move(data)};
}

CityFileChunk Coded(std::string_view tag, const Bytes& decoded) {
    return Raw(tag, EncodeRunLength(decoded));
}

// A MISC chunk whose first word is check and whose data covers only that word.
CityFileChunk Misc(std::uint32_t check = 290) {
    res::ByteWriter w;
    w.U32BE(check);
    return Coded("MISC", w.Data());
}

CityFileChunk Name(std::string_view name, std::uint8_t lengthByte) {
    Bytes data{lengthByte};
    data.insert(data.end(), name.begin(), name.end());
    return Raw("CNAM", data);
}

Bytes File(std::vector<CityFileChunk> chunks) {
    return AssembleCityFile(chunks);
}

std::unique_ptr<CityData> Snapshot(const CityMap& map) {
    auto data = std::make_unique<CityData>();
    map.CopyTo(*data);
    return data;
}

class LoadCityFileTest : public ::testing::Test {
  protected:
    // A map holding a full city written by the writer, to see what a later load keeps or replaces.
    void LoadBaseCity() {
        auto base = std::make_unique<CityData>();
        for (std::size_t i = 0; i < kTileCount; ++i) {
            base->buildings[i] = 13;
            base->zones[i] = 2;
            base->altitude[i] = 0x0105;
        }
        base->graphs[0] = 500;
        base->labels[0] = 3;
        base->labels[1] = 'a';
        base->name = "Base";
        ASSERT_TRUE(LoadCityBytes(map, EncodeCityFile(*base), "unused"));
    }

    CityMap map;
};

TEST_F(LoadCityFileTest, HeaderChecks) {
    const auto before = map.Generation();
    Bytes good = File({Misc()});
    EXPECT_TRUE(LoadCityBytes(map, good, "x"));

    Bytes badForm = good;
    badForm[0] = 'f';
    Bytes badType = good;
    badType[11] = 'X';
    EXPECT_FALSE(LoadCityBytes(map, badForm, "x"));
    EXPECT_FALSE(LoadCityBytes(map, badType, "x"));
    EXPECT_FALSE(LoadCityBytes(map, Bytes(good.begin(), good.begin() + 11), "x"));
    EXPECT_FALSE(LoadCityBytes(map, {}, "x"));
    // A header without any chunk: the first chunk is always read.
    EXPECT_FALSE(LoadCityBytes(map, Bytes(good.begin(), good.begin() + 12), "x"));
    EXPECT_NE(map.Generation(), before);  // only the good load committed
}

TEST_F(LoadCityFileTest, MissingOrUnreadableFileFails) {
    EXPECT_FALSE(LoadCityFile(map, "/nonexistent/folder/none.urb"));
    // A folder opens but cannot be read: a false result, never an exception.
    LoadBaseCity();
    const auto before = map.Generation();
    EXPECT_FALSE(LoadCityFile(map, std::filesystem::temp_directory_path().string()));
    EXPECT_EQ(map.Generation(), before);
}

TEST_F(LoadCityFileTest, FormSizeSmallerThanTheFirstChunkStillReadsIt) {
    Bytes file = File({Coded("XBLD", {81, 82}), Misc(999)});  // the second chunk would fail
    file[7] = 4;
    file[4] = file[5] = file[6] = 0;
    EXPECT_TRUE(LoadCityBytes(map, file, "x"));
    EXPECT_EQ(map.Building(0, 1), 82);
}

TEST_F(LoadCityFileTest, FormSizeOfTwoGigabytesOrMoreEndsAfterTheFirstChunk) {
    Bytes file = File({Coded("XBLD", {81}), Misc(999)});
    file[4] = 0x80;
    EXPECT_TRUE(LoadCityBytes(map, file, "x"));
    EXPECT_EQ(map.Building(0, 0), 81);
}

TEST_F(LoadCityFileTest, FormSizeLargerThanTheDataFails) {
    Bytes file = File({Misc(), Coded("XBLD", {81})});
    file[7] = static_cast<std::uint8_t>(file[7] + 1);
    const auto before = map.Generation();
    EXPECT_FALSE(LoadCityBytes(map, file, "x"));
    EXPECT_EQ(map.Building(0, 0), 0);
    EXPECT_EQ(map.Generation(), before);
}

TEST_F(LoadCityFileTest, OddLengthChunkIsFollowedDirectlyByTheNextTag) {
    const auto xbld = Coded("XBLD", {81, 82, 83, 84});  // one literal: 5 bytes
    ASSERT_EQ(xbld.data.size() % 2, 1u);
    EXPECT_TRUE(LoadCityBytes(map, File({xbld, Coded("XZON", {6})}), "x"));
    EXPECT_EQ(map.Building(0, 3), 84);
    EXPECT_EQ(map.Zone(0, 0), 6);
}

TEST_F(LoadCityFileTest, UnknownChunksAreSkippedAndZeroLengthChunksFail) {
    EXPECT_TRUE(
        LoadCityBytes(map, File({Raw("ABCD", {1, 2, 3}), Coded("XBLD", {90}), Raw("xbld", {9})}), "x"));
    EXPECT_EQ(map.Building(0, 0), 90);
    EXPECT_FALSE(LoadCityBytes(map, File({Coded("XBLD", {91}), Raw("ABCD", {})}), "x"));
    EXPECT_FALSE(LoadCityBytes(map, File({Raw("XZON", {})}), "x"));
    EXPECT_FALSE(LoadCityBytes(map, File({Raw("CNAM", {})}), "x"));
    EXPECT_EQ(map.Building(0, 0), 90);
}

TEST_F(LoadCityFileTest, TruncatedChunkFails) {
    Bytes file = File({Misc(), Raw("ABCD", {1, 2, 3, 4})});
    file.pop_back();
    file[7] = static_cast<std::uint8_t>(file[7] - 1);
    EXPECT_FALSE(LoadCityBytes(map, file, "x"));
    file.resize(file.size() - 6);  // inside the unknown chunk's length field
    EXPECT_FALSE(LoadCityBytes(map, file, "x"));
}

TEST_F(LoadCityFileTest, MiscCheckValue) {
    EXPECT_FALSE(LoadCityBytes(map, File({Misc(291)}), "x"));
    EXPECT_FALSE(LoadCityBytes(map, File({Misc(290 << 8)}), "x"));  // little-endian 290 is not 290
    EXPECT_TRUE(LoadCityBytes(map, File({Misc(290)}), "x"));
}

TEST_F(LoadCityFileTest, BigEndianWordsBecomeHostOrder) {
    res::ByteWriter misc;
    for (std::uint32_t w = 0; w < 400; ++w) {
        misc.U32BE(w == 0 ? 290 : 0x01020300 + w);
    }
    res::ByteWriter graphs;
    graphs.U32BE(0x00ABCDEF);
    res::ByteWriter micro;
    micro.U8(0xA1);
    micro.U8(0xB2);
    micro.U16BE(0x1234);
    micro.U16BE(0x5678);
    micro.U16BE(0x9ABC);
    res::ByteWriter altitude;
    altitude.U16BE(0x7C1F);
    altitude.U16BE(0x0402);
    ASSERT_TRUE(LoadCityBytes(map,
                              File({Coded("MISC", misc.Data()), Coded("XGRP", graphs.Data()),
                                    Coded("XMIC", micro.Data()), Raw("ALTM", altitude.Data())}),
                              "x"));
    EXPECT_EQ(map.Altitude(0, 0), 0x7C1F);
    EXPECT_EQ(map.Tunnel(0, 0), 31);
    EXPECT_EQ(map.Altitude(0, 1), 0x0402);
    EXPECT_EQ(map.Tunnel(0, 1), 1);
    EXPECT_EQ(map.Misc().statistics[0], 0x01020301u);
    EXPECT_EQ(map.Misc().popRatio[0], 0x01020300u + 31);
    EXPECT_EQ(map.GraphMax(0), 0x00ABCDEFu);

    auto data = Snapshot(map);
    EXPECT_EQ(data->micro[0].byte0, 0xA1);
    EXPECT_EQ(data->micro[0].byte1, 0xB2);
    EXPECT_EQ(data->micro[0].words, (std::array<std::uint16_t, 3>{0x1234, 0x5678, 0x9ABC}));
    EXPECT_EQ(data->misc[399], 0x01020300u + 399);
    EXPECT_EQ(data->misc[400], 0u);
}

TEST_F(LoadCityFileTest, OddLengthAltitudeChunkFillsTheHighByteOfItsLastWord) {
    LoadBaseCity();  // every altitude word 0x0105
    ASSERT_TRUE(LoadCityBytes(map, File({Raw("ALTM", {0x12, 0x34, 0x56})}), "x"));
    EXPECT_EQ(map.Altitude(0, 0), 0x1234);
    EXPECT_EQ(map.Altitude(0, 1), 0x5605);
    EXPECT_EQ(map.Altitude(0, 2), 0x0105);
}

TEST_F(LoadCityFileTest, ShortDecodesKeepThePreviousCity) {
    LoadBaseCity();
    res::ByteWriter misc;
    misc.U32BE(290);
    ASSERT_TRUE(LoadCityBytes(map, File({Coded("XBLD", {81, 82}), Coded("MISC", misc.Data())}), "x"));
    EXPECT_EQ(map.Building(0, 0), 81);
    EXPECT_EQ(map.Building(0, 2), 13);
    EXPECT_EQ(map.Building(127, 127), 13);
    EXPECT_EQ(map.Zone(5, 5), 2);
    EXPECT_EQ(map.Altitude(5, 5), 0x0105);
}

TEST_F(LoadCityFileTest, LaterChunkWithTheSameTagOverwrites) {
    ASSERT_TRUE(LoadCityBytes(map, File({Coded("XBLD", {81, 82}), Coded("XBLD", {90})}), "x"));
    EXPECT_EQ(map.Building(0, 0), 90);
    EXPECT_EQ(map.Building(0, 1), 82);
}

TEST_F(LoadCityFileTest, GraphMaxIsTheMaximumOfDefaultsAndValues) {
    res::ByteWriter graphs;
    for (std::uint32_t g = 0; g < 16; ++g) {
        for (std::uint32_t i = 0; i < 52; ++i) {
            graphs.U32BE(g == 0 ? (i == 30 ? 0x80000000u : 7) : (g == 5 ? 60 + i : (g == 12 ? 3 : 0)));
        }
    }
    ASSERT_TRUE(LoadCityBytes(map, File({Coded("XGRP", graphs.Data())}), "x"));
    EXPECT_EQ(map.GraphMax(0), 0x80000000u);  // unsigned comparison
    EXPECT_EQ(map.GraphMax(1), 0x80000000u);
    EXPECT_EQ(map.GraphMax(2), 0x80000000u);
    EXPECT_EQ(map.GraphMax(3), 0x80000000u);
    EXPECT_EQ(map.GraphMax(4), 1u);
    EXPECT_EQ(map.GraphMax(5), 111u);
    const std::array<std::uint32_t, 16> defaults{1, 1, 1, 1, 1, 1, 1, 1, 100, 100, 150, 90, 15, 1, 1, 15};
    for (int g = 6; g < 16; ++g) {
        EXPECT_EQ(map.GraphMax(g), defaults[static_cast<std::size_t>(g)]) << g;
    }
}

TEST_F(LoadCityFileTest, LabelsAreCutTo23OrClearedWithoutXlab) {
    Bytes labels(6400, 'z');
    labels[0] = 30;
    labels[25] = 2;
    labels[50] = 23;
    ASSERT_TRUE(LoadCityBytes(map, File({Coded("XLAB", labels)}), "x"));
    const auto block = map.Block(CityBlock::auxPtr6);
    EXPECT_EQ(block[0], 23);
    EXPECT_EQ(block[23], 'z');
    EXPECT_EQ(block[24], 0);
    EXPECT_EQ(block[25], 2);
    EXPECT_EQ(block[28], 0);
    EXPECT_EQ(block[29], 'z');
    EXPECT_EQ(block[50], 23);
    EXPECT_EQ(block[74], 0);

    ASSERT_TRUE(LoadCityBytes(map, File({Misc()}), "x"));
    for (std::uint8_t b : map.Block(CityBlock::auxPtr6)) {
        ASSERT_EQ(b, 0);
    }
}

TEST_F(LoadCityFileTest, NameRules) {
    ASSERT_TRUE(LoadCityBytes(map, File({Misc(), Name("Port Kell", 9)}), "base"));
    EXPECT_EQ(map.Name(), "Port Kell");
    ASSERT_TRUE(LoadCityBytes(map, File({Misc()}), "base"));
    EXPECT_EQ(map.Name(), "base");
    ASSERT_TRUE(LoadCityBytes(map, File({Name("Ignored", 0)}), "fallback"));
    EXPECT_EQ(map.Name(), "fallback");
    ASSERT_TRUE(LoadCityBytes(map, File({Name("Short", 4)}), "x"));
    EXPECT_EQ(map.Name(), "Shor");
    ASSERT_TRUE(LoadCityBytes(map, File({Name("Ab", 200)}), "x"));  // length byte beyond the chunk
    EXPECT_EQ(map.Name(), "Ab");
    ASSERT_TRUE(LoadCityBytes(map, File({Name(std::string("Tw\0o", 4), 4)}), "x"));
    EXPECT_EQ(map.Name(), "Tw");
    ASSERT_TRUE(LoadCityBytes(map, File({Name(std::string(40, 'n'), 40)}), "x"));
    EXPECT_EQ(map.Name(), std::string(32, 'n'));
    ASSERT_TRUE(LoadCityBytes(map, File({Misc()}), std::string(33, 'f')));
    EXPECT_EQ(map.Name(), std::string(32, 'f'));
    ASSERT_TRUE(LoadCityBytes(map, File({Name("First", 5), Name("Sec", 3)}), "x"));
    EXPECT_EQ(map.Name(), "Sec");
}

TEST_F(LoadCityFileTest, NameChunkLongerThan240Fails) {
    EXPECT_TRUE(LoadCityBytes(map, File({Name(std::string(239, 'a'), 239)}), "x"));
    EXPECT_FALSE(LoadCityBytes(map, File({Name(std::string(240, 'a'), 240)}), "x"));
}

TEST_F(LoadCityFileTest, BaseNameFromThePath) {
    EXPECT_EQ(CityBaseName("C:\\Games\\Vortane\\cities\\Harbor.urb"), "Harbor");
    EXPECT_EQ(CityBaseName("/tmp/cities/new.town.urb"), "new.town");
    EXPECT_EQ(CityBaseName("plain"), "plain");
    const auto path = std::filesystem::temp_directory_path() / "rw_city_basename_test.urb";
    {
        std::ofstream out(path, std::ios::binary);
        const Bytes file = File({Misc()});
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    EXPECT_TRUE(LoadCityFile(map, path.string()));
    EXPECT_EQ(map.Name(), "rw_city_basename_test");
    std::filesystem::remove(path);
}

TEST_F(LoadCityFileTest, OverflowingChunksFailWithoutWritingOutsideTheBlocks) {
    LoadBaseCity();
    const auto before = Snapshot(map);
    Bytes tooLong(16385, 81);
    EXPECT_FALSE(LoadCityBytes(map, File({Coded("XBLD", tooLong)}), "x"));
    // A run whose count passes the end of the 1024-byte block.
    Bytes runs;
    for (int i = 0; i < 7; ++i) {
        runs.push_back(255);
        runs.push_back(1);
    }
    runs.push_back(255);
    runs.push_back(1);
    runs.push_back(129);
    runs.push_back(2);
    EXPECT_FALSE(LoadCityBytes(map, File({Raw("XPLC", runs)}), "x"));
    EXPECT_FALSE(LoadCityBytes(map, File({Raw("ALTM", Bytes(32770, 0))}), "x"));
    EXPECT_TRUE(LoadCityBytes(map, File({Raw("ALTM", Bytes(32768, 0))}), "x"));
    EXPECT_EQ(map.Altitude(127, 127), 0);
    map.Replace(*before, {});
    EXPECT_TRUE(*Snapshot(map) == *before);
}

TEST_F(LoadCityFileTest, FailedLoadLeavesThePreviousCityUnchanged) {
    LoadBaseCity();
    const auto before = Snapshot(map);
    const auto generation = map.Generation();
    const auto graphMax = map.GraphMax(0);
    // Good chunks first, then a failing one: nothing of the good ones may show.
    EXPECT_FALSE(LoadCityBytes(map,
                               File({Coded("XBLD", Bytes(100, 81)), Raw("ALTM", {0, 0}), Name("Other", 5),
                                     Coded("XLAB", {1}), Misc(1)}),
                               "x"));
    EXPECT_TRUE(*Snapshot(map) == *before);
    EXPECT_EQ(map.Generation(), generation);
    EXPECT_EQ(map.GraphMax(0), graphMax);
    EXPECT_EQ(map.Name(), "Base");
    EXPECT_EQ(map.Block(CityBlock::auxPtr6)[0], 3);
}

}  // namespace
}  // namespace rw::city
