// The painted map: the picture's colours, the route, the checkpoint squares, and a generated city.
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QTest>

#include <array>

#include "EditorTestSupport.h"
#include "UiTestRegistry.h"
#include "city/CityGenerator.h"
#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "city/TileCodes.h"
#include "city/WriteCityFile.h"
#include "res/BlankMap.h"
#include "res/MapPalette.h"

namespace rw::ui::test {

namespace {

QColor PaletteColour(int index) {
    static const std::array<rw::res::Rgb, 256> palette = rw::res::MapPalette();
    const rw::res::Rgb rgb = palette[static_cast<std::size_t>(index)];
    return QColor(rgb.r, rgb.g, rgb.b);
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

// Loads a generated city through a city file in the window's game folder, as Load City File does.
bool LoadGeneratedCity(EditorUnderTest& editor, std::uint64_t seed, const QString& fileName) {
    rw::city::CityGeneratorOptions options;
    options.seed = seed;
    options.name = "Harbour Heights";
    const rw::city::CityData city = rw::city::GenerateCity(options);
    QDir(editor.GameFolder()).mkpath(QStringLiteral("cities"));
    const QString path = editor.GameFolder() + QStringLiteral("cities/") + fileName;
    if (!rw::city::WriteCityFile(city, path.toStdString()) ||
        !rw::city::LoadCityFile(editor->City(), path.toStdString())) {
        return false;
    }
    editor->GetScenario().cityFile = fileName.toStdString();
    editor->ShowScenarioInFields();
    editor->RebuildRoute();
    return true;
}

// Road tiles along one row, far enough apart to show a route between them.
std::vector<QPoint> RoadTiles(const CourseEditorDlg& window, int wanted) {
    std::vector<QPoint> roads;
    for (int y = 10; y < 128 && static_cast<int>(roads.size()) < wanted; y += 23) {
        for (int x = 8; x < 128; ++x) {
            if (rw::city::IsRoadTile(window.City().Building(x, y))) {
                roads.emplace_back(x, y);
                x += 25;
                if (static_cast<int>(roads.size()) == wanted) {
                    break;
                }
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

}  // namespace

class MapPaintTest : public QObject {
    Q_OBJECT

  private slots:
    void freshWindowPaintsTheBlankPicture() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        const QImage shown = GrabMap(*editor);
        const auto blank = rw::res::BlankMapPixels();
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const int index = blank[static_cast<std::size_t>((255 - y) * 256 + x)];
                if (At(shown, x, y) != PaletteColour(index)) {
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
                }
            }
        }
    }

    // The commands repaint the whole window after a load; the map must be part of that repaint.
    void repaintingTheWindowRepaintsTheMap() {
        EditorUnderTest editor;
        QVERIFY(editor.Show());
        PaintCounter counter;
        editor->Control(1041)->installEventFilter(&counter);
        QTest::qWait(50);
        counter.paints = 0;
        editor->update();
        QTRY_VERIFY(counter.paints > 0);
    }

    void routeAndSquaresArePaintedOverTheCity() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        for (int x = 30; x <= 40; ++x) {
            window.City().SetBuilding(x, 50, 81);
        }
        window.City().SetBuilding(10, 10, 5);
        window.City().SetBuilding(11, 10, 12);
        window.AddCheckpoint(30, 50);
        window.AddCheckpoint(36, 50);
        const QImage shown = GrabMap(window);
        // Tiles between the checkpoints are on the route; the road beyond the finish is white.
        QCOMPARE(At(shown, 2 * 33, 2 * 50), kRouteGreen);
        QCOMPARE(At(shown, 2 * 33 + 1, 2 * 50 + 1), kRouteGreen);
        QCOMPARE(At(shown, 2 * 38, 2 * 50), PaletteColour(63));
        QCOMPARE(At(shown, 2 * 10, 2 * 10), PaletteColour(28));
        QCOMPARE(At(shown, 2 * 11 + 1, 2 * 10 + 1), PaletteColour(86));
        QCOMPARE(At(shown, 2 * 60, 2 * 60), PaletteColour(211));
        // After an edit the first entry is selected: the start is orange, the finish red. Each square covers
        // its tile and the neighbours to the left, above and above-left.
        QCOMPARE(At(shown, 2 * 30 - 2, 2 * 50 - 2), kOrange);
        QCOMPARE(At(shown, 2 * 30 + 1, 2 * 50 + 1), kOrange);
        QCOMPARE(At(shown, 2 * 30 + 2, 2 * 50), kRouteGreen);
        QCOMPARE(At(shown, 2 * 36 - 2, 2 * 50 - 2), kRed);
        QCOMPARE(At(shown, 2 * 36 + 1, 2 * 50 + 1), kRed);
        QCOMPARE(At(shown, 2 * 36 + 2, 2 * 50 + 1), PaletteColour(63));
        QCOMPARE(At(shown, 2 * 36 - 3, 2 * 50 - 3), PaletteColour(211));

        ClickListRow(window, 1);
        const QImage reselected = GrabMap(window);
        QCOMPARE(At(reselected, 2 * 30, 2 * 50), kRed);
        QCOMPARE(At(reselected, 2 * 36, 2 * 50), kOrange);
    }

    void squaresAtTheMapCornersAreClipped() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        // A file may name tiles off the map; they draw nothing and route nowhere.
        window.GetScenario().checkpoints = {{0, 0}, {127, 127}, {300, 65535}};
        window.RefillCheckpointList();
        window.RebuildRoute();
        const QImage shown = GrabMap(window);
        QCOMPARE(At(shown, 0, 0), kOrange);
        QCOMPARE(At(shown, 1, 1), kOrange);
        QVERIFY(At(shown, 2, 2) != kOrange);
        QVERIFY(At(shown, 2, 0) != kOrange);
        for (const int p : {252, 253, 254, 255}) {
            QCOMPARE(At(shown, p, 255), kRed);
            QCOMPARE(At(shown, 255, p), kRed);
        }
        QVERIFY(At(shown, 251, 255) != kRed);
    }

    // On a screen with two device pixels per logical pixel every map pixel becomes a sharp 2 x 2 block.
    void highDpiScreensShowTheMapUnsmoothed() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        for (int x = 0; x < 128; x += 2) {
            window.City().SetBuilding(x, (x * 7) % 128, 81);
            window.City().SetBuilding(x + 1, (x * 3) % 128, 5);
        }
        window.RebuildRoute();
        QPixmap device(512, 512);
        device.setDevicePixelRatio(2.0);
        window.Control(1041)->render(&device);
        const QImage shown = device.toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(512, 512));
        const QImage& picture = window.MapImage();
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const QColor expected = PaletteColour(picture.pixelIndex(x, y));
                for (const QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                    if (At(shown, 2 * x + corner.x(), 2 * y + corner.y()) != expected) {
                        QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
                    }
                }
            }
        }
    }

    void generatedCityIsDrawnAndTakesACourse() {
        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        QVERIFY(LoadGeneratedCity(editor, 7, QStringLiteral("harbour.urb")));
        QCOMPARE(FieldText(window, 1017), QStringLiteral("harbour.urb"));
        const QImage city = GrabMap(window);
        const auto blank = rw::res::BlankMapPixels();
        int differing = 0;
        for (int y = 0; y < 256; y += 2) {
            for (int x = 0; x < 256; x += 2) {
                const int index = blank[static_cast<std::size_t>((255 - y) * 256 + x)];
                differing += At(city, x, y) != PaletteColour(index) ? 1 : 0;
            }
        }
        QVERIFY(differing > 1000);

        const std::vector<QPoint> roads = RoadTiles(window, 3);
        QCOMPARE(roads.size(), std::size_t{3});
        for (const QPoint& tile : roads) {
            MoveMouseTo(window, TilePoint(window, tile.x(), tile.y()));
            QCOMPARE(StatusText(window), QStringLiteral("%1,%2 - Road Here").arg(tile.x()).arg(tile.y()));
            ClickAt(window, Qt::LeftButton, TilePoint(window, tile.x(), tile.y()));
        }
        QCOMPARE(window.GetScenario().checkpoints.size(), std::size_t{3});
        int routeTiles = 0;
        for (const std::uint8_t marked : window.RouteTiles()) {
            routeTiles += marked != 0 ? 1 : 0;
        }
        QVERIFY(routeTiles > 3);
        const QImage course = GrabMap(window);
        int green = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                green += At(course, x, y) == kRouteGreen ? 1 : 0;
            }
        }
        QVERIFY(green > 0);
    }

    // Pictures of the window for a person to look at: fresh, and with a course on a generated city.
    void writesScreenshots() {
        QDir().mkpath(QStringLiteral(RW_SCREENSHOT_DIR));
        EditorUnderTest fresh;
        QVERIFY(fresh.Show());
        QVERIFY(fresh->grab().save(QStringLiteral(RW_SCREENSHOT_DIR "/editor-fresh.png")));

        EditorUnderTest editor;
        CourseEditorDlg& window = *editor;
        QVERIFY(editor.Show());
        QVERIFY(LoadGeneratedCity(editor, 3, QStringLiteral("harbour.urb")));
        SetFieldText(window, 1077, QStringLiteral("Harbour Sprint"));
        SetFieldText(window, 1079, QStringLiteral("240"));
        SetFieldText(window, 1074, QStringLiteral("15"));
        for (const QPoint& tile : RoadTiles(window, 4)) {
            ClickAt(window, Qt::LeftButton, TilePoint(window, tile.x(), tile.y()));
        }
        window.OnDeltaposRacersSpin(-1);
        window.OnDeltaposRacersSpin(-1);
        window.OnDeltaposRacersSpin(-1);
        MoveMouseTo(window,
                    TilePoint(window, RoadTiles(window, 1).front().x(), RoadTiles(window, 1).front().y()));
        QVERIFY(window.grab().save(QStringLiteral(RW_SCREENSHOT_DIR "/editor-course.png")));
    }
};

RW_UI_TEST(MapPaintTest)

}  // namespace rw::ui::test

#include "MapPaintTest.moc"
