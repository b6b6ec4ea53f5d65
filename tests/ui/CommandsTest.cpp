// The window's document commands driven headless through a scripted host: every question, refusal and
// failure.
#include <QComboBox>
#include <QFileInfo>
#include <QSignalSpy>

#include "UiTestSupport.h"
#include "city/TileCodes.h"
#include "res/BlankMap.h"
#include "scenario/FaultInjectingFileSystem.h"
#include "scenario/ReadScenario.h"

using namespace rw::ui;
using namespace rw::ui::test;
using rw::scenario::Scenario;
using rw::scenario::TilePos;

namespace {

constexpr int kCityFileField = 1017;
constexpr int kTitleField = 1077;

bool ShowsBlankPicture(const CourseEditorDlg& window) {
    return window.MapImage() == EditorUnderTest()->MapImage();
}

bool AnyRoadTile(const rw::city::CityMap& city) {
    for (int i = 0; i < 128 * 128; ++i) {
        if (rw::city::IsRoadTile(city.Building(i % 128, i / 128))) {
            return true;
        }
    }
    return false;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Scenario ThreeLapRace(const std::string& cityFile) {
    Scenario race;
    race.cityFile = cityFile;
    race.name = "Dock && Loop";
    race.laps = 3;
    race.timeLimit = 240;
    race.checkpointBonus = 7;
    race.checkpoints = {TilePos{20, 40}, TilePos{60, 40}, TilePos{60, 90}};
    race.aiRacers.resize(2, rw::scenario::AiRacer{});
    race.aiRacers[0].word10 = 3;  // Hard
    return race;
}

// Answers to the save question: -1 none asked, 0 No, 1 Yes + Save As cancelled, 2 Yes + saved, 3 Cancel.
void Answer(ScriptedHost& host, int answer, const QString& path) {
    if (answer >= 0) {
        host.saveAnswers.push_back(answer == 0   ? SaveAnswer::No
                                   : answer == 3 ? SaveAnswer::Cancel
                                                 : SaveAnswer::Yes);
    }
    if (answer == 1 || answer == 2) {
        host.savePaths.push_back(answer == 2 ? std::optional<QString>(path) : std::nullopt);
    }
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<EditorUnderTest> m_editor;

    CourseEditorDlg& Window() { return **m_editor; }
    ScriptedHost& Host() { return m_editor->host; }
    QString Path(const char* name) { return ScenarioPath(m_editor->GameFolder(), QString::fromLatin1(name)); }
    const ScriptedHost::Message& OnlyMessage() {
        [&] { QCOMPARE(Host().messages.size(), std::size_t{1}); }();
        return Host().messages.at(0);
    }

    void LoadTown() {
        Host().cityPicks.push_back(QStringLiteral("town.urb"));
        Window().OnLoadCityFile();
        QVERIFY(Host().unexpected.isEmpty() && Host().messages.empty());
        Host().Clear();
    }
    void Load(const char* name) {
        Host().scenarioPicks.push_back(QString::fromLatin1(name));
        Window().OnLoadScenario();
    }
    // A left click on the middle of a tile of the map.
    void ClickTile(int x, int y) {
        Window().OnLButtonDown(Window().MapOrigin() + QPoint(2 * x + 1, 2 * y + 1));
    }

    // A loaded city, a titled race with two checkpoints: m_modified set.
    void PlaceRace() {
        LoadTown();
        ClickTile(20, kRoadRow);
        ClickTile(kRoadColumn, 80);
        SetFieldText(Window(), kTitleField, QStringLiteral("Harbour Run"));
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{2});
        QVERIFY(Window().IsModified());
    }
    // The race PlaceRace made is still there, or was replaced by a fresh one.
    void VerifyRaceKept(bool kept) {
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{kept ? 2u : 0u});
        QCOMPARE(FieldText(Window(), kTitleField),
                 kept ? QStringLiteral("Harbour Run") : QStringLiteral("Untitled"));
        QCOMPARE(Window().IsModified(), kept);
    }

  private slots:
    void init() {
        m_editor = std::make_unique<EditorUnderTest>();
        QVERIFY(m_editor->WriteCity(QStringLiteral("town.urb")));
    }
    void cleanup() {
        QVERIFY2(Host().unexpected.isEmpty(), qPrintable(Host().unexpected.join(u',')));
        m_editor.reset();
    }

    // --- Save ---

    void saveRefusal_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkpoints");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        const QString untitled = QStringLiteral(
            "Before Saving, you need to give this race a name. Enter a name in the \"Race Title\" field.");
        // clang-format off
        QTest::newRow("untitled") << "Untitled" << true << untitled << "Race Untitled";
        QTest::newRow("empty") << "" << true << untitled << "Race Untitled";
        const QString none = QStringLiteral("Before Saving, you need to give this race some checkpoints.");
        QTest::newRow("no checkpoints") << "Empty" << false << none << "No Checkpoints";
        // clang-format on
    }
    void saveRefusal() {
        QFETCH(QString, title);
        QFETCH(bool, checkpoints);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        checkpoints ? PlaceRace() : LoadTown();
        SetFieldText(Window(), kTitleField, title);
        Window().OnSaveScenario();
        QCOMPARE(OnlyMessage().text, text);
        QCOMPARE(OnlyMessage().caption, caption);
        QCOMPARE(OnlyMessage().icon, MessageIcon::None);
        QVERIFY(Host().saveStartFolders.isEmpty());
        QCOMPARE(Window().IsModified(), checkpoints);
    }

    // A title differing from the default only in case is accepted; Save As opens in the scenario folder, and
    // cancelling it keeps the race unsaved. The stored race is on disk; the title field keeps one ampersand.
    void saveWritesTheStoredRace() {
        PlaceRace();
        SetFieldText(Window(), kTitleField, QStringLiteral("untitled"));
        Host().savePaths.push_back(std::nullopt);
        Window().OnSaveScenario();
        QVERIFY(Host().messages.empty() && Window().IsModified());
        QCOMPARE(Host().saveStartFolders, QStringList{ScenarioFolder(m_editor->GameFolder())});
        QVERIFY(QDir(ScenarioFolder(m_editor->GameFolder())).isEmpty());
        QCOMPARE(Window().GetScenario().winMovie, std::string());
        SetFieldText(Window(), kTitleField, QStringLiteral("Rock & Roll"));
        SetFieldText(Window(), 1079, QStringLiteral("300"));
        Host().savePaths.push_back(Path("rock.scn"));
        Window().OnSaveScenario();
        QVERIFY(Host().messages.empty() && !Window().IsModified());
        Scenario stored;
        QVERIFY(rw::scenario::ReadScenario(stored, ToCorePath(Path("rock.scn"))));
        const std::vector<std::string> texts{stored.name, stored.introText, stored.winMovie, stored.loseMovie,
                                             stored.cityFile};
        QVERIFY(texts == (std::vector<std::string>{"Rock && Roll", "User created race course: Rock && Roll",
                                                   "mix_racerwinx.smk", "mix_racerlose.smk", "town.urb"}));
        QVERIFY(stored.timeLimit == 300 && stored.laps == 1 && stored.ammo == 15);
        QVERIFY(stored.checkpoints == (std::vector<TilePos>{{20, 40}, {60, 80}}));
        QCOMPARE(FieldText(Window(), kTitleField), QStringLiteral("Rock & Roll"));
    }

    // A failed write (a full disk in the middle of the chunks, a missing folder) is shown naming the file and
    // the reason, keeps the race unsaved and the old file as it was.
    void saveFailureIsShownAndKeepsTheOldFile() {
        PlaceRace();
        const QString path = Path("race.scn");
        Host().savePaths.push_back(path);
        Window().OnSaveScenario();
        QVERIFY(!Window().IsModified());
        const QByteArray before = ReadAll(path);
        ClickTile(kRoadColumn, 90);
        SetFieldText(Window(), kTitleField, QStringLiteral("Changed"));
        rw::scenario::FaultInjectingFileSystem failing;
        failing.FailAt(rw::scenario::FileOp::Write, 5);
        {
            const rw::scenario::ScopedFileSystem scope(failing);
            Host().savePaths.push_back(path);
            Window().OnSaveScenario();
        }
        QCOMPARE(failing.Injected(), 1);
        QVERIFY(Window().IsModified());
        QVERIFY(OnlyMessage().text.contains(QStringLiteral("Could not save the scenario")));
        QCOMPARE(OnlyMessage().icon, MessageIcon::Exclamation);
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"race.scn"});

        Host().messages.clear();
        const QString missing = m_editor->GameFolder() + QStringLiteral("no-such-folder/race.scn");
        Host().savePaths.push_back(missing);
        Window().OnSaveScenario();
        QVERIFY(Window().IsModified());
        QVERIFY2(OnlyMessage().text.contains(QDir::toNativeSeparators(missing)),
                 qPrintable(OnlyMessage().text));
        QVERIFY(OnlyMessage().text.contains(QStringLiteral("folder does not exist")));
        QCOMPARE(OnlyMessage().caption, QStringLiteral("Vortane of Metrova Race Course Editor"));
        QCOMPARE(OnlyMessage().icon, MessageIcon::Exclamation);
    }

    // --- New: Yes/No/Cancel, asked when modified or when a city is loaded ---

    void newScenario_data() {
        QTest::addColumn<int>(
            "setup");  // 0 modified without a city, 1 PlaceRace, 2 a city loaded, unmodified
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("resets");
        QTest::newRow("no city, nothing asked") << 0 << -1 << true;
        QTest::newRow("cancel") << 1 << 3 << false;
        QTest::newRow("no") << 1 << 0 << true;
        QTest::newRow("yes, save cancelled") << 1 << 1 << false;
        QTest::newRow("yes, saved") << 1 << 2 << true;
        QTest::newRow("unmodified with a city, no") << 2 << 0 << true;
    }
    void newScenario() {
        QFETCH(int, setup);
        QFETCH(int, answer);
        QFETCH(bool, resets);
        if (setup == 0) {
            QVERIFY(m_editor->WriteScenario(QStringLiteral("cityless.scn"), ThreeLapRace("")));
            Load("cityless.scn");
            QCOMPARE(Host().messages.size(), std::size_t{1});  // the scenario names no city
            Host().Clear();
            Window().DeleteCheckpoint();
        } else {
            setup == 1 ? PlaceRace() : LoadTown();
        }
        QCOMPARE(Window().IsModified(), setup != 2);
        Window().ControlAs<QComboBox>(1100)->setCurrentIndex(2);
        Answer(Host(), answer, Path("kept.scn"));
        Window().OnNewScenario();
        QCOMPARE(Host().saveQuestions, answer >= 0 ? std::vector<bool>{true} : std::vector<bool>{});
        QCOMPARE(QFile::exists(Path("kept.scn")), answer == 2);
        if (!resets) {
            VerifyRaceKept(true);
            return;
        }
        QVERIFY(Window().GetScenario().checkpoints.empty());
        QCOMPARE(Fields(Window()), (QStringList{"Untitled", "0", "0", "1", "0", ""}));
        QCOMPARE(Window().Difficulty(), 0);
        QCOMPARE(Window().ControlAs<QComboBox>(1100)->currentIndex(), 0);
        QVERIFY(!Window().IsModified());
        QVERIFY(!AnyRoadTile(Window().City()));
    }

    // --- Load ---

    void loadShowsAThreeLapRaceAndItsDifficulty() {
        QVERIFY(m_editor->WriteScenario(QStringLiteral("loop.scn"), ThreeLapRace("town.urb")));
        Load("loop.scn");
        QVERIFY(Host().saveQuestions.empty() && Host().messages.empty());
        QCOMPARE(Host().scenarioFolders, QStringList{ScenarioFolder(m_editor->GameFolder())});
        QCOMPARE(ListLabels(Window()), (QStringList{"START/ FINISH", "Checkpoint 1", "Checkpoint 2"}));
        QCOMPARE(Fields(Window()), (QStringList{"Dock & Loop", "240", "7", "3", "2", "town.urb"}));
        QVERIFY(AnyRoadTile(Window().City()));
        QVERIFY(!ShowsBlankPicture(Window()));
        QVERIFY(!Window().IsModified());
        QCOMPARE(Window().Difficulty(), 2);  // the first racer's level 3 is Hard
        QCOMPARE(Window().ControlAs<QComboBox>(1100)->currentIndex(), 2);
        // Load City File, unmodified: no question, the race dropped.
        Host().cityPicks.push_back(QStringLiteral("town.urb"));
        Window().OnLoadCityFile();
        QVERIFY(Host().saveQuestions.empty());
        QCOMPARE(Host().cityFolders, QStringList{CityFolder(m_editor->GameFolder())});
        QCOMPARE(Fields(Window()), (QStringList{"Untitled", "0", "0", "1", "0", "town.urb"}));
        QCOMPARE(Window().GetScenario().cityFile, std::string("town.urb"));
        QVERIFY(Window().GetScenario().checkpoints.empty() && ListLabels(Window()).isEmpty());
        QVERIFY(AnyRoadTile(Window().City()));
        QVERIFY(!ShowsBlankPicture(Window()));
    }

    void loadWithoutRacersKeepsDifficulty() {
        Scenario race = ThreeLapRace("town.urb");
        race.aiRacers.clear();
        QVERIFY(m_editor->WriteScenario(QStringLiteral("solo.scn"), race));
        Window().ControlAs<QComboBox>(1100)->setCurrentIndex(1);
        Window().OnSelchangeDifficulty();
        Load("solo.scn");
        QCOMPARE(Window().Difficulty(), 1);
        QCOMPARE(Window().ControlAs<QComboBox>(1100)->currentIndex(), 1);
        QCOMPARE(FieldText(Window(), 1081), QStringLiteral("0"));
    }

    // Yes with a cancelled save stops before the picker; No then a cancelled picker keeps the race.
    void loadWhenModified_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes, save cancelled") << 1;
        QTest::newRow("no, picker cancelled") << 0;
    }
    void loadWhenModified() {
        QFETCH(int, answer);
        PlaceRace();
        Answer(Host(), answer, QString());
        if (answer == 0) {
            Host().scenarioPicks.push_back(std::nullopt);
        }
        Window().OnLoadScenario();
        QCOMPARE(Host().saveQuestions, std::vector<bool>{false});
        QCOMPARE(Host().scenarioFolders.size(), answer == 0 ? 1 : 0);
        VerifyRaceKept(true);
    }

    void loadFailure_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("junk") << "junk.scn" << "not a scenario file";
        QTest::newRow("missing") << "gone.scn" << "does not exist";
        // clang-format on
    }
    void loadFailure() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(m_editor->WriteJunk(QStringLiteral("scenarios/movie/junk.scn")));
        PlaceRace();
        Host().saveAnswers.push_back(SaveAnswer::No);
        Host().scenarioPicks.push_back(name);
        Window().OnLoadScenario();
        QVERIFY(OnlyMessage().text.contains(name));
        QVERIFY(OnlyMessage().text.contains(reason));
        QCOMPARE(OnlyMessage().icon, MessageIcon::Exclamation);
        VerifyRaceKept(false);
    }

    // A city that fails to load (named by a scenario but missing, or not a city file) is shown in a message;
    // the map shows the blank picture, nothing can be placed, the City File field keeps the name.
    void cityLoadFailure_data() {
        QTest::addColumn<bool>("fromScenario");
        QTest::addColumn<QString>("name");
        QTest::newRow("scenario's city missing") << true << "nowhere.urb";
        QTest::newRow("city file broken") << false << "broken.urb";
    }
    void cityLoadFailure() {
        QFETCH(bool, fromScenario);
        QFETCH(QString, name);
        LoadTown();  // a city in memory that must not stay usable
        QVERIFY(m_editor->WriteJunk(QStringLiteral("cities/broken.urb")));
        QVERIFY(m_editor->WriteScenario(QStringLiteral("lost.scn"), ThreeLapRace("nowhere.urb")));
        if (fromScenario) {
            Load("lost.scn");
        } else {
            Host().cityPicks.push_back(name);
            Window().OnLoadCityFile();
        }
        QVERIFY(OnlyMessage().text.contains(name));
        QVERIFY(fromScenario || OnlyMessage().text.contains(QStringLiteral("not a city file")));
        QCOMPARE(FieldText(Window(), kCityFileField), name);
        QVERIFY(ShowsBlankPicture(Window()));
        QVERIFY(!AnyRoadTile(Window().City()));
        const std::size_t count = Window().GetScenario().checkpoints.size();
        QCOMPARE(count, std::size_t{fromScenario ? 3u : 0u});
        ClickTile(20, kRoadRow);
        QCOMPARE(Window().GetScenario().checkpoints.size(), count);
    }

    // --- Load City File ---

    // Yes with a refused save stops there; No goes on to the picker, whose Cancel changes nothing.
    void loadCityFileWhenModified_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("picked");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("yes, save refused") << -1 << false << false;
        QTest::newRow("no") << 0 << true << true;
        QTest::newRow("no, picker cancelled") << 0 << false << false;
    }
    void loadCityFileWhenModified() {
        QFETCH(int, answer);
        QFETCH(bool, picked);
        QFETCH(bool, dropped);
        PlaceRace();
        if (answer < 0) {
            SetFieldText(Window(), kTitleField, QStringLiteral("Untitled"));
            Host().saveAnswers.push_back(SaveAnswer::Yes);
        } else {
            Host().saveAnswers.push_back(SaveAnswer::No);
            Host().cityPicks.push_back(picked ? std::optional<QString>(QStringLiteral("town.urb"))
                                              : std::nullopt);
        }
        Window().OnLoadCityFile();
        QCOMPARE(Host().saveQuestions, std::vector<bool>{false});
        QCOMPARE(Host().messages.size(), std::size_t{answer < 0 ? 1u : 0u});  // the save's refusal
        QCOMPARE(Host().cityFolders.size(), answer < 0 ? 0 : 1);
        QCOMPARE(Window().GetScenario().checkpoints.size(), std::size_t{dropped ? 0u : 2u});
        QCOMPARE(Window().IsModified(), !dropped);
    }

    // --- Exit, the close box and Escape: one close request ---

    void closeRequest_data() {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("answer");
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
        }
        Answer(Host(), answer, Path("last.scn"));
        Window().show();
        QSignalSpy finished(&Window(), &QDialog::finished);
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

    // --- Enter Vortane: the question when modified, then the launch whatever the save did ---

    void enterGame_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("unmodified") << -1;
        QTest::newRow("no") << 0;
        QTest::newRow("yes, cancelled") << 1;
        QTest::newRow("yes, saved") << 2;
    }
    void enterGame() {
        QFETCH(int, answer);
        if (answer >= 0) {
            PlaceRace();
        }
        Answer(Host(), answer, Path("go.scn"));
        Window().OnEnterGame();
        QCOMPARE(Host().saveQuestions, answer >= 0 ? std::vector<bool>{false} : std::vector<bool>{});
        QString folder = m_editor->GameFolder();
        QCOMPARE(Host().launches.size(), std::size_t{1});
        QCOMPARE(Host().launches[0].first, folder + QStringLiteral("vortane.exe"));
        folder.chop(1);
        QCOMPARE(Host().launches[0].second, folder);
        QVERIFY(Host().messages.empty());
        QCOMPARE(QFile::exists(Path("go.scn")), answer == 2);
        QCOMPARE(Window().IsModified(), answer == 0 || answer == 1);
    }
};

QTEST_MAIN(CommandsTest)
#include "CommandsTest.moc"
