// The editor window's document commands: New, Load, Save, Load City File, Exit, close, launch, About.
#include "CourseEditorDlg.h"

#include "city/CityMap.h"
#include "city/LoadCityFile.h"
#include "scenario/ReadScenario.h"
#include "scenario/Scenario.h"
#include "scenario/StoreRaceFields.h"
#include "scenario/Windows1252.h"
#include "scenario/WriteScenario.h"
#include "ui/EditorHost.h"
#include "ui/GameFolder.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include <optional>

namespace rw::ui {

namespace {

constexpr int kIdCityFileField = 1017;
constexpr int kIdRaceTitleField = 1077;
constexpr int kIdDifficultyCombo = 1100;

constexpr int kTextUntitled = 126;
constexpr int kTextNoTitle = 158;
constexpr int kCaptionNoTitle = 165;
constexpr int kTextNoCheckpoints = 169;
constexpr int kCaptionNoCheckpoints = 170;
constexpr int kTextLaunchFailed = 163;
constexpr int kCaptionLaunchFailed = 164;
constexpr int kCaptionEditor = 174;

QString FieldText(const CourseEditorDlg& window, int id) {
    const auto* field = window.ControlAs<QLineEdit>(id);
    return field != nullptr ? field->text() : QString();
}

QString FromFileBytes(const std::string& bytes) {
    return QString::fromStdString(rw::scenario::Windows1252ToUtf8(bytes));
}

// Why a file could not be read, as far as the file system can tell; otherwise its contents were refused.
QString ReadFailureReason(const QString& path, const QString& refusedContents) {
    const QFileInfo file(path);
    if (!file.exists()) {
        return QStringLiteral("the file does not exist");
    }
    if (!file.isFile()) {
        return QStringLiteral("it is not a file");
    }
    if (!file.isReadable()) {
        return QStringLiteral("the file cannot be opened for reading");
    }
    return refusedContents;
}

QString WriteFailureReason(const QString& path) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists()) {
        return QStringLiteral("the folder does not exist");
    }
    if (!folder.isWritable()) {
        return QStringLiteral("the folder cannot be written to");
    }
    const QFileInfo file(path);
    if (file.exists() && (!file.isFile() || !file.isWritable())) {
        return QStringLiteral("the existing file cannot be replaced");
    }
    return QStringLiteral("the file could not be written completely (the disk may be full)");
}

QString FailureMessage(const QString& action, const QString& path, const QString& reason) {
    return QStringLiteral("%1 \"%2\": %3.").arg(action, QDir::toNativeSeparators(path), reason);
}

// Loads the named city into the window's city. Nothing on success, else the message to show.
std::optional<QString> LoadCity(CourseEditorDlg& window, const QString& gameFolder, const QString& fileName) {
    const QString path = CityPath(gameFolder, fileName);
    if (fileName.isEmpty()) {
        return FailureMessage(QStringLiteral("Could not load the city file"), path,
                              QStringLiteral("the scenario names no city file"));
    }
    if (rw::city::LoadCityFile(window.City(), ToCorePath(path))) {
        return std::nullopt;
    }
    return FailureMessage(
        QStringLiteral("Could not load the city file"), path,
        ReadFailureReason(path, QStringLiteral("it is not a city file the editor can read")));
}

// Draws the city and the route; without a city the map keeps the blank picture, and the cleared
// building layer lets no checkpoint be placed.
void ShowLoadedCity(CourseEditorDlg& window, bool cityLoaded) {
    window.RebuildRoute();
    if (!cityLoaded) {
        window.ShowBlankMapPicture();
    }
}

}  // namespace

void CourseEditorDlg::OnNewScenario() {
    if (!FieldText(*this, kIdCityFileField).isEmpty()) {
        switch (m_host.AskSaveQuestion(this, true)) {
            case SaveAnswer::Yes:
                OnSaveScenario();
                if (m_modified) {
                    return;
                }
                break;
            case SaveAnswer::Cancel:
                return;
            case SaveAnswer::No:
                break;
        }
    }
    ResetToFreshScenario();
    m_difficulty = 0;
    if (auto* combo = ControlAs<QComboBox>(kIdDifficultyCombo)) {
        combo->setCurrentIndex(0);
    }
    update();
}

void CourseEditorDlg::OnLoadScenario() {
    if (m_modified && m_host.AskSaveQuestion(this, false) == SaveAnswer::Yes) {
        OnSaveScenario();
        if (m_modified) {
            return;
        }
    }
    const std::optional<QString> chosen = m_host.PickScenario(this, ScenarioFolder(m_gameFolder));
    if (!chosen) {
        update();
        return;
    }

    ResetToFreshScenario();
    rw::scenario::Scenario& scenario = GetScenario();
    scenario = rw::scenario::Scenario{};
    const QString path = ScenarioPath(m_gameFolder, *chosen);
    if (!rw::scenario::ReadScenario(scenario, ToCorePath(path))) {
        // What a refused file left behind is no race to show or to save over another file.
        ResetToFreshScenario();
        update();
        m_host.ShowMessage(
            this,
            FailureMessage(QStringLiteral("Could not load the scenario"), path,
                           ReadFailureReason(path, QStringLiteral("it is not a scenario file"))),
            UiText(kCaptionEditor), MessageIcon::Exclamation);
        return;
    }
    m_modified = false;

    const std::optional<QString> cityFailure =
        LoadCity(*this, m_gameFolder, FromFileBytes(scenario.cityFile));
    ShowScenarioInFields();
    RefillCheckpointList();
    ShowLoadedCity(*this, !cityFailure);
    update();
    if (!scenario.aiRacers.empty()) {
        m_difficulty = scenario.aiRacers.front().word10 - 1;
    }
    if (auto* combo = ControlAs<QComboBox>(kIdDifficultyCombo)) {
        // A level outside the three the editor knows leaves no entry selected.
        combo->setCurrentIndex(m_difficulty >= 0 && m_difficulty < combo->count() ? m_difficulty : -1);
    }
    update();
    if (cityFailure) {
        m_host.ShowMessage(this, *cityFailure, UiText(kCaptionEditor), MessageIcon::Exclamation);
    }
}

void CourseEditorDlg::OnSaveScenario() {
    const QString title = FieldText(*this, kIdRaceTitleField);
    if (title.isEmpty() || title == UiText(kTextUntitled)) {
        m_host.ShowMessage(this, UiText(kTextNoTitle), UiText(kCaptionNoTitle), MessageIcon::None);
        return;
    }
    if (GetScenario().checkpoints.empty()) {
        m_host.ShowMessage(this, UiText(kTextNoCheckpoints), UiText(kCaptionNoCheckpoints),
                           MessageIcon::None);
        return;
    }
    const std::optional<QString> path = m_host.AskSavePath(this, ScenarioFolder(m_gameFolder));
    if (!path) {
        return;
    }
    rw::scenario::StoreRaceForSave(GetScenario(), ReadRaceFields());
    const bool written = rw::scenario::WriteScenario(GetScenario(), ToCorePath(*path));
    RefillCheckpointList();
    if (!written) {
        // The race is still only in the editor: keep it marked unsaved.
        m_host.ShowMessage(
            this,
            FailureMessage(QStringLiteral("Could not save the scenario"), *path, WriteFailureReason(*path)),
            UiText(kCaptionEditor), MessageIcon::Exclamation);
        return;
    }
    m_modified = false;
}

void CourseEditorDlg::OnLoadCityFile() {
    if (m_modified && m_host.AskSaveQuestion(this, false) == SaveAnswer::Yes) {
        OnSaveScenario();
        if (m_modified) {
            return;
        }
    }
    const std::optional<QString> chosen = m_host.PickCity(this, CityFolder(m_gameFolder));
    if (!chosen) {
        return;
    }
    const std::optional<std::string> nameBytes = rw::scenario::Utf8ToWindows1252(chosen->toStdString());
    if (!nameBytes) {
        m_host.ShowMessage(
            this,
            FailureMessage(QStringLiteral("Could not use the city file"), CityPath(m_gameFolder, *chosen),
                           QStringLiteral("its name holds characters a scenario cannot store")),
            UiText(kCaptionEditor), MessageIcon::Exclamation);
        return;
    }

    ResetToFreshScenario();
    GetScenario().cityFile = *nameBytes;
    const std::optional<QString> cityFailure = LoadCity(*this, m_gameFolder, *chosen);
    ShowScenarioInFields();
    GetScenario().checkpoints.clear();
    ShowLoadedCity(*this, !cityFailure);
    update();
    if (cityFailure) {
        m_host.ShowMessage(this, *cityFailure, UiText(kCaptionEditor), MessageIcon::Exclamation);
    }
}

void CourseEditorDlg::OnExit() {
    if (m_modified && m_host.AskSaveQuestion(this, false) == SaveAnswer::Yes) {
        OnSaveScenario();
        if (m_modified) {
            return;
        }
    }
    EndEditor();
}

void CourseEditorDlg::OnClose() {
    // The close box and Escape ask exactly as Exit does, and a refused or cancelled save keeps the
    // editor open rather than dropping the race.
    OnExit();
}

void CourseEditorDlg::OnEnterGame() {
    if (m_modified && m_host.AskSaveQuestion(this, false) == SaveAnswer::Yes) {
        OnSaveScenario();  // the game starts whatever the save did
    }
    QString workingFolder = m_gameFolder;
    if (workingFolder.size() > 1 &&
        (workingFolder.endsWith(QLatin1Char('/')) || workingFolder.endsWith(QDir::separator()))) {
        workingFolder.chop(1);
    }
    if (!m_host.LaunchGame(GameExecutable(m_gameFolder), workingFolder)) {
        m_host.ShowMessage(this, UiText(kTextLaunchFailed), UiText(kCaptionLaunchFailed),
                           MessageIcon::Exclamation);
    }
}

void CourseEditorDlg::OnAbout() {
    m_host.ShowAbout(this);
}

}  // namespace rw::ui
