// The editor's main window: controls, event table, field transfers, map view and picking.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QString>

#include <map>
#include <memory>

class QCloseEvent;
class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;
class QPainter;

namespace rw::scenario {
struct Scenario;
}
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

    // Commands (CourseEditorCommands.cpp).
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
    void ConnectEventTable();

    EditorHost& m_host;
    QString m_gameFolder;

    bool m_modified = false;
    int m_selectedCheckpoint = -1;
    int m_difficulty = 0;
    bool m_ending = false;

    std::map<int, QWidget*> m_controls;
    MapView* m_mapView = nullptr;
    QImage m_mapImage;
};

}  // namespace rw::ui
