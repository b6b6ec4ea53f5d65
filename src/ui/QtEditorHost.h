// The editor's host on Qt: message boxes, the Save As dialog, the pickers, the About box and the game launch.
#pragma once

#include "ui/EditorHost.h"

namespace rw::ui {

class QtEditorHost : public EditorHost {
  public:
    SaveAnswer AskSaveQuestion(QWidget* owner, bool withCancel) override;
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon) override;
    std::optional<QString> AskSavePath(QWidget* owner, const QString& startFolder) override;
    std::optional<QString> PickScenario(QWidget* owner, const QString& folder) override;
    std::optional<QString> PickCity(QWidget* owner, const QString& folder) override;
    void ShowAbout(QWidget* owner) override;
    bool LaunchGame(const QString& program, const QString& workingFolder) override;
};

}  // namespace rw::ui
