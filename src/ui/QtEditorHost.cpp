// The editor's host on Qt.
#include "QtEditorHost.h"

#include "ui/AboutDlg.h"
#include "ui/CityPickerDlg.h"
#include "ui/GameLaunch.h"
#include "ui/ScenarioPickerDlg.h"
#include "ui/UiText.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace rw::ui {

namespace {

constexpr int kSaveQuestionText = 166;
constexpr int kSaveQuestionCaption = 167;

std::optional<QString> RunPicker(FilePickerDlg& picker) {
    if (picker.exec() != QDialog::Accepted || picker.ChosenFile().isEmpty()) {
        return std::nullopt;
    }
    return picker.ChosenFile();
}

}  // namespace

SaveAnswer QtEditorHost::AskSaveQuestion(QWidget* owner, bool withCancel) {
    QMessageBox box(
        QMessageBox::NoIcon, UiText(kSaveQuestionCaption), UiText(kSaveQuestionText),
        QMessageBox::Yes | QMessageBox::No | (withCancel ? QMessageBox::Cancel : QMessageBox::NoButton),
        owner);
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

void QtEditorHost::ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                               MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, caption,
                    text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("message"));
    box.exec();
}

std::optional<QString> QtEditorHost::AskSavePath(QWidget* owner, const QString& startFolder) {
    QFileDialog dialog(owner, QStringLiteral("*.scn"), startFolder, QStringLiteral("Scenario file (*.scn)"));
    dialog.setObjectName(QStringLiteral("saveAs"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("scn"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    // Without QDir::CaseSensitive the name filter matches "*.SCN" and "*.Scn" as well, as the game's own
    // platform does.
    dialog.setFilter(QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtEditorHost::PickScenario(QWidget* owner, const QString& folder) {
    ScenarioPickerDlg picker(folder, owner);
    return RunPicker(picker);
}

std::optional<QString> QtEditorHost::PickCity(QWidget* owner, const QString& folder) {
    CityPickerDlg picker(folder, owner);
    return RunPicker(picker);
}

void QtEditorHost::ShowAbout(QWidget* owner) {
    AboutDlg about(owner);
    about.exec();
}

bool QtEditorHost::LaunchGame(const QString& program, const QString& workingFolder) {
    return LaunchGameDetached(program, workingFolder);
}

}  // namespace rw::ui
