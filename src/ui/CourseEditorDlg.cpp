// The editor's main window: its controls, start-up, layout and event table.
#include "CourseEditorDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>
#include <utility>

#include "CheckpointListView.h"
#include "DialogUnits.h"
#include "EditorTemplate.h"
#include "FieldValidator.h"
#include "MagnifiedMapDlg.h"
#include "MapView.h"
#include "SpinArrows.h"
#include "StatusLine.h"
#include "UiText.h"
#include "editor/RaceRules.h"
#include "res/MapPalette.h"
#include "res/StringTable.h"

namespace rw::ui {

using rw::editor::ControlId;

namespace {

// "&&" shows one "&"; a lone "&" marks the mnemonic and is dropped.
QString WithoutMnemonic(const QString& label) {
    QString shown;
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label[i] == u'&' && i + 1 < label.size()) {
            ++i;
        }
        shown += label[i];
    }
    return shown;
}

}  // namespace

CourseEditorDlg::CourseEditorDlg(rw::editor::EditorHost& host, std::string gameFolder, QWidget* parent)
    : QDialog(parent) {
    // A fixed frame with caption, system menu and minimise box, in the task bar.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setMouseTracking(true);
    CreateControls();
    setWindowTitle(UiText(rw::res::StringId::EditorCaption));
    m_difficultyCombo = ControlAs<QComboBox>(ControlId::Difficulty);
    for (const ControlId id : {ControlId::RaceTitle, ControlId::TimeLimit, ControlId::Bonus}) {
        const auto limit = rw::editor::TypingLimit(id);
        new FieldValidator(*Edit(id), limit->maxLength, limit->digitsOnly);
    }
    m_mapImage = QImage(256, 256, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (const rw::res::Rgb& entry : rw::res::MapPalette()) {
        palette.push_back(qRgb(entry.r, entry.g, entry.b));
    }
    m_mapImage.setColorTable(palette);
    SetLabels();
    LayOut();
    m_editor = std::make_unique<rw::editor::CourseEditor>(*this, host, std::move(gameFolder));
    RepaintMap();
    ConnectEventTable();
    Control(ControlId::LoadCityFile)->setFocus(Qt::OtherFocusReason);
}

// The controls outlive the editor while the dialog is taken down, and a field losing the focus then still
// reports it: nothing may reach the editor any more.
CourseEditorDlg::~CourseEditorDlg() {
    for (const auto& [id, control] : m_controls) {
        control->disconnect(this);
        control->removeEventFilter(this);
    }
    m_mapView->SetPainter({});
}

QWidget* CourseEditorDlg::Control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

QLineEdit* CourseEditorDlg::Edit(ControlId id) const {
    return ControlAs<QLineEdit>(id);
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
                for (const std::string_view name : rw::editor::kDifficultyNames) {
                    combo->addItem(FromUtf8(name));
                }
                widget = combo;
                break;
            }
            case ControlKind::ListBox: {
                m_checkpointList = new CheckpointListView(this);
                widget = m_checkpointList;
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
                // The sunken one is the status line.
                auto* label = (item.style & kSunken) != 0 ? new StatusLine(this) : new QLabel(this);
                Qt::Alignment align = Qt::AlignLeft;
                if ((item.style & kAlignRight) != 0) {
                    align = Qt::AlignRight;
                } else if ((item.style & kAlignCentre) != 0) {
                    align = Qt::AlignHCenter;
                }
                label->setAlignment(align | Qt::AlignTop);
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
            // A group box title with a mnemonic would take Alt+C from the Load City File button beside it.
            box->setTitle(WithoutMnemonic(UiText(item.stringId)));
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
    QWidget* map = Control(ControlId::Map);
    const QRect mapRect = map->geometry();
    const int dx = 256 - mapRect.width();
    const int dy = 256 - mapRect.height();
    map->setGeometry(mapRect.x(), mapRect.y(), 256, 256);
    const int h = dx / 2;
    for (const ControlId id : {ControlId::Status, ControlId::Exit, ControlId::EnterGame}) {
        Control(id)->move(Control(id)->pos() + QPoint(h, dy));
    }
    QWidget* frame = Control(ControlId::MapBox);
    frame->resize(frame->width() + dx, frame->height() + dy);
    // Labels keep the size laid out here, so a new text asks the window for no layout.
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        label->setFixedSize(label->size());
    }
    // The sizes are the window's outer frame; the frame's own edges are known once it is shown.
    m_frameSize = QSize(Control(ControlId::StatusFrame)->width() + dx + 15, height() + dy);
    setFixedSize(m_frameSize);
}

void CourseEditorDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QSize edges = frameGeometry().size() - geometry().size();
    if (edges.width() > 0 || edges.height() > 0) {
        setFixedSize(m_frameSize - edges);
    }
}

// The map paints itself whole and is marked opaque, which leaves it out of a repaint of the whole window
// (the commands repaint the window after a load): such a repaint reaches it here.
void CourseEditorDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (event->rect().contains(m_mapView->geometry())) {
        m_mapView->update();
    }
}

QPoint CourseEditorDlg::MapOrigin() const {
    return Control(ControlId::Map)->geometry().topLeft();
}

// The window's events and the editor's handlers, one row per event.
void CourseEditorDlg::ConnectEventTable() {
    auto* laps = static_cast<SpinArrows*>(Control(ControlId::LapsSpin));
    auto* racers = static_cast<SpinArrows*>(Control(ControlId::RacersSpin));
    auto button = [this](ControlId id) { return static_cast<QPushButton*>(Control(id)); };
    rw::editor::CourseEditor& editor = *m_editor;

    // System command: F1 and the context menu stand in for the system menu (keyPressEvent,
    // contextMenuEvent).
    m_mapView->SetPainter([this](QPainter& painter, const QRect& rect) { PaintMap(painter, rect); });
    connect(button(ControlId::LoadCityFile), &QPushButton::clicked, this,
            [&editor] { editor.OnLoadCityFile(); });
    connect(button(ControlId::DeleteCheckpoint), &QPushButton::clicked, this,
            [&editor] { editor.OnDeleteCheckpoint(); });
    connect(button(ControlId::LoadScenario), &QPushButton::clicked, this,
            [&editor] { editor.OnLoadScenario(); });
    connect(button(ControlId::SaveScenario), &QPushButton::clicked, this,
            [&editor] { editor.OnSaveScenario(); });
    connect(m_checkpointList, &CheckpointListView::SelectionChanged, this,
            [&editor] { editor.OnSelchangeCheckpoints(); });
    // Left button down, mouse move, right button down: mousePressEvent and mouseMoveEvent.
    connect(laps, &SpinArrows::Clicked, this, [&editor] { editor.OnClickLapsSpin(); });
    connect(racers, &SpinArrows::Clicked, this, [&editor] { editor.OnClickRacersSpin(); });
    connect(racers, &SpinArrows::DeltaPos, this,
            [&editor](int delta) { editor.OnDeltaposRacersSpin(delta); });
    connect(laps, &SpinArrows::DeltaPos, this, [&editor](int delta) { editor.OnDeltaposLapsSpin(delta); });
    connect(button(ControlId::NewScenario), &QPushButton::clicked, this,
            [&editor] { editor.OnNewScenario(); });
    connect(button(ControlId::EnterGame), &QPushButton::clicked, this, [&editor] { editor.OnEnterGame(); });
    // Close request: closeEvent and reject.
    connect(button(ControlId::Exit), &QPushButton::clicked, this, [&editor] { editor.OnExit(); });
    connect(m_difficultyCombo, &QComboBox::activated, this, [&editor] { editor.OnSelchangeDifficulty(); });
    // The fields and the list would take Ctrl+Z or Alt+Up for themselves: the window's keys come first.
    m_checkpointList->installEventFilter(this);
    // Typing counts as a change at once; leaving the field makes it one undo step.
    for (const ControlId id : {ControlId::RaceTitle, ControlId::TimeLimit, ControlId::Bonus}) {
        Edit(id)->installEventFilter(this);
        connect(Edit(id), &QLineEdit::textEdited, this, [&editor, id] { editor.OnEditChange(id); });
        connect(Edit(id), &QLineEdit::editingFinished, this, [&editor, id] { editor.OnEditKillFocus(id); });
    }
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
    m_editor->OnClose();
}

// Escape is the same close request as the close box.
void CourseEditorDlg::reject() {
    if (m_ending) {
        QDialog::reject();
        return;
    }
    m_editor->OnClose();
}

// Nothing accepts the editor: Enter in a field must not end it.
void CourseEditorDlg::accept() {}

// Enter presses the push button that has the focus and does nothing elsewhere.
void CourseEditorDlg::keyPressEvent(QKeyEvent* event) {
    if (HandleEditingKey(*event)) {
        event->accept();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
                button->click();
            }
            event->accept();
            return;
        case Qt::Key_F1:
            m_editor->OnSysCommand(rw::editor::CourseEditor::kAboutCommand);
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
            return;
    }
}

bool CourseEditorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && HandleEditingKey(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Undo, redo, save to the last file, and the Checkpoints list's own keys (Delete, Alt+Up/Down), from
// wherever the focus is in the window.
bool CourseEditorDlg::HandleEditingKey(const QKeyEvent& event) {
    const bool control = (event.modifiers() & Qt::ControlModifier) != 0;
    const bool shift = (event.modifiers() & Qt::ShiftModifier) != 0;
    const bool alt = (event.modifiers() & Qt::AltModifier) != 0;
    const bool inList = focusWidget() == m_checkpointList;
    if (control && event.key() == Qt::Key_Z) {
        shift ? m_editor->OnRedo() : m_editor->OnUndo();
    } else if (control && event.key() == Qt::Key_Y) {
        m_editor->OnRedo();
    } else if (control && event.key() == Qt::Key_S) {
        m_editor->OnSaveToLastFile();
    } else if (control && event.key() == Qt::Key_M) {
        ShowMagnifiedMap();
    } else if (inList && alt && (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down)) {
        m_editor->OnShiftCheckpoint(event.key() == Qt::Key_Up ? -1 : 1);
    } else if (inList && event.key() == Qt::Key_Delete) {
        m_editor->OnDeleteCheckpoint();
    } else {
        return false;
    }
    return true;
}

void CourseEditorDlg::contextMenuEvent(QContextMenuEvent* event) {
    const QString entry = UiText(rw::res::StringId::AboutEntry);
    if (Control(ControlId::Map)->geometry().contains(event->pos()) || entry.isEmpty()) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    QAction* magnify = menu.addAction(QStringLiteral("&Magnified Map\tCtrl+M"));
    QAction* about = menu.addAction(entry);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == about) {
        m_editor->OnSysCommand(rw::editor::CourseEditor::kAboutCommand);
    } else if (chosen == magnify) {
        ShowMagnifiedMap();
    }
}

}  // namespace rw::ui
