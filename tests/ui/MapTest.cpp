// The map as the window shows it: the painted picture, route and checkpoint squares, screenshots; mouse input
// delivered to the editor in map coordinates (and not when a control has it); the list's selection rules.
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>

#include "UiTestSupport.h"
#include "city/CityGenerator.h"
#include "city/CityMap.h"
#include "city/TileCodes.h"
#include "city/WriteCityFile.h"
#include "res/BlankMap.h"
#include "res/MapPalette.h"
#include "ui/MagnifiedMapDlg.h"

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
    QImage image = window.Control(ControlId::Map)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    return image.scaled(256, 256);
}
QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}
int CountPixels(const QImage& image, const std::function<bool(int, int, QColor)>& wanted) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += wanted(x, y, At(image, x, y)) ? 1 : 0;
        }
    }
    return count;
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

class MapTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<EditorUnderTest> m_editor;
    CourseEditorDlg& W() { return **m_editor; }
    const Tiles& Checkpoints() { return W().Editor().GetScenario().checkpoints; }
    void ClickTile(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        ClickAt(W(), button, TilePoint(W(), x, y) + QPoint(1, 1));
    }

  private slots:
    void init() {
        m_editor = std::make_unique<EditorUnderTest>();
        QVERIFY(m_editor->Show());
    }
    void cleanup() { QVERIFY(m_editor->host.unexpected.empty()); }

    // Also: the commands repaint the whole window after a load; the map must be part of that repaint.
    void freshWindowPaintsTheBlankPictureAndRepaintsWithTheWindow() {
        QCOMPARE(CountPixels(GrabMap(W()),
                             [](int x, int y, QColor c) { return c != PaletteColour(BlankIndex(x, y)); }),
                 0);
        PaintCounter counter;
        W().Control(ControlId::Map)->installEventFilter(&counter);
        QTest::qWait(50);
        counter.paints = 0;
        W().update();
        QTRY_VERIFY(counter.paints > 0);
    }

    // Tiles between the checkpoints are on the route; the road beyond the finish is white. After an edit the
    // checkpoint it added is selected: the finish is orange, the start red. Each square covers its tile and
    // the neighbours to the left, above and above-left.
    void routeAndSquaresArePaintedOverTheCity() {
        m_editor->LoadTown();
        ClickTile(20, kRoadRow);
        ClickTile(30, kRoadRow);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {30, 40}}));
        const struct {
            int x, y;
            QColor colour;
        } expected[] = {{50, 80, kRouteGreen}, {51, 81, kRouteGreen}, {70, 80, PaletteColour(63)},
                        {38, 78, kRed},        {41, 81, kRed},        {42, 80, kRouteGreen},
                        {58, 78, kOrange},     {61, 81, kOrange},     {62, 81, PaletteColour(63)}};
        const QImage shown = GrabMap(W());
        for (const auto& e : expected) {
            QVERIFY2(At(shown, e.x, e.y) == e.colour, qPrintable(QStringLiteral("%1,%2").arg(e.x).arg(e.y)));
        }
        ClickListRow(W(), 0);
        const QImage reselected = GrabMap(W());
        QCOMPARE(At(reselected, 40, 80), kOrange);
        QCOMPARE(At(reselected, 60, 80), kRed);
    }

    // A file may name tiles off the map; they draw nothing and route nowhere. Corner squares are clipped. On
    // a screen with two device pixels per logical pixel every map pixel becomes a sharp 2 x 2 block.
    void cornersAndHighDpi() {
        rw::scenario::Scenario race;
        race.cityFile = "town.urb";
        race.laps = 2;
        race.checkpoints = {{0, 0}, {127, 127}, {300, 65535}};
        QVERIFY(m_editor->folder.WriteScenario("corners.scn", race));
        m_editor->host.scenarioPicks.push_back("corners.scn");
        W().Editor().OnLoadScenario();
        QVERIFY(m_editor->host.messages.empty());
        const QImage shown = GrabMap(W());
        QCOMPARE(At(shown, 0, 0), kOrange);
        QCOMPARE(At(shown, 1, 1), kOrange);
        QVERIFY(At(shown, 2, 2) != kOrange && At(shown, 2, 0) != kOrange);
        for (const int p : {252, 253, 254, 255}) {
            QCOMPARE(At(shown, p, 255), kRed);
            QCOMPARE(At(shown, 255, p), kRed);
        }
        QVERIFY(At(shown, 251, 255) != kRed);
        // The off-map checkpoint's legs have no road: drawn as lines and named under the controls.
        QVERIFY(!W().ControlAs<QLabel>(ControlId::RouteProblem)->text().isEmpty());
        QDir().mkpath(QStringLiteral(RW_SCREENSHOT_DIR));
        QVERIFY(W().grab().save(QStringLiteral(RW_SCREENSHOT_DIR "/editor-broken-leg.png")));

        QPixmap device(512, 512);
        device.setDevicePixelRatio(2.0);
        W().Control(ControlId::Map)->render(&device);
        const QImage sharp = device.toImage().convertToFormat(QImage::Format_RGB32);
        const QImage& picture = W().MapImage();
        QCOMPARE(CountPixels(sharp,
                             [&](int x, int y, QColor c) {
                                 return x >= 8 && y >= 8 && x < 500 && y < 500 &&
                                        c != PaletteColour(picture.pixelIndex(x / 2, y / 2));
                             }),
                 0);
    }

    // A generated city is drawn and takes a course through real clicks; pictures of the window for a person
    // to look at: fresh, and with that course.
    void generatedCityTakesACourseAndWritesScreenshots() {
        QDir().mkpath(QStringLiteral(RW_SCREENSHOT_DIR));
        QVERIFY(W().grab().save(QStringLiteral(RW_SCREENSHOT_DIR "/editor-fresh.png")));
        rw::city::CityGeneratorOptions options;
        options.seed = 3;
        options.name = "Harbour Heights";
        QVERIFY(
            rw::city::WriteCityFile(rw::city::GenerateCity(options), m_editor->folder.City("harbour.urb")));
        m_editor->host.cityPicks.push_back("harbour.urb");
        W().Editor().OnLoadCityFile();
        QCOMPARE(FieldText(W(), ControlId::CityFile), QStringLiteral("harbour.urb"));
        W().SetText(ControlId::RaceTitle, "Harbour Sprint");
        W().SetText(ControlId::TimeLimit, "240");
        std::vector<QPoint> roads;
        for (int y = 10; y < 128 && roads.size() < 4; y += 23) {
            for (int x = 8; x < 128 && roads.size() < 4; ++x) {
                if (rw::city::IsRoadTile(W().Editor().City().Building(x, y))) {
                    roads.emplace_back(x, y);
                    x += 25;
                }
            }
        }
        QCOMPARE(roads.size(), std::size_t{4});
        for (const QPoint& tile : roads) {
            MoveMouseTo(W(), TilePoint(W(), tile.x(), tile.y()));
            QCOMPARE(StatusText(W()), QStringLiteral("%1,%2 - Road Here").arg(tile.x()).arg(tile.y()));
            ClickAt(W(), Qt::LeftButton, TilePoint(W(), tile.x(), tile.y()));
        }
        QCOMPARE(Checkpoints().size(), std::size_t{4});
        QVERIFY(CountPixels(GrabMap(W()), [](int, int, QColor c) { return c == kRouteGreen; }) > 0);
        QVERIFY(W().grab().save(QStringLiteral(RW_SCREENSHOT_DIR "/editor-course.png")));
    }

    // A control under the pointer has the mouse to itself: moving over it keeps the status line, and a right
    // click on a push button or a spin arrow is no right click on the map (the selection stays).
    void controlsKeepTheMouse() {
        m_editor->LoadTown();
        MoveMouseTo(W(), TilePoint(W(), 12, kRoadRow) + QPoint(1, 1));
        QCOMPARE(StatusText(W()), QStringLiteral("12,40 - Road Here"));
        MoveMouseTo(W(), W().Control(ControlId::SaveScenario)->geometry().center());
        QCOMPARE(StatusText(W()), QStringLiteral("12,40 - Road Here"));
        for (const int x : {20, 30, 40}) {
            ClickTile(x, kRoadRow);
        }
        ClickListRow(W(), 1);
        for (const ControlId id :
             {ControlId::SaveScenario, ControlId::LapsSpin, ControlId::DeleteCheckpoint}) {
            // Outside the map the right button also opens the window's menu: close it.
            QTimer::singleShot(50, [] {
                if (QWidget* menu = QApplication::activePopupWidget()) {
                    menu->close();
                }
            });
            ClickAt(W(), Qt::RightButton, W().Control(id)->geometry().center());
        }
        QCOMPARE(W().Editor().SelectedCheckpoint(), 1);
        ClickTile(25, kRoadRow, Qt::RightButton);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {25, 40}, {40, 40}}));
    }

    // The editing keys reach the editor from the list and from a field (whose own undo they override); Ctrl
    // inserts, and a right-button drag moves the selected checkpoint as the pointer goes.
    void editingKeysAndGestures() {
        m_editor->LoadTown();
        ClickTile(20, kRoadRow);
        ClickTile(30, kRoadRow);
        auto* list = W().ControlAs<QListWidget>(ControlId::CheckpointList);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Checkpoints(), (Tiles{{30, 40}, {20, 40}}));
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}}));
        auto* title = W().ControlAs<QLineEdit>(ControlId::RaceTitle);
        title->setFocus();
        QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Checkpoints(), (Tiles{{30, 40}, {20, 40}}));
        QTest::keyClick(title, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}}));
        ClickTile(40, kRoadRow);
        ClickListRow(W(), 0);
        ClickAt(W(), Qt::LeftButton, TilePoint(W(), kRoadColumn, 50), Qt::ControlModifier);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {60, 50}, {40, 40}}));
        QTest::mousePress(W().windowHandle(), Qt::RightButton, {}, TilePoint(W(), kRoadColumn, 20));
        QMouseEvent drag(QEvent::MouseMove, TilePoint(W(), kRoadColumn, 24),
                         W().mapToGlobal(TilePoint(W(), kRoadColumn, 24)), Qt::NoButton, Qt::RightButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&W(), &drag);
        QTest::mouseRelease(W().windowHandle(), Qt::RightButton, {}, TilePoint(W(), kRoadColumn, 24));
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {60, 24}, {40, 40}}));
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {60, 50}, {40, 40}}));
    }

    // Ctrl+M opens the magnified map: every map pixel a crisp block, the same marks, hover texts and clicks.
    void magnifiedMap() {
        m_editor->LoadTown();
        ClickTile(20, kRoadRow);
        QTest::keyClick(&W(), Qt::Key_M, Qt::ControlModifier);
        auto* magnified = W().findChild<MagnifiedMapDlg*>(QStringLiteral("magnifiedMap"));
        QVERIFY(magnified != nullptr && magnified->isVisible());
        magnified->SetZoom(9);
        QCOMPARE(magnified->Zoom(), MagnifiedMapDlg::kMaxZoom);
        magnified->SetZoom(4);
        QWidget* area = magnified->MapArea();
        QCOMPARE(area->size(), QSize(1024, 1024));
        ClickAt(W(), Qt::LeftButton, MapPixel(W(), 300, 300));  // off the map: nothing
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(4 * 61 + 2, 4 * 81 + 3));
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {30, 40}}));
        QMouseEvent hover(QEvent::MouseMove, QPoint(4 * 24, 4 * 80),
                          area->mapToGlobal(QPoint(4 * 24, 4 * 80)), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(area, &hover);
        QDir().mkpath(QStringLiteral(RW_SCREENSHOT_DIR));
        QVERIFY(magnified->grab().save(QStringLiteral(RW_SCREENSHOT_DIR "/editor-magnified.png")));
        QCOMPARE(magnified->findChild<QLabel*>(QStringLiteral("magnifiedStatus"))->text(),
                 QStringLiteral("12,40 - Road Here"));
        const QImage big = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage small = GrabMap(W());
        for (const QPoint& p : {QPoint(40, 80), QPoint(60, 80), QPoint(50, 81), QPoint(7, 200)}) {
            for (const QPoint& d : {QPoint(0, 0), QPoint(3, 3)}) {
                QCOMPARE(At(big, 4 * p.x() + d.x(), 4 * p.y() + d.y()), At(small, p.x(), p.y()));
            }
        }
    }

    // Only a left click on an entry (or the keys) changes the selection; what shows selected is what Delete
    // removes.
    void listKeepsItsSelectionAgainstOtherClicks() {
        m_editor->LoadTown();
        for (const int x : {20, 30, 40}) {
            ClickTile(x, kRoadRow);
        }
        ClickListRow(W(), 1);
        auto* list = W().ControlAs<QListWidget>(ControlId::CheckpointList);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(10, list->viewport()->height() - 5));
        ClickListRow(W(), 1, Qt::ControlModifier);
        QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                          list->visualItemRect(list->item(2)).center());
        QCOMPARE(W().ListSelection(), 1);
        QCOMPARE(W().Editor().SelectedCheckpoint(), 1);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(W().Editor().SelectedCheckpoint(), 2);
        QTest::mouseClick(W().Control(ControlId::DeleteCheckpoint), Qt::LeftButton);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {30, 40}}));
        QCOMPARE(ListLabels(W()), (QStringList{"START", "FINISH"}));
    }
};

QTEST_MAIN(MapTest)
#include "MapTest.moc"
