// The editor's main window on Win32: the dialog from template 102, its event table, keys, layout and map.
#pragma once

// windows.h first: the common control and dialog headers build on it.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "GdiObject.h"
#include "editor/CourseEditor.h"
#include "editor/EditorView.h"

namespace rw::win32 {

class MagnifiedMapWnd;

// The window is the editor's view over the real controls: it shows what the editor (CourseEditor, which
// owns the race, the city and the map picture) sets and hands every input to it, mouse points converted
// to map pixels. The editor is made when the dialog receives WM_INITDIALOG.
class CourseEditorDlg : public rw::editor::EditorView {
  public:
    // gameFolder (UTF-8) ends with a backslash.
    CourseEditorDlg(rw::editor::EditorHost& host, std::string gameFolder);
    ~CourseEditorDlg() override;

    CourseEditorDlg(const CourseEditorDlg&) = delete;
    CourseEditorDlg& operator=(const CourseEditorDlg&) = delete;

    // Shows the window with no owner and runs its message loop until it ends.
    INT_PTR RunModal();
    // Creates the window without a modal loop of its own (the caller pumps or sends the messages) and
    // returns it, or nullptr when it cannot be created; it is destroyed with this object.
    HWND CreateModeless();
    // Ends the window for good, bypassing the close request.
    void EndEditor();
    // The window's keys (accelerators), for a message loop to call before IsDialogMessage: true when the
    // message was a key of the editor's and has been handled.
    bool TranslateKey(MSG& message) const;
    // Opens the magnified map window (or brings it forward); it lives as long as this window.
    MagnifiedMapWnd& ShowMagnifiedMap();
    MagnifiedMapWnd* MagnifiedMap() const { return m_magnified.get(); }
    // Paints the map picture and the checkpoint squares into dc, each map pixel a zoom x zoom block, the
    // map's top-left corner at origin.
    void PaintMap(HDC dc, int zoom, POINT origin) const;

    HWND Window() const { return m_window; }
    rw::editor::CourseEditor& Editor() { return *m_editor; }
    // The 65,536 pixel bytes of the map image as it is painted (bottom-up palette indices).
    std::span<const std::uint8_t> MapImageBits() const;
    HBITMAP MapImage() const { return m_mapImage.get(); }
    // The map area's top-left corner in the window's client coordinates.
    POINT MapOrigin() const;

    // --- the editor's view ---
    std::string Text(rw::editor::ControlId id) const override;
    void SetText(rw::editor::ControlId id, std::string_view text) override;
    int ListCount() const override;
    void ListInsert(int row, std::string_view label, int itemData) override;
    void ListSetLabel(int row, std::string_view label) override;
    void ListRemove(int row) override;
    int ListItemData(int row) const override;
    int ListSelection() const override;
    void ListSelect(int row) override;
    void ListScrollToTop() override;
    int DifficultySelection() const override;
    void SelectDifficulty(int index) override;
    void RepaintMap() override;

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog();
    void OnCommand(int id, int code);
    void OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnContextMenu(LPARAM lParam);
    LRESULT OnNotify(const NMHDR& header, LPARAM lParam);
    void OnPaint();
    void CreateMapImage();
    void SetLabels();
    static void FitLabel(HWND control);
    void AppendAboutEntry();
    void LayOut();
    HWND Control(rw::editor::ControlId id) const;
    LRESULT SendList(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    rw::editor::EditorHost& m_host;
    std::string m_gameFolder;
    HWND m_window = nullptr;
    bool m_ended = false;
    bool m_settingText = false;  // the editor sets a field: its change notification is not typing
    HACCEL m_windowKeys = nullptr;
    HACCEL m_listKeys = nullptr;
    HICON m_hIcon = nullptr;
    GdiObject<HPALETTE> m_mapPalette;
    GdiObject<HBITMAP> m_mapImage;
    std::uint8_t* m_mapBits = nullptr;
    GdiObject<HBRUSH> m_markBrush;
    GdiObject<HBRUSH> m_selectedMarkBrush;
    std::unique_ptr<rw::editor::CourseEditor> m_editor;
    std::unique_ptr<MagnifiedMapWnd> m_magnified;
};

}  // namespace rw::win32
