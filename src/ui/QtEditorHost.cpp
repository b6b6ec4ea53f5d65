// The editor's host on Qt.
#include "QtEditorHost.h"

#include "ui/AboutDlg.h"
#include "ui/CityPickerDlg.h"
#include "ui/CourseEditorDlg.h"
#include "ui/GameLaunch.h"
#include "ui/ScenarioPickerDlg.h"
#include "ui/UiText.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace rw::ui {

using rw::editor::MessageIcon;
using rw::editor::SaveAnswer;

namespace {

std::optional<std::string> RunPicker(FilePickerDlg& picker) {
    if (picker.exec() != QDialog::Accepted || picker.ChosenFile().isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(picker.ChosenFile());
}

}  // namespace

SaveAnswer QtEditorHost::AskSaveQuestion(bool withCancel) {
    QMessageBox box(
        QMessageBox::NoIcon, UiText(rw::res::StringId::SaveQuestionCaption),
        UiText(rw::res::StringId::SaveQuestionText),
        QMessageBox::Yes | QMessageBox::No | (withCancel ? QMessageBox::Cancel : QMessageBox::NoButton),
        m_window);
    box.setObjectName(QStringLiteral("saveQuestion"));
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return SaveAnswer::Yes;
        case QMessageBox::Cancel:
            return SaveAnswer::Cancel;
        default:
            return SaveAnswer::No;
    }
}

void QtEditorHost::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("message"));
    box.exec();
}

std::optional<std::string> QtEditorHost::AskSavePath(const std::string& startFolder) {
    QFileDialog dialog(m_window, QStringLiteral("Save As"), FromUtf8(startFolder),
                       QStringLiteral("Scenario file (*.scn)"));
    dialog.setObjectName(QStringLiteral("saveAs"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("scn"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    // Without QDir::CaseSensitive the name filter matches "*.SCN" and "*.Scn" as well, as the game's own
    // platform does.
    dialog.setFilter(QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot);
    dialog.selectFile(QStringLiteral("*.scn"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

std::optional<std::string> QtEditorHost::PickScenario(const std::string& folder) {
    ScenarioPickerDlg picker(FromUtf8(folder), m_window);
    return RunPicker(picker);
}

std::optional<std::string> QtEditorHost::PickCity(const std::string& folder) {
    CityPickerDlg picker(FromUtf8(folder), m_window);
    return RunPicker(picker);
}

void QtEditorHost::ShowAbout() {
    AboutDlg about(m_window);
    about.exec();
}

bool QtEditorHost::LaunchGame(const std::string& program, const std::string& workingFolder) {
    return LaunchGameDetached(FromUtf8(program), FromUtf8(workingFolder));
}

void QtEditorHost::EndEditor() {
    if (m_window != nullptr) {
        m_window->EndEditor();
    }
}

}  // namespace rw::ui
