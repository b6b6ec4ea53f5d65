// Starting the game as a separate process that the editor neither waits for nor watches.
#pragma once

#include <QString>
#include <QStringList>

namespace rw::ui {

struct LaunchCommand {
    QString program;
    QStringList arguments;
};

// How this platform starts program with no arguments: the program itself, or, where the platform cannot
// run a Windows program by itself, `wine program` when program is one (it begins with "MZ") and wine is
// on the PATH.
LaunchCommand GameLaunchCommand(const QString& program);

// Starts program detached in workingFolder, through GameLaunchCommand; false when it could not be started.
bool LaunchGameDetached(const QString& program, const QString& workingFolder);

}  // namespace rw::ui
