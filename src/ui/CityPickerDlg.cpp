// The picker of city files.
#include "CityPickerDlg.h"

namespace rw::ui {

namespace {
constexpr int kCaptionSelectCityFile = 173;
}

CityPickerDlg::CityPickerDlg(const QString& folder, QWidget* parent)
    : FilePickerDlg(parent, folder, kCaptionSelectCityFile, QStringLiteral("urb")) {}

}  // namespace rw::ui
