// A scripted EditorHost for driving the editor's commands headless: answers are queued, calls recorded.
#pragma once

#include "ui/EditorHost.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace rw::ui::test {

class ScriptedHost : public EditorHost {
  public:
    struct Message {
        QString text;
        QString caption;
        MessageIcon icon;
    };
    struct Launch {
        QString program;
        QString workingFolder;
    };

    // Scripted answers, used in order. A question with no answer left is recorded in unexpected.
    std::deque<SaveAnswer> saveAnswers;
    std::deque<std::optional<QString>> savePaths;
    std::deque<std::optional<QString>> scenarioPicks;
    std::deque<std::optional<QString>> cityPicks;
    bool launchResult = true;

    // What the commands asked.
    std::vector<bool> saveQuestions;  // withCancel of each question
    std::vector<Message> messages;
    QStringList saveStartFolders;
    QStringList scenarioFolders;
    QStringList cityFolders;
    int aboutCount = 0;
    std::vector<Launch> launches;
    QStringList unexpected;

    SaveAnswer AskSaveQuestion(QWidget*, bool withCancel) override {
        saveQuestions.push_back(withCancel);
        return Next(saveAnswers, SaveAnswer::Cancel, QStringLiteral("save question"));
    }
    void ShowMessage(QWidget*, const QString& text, const QString& caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    std::optional<QString> AskSavePath(QWidget*, const QString& startFolder) override {
        saveStartFolders.append(startFolder);
        return Next(savePaths, std::optional<QString>(), QStringLiteral("save path"));
    }
    std::optional<QString> PickScenario(QWidget*, const QString& folder) override {
        scenarioFolders.append(folder);
        return Next(scenarioPicks, std::optional<QString>(), QStringLiteral("scenario picker"));
    }
    std::optional<QString> PickCity(QWidget*, const QString& folder) override {
        cityFolders.append(folder);
        return Next(cityPicks, std::optional<QString>(), QStringLiteral("city picker"));
    }
    void ShowAbout(QWidget*) override { ++aboutCount; }
    bool LaunchGame(const QString& program, const QString& workingFolder) override {
        launches.push_back({program, workingFolder});
        return launchResult;
    }

    // Nothing asked, shown or started since the last Clear().
    bool Quiet() const {
        return saveQuestions.empty() && messages.empty() && saveStartFolders.empty() &&
               scenarioFolders.empty() && cityFolders.empty() && aboutCount == 0 && launches.empty();
    }
    void Clear() {
        saveQuestions.clear();
        messages.clear();
        saveStartFolders.clear();
        scenarioFolders.clear();
        cityFolders.clear();
        aboutCount = 0;
        launches.clear();
    }

  private:
    template <class T>
    T Next(std::deque<T>& answers, const T& fallback, const QString& what) {
        if (answers.empty()) {
            unexpected.append(what);
            return fallback;
        }
        const T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace rw::ui::test
