// The window's document commands driven headless through a scripted host: every question, refusal and
// failure.
#include "CommandsGameFolder.h"
#include "CommandsScriptedHost.h"

#include "city/CityMap.h"
#include "city/TileCodes.h"
#include "res/BlankMap.h"
#include "scenario/FaultInjectingFileSystem.h"
#include "scenario/ReadScenario.h"
#include "ui/CourseEditorDlg.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using rw::scenario::Scenario;
using rw::scenario::TilePos;
using rw::ui::CourseEditorDlg;
using rw::ui::MessageIcon;
using rw::ui::SaveAnswer;
using rw::ui::test::ScriptedHost;
using rw::ui::test::TestGameFolder;

namespace {

constexpr int kCityFileField = 1017;
constexpr int kTitleField = 1077;
constexpr int kLapsField = 1072;
constexpr int kRacersField = 1081;
constexpr int kTimeField = 1079;
constexpr int kDifficultyCombo = 1100;
constexpr int kCheckpointList = 1001;
constexpr int kMapArea = 1041;

QString FieldText(const CourseEditorDlg& window, int id) {
    return window.ControlAs<QLineEdit>(id)->text();
}

void SetField(CourseEditorDlg& window, int id, const QString& text) {
    window.ControlAs<QLineEdit>(id)->setText(text);
}

QStringList ListLabels(const CourseEditorDlg& window) {
    QStringList labels;
    const auto* list = window.ControlAs<QListWidget>(kCheckpointList);
    for (int i = 0; i < list->count(); ++i) {
        labels.append(list->item(i)->text());
    }
    return labels;
}

bool ShowsBlankPicture(const CourseEditorDlg& window) {
    const QImage& image = window.MapImage();
    const auto blank = rw::res::BlankMapPixels();
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            if (image.pixelIndex(x, y) != blank[static_cast<std::size_t>((255 - y) * 256 + x)]) {
                return false;
            }
        }
    }
    return true;
}

bool AnyRoadTile(const rw::city::CityMap& city) {
    for (int x = 0; x < 128; ++x) {
        for (int y = 0; y < 128; ++y) {
            if (rw::city::IsRoadTile(city.Building(x, y))) {
                return true;
            }
        }
    }
    return false;
}

Scenario ThreeLapRace(const std::string& cityFile) {
    Scenario race;
    race.cityFile = cityFile;
    race.name = "Dock && Loop";
    race.laps = 3;
    race.timeLimit = 240;
    race.checkpointBonus = 7;
    race.checkpoints = {TilePos{20, 40}, TilePos{60, 40}, TilePos{60, 90}};
    rw::scenario::AiRacer first;
    first.word10 = 3;  // Hard
    rw::scenario::AiRacer second;
    second.word10 = 4;
    race.aiRacers = {first, second};
    return race;
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestGameFolder> m_folder;
    std::unique_ptr<ScriptedHost> m_host;
    std::unique_ptr<CourseEditorDlg> m_window;

    CourseEditorDlg& Window() { return *m_window; }
    ScriptedHost& Host() { return *m_host; }

    void LoadTown() {
        Host().cityPicks.push_back(QStringLiteral("town.urb"));
        Window().OnLoadCityFile();
        QVERIFY(Host().unexpected.isEmpty());
        QVERIFY(Host().messages.empty());
        Host().Clear();
    }

    // A left click on the middle of a tile of the map.
    void ClickTile(int x, int y) {
        const QPoint map = Window().Control(kMapArea)->geometry().topLeft();
        Window().OnLButtonDown(map + QPoint(2 * x + 1, 2 * y + 1));
    }

    // A loaded city, a titled race with two checkpoints: m_modified set.
    void PlaceRace() {
        LoadTown();
        ClickTile(20, rw::ui::test::kRoadRow);
        ClickTile(rw::ui::test::kRoadColumn, 80);
        SetField(Window(), kTitleField, QStringLiteral("Harbour Run"));
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{2});
        QVERIFY(Window().IsModified());
    }

  private slots:
    void init() {
        m_folder = std::make_unique<TestGameFolder>();
        QVERIFY(m_folder->WriteCity(QStringLiteral("town.urb")));
        m_host = std::make_unique<ScriptedHost>();
        m_window = std::make_unique<CourseEditorDlg>(*m_host, m_folder->Path());
    }

    void cleanup() {
        if (m_host) {
            QVERIFY2(m_host->unexpected.isEmpty(), qPrintable(m_host->unexpected.join(u',')));
        }
        m_window.reset();
        m_host.reset();
        m_folder.reset();
    }

    // --- Save ---

    void saveRefusesDefaultOrEmptyTitle_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("untitled") << QStringLiteral("Untitled");
        QTest::newRow("empty") << QString();
    }
    void saveRefusesDefaultOrEmptyTitle() {
        QFETCH(QString, title);
        PlaceRace();
        SetField(Window(), kTitleField, title);
        Window().OnSaveScenario();
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QCOMPARE(Host().messages[0].text,
                 QStringLiteral("Before Saving, you need to give this race a name. Enter a "
                                "name in the \"Race Title\" field."));
        QCOMPARE(Host().messages[0].caption, QStringLiteral("Race Untitled"));
        QCOMPARE(Host().messages[0].icon, MessageIcon::None);
        QVERIFY(Host().saveStartFolders.isEmpty());
        QVERIFY(Window().IsModified());
    }

    void saveAcceptsTitleDifferingOnlyInCase() {
        PlaceRace();
        SetField(Window(), kTitleField, QStringLiteral("untitled"));
        Host().savePaths.push_back(std::nullopt);
        Window().OnSaveScenario();
        QVERIFY(Host().messages.empty());
        QCOMPARE(Host().saveStartFolders.size(), 1);
    }

    void saveRefusesRaceWithoutCheckpoints() {
        LoadTown();
        SetField(Window(), kTitleField, QStringLiteral("Empty"));
        Window().OnSaveScenario();
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QCOMPARE(Host().messages[0].text,
                 QStringLiteral("Before Saving, you need to give this race some checkpoints."));
        QCOMPARE(Host().messages[0].caption, QStringLiteral("No Checkpoints"));
        QCOMPARE(Host().messages[0].icon, MessageIcon::None);
        QVERIFY(Host().saveStartFolders.isEmpty());
    }

    void saveCancelledKeepsRaceUnsaved() {
        PlaceRace();
        Host().savePaths.push_back(std::nullopt);
        Window().OnSaveScenario();
        QVERIFY(Window().IsModified());
        QCOMPARE(Host().saveStartFolders, QStringList{rw::ui::ScenarioFolder(m_folder->Path())});
        QVERIFY(QDir(rw::ui::ScenarioFolder(m_folder->Path())).isEmpty());
        QCOMPARE(Window().GetScenario().winMovie, std::string());
    }

    void saveWritesTheStoredRace() {
        PlaceRace();
        SetField(Window(), kTitleField, QStringLiteral("Rock & Roll"));
        SetField(Window(), kTimeField, QStringLiteral("300"));
        const QString path = rw::ui::ScenarioPath(m_folder->Path(), QStringLiteral("rock.scn"));
        Host().savePaths.push_back(path);
        Window().OnSaveScenario();
        QVERIFY(Host().messages.empty());
        QVERIFY(!Window().IsModified());

        Scenario stored;
        QVERIFY(rw::scenario::ReadScenario(stored, rw::ui::ToCorePath(path)));
        QCOMPARE(stored.name, std::string("Rock && Roll"));
        QCOMPARE(stored.introText, std::string("User created race course: Rock && Roll"));
        QCOMPARE(stored.winMovie, std::string("mix_racerwinx.smk"));
        QCOMPARE(stored.loseMovie, std::string("mix_racerlose.smk"));
        QCOMPARE(stored.cityFile, std::string("town.urb"));
        QCOMPARE(stored.timeLimit, 300);
        QCOMPARE(stored.laps, 1);
        QCOMPARE(stored.ammo, 15);
        const std::vector<TilePos> expected{{20, 40}, {60, 80}};
        QVERIFY(stored.checkpoints == expected);
        // Saving again without a change asks nothing more than the path.
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Rock & Roll"));
    }

    void saveFailureIsShownAndKeepsRaceUnsaved() {
        PlaceRace();
        const QString path = m_folder->Path() + QStringLiteral("no-such-folder/race.scn");
        Host().savePaths.push_back(path);
        Window().OnSaveScenario();
        QVERIFY(Window().IsModified());
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QVERIFY2(Host().messages[0].text.contains(QDir::toNativeSeparators(path)),
                 qPrintable(Host().messages[0].text));
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("folder does not exist")));
        QCOMPARE(Host().messages[0].caption, QStringLiteral("Vortane of Metrova Race Course Editor"));
        QCOMPARE(Host().messages[0].icon, MessageIcon::Exclamation);
    }

    void saveFailingMidWriteIsShownAndKeepsTheOldFile() {
        PlaceRace();
        const QString path = rw::ui::ScenarioPath(m_folder->Path(), QStringLiteral("race.scn"));
        Host().savePaths.push_back(path);
        Window().OnSaveScenario();
        QVERIFY(!Window().IsModified());
        QFile first(path);
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray before = first.readAll();
        first.close();

        ClickTile(rw::ui::test::kRoadColumn, 90);
        SetField(Window(), kTitleField, QStringLiteral("Changed"));
        QVERIFY(Window().IsModified());
        rw::scenario::FaultInjectingFileSystem failing;
        failing.FailAt(rw::scenario::FileOp::Write, 5);  // a full disk in the middle of the chunks
        {
            const rw::scenario::ScopedFileSystem scope(failing);
            Host().savePaths.push_back(path);
            Window().OnSaveScenario();
        }
        QCOMPARE(failing.Injected(), 1);
        QVERIFY(Window().IsModified());
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("Could not save the scenario")));
        QCOMPARE(Host().messages[0].icon, MessageIcon::Exclamation);
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("race.scn")});
    }

    // --- New ---

    void newWithoutCityAsksNothing() {
        Scenario cityless = ThreeLapRace("");
        QVERIFY(m_folder->WriteScenario(QStringLiteral("cityless.scn"), cityless));
        Host().scenarioPicks.push_back(QStringLiteral("cityless.scn"));
        Window().OnLoadScenario();
        QCOMPARE(Host().messages.size(), std::size_t{1});  // the scenario names no city
        Host().Clear();
        Window().DeleteCheckpoint();
        QVERIFY(Window().IsModified());
        Window().OnNewScenario();
        QVERIFY(Host().saveQuestions.empty());
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Untitled"));
        QVERIFY(Window().GetScenario().checkpoints.empty());
        QVERIFY(!Window().IsModified());
    }

    void newAnsweredCancelChangesNothing() {
        PlaceRace();
        Host().saveAnswers.push_back(SaveAnswer::Cancel);
        Window().OnNewScenario();
        QCOMPARE(Host().saveQuestions, std::vector<bool>{true});
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{2});
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Harbour Run"));
        QVERIFY(Window().IsModified());
    }

    void newAnsweredNoResets() {
        PlaceRace();
        Window().ControlAs<QComboBox>(kDifficultyCombo)->setCurrentIndex(2);
        Host().saveAnswers.push_back(SaveAnswer::No);
        Window().OnNewScenario();
        QVERIFY(Host().saveStartFolders.isEmpty());
        QVERIFY(Window().GetScenario().checkpoints.empty());
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Untitled"));
        QCOMPARE(FieldText(Window(), kLapsField), QStringLiteral("1"));
        QCOMPARE(Window().Difficulty(), 0);
        QCOMPARE(Window().ControlAs<QComboBox>(kDifficultyCombo)->currentIndex(), 0);
        QVERIFY(!Window().IsModified());
        QVERIFY(!AnyRoadTile(Window().City()));
    }

    void newAsksEvenWhenUnmodifiedWithACity() {
        LoadTown();
        Host().saveAnswers.push_back(SaveAnswer::No);
        Window().OnNewScenario();
        QCOMPARE(Host().saveQuestions, std::vector<bool>{true});
    }

    void newAnsweredYesStopsWhenSaveIsCancelled() {
        PlaceRace();
        Host().saveAnswers.push_back(SaveAnswer::Yes);
        Host().savePaths.push_back(std::nullopt);
        Window().OnNewScenario();
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{2});
        QVERIFY(Window().IsModified());
    }

    void newAnsweredYesSavesThenResets() {
        PlaceRace();
        const QString path = rw::ui::ScenarioPath(m_folder->Path(), QStringLiteral("kept.scn"));
        Host().saveAnswers.push_back(SaveAnswer::Yes);
        Host().savePaths.push_back(path);
        Window().OnNewScenario();
        QVERIFY(QFile::exists(path));
        QVERIFY(Window().GetScenario().checkpoints.empty());
        QVERIFY(!Window().IsModified());
    }

    // --- Load ---

    void loadShowsAThreeLapRaceAndItsDifficulty() {
        QVERIFY(m_folder->WriteScenario(QStringLiteral("loop.scn"), ThreeLapRace("town.urb")));
        Host().scenarioPicks.push_back(QStringLiteral("loop.scn"));
        Window().OnLoadScenario();
        QVERIFY(Host().saveQuestions.empty());
        QVERIFY(Host().messages.empty());
        QCOMPARE(Host().scenarioFolders, QStringList{rw::ui::ScenarioFolder(m_folder->Path())});
        QCOMPARE(ListLabels(Window()).value(0), QStringLiteral("START/ FINISH"));
        QCOMPARE(ListLabels(Window()).size(), 3);
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Dock & Loop"));
        QCOMPARE(FieldText(Window(), kLapsField), QStringLiteral("3"));
        QCOMPARE(FieldText(Window(), kRacersField), QStringLiteral("2"));
        QCOMPARE(FieldText(Window(), kCityFileField), QStringLiteral("town.urb"));
        QVERIFY(AnyRoadTile(Window().City()));
        QVERIFY(!ShowsBlankPicture(Window()));
        QVERIFY(!Window().IsModified());
        // The first racer's level 3 is Hard.
        QCOMPARE(Window().Difficulty(), 2);
        QCOMPARE(Window().ControlAs<QComboBox>(kDifficultyCombo)->currentIndex(), 2);
    }

    void loadWithoutRacersKeepsDifficulty() {
        Scenario race = ThreeLapRace("town.urb");
        race.aiRacers.clear();
        QVERIFY(m_folder->WriteScenario(QStringLiteral("solo.scn"), race));
        Window().ControlAs<QComboBox>(kDifficultyCombo)->setCurrentIndex(1);
        Window().OnSelchangeDifficulty();
        Host().scenarioPicks.push_back(QStringLiteral("solo.scn"));
        Window().OnLoadScenario();
        QCOMPARE(Window().Difficulty(), 1);
        QCOMPARE(Window().ControlAs<QComboBox>(kDifficultyCombo)->currentIndex(), 1);
        QCOMPARE(FieldText(Window(), kRacersField), QStringLiteral("0"));
    }

    void loadAsksWhenModifiedAndStopsAfterCancelledSave() {
        PlaceRace();
        Host().saveAnswers.push_back(SaveAnswer::Yes);
        Host().savePaths.push_back(std::nullopt);
        Window().OnLoadScenario();
        QCOMPARE(Host().saveQuestions, std::vector<bool>{false});
        QVERIFY(Host().scenarioFolders.isEmpty());
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{2});
    }

    void loadAnsweredNoThenPickerCancelledKeepsRace() {
        PlaceRace();
        Host().saveAnswers.push_back(SaveAnswer::No);
        Host().scenarioPicks.push_back(std::nullopt);
        Window().OnLoadScenario();
        QCOMPARE(Host().scenarioFolders.size(), 1);
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{2});
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Harbour Run"));
    }

    void loadOfUnreadableFileIsShownAndLeavesFreshRace() {
        QVERIFY(m_folder->WriteJunk(QStringLiteral("scenarios/movie/junk.scn")));
        PlaceRace();
        Host().saveAnswers.push_back(SaveAnswer::No);
        Host().scenarioPicks.push_back(QStringLiteral("junk.scn"));
        Window().OnLoadScenario();
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("junk.scn")));
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("not a scenario file")));
        QCOMPARE(Host().messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Untitled"));
        QVERIFY(Window().GetScenario().checkpoints.empty());
        QVERIFY(!Window().IsModified());
    }

    void loadOfMissingFileNamesTheReason() {
        Host().scenarioPicks.push_back(QStringLiteral("gone.scn"));
        Window().OnLoadScenario();
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("gone.scn")));
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("does not exist")));
    }

    void loadWithMissingCityShowsBlankMapAndKeepsName() {
        LoadTown();  // a city in memory that must not stay usable
        QVERIFY(m_folder->WriteScenario(QStringLiteral("lost.scn"), ThreeLapRace("nowhere.urb")));
        Host().scenarioPicks.push_back(QStringLiteral("lost.scn"));
        Window().OnLoadScenario();
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("nowhere.urb")));
        QCOMPARE(FieldText(Window(), kCityFileField), QStringLiteral("nowhere.urb"));
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{3});
        QVERIFY(ShowsBlankPicture(Window()));
        QVERIFY(!AnyRoadTile(Window().City()));
        ClickTile(20, rw::ui::test::kRoadRow);
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{3});
    }

    // --- Load City File ---

    void loadCityFileDropsTheRace() {
        QVERIFY(m_folder->WriteScenario(QStringLiteral("loop.scn"), ThreeLapRace("town.urb")));
        Host().scenarioPicks.push_back(QStringLiteral("loop.scn"));
        Window().OnLoadScenario();
        Host().cityPicks.push_back(QStringLiteral("town.urb"));
        Window().OnLoadCityFile();
        QVERIFY(Host().saveQuestions.empty());
        QCOMPARE(Host().cityFolders, QStringList{rw::ui::CityFolder(m_folder->Path())});
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Untitled"));
        QCOMPARE(FieldText(Window(), kLapsField), QStringLiteral("1"));
        QCOMPARE(FieldText(Window(), kCityFileField), QStringLiteral("town.urb"));
        QCOMPARE(Window().GetScenario().cityFile, std::string("town.urb"));
        QVERIFY(Window().GetScenario().checkpoints.empty());
        QVERIFY(ListLabels(Window()).isEmpty());
        QVERIFY(AnyRoadTile(Window().City()));
        QVERIFY(!ShowsBlankPicture(Window()));
    }

    void loadCityFileStopsAfterRefusedSave() {
        PlaceRace();
        SetField(Window(), kTitleField, QStringLiteral("Untitled"));
        Host().saveAnswers.push_back(SaveAnswer::Yes);
        Window().OnLoadCityFile();
        QCOMPARE(Host().messages.size(), std::size_t{1});  // the save's refusal
        QVERIFY(Host().cityFolders.isEmpty());
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{2});
    }

    void loadCityFileAnsweredNoGoesOn() {
        PlaceRace();
        Host().saveAnswers.push_back(SaveAnswer::No);
        Host().cityPicks.push_back(QStringLiteral("town.urb"));
        Window().OnLoadCityFile();
        QCOMPARE(Host().saveQuestions, std::vector<bool>{false});
        QVERIFY(Window().GetScenario().checkpoints.empty());
        QVERIFY(!Window().IsModified());
    }

    void loadCityFilePickerCancelledChangesNothing() {
        PlaceRace();
        Host().saveAnswers.push_back(SaveAnswer::No);
        Host().cityPicks.push_back(std::nullopt);
        Window().OnLoadCityFile();
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{2});
        QVERIFY(Window().IsModified());
    }

    void loadCityFileFailureShowsBlankMap() {
        LoadTown();
        QVERIFY(m_folder->WriteJunk(QStringLiteral("cities/broken.urb")));
        Host().cityPicks.push_back(QStringLiteral("broken.urb"));
        Window().OnLoadCityFile();
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("broken.urb")));
        QVERIFY(Host().messages[0].text.contains(QStringLiteral("not a city file")));
        QCOMPARE(FieldText(Window(), kCityFileField), QStringLiteral("broken.urb"));
        QVERIFY(ShowsBlankPicture(Window()));
        QVERIFY(!AnyRoadTile(Window().City()));
    }

    // --- Exit, the close box and Escape: one close request ---

    void closeRequest_data() {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>(
            "answer");  // -1 nothing to save, 0 No, 1 Yes + Save As cancelled, 2 Yes + saved
        QTest::addColumn<bool>("closes");
        const char* names[] = {"exit", "close box", "escape"};
        for (int how = 0; how < 3; ++how) {
            QTest::addRow("%s, unmodified", names[how]) << how << -1 << true;
            QTest::addRow("%s, no", names[how]) << how << 0 << true;
            QTest::addRow("%s, yes, cancelled", names[how]) << how << 1 << false;
            QTest::addRow("%s, yes, saved", names[how]) << how << 2 << true;
        }
    }
    void closeRequest() {
        QFETCH(int, how);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        if (answer >= 0) {
            PlaceRace();
            Host().saveAnswers.push_back(answer == 0 ? SaveAnswer::No : SaveAnswer::Yes);
        }
        Window().show();
        QSignalSpy finished(&Window(), &QDialog::finished);
        if (answer == 1) {
            Host().savePaths.push_back(std::nullopt);
        } else if (answer == 2) {
            Host().savePaths.push_back(rw::ui::ScenarioPath(m_folder->Path(), QStringLiteral("last.scn")));
        }
        if (how == 0) {
            Window().OnExit();
        } else if (how == 1) {
            Window().close();
        } else {
            QTest::keyClick(&Window(), Qt::Key_Escape);
        }
        QCOMPARE(Host().saveQuestions, answer >= 0 ? std::vector<bool>{false} : std::vector<bool>{});
        QCOMPARE(finished.count(), closes ? 1 : 0);
        QCOMPARE(Window().isVisible(), !closes);
    }

    void movingACheckpointLeavesNothingToAsk() {
        LoadTown();
        Window().GetScenario().checkpoints = {TilePos{20, 40}};
        Window().RefillCheckpointList();
        Window().MoveCheckpoint(30, rw::ui::test::kRoadRow);
        QSignalSpy finished(&Window(), &QDialog::finished);
        Window().OnExit();
        QVERIFY(Host().saveQuestions.empty());
        QCOMPARE(finished.count(), 1);
    }

    // --- Enter Vortane ---

    void enterGameWithoutChangesStartsAtOnce() {
        Window().OnEnterGame();
        QVERIFY(Host().saveQuestions.empty());
        QCOMPARE(Host().launches.size(), std::size_t{1});
        QCOMPARE(Host().launches[0].program, m_folder->Path() + QStringLiteral("vortane.exe"));
        QString folder = m_folder->Path();
        folder.chop(1);
        QCOMPARE(Host().launches[0].workingFolder, folder);
        QVERIFY(Host().messages.empty());
    }

    void enterGameAsksAndLaunchesWhateverTheSaveDid_data() {
        QTest::addColumn<int>("answer");  // 0 No, 1 Yes + cancelled, 2 Yes + saved
        QTest::newRow("no") << 0;
        QTest::newRow("yes, cancelled") << 1;
        QTest::newRow("yes, saved") << 2;
    }
    void enterGameAsksAndLaunchesWhateverTheSaveDid() {
        QFETCH(int, answer);
        PlaceRace();
        Host().saveAnswers.push_back(answer == 0 ? SaveAnswer::No : SaveAnswer::Yes);
        const QString path = rw::ui::ScenarioPath(m_folder->Path(), QStringLiteral("go.scn"));
        if (answer == 1) {
            Host().savePaths.push_back(std::nullopt);
        } else if (answer == 2) {
            Host().savePaths.push_back(path);
        }
        Window().OnEnterGame();
        QCOMPARE(Host().saveQuestions, std::vector<bool>{false});
        QCOMPARE(Host().launches.size(), std::size_t{1});
        QCOMPARE(QFile::exists(path), answer == 2);
        QCOMPARE(Window().IsModified(), answer != 2);
    }

    void enterGameFailureShowsTheLaunchMessage() {
        Host().launchResult = false;
        Window().OnEnterGame();
        QCOMPARE(Host().messages.size(), std::size_t{1});
        QCOMPARE(Host().messages[0].text,
                 QStringLiteral("Can not launch Vortane. Exit the race editor and enter "
                                "Vortane from the Start Menu."));
        QCOMPARE(Host().messages[0].caption, QStringLiteral("Vortane Launch Failed"));
        QCOMPARE(Host().messages[0].icon, MessageIcon::Exclamation);
    }

    void aboutGoesToTheHost() {
        Window().OnAbout();
        QCOMPARE(Host().aboutCount, 1);
    }
};

QTEST_MAIN(CommandsTest)
#include "CommandsTest.moc"
