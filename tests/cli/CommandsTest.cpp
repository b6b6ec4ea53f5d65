// Every subcommand's answers, run as a process: `scenario build` / `dump` round trips, `make-city`, `race`,
// `city info`, `city tile`, `route`, `course`, `render` and `make-demo`.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <optional>

#include "CliTest.h"
#include "res/MapPalette.h"

namespace rw::cli::test {
namespace {

// A document with every part of the format, already in the reader's normal form (start location equal to
// the first checkpoint, no negative word7 or value4, no text3 starting with 0xCD).
constexpr const char* kFullDocument = R"({
  "cityFile": "Caf\u00e9.urb", "introMovie": "i.smk", "introText": "Intro \u20ac & more",
  "winMovie": "mix_racerwinx.smk", "winText": "w\u0001x", "loseMovie": "mix_racerlose.smk", "loseText": "\u0081\u009d",
  "name": "Fish && Chips", "timeLimit": 300, "bonus": -2147483648, "pack": 4, "ammo": 15, "startX": 12,
  "startY": 40, "laps": 3, "checkpointBonus": 9, "prgn": 2147483647, "episode": [0, 1, 50000, 1, 1, 2],
  "aiRacers": [[1, 1, 2, 4294967295, 0, 0, 0, 80, 75, 0, 2, 0], [1, 1, 2, 0, 0, 0, 0, 160, 150, 0, -3, 0]],
  "events": [{"value0": 1, "value1": 2, "value2": 3, "value3": 4294967295, "values": [7, 8], "value4": 5,
              "text1": "t1", "text2": "", "text3": "t3", "label": "first"},
             {"value0": 0, "value1": 0, "value2": 0, "value3": 0, "values": [], "value4": 0,
              "text1": "", "text2": "", "text3": "", "label": ""}],
  "checkpoints": [[12, 40], [127, 0], [12, 40]],
  "packages": [{"value0": 1, "value1": 2, "value2": 3, "short0": 65535, "short1": 0, "short2": 1, "short3": 2,
                "text1": "a", "text2": "", "text3": "\u00ff", "text4": "d", "text5": "e", "text6": "f"}],
  "eventTriggers": [{"key": -7, "value0": 1, "short0": 2, "text1": "x", "text2": "y"},
                    {"key": 3, "value0": 0, "short0": 0, "text1": "", "text2": ""}]
})";

TEST_F(CliTest, ScenarioBuildDumpBuildIsByteExact) {
    WriteFileBytes(At("@in.json"), kFullDocument);
    const auto built = RunTool({"scenario", "build", "@in.json", "@a.scn"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.out + built.err, "");
    const auto dumped = RunTool({"scenario", "dump", "@a.scn"});
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    // Keys in member order, laid out as a two-space indented document (the text is streamed, not dumped).
    EXPECT_EQ(dumped.out, Json::parse(kFullDocument).dump(2) + "\n");
    WriteFileBytes(At("@d.json"), dumped.out);
    ASSERT_EQ(RunTool({"scenario", "build", "@d.json", "@b.scn"}).status, 0);
    EXPECT_EQ(ReadFileBytes(At("@a.scn")), ReadFileBytes(At("@b.scn")));
}

TEST_F(CliTest, MakeCityIsDeterministicPerSeedNamedAndDensityOrdered) {
    for (const Args& args :
         std::vector<Args>{{"make-city", "-o", "@a.urb", "--seed", "5"},
                           {"make-city", "--seed", "5", "--output", "@b.urb"},
                           {"make-city", "-o", "@sparse.urb", "--name", "Neu K\u00f6ln", "--roads", "Sparse"},
                           {"make-city", "-o", "@dense.urb", "--roads", "dense"}}) {
        ASSERT_EQ(RunTool(args).status, 0) << testing::PrintToString(args);
    }
    EXPECT_EQ(ReadFileBytes(At("@a.urb")), ReadFileBytes(At("@b.urb")));
    const Json sparse = RunJson({"city", "info", "@sparse.urb"}),
               dense = RunJson({"city", "info", "@dense.urb"});
    EXPECT_EQ(sparse["name"], "Neu K\u00f6ln");
    EXPECT_EQ(dense["name"], "Generated City");
    EXPECT_GT(dense["tunnelTiles"].get<int>(), 0);
    EXPECT_LT(sparse["roadTiles"].get<int>(), dense["roadTiles"].get<int>());
}

// A 256 x 256 palette PNG as render writes it, decoded with every chunk's CRC checked: its colour table and
// its scanlines, top row first, each behind its filter byte (0 for none, as render writes them).
struct PalettePicture {
    std::vector<res::Rgb> colours;
    std::vector<std::uint8_t> rows = std::vector<std::uint8_t>(256 * 257);
    int Index(int x, int y) const { return rows[static_cast<std::size_t>(y * 257 + 1 + x)]; }
};

std::optional<PalettePicture> DecodePng(const std::string& file) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    const auto u32 = [&](std::size_t at) {
        return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
               std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
    };
    PalettePicture picture;
    std::string packed;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = u32(at);
        if (at + 12 + length > file.size() || crc32(0L, bytes + at + 4, length + 4) != u32(at + 8 + length)) {
            return std::nullopt;
        }
        const std::string type = file.substr(at + 4, 4);
        for (std::size_t i = 0; type == "PLTE" && i + 3 <= length; i += 3) {
            picture.colours.push_back({bytes[at + 8 + i], bytes[at + 9 + i], bytes[at + 10 + i]});
        }
        packed += type == "IDAT" ? file.substr(at + 8, length) : "";
        at += 12 + length;
    }
    uLongf size = static_cast<uLongf>(picture.rows.size());
    const bool unpacked =
        uncompress(picture.rows.data(), &size, reinterpret_cast<const Bytef*>(packed.data()),
                   static_cast<uLong>(packed.size())) == Z_OK;
    for (std::size_t row = 0; row < 256; ++row) {
        if (!unpacked || size != picture.rows.size() || picture.rows[row * 257] != 0) {
            return std::nullopt;
        }
    }
    return picture;
}

// Each answer holds at least the members given. The races' options come back in the dump as the editor's
// store step makes them: the title's '&' doubled, the race movies, the racers of the difficulty; the defaults
// are one lap, no time, no bonus and no racers, and only the exact placeholder title is refused.
TEST_F(CliTest, RaceCityInfoCityTileRouteAndCourseAnswers) {
    const std::string open = Race("open.scn", {"10,10", "30,10", "30,30"}),
                      closed = Race("closed.scn", {"10,10", "30,10", "30,30", "60,60"},
                                    {"--title", "Fish & Chips", "--laps", "3", "--time", "99999", "--bonus",
                                     "99", "--racers", "3", "--difficulty", "medium"}),
                      single = Race("single.scn", {"12,10"}, {"--title", "untitled"});
    const std::vector<std::pair<Args, const char*>> answers{
        {{"scenario", "dump", closed},
         R"({"cityFile": "L city.urb", "name": "Fish && Chips", "timeLimit": 99999,
            "winMovie": "mix_racerwinx.smk", "startX": 10, "startY": 10, "laps": 3, "checkpointBonus": 99,
            "checkpoints": [[10, 10], [30, 10], [30, 30], [60, 60]],
            "aiRacers": [[1, 1, 2, 0, 0, 0, 0, 80, 75, 0, 2, 0], [1, 1, 2, 0, 0, 0, 0, 180, 165, 0, 3, 0],
                         [1, 1, 2, 0, 0, 0, 0, 80, 75, 0, 2, 0]]})"},
        {{"scenario", "dump", single},
         R"({"name": "untitled", "laps": 1, "timeLimit": 0, "checkpointBonus": 0, "aiRacers": []})"},
        {{"city", "info", city}, R"({"name": "Test City", "roadTiles": 46, "tunnelTiles": 1,
            "graphMax": [500, 500, 500, 500, 1, 777, 1, 1, 100, 100, 150, 90, 15, 1, 1, 15]})"},
        {{"city", "tile", city, "12", "10"}, R"({"x": 12, "y": 10, "building": 81, "zone": 0, "altitude": 3,
            "bits": 0, "tunnel": 0, "road": true, "drivable": true, "transport": true, "colour": 63,
            "description": "12,10 - Road Here"})"},
        {{"city", "tile", city, "12", "50"}, R"({"building": 73, "road": false, "drivable": true,
            "transport": true, "colour": 63, "description": "12,50 - No Road Here"})"},
        {{"city", "tile", city, "50", "12"}, R"({"x": 50, "y": 12, "colour": 28})"},  // not swapped
        {{"city", "tile", city, "14", "50"}, R"({"road": true, "drivable": false, "transport": false})"},
        {{"city", "tile", city, "18", "50"}, R"({"bits": 4, "colour": 36})"},
        {{"city", "tile", city, "20", "50"}, R"({"altitude": 3075, "tunnel": 3, "colour": 60})"},
        {{"city", "tile", city, "22", "50"}, R"({"zone": 18, "colour": 87})"},
        {{"city", "tile", city, "010", "010"}, R"({"x": 10, "y": 10})"},  // decimal, not octal
        {{"route", city, "10", "10", "12", "10"},
         R"({"found": true, "path": [[10, 10, 1], [11, 10, 2], [12, 10, 3]]})"},
        {{"route", city, "5", "5", "5", "5"}, R"({"found": true, "path": [[5, 5, 1]]})"},
        {{"route", city, "10", "10", "60", "60"}, R"({"found": false, "path": []})"},
        // The city comes from the game folder unless --city names it.
        {{"course", open}, R"({"labels": ["START", "Checkpoint 1", "FINISH"], "routeTiles": 41,
            "legs": [{"from": 0, "to": 1, "found": true, "length": 21}, {"from": 1, "to": 2, "found": true, "length": 21}]})"},
        {{"course", closed, "--city", city},
         R"({"labels": ["START/ FINISH", "Checkpoint 1", "Checkpoint 2", "Checkpoint 3"], "routeTiles": 41,
            "legs": [{"from": 0, "to": 1, "found": true, "length": 21}, {"from": 1, "to": 2, "found": true, "length": 21},
                     {"from": 2, "to": 3, "found": false, "length": 0}, {"from": 3, "to": 0, "found": false, "length": 0}]})"},
        {{"course", single}, R"({"labels": ["START"], "legs": [], "routeTiles": 0})"},
    };
    for (const auto& [args, expected] : answers) {
        ExpectMembers(RunJson(args), Json::parse(expected), testing::PrintToString(args));
    }
}

TEST_F(CliTest, RenderDrawsTheEditorsMapAsAnEightBitPalettePng) {
    const std::string png = At("@map.png"), race = Race("l.scn", {"10,10", "30,10", "30,30"});
    const auto render = [&](const Args& args) {
        EXPECT_EQ(RunTool(args).status, 0) << testing::PrintToString(args);
        return DecodePng(ReadFileBytes(png)).value_or(PalettePicture{});
    };
    auto image = render({"render", city, "-o", png});
    // The signature, then the header: 256 x 256, bit depth 8, colour type 3 (palette).
    EXPECT_EQ(ReadFileBytes(png).substr(0, 26),
              std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\1\0\0\0\1\0\x08\x03", 26));
    const auto palette = res::MapPalette();
    EXPECT_EQ(image.colours, std::vector<res::Rgb>(palette.begin(), palette.end()));
    // A city alone: no route, no marks; each tile is two by two pixels of the index the redraw gives it.
    const int tiles[][3] = {{10, 10, 63}, {50, 12, 28},    {20, 50, 60},
                            {0, 0, 214},  {127, 127, 214}, {12, 50, 63}};
    for (const auto& [x, y, index] : tiles) {
        for (int d = 0; d < 4; ++d) {
            EXPECT_EQ(image.Index(2 * x + d % 2, 2 * y + d / 2), index) << x << "," << y;
        }
    }

    // A scenario: the route, a road off it, the square of checkpoint 0 at tile (10, 10) over pixels 18..21,
    // checkpoint 1 at (30, 10) the selected one, checkpoint 2 at (30, 30).
    image = render({"render", race, "-o", png, "--selected", "1"});
    const int red = res::kMarkRedIndex, orange = res::kMarkOrangeIndex;
    const int pixels[][3] = {{40, 20, 253}, {60, 40, 253},    {122, 120, 63},   {18, 18, red},
                             {21, 21, red}, {58, 18, orange}, {61, 21, orange}, {60, 60, red}};
    for (const auto& [x, y, index] : pixels) {
        EXPECT_EQ(image.Index(x, y), index) << x << "," << y;
    }
    // A selection out of range selects none.
    EXPECT_EQ(render({"render", race, "-o", png, "--selected", "3"}).Index(58, 18), red);
}

// Every demo race names a demo city and has a road on every leg.
TEST_F(CliTest, MakeDemoLaysOutAGameFolderWithPlayableRaces) {
    const fs::path game = dir / "demo";
    ASSERT_EQ(RunTool({"make-demo", game.string()}).status, 0);
    int races = 0;
    for (const auto& entry : fs::directory_iterator(game / "scenarios" / "movie")) {
        ++races;
        const Json course = RunJson({"course", entry.path().string()});
        EXPECT_GE(course["labels"].size(), 2u) << entry.path();
        for (const auto& leg : course["legs"]) {
            EXPECT_TRUE(leg["found"].get<bool>()) << entry.path() << " " << leg.dump();
        }
    }
    EXPECT_GE(races, 1);
}

}  // namespace
}  // namespace rw::cli::test
