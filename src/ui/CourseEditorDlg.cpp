// The editor's main window: its controls, start-up, layout and event table.
#include "CourseEditorDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <utility>

#include "CheckpointListBox.h"
#include "DialogUnits.h"
#include "EditorTemplate.h"
#include "FieldValidator.h"
#include "MapView.h"
#include "SpinArrows.h"
#include "UiText.h"
#include "city/CityMap.h"
#include "res/StringTable.h"
#include "route/RaceRoute.h"

namespace rw::ui {

// Building the city blocks here, before any start-up step, lets a city be loaded at any moment after.
CourseEditorDlg::CourseEditorDlg(EditorHost& host, QString gameFolder, QWidget* parent)
    : QDialog(parent),
      m_host(host),
      m_gameFolder(std::move(gameFolder)),
      m_city(std::make_unique<rw::city::CityMap>()),
      m_route(std::make_unique<rw::route::RaceRoute>()) {
    OnInitDialog();
}

CourseEditorDlg::~CourseEditorDlg() = default;

rw::scenario::Scenario& CourseEditorDlg::GetScenario() {
    return m_scenario;
}
const rw::scenario::Scenario& CourseEditorDlg::GetScenario() const {
    return m_scenario;
}
rw::city::CityMap& CourseEditorDlg::City() {
    return *m_city;
}
const rw::city::CityMap& CourseEditorDlg::City() const {
    return *m_city;
}

QWidget* CourseEditorDlg::Control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

QLineEdit* CourseEditorDlg::Edit(int id) const {
    return ControlAs<QLineEdit>(id);
}

void CourseEditorDlg::OnInitDialog() {
    // 1. The dialog itself: fixed frame with caption, system menu and minimise box, in the task bar.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setMouseTracking(true);
    CreateControls();
    // 2.
    setWindowTitle(UiText(174));
    // 3.
    m_difficultyCombo = ControlAs<QComboBox>(1100);
    m_difficulty = 0;
    // 4. Limits on typing; a program-set text may be longer.
    new FieldValidator(*Edit(1077), 20, false);
    new FieldValidator(*Edit(1079), 5, true);
    new FieldValidator(*Edit(1074), 2, true);
    // 5. and 6.: the location names are a constant table of the core; the game folder came with the
    // constructor.
    // 7.
    CreateMapImage();
    // 8.
    SetLabels();
    // 9. and 10.: the application puts the About entry into the system menu where the platform has one
    // and gives every window its icon; F1 and the context menu outside the map reach About everywhere.
    // 11.
    LayOut();
    // 12.
    m_scenario.name = std::string(rw::res::String(126));
    // 13.
    ShowScenarioInFields();
    RefillCheckpointList();
    m_selectedCheckpoint = -1;
    m_checkpointList->setCurrentRow(-1);
    m_modified = false;
    ResetToFreshScenario();
    ConnectEventTable();
    // 14.
    Control(1022)->setFocus(Qt::OtherFocusReason);
}

void CourseEditorDlg::CreateControls() {
    const DialogUnits units(font());
    for (const TemplateItem& item : EditorControls()) {
        QWidget* widget = nullptr;
        switch (item.kind) {
            case ControlKind::PushButton: {
                auto* button = new QPushButton(this);
                button->setAutoDefault(false);
                button->setDefault(false);
                widget = button;
                break;
            }
            case ControlKind::Edit: {
                auto* edit = new QLineEdit(this);
                edit->setReadOnly((item.style & kReadOnly) != 0);
                widget = edit;
                break;
            }
            case ControlKind::DropDownList: {
                auto* combo = new QComboBox(this);
                combo->setEditable(false);
                combo->addItems({QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Hard")});
                widget = combo;
                break;
            }
            case ControlKind::ListBox: {
                auto* list = new CheckpointListBox(this);
                list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
                list->setUniformItemSizes(true);
                m_checkpointList = list;
                widget = list;
                break;
            }
            case ControlKind::Spin:
                widget = new SpinArrows(this);
                break;
            case ControlKind::MapFrame:
                m_mapView = new MapView(this);
                widget = m_mapView;
                break;
            case ControlKind::GroupBox:
                widget = new QGroupBox(this);
                break;
            case ControlKind::Static: {
                auto* label = new QLabel(this);
                Qt::Alignment align = Qt::AlignLeft;
                if ((item.style & kAlignRight) != 0) {
                    align = Qt::AlignRight;
                } else if ((item.style & kAlignCentre) != 0) {
                    align = Qt::AlignHCenter;
                }
                label->setAlignment(align | Qt::AlignTop);
                if ((item.style & kSunken) != 0) {
                    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                }
                widget = label;
                break;
            }
        }
        // Static texts, frames and group boxes let the mouse through to the window, as the map must.
        if (item.kind == ControlKind::Static || item.kind == ControlKind::GroupBox) {
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        if (item.kind == ControlKind::Static || item.kind == ControlKind::GroupBox ||
            item.kind == ControlKind::MapFrame) {
            widget->setFocusPolicy(Qt::NoFocus);
        } else if ((item.style & kNotTabStop) != 0) {
            widget->setFocusPolicy(Qt::ClickFocus);
        }
        QRect place = units.Rect(item.x, item.y, item.width, item.height);
        if (item.kind == ControlKind::DropDownList) {
            // The template's height is the dropped list's; the closed box is as tall as its font needs.
            place.setHeight(widget->sizeHint().height());
        }
        widget->setGeometry(place);
        widget->setObjectName(QStringLiteral("control%1").arg(item.id));
        widget->setVisible((item.style & kHidden) == 0);
        m_controls.emplace(item.id, widget);
    }
    // Earlier controls lie above later ones (the group boxes come last and frame the rest).
    const auto controls = EditorControls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        Control(it->id)->raise();
    }
    // Fields and arrows have no text of their own; assistive tools name them by the labels beside them.
    const struct {
        int id;
        int stringId;
    } accessibleNames[] = {{1017, 116}, {1077, 119}, {1079, 115}, {1074, 114}, {1072, 117},
                           {1080, 117}, {1081, 118}, {1082, 118}, {1100, 160}, {1001, 111}};
    for (const auto& name : accessibleNames) {
        Control(name.id)->setAccessibleName(UiText(name.stringId));
    }
    const DialogUnits windowUnits(font());
    resize(windowUnits.Size(kEditorWidthUnits, kEditorHeightUnits));
}

void CourseEditorDlg::SetLabels() {
    for (const TemplateItem& item : EditorControls()) {
        if (item.stringId == 0) {
            continue;
        }
        QWidget* widget = Control(item.id);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            button->setText(UiText(item.stringId));
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            box->setTitle(UiText(item.stringId));
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(UiText(item.stringId));
            FitLabel(*label);
        }
    }
}

// A font wider than the template's may not fit a label into its box: the box grows away from the edge
// its text is aligned to, so the text stays where the template puts it and shows whole.
void CourseEditorDlg::FitLabel(QLabel& label) {
    const int needed = label.fontMetrics().horizontalAdvance(label.text()) + 2 * label.frameWidth();
    const int missing = needed - label.width();
    if (missing <= 0) {
        return;
    }
    QRect place = label.geometry();
    if ((label.alignment() & Qt::AlignRight) != 0) {
        place.setLeft(place.left() - missing);
    } else if ((label.alignment() & Qt::AlignHCenter) != 0) {
        place.adjust(-missing / 2, 0, missing - missing / 2, 0);
    } else {
        place.setRight(place.right() + missing);
    }
    label.setGeometry(place);
}

// The map area becomes exactly 256 x 256 pixels whatever the font made of it; what lies right of and below
// it follows the growth.
void CourseEditorDlg::LayOut() {
    QWidget* map = Control(1041);
    const QRect mapRect = map->geometry();
    const int dx = 256 - mapRect.width();
    const int dy = 256 - mapRect.height();
    map->setGeometry(mapRect.x(), mapRect.y(), 256, 256);
    const int h = dx / 2;

    QWidget* status = Control(1055);
    status->move(status->pos() + QPoint(h, dy));

    for (const int id : {1001, 1086, 1007}) {
        Control(id)->setGeometry(Control(id)->geometry());
    }

    QWidget* frame = Control(1103);
    frame->resize(frame->width() + dx, frame->height() + dy);

    for (const int id : {1109, 1000}) {
        Control(id)->move(Control(id)->pos() + QPoint(h, dy));
    }

    setFixedSize(Control(1040)->width() + dx + 15, height() + dy);
}

QPoint CourseEditorDlg::MapOrigin() const {
    return Control(1041)->geometry().topLeft();
}

// The window's events and their handlers, one row per event.
void CourseEditorDlg::ConnectEventTable() {
    auto* mapView = m_mapView;
    auto* laps = static_cast<SpinArrows*>(Control(1080));
    auto* racers = static_cast<SpinArrows*>(Control(1082));
    auto button = [this](int id) { return static_cast<QPushButton*>(Control(id)); };

    // System command: F1 and the context menu stand in for the system menu (keyPressEvent,
    // contextMenuEvent) and call OnSysCommand.
    mapView->SetPainter([this](QPainter& painter) { OnPaint(painter); });
    connect(button(1022), &QPushButton::clicked, this, [this] { OnLoadCityFile(); });
    connect(button(1007), &QPushButton::clicked, this, [this] { OnDeleteCheckpoint(); });
    connect(button(1008), &QPushButton::clicked, this, [this] { OnLoadScenario(); });
    connect(button(1009), &QPushButton::clicked, this, [this] { OnSaveScenario(); });
    connect(m_checkpointList, &QListWidget::itemSelectionChanged, this, [this] { OnSelchangeCheckpoints(); });
    // Left button down, mouse move, right button down: mousePressEvent and mouseMoveEvent.
    connect(laps, &SpinArrows::Clicked, this, [this] { OnClickLapsSpin(); });
    connect(racers, &SpinArrows::Clicked, this, [this] { OnClickRacersSpin(); });
    connect(racers, &SpinArrows::DeltaPos, this, [this](int delta) { OnDeltaposRacersSpin(delta); });
    connect(laps, &SpinArrows::DeltaPos, this, [this](int delta) { OnDeltaposLapsSpin(delta); });
    connect(button(1010), &QPushButton::clicked, this, [this] { OnNewScenario(); });
    connect(button(1000), &QPushButton::clicked, this, [this] { OnEnterGame(); });
    // Close request: closeEvent and reject.
    connect(button(1109), &QPushButton::clicked, this, [this] { OnExit(); });
    connect(m_difficultyCombo, &QComboBox::activated, this, [this] { OnSelchangeDifficulty(); });
}

void CourseEditorDlg::OnSysCommand(unsigned int command) {
    if ((command & 0xFFF0u) == kAboutCommand) {
        OnAbout();
    }
}

void CourseEditorDlg::OnSelchangeDifficulty() {
    m_difficulty = m_difficultyCombo->currentIndex();
}

void CourseEditorDlg::OnDeleteCheckpoint() {
    DeleteCheckpoint();
}

void CourseEditorDlg::EndEditor() {
    m_ending = true;
    QDialog::done(0);
}

void CourseEditorDlg::closeEvent(QCloseEvent* event) {
    if (m_ending) {
        event->accept();
        return;
    }
    event->ignore();
    OnClose();
}

// Escape is the same close request as the close box.
void CourseEditorDlg::reject() {
    if (m_ending) {
        QDialog::reject();
        return;
    }
    OnClose();
}

// Nothing accepts the editor: Enter in a field must not end it.
void CourseEditorDlg::accept() {}

void CourseEditorDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        case Qt::Key_F1:
            OnSysCommand(kAboutCommand);
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
            return;
    }
}

void CourseEditorDlg::contextMenuEvent(QContextMenuEvent* event) {
    const QString entry = UiText(101);
    if (Control(1041)->geometry().contains(event->pos()) || entry.isEmpty()) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    QAction* about = menu.addAction(entry);
    if (menu.exec(event->globalPos()) == about) {
        OnSysCommand(kAboutCommand);
    }
}

}  // namespace rw::ui
