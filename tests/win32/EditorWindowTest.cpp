// The Win32 editor window from its template, driven with the messages that input makes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CourseEditorDlg.h"
#include "MagnifiedMapWnd.h"
#include "ResourceIds.h"
#include "ResourceString.h"
#include "Utf16.h"
#include "city/MapPicking.h"
#include "editor/ScratchGameFolder.h"
#include "editor/ScriptedHost.h"
#include "res/BlankMap.h"
#include "res/MapPalette.h"
#include "res/StringTable.h"

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
    std::string Shown(ControlId id) const {
        std::array<wchar_t, 256> text{};
        GetWindowTextW(Item(id), text.data(), static_cast<int>(text.size()));
        return Narrow(text.data());
    }
    void Command(ControlId id, WORD code) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(ToInt(id), code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Click(ControlId id) { Command(id, BN_CLICKED); }
    void LoadTown() {
        host.cityPicks.push_back("town.urb");
        Click(ControlId::LoadCityFile);
    }
    void SelectRow(int row) {
        Send(ControlId::CheckpointList, LB_SETCURSEL, static_cast<WPARAM>(row));
        Command(ControlId::CheckpointList, LBN_SELCHANGE);
    }
    // A mouse message at the middle of map tile (x, y), in the window's client coordinates.
    void Mouse(UINT message, int x, int y, WPARAM keys = 0) {
        const POINT origin = dialog->MapOrigin();
        SendMessageW(window, message, keys, MAKELPARAM(origin.x + 2 * x + 1, origin.y + 2 * y + 1));
    }
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
    void Type(ControlId id, std::string_view keys) {
        for (const char key : keys) {
            Send(id, WM_CHAR, static_cast<WPARAM>(key), 1);
        }
    }
    // The Checkpoints list as it shows: each entry's text and item data.
    std::vector<std::pair<std::string, LRESULT>> Entries() const {
        std::vector<std::pair<std::string, LRESULT>> entries;
        const auto count = Send(ControlId::CheckpointList, LB_GETCOUNT);
        for (WPARAM row = 0; row < static_cast<WPARAM>(count); ++row) {
            std::array<wchar_t, 256> text{};
            Send(ControlId::CheckpointList, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
            entries.emplace_back(Narrow(text.data()), Send(ControlId::CheckpointList, LB_GETITEMDATA, row));
        }
        return entries;
    }
    static std::string Str(rw::res::StringId id) { return std::string(rw::res::String(id)); }

    rw::editor::test::ScratchGameFolder game;
    rw::editor::test::ScriptedHost host;
    std::unique_ptr<CourseEditorDlg> dialog;
    HWND window = nullptr;
};

TEST(StringTableResource, HoldsTheProgramsTable) {
    for (int id = rw::res::kFirstStringId; id <= rw::res::kLastStringId; ++id) {
        EXPECT_EQ(Narrow(ResourceString(id)), rw::res::String(id)) << "string " << id;
    }
}

// Every control's kind and place come from the template (dialog units through the dialog's font), in
// template order; the layout makes the map 256 x 256 pixels and moves what lies right of and below it.
TEST_F(EditorWindowTest, TemplatePlacesControlsAndLayoutFitsTheMap) {
    struct Placed {
        int id;
        const wchar_t* kind;
        RECT units;  // left, top, width, height
    };
    const Placed items[] = {
        {1022, L"Button", {119, 18, 51, 15}},     {1077, L"Edit", {60, 56, 115, 14}},
        {1079, L"Edit", {60, 79, 50, 14}},        {1074, L"Edit", {101, 100, 30, 14}},
        {1072, L"Edit", {44, 122, 25, 14}},       {1081, L"Edit", {124, 122, 23, 14}},
        {1100, L"ComboBox", {74, 146, 52, 0}},    {1001, L"ListBox", {198, 27, 75, 122}},
        {1007, L"Button", {205, 157, 65, 16}},    {1010, L"Button", {19, 174, 51, 15}},
        {1009, L"Button", {74, 174, 51, 15}},     {1008, L"Button", {129, 174, 51, 15}},
        {1000, L"Button", {332, 191, 51, 15}},    {1109, L"Button", {395, 191, 51, 15}},
        {1080, UPDOWN_CLASSW, {70, 122, 11, 15}}, {1082, UPDOWN_CLASSW, {151, 121, 11, 15}},
        {1017, L"Edit", {52, 18, 60, 14}},        {1041, L"Static", {279, 27, 155, 140}},
        {1040, L"Button", {7, 203, 448, 9}},      {1055, L"Static", {284, 172, 146, 9}},
        {1073, L"Static", {22, 126, 18, 8}},      {1075, L"Static", {22, 104, 78, 8}},
        {119, L"Static", {22, 60, 36, 8}},        {1078, L"Static", {17, 21, 30, 8}},
        {1090, L"Static", {22, 82, 33, 8}},       {1091, L"Static", {95, 125, 26, 8}},
        {1087, L"Button", {13, 42, 171, 127}},    {1088, L"Static", {113, 82, 44, 8}},
        {1089, L"Static", {133, 103, 36, 8}},     {1086, L"Static", {199, 17, 65, 8}},
        {1104, L"Button", {13, 7, 171, 31}},      {1102, L"Static", {22, 148, 47, 8}},
        {1103, L"Button", {191, 7, 250, 179}},    {1301, L"Static", {13, 194, 300, 9}},
    };
    // Place and size are converted one by one, as the dialog manager converts them.
    const auto inPixels = [this](const RECT& units) {
        RECT rect = units;
        MapDialogRect(window, &rect);
        return RECT{rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
    };
    RECT map = inPixels({279, 27, 155, 140});
    const int dx = 256 - (map.right - map.left);
    const int dy = 256 - (map.bottom - map.top);
    HWND child = GetWindow(window, GW_CHILD);
    for (const Placed& item : items) {
        SCOPED_TRACE(item.id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), item.id) << "template order";
        std::array<wchar_t, 64> kind{};
        GetClassNameW(child, kind.data(), static_cast<int>(kind.size()));
        EXPECT_STREQ(kind.data(), item.kind);
        RECT expected = inPixels(item.units);
        switch (item.id) {
            case 1041:
                expected.right = expected.left + 256;
                expected.bottom = expected.top + 256;
                break;
            case 1055:
            case 1000:
            case 1109:
                OffsetRect(&expected, dx / 2, dy);
                break;
            case 1301:
                OffsetRect(&expected, 0, dy);
                break;
            case 1103:
                expected.right += dx;
                expected.bottom += dy;
                break;
            default:
                break;
        }
        RECT actual{};
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
        // A label too narrow for the font's text grows away from the edge its text is aligned to.
        const LONG type = GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK;
        if (std::wstring_view(item.kind) == L"Static" && item.id != 1041 && item.id != 1055 &&
            actual.right - actual.left > expected.right - expected.left) {
            EXPECT_NE(type, SS_CENTER);
            EXPECT_EQ(type == SS_RIGHT ? actual.right : actual.left,
                      type == SS_RIGHT ? expected.right : expected.left);
            expected = actual;
        }
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        // Wine's up-down control takes its own standard width.
        if (item.id != 1080 && item.id != 1082) {
            EXPECT_EQ(actual.right - actual.left, expected.right - expected.left);
        }
        if (item.id != 1100) {  // a closed drop-down list is as tall as its font needs
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top);
        }
        if (std::wstring_view(item.kind) == L"Button") {
            EXPECT_NE(GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON)
                << "no default button";
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);

    const auto style = [this](ControlId id) { return GetWindowLongW(Item(id), GWL_STYLE); };
    EXPECT_NE(style(ControlId::TimeLimit) & ES_NUMBER, 0);
    EXPECT_NE(style(ControlId::Bonus) & ES_NUMBER, 0);
    EXPECT_NE(style(ControlId::Laps) & ES_READONLY, 0);
    EXPECT_NE(style(ControlId::Racers) & ES_READONLY, 0);
    EXPECT_EQ(style(ControlId::CityFile) & (ES_READONLY | WS_TABSTOP), ES_READONLY);
    EXPECT_EQ(style(ControlId::CheckpointList) & (LBS_SORT | LBS_NOTIFY), LBS_SORT | LBS_NOTIFY);
    EXPECT_EQ(style(ControlId::StatusFrame) & WS_VISIBLE, 0);

    // Texts from the string table; the group box's without the button's mnemonic.
    std::array<wchar_t, 128> caption{};
    GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()));
    EXPECT_EQ(Narrow(caption.data()), rw::res::String(rw::res::StringId::EditorCaption));
    EXPECT_EQ(Shown(ControlId::LoadCityFile), Str(rw::res::StringId::LoadCityFile));
    EXPECT_EQ(Shown(ControlId::CityBox), "Load City File");
    EXPECT_EQ(Shown(ControlId::MapBox), Str(rw::res::StringId::ClickMapHint));
    EXPECT_EQ(Shown(ControlId::RaceTitle), Str(rw::res::StringId::Untitled));
    EXPECT_EQ(Shown(ControlId::Laps), "1");

    // The About entry ends the system menu.
    HMENU menu = GetSystemMenu(window, FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    EXPECT_EQ(GetMenuItemID(menu, last), rw::editor::CourseEditor::kAboutCommand);
    std::array<wchar_t, 64> entry{};
    GetMenuStringW(menu, static_cast<UINT>(last), entry.data(), static_cast<int>(entry.size()),
                   MF_BYPOSITION);
    EXPECT_EQ(Narrow(entry.data()), rw::res::String(rw::res::StringId::AboutEntry));
}

// Typing is limited by the real edit controls (EM_LIMITTEXT, ES_NUMBER) and the editor reads what they hold.
TEST_F(EditorWindowTest, EditsLimitWhatIsTyped) {
    for (const ControlId id : {ControlId::RaceTitle, ControlId::TimeLimit, ControlId::Bonus}) {
        Send(id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    }
    Type(ControlId::RaceTitle, "Around the harbour and back");
    Type(ControlId::TimeLimit, "12x34567");
    Type(ControlId::Bonus, "987");
    EXPECT_EQ(Shown(ControlId::RaceTitle), "Around the harbour a");
    EXPECT_EQ(Shown(ControlId::TimeLimit), "12345");
    EXPECT_EQ(Shown(ControlId::Bonus), "98");
    const rw::editor::RaceFields fields = dialog->Editor().ReadRaceFields();
    EXPECT_EQ(fields.timeLimit, 12345);
    EXPECT_EQ(fields.checkpointBonus, 98);
}

// Buttons, map clicks, the list, the spins, the difficulty box and the system menu reach the editor, and the
// list shows what it set: entries in route order with their checkpoint index as item data.
TEST_F(EditorWindowTest, InputReachesTheEditorAndTheListShowsTheRoute) {
    LoadTown();
    ASSERT_EQ(host.cityFolders, std::vector<std::string>{game.Path() + "cities\\"});
    EXPECT_EQ(Shown(ControlId::CityFile), "town.urb");

    Mouse(WM_LBUTTONDOWN, 2, 2);  // no road there
    Mouse(WM_LBUTTONDOWN, 20, kRoadRow);
    Mouse(WM_LBUTTONDOWN, kRoadColumn, 80);
    Mouse(WM_LBUTTONDOWN, 90, kRoadRow);
    const rw::editor::CourseEditor& editor = dialog->Editor();
    ASSERT_EQ(editor.GetScenario().checkpoints.size(), 3u);
    EXPECT_EQ(editor.GetScenario().checkpoints[1], (rw::scenario::TilePos{kRoadColumn, 80}));
    auto entries = Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], std::make_pair(Str(rw::res::StringId::Start), LRESULT{0}));
    EXPECT_EQ(entries[2], std::make_pair(Str(rw::res::StringId::Finish), LRESULT{2}));
    EXPECT_EQ(Send(ControlId::CheckpointList, LB_GETCURSEL), editor.SelectedCheckpoint());

    SelectRow(1);
    EXPECT_EQ(editor.SelectedCheckpoint(), 1);
    Mouse(WM_MOUSEMOVE, kRoadColumn, 30);
    EXPECT_EQ(Shown(ControlId::Status), rw::city::TileStatusText(editor.City(), 2 * kRoadColumn + 1, 61));

    // The up arrow (delta -1) raises the laps: the first entry now starts and finishes the race.
    Spin(ControlId::LapsSpin, -1);
    EXPECT_EQ(Shown(ControlId::Laps), "2");
    entries = Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].first, Str(rw::res::StringId::StartFinish));
    Spin(ControlId::RacersSpin, -1);
    Spin(ControlId::RacersSpin, -1);
    Spin(ControlId::RacersSpin, +1);
    EXPECT_EQ(Shown(ControlId::Racers), "1");
    EXPECT_EQ(editor.GetScenario().aiRacers.size(), 1u);

    Send(ControlId::Difficulty, CB_SETCURSEL, 2);
    Command(ControlId::Difficulty, CBN_SELCHANGE);
    EXPECT_EQ(editor.Difficulty(), 2);

    SendMessageW(window, WM_SYSCOMMAND, rw::editor::CourseEditor::kAboutCommand, 0);
    EXPECT_EQ(host.aboutCount, 1);

    Click(ControlId::DeleteCheckpoint);
    EXPECT_EQ(Entries().size(), 2u);

    // Enter (IDOK) does nothing; Escape (IDCANCEL) is the close request and asks first.
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(host.saveQuestions.empty());
    host.saveAnswers.push_back(rw::editor::SaveAnswer::No);
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(host.saveQuestions.size(), 1u);
    EXPECT_EQ(host.endCount, 1);
    EXPECT_TRUE(host.unexpected.empty());
}

// The map image is an 8-bit DIB section whose colours are the map palette; it holds the blank picture at
// start and the editor's picture after a city is drawn, and a paint puts it and the marks on screen.
TEST_F(EditorWindowTest, MapImageIsThePaletteDibAndIsPainted) {
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
    ASSERT_FALSE(std::equal(blank.begin(), blank.end(), pixels.begin()));
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), dialog->MapImageBits().begin()));

    // On screen: a route tile in the palette's colour, the selected mark orange, the other red.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    HDC screen = GetDC(Item(ControlId::Map));
    const auto rgb = [](const rw::res::Rgb& c) { return RGB(c.r, c.g, c.b); };
    EXPECT_EQ(GetPixel(screen, 2 * 50, 2 * kRoadRow), rgb(palette[253]));
    const int selected = dialog->Editor().SelectedCheckpoint();
    ASSERT_NE(selected, -1);
    const int columns[] = {20, 90};
    EXPECT_EQ(GetPixel(screen, 2 * columns[selected] - 1, 2 * kRoadRow - 1), RGB(246, 110, 0));
    EXPECT_EQ(GetPixel(screen, 2 * columns[1 - selected] - 1, 2 * kRoadRow - 1), RGB(255, 0, 0));
    ReleaseDC(Item(ControlId::Map), screen);
}

// The window's keys reach the editor from wherever the focus is, through the loop's translation; the list's
// own keys only while it has the focus (Delete in a field deletes text).
TEST_F(EditorWindowTest, EditingKeys) {
    LoadTown();
    for (const int x : {20, 30, 40}) {
        Mouse(WM_LBUTTONDOWN, x, kRoadRow);
    }
    const Tiles& checkpoints = dialog->Editor().GetScenario().checkpoints;
    HWND title = Item(ControlId::RaceTitle);
    HWND list = Item(ControlId::CheckpointList);
    SetFocus(title);
    Press(title, 'Z', {VK_CONTROL});
    EXPECT_EQ(Entries().size(), 2u);
    Press(title, 'Y', {VK_CONTROL});
    Press(title, 'Z', {VK_CONTROL});
    Press(title, 'Z', {VK_CONTROL, VK_SHIFT});
    Press(title, VK_DELETE);
    EXPECT_EQ(Entries().size(), 3u);
    EXPECT_EQ(Shown(ControlId::RaceTitle), Str(rw::res::StringId::Untitled).substr(1));

    SetFocus(list);
    SelectRow(1);
    Press(list, VK_UP, {VK_MENU});
    EXPECT_EQ(checkpoints, (Tiles{{30, 40}, {20, 40}, {40, 40}}));
    Press(list, VK_DOWN, {VK_MENU});
    Press(list, VK_DELETE);
    EXPECT_EQ(checkpoints, (Tiles{{20, 40}, {40, 40}}));

    // Ctrl+S: Save As the first time, then the same file without asking.
    host.savePaths.push_back(game.Scenario("keys.scn"));
    Press(list, 'S', {VK_CONTROL});
    Mouse(WM_LBUTTONDOWN, 50, kRoadRow);
    Press(list, 'S', {VK_CONTROL});
    EXPECT_EQ(host.saveStartFolders.size(), 1u);
    EXPECT_FALSE(dialog->Editor().IsModified());
}

// Typing marks the race modified at once and leaving the field makes it one undo step; a spin's step marks it
// too. Ctrl+click inserts after the selected checkpoint; a right drag holds the mouse and moves it from road
// tile to road tile, one undo step.
TEST_F(EditorWindowTest, FieldsAndMouseGestures) {
    LoadTown();
    const rw::editor::CourseEditor& editor = dialog->Editor();
    SetFocus(Item(ControlId::RaceTitle));
    Type(ControlId::RaceTitle, "ab");
    EXPECT_TRUE(editor.IsModified());
    SetFocus(Item(ControlId::CheckpointList));
    Press(window, 'Z', {VK_CONTROL});
    EXPECT_EQ(Shown(ControlId::RaceTitle), Str(rw::res::StringId::Untitled));
    EXPECT_FALSE(editor.IsModified());
    Spin(ControlId::RacersSpin, -1);
    EXPECT_TRUE(editor.IsModified());

    Mouse(WM_LBUTTONDOWN, 20, kRoadRow);
    Mouse(WM_LBUTTONDOWN, 40, kRoadRow);
    SelectRow(0);
    Mouse(WM_LBUTTONDOWN, kRoadColumn, 70, MK_CONTROL);
    const Tiles& checkpoints = editor.GetScenario().checkpoints;
    EXPECT_EQ(checkpoints, (Tiles{{20, 40}, {60, 70}, {40, 40}}));
    Mouse(WM_RBUTTONDOWN, kRoadColumn, 60);
    EXPECT_EQ(GetCapture(), window);
    for (const int y : {59, 58, 57}) {
        Mouse(WM_MOUSEMOVE, kRoadColumn, y, MK_RBUTTON);
        EXPECT_EQ(checkpoints[1].y, y);
    }
    Mouse(WM_RBUTTONUP, kRoadColumn, 57);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(WM_MOUSEMOVE, kRoadColumn, 50);  // no button held: only the hover text
    EXPECT_EQ(checkpoints[1], (TilePos{kRoadColumn, 57}));
    Press(window, 'Z', {VK_CONTROL});
    EXPECT_EQ(checkpoints[1], (TilePos{kRoadColumn, 70}));
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
    SCROLLINFO range{sizeof range, SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(zoomed, SB_HORZ, &range);
    EXPECT_EQ(range.nMax + 1, 3 * 256);
    SendMessageW(zoomed, WM_COMMAND, RW_IDM_ZOOM + 4, 0);
    GetScrollInfo(zoomed, SB_VERT, &range);
    EXPECT_EQ(range.nMax + 1, 4 * 256);

    SendMessageW(zoomed, WM_VSCROLL, SB_LINEDOWN, 0);
    const POINT scroll = magnified.ScrollPosition();
    ASSERT_GT(scroll.y, 0);
    // Client point of map pixel (px, py) at zoom 4.
    const auto at = [&scroll](int px, int py) { return POINT{4 * px + 1 - scroll.x, 4 * py + 1 - scroll.y}; };
    const POINT road = at(2 * 20, 2 * kRoadRow);
    SendMessageW(zoomed, WM_LBUTTONDOWN, 0, MAKELPARAM(road.x, road.y));
    EXPECT_EQ(dialog->Editor().GetScenario().checkpoints, (Tiles{{20, kRoadRow}}));
    SendMessageW(zoomed, WM_MOUSEMOVE, 0, MAKELPARAM(road.x, road.y));
    std::array<wchar_t, 128> hover{};
    GetWindowTextW(FindWindowExW(zoomed, nullptr, STATUSCLASSNAMEW, nullptr), hover.data(), 128);
    EXPECT_EQ(Narrow(hover.data()), "20,40 - Road Here");

    UpdateWindow(zoomed);
    HDC screen = GetDC(zoomed);
    const POINT mark = at(2 * 20 - 1, 2 * kRoadRow - 1);
    EXPECT_EQ(GetPixel(screen, mark.x, mark.y), RGB(246, 110, 0));
    ReleaseDC(zoomed, screen);
}

// A leg without a road path: its line in the warning entry of the picture (whose colour the palette test
// holds) and its words in the line the template places below the controls, until it is mended.
TEST_F(EditorWindowTest, BrokenLegShownUntilMended) {
    rw::scenario::Scenario race;
    race.cityFile = "town.urb";
    race.laps = 1;
    race.checkpoints = {{20, kRoadRow}, {5, 5}};  // (5, 5) has no road
    race.aiRacers.resize(1);
    ASSERT_TRUE(game.WriteScenario("broken.scn", race));
    host.scenarioPicks.push_back("broken.scn");
    Click(ControlId::LoadScenario);
    EXPECT_EQ(Shown(ControlId::RouteProblem), "FINISH cannot be reached from START");
    const auto bits = dialog->MapImageBits();
    EXPECT_GT(std::count(bits.begin(), bits.end(), rw::res::kBrokenLegIndex), 30);

    SelectRow(1);
    Mouse(WM_RBUTTONDOWN, 30, kRoadRow);
    Mouse(WM_RBUTTONUP, 30, kRoadRow);
    EXPECT_EQ(Shown(ControlId::RouteProblem), "");
}

}  // namespace
}  // namespace rw::win32
