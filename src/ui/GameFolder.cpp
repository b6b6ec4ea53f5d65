// The game folder and the paths built from it.
#include "GameFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace rw::ui {

QString GameFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}

QString ScenarioFolder(const QString& gameFolder) {
    return gameFolder + QStringLiteral("scenarios") + QDir::separator() + QStringLiteral("movie") +
           QDir::separator();
}

QString CityFolder(const QString& gameFolder) {
    return gameFolder + QStringLiteral("cities") + QDir::separator();
}

QString GameExecutable(const QString& gameFolder) {
    return gameFolder + QStringLiteral("vortane.exe");
}

QString ScenarioPath(const QString& gameFolder, const QString& fileName) {
    return ScenarioFolder(gameFolder) + fileName;
}

QString CityPath(const QString& gameFolder, const QString& fileName) {
    return CityFolder(gameFolder) + fileName;
}

std::string ToCorePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace rw::ui
