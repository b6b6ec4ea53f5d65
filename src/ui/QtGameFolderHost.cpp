// The game folder's platform side under Qt.
#include "QtGameFolderHost.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "UiText.h"

namespace rw::ui {

namespace {

const QString kGameFolderKey = QStringLiteral("gameFolder");

QSettings Settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Routewright"),
                     QStringLiteral("Routewright"));
}

}  // namespace

bool QtGameFolderHost::IsFolder(const std::string& path) {
    return QFileInfo(FromUtf8(path)).isDir();
}

std::optional<std::string> QtGameFolderHost::RememberedFolder() {
    const QString folder = Settings().value(kGameFolderKey).toString();
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(folder);
}

void QtGameFolderHost::RememberFolder(const std::string& folder) {
    QSettings settings = Settings();
    settings.setValue(kGameFolderKey, FromUtf8(folder));
}

std::optional<std::string> QtGameFolderHost::AskForFolder(std::string_view prompt) {
    const QString folder = QFileDialog::getExistingDirectory(nullptr, FromUtf8(prompt), QDir::homePath());
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(QDir::toNativeSeparators(folder));
}

}  // namespace rw::ui
