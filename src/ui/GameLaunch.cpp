// Starting the game detached.
#include "GameLaunch.h"

#include "res/ByteReader.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <array>

namespace rw::ui {

namespace {

[[maybe_unused]] bool IsWindowsProgram(const QString& program) {
    QFile file(program);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    std::array<std::uint8_t, 2> head{};
    if (file.read(reinterpret_cast<char*>(head.data()), static_cast<qint64>(head.size())) !=
        static_cast<qint64>(head.size())) {
        return false;
    }
    rw::res::ByteReader reader(head);
    return reader.U16LE() == std::optional<std::uint16_t>(0x5A4D);  // "MZ"
}

}  // namespace

LaunchCommand GameLaunchCommand(const QString& program) {
#ifndef Q_OS_WIN
    if (IsWindowsProgram(program)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (!wine.isEmpty()) {
            return {wine, {program}};
        }
    }
#endif
    return {program, {}};
}

bool LaunchGameDetached(const QString& program, const QString& workingFolder) {
    const LaunchCommand command = GameLaunchCommand(program);
    return QProcess::startDetached(command.program, command.arguments, workingFolder);
}

}  // namespace rw::ui
