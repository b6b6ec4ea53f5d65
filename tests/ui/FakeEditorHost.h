// An EditorHost for the window's own tests: answers No, cancels every dialog, and counts what it was asked.
#pragma once

#include <QString>

#include <optional>

#include "ui/EditorHost.h"

namespace rw::ui::test {

class FakeEditorHost : public EditorHost {
  public:
    SaveAnswer answer = SaveAnswer::No;
    int questions = 0;
    int messages = 0;
    int dialogs = 0;
    int abouts = 0;
    int launches = 0;

    SaveAnswer AskSaveQuestion(QWidget*, bool) override {
        ++questions;
        return answer;
    }
    void ShowMessage(QWidget*, const QString&, const QString&, MessageIcon) override { ++messages; }
    std::optional<QString> AskSavePath(QWidget*, const QString&) override {
        ++dialogs;
        return std::nullopt;
    }
    std::optional<QString> PickScenario(QWidget*, const QString&) override {
        ++dialogs;
        return std::nullopt;
    }
    std::optional<QString> PickCity(QWidget*, const QString&) override {
        ++dialogs;
        return std::nullopt;
    }
    void ShowAbout(QWidget*) override { ++abouts; }
    bool LaunchGame(const QString&, const QString&) override {
        ++launches;
        return false;
    }
};

}  // namespace rw::ui::test
