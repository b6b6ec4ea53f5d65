// The map: the painted picture, route and checkpoint squares, a generated city, screenshots; the mouse on it
// (status line, left clicks adding, right clicks moving), deletion, and the Checkpoints list after every
// edit.
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <functional>
#include <random>

#include "UiTestSupport.h"
#include "city/CityGenerator.h"
#include "city/LoadCityFile.h"
#include "city/TileCodes.h"
#include "res/BlankMap.h"
#include "res/MapPalette.h"
#include "route/CheckpointList.h"

using namespace rw::ui;
using namespace rw::ui::test;
using rw::scenario::TilePos;
using Tiles = std::vector<TilePos>;

namespace {

QColor PaletteColour(int index) {
    static const std::array<rw::res::Rgb, 256> palette = rw::res::MapPalette();
    const rw::res::Rgb rgb = palette[static_cast<std::size_t>(index)];
    return QColor(rgb.r, rgb.g, rgb.b);
}
int BlankIndex(int x, int y) {
    return rw::res::BlankMapPixels()[static_cast<std::size_t>((255 - y) * 256 + x)];
}

const QColor kRed(255, 0, 0);
const QColor kOrange(246, 110, 0);
const QColor kRouteGreen(0, 255, 0);

// The map area as it appears on screen, one logical pixel per image pixel.
QImage GrabMap(CourseEditorDlg& window) {
    QImage image = window.Control(1041)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    return image.scaled(256, 256);
}
QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// The pixels of image where wanted(x, y, colour) holds.
int CountPixels(const QImage& image, const std::function<bool(int, int, QColor)>& wanted) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += wanted(x, y, At(image, x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Loads a generated city through a city file in the game folder, as Load City File does.
bool LoadGeneratedCity(EditorUnderTest& editor, std::uint64_t seed) {
    rw::city::CityGeneratorOptions options;
    options.seed = seed;
    options.name = "Harbour Heights";
    const QString path = CityPath(editor.GameFolder(), QStringLiteral("harbour.urb"));
    if (!rw::city::WriteCityFile(rw::city::GenerateCity(options), ToCorePath(path)) ||
        !rw::city::LoadCityFile(editor->City(), ToCorePath(path))) {
        return false;
    }
    editor->GetScenario().cityFile = "harbour.urb";
    editor->ShowScenarioInFields();
    editor->RebuildRoute();
    return true;
}

// Road tiles far enough apart to show a route between them.
std::vector<QPoint> RoadTiles(const CourseEditorDlg& window, std::size_t wanted) {
    std::vector<QPoint> roads;
    for (int y = 10; y < 128 && roads.size() < wanted; y += 23) {
        for (int x = 8; x < 128 && roads.size() < wanted; ++x) {
            if (rw::city::IsRoadTile(window.City().Building(x, y))) {
                roads.emplace_back(x, y);
                x += 25;
            }
        }
    }
    return roads;
}

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

void SetCheckpoints(CourseEditorDlg& window, const Tiles& tiles) {
    window.GetScenario().checkpoints = tiles;
    window.RefillCheckpointList();
}

}  // namespace

class MapTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<EditorUnderTest> m_editor;
    CourseEditorDlg& W() { return **m_editor; }

  private slots:
    void init() {
        m_editor = std::make_unique<EditorUnderTest>();
        QVERIFY(m_editor->Show());
    }
    // Also: the commands repaint the whole window after a load; the map must be part of that repaint.
    void freshWindowPaintsTheBlankPictureAndRepaintsWithTheWindow() {
        QCOMPARE(CountPixels(GrabMap(W()),
                             [](int x, int y, QColor c) { return c != PaletteColour(BlankIndex(x, y)); }),
                 0);
        PaintCounter counter;
        W().Control(1041)->installEventFilter(&counter);
        QTest::qWait(50);
        counter.paints = 0;
        W().update();
        QTRY_VERIFY(counter.paints > 0);
    }

    void routeAndSquaresArePaintedOverTheCity() {
        for (int x = 30; x <= 40; ++x) {
            W().City().SetBuilding(x, 50, 81);
        }
        W().City().SetBuilding(10, 10, 5);
        W().City().SetBuilding(11, 10, 12);
        W().AddCheckpoint(30, 50);
        W().AddCheckpoint(36, 50);
        // Tiles between the checkpoints are on the route; the road beyond the finish is white. After an edit
        // the first entry is selected: the start is orange, the finish red. Each square covers its tile and
        // the neighbours to the left, above and above-left.
        // clang-format off
        const struct { int x, y; QColor colour; } expected[] = {
            {66, 100, kRouteGreen}, {67, 101, kRouteGreen}, {76, 100, PaletteColour(63)},
            {20, 20, PaletteColour(28)}, {23, 21, PaletteColour(86)}, {120, 120, PaletteColour(211)},
            {58, 98, kOrange}, {61, 101, kOrange}, {62, 100, kRouteGreen},
            {70, 98, kRed}, {73, 101, kRed}, {74, 101, PaletteColour(63)}, {69, 97, PaletteColour(211)}};
        // clang-format on
        const QImage shown = GrabMap(W());
        for (const auto& e : expected) {
            QVERIFY2(At(shown, e.x, e.y) == e.colour, qPrintable(QStringLiteral("%1,%2").arg(e.x).arg(e.y)));
        }
        ClickListRow(W(), 1);
        const QImage reselected = GrabMap(W());
        QCOMPARE(At(reselected, 60, 100), kRed);
        QCOMPARE(At(reselected, 72, 100), kOrange);
    }

    // A file may name tiles off the map; they draw nothing and route nowhere. Corner squares are clipped.
    void squaresAtTheMapCornersAreClipped() {
        SetCheckpoints(W(), {{0, 0}, {127, 127}, {300, 65535}});
        W().RebuildRoute();
        const QImage shown = GrabMap(W());
        QCOMPARE(At(shown, 0, 0), kOrange);
        QCOMPARE(At(shown, 1, 1), kOrange);
        QVERIFY(At(shown, 2, 2) != kOrange && At(shown, 2, 0) != kOrange);
        for (const int p : {252, 253, 254, 255}) {
            QCOMPARE(At(shown, p, 255), kRed);
            QCOMPARE(At(shown, 255, p), kRed);
        }
        QVERIFY(At(shown, 251, 255) != kRed);
    }

    // On a screen with two device pixels per logical pixel every map pixel becomes a sharp 2 x 2 block.
    void highDpiScreensShowTheMapUnsmoothed() {
        for (int x = 0; x < 128; x += 2) {
            W().City().SetBuilding(x, (x * 7) % 128, 81);
            W().City().SetBuilding(x + 1, (x * 3) % 128, 5);
        }
        W().RebuildRoute();
        QPixmap device(512, 512);
        device.setDevicePixelRatio(2.0);
        W().Control(1041)->render(&device);
        const QImage shown = device.toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(512, 512));
        const QImage& picture = W().MapImage();
        QCOMPARE(CountPixels(shown,
                             [&](int x, int y, QColor c) {
                                 return c != PaletteColour(picture.pixelIndex(x / 2, y / 2));
                             }),
                 0);
    }

    // A generated city is drawn and takes a course; pictures of the window for a person to look at: fresh,
    // and with that course.
    void generatedCityTakesACourseAndWritesScreenshots() {
        QDir().mkpath(QStringLiteral(RW_SCREENSHOT_DIR));
        QVERIFY(W().grab().save(QStringLiteral(RW_SCREENSHOT_DIR "/editor-fresh.png")));
        QVERIFY(LoadGeneratedCity(*m_editor, 3));
        QCOMPARE(FieldText(W(), 1017), QStringLiteral("harbour.urb"));
        QVERIFY(CountPixels(GrabMap(W()), [](int x, int y, QColor c) {
                    return c != PaletteColour(BlankIndex(x, y));
                }) > 4000);
        SetFieldText(W(), 1077, QStringLiteral("Harbour Sprint"));
        SetFieldText(W(), 1079, QStringLiteral("240"));
        SetFieldText(W(), 1074, QStringLiteral("15"));
        const std::vector<QPoint> roads = RoadTiles(W(), 4);
        QCOMPARE(roads.size(), std::size_t{4});
        for (const QPoint& tile : roads) {
            MoveMouseTo(W(), TilePoint(W(), tile.x(), tile.y()));
            QCOMPARE(StatusText(W()), QStringLiteral("%1,%2 - Road Here").arg(tile.x()).arg(tile.y()));
            ClickAt(W(), Qt::LeftButton, TilePoint(W(), tile.x(), tile.y()));
        }
        QCOMPARE(W().GetScenario().checkpoints.size(), std::size_t{4});
        QVERIFY(std::count_if(W().RouteTiles().begin(), W().RouteTiles().end(),
                              [](auto m) { return m != 0; }) > 4);
        QVERIFY(CountPixels(GrabMap(W()), [](int, int, QColor c) { return c == kRouteGreen; }) > 0);
        for (int i = 0; i < 3; ++i) {
            W().OnDeltaposRacersSpin(-1);
        }
        MoveMouseTo(W(), TilePoint(W(), roads.front().x(), roads.front().y()));
        QVERIFY(W().grab().save(QStringLiteral(RW_SCREENSHOT_DIR "/editor-course.png")));
    }

    // The pointer first on a road tile, then at the point: pixels halve with truncation toward zero.
    void statusLine_data() {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QString>("status");
        QTest::newRow("police") << QPoint(7, 9) << "3,4 - Police Station";
        QTest::newRow("no road") << QPoint(8, 8) << "4,4 - No Road Here";
        QTest::newRow("road 90") << QPoint(10, 8) << "5,4 - Road Here";
        QTest::newRow("last pixel") << QPoint(255, 255) << "127,127 - No Road Here";
        QTest::newRow("x -1") << QPoint(-1, 10) << "0,5 - Mayor's House";
        QTest::newRow("x -2") << QPoint(-2, 10) << "";
        QTest::newRow("x 256") << QPoint(256, 0) << "";
        QTest::newRow("y 256") << QPoint(10, 256) << "";
    }
    void statusLine() {
        QFETCH(QPoint, pixel);
        QFETCH(QString, status);
        for (const auto& [x, y, code] :
             {std::array{12, 40, 81}, {3, 4, 210}, {4, 4, 73}, {5, 4, 90}, {0, 5, 243}}) {
            W().City().SetBuilding(x, y, static_cast<std::uint8_t>(code));
        }
        SetFieldText(W(), 1017, QStringLiteral("city.urb"));
        MoveMouseTo(W(), TilePoint(W(), 12, 40));
        QCOMPARE(StatusText(W()), QStringLiteral("12,40 - Road Here"));
        MoveMouseTo(W(), MapPixel(W(), pixel.x(), pixel.y()));
        QCOMPARE(StatusText(W()), status);
    }

    // Without a city named, and over another control, the status line keeps its text.
    void statusLineKeepsItsTextWithoutACityOrOverAControl() {
        W().City().SetBuilding(12, 40, 81);
        MoveMouseTo(W(), TilePoint(W(), 12, 40));
        QCOMPARE(StatusText(W()), QString());
        SetFieldText(W(), 1017, QStringLiteral("city.urb"));
        MoveMouseTo(W(), TilePoint(W(), 12, 40) + QPoint(1, 1));
        QCOMPARE(StatusText(W()), QStringLiteral("12,40 - Road Here"));
        MoveMouseTo(W(), W().Control(1009)->geometry().center());
        QCOMPARE(StatusText(W()), QStringLiteral("12,40 - Road Here"));
        SetFieldText(W(), 1017, QString());
        MoveMouseTo(W(), MapPixel(W(), 300, 300));
        QCOMPARE(StatusText(W()), QStringLiteral("12,40 - Road Here"));
    }

    void leftClicksAddCheckpointsOnRoadsOnly() {
        for (const auto& [x, code] : {std::pair{20, 29}, {21, 107}, {22, 73}, {23, 210}}) {
            W().City().SetBuilding(x, 30, static_cast<std::uint8_t>(code));
        }
        W().City().SetBuilding(0, 0, 81);
        SetFieldText(W(), 1017, QStringLiteral("city.urb"));
        SetFieldText(W(), 1077, QStringLiteral("Typed"));
        ClickAt(W(), Qt::LeftButton, TilePoint(W(), 22, 30) + QPoint(1, 1));
        ClickAt(W(), Qt::LeftButton, TilePoint(W(), 23, 30));
        ClickAt(W(), Qt::LeftButton, TilePoint(W(), 40, 40));
        ClickAt(W(), Qt::LeftButton, MapPixel(W(), 256, 60));
        ClickAt(W(), Qt::LeftButton, MapPixel(W(), -2, 0));
        QVERIFY(W().GetScenario().checkpoints.empty());
        QVERIFY(!W().IsModified());
        QCOMPARE(W().GetScenario().name, std::string("Typed"));  // the click took the fields first
        ClickAt(W(), Qt::LeftButton, TilePoint(W(), 20, 30) + QPoint(1, 1));
        QCOMPARE(W().GetScenario().checkpoints, (Tiles{{20, 30}}));
        QVERIFY(W().IsModified());
        QCOMPARE(ListLabels(W()), QStringList{"START"});
        QCOMPARE(W().SelectedCheckpoint(), 0);
        ClickAt(W(), Qt::LeftButton, TilePoint(W(), 21, 30));
        ClickAt(W(), Qt::LeftButton, TilePoint(W(), 21, 30));
        ClickAt(W(), Qt::LeftButton, MapPixel(W(), -1, -1));
        QCOMPARE(W().GetScenario().checkpoints, (Tiles{{20, 30}, {21, 30}, {21, 30}, {0, 0}}));
        QCOMPARE(ListLabels(W()), (QStringList{"START", "Checkpoint 1", "Checkpoint 2", "FINISH"}));
        QCOMPARE(ListSelectionRow(W()), 0);
        QCOMPARE(FieldText(W(), 1077), QStringLiteral("Typed"));
    }

    // A right click moves the selected checkpoint without marking the race modified; a refused tile moves
    // nothing; either way the list is refilled with the first entry selected.
    void rightClickMovesTheSelectedCheckpoint() {
        for (int x = 50; x < 56; ++x) {
            W().City().SetBuilding(x, 60, 81);
        }
        W().City().SetBuilding(56, 60, 74);
        SetFieldText(W(), 1017, QStringLiteral("city.urb"));
        ClickAt(W(), Qt::RightButton, TilePoint(W(), 50, 60));
        QVERIFY(W().GetScenario().checkpoints.empty());
        SetCheckpoints(W(), {{50, 60}, {51, 60}, {52, 60}});
        ClickAt(W(), Qt::RightButton, TilePoint(W(), 54, 60));
        QCOMPARE(W().GetScenario().checkpoints, (Tiles{{54, 60}, {51, 60}, {52, 60}}));
        QVERIFY(!W().IsModified());
        ClickListRow(W(), 1);
        QCOMPARE(W().SelectedCheckpoint(), 1);
        ClickAt(W(), Qt::RightButton, TilePoint(W(), 55, 60));
        QCOMPARE(W().GetScenario().checkpoints, (Tiles{{54, 60}, {55, 60}, {52, 60}}));
        QCOMPARE(ListSelectionRow(W()), 0);
        QCOMPARE(W().SelectedCheckpoint(), 0);
        ClickListRow(W(), 2);
        ClickAt(W(), Qt::RightButton, TilePoint(W(), 56, 60));
        QCOMPARE(W().GetScenario().checkpoints, (Tiles{{54, 60}, {55, 60}, {52, 60}}));
        QCOMPARE(W().SelectedCheckpoint(), 0);
        QVERIFY(!W().IsModified());
    }

    void deleteRemovesTheSelectedCheckpointAndShiftsTheLabels() {
        auto* deleteButton = W().ControlAs<QPushButton>(1007);
        QTest::mouseClick(deleteButton, Qt::LeftButton);  // nothing selected after start-up
        QVERIFY(!W().IsModified());
        SetCheckpoints(W(), {{70, 5}, {71, 5}, {72, 5}, {73, 5}});
        ClickListRow(W(), 2);
        QTest::mouseClick(deleteButton, Qt::LeftButton);
        QCOMPARE(W().GetScenario().checkpoints, (Tiles{{70, 5}, {71, 5}, {73, 5}}));
        QCOMPARE(ListLabels(W()), (QStringList{"START", "Checkpoint 1", "FINISH"}));
        QVERIFY(W().IsModified());
        QCOMPARE(W().SelectedCheckpoint(), 0);
        QTest::mouseClick(deleteButton, Qt::LeftButton);  // the first entry is selected again
        QCOMPARE(W().GetScenario().checkpoints, (Tiles{{71, 5}, {73, 5}}));
        QCOMPARE(ListLabels(W()), (QStringList{"START", "FINISH"}));
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(deleteButton, Qt::LeftButton);
        }
        QVERIFY(W().GetScenario().checkpoints.empty());
        QCOMPARE(W().SelectedCheckpoint(), -1);
    }

    // Only a left click on an entry (or the keys) changes the selection; what shows selected is what Delete
    // removes. Selecting an entry takes the fields into the document without marking it modified.
    void listKeepsItsSelectionAgainstOtherClicks() {
        SetCheckpoints(W(), {{1, 1}, {2, 2}, {3, 3}});
        SetFieldText(W(), 1079, QStringLiteral("120"));
        ClickListRow(W(), 1);
        QCOMPARE(W().GetScenario().timeLimit, 120);
        QVERIFY(!W().IsModified());
        auto* list = W().ControlAs<QListWidget>(1001);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(10, list->viewport()->height() - 5));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->item(1)).center());
        QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                          list->visualItemRect(list->item(2)).center());
        QCOMPARE(ListSelectionRow(W()), 1);
        QCOMPARE(W().SelectedCheckpoint(), 1);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(ListSelectionRow(W()), 2);
        QCOMPARE(W().SelectedCheckpoint(), 2);
        W().DeleteCheckpoint();
        QCOMPARE(W().GetScenario().checkpoints, (Tiles{{1, 1}, {2, 2}}));
    }

    // Random edits; after each the list holds the labels and item data a fill from empty would give, entry 0
    // selected (none when empty) and the view at the top.
    void everyEditLeavesTheListAsAFreshFillWould() {
        auto* list = W().ControlAs<QListWidget>(1001);
        std::mt19937 rng(21);
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        for (int step = 0; step < 400; ++step) {
            int count = static_cast<int>(W().GetScenario().checkpoints.size());
            const int kind = pick(10);
            if (kind < 4) {
                W().AddCheckpoint(pick(128), pick(128));
            } else if (kind < 6 && count > 0) {
                ClickListRow(W(), pick(count));
                W().DeleteCheckpoint();
            } else if (kind == 6) {  // a lap count taken into the document, as the Laps spin does
                SetFieldText(W(), 1072, QString::number(pick(3)));
                W().ReadFieldsIntoScenario();
                W().RefillCheckpointList();
            } else if (kind == 7 && count > 0) {
                W().MoveCheckpoint(pick(128), pick(128));
                W().RefillCheckpointList();
            } else if (kind == 8) {  // the whole list replaced, as New and Load do
                W().GetScenario().checkpoints.resize(static_cast<std::size_t>(pick(2) == 0 ? 0 : pick(60)));
                W().RefillCheckpointList();
            } else {
                list->scrollToBottom();
                W().RefillCheckpointList();
            }
            count = static_cast<int>(W().GetScenario().checkpoints.size());
            const int laps = FieldText(W(), 1072).toInt();
            const QByteArray where = "step " + QByteArray::number(step);
            QVERIFY2(list->count() == count, where);
            for (int row = 0; row < count; ++row) {
                const std::string label = rw::route::CheckpointLabel(row, count, laps);
                QVERIFY2(list->item(row)->text() == QString::fromStdString(label), where);
                QVERIFY2(list->item(row)->data(Qt::UserRole).toInt() == row, where);
            }
            QVERIFY2(ListSelectionRow(W()) == (count > 0 ? 0 : -1), where);
            QVERIFY2(W().SelectedCheckpoint() == (count > 0 ? 0 : -1), where);
            QVERIFY2(list->verticalScrollBar()->value() == 0, where);
        }
    }
};

QTEST_MAIN(MapTest)
#include "MapTest.moc"
