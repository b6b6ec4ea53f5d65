// The editor window as the editor's view: field texts, the Checkpoints list, the difficulty box, and the map
// as an 8-bit DIB section painted with the map palette.
#include <cstring>
#include <memory>
#include <vector>

#include "CourseEditorDlg.h"
#include "MagnifiedMapWnd.h"
#include "ResourceIds.h"
#include "Utf16.h"
#include "city/CheckpointMarks.h"
#include "res/BlankMap.h"

namespace rw::win32 {

using rw::editor::ControlId;
using rw::editor::ToInt;

std::string CourseEditorDlg::Text(ControlId id) const {
    HWND control = Control(id);
    if (control == nullptr) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void CourseEditorDlg::SetText(ControlId id, std::string_view text) {
    // A field's change notification is muted: only typing reports a change.
    const std::wstring wide = Widen(text);
    m_settingText = true;
    SetDlgItemTextW(m_window, ToInt(id), wide.c_str());
    m_settingText = false;
    if (id == ControlId::Status && m_magnified != nullptr) {
        m_magnified->ShowStatus(wide);
    }
}

LRESULT CourseEditorDlg::SendList(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageW(m_window, ToInt(ControlId::CheckpointList), message, wParam, lParam);
}

int CourseEditorDlg::ListCount() const {
    return static_cast<int>(SendList(LB_GETCOUNT));
}

// LB_INSERTSTRING places the entry at row even though the list has the sort style; the list shows the
// checkpoints in route order.
void CourseEditorDlg::ListInsert(int row, std::string_view label, int itemData) {
    const std::wstring text = Widen(label);
    const LRESULT at =
        SendList(LB_INSERTSTRING, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.c_str()));
    if (at >= 0) {
        SendList(LB_SETITEMDATA, static_cast<WPARAM>(at), itemData);
    }
}

// A list box cannot change an entry's text: the entry is replaced in place, keeping its item data and its
// selection.
void CourseEditorDlg::ListSetLabel(int row, std::string_view label) {
    if (row < 0 || row >= ListCount()) {
        return;
    }
    const int itemData = ListItemData(row);
    const bool selected = ListSelection() == row;
    SendList(LB_DELETESTRING, static_cast<WPARAM>(row));
    ListInsert(row, label, itemData);
    if (selected) {
        SendList(LB_SETCURSEL, static_cast<WPARAM>(row));
    }
}

void CourseEditorDlg::ListRemove(int row) {
    SendList(LB_DELETESTRING, static_cast<WPARAM>(row));
}

int CourseEditorDlg::ListItemData(int row) const {
    if (row < 0 || row >= ListCount()) {
        return -1;
    }
    return static_cast<int>(SendList(LB_GETITEMDATA, static_cast<WPARAM>(row)));
}

int CourseEditorDlg::ListSelection() const {
    const LRESULT selection = SendList(LB_GETCURSEL);
    return selection == LB_ERR ? -1 : static_cast<int>(selection);
}

// LB_SETCURSEL scrolls the entry into view and sends no selection change.
void CourseEditorDlg::ListSelect(int row) {
    SendList(LB_SETCURSEL,
             row >= 0 && row < ListCount() ? static_cast<WPARAM>(row) : static_cast<WPARAM>(-1));
}

void CourseEditorDlg::ListScrollToTop() {
    SendList(LB_SETTOPINDEX, 0);
}

int CourseEditorDlg::DifficultySelection() const {
    const LRESULT selection = SendDlgItemMessageW(m_window, ToInt(ControlId::Difficulty), CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void CourseEditorDlg::SelectDifficulty(int index) {
    SendDlgItemMessageW(m_window, ToInt(ControlId::Difficulty), CB_SETCURSEL,
                        index >= 0 && index < 3 ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
}

// The editor's picture and the DIB section are both bottom-up rows of palette indices.
void CourseEditorDlg::RepaintMap() {
    if (m_editor != nullptr && m_mapBits != nullptr) {
        const rw::city::MapPixels& pixels = m_editor->MapPixels();
        std::memcpy(m_mapBits, pixels.data(), pixels.size());
    }
    if (m_window != nullptr) {
        const POINT origin = MapOrigin();
        const RECT area{origin.x, origin.y, origin.x + 256, origin.y + 256};
        InvalidateRect(m_window, &area, FALSE);
    }
    if (m_magnified != nullptr) {
        m_magnified->RepaintMap();
    }
}

MagnifiedMapWnd& CourseEditorDlg::ShowMagnifiedMap() {
    if (m_magnified == nullptr) {
        m_magnified = std::make_unique<MagnifiedMapWnd>(*this);
    }
    m_magnified->Show();
    m_magnified->ShowStatus(Widen(Text(ControlId::Status)));
    return *m_magnified;
}

std::span<const std::uint8_t> CourseEditorDlg::MapImageBits() const {
    if (m_mapBits == nullptr) {
        return {};
    }
    return {m_mapBits, rw::res::kBlankMapPixelCount};
}

// The palette is bitmap 129's colour table; the image's colour table names palette entries, so each pixel
// shows the colour of its index on any display.
void CourseEditorDlg::CreateMapImage() {
    HRSRC found = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(RW_IDB_BLANK_MAP), RT_BITMAP);
    HGLOBAL loaded = found != nullptr ? LoadResource(GetModuleHandleW(nullptr), found) : nullptr;
    const auto* bitmap = static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bitmap == nullptr) {
        return;
    }
    const auto* colourTable = reinterpret_cast<const RGBQUAD*>(bitmap + rw::res::kBlankMapInfoHeaderSize);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);

    std::vector<std::uint8_t> description(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(description.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = 256;
    for (int i = 0; i < 256; ++i) {
        palette->palPalEntry[i] =
            PALETTEENTRY{colourTable[i].rgbRed, colourTable[i].rgbGreen, colourTable[i].rgbBlue, 0};
    }
    m_mapPalette.reset(CreatePalette(palette));
    HPALETTE previous = SelectPalette(memory, m_mapPalette.get(), FALSE);
    RealizePalette(memory);

    struct {
        BITMAPINFOHEADER header;
        WORD colours[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 256;
    info.header.biHeight = 256;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = 256 * 256;
    for (WORD i = 0; i < 256; ++i) {
        info.colours[i] = i;
    }
    void* bits = nullptr;
    m_mapImage.reset(CreateDIBSection(memory, reinterpret_cast<const BITMAPINFO*>(&info), DIB_PAL_COLORS,
                                      &bits, nullptr, 0));
    m_mapBits = static_cast<std::uint8_t*>(bits);
    if (m_mapBits != nullptr) {
        std::memcpy(m_mapBits, bitmap + rw::res::kBlankMapPixelOffset, rw::res::kBlankMapPixelCount);
    }
    SelectPalette(memory, previous, FALSE);
    DeleteDC(memory);

    const auto brush = [](const rw::res::Rgb& colour) {
        return CreateSolidBrush(RGB(colour.r, colour.g, colour.b));
    };
    m_markBrush.reset(brush(rw::city::kMarkColour));
    m_selectedMarkBrush.reset(brush(rw::city::kSelectedMarkColour));
}

void CourseEditorDlg::OnPaint() {
    PAINTSTRUCT paint{};
    HDC windowDc = BeginPaint(m_window, &paint);
    if (IsIconic(m_window)) {
        SendMessageW(m_window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(windowDc), 0);
        RECT client{};
        GetClientRect(m_window, &client);
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(windowDc, x, y, m_hIcon);
        EndPaint(m_window, &paint);
        return;
    }
    HWND map = Control(ControlId::Map);
    HDC mapDc = GetDC(map);
    PaintMap(mapDc, 1, POINT{0, 0});
    ReleaseDC(map, mapDc);
    EndPaint(m_window, &paint);
}

void CourseEditorDlg::PaintMap(HDC dc, int zoom, POINT origin) const {
    HPALETTE previousPalette = SelectPalette(dc, m_mapPalette.get(), FALSE);
    RealizePalette(dc);
    const MemoryDc memory(CreateCompatibleDC(dc));
    HGDIOBJ previousImage = SelectObject(memory.get(), m_mapImage.get());
    // Each map pixel becomes a crisp block: no blending of neighbours, which would make up colours the
    // palette does not have.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, origin.x, origin.y, 256 * zoom, 256 * zoom, memory.get(), 0, 0, 256, 256, SRCCOPY);
    SelectObject(memory.get(), previousImage);
    SelectPalette(dc, previousPalette, FALSE);

    int index = 0;
    for (const rw::scenario::TilePos& pos : m_editor->GetScenario().checkpoints) {
        const rw::city::PixelRect square = rw::city::CheckpointSquare(pos.x, pos.y);
        const RECT rect{origin.x + zoom * square.left, origin.y + zoom * square.top,
                        origin.x + zoom * square.right, origin.y + zoom * square.bottom};
        FillRect(dc, &rect,
                 index == m_editor->SelectedCheckpoint() ? m_selectedMarkBrush.get() : m_markBrush.get());
        ++index;
    }
}

}  // namespace rw::win32
