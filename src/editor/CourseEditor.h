// The editor: the one race being edited, its city, route and map picture, and every command on them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "city/MapImage.h"
#include "editor/EditHistory.h"
#include "editor/EditorHost.h"
#include "editor/EditorView.h"
#include "editor/StoreRaceFields.h"
#include "route/CheckpointEdit.h"
#include "route/RouteMap.h"
#include "scenario/Scenario.h"

namespace rw::city {
class CityMap;
}
namespace rw::route {
class RaceRoute;
}

namespace rw::editor {

// Owns the document and answers every event of the editor window; knows no toolkit. The window (view) shows
// what the editor sets and reports input as calls of the On... handlers; everything modal goes through the
// host. Points are map pixels measured from the map area's top-left pixel (the view converts its own
// coordinates); points outside the map are allowed and ignored where the map has no tile.
class CourseEditor {
  public:
    // gameFolder (UTF-8) ends with the platform's separator; every path the editor builds starts with it.
    // view and host outlive the editor. Construction runs the window's start-up: labels are the view's,
    // the fields, list and map show a fresh race.
    CourseEditor(EditorView& view, EditorHost& host, std::string gameFolder);
    ~CourseEditor();

    CourseEditor(const CourseEditor&) = delete;
    CourseEditor& operator=(const CourseEditor&) = delete;

    // --- what the window shows ---
    bool IsModified() const { return m_modified; }
    // The selected list row, -1 for none.
    int SelectedCheckpoint() const { return m_selectedCheckpoint; }
    int Difficulty() const { return m_difficulty; }
    const scenario::Scenario& GetScenario() const { return m_scenario; }
    const city::CityMap& City() const { return *m_city; }
    const std::string& GameFolder() const { return m_gameFolder; }
    // The map picture: palette indices, bottom-up (see city::PixelIndex).
    const city::MapPixels& MapPixels() const { return m_mapPixels; }
    const route::RouteMap& RouteTiles() const;

    // --- event handlers ---
    void OnSysCommand(unsigned int command);
    // withControl: Ctrl held, which inserts after the selected checkpoint instead of appending.
    void OnLButtonDown(int px, int py, bool withControl = false);
    // rightButtonHeld: the pointer drags the selected checkpoint that a right button press took.
    void OnMouseMove(int px, int py, bool rightButtonHeld = false);
    // Moves the selected checkpoint to the tile; holding the button and moving drags it on (one undo step).
    void OnRButtonDown(int px, int py);
    void OnRButtonUp();
    void OnSelchangeCheckpoints();
    void OnClickLapsSpin();
    void OnClickRacersSpin();
    // delta: -1 for the up arrow, +1 for the down arrow.
    void OnDeltaposLapsSpin(int delta);
    void OnDeltaposRacersSpin(int delta);
    void OnSelchangeDifficulty();
    void OnNewScenario();
    void OnLoadScenario();
    void OnSaveScenario();
    void OnLoadCityFile();
    void OnDeleteCheckpoint();
    void OnExit();
    // The close box and Escape: the same request as Exit.
    void OnClose();
    void OnEnterGame();
    // The About box (the system-menu entry, or wherever the front end offers it).
    void OnAbout();
    // A typed change in an edit field: the race counts as modified at once.
    void OnEditChange(ControlId id);
    // The field lost the keyboard focus: what was typed there becomes one undo step.
    void OnEditKillFocus(ControlId id);
    void OnUndo();
    void OnRedo();
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    // Saves to the file last loaded or saved without asking; Save As when there is none.
    void OnSaveToLastFile();
    // Moves the selected checkpoint one place earlier (-1) or later (+1) in the course order.
    void OnShiftCheckpoint(int delta);

    // --- steps shared by the handlers ---
    void ReadFieldsIntoScenario();
    RaceFields ReadRaceFields() const;
    void ShowScenarioInFields();
    void ResetToFreshScenario();
    // Relabels the list and selects row select (none when the list has no such row).
    void RefillCheckpointList(int select = 0);
    void AddCheckpoint(int x, int y);
    void MoveCheckpoint(int x, int y);
    void DeleteCheckpoint();
    void RebuildRoute();
    void RebuildRoute(const route::CheckpointEdit& edit);
    void RedrawMap();

    // The system-menu command that opens the About box.
    static constexpr unsigned int kAboutCommand = 16;

  private:
    // Field access: texts as the documents' bytes, numbers read signed (0 when the text is not a number).
    std::string FieldBytes(ControlId id) const;
    void SetFieldBytes(ControlId id, std::string_view bytes);
    std::int32_t FieldInt(ControlId id) const;
    void SetFieldInt(ControlId id, std::int64_t value);
    // The checkpoint index the list entry at row holds; -1 when there is no such entry.
    int ItemIndex(int row) const;
    void ShowBlankMapPicture();
    // Asks whether to save first (Yes, No, Cancel); false when the command must stop: Cancel, or the save was
    // refused or cancelled.
    bool SaveFirstIfAsked();
    // Loads the named city (a bare file name as the document holds it, UTF-8); nothing on success, else the
    // message to show.
    std::optional<std::string> LoadCity(std::string_view fileName);
    void ShowLoadedCity(bool cityLoaded);
    void ShowFailure(const std::string& message);
    // Takes the form into the history and shows the refusal when the race cannot be saved as it stands.
    bool RefusedForSave();
    void SaveTo(const std::string& path);
    // The race form as it is now becomes an undo step when it differs from the last one taken.
    void CommitFields();
    void ShowFields(const RaceFields& fields);
    void UpdateModified();
    // After New, Load and Load City File: no history, and the race as it stands is the unmodified one.
    void StartFreshHistory();
    // The checkpoint changes every edit, undo and redo is made of; each rebuilds the route and selects the
    // checkpoint it touched.
    void InsertAt(int index, scenario::TilePos pos);
    void RemoveAt(int index);
    void SetAt(int index, scenario::TilePos pos);
    void SwapWithNext(int index, int select);
    void Apply(const EditStep& step, bool undo);
    std::optional<scenario::TilePos> RoadTileAt(int px, int py) const;
    void ShowBrokenLegs();

    EditorView& m_view;
    EditorHost& m_host;
    std::string m_gameFolder;

    bool m_modified = false;
    int m_selectedCheckpoint = -1;
    int m_difficulty = 0;

    scenario::Scenario m_scenario;
    std::unique_ptr<city::CityMap> m_city;
    std::unique_ptr<route::RaceRoute> m_route;
    city::MapPixels m_mapPixels{};

    EditHistory m_history;
    RaceFields m_committedFields;  // the race form as the last undo step left it
    std::string m_lastPath;
    bool m_dragging = false;         // a right-button drag of the selected checkpoint goes on
    bool m_showsBrokenLegs = false;  // the route problem text names legs without a road
    std::int32_t m_listLaps = 0;     // the lap count the list's labels were written for
    std::string m_label;             // a list label being written, its storage kept between fills
    std::string m_shownLabel;        // the label an entry shows, worked out to skip setting it again
    std::string m_statusText;        // the pointer's tile in words, its storage kept between moves
};

}  // namespace rw::editor
