// The game folder and the game launch: stub games started detached in their folder, wine, failures.
#include "CommandsScriptedHost.h"

#include "ui/CourseEditorDlg.h"
#include "ui/GameFolder.h"
#include "ui/GameLaunch.h"
#include "ui/QtEditorHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes, bool executable) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return false;
    }
    file.close();
    return !executable ||
           file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

QString Canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// Sets PATH for one scope.
class PathOverride {
  public:
    explicit PathOverride(const QString& path) : m_saved(qgetenv("PATH")) {
        qputenv("PATH", path.toLocal8Bit());
    }
    ~PathOverride() { qputenv("PATH", m_saved); }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

  private:
    QByteArray m_saved;
};

}  // namespace

class LaunchTest : public QObject {
    Q_OBJECT

  private slots:
    void gameFolderIsTheExecutablesFolderWithSeparator() {
        const QString folder = rw::ui::GameFolder();
        QVERIFY(folder.endsWith(QDir::separator()));
        QCOMPARE(Canonical(folder), Canonical(QCoreApplication::applicationDirPath()));
        QCOMPARE(rw::ui::GameExecutable(folder), folder + QStringLiteral("vortane.exe"));
        const QChar sep = QDir::separator();
        QCOMPARE(rw::ui::ScenarioPath(folder, QStringLiteral("r.scn")), folder + QStringLiteral("scenarios") +
                                                                            sep + QStringLiteral("movie") +
                                                                            sep + QStringLiteral("r.scn"));
        QCOMPARE(rw::ui::CityPath(folder, QStringLiteral("t.urb")),
                 folder + QStringLiteral("cities") + sep + QStringLiteral("t.urb"));
    }

#ifndef Q_OS_WIN
    void stubGameStartsInItsFolderWithoutWaiting() {
        QTemporaryDir game;
        const QString folder = QDir::toNativeSeparators(game.path());
        const QString program = folder + QStringLiteral("/vortane.exe");
        QVERIFY(WriteFile(program,
                          "#!/bin/sh\n"
                          "pwd > started.txt\n"
                          "echo \"$#\" > arguments.txt\n"
                          // Bounded, so a failed test leaves no game behind for long.
                          "i=0; while [ ! -e release ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n"
                          "echo done > finished.txt\n",
                          true));
        rw::ui::QtEditorHost host;
        QVERIFY(host.LaunchGame(program, folder));
        QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/started.txt")));
        // The launch came back while the game still waits for its release.
        QVERIFY(!QFile::exists(folder + QStringLiteral("/finished.txt")));
        QCOMPARE(Canonical(ReadText(folder + QStringLiteral("/started.txt"))), Canonical(folder));
        QTRY_COMPARE(ReadText(folder + QStringLiteral("/arguments.txt")), QStringLiteral("0"));
        QVERIFY(WriteFile(folder + QStringLiteral("/release"), "", false));
        QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/finished.txt")));
    }

    void windowsProgramGoesThroughWine() {
        QTemporaryDir game;
        QTemporaryDir bin;
        const QString program = game.path() + QStringLiteral("/vortane.exe");
        QVERIFY(WriteFile(program, QByteArray("MZ\x90\x00", 4) + QByteArray(60, '\0'), false));
        const QString wine = bin.path() + QStringLiteral("/wine");
        QVERIFY(WriteFile(wine, "#!/bin/sh\necho \"$1\" > wine-program.txt\npwd > wine-folder.txt\n", true));

        PathOverride path(bin.path() + QStringLiteral(":/usr/bin:/bin"));
        const rw::ui::LaunchCommand command = rw::ui::GameLaunchCommand(program);
        QCOMPARE(Canonical(command.program), Canonical(wine));
        QCOMPARE(command.arguments, QStringList{program});

        QVERIFY(rw::ui::LaunchGameDetached(program, game.path()));
        QTRY_VERIFY(QFile::exists(game.path() + QStringLiteral("/wine-folder.txt")));
        QTRY_COMPARE(ReadText(game.path() + QStringLiteral("/wine-program.txt")), program);
        QCOMPARE(Canonical(ReadText(game.path() + QStringLiteral("/wine-folder.txt"))),
                 Canonical(game.path()));
    }

    void windowsProgramWithoutWineFails() {
        QTemporaryDir game;
        QTemporaryDir emptyBin;
        const QString program = game.path() + QStringLiteral("/vortane.exe");
        QVERIFY(WriteFile(program, QByteArray("MZ") + QByteArray(62, '\0'), false));
        PathOverride path(emptyBin.path());
        const rw::ui::LaunchCommand command = rw::ui::GameLaunchCommand(program);
        QCOMPARE(command.program, program);
        QVERIFY(command.arguments.isEmpty());
        QVERIFY(!rw::ui::LaunchGameDetached(program, game.path()));
    }

    void scriptThatIsNotExecutableFails() {
        QTemporaryDir game;
        const QString program = game.path() + QStringLiteral("/vortane.exe");
        QVERIFY(WriteFile(program, "#!/bin/sh\nexit 0\n", false));
        QVERIFY(!rw::ui::LaunchGameDetached(program, game.path()));
    }
#endif

    void missingGameFails() {
        QTemporaryDir game;
        rw::ui::QtEditorHost host;
        QVERIFY(!host.LaunchGame(game.path() + QStringLiteral("/vortane.exe"), game.path()));
    }

    // The window with the real host: a game folder without the game shows the launch message box.
    void missingGameShowsTheLaunchMessage() {
        QTemporaryDir game;
        rw::ui::QtEditorHost host;
        rw::ui::CourseEditorDlg window(host, QDir::toNativeSeparators(game.path()) + QDir::separator());
        QString text;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            QVERIFY(box->parentWidget() == &window);
            box->accept();
        });
        window.OnEnterGame();
        QCOMPARE(text, QStringLiteral(
                           "Can not launch Vortane. Exit the race editor and enter Vortane from the Start "
                           "Menu."));
        QCOMPARE(caption, QStringLiteral("Vortane Launch Failed"));
        QCOMPARE(icon, QMessageBox::Warning);
    }
};

QTEST_MAIN(LaunchTest)
#include "LaunchTest.moc"
