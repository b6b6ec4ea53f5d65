// The editor driven through a scripted view and host: start-up, commands, questions, refusals, failures,
// fields, spins, the map's clicks and the Checkpoints list.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <random>

#include "city/CityMap.h"
#include "city/TileCodes.h"
#include "editor/CourseEditor.h"
#include "editor/GamePaths.h"
#include "editor/ScratchGameFolder.h"
#include "editor/ScriptedHost.h"
#include "editor/ScriptedView.h"
#include "res/BlankMap.h"
#include "res/MapPalette.h"
#include "route/CheckpointList.h"
#include "scenario/ReadScenario.h"
#include "support/FaultInjectingFileSystem.h"

namespace rw::editor {
namespace {

using scenario::Scenario;
using scenario::TilePos;
using test::kRoadColumn;
using test::kRoadRow;
using Tiles = std::vector<TilePos>;
using Texts = std::vector<std::string>;

Scenario ThreeLapRace(const std::string& cityFile) {
    Scenario race;
    race.cityFile = cityFile;
    race.name = "Dock && Loop";
    race.laps = 3;
    race.timeLimit = 240;
    race.checkpointBonus = 7;
    race.checkpoints = {TilePos{20, 40}, TilePos{60, 40}, TilePos{60, 90}};
    race.aiRacers.resize(2, scenario::AiRacer{});
    race.aiRacers[0].word10 = 3;  // Hard
    return race;
}

// How the save question is answered: No, Cancel, or Yes followed by a save that is cancelled, refused (the
// title is the default one) or done.
enum class Reply { No, Cancel, YesCancelled, YesRefused, YesSaved };

class CourseEditorTest : public ::testing::Test {
  protected:
    test::ScratchGameFolder folder;
    test::ScriptedView view;
    test::ScriptedHost host;
    CourseEditor editor{view, host, folder.Path()};

    void SetUp() override { ASSERT_TRUE(folder.WriteCity("town.urb")); }
    void TearDown() override { EXPECT_EQ(host.unexpected, Texts{}); }

    void Type(ControlId id, const std::string& text) { view.texts[id] = text; }
    void ClickTile(int x, int y) { editor.OnLButtonDown(2 * x + 1, 2 * y + 1); }
    void RightClickTile(int x, int y) { editor.OnRButtonDown(2 * x, 2 * y); }
    void SelectRow(int row) {
        view.ListSelect(row);
        editor.OnSelchangeCheckpoints();
    }
    // Back to a fresh race, answering No if the race asks to be saved.
    void Restart() {
        host.Clear();
        if (!view.Text(ControlId::CityFile).empty()) {
            host.saveAnswers.push_back(SaveAnswer::No);
        }
        editor.OnNewScenario();
        host.Clear();
    }
    void LoadTown() {
        host.cityPicks.push_back("town.urb");
        editor.OnLoadCityFile();
        ASSERT_TRUE(host.messages.empty());
        host.Clear();
    }
    void Load(const std::string& name) {
        host.scenarioPicks.push_back(name);
        editor.OnLoadScenario();
    }
    void Answer(Reply reply, const std::string& path) {
        host.saveAnswers.push_back(reply == Reply::No       ? SaveAnswer::No
                                   : reply == Reply::Cancel ? SaveAnswer::Cancel
                                                            : SaveAnswer::Yes);
        if (reply == Reply::YesRefused) {
            Type(ControlId::RaceTitle, "Untitled");
        } else if (reply == Reply::YesCancelled || reply == Reply::YesSaved) {
            host.savePaths.push_back(reply == Reply::YesSaved ? std::optional(path) : std::nullopt);
        }
    }
    // A loaded city, a titled race with two checkpoints: modified.
    void PlaceRace() {
        LoadTown();
        ClickTile(20, kRoadRow);
        ClickTile(kRoadColumn, 80);
        Type(ControlId::RaceTitle, "Harbour Run");
        ASSERT_EQ(editor.GetScenario().checkpoints.size(), 2u);
        ASSERT_TRUE(editor.IsModified());
    }
    const test::ScriptedHost::Message& OnlyMessage() {
        EXPECT_EQ(host.messages.size(), 1u);
        return host.messages.at(0);
    }
    bool ShowsBlankPicture() const {
        city::MapPixels blank{};
        city::ShowBlankMapPicture(blank);
        return editor.MapPixels() == blank;
    }
    bool AnyRoadTile() const {
        for (int i = 0; i < 128 * 128; ++i) {
            if (city::IsRoadTile(editor.City().Building(i % 128, i / 128))) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(CourseEditorTest, StartsWithAFreshRace) {
    EXPECT_EQ(view.Fields(), (Texts{"Untitled", "0", "0", "1", "0", ""}));
    EXPECT_TRUE(view.list.empty());
    EXPECT_EQ(editor.SelectedCheckpoint(), -1);
    EXPECT_EQ(view.difficulty, 0);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_TRUE(ShowsBlankPicture());
    editor.OnSysCommand(CourseEditor::kAboutCommand | 0x3);
    editor.OnSysCommand(0xF060);
    EXPECT_EQ(host.aboutCount, 1);
}

TEST_F(CourseEditorTest, SaveRefusals) {
    const std::string noTitle =
        "Before Saving, you need to give this race a name. Enter a name in the \"Race Title\" field.";
    const struct {
        const char* title;
        bool checkpoints;
        std::string text, caption;
    } cases[] = {
        {"Untitled", true, noTitle, "Race Untitled"},
        {"", true, noTitle, "Race Untitled"},
        {"Empty", false, "Before Saving, you need to give this race some checkpoints.", "No Checkpoints"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Restart();
        c.checkpoints ? PlaceRace() : LoadTown();
        Type(ControlId::RaceTitle, c.title);
        editor.OnSaveScenario();
        EXPECT_EQ(OnlyMessage().text, c.text);
        EXPECT_EQ(OnlyMessage().caption, c.caption);
        EXPECT_EQ(OnlyMessage().icon, MessageIcon::None);
        EXPECT_TRUE(host.saveStartFolders.empty());
        EXPECT_EQ(editor.IsModified(), c.checkpoints);
    }
}

// A title differing from the default only in case is accepted; Save As opens in the scenario folder and its
// Cancel keeps the race unsaved. The stored race is on disk; the title field keeps one ampersand.
TEST_F(CourseEditorTest, SaveWritesTheStoredRace) {
    PlaceRace();
    Type(ControlId::RaceTitle, "untitled");
    host.savePaths.push_back(std::nullopt);
    editor.OnSaveScenario();
    EXPECT_TRUE(host.messages.empty() && editor.IsModified());
    EXPECT_EQ(host.saveStartFolders, Texts{ScenarioFolder(folder.Path())});
    Type(ControlId::RaceTitle, "Rock & Roll");
    Type(ControlId::TimeLimit, "300");
    host.savePaths.push_back(folder.Scenario("rock.scn"));
    editor.OnSaveScenario();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(editor.IsModified());
    Scenario stored;
    ASSERT_TRUE(scenario::ReadScenario(stored, folder.Scenario("rock.scn")));
    EXPECT_EQ((Texts{stored.name, stored.introText, stored.winMovie, stored.loseMovie, stored.cityFile}),
              (Texts{"Rock && Roll", "User created race course: Rock && Roll", "mix_racerwinx.smk",
                     "mix_racerlose.smk", "town.urb"}));
    EXPECT_TRUE(stored.timeLimit == 300 && stored.laps == 1 && stored.ammo == 15);
    EXPECT_EQ(stored.checkpoints, (Tiles{{20, 40}, {60, 80}}));
    EXPECT_EQ(view.Text(ControlId::RaceTitle), "Rock & Roll");
    editor.OnSaveToLastFile();  // the file just saved, without asking
    EXPECT_EQ(host.saveStartFolders.size(), 2u);
}

// A failed write (a full disk in the middle of the chunks, a missing folder) is shown naming the file and the
// reason, and keeps the race unsaved and the old file as it was.
TEST_F(CourseEditorTest, SaveFailureIsShownAndKeepsTheOldFile) {
    PlaceRace();
    const std::string path = folder.Scenario("race.scn");
    host.savePaths.push_back(path);
    editor.OnSaveScenario();
    ASSERT_FALSE(editor.IsModified());
    const auto before = support::ReadFileBytes(path);
    ClickTile(kRoadColumn, 90);
    support::FaultInjectingFileSystem failing;
    failing.FailAt(support::FileOp::Write, 5);
    {
        const res::ScopedFileSystem scope(failing);
        host.savePaths.push_back(path);
        editor.OnSaveScenario();
    }
    EXPECT_EQ(failing.Injected(), 1);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_NE(OnlyMessage().text.find("Could not save the scenario"), std::string::npos);
    EXPECT_EQ(OnlyMessage().icon, MessageIcon::Exclamation);
    EXPECT_EQ(support::ReadFileBytes(path), before);
    EXPECT_EQ(support::FileNames(ScenarioFolder(folder.Path())), std::vector<std::string>{"race.scn"});

    host.messages.clear();
    const std::string missing = folder.Path() + "no-such-folder" + PathSeparator() + "race.scn";
    host.savePaths.push_back(missing);
    editor.OnSaveScenario();
    EXPECT_TRUE(editor.IsModified());
    EXPECT_NE(OnlyMessage().text.find(missing), std::string::npos) << OnlyMessage().text;
    EXPECT_NE(OnlyMessage().text.find("no such folder"), std::string::npos);
    EXPECT_EQ(OnlyMessage().caption, "Vortane of Metrova Race Course Editor");
}

// Every command that would drop the race asks first when the race is modified (New: whenever a city is
// named). Cancel, or Yes with a save that is cancelled or refused, keeps the race and goes no further; No
// goes on; Yes with a save stores the race and goes on. Enter Vortane starts the game whatever the save did.
TEST_F(CourseEditorTest, CommandsAskBeforeDroppingTheRace) {
    using Command = void (CourseEditor::*)();
    const Command commands[] = {&CourseEditor::OnNewScenario,  &CourseEditor::OnLoadScenario,
                                &CourseEditor::OnLoadCityFile, &CourseEditor::OnExit,
                                &CourseEditor::OnClose,        &CourseEditor::OnEnterGame};
    // What the command did once past the question: a fresh race, a picker opened, the end, the game.
    const auto wentOn = [&] {
        return editor.GetScenario().checkpoints.empty() || !host.scenarioFolders.empty() ||
               !host.cityFolders.empty() || host.endCount > 0 || !host.launches.empty();
    };
    const std::string kept = folder.Scenario("kept.scn");
    for (const Command command : commands) {
        const bool game = command == &CourseEditor::OnEnterGame;
        for (const Reply reply :
             {Reply::No, Reply::Cancel, Reply::YesCancelled, Reply::YesRefused, Reply::YesSaved}) {
            SCOPED_TRACE(static_cast<int>(reply));
            std::filesystem::remove(kept);
            Restart();
            PlaceRace();
            Answer(reply, kept);
            host.scenarioPicks.push_back(std::nullopt);
            host.cityPicks.push_back(std::nullopt);
            (editor.*command)();
            EXPECT_EQ(host.saveQuestions, std::vector<bool>{true});
            EXPECT_EQ(host.messages.size(), reply == Reply::YesRefused ? 1u : 0u);
            EXPECT_EQ(std::filesystem::exists(kept), reply == Reply::YesSaved);
            const bool goesOn =
                reply == Reply::No || reply == Reply::YesSaved || (game && reply != Reply::Cancel);
            EXPECT_EQ(wentOn(), goesOn);
            const bool dropped = goesOn && command == &CourseEditor::OnNewScenario;
            EXPECT_EQ(editor.GetScenario().checkpoints.size(), dropped ? 0u : 2u);
        }
        // Unmodified: only New asks, and only because a city is named.
        Restart();
        LoadTown();
        host.saveAnswers.push_back(SaveAnswer::No);
        host.scenarioPicks.push_back(std::nullopt);
        host.cityPicks.push_back(std::nullopt);
        (editor.*command)();
        EXPECT_EQ(host.saveQuestions.size(), command == &CourseEditor::OnNewScenario ? 1u : 0u);
        EXPECT_TRUE(wentOn());
    }
    ASSERT_EQ(host.launches.size(), 1u);
    EXPECT_EQ(host.launches[0].first, folder.Path() + "vortane.exe");
    EXPECT_EQ(host.launches[0].second + PathSeparator(), folder.Path());
    host.launchResult = false;
    editor.OnEnterGame();
    EXPECT_EQ(OnlyMessage().caption, "Vortane Launch Failed");

    // New on a modified race without a city asks nothing.
    ASSERT_TRUE(folder.WriteScenario("cityless.scn", ThreeLapRace("")));
    Restart();
    Load("cityless.scn");
    host.Clear();
    editor.DeleteCheckpoint();
    ASSERT_TRUE(editor.IsModified());
    editor.OnNewScenario();
    EXPECT_TRUE(host.saveQuestions.empty());
    // What New starts afresh: the fields, the difficulty and the city.
    PlaceRace();
    view.SelectDifficulty(2);
    editor.OnSelchangeDifficulty();
    host.saveAnswers.push_back(SaveAnswer::No);
    editor.OnNewScenario();
    EXPECT_EQ(view.Fields(), (Texts{"Untitled", "0", "0", "1", "0", ""}));
    EXPECT_EQ(editor.Difficulty(), 0);
    EXPECT_EQ(view.difficulty, 0);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_FALSE(AnyRoadTile());
}

TEST_F(CourseEditorTest, LoadShowsARaceAndItsDifficultyThenLoadCityFileDropsIt) {
    ASSERT_TRUE(folder.WriteScenario("loop.scn", ThreeLapRace("town.urb")));
    Load("loop.scn");
    EXPECT_TRUE(host.saveQuestions.empty() && host.messages.empty());
    EXPECT_EQ(host.scenarioFolders, Texts{ScenarioFolder(folder.Path())});
    EXPECT_EQ(view.Labels(), (Texts{"START/ FINISH", "Checkpoint 1", "Checkpoint 2"}));
    EXPECT_EQ(view.Fields(), (Texts{"Dock & Loop", "240", "7", "3", "2", "town.urb"}));
    EXPECT_TRUE(AnyRoadTile());
    EXPECT_FALSE(ShowsBlankPicture());
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(editor.Difficulty(), 2);  // the first racer's level 3 is Hard
    EXPECT_EQ(view.difficulty, 2);

    host.cityPicks.push_back("town.urb");
    editor.OnLoadCityFile();
    EXPECT_TRUE(host.saveQuestions.empty());
    EXPECT_EQ(host.cityFolders, Texts{CityFolder(folder.Path())});
    EXPECT_EQ(view.Fields(), (Texts{"Untitled", "0", "0", "1", "0", "town.urb"}));
    EXPECT_EQ(editor.GetScenario().cityFile, "town.urb");
    EXPECT_TRUE(editor.GetScenario().checkpoints.empty() && view.list.empty());
    EXPECT_FALSE(ShowsBlankPicture());
}

// The first racer's level picks the difficulty: none outside 1..3 (the smallest level included), the last
// choice kept without racers.
TEST_F(CourseEditorTest, LoadedDifficulty) {
    const struct {
        std::int32_t level;
        bool racers;
        int shown;
    } cases[] = {{1, true, 0}, {INT_MIN, true, -1}, {4, true, -1}, {3, false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        Scenario race = ThreeLapRace("town.urb");
        race.aiRacers[0].word10 = c.level;
        if (!c.racers) {
            race.aiRacers.clear();
        }
        ASSERT_TRUE(folder.WriteScenario("level.scn", race));
        view.SelectDifficulty(1);
        editor.OnSelchangeDifficulty();
        host.saveAnswers.push_back(SaveAnswer::No);  // the difficulty counts as a change
        Load("level.scn");
        EXPECT_EQ(view.difficulty, c.shown);
    }
}

// A file that fails to load is shown naming it and the reason. A scenario leaves a fresh race; a city (named
// by a scenario, named with a folder, which is never opened, or picked) leaves the blank picture where
// nothing can be placed, and the City File field keeps its name.
TEST_F(CourseEditorTest, LoadFailures) {
    folder.WriteJunk("scenarios/movie/junk.scn");
    folder.WriteJunk("cities/broken.urb");
    ASSERT_TRUE(folder.WriteScenario("lost.scn", ThreeLapRace("nowhere.urb")));
    ASSERT_TRUE(folder.WriteScenario("escape.scn", ThreeLapRace("../scenarios/movie/lost.scn")));
    const struct {
        const char *scenario, *city, *reason;
        std::size_t checkpoints;
    } cases[] = {{"junk.scn", "", "not a scenario file", 0},
                 {"gone.scn", "", "no such file", 0},
                 {"lost.scn", "nowhere.urb", "no such file", 3},
                 {"escape.scn", "../scenarios/movie/lost.scn", "the name holds a folder", 3},
                 {"", "broken.urb", "not a city file", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        Restart();
        PlaceRace();  // a race and a city in memory, neither of which may stay usable
        host.saveAnswers.push_back(SaveAnswer::No);
        if (*c.scenario != '\0') {
            Load(c.scenario);
        } else {
            host.cityPicks.push_back(c.city);
            editor.OnLoadCityFile();
        }
        const std::string named = *c.city != '\0' ? c.city : c.scenario;
        EXPECT_NE(OnlyMessage().text.find(named), std::string::npos) << OnlyMessage().text;
        EXPECT_NE(OnlyMessage().text.find(c.reason), std::string::npos) << OnlyMessage().text;
        EXPECT_EQ(OnlyMessage().icon, MessageIcon::Exclamation);
        EXPECT_EQ(view.Text(ControlId::CityFile), c.city);
        EXPECT_EQ(editor.GetScenario().checkpoints.size(), c.checkpoints);
        EXPECT_EQ(view.Text(ControlId::RaceTitle), c.checkpoints > 0 ? "Dock & Loop" : "Untitled");
        EXPECT_FALSE(editor.IsModified());
        if (*c.city != '\0') {
            EXPECT_TRUE(ShowsBlankPicture());
            EXPECT_FALSE(AnyRoadTile());
            ClickTile(20, kRoadRow);
            EXPECT_EQ(editor.GetScenario().checkpoints.size(), c.checkpoints);
        }
    }
}

TEST_F(CourseEditorTest, SpinsStepWithinTheirRanges) {
    const struct {
        bool laps;
        const char* start;
        int delta;
        const char* expected;
    } cases[] = {{true, "1", -1, "2"},  {true, "1", 1, "1"},   {true, "100", -1, "100"},
                 {true, "-7", -1, "1"}, {false, "0", -1, "1"}, {false, "3", 1, "2"},
                 {false, "8", -1, "8"}, {false, "0", 1, "0"},  {false, "12", -1, "8"},
                 {false, "12", 1, "8"}};
    for (const auto& c : cases) {
        const ControlId field = c.laps ? ControlId::Laps : ControlId::Racers;
        Type(field, c.start);
        c.laps ? editor.OnDeltaposLapsSpin(c.delta) : editor.OnDeltaposRacersSpin(c.delta);
        EXPECT_EQ(view.Text(field), c.expected) << c.start << " " << c.delta;
        const int value =
            c.laps ? editor.GetScenario().laps : static_cast<int>(editor.GetScenario().aiRacers.size());
        EXPECT_EQ(std::to_string(value), c.expected);
    }
    EXPECT_TRUE(editor.IsModified());  // a spin step is a change a save would store
    Type(ControlId::TimeLimit, "300");
    editor.OnClickRacersSpin();
    EXPECT_EQ(editor.GetScenario().timeLimit, 300);
}

// The difficulty box changes nothing else until the next transfer.
TEST_F(CourseEditorTest, DifficultyTakesEffectAtTheNextTransfer) {
    Type(ControlId::Racers, "2");
    editor.OnClickRacersSpin();
    const auto before = editor.GetScenario().aiRacers;
    ASSERT_EQ(before.front().word10, 1);
    view.SelectDifficulty(2);
    editor.OnSelchangeDifficulty();
    EXPECT_EQ(editor.Difficulty(), 2);
    EXPECT_TRUE(editor.GetScenario().aiRacers == before);
    EXPECT_TRUE(editor.IsModified());
    editor.ReadFieldsIntoScenario();
    EXPECT_EQ(editor.GetScenario().aiRacers.front().word10, 3);
    editor.ShowScenarioInFields();
    EXPECT_EQ(view.difficulty, 2);
}

// Number fields read blank-padded decimals, anything else as 0. Texts go to windows-1252 (characters without
// a byte are dropped) with each ampersand doubled; the field shows them single, so storing again changes
// nothing.
TEST_F(CourseEditorTest, FieldsBecomeTheDocumentsValues) {
    const struct {
        const char* text;
        std::int32_t value;
    } numbers[] = {{"", 0}, {"7x", 0}, {" 45 ", 45}, {"-250", -250}, {"+3", 3}, {"99999999999", 0}};
    for (const auto& n : numbers) {
        Type(ControlId::TimeLimit, n.text);
        editor.ReadFieldsIntoScenario();
        EXPECT_EQ(editor.GetScenario().timeLimit, n.value) << n.text;
    }
    Type(ControlId::RaceTitle, "Caf\u00e9 \u20ac & \u4e2dRoll");
    editor.ReadFieldsIntoScenario();
    EXPECT_EQ(editor.GetScenario().name, "Caf\xe9 \x80 && Roll");
    EXPECT_EQ(editor.GetScenario().introText, "User created race course: Caf\xe9 \x80 && Roll");
    editor.ShowScenarioInFields();
    EXPECT_EQ(view.Text(ControlId::RaceTitle), "Caf\u00e9 \u20ac & Roll");
    editor.ReadFieldsIntoScenario();
    EXPECT_EQ(editor.GetScenario().name, "Caf\xe9 \x80 && Roll");
}

// The status line names the tile under the pointer once a city is named; off the map it is emptied.
TEST_F(CourseEditorTest, StatusLine) {
    editor.OnMouseMove(2 * 20, 2 * kRoadRow);
    EXPECT_EQ(view.Text(ControlId::Status), "");
    LoadTown();
    editor.OnMouseMove(2 * 20 + 1, 2 * kRoadRow + 1);
    EXPECT_EQ(view.Text(ControlId::Status), "20,40 - Road Here");
    editor.OnMouseMove(2 * 21, 2 * 41);
    EXPECT_EQ(view.Text(ControlId::Status), "21,41 - No Road Here");
    editor.OnMouseMove(256, 60);
    EXPECT_EQ(view.Text(ControlId::Status), "");
}

// Left clicks add on road tiles only, taking the fields first; Ctrl+click inserts after the selected one; a
// right click moves the selected one; Delete removes it; Alt+Up/Down reorder it. After each edit the
// selection follows the checkpoint it touched (after a delete: the one now at that place, or the new last).
TEST_F(CourseEditorTest, ClicksAndKeysEditTheCheckpoints) {
    LoadTown();
    Type(ControlId::RaceTitle, "Typed");
    ClickTile(20, kRoadRow + 1);
    editor.OnLButtonDown(512, 60);
    editor.OnLButtonDown(-3, 0);
    EXPECT_TRUE(editor.GetScenario().checkpoints.empty());
    EXPECT_EQ(editor.GetScenario().name, "Typed");
    for (const int x : {20, 21, 21, 30}) {
        ClickTile(x, kRoadRow);
    }
    EXPECT_EQ(editor.GetScenario().checkpoints, (Tiles{{20, 40}, {21, 40}, {21, 40}, {30, 40}}));
    EXPECT_EQ(view.Labels(), (Texts{"START", "Checkpoint 1", "Checkpoint 2", "FINISH"}));
    EXPECT_EQ(view.listSelection, 3);
    SelectRow(0);
    editor.OnLButtonDown(2 * kRoadColumn, 2 * 70, true);
    EXPECT_EQ(editor.GetScenario().checkpoints, (Tiles{{20, 40}, {60, 70}, {21, 40}, {21, 40}, {30, 40}}));
    EXPECT_EQ(editor.SelectedCheckpoint(), 1);

    host.savePaths.push_back(folder.Scenario("clicks.scn"));
    editor.OnSaveScenario();
    ASSERT_FALSE(editor.IsModified());
    SelectRow(2);
    RightClickTile(25, kRoadRow);
    RightClickTile(25, kRoadRow + 1);  // not a road: nothing moves
    EXPECT_EQ(editor.GetScenario().checkpoints, (Tiles{{20, 40}, {60, 70}, {25, 40}, {21, 40}, {30, 40}}));
    EXPECT_EQ(editor.SelectedCheckpoint(), 2);
    EXPECT_TRUE(editor.IsModified());

    editor.OnShiftCheckpoint(-1);
    EXPECT_EQ(editor.GetScenario().checkpoints, (Tiles{{20, 40}, {25, 40}, {60, 70}, {21, 40}, {30, 40}}));
    EXPECT_EQ(editor.SelectedCheckpoint(), 1);
    editor.OnShiftCheckpoint(-1);
    editor.OnShiftCheckpoint(-1);  // already first: nothing moves
    EXPECT_EQ(editor.GetScenario().checkpoints, (Tiles{{25, 40}, {20, 40}, {60, 70}, {21, 40}, {30, 40}}));
    EXPECT_EQ(editor.SelectedCheckpoint(), 0);

    SelectRow(2);
    editor.OnDeleteCheckpoint();
    EXPECT_EQ(editor.GetScenario().checkpoints, (Tiles{{25, 40}, {20, 40}, {21, 40}, {30, 40}}));
    EXPECT_EQ(editor.SelectedCheckpoint(), 2);
    SelectRow(3);
    editor.OnDeleteCheckpoint();
    EXPECT_EQ(editor.SelectedCheckpoint(), 2);  // the new last one
    EXPECT_EQ(view.Labels(), (Texts{"START", "Checkpoint 1", "FINISH"}));
    for (int i = 0; i < 4; ++i) {
        editor.OnDeleteCheckpoint();
    }
    EXPECT_TRUE(editor.GetScenario().checkpoints.empty());
    EXPECT_EQ(editor.SelectedCheckpoint(), -1);
}

// Every change a save would store can be undone and done again, one step each (a field edit once per visit,
// a drag once), with the selection on the checkpoint it touched; the race is unmodified exactly when it is
// the one last saved; a new edit drops what was undone; New, Load and Load City File start a fresh history.
TEST_F(CourseEditorTest, UndoAndRedo) {
    LoadTown();
    ClickTile(20, kRoadRow);
    ClickTile(30, kRoadRow);
    Type(ControlId::RaceTitle, "Night Run");
    editor.OnEditChange(ControlId::RaceTitle);
    EXPECT_TRUE(editor.IsModified());
    editor.OnEditKillFocus(ControlId::RaceTitle);
    host.savePaths.push_back(folder.Scenario("night.scn"));
    editor.OnSaveScenario();
    ASSERT_FALSE(editor.IsModified());
    const Tiles saved{{20, 40}, {30, 40}};

    SelectRow(0);
    editor.OnLButtonDown(2 * 25, 2 * kRoadRow, true);  // insert
    SelectRow(2);
    editor.OnRButtonDown(2 * kRoadColumn, 2 * 20);  // a drag over three tiles
    editor.OnMouseMove(2 * kRoadColumn, 2 * 21, true);
    editor.OnMouseMove(2 * kRoadColumn, 2 * 22, true);
    editor.OnRButtonUp();
    editor.OnShiftCheckpoint(-1);  // reorder
    SelectRow(0);
    editor.OnDeleteCheckpoint();        // delete
    Type(ControlId::TimeLimit, "300");  // a field edit
    editor.OnEditKillFocus(ControlId::TimeLimit);
    view.SelectDifficulty(2);
    editor.OnSelchangeDifficulty();
    const Tiles edited{{60, 22}, {25, 40}};
    ASSERT_EQ(editor.GetScenario().checkpoints, edited);

    const std::vector<Tiles> back{edited,
                                  edited,
                                  {{20, 40}, {60, 22}, {25, 40}},
                                  {{20, 40}, {25, 40}, {60, 22}},
                                  {{20, 40}, {25, 40}, {30, 40}},
                                  saved};
    const int selectedAfterUndo[] = {0, 0, 0, 1, 2, 1};
    for (std::size_t i = 0; i < back.size(); ++i) {
        editor.OnUndo();
        EXPECT_EQ(editor.GetScenario().checkpoints, back[i]) << i;
        EXPECT_EQ(editor.SelectedCheckpoint(), selectedAfterUndo[i]) << i;
    }
    EXPECT_EQ(view.Text(ControlId::TimeLimit), "0");
    EXPECT_EQ(view.difficulty, 0);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_FALSE(editor.CanUndo() == false);  // the title and the clicks before the save remain
    editor.OnRedo();
    editor.OnRedo();
    EXPECT_EQ(editor.GetScenario().checkpoints, (Tiles{{20, 40}, {25, 40}, {60, 22}}));
    EXPECT_TRUE(editor.IsModified());
    ClickTile(40, kRoadRow);  // a new edit drops the rest
    EXPECT_FALSE(editor.CanRedo());
    editor.OnUndo();
    editor.OnUndo();
    editor.OnUndo();
    EXPECT_EQ(editor.GetScenario().checkpoints, saved);
    EXPECT_FALSE(editor.IsModified());

    host.saveAnswers.push_back(SaveAnswer::No);
    host.cityPicks.push_back("town.urb");
    editor.OnLoadCityFile();
    EXPECT_FALSE(editor.CanUndo());
}

// Laps that open or close the course change the route at once: the closing leg appears and goes.
TEST_F(CourseEditorTest, LapsRedrawTheClosingLeg) {
    LoadTown();
    ClickTile(20, kRoadRow);
    ClickTile(kRoadColumn, 80);
    const auto onRoute = [&](int x, int y) {
        return editor.RouteTiles()[static_cast<std::size_t>(x * 128 + y)] != 0;
    };
    EXPECT_TRUE(onRoute(kRoadColumn, 60));
    EXPECT_EQ(editor.GetScenario().laps, 1);
    editor.OnDeltaposLapsSpin(-1);
    EXPECT_EQ(editor.GetScenario().laps, 2);
    EXPECT_EQ(view.Labels(), (Texts{"START/ FINISH", "Checkpoint 1"}));
    EXPECT_EQ(editor.SelectedCheckpoint(), 1);
    const std::uint8_t closed = editor.MapPixels()[city::PixelIndex(2 * 40, 2 * kRoadRow)];
    editor.OnDeltaposLapsSpin(1);
    EXPECT_EQ(view.Labels(), (Texts{"START", "FINISH"}));
    EXPECT_EQ(editor.SelectedCheckpoint(), 1);
    EXPECT_EQ(closed, editor.MapPixels()[city::PixelIndex(2 * 40, 2 * kRoadRow)]);  // the same legs both ways
    editor.OnUndo();
    EXPECT_EQ(editor.GetScenario().laps, 2);
    EXPECT_EQ(view.Text(ControlId::Laps), "2");
}

// A leg without a road path is drawn as a line in its own colour and named in words until it is mended.
TEST_F(CourseEditorTest, BrokenLegShownUntilMended) {
    Scenario race = ThreeLapRace("town.urb");
    race.laps = 1;
    race.checkpoints = {{20, 40}, {5, 5}};  // (5, 5) has no road
    ASSERT_TRUE(folder.WriteScenario("broken.scn", race));
    Load("broken.scn");
    EXPECT_EQ(view.Text(ControlId::RouteProblem), "FINISH cannot be reached from START");
    const auto lineShown = [&] {
        return std::count(editor.MapPixels().begin(), editor.MapPixels().end(), res::kBrokenLegIndex) > 30;
    };
    EXPECT_TRUE(lineShown());
    EXPECT_EQ(editor.MapPixels()[city::PixelIndex(11, 11)], res::kBrokenLegIndex);
    SelectRow(1);
    RightClickTile(30, kRoadRow);
    EXPECT_EQ(view.Text(ControlId::RouteProblem), "");
    EXPECT_FALSE(lineShown());
}

// Ctrl+S saves to the file last loaded or saved without asking; after Load City File it is Save As.
TEST_F(CourseEditorTest, SaveToTheLastFile) {
    ASSERT_TRUE(folder.WriteScenario("loop.scn", ThreeLapRace("town.urb")));
    Load("loop.scn");
    ClickTile(40, kRoadRow);
    editor.OnSaveToLastFile();
    EXPECT_TRUE(host.saveStartFolders.empty());
    EXPECT_FALSE(editor.IsModified());
    Scenario stored;
    ASSERT_TRUE(scenario::ReadScenario(stored, folder.Scenario("loop.scn")));
    EXPECT_EQ(stored.checkpoints.size(), 4u);
    PlaceRace();  // on a city loaded afresh
    host.savePaths.push_back(std::nullopt);
    editor.OnSaveToLastFile();
    EXPECT_EQ(host.saveStartFolders.size(), 1u);
}

// Random edits: after each the list holds the labels and item data a fill from empty would give, with an
// entry selected unless it is empty.
TEST_F(CourseEditorTest, EveryEditLeavesTheListAsAFreshFillWould) {
    LoadTown();
    std::mt19937 rng(21);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 300; ++step) {
        const int count = static_cast<int>(editor.GetScenario().checkpoints.size());
        const int kind = pick(6);
        const int along = 10 + pick(91);
        if (kind < 3) {
            pick(2) == 0 ? ClickTile(along, kRoadRow) : ClickTile(kRoadColumn, along);
        } else if (kind == 3 && count > 0) {
            SelectRow(pick(count));
            editor.OnDeleteCheckpoint();
        } else if (kind == 4 && count > 0) {
            SelectRow(pick(count));
            RightClickTile(kRoadColumn, along);
        } else {
            Type(ControlId::Laps, std::to_string(pick(3)));
            editor.OnClickLapsSpin();
            editor.RefillCheckpointList();
        }
        const int now = static_cast<int>(editor.GetScenario().checkpoints.size());
        const int laps = std::stoi(view.Text(ControlId::Laps));
        ASSERT_EQ(view.ListCount(), now) << step;
        for (int row = 0; row < now; ++row) {
            ASSERT_EQ(view.list[static_cast<std::size_t>(row)].label, route::CheckpointLabel(row, now, laps));
            ASSERT_EQ(view.ListItemData(row), row);
        }
        ASSERT_EQ(editor.SelectedCheckpoint() >= 0, now > 0) << step;
    }
}

}  // namespace
}  // namespace rw::editor
