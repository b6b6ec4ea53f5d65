// Shared by the window and shell tests: a scripted host, a scratch game folder, the window on it, and input.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "city/CityData.h"
#include "city/CityMap.h"
#include "city/WriteCityFile.h"
#include "scenario/WriteScenario.h"
#include "ui/CourseEditorDlg.h"
#include "ui/EditorHost.h"
#include "ui/FieldValidator.h"
#include "ui/GameFolder.h"

namespace rw::ui::test {

// Answers are queued; a question with no answer left is recorded in unexpected. Calls are recorded.
class ScriptedHost : public EditorHost {
  public:
    struct Message {
        QString text, caption;
        MessageIcon icon;
    };
    std::deque<SaveAnswer> saveAnswers;
    std::deque<std::optional<QString>> savePaths, scenarioPicks, cityPicks;
    bool launchResult = true;
    std::vector<bool> saveQuestions;  // withCancel of each question
    std::vector<Message> messages;
    QStringList saveStartFolders, scenarioFolders, cityFolders, unexpected;
    int aboutCount = 0;
    std::vector<std::pair<QString, QString>> launches;  // program, working folder

    SaveAnswer AskSaveQuestion(QWidget*, bool withCancel) override {
        saveQuestions.push_back(withCancel);
        return Next(saveAnswers, SaveAnswer::Cancel, "save question");
    }
    void ShowMessage(QWidget*, const QString& text, const QString& caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    std::optional<QString> AskSavePath(QWidget*, const QString& folder) override {
        saveStartFolders.append(folder);
        return Next(savePaths, std::optional<QString>(), "save path");
    }
    std::optional<QString> PickScenario(QWidget*, const QString& folder) override {
        scenarioFolders.append(folder);
        return Next(scenarioPicks, std::optional<QString>(), "scenario picker");
    }
    std::optional<QString> PickCity(QWidget*, const QString& folder) override {
        cityFolders.append(folder);
        return Next(cityPicks, std::optional<QString>(), "city picker");
    }
    void ShowAbout(QWidget*) override { ++aboutCount; }
    bool LaunchGame(const QString& program, const QString& folder) override {
        launches.emplace_back(program, folder);
        return launchResult;
    }
    void Clear() { *this = ScriptedHost{}; }

  private:
// g++ 12 at -O2 takes the moved-from optional<QString> for uninitialised (a known false positive).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
    template <class T>
    T Next(std::deque<T>& answers, const T& fallback, const char* what) {
        if (answers.empty()) {
            unexpected.append(QString::fromLatin1(what));
            return fallback;
        }
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
};

// The test city's roads: row kRoadRow and column kRoadColumn, from 10 to 100.
inline constexpr int kRoadRow = 40;
inline constexpr int kRoadColumn = 60;

// The window over a scratch game folder with cities/ and scenarios/movie/, and its host.
struct EditorUnderTest {
    ScriptedHost host;
    QTemporaryDir folder;
    std::unique_ptr<CourseEditorDlg> window;

    EditorUnderTest() {
        QDir(folder.path()).mkpath(QStringLiteral("cities"));
        QDir(folder.path()).mkpath(QStringLiteral("scenarios/movie"));
        window = std::make_unique<CourseEditorDlg>(host, GameFolder());
    }
    CourseEditorDlg& operator*() { return *window; }
    CourseEditorDlg* operator->() { return window.get(); }
    bool Show() {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    QString GameFolder() const { return QDir::toNativeSeparators(folder.path()) + QDir::separator(); }
    bool WriteCity(const QString& fileName) const {
        auto city = std::make_unique<rw::city::CityData>();
        for (int i = 10; i <= 100; ++i) {
            city->buildings[rw::city::TileIndex(i, kRoadRow)] = 29;
            city->buildings[rw::city::TileIndex(kRoadColumn, i)] = 29;
        }
        city->name = "Testville";
        return rw::city::WriteCityFile(*city, ToCorePath(CityPath(GameFolder(), fileName)));
    }
    bool WriteScenario(const QString& fileName, const rw::scenario::Scenario& scenario) const {
        return rw::scenario::WriteScenario(scenario, ToCorePath(ScenarioPath(GameFolder(), fileName)));
    }
    bool WriteJunk(const QString& relativePath) const {
        QFile file(QDir(folder.path()).filePath(relativePath));
        return file.open(QIODevice::WriteOnly) && file.write("this is not a game file\n") > 0;
    }
};

inline QString FieldText(const CourseEditorDlg& window, int id) {
    return window.ControlAs<QLineEdit>(id)->text();
}
inline void SetFieldText(CourseEditorDlg& window, int id, const QString& text) {
    FieldValidator::SetText(*window.ControlAs<QLineEdit>(id), text);
}
inline QStringList ListLabels(const CourseEditorDlg& window) {
    QStringList labels;
    const auto* list = window.ControlAs<QListWidget>(1001);
    for (int row = 0; row < list->count(); ++row) {
        labels << list->item(row)->text();
    }
    return labels;
}
// Title, Time, Bonus, Laps, Racers and City File.
inline QStringList Fields(const CourseEditorDlg& window) {
    QStringList texts;
    for (const int id : {1077, 1079, 1074, 1072, 1081, 1017}) {
        texts << FieldText(window, id);
    }
    return texts;
}
inline int ListSelectionRow(const CourseEditorDlg& window) {
    const auto* list = window.ControlAs<QListWidget>(1001);
    return list->selectedItems().isEmpty() ? -1 : list->row(list->selectedItems().first());
}
inline QString StatusText(const CourseEditorDlg& window) {
    return window.ControlAs<QLabel>(1055)->text();
}

// Points of the window's client area: map pixel (px, py), and the top-left pixel of tile (x, y).
inline QPoint MapPixel(const CourseEditorDlg& window, int px, int py) {
    return window.MapOrigin() + QPoint(px, py);
}
inline QPoint TilePoint(const CourseEditorDlg& window, int x, int y) {
    return MapPixel(window, 2 * x, 2 * y);
}

// Real mouse input through the window system, so it reaches whatever widget lies under the point.
inline void ClickAt(CourseEditorDlg& window, Qt::MouseButton button, QPoint point) {
    QTest::mouseClick(window.windowHandle(), button, Qt::NoModifier, point);
}
inline void MoveMouseTo(CourseEditorDlg& window, QPoint point) {
    QTest::mouseMove(window.windowHandle(), point);
}
inline void ClickListRow(CourseEditorDlg& window, int row) {
    auto* list = window.ControlAs<QListWidget>(1001);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

// Key events carrying each character of text (any Unicode text).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &event);
        }
    }
}

}  // namespace rw::ui::test
