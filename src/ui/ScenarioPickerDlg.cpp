// The picker of scenario files.
#include "ScenarioPickerDlg.h"

namespace rw::ui {

namespace {
constexpr int kCaptionSelectScenarioFile = 172;
}

ScenarioPickerDlg::ScenarioPickerDlg(const QString& folder, QWidget* parent)
    : FilePickerDlg(parent, folder, kCaptionSelectScenarioFile, QStringLiteral("scn")) {}

}  // namespace rw::ui
