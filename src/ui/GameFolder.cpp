// The folder of the running executable.
#include "GameFolder.h"

#include <QCoreApplication>
#include <QDir>

#include "UiText.h"

namespace rw::ui {

std::string GameFolder() {
    return ToUtf8(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator());
}

}  // namespace rw::ui
