// `route`, `course` and `make-demo` run as a process.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "TestCities.h"
#include "ToolRun.h"
#include "scenario/ReadScenario.h"

namespace rw::cli::test {
namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

class RouteCommands : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(game / "cities");
        fs::create_directories(game / "scenarios" / "movie");
        WriteLCity((game / "cities" / "L.urb").string());
    }

    // A race in the game folder's scenarios/movie, built by the tool itself.
    std::string Race(const std::string& file, const std::vector<std::string>& checkpoints, int laps) {
        const std::string path = (game / "scenarios" / "movie" / file).string();
        std::vector<std::string> args{"race",    city, "-o",     path,
                                      "--title", "T",  "--laps", std::to_string(laps)};
        for (const auto& c : checkpoints) {
            args.push_back("--checkpoint");
            args.push_back(c);
        }
        auto r = RunTool(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return path;
    }

    TempFolder dir;
    fs::path game = dir.Path() / "game";
    std::string city = (game / "cities" / "L.urb").string();
};

TEST_F(RouteCommands, RouteFollowsTheRoadFromStartToGoal) {
    auto r = RunTool({"route", city, "10", "10", "12", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out),
              Json::parse(R"({"found": true, "path": [[10, 10, 1], [11, 10, 2], [12, 10, 3]]})"));

    const Json corner = Json::parse(RunTool({"route", city, "28", "10", "30", "12"}).out);
    EXPECT_EQ(corner["path"],
              Json::parse("[[28, 10, 1], [29, 10, 2], [30, 10, 3], [30, 11, 4], [30, 12, 5]]"));

    EXPECT_EQ(Json::parse(RunTool({"route", city, "5", "5", "5", "5"}).out)["path"],
              Json::parse("[[5, 5, 1]]"));
    auto none = RunTool({"route", city, "10", "10", "60", "60"});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(Json::parse(none.out), Json::parse(R"({"found": false, "path": []})"));
}

TEST_F(RouteCommands, RouteRefusals) {
    EXPECT_EQ(RunTool({"route", city, "10", "10", "12"}).status, 2);
    EXPECT_EQ(RunTool({"route", city, "10", "10", "12", "128"}).status, 2);
    EXPECT_EQ(RunTool({"route", city, "-3", "10", "12", "10"}).status, 2);
    auto missing = RunTool({"route", dir / "none.urb", "1", "1", "2", "2"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
}

TEST_F(RouteCommands, CourseOnOpenAndClosedCourses) {
    const std::string open = Race("open.scn", {"10,10", "30,10", "30,30"}, 1);
    auto r = RunTool({"course", open});  // the city comes from the game folder
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out), Json::parse(R"({"labels": ["START", "Checkpoint 1", "FINISH"],
        "legs": [{"from": 0, "to": 1, "found": true, "length": 21}, {"from": 1, "to": 2, "found": true, "length": 21}],
        "routeTiles": 41})"));

    const std::string closed = Race("closed.scn", {"10,10", "30,10", "30,30", "60,60"}, 3);
    const Json c = Json::parse(RunTool({"course", closed, "--city", city}).out);
    EXPECT_EQ(c["labels"],
              Json::parse(R"(["START/ FINISH", "Checkpoint 1", "Checkpoint 2", "Checkpoint 3"])"));
    EXPECT_EQ(c["legs"], Json::parse(R"([{"from": 0, "to": 1, "found": true, "length": 21},
        {"from": 1, "to": 2, "found": true, "length": 21}, {"from": 2, "to": 3, "found": false, "length": 0},
        {"from": 3, "to": 0, "found": false, "length": 0}])"));
    EXPECT_EQ(c["routeTiles"], 41);

    const std::string single = Race("single.scn", {"12,10"}, 1);
    EXPECT_EQ(Json::parse(RunTool({"course", single}).out),
              Json::parse(R"({"labels": ["START"], "legs": [], "routeTiles": 0})"));
}

TEST_F(RouteCommands, CourseFileFailures) {
    const std::string race = Race("r.scn", {"10,10", "30,10"}, 1);
    auto noScenario = RunTool({"course", dir / "none.scn"});
    EXPECT_EQ(noScenario.status, 1);
    EXPECT_EQ(noScenario.err,
              "routewright-cli: " + (dir / "none.scn") + ": cannot read it as a scenario file\n");

    auto badCity = RunTool({"course", race, "--city", dir / "none.urb"});
    EXPECT_EQ(badCity.status, 1);
    EXPECT_EQ(badCity.err, "routewright-cli: " + (dir / "none.urb") + ": cannot load it as a city file\n");

    // Outside a game folder the named city is not there.
    fs::copy_file(race, dir / "loose.scn");
    auto loose = RunTool({"course", dir / "loose.scn"});
    EXPECT_EQ(loose.status, 1);
    EXPECT_NE(loose.err.find("cannot load it as a city file"), std::string::npos) << loose.err;

    WriteFileBytes(dir / "nocity.json", R"({"checkpoints": [[1, 1]]})");
    ASSERT_EQ(RunTool({"scenario", "build", dir / "nocity.json", dir / "nocity.scn"}).status, 0);
    auto noName = RunTool({"course", dir / "nocity.scn"});
    EXPECT_EQ(noName.status, 1);
    EXPECT_EQ(noName.err,
              "routewright-cli: " + (dir / "nocity.scn") + ": names no city file (give one with --city)\n");

    WriteFileBytes(dir / "escape.json", R"({"cityFile": "../../cities/L.urb"})");
    ASSERT_EQ(
        RunTool({"scenario", "build", dir / "escape.json", (game / "scenarios/movie/escape.scn").string()})
            .status,
        0);
    EXPECT_EQ(RunTool({"course", (game / "scenarios/movie/escape.scn").string()}).status, 1);
}

TEST(MakeDemo, LaysOutAGameFolderWithPlayableRaces) {
    TempFolder dir;
    const fs::path game = dir.Path() / "demo";
    auto r = RunTool({"make-demo", game.string()});
    ASSERT_EQ(r.status, 0) << r.err;

    int cities = 0;
    for (const auto& entry : fs::directory_iterator(game / "cities")) {
        cities += entry.path().extension() == ".urb" ? 1 : 0;
        EXPECT_EQ(RunTool({"city", "info", entry.path().string()}).status, 0);
    }
    EXPECT_GE(cities, 2);

    int races = 0;
    for (const auto& entry : fs::directory_iterator(game / "scenarios" / "movie")) {
        ++races;
        scenario::Scenario s;
        ASSERT_TRUE(scenario::ReadScenario(s, entry.path().string()));
        EXPECT_TRUE(fs::exists(game / "cities" / s.cityFile)) << s.cityFile;
        EXPECT_EQ(s.winMovie, "mix_racerwinx.smk");
        EXPECT_GE(s.checkpoints.size(), 2u);
        // Every leg of every demo race has a road.
        const Json course = Json::parse(RunTool({"course", entry.path().string()}).out);
        for (const auto& leg : course["legs"]) {
            EXPECT_TRUE(leg["found"].get<bool>()) << entry.path() << " " << leg.dump();
        }
    }
    EXPECT_GE(races, 1);

    // Running again over the same folder replaces the files with the same bytes.
    const std::string before = ReadFileBytes(game / "cities" / "Riverside.urb");
    ASSERT_EQ(RunTool({"make-demo", game.string()}).status, 0);
    EXPECT_EQ(ReadFileBytes(game / "cities" / "Riverside.urb"), before);

    WriteFileBytes(dir / "plain", "x");
    auto onFile = RunTool({"make-demo", dir / "plain"});
    EXPECT_EQ(onFile.status, 1);
    EXPECT_EQ(onFile.err.rfind("routewright-cli: " + (dir / "plain") + ": cannot create the game folder", 0),
              0u);
}

}  // namespace
}  // namespace rw::cli::test
