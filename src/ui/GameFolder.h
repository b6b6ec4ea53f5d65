// The game folder (the folder of the editor's executable) and the paths the editor builds from it.
#pragma once

#include <QString>

#include <string>

namespace rw::ui {

// The folder that holds the running executable, ending with the platform's separator. Needs the
// application object.
QString GameFolder();

// Folders and files inside a game folder; gameFolder ends with a separator, as GameFolder() gives it.
// Folder results end with a separator too.
QString ScenarioFolder(const QString& gameFolder);
QString CityFolder(const QString& gameFolder);
QString GameExecutable(const QString& gameFolder);
QString ScenarioPath(const QString& gameFolder, const QString& fileName);
QString CityPath(const QString& gameFolder, const QString& fileName);

// A path in the form the core's file functions take.
std::string ToCorePath(const QString& path);

}  // namespace rw::ui
