// Outside the window, through the real host: the file pickers, the game folder (found, asked for,
// remembered), the game launch (through wine, detached, in its folder) and its failure message. The
// end-to-end run holds Save As and About.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "editor/GameFolderChoice.h"
#include "ui/CourseEditorDlg.h"
#include "ui/FilePickerDlg.h"
#include "ui/GameFolder.h"
#include "ui/QtEditorHost.h"
#include "ui/QtGameFolderHost.h"
#include "ui/UiText.h"

using namespace rw::ui;

namespace {

QStringList Shown(const FilePickerDlg& picker) {
    QStringList names;
    for (int i = 0; i < picker.FileList()->count(); ++i) {
        names.append(picker.FileList()->item(i)->text());
    }
    return names;
}
bool WriteFile(const QString& path, const QByteArray& bytes = {}, bool executable = false) {
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

// Runs action on the modal dialog the host opens, once it is shown.
template <class Dialog>
void OnNextModal(std::function<void(Dialog&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        action(*dialog);
    });
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    // The pickers list their extension in any case, sorted ignoring case (the folder gives another order); a
    // double-click gives the name shown in its row, Escape or Cancel nothing. An empty folder offers only
    // Cancel.
    void pickersThroughTheHost() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        for (const char* name : {"b.scn", "A.SCN", "C.scn", "notes.txt", "x.urb", "scn", "y.URB"}) {
            QVERIFY(WriteFile(folder + QLatin1String(name)));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d.scn")));
        QtEditorHost host;
        OnNextModal<FilePickerDlg>([](FilePickerDlg& picker) {
            QCOMPARE(Shown(picker), (QStringList{"A.SCN", "b.scn", "C.scn"}));
            QListWidget* list = picker.FileList();
            const QPoint row = list->visualItemRect(list->item(1)).center();
            // A press and release come before the double-click event, as the platform sends it.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        });
        QCOMPARE(host.PickScenario(ToUtf8(folder)), std::optional<std::string>("b.scn"));
        OnNextModal<FilePickerDlg>([](FilePickerDlg& picker) {
            QCOMPARE(Shown(picker), (QStringList{"x.urb", "y.URB"}));
            QTest::keyClick(&picker, Qt::Key_Escape);
        });
        QCOMPARE(host.PickCity(ToUtf8(folder)), std::nullopt);
        OnNextModal<FilePickerDlg>([](FilePickerDlg& picker) {
            QVERIFY(picker.FileList()->count() == 0 && !picker.OkButton()->isEnabled());
            picker.CancelButton()->click();
        });
        QCOMPARE(host.PickCity(ToUtf8(folder + QStringLiteral("missing/"))), std::nullopt);
    }

    void gameFolderIsTheExecutablesFolderWithSeparator() {
        const QString folder = FromUtf8(GameFolder());
        QVERIFY(folder.endsWith(QDir::separator()));
        QCOMPARE(Canonical(folder), Canonical(QCoreApplication::applicationDirPath()));
    }

    // An editor outside any game folder asks through the real chooser once; the next start, with settings
    // read afresh from the usual place, goes straight to the answer.
    void chosenGameFolderServesTheNextStart() {
        QTemporaryDir config, installed, game;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        QVERIFY(QDir(game.path()).mkpath(QStringLiteral("scenarios/movie")));
        const std::string executableFolder = ToUtf8(installed.path() + QLatin1Char('/'));
        QtGameFolderHost first;
        OnNextModal<QFileDialog>([&](QFileDialog& chooser) {
            QCOMPARE(chooser.windowTitle(), FromUtf8(rw::editor::kGameFolderPrompt));
            QCOMPARE(chooser.fileMode(), QFileDialog::Directory);
            chooser.setDirectory(game.path());
            static_cast<QDialog&>(chooser).accept();  // QFileDialog::accept, which checks the choice
        });
        const auto asked = rw::editor::ChooseGameFolder(std::nullopt, executableFolder, first);
        QCOMPARE(Canonical(FromUtf8(asked.folder)), Canonical(game.path()));
        QVERIFY(QFileInfo::exists(config.path() + QStringLiteral("/Routewright/Routewright.conf")));

        struct NeverAsks : QtGameFolderHost {
            std::optional<std::string> AskForFolder(std::string_view) override {
                QTest::qFail("asked again", __FILE__, __LINE__);
                return std::nullopt;
            }
        } next;
        QCOMPARE(rw::editor::ChooseGameFolder(std::nullopt, executableFolder, next).folder, asked.folder);
    }

#ifndef Q_OS_WIN
    // A Windows program goes through wine when it is on the PATH, started in its folder and not waited for.
    void windowsGameGoesThroughWineDetachedInItsFolder() {
        QTemporaryDir game;
        QTemporaryDir bin;
        const QString program = game.path() + QStringLiteral("/vortane.exe");
        QVERIFY(WriteFile(program, QByteArray("MZ\x90\x00", 4) + QByteArray(60, '\0')));
        QVERIFY(WriteFile(bin.path() + QStringLiteral("/wine"),
                          "#!/bin/sh\necho \"$1\" > program.txt\npwd > started.txt\n"
                          // Bounded, so a failed test leaves no game behind for long.
                          "i=0; while [ ! -e release ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n"
                          "echo done > finished.txt\n",
                          true));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", (bin.path() + QStringLiteral(":/usr/bin:/bin")).toLocal8Bit());
        QtEditorHost host;
        QVERIFY(host.LaunchGame(ToUtf8(program), ToUtf8(game.path())));
        QTRY_VERIFY(QFile::exists(game.filePath(QStringLiteral("started.txt"))));
        QVERIFY(!QFile::exists(game.filePath(QStringLiteral("finished.txt"))));
        QCOMPARE(Canonical(ReadText(game.filePath(QStringLiteral("started.txt")))), Canonical(game.path()));
        QTRY_COMPARE(ReadText(game.filePath(QStringLiteral("program.txt"))), program);
        QVERIFY(WriteFile(game.filePath(QStringLiteral("release"))));
        QTRY_VERIFY(QFile::exists(game.filePath(QStringLiteral("finished.txt"))));
        qputenv("PATH", path);
    }
#endif

    // The window with the real host: a game folder without the game shows the launch message box.
    void missingGameShowsTheLaunchMessage() {
        QTemporaryDir game;
        QtEditorHost host;
        CourseEditorDlg window(host, ToUtf8(QDir::toNativeSeparators(game.path()) + QDir::separator()));
        host.SetWindow(&window);
        QString caption;
        OnNextModal<QMessageBox>([&](QMessageBox& box) {
            caption = box.windowTitle();
            QVERIFY(box.parentWidget() == &window && box.icon() == QMessageBox::Warning);
            box.accept();
        });
        window.Editor().OnEnterGame();
        QCOMPARE(caption, UiText(rw::res::StringId::LaunchFailedCaption));
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
