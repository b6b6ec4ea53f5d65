// A host for the editor that answers from a script and records every question, message and launch.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/EditorHost.h"

namespace rw::editor::test {

// Answers are queued; a question with no answer left is recorded in unexpected (and answered Cancel or
// nothing).
class ScriptedHost : public EditorHost {
  public:
    struct Message {
        std::string text, caption;
        MessageIcon icon;
    };
    std::deque<SaveAnswer> saveAnswers;
    std::deque<std::optional<std::string>> savePaths, scenarioPicks, cityPicks;
    bool launchResult = true;
    std::vector<bool> saveQuestions;  // withCancel of each question
    std::vector<Message> messages;
    std::vector<std::string> saveStartFolders, scenarioFolders, cityFolders, unexpected;
    int aboutCount = 0;
    int endCount = 0;
    std::vector<std::pair<std::string, std::string>> launches;  // program, working folder

    SaveAnswer AskSaveQuestion(bool withCancel) override {
        saveQuestions.push_back(withCancel);
        return Next(saveAnswers, SaveAnswer::Cancel, "save question");
    }
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon});
    }
    std::optional<std::string> AskSavePath(const std::string& folder) override {
        saveStartFolders.push_back(folder);
        return Next(savePaths, std::optional<std::string>(), "save path");
    }
    std::optional<std::string> PickScenario(const std::string& folder) override {
        scenarioFolders.push_back(folder);
        return Next(scenarioPicks, std::optional<std::string>(), "scenario picker");
    }
    std::optional<std::string> PickCity(const std::string& folder) override {
        cityFolders.push_back(folder);
        return Next(cityPicks, std::optional<std::string>(), "city picker");
    }
    void ShowAbout() override { ++aboutCount; }
    bool LaunchGame(const std::string& program, const std::string& folder) override {
        launches.emplace_back(program, folder);
        return launchResult;
    }
    void EndEditor() override { ++endCount; }
    // Forgets what was recorded and queued.
    void Clear() { *this = ScriptedHost{}; }

  private:
    template <class T>
    T Next(std::deque<T>& answers, T fallback, const char* what) {
        if (answers.empty()) {
            unexpected.emplace_back(what);
            return fallback;
        }
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace rw::editor::test
