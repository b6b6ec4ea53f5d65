// The editor's main window: controls, event table, field transfers, map view and picking.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "scenario/Scenario.h"
#include "scenario/StoreRaceFields.h"

class QCloseEvent;
class QComboBox;
class QLineEdit;
class QListWidget;
class QContextMenuEvent;
class QKeyEvent;
class QLabel;
class QMouseEvent;
class QPainter;

namespace rw::city {
class CityMap;
}
namespace rw::route {
class RaceRoute;
}

namespace rw::ui {

class EditorHost;
class MapView;

// One window per run, shown modally until the user leaves the editor. It owns the document (the one
// Scenario), the loaded city, the route and the map picture. Controls are named by their numeric ids;
// Control(id) finds any of them.
class CourseEditorDlg : public QDialog {
    Q_OBJECT

  public:
    // gameFolder ends with the platform's separator; every path the window builds starts with it.
    CourseEditorDlg(EditorHost& host, QString gameFolder, QWidget* parent = nullptr);
    ~CourseEditorDlg() override;

    CourseEditorDlg(const CourseEditorDlg&) = delete;
    CourseEditorDlg& operator=(const CourseEditorDlg&) = delete;

    // --- state read by tests and the host ---
    bool IsModified() const { return m_modified; }
    int SelectedCheckpoint() const { return m_selectedCheckpoint; }
    int Difficulty() const { return m_difficulty; }
    rw::scenario::Scenario& GetScenario();
    const rw::scenario::Scenario& GetScenario() const;
    rw::city::CityMap& City();
    const rw::city::CityMap& City() const;
    const QString& GameFolderPath() const { return m_gameFolder; }
    QWidget* Control(int id) const;
    template <class T>
    T* ControlAs(int id) const {
        return qobject_cast<T*>(Control(id));
    }
    // The map picture as the map area shows it (palette indices, top row first).
    const QImage& MapImage() const { return m_mapImage; }
    // The map area's top-left corner in the window's client coordinates.
    QPoint MapOrigin() const;
    // The route's tiles, one byte per tile at x * 128 + y, non-zero on the route.
    const std::array<std::uint8_t, 128 * 128>& RouteTiles() const;

    // --- event handlers (wired by the event table in CourseEditorDlg.cpp) ---
    void OnSysCommand(unsigned int command);
    void OnPaint(QPainter& mapPainter);
    // Points are in the window's client coordinates.
    void OnLButtonDown(QPoint point);
    void OnMouseMove(QPoint point);
    void OnRButtonDown(QPoint point);
    void OnSelchangeCheckpoints();
    void OnClickLapsSpin();
    void OnClickRacersSpin();
    // delta: -1 for the up arrow, +1 for the down arrow.
    void OnDeltaposRacersSpin(int delta);
    void OnDeltaposLapsSpin(int delta);
    void OnSelchangeDifficulty();

    // Commands (CourseEditorCommands.cpp, but OnDeleteCheckpoint).
    void OnLoadCityFile();
    void OnDeleteCheckpoint();
    void OnLoadScenario();
    void OnSaveScenario();
    void OnNewScenario();
    void OnEnterGame();
    // The one close request (close box, Escape). It decides whether the window closes: EndEditor() does.
    void OnClose();
    void OnExit();
    // Opens the About box (the system-menu entry, F1, or the context menu outside the map).
    void OnAbout();

    // --- steps shared by the handlers ---
    void ReadFieldsIntoScenario();
    rw::scenario::RaceFields ReadRaceFields() const;
    void ShowScenarioInFields();
    void ResetToFreshScenario();
    void RefillCheckpointList();
    void AddCheckpoint(int x, int y);
    void MoveCheckpoint(int x, int y);
    void DeleteCheckpoint();
    void RebuildRoute();

    // --- the map picture ---
    void CreateMapImage();
    void ShowBlankMapPicture();
    void RedrawMap();

    // Closes the window for good, bypassing OnClose; the modal run then returns.
    void EndEditor();

    // The command that opens the About box from the system menu.
    static constexpr unsigned int kAboutCommand = 16;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void accept() override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void OnInitDialog();
    void CreateControls();
    void SetLabels();
    static void FitLabel(QLabel& label);
    void LayOut();
    void ConnectEventTable();

    // Field access by control id: texts as the documents' bytes, numbers read signed (0 when the text is
    // not a number).
    std::string FieldBytes(int id) const;
    void SetFieldBytes(int id, const std::string& bytes);
    std::int32_t FieldInt(int id) const;
    void SetFieldInt(int id, std::int64_t value);
    QLineEdit* Edit(int id) const;
    // The list's selected position, -1 for none.
    int ListSelection() const;
    // The checkpoint index held by list entry row; -1 when there is no such entry.
    int ItemIndex(int row) const;
    // Selects position row (-1: none) without reporting a selection change.
    void SelectListRow(int row);
    void SyncMapImage();
    void UpdateMapArea();

    EditorHost& m_host;
    QString m_gameFolder;

    bool m_modified = false;
    int m_selectedCheckpoint = -1;
    int m_difficulty = 0;
    bool m_ending = false;

    std::map<int, QWidget*> m_controls;
    QListWidget* m_checkpointList = nullptr;
    QComboBox* m_difficultyCombo = nullptr;
    MapView* m_mapView = nullptr;

    rw::scenario::Scenario m_scenario;
    std::unique_ptr<rw::city::CityMap> m_city;
    std::unique_ptr<rw::route::RaceRoute> m_route;

    // The map picture: palette indices bottom-up (the core's layout) and the top-down image shown.
    std::array<std::uint8_t, 256 * 256> m_mapPixels{};
    QList<QRgb> m_mapPalette;
    QImage m_mapImage;
};

}  // namespace rw::ui
