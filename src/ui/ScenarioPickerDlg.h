// The picker of scenario files in the game's scenarios/movie folder.
#pragma once

#include "ui/FilePickerDlg.h"

namespace rw::ui {

class ScenarioPickerDlg : public FilePickerDlg {
    Q_OBJECT
  public:
    // folder: the game folder's scenarios/movie folder, as ScenarioFolder() gives it.
    ScenarioPickerDlg(const QString& folder, QWidget* parent);
};

}  // namespace rw::ui
