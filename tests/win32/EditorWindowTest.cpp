// The Win32 editor window from its template, driven with the messages that input makes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "CourseEditorDlg.h"
#include "MagnifiedMapWnd.h"
#include "ResourceIds.h"
#include "Utf16.h"
#include "editor/ScratchGameFolder.h"
#include "editor/ScriptedHost.h"
#include "res/BlankMap.h"
#include "res/MapPalette.h"

namespace rw::win32 {
namespace {

using rw::editor::ControlId;
using rw::editor::ToInt;
using rw::editor::test::kRoadColumn;
using rw::editor::test::kRoadRow;
using rw::scenario::TilePos;
using Tiles = std::vector<TilePos>;

class EditorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(game.WriteCity("town.urb"));
        dialog = std::make_unique<CourseEditorDlg>(host, game.Path());
        window = dialog->CreateModeless();
        if (window == nullptr) {
            GTEST_SKIP() << "no window could be made: Wine needs a display (run under Xvfb)";
        }
    }

    HWND Item(ControlId id) const { return GetDlgItem(window, ToInt(id)); }
    LRESULT Send(ControlId id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(Item(id), message, wParam, lParam);
    }
    // What a control shows, read from the control itself.
    static std::string Shown(HWND control) {
        std::array<wchar_t, 256> text{};
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
        return Narrow(text.data());
    }
    std::string Shown(ControlId id) const { return Shown(Item(id)); }
    void Command(ControlId id, WORD code) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(ToInt(id), code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void LoadTown() {
        host.cityPicks.push_back("town.urb");
        Command(ControlId::LoadCityFile, BN_CLICKED);
    }
    void SelectRow(int row) {
        Send(ControlId::CheckpointList, LB_SETCURSEL, static_cast<WPARAM>(row));
        Command(ControlId::CheckpointList, LBN_SELCHANGE);
    }
    // A mouse message at map pixel (px, py), or at the middle of map tile (x, y), in client coordinates.
    void MouseAt(UINT message, int px, int py, WPARAM keys = 0) {
        const POINT origin = dialog->MapOrigin();
        SendMessageW(window, message, keys, MAKELPARAM(origin.x + px, origin.y + py));
    }
    void Mouse(UINT message, int x, int y, WPARAM keys = 0) { MouseAt(message, 2 * x + 1, 2 * y + 1, keys); }
    // A key pressed on target with modifiers held, through the message loop's steps: the window's keys,
    // then the dialog manager, which hands the rest to the control. Alt makes it a system key.
    void Press(HWND target, WPARAM key, std::initializer_list<int> held = {}) {
        std::array<BYTE, 256> keys{};
        for (const int down : held) {
            keys[static_cast<std::size_t>(down)] = 0x80;
        }
        SetKeyboardState(keys.data());
        const bool alt = keys[VK_MENU] != 0;
        MSG message{target, alt ? UINT{WM_SYSKEYDOWN} : UINT{WM_KEYDOWN}, key, alt ? 0x20000001 : 1, 0, {}};
        if (!dialog->TranslateKey(message) && !IsDialogMessageW(window, &message)) {
            DispatchMessageW(&message);
        }
        keys.fill(0);
        SetKeyboardState(keys.data());
    }
    void Spin(ControlId id, int delta) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = Item(id);
        change.hdr.idFrom = static_cast<UINT_PTR>(ToInt(id));
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        SendMessageW(window, WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
    }
    // The text of the Checkpoints list's entry in row.
    std::string Entry(int row) const {
        std::array<wchar_t, 256> text{};
        Send(ControlId::CheckpointList, LB_GETTEXT, static_cast<WPARAM>(row),
             reinterpret_cast<LPARAM>(text.data()));
        return Narrow(text.data());
    }
    // The text of the nearest label starting left of the control on its row: what a person takes it to be.
    std::string LabelBeside(ControlId id) const {
        RECT field{};
        GetWindowRect(Item(id), &field);
        const LONG row = (field.top + field.bottom) / 2;
        std::string text;
        LONG nearest = LONG_MIN;
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            std::array<wchar_t, 16> kind{};
            GetClassNameW(child, kind.data(), static_cast<int>(kind.size()));
            RECT label{};
            GetWindowRect(child, &label);
            if (std::wstring_view(kind.data()) == L"Static" && label.left < field.left &&
                label.left > nearest && label.top <= row && label.bottom > row) {
                nearest = label.left;
                text = Shown(child);
            }
        }
        return text;
    }
    const Tiles& Checkpoints() const { return dialog->Editor().GetScenario().checkpoints; }

    rw::editor::test::ScratchGameFolder game;
    rw::editor::test::ScriptedHost host;
    std::unique_ptr<CourseEditorDlg> dialog;
    HWND window = nullptr;
};

// Each field lies beside its label; the real edit controls hold typing to its length and to digits, the
// read-only ones take none; typing marks the race modified and the editor reads what the controls hold.
TEST_F(EditorWindowTest, FieldsBesideTheirLabelsTakeWhatIsTyped) {
    const struct {
        ControlId field, label;
        const char *typed, *shown;
    } fields[] = {{ControlId::Laps, ControlId::LapsLabel, "7", "1"},
                  {ControlId::Racers, ControlId::RacersLabel, "5", "0"},
                  {ControlId::RaceTitle, ControlId::RaceTitleLabel, "Around the harbour and back",
                   "Around the harbour a"},
                  {ControlId::TimeLimit, ControlId::TimeLimitLabel, "12x34567", "12345"},
                  {ControlId::Bonus, ControlId::BonusLabel, "987", "98"}};
    for (const auto& f : fields) {
        SCOPED_TRACE(ToInt(f.field));
        EXPECT_EQ(LabelBeside(f.field), Shown(f.label));
        const bool readOnly = (GetWindowLongW(Item(f.field), GWL_STYLE) & ES_READONLY) != 0;
        if (!readOnly) {
            Send(f.field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        }
        for (const char* key = f.typed; *key != '\0'; ++key) {
            Send(f.field, WM_CHAR, static_cast<WPARAM>(*key), 1);
        }
        EXPECT_EQ(Shown(f.field), f.shown);
        EXPECT_EQ(dialog->Editor().IsModified(), !readOnly);
    }
    const rw::editor::RaceFields read = dialog->Editor().ReadRaceFields();
    EXPECT_EQ(read.timeLimit, 12345);
    EXPECT_EQ(read.checkpointBonus, 98);
}

// Buttons, map clicks, the list, the spins, the difficulty box and the system menu reach the editor, and the
// list shows what it set: entries in route order with their checkpoint index as item data.
TEST_F(EditorWindowTest, InputReachesTheEditorAndTheListShowsTheRoute) {
    LoadTown();
    Mouse(WM_LBUTTONDOWN, 20, kRoadRow);
    Mouse(WM_LBUTTONDOWN, kRoadColumn, 80);
    Mouse(WM_LBUTTONDOWN, 90, kRoadRow);
    const rw::editor::CourseEditor& editor = dialog->Editor();
    EXPECT_EQ(Checkpoints(), (Tiles{{20, kRoadRow}, {kRoadColumn, 80}, {90, kRoadRow}}));
    EXPECT_EQ(Send(ControlId::CheckpointList, LB_GETCOUNT), 3);
    EXPECT_EQ(Entry(0) + Entry(2), "STARTFINISH");
    EXPECT_EQ(Send(ControlId::CheckpointList, LB_GETITEMDATA, 2), 2);
    SelectRow(1);
    EXPECT_EQ(editor.SelectedCheckpoint(), 1);

    // The up arrow (delta -1) raises the laps: the first entry now starts and finishes the race.
    Spin(ControlId::LapsSpin, -1);
    EXPECT_EQ(Shown(ControlId::Laps), "2");
    EXPECT_EQ(Entry(0), "START/ FINISH");
    Spin(ControlId::RacersSpin, -1);
    EXPECT_EQ(Shown(ControlId::Racers), "1");
    Send(ControlId::Difficulty, CB_SETCURSEL, 2);
    Command(ControlId::Difficulty, CBN_SELCHANGE);
    EXPECT_EQ(editor.Difficulty(), 2);
    Command(ControlId::DeleteCheckpoint, BN_CLICKED);
    EXPECT_EQ(Send(ControlId::CheckpointList, LB_GETCOUNT), 2);

    // The About entry ends the system menu.
    HMENU menu = GetSystemMenu(window, FALSE);
    EXPECT_EQ(GetMenuItemID(menu, GetMenuItemCount(menu) - 1), rw::editor::CourseEditor::kAboutCommand);
    SendMessageW(window, WM_SYSCOMMAND, rw::editor::CourseEditor::kAboutCommand, 0);
    EXPECT_EQ(host.aboutCount, 1);
    // Enter (IDOK) does nothing; Escape (IDCANCEL) is the close request and asks first.
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(host.saveQuestions.empty());
    host.saveAnswers.push_back(rw::editor::SaveAnswer::No);
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(host.saveQuestions.size(), 1u);
    EXPECT_EQ(host.endCount, 1);
    EXPECT_TRUE(host.unexpected.empty());
}

// The map image is an 8-bit DIB in the map palette holding the blank picture, then the editor's; a paint
// puts it and the marks on screen; the pointer's pixel, two per tile, names its tile in the status line.
TEST_F(EditorWindowTest, MapPaintedInThePaletteAndTheMouseOnIt) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, dialog->MapImage());
    std::array<RGBQUAD, 256> colours{};
    ASSERT_EQ(GetDIBColorTable(memory, 0, 256, colours.data()), 256u);
    SelectObject(memory, previous);
    DeleteDC(memory);
    const auto palette = rw::res::MapPalette();
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ((rw::res::Rgb{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue}), palette[i])
            << i;
    }
    const auto blank = rw::res::BlankMapPixels();
    EXPECT_TRUE(std::equal(blank.begin(), blank.end(), dialog->MapImageBits().begin()));

    LoadTown();
    Mouse(WM_LBUTTONDOWN, 20, kRoadRow);
    Mouse(WM_LBUTTONDOWN, 90, kRoadRow);
    const rw::city::MapPixels& pixels = dialog->Editor().MapPixels();
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), dialog->MapImageBits().begin()));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    HDC screen = GetDC(Item(ControlId::Map));
    const auto rgb = [](const rw::res::Rgb& c) { return RGB(c.r, c.g, c.b); };
    EXPECT_EQ(GetPixel(screen, 2 * 50, 2 * kRoadRow), rgb(palette[253]));
    EXPECT_EQ(GetPixel(screen, 2 * 90 - 1, 2 * kRoadRow - 1), RGB(246, 110, 0));
    EXPECT_EQ(GetPixel(screen, 2 * 20 - 1, 2 * kRoadRow - 1), RGB(255, 0, 0));
    ReleaseDC(Item(ControlId::Map), screen);

    const struct {
        int px, py;
        const char* text;
    } points[] = {{20, 80, "10,40 - Road Here"},
                  {21, 81, "10,40 - Road Here"},
                  {19, 80, "9,40 - No Road Here"},
                  {121, 30, "60,15 - Road Here"}};
    for (const auto& p : points) {
        MouseAt(WM_MOUSEMOVE, p.px, p.py);
        EXPECT_EQ(Shown(ControlId::Status), p.text) << p.px << "," << p.py;
    }

    // Ctrl+click inserts after the selected checkpoint; a right drag holds the mouse and moves it from road
    // tile to road tile.
    SelectRow(0);
    Mouse(WM_LBUTTONDOWN, kRoadColumn, 70, MK_CONTROL);
    EXPECT_EQ(Checkpoints(), (Tiles{{20, 40}, {60, 70}, {90, 40}}));
    Mouse(WM_RBUTTONDOWN, kRoadColumn, 60);
    EXPECT_EQ(GetCapture(), window);
    for (const int y : {59, 58, 57}) {
        Mouse(WM_MOUSEMOVE, kRoadColumn, y, MK_RBUTTON);
        EXPECT_EQ(Checkpoints()[1].y, y);
    }
    Mouse(WM_RBUTTONUP, kRoadColumn, 57);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(WM_MOUSEMOVE, kRoadColumn, 50);  // no button held: only the hover text
    EXPECT_EQ(Checkpoints()[1], (TilePos{kRoadColumn, 57}));
}

// The window's keys reach the editor from wherever the focus is, through the loop's translation; the list's
// own keys only while it has the focus (Delete in a field deletes text).
TEST_F(EditorWindowTest, EditingKeys) {
    LoadTown();
    for (const int x : {20, 30, 40}) {
        Mouse(WM_LBUTTONDOWN, x, kRoadRow);
    }
    SelectRow(1);
    HWND title = Item(ControlId::RaceTitle);
    HWND list = Item(ControlId::CheckpointList);
    const Tiles all{{20, 40}, {30, 40}, {40, 40}};
    const Tiles cut{{20, 40}, {40, 40}};
    const struct {
        HWND target;
        WPARAM key;
        std::initializer_list<int> held;
        Tiles course;
    } steps[] = {{list, VK_UP, {VK_MENU}, {{30, 40}, {20, 40}, {40, 40}}},
                 {list, VK_DOWN, {VK_MENU}, all},
                 {list, VK_DELETE, {}, cut},
                 {title, 'Z', {VK_CONTROL}, all},
                 {list, 'Z', {VK_CONTROL, VK_SHIFT}, cut},
                 {list, 'Z', {VK_CONTROL}, all},
                 {title, 'Y', {VK_CONTROL}, cut},
                 {title, VK_DELETE, {}, cut}};
    for (const auto& step : steps) {
        SetFocus(step.target);
        Press(step.target, step.key, step.held);
        EXPECT_EQ(Checkpoints(), step.course) << "key " << step.key;
    }

    host.savePaths.push_back(std::nullopt);
    Press(list, 'S', {VK_CONTROL});
    EXPECT_EQ(host.saveStartFolders.size(), 1u);
}

// Ctrl+M opens the magnified map: the Zoom menu sets the magnified size, a click in it adds a checkpoint at
// the map pixel under it (scrolled), the hover text is the status line's, and the new mark shows in it.
TEST_F(EditorWindowTest, MagnifiedMap) {
    LoadTown();
    Press(window, 'M', {VK_CONTROL});
    ASSERT_NE(dialog->MagnifiedMap(), nullptr);
    const MagnifiedMapWnd& magnified = *dialog->MagnifiedMap();
    HWND zoomed = magnified.Window();
    ASSERT_TRUE(IsWindowVisible(zoomed));
    SendMessageW(zoomed, WM_COMMAND, RW_IDM_ZOOM + 4, 0);
    SendMessageW(zoomed, WM_VSCROLL, SB_LINEDOWN, 0);
    const POINT scroll = magnified.ScrollPosition();
    ASSERT_GT(scroll.y, 0);
    // Client point of map pixel (px, py) at zoom 4.
    const auto at = [&scroll](int px, int py) { return POINT{4 * px + 1 - scroll.x, 4 * py + 1 - scroll.y}; };
    // Odd and even map pixels, so that either off-by-one names another tile.
    const POINT road = at(2 * 20 + 1, 2 * kRoadRow + 1);
    const POINT hover = at(2 * 24, 2 * kRoadRow);
    SendMessageW(zoomed, WM_LBUTTONDOWN, 0, MAKELPARAM(road.x, road.y));
    EXPECT_EQ(Checkpoints(), (Tiles{{20, kRoadRow}}));
    SendMessageW(zoomed, WM_MOUSEMOVE, 0, MAKELPARAM(hover.x, hover.y));
    EXPECT_EQ(Shown(FindWindowExW(zoomed, nullptr, STATUSCLASSNAMEW, nullptr)), "24,40 - Road Here");
    UpdateWindow(zoomed);
    HDC screen = GetDC(zoomed);
    const POINT mark = at(2 * 20 - 1, 2 * kRoadRow - 1);
    EXPECT_EQ(GetPixel(screen, mark.x, mark.y), RGB(246, 110, 0));
    ReleaseDC(zoomed, screen);
}

// A leg without a road path: its words in the line the template places below the controls (its line in the
// picture is the editor's).
TEST_F(EditorWindowTest, BrokenLegShown) {
    rw::scenario::Scenario race;
    race.cityFile = "town.urb";
    race.laps = 1;
    race.checkpoints = {{20, kRoadRow}, {5, 5}};  // (5, 5) has no road
    ASSERT_TRUE(game.WriteScenario("broken.scn", race));
    host.scenarioPicks.push_back("broken.scn");
    Command(ControlId::LoadScenario, BN_CLICKED);
    EXPECT_EQ(Shown(ControlId::RouteProblem), "FINISH cannot be reached from START");
}

}  // namespace
}  // namespace rw::win32
