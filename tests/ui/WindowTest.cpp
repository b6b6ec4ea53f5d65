// The Qt editor window's wiring: the map as painted, the tile under the pointer, the mouse gestures, the
// fields beside their labels, the spins, the keys, the broken-leg line and the magnified map.
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <memory>
#include <vector>

#include "editor/ScratchGameFolder.h"
#include "editor/ScriptedHost.h"
#include "res/BlankMap.h"
#include "res/MapPalette.h"
#include "ui/CheckpointListView.h"
#include "ui/CourseEditorDlg.h"
#include "ui/MagnifiedMapDlg.h"
#include "ui/SpinArrows.h"

using namespace rw::ui;

namespace {

using rw::editor::ControlId;
using rw::editor::test::kRoadColumn;
using rw::editor::test::kRoadRow;
using Tiles = std::vector<rw::scenario::TilePos>;

// The window over a scratch game folder with cities/town.urb, and its scripted host.
struct EditorUnderTest {
    rw::editor::test::ScratchGameFolder folder;
    rw::editor::test::ScriptedHost host;
    std::unique_ptr<CourseEditorDlg> window;

    EditorUnderTest() {
        folder.WriteCity("town.urb");
        window = std::make_unique<CourseEditorDlg>(host, folder.Path());
    }
    bool Show() {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    void LoadTown() {
        host.cityPicks.push_back("town.urb");
        window->Editor().OnLoadCityFile();
    }
};

QString FieldText(const CourseEditorDlg& window, ControlId id) {
    return window.ControlAs<QLineEdit>(id)->text();
}

// The window's client point of the top-left pixel of map tile (x, y).
QPoint TilePoint(const CourseEditorDlg& window, int x, int y) {
    return window.MapOrigin() + QPoint(2 * x, 2 * y);
}

// Real mouse input through the window system, so it reaches whatever widget lies under the point.
void ClickTile(CourseEditorDlg& window, int x, int y, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(window.windowHandle(), button, modifiers, TilePoint(window, x, y) + QPoint(1, 1));
}
void ClickListRow(CourseEditorDlg& window, int row, Qt::MouseButton button = Qt::LeftButton) {
    auto* list = window.ControlAs<CheckpointListView>(ControlId::CheckpointList);
    QTest::mouseClick(list->viewport(), button, Qt::NoModifier, list->RowRect(row).center());
}

// Key events carrying each character of text (any Unicode text).
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &event);
        }
    }
}

const QColor kRed(255, 0, 0);
const QColor kOrange(246, 110, 0);
const QColor kRouteGreen(0, 255, 0);

// The map area rendered at a device pixel ratio, one logical pixel per ratio x ratio image pixels.
QImage RenderMap(CourseEditorDlg& window, int ratio = 1) {
    QPixmap device(256 * ratio, 256 * ratio);
    device.setDevicePixelRatio(ratio);
    window.Control(ControlId::Map)->render(&device);
    return device.toImage().convertToFormat(QImage::Format_RGB32);
}
// The map as the window last put it on the screen, nothing painted again for the asking.
QImage ScreenMap(CourseEditorDlg& window) {
    QApplication::processEvents();
    const QPoint origin = window.MapOrigin();
    return window.screen()
        ->grabWindow(window.winId(), origin.x(), origin.y(), 256, 256)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}
QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// The text of the nearest label starting left of the control on its row: what a person takes it to be.
QString LabelBeside(const CourseEditorDlg& window, const QWidget* control) {
    const int row = control->geometry().center().y();
    const QLabel* nearest = nullptr;
    for (const QLabel* label : window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect place = label->geometry();
        if (place.left() < control->x() && place.top() <= row && place.bottom() >= row &&
            (nearest == nullptr || place.left() > nearest->x())) {
            nearest = label;
        }
    }
    return nearest == nullptr ? QString() : nearest->text();
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<EditorUnderTest> m_editor;
    CourseEditorDlg& W() { return *m_editor->window; }
    const Tiles& Checkpoints() { return W().Editor().GetScenario().checkpoints; }

  private slots:
    void init() {
        m_editor = std::make_unique<EditorUnderTest>();
        QVERIFY(m_editor->Show());
    }
    void cleanup() { QVERIFY(m_editor->host.unexpected.empty()); }

    // A fresh window shows the blank picture, rows top-down, in the palette's colours.
    void blankPictureInThePalettesColours() {
        const auto blank = rw::res::BlankMapPixels();
        const auto palette = rw::res::MapPalette();
        const QImage shown = RenderMap(W());
        int wrong = 0;
        for (int i = 0; i < 256 * 256; ++i) {
            const rw::res::Rgb c = palette[blank[static_cast<std::size_t>((255 - i / 256) * 256 + i % 256)]];
            wrong += At(shown, i % 256, i / 256) != QColor(c.r, c.g, c.b) ? 1 : 0;
        }
        QCOMPARE(wrong, 0);
    }

    // Tiles between the checkpoints are on the route; the road beyond the finish keeps its colour. The
    // selected checkpoint's square is orange, the others red; each covers its tile and the neighbours to the
    // left, above and above-left. On a two-pixel screen each map pixel is a sharp block. Reselecting in the
    // list swaps the colours.
    void routeAndMarksArePaintedOverTheCity() {
        m_editor->LoadTown();
        ClickTile(W(), 20, kRoadRow);
        ClickTile(W(), 30, kRoadRow);
        const rw::res::Rgb road = rw::res::MapPalette()[63];
        const QColor roadColour(road.r, road.g, road.b);
        const struct {
            int x, y;
            QColor colour;
        } expected[] = {{50, 80, kRouteGreen}, {51, 81, kRouteGreen}, {70, 80, roadColour},
                        {38, 78, kRed},        {41, 81, kRed},        {42, 80, kRouteGreen},
                        {58, 78, kOrange},     {61, 81, kOrange},     {62, 81, roadColour}};
        for (const int r : {1, 2}) {
            const QImage shown = RenderMap(W(), r);
            for (const auto& e : expected) {
                QVERIFY2(At(shown, r * e.x, r * e.y) == e.colour &&
                             At(shown, r * e.x + r - 1, r * e.y + r - 1) == e.colour,
                         qPrintable(QStringLiteral("%1,%2 at %3").arg(e.x).arg(e.y).arg(r)));
            }
        }
        ClickListRow(W(), 0);
        const QImage reselected = RenderMap(W());
        QVERIFY(At(reselected, 40, 80) == kOrange && At(reselected, 60, 80) == kRed);
    }

    // Two screen pixels per tile: the pointer's pixel names its tile in the status line, which stays while
    // the pointer is over a control. A click adds, Ctrl+click inserts after the selected checkpoint, a right
    // drag moves the selected one as the pointer goes and a right click moves it. What the screen shows
    // after each step is what a whole new paint would show.
    void mouseOnTheMap() {
        m_editor->LoadTown();
        const struct {
            int px, py;
            const char* text;
        } points[] = {{20, 80, "10,40 - Road Here"},
                      {21, 81, "10,40 - Road Here"},
                      {19, 80, "9,40 - No Road Here"},
                      {121, 30, "60,15 - Road Here"}};
        for (const auto& p : points) {
            QTest::mouseMove(W().windowHandle(), W().MapOrigin() + QPoint(p.px, p.py));
            QCOMPARE(W().ControlAs<QLabel>(ControlId::Status)->text(), QString::fromLatin1(p.text));
        }
        QTest::mouseMove(W().windowHandle(), W().Control(ControlId::SaveScenario)->geometry().center());
        QCOMPARE(W().ControlAs<QLabel>(ControlId::Status)->text(), QStringLiteral("60,15 - Road Here"));

        ClickTile(W(), 20, kRoadRow);
        ClickTile(W(), 40, kRoadRow);
        ClickListRow(W(), 0);
        ClickTile(W(), kRoadColumn, 50, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {60, 50}, {40, 40}}));
        QTest::mousePress(W().windowHandle(), Qt::RightButton, {}, TilePoint(W(), kRoadColumn, 20));
        const QPoint to = TilePoint(W(), kRoadColumn, 24);
        QMouseEvent drag(QEvent::MouseMove, to, W().mapToGlobal(to), Qt::NoButton, Qt::RightButton, {});
        QApplication::sendEvent(&W(), &drag);
        QTest::mouseRelease(W().windowHandle(), Qt::RightButton, {}, to);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {60, 24}, {40, 40}}));
        QCOMPARE(ScreenMap(W()), RenderMap(W()));
        ClickTile(W(), 30, kRoadRow, Qt::RightButton);
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {30, 40}, {40, 40}}));
        QCOMPARE(ScreenMap(W()), RenderMap(W()));
    }

    // Each field lies beside its label; typing is held to its length, to digits, and to characters with a
    // byte in windows-1252, and marks the race modified; the read-only fields take nothing but the steps of
    // the spin beside them: arrow clicks, arrow keys and holding. A spin's click transfers the fields.
    void fieldsAndSpins() {
        const QString cafe = QString::fromUtf8("Caf\u00e9 \u20ac");
        const struct {
            ControlId field, label;
            QString typed, shown;
        } fields[] = {
            {ControlId::Laps, ControlId::LapsLabel, "7", "1"},
            {ControlId::Racers, ControlId::RacersLabel, "5", "0"},
            {ControlId::RaceTitle, ControlId::RaceTitleLabel,
             cafe + QString::fromUtf8("\u03a9\u4e2d") + "abcdefghijklmnop", cafe + "abcdefghijklmn"},
            {ControlId::TimeLimit, ControlId::TimeLimitLabel, "1a2-3 45.678", "12345"},
            {ControlId::Bonus, ControlId::BonusLabel, "x987", "98"},
        };
        for (const auto& f : fields) {
            auto* edit = W().ControlAs<QLineEdit>(f.field);
            QCOMPARE(LabelBeside(W(), edit), W().ControlAs<QLabel>(f.label)->text());
            if (!edit->isReadOnly()) {
                edit->clear();
            }
            edit->setFocus();
            TypeText(edit, f.typed);
            QCOMPARE(edit->text(), f.shown);
            QCOMPARE(W().Editor().IsModified(), !edit->isReadOnly());
        }
        const auto arrow = [](const QWidget* spin) { return QPoint(spin->width() / 2, spin->height() / 4); };
        W().SetText(ControlId::TimeLimit, "300");
        QWidget* racers = W().Control(ControlId::RacersSpin);
        QTest::mouseClick(racers, Qt::LeftButton, {}, arrow(racers));
        QCOMPARE(FieldText(W(), ControlId::Racers), QStringLiteral("1"));
        QCOMPARE(W().Editor().GetScenario().timeLimit, 300);
        racers->setFocus();
        QTest::keyClick(racers, Qt::Key_Up);
        QTest::keyClick(racers, Qt::Key_Up);
        QTest::keyClick(racers, Qt::Key_Down);
        QCOMPARE(FieldText(W(), ControlId::Racers), QStringLiteral("2"));
        QWidget* laps = W().Control(ControlId::LapsSpin);
        QTest::mousePress(laps, Qt::LeftButton, {}, arrow(laps));
        QTRY_VERIFY(FieldText(W(), ControlId::Laps).toInt() >= 4);
        QTest::mouseRelease(laps, Qt::LeftButton, {}, arrow(laps));
        const QString stopped = FieldText(W(), ControlId::Laps);
        QTest::qWait(3 * SpinArrows::kRepeatIntervalMs);
        QCOMPARE(FieldText(W(), ControlId::Laps), stopped);
    }

    // The arrow keys select in the list, the right button does not; the editing keys reach the editor over
    // the field's and the list's own use of them, the list's keys only while it has the focus; Ctrl+S saves.
    // Enter in a field does nothing, on a push button it presses it; F1 opens About; Escape and the close box
    // are the close request, which the host carries out.
    void keys() {
        m_editor->LoadTown();
        for (const int x : {20, 30, 40}) {
            ClickTile(W(), x, kRoadRow);
        }
        ClickListRow(W(), 0, Qt::RightButton);
        QWidget* list = W().Control(ControlId::CheckpointList);
        auto* title = W().ControlAs<QLineEdit>(ControlId::RaceTitle);
        const Tiles all{{20, 40}, {30, 40}, {40, 40}};
        const Tiles cut{{20, 40}, {40, 40}};
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        const struct {
            QWidget* target;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            Tiles course;
        } steps[] = {{list, Qt::Key_Up, {}, all},
                     {list, Qt::Key_Up, Qt::AltModifier, {{30, 40}, {20, 40}, {40, 40}}},
                     {list, Qt::Key_Down, Qt::AltModifier, all},
                     {list, Qt::Key_Delete, {}, cut},
                     {title, Qt::Key_Z, ctrl, all},
                     {list, Qt::Key_Z, ctrl | Qt::ShiftModifier, cut},
                     {list, Qt::Key_Z, ctrl, all},
                     {title, Qt::Key_Y, ctrl, cut},
                     {title, Qt::Key_Delete, {}, cut}};
        for (const auto& step : steps) {
            step.target->setFocus();
            QTest::keyClick(step.target, step.key, step.modifiers);
            QCOMPARE(Checkpoints(), step.course);
        }
        m_editor->host.savePaths.push_back(std::nullopt);
        title->setText(QStringLiteral("Keys"));
        QTest::keyClick(title, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_editor->host.saveStartFolders.size(), std::size_t{1});
        QTest::keyClick(title, Qt::Key_Return);
        QVERIFY(W().isVisible() && m_editor->host.cityFolders.size() == 1);
        m_editor->host.cityPicks.push_back(std::nullopt);
        m_editor->host.saveAnswers.assign(3, rw::editor::SaveAnswer::No);  // load, Escape, close box
        QWidget* load = W().Control(ControlId::LoadCityFile);
        load->setFocus();
        QTest::keyClick(load, Qt::Key_Return);
        QCOMPARE(m_editor->host.cityFolders.size(), std::size_t{2});
        QTest::keyClick(load, Qt::Key_F1);
        QCOMPARE(m_editor->host.aboutCount, 1);
        QTest::keyClick(title, Qt::Key_Escape);
        W().close();
        QCOMPARE(m_editor->host.endCount, 2);
        W().EndEditor();
        QTRY_VERIFY(!W().isVisible());
    }

    // Assistive tools see the list's entries, their labels and which one is selected.
    void listEntriesForAssistiveTools() {
        m_editor->LoadTown();
        ClickTile(W(), 20, kRoadRow);
        ClickTile(W(), 30, kRoadRow);
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(W().Control(ControlId::CheckpointList));
        QVERIFY(list != nullptr && list->role() == QAccessible::List);
        QCOMPARE(list->childCount(), 2);
        QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("START"));
        QVERIFY(list->child(1)->state().selected && !list->child(0)->state().selected);
        QCOMPARE(list->indexOfChild(list->child(1)), 1);
    }

    // A leg without a road path is named under the controls.
    void brokenLegIsNamed() {
        rw::scenario::Scenario race;
        race.cityFile = "town.urb";
        race.laps = 1;
        race.checkpoints = {{20, kRoadRow}, {5, 5}};
        QVERIFY(m_editor->folder.WriteScenario("broken.scn", race));
        m_editor->host.scenarioPicks.push_back("broken.scn");
        W().Editor().OnLoadScenario();
        QCOMPARE(W().ControlAs<QLabel>(ControlId::RouteProblem)->text(),
                 QStringLiteral("FINISH cannot be reached from START"));
    }

    // Ctrl+M opens the magnified map: every map pixel a block, the same marks, hover texts and clicks.
    void magnifiedMap() {
        m_editor->LoadTown();
        ClickTile(W(), 20, kRoadRow);
        QTest::keyClick(&W(), Qt::Key_M, Qt::ControlModifier);
        auto* magnified = W().findChild<MagnifiedMapDlg*>(QStringLiteral("magnifiedMap"));
        QVERIFY(magnified != nullptr && magnified->isVisible());
        magnified->SetZoom(4);
        QWidget* area = magnified->MapArea();
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(4 * 61 + 2, 4 * 81 + 3));
        QCOMPARE(Checkpoints(), (Tiles{{20, 40}, {30, 40}}));
        const QPoint hoverAt(4 * 24, 4 * 80);
        QMouseEvent hover(QEvent::MouseMove, hoverAt, area->mapToGlobal(hoverAt), Qt::NoButton, {}, {});
        QApplication::sendEvent(area, &hover);
        QCOMPARE(magnified->findChild<QLabel*>(QStringLiteral("magnifiedStatus"))->text(),
                 QStringLiteral("12,40 - Road Here"));
        const QImage big = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage small = RenderMap(W());
        for (const QPoint& p : {QPoint(40, 80), QPoint(60, 80), QPoint(50, 81), QPoint(7, 200)}) {
            QCOMPARE(At(big, 4 * p.x(), 4 * p.y()), At(small, p.x(), p.y()));
            QCOMPARE(At(big, 4 * p.x() + 3, 4 * p.y() + 3), At(small, p.x(), p.y()));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
