// The picker of city files in the game's cities folder.
#pragma once

#include "ui/FilePickerDlg.h"

namespace rw::ui {

class CityPickerDlg : public FilePickerDlg {
    Q_OBJECT
  public:
    // folder: the game folder's cities folder, as CityFolder() gives it.
    CityPickerDlg(const QString& folder, QWidget* parent);
};

}  // namespace rw::ui
