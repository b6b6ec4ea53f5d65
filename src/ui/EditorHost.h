// Everything modal or outside the editor window, behind one interface that tests replace.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace rw::ui {

enum class SaveAnswer { Yes, No, Cancel };
enum class MessageIcon { None, Exclamation };

// The window asks its host for every question, dialog and outside action, so that each command can be
// driven headless by a scripted host. The real host (QtEditorHost) shows Qt dialogs; `owner` is the
// main window, which owns every box it shows.
class EditorHost {
public:
    virtual ~EditorHost() = default;

    // "Do you want to save the current scenario?" with caption "Save Scenario?" and no icon:
    // Yes/No/Cancel when withCancel, else Yes/No.
    virtual SaveAnswer AskSaveQuestion(QWidget* owner, bool withCancel) = 0;

    // A message box with one OK button.
    virtual void ShowMessage(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon) = 0;

    // The Save As dialog opened in startFolder; the chosen full path, or nothing when cancelled.
    virtual std::optional<QString> AskSavePath(QWidget* owner, const QString& startFolder) = 0;

    // The two pickers over a folder of the game; the chosen bare file name, or nothing after Cancel.
    virtual std::optional<QString> PickScenario(QWidget* owner, const QString& folder) = 0;
    virtual std::optional<QString> PickCity(QWidget* owner, const QString& folder) = 0;

    virtual void ShowAbout(QWidget* owner) = 0;

    // Starts program detached, no arguments, in workingFolder; false when it could not be started.
    virtual bool LaunchGame(const QString& program, const QString& workingFolder) = 0;
};

}  // namespace rw::ui
