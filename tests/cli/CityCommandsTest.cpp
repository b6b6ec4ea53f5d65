// `city info`, `city tile` and `make-city` run as a process.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "TestCities.h"
#include "ToolRun.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"

namespace rw::cli::test {
namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

class CityCommands : public testing::Test {
  protected:
    void SetUp() override { WriteLCity(city); }

    Json Tile(int x, int y) {
        auto r = RunTool({"city", "tile", city, std::to_string(x), std::to_string(y)});
        EXPECT_EQ(r.status, 0) << r.err;
        return Json::parse(r.out);
    }

    TempFolder dir;
    std::string city = dir / "l.urb";
};

TEST_F(CityCommands, InfoCountsRoadsAndTunnels) {
    auto r = RunTool({"city", "info", city});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out), Json::parse(R"({"name": "Test City",
        "graphMax": [500, 500, 500, 500, 1, 777, 1, 1, 100, 100, 150, 90, 15, 1, 1, 15],
        "roadTiles": 46, "tunnelTiles": 1})"));
    EXPECT_EQ(r.out.back(), '\n');
}

TEST_F(CityCommands, TileReportsLayersTestsColourAndStatusText) {
    EXPECT_EQ(Tile(12, 10), Json::parse(R"({"x": 12, "y": 10, "building": 81, "zone": 0, "altitude": 3,
        "bits": 0, "tunnel": 0, "road": true, "drivable": true, "transport": true, "colour": 63,
        "description": "12,10 - Road Here"})"));
    // x and y are not swapped: (12, 50) and (50, 12) hold different things.
    const Json white = Tile(12, 50);
    EXPECT_EQ(white["building"], 73);
    EXPECT_EQ(white["road"], false);
    EXPECT_EQ(white["drivable"], true);
    EXPECT_EQ(white["transport"], true);
    EXPECT_EQ(white["colour"], 63);
    EXPECT_EQ(white["description"], "12,50 - No Road Here");
    EXPECT_EQ(Tile(50, 12)["colour"], 28);

    const Json road92 = Tile(14, 50);
    EXPECT_EQ(road92["road"], true);
    EXPECT_EQ(road92["drivable"], false);
    EXPECT_EQ(road92["transport"], false);
    EXPECT_EQ(road92["colour"], 211 + kGroundHeight);
    EXPECT_EQ(Tile(16, 50)["description"], "16,50 - Police Station");

    const Json water = Tile(18, 50);
    EXPECT_EQ(water["bits"], 4);
    EXPECT_EQ(water["colour"], 36);

    const Json tunnel = Tile(20, 50);
    EXPECT_EQ(tunnel["altitude"], (3 << 10) | kGroundHeight);
    EXPECT_EQ(tunnel["tunnel"], 3);
    EXPECT_EQ(tunnel["colour"], 60);
    EXPECT_EQ(tunnel["description"], "20,50 - Road Here");

    EXPECT_EQ(Tile(22, 50)["zone"], 0x12);
    EXPECT_EQ(Tile(22, 50)["colour"], 87);
    EXPECT_EQ(Tile(127, 127)["description"], "127,127 - No Road Here");
    EXPECT_EQ(Tile(0, 0)["colour"], 211 + kGroundHeight);
}

TEST_F(CityCommands, Refusals) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"city", "tile", city, "128", "0"},
                                                                  {"city", "tile", city, "0", "-1"},
                                                                  {"city", "tile", city, "x", "0"},
                                                                  {"city", "tile", city, "0x1", "0"},
                                                                  {"city", "tile", city, "1.5", "0"},
                                                                  {"city", "tile", city, "1"},
                                                                  {"city", "info"},
                                                                  {"city", "map", city}}) {
        auto r = RunTool(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(r.err.rfind("routewright-cli: city", 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    }
    // Leading zeros are decimal, not octal.
    EXPECT_EQ(Tile(10, 10)["x"], 10);
    auto zeros = RunTool({"city", "tile", city, "010", "010"});
    EXPECT_EQ(Json::parse(zeros.out)["x"], 10);

    auto missing = RunTool({"city", "info", dir / "none.urb"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "routewright-cli: " + (dir / "none.urb") + ": cannot load it as a city file\n");
    // Output that cannot be written is a failure, not a success with nothing printed.
    auto full = RunTool({"city", "info", city}, "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "routewright-cli: standard output: write failed\n");

    WriteFileBytes(dir / "bad.urb", "FORM\0\0\0\4MTDH");
    EXPECT_EQ(RunTool({"city", "tile", dir / "bad.urb", "1", "1"}).status, 1);
    EXPECT_EQ(RunTool({"city", "info", dir.Path().string()}).status, 1);
}

TEST(MakeCity, IsDeterministicPerSeedAndLoadable) {
    TempFolder dir;
    ASSERT_EQ(RunTool({"make-city", "-o", dir / "a.urb", "--seed", "5"}).status, 0);
    ASSERT_EQ(RunTool({"make-city", "--seed", "5", "--output", dir / "b.urb"}).status, 0);
    ASSERT_EQ(RunTool({"make-city", "-o", dir / "c.urb", "--seed", "6"}).status, 0);
    const std::string a = ReadFileBytes(dir / "a.urb");
    EXPECT_EQ(a, ReadFileBytes(dir / "b.urb"));
    EXPECT_NE(a, ReadFileBytes(dir / "c.urb"));
    EXPECT_EQ(a.substr(0, 4), "FORM");
    EXPECT_EQ(a.substr(8, 4), "MTDH");

    auto loaded = std::make_unique<city::CityMap>();
    ASSERT_TRUE(city::LoadCityFile(*loaded, dir / "a.urb"));

    auto info = RunTool({"city", "info", dir / "a.urb"});
    ASSERT_EQ(info.status, 0);
    const Json doc = Json::parse(info.out);
    EXPECT_GT(doc["roadTiles"].get<int>(), 100);
    EXPECT_GT(doc["tunnelTiles"].get<int>(), 0);
}

TEST(MakeCity, NameAndRoadDensity) {
    TempFolder dir;
    ASSERT_EQ(
        RunTool({"make-city", "-o", dir / "k.urb", "--name", "Neu K\u00f6ln", "--roads", "Sparse"}).status,
        0);
    auto loaded = std::make_unique<city::CityMap>();
    ASSERT_TRUE(city::LoadCityFile(*loaded, dir / "k.urb"));
    EXPECT_EQ(loaded->Name(), "Neu K\xF6ln");  // stored in the game's code page
    const Json sparse = Json::parse(RunTool({"city", "info", dir / "k.urb"}).out);
    EXPECT_EQ(sparse["name"], "Neu K\u00f6ln");

    ASSERT_EQ(RunTool({"make-city", "-o", dir / "n.urb"}).status, 0);
    const Json normal = Json::parse(RunTool({"city", "info", dir / "n.urb"}).out);
    ASSERT_EQ(RunTool({"make-city", "-o", dir / "d.urb", "--roads", "dense"}).status, 0);
    const Json dense = Json::parse(RunTool({"city", "info", dir / "d.urb"}).out);
    EXPECT_LT(sparse["roadTiles"].get<int>(), normal["roadTiles"].get<int>());
    EXPECT_LT(normal["roadTiles"].get<int>(), dense["roadTiles"].get<int>());
    EXPECT_EQ(normal["name"], "Generated City");
}

TEST(MakeCity, Refusals) {
    TempFolder dir;
    const std::string out = dir / "x.urb";
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"make-city"},
                                               {"make-city", "-o", out, "--seed", "-1"},
                                               {"make-city", "-o", out, "--seed", "12x"},
                                               {"make-city", "-o", out, "--seed", "18446744073709551616"},
                                               {"make-city", "-o", out, "--name", std::string(33, 'n')},
                                               {"make-city", "-o", out, "--name", "\u4e2d"},
                                               {"make-city", "-o", out, "--roads", "none"}}) {
        auto r = RunTool(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(r.err.rfind("routewright-cli: ", 0), 0u);
        EXPECT_FALSE(fs::exists(out));
    }
    EXPECT_EQ(RunTool({"make-city", "-o", out, "--name", std::string(32, 'n')}).status, 0);
    auto unwritable = RunTool({"make-city", "-o", dir / "no/folder/x.urb"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err,
              "routewright-cli: " + (dir / "no/folder/x.urb") + ": cannot write the city file\n");
}

}  // namespace
}  // namespace rw::cli::test
