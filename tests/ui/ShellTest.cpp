// Outside the window: the scenario and city pickers, the Save As dialog, the About box and icon, the game
// folder (found, asked for, remembered) and the game launch (stub games started detached in their folder,
// wine, failures).
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

#include "UiTestSupport.h"
#include "editor/GameFolderChoice.h"
#include "embedded/AppIconBytes.h"
#include "res/IconImage.h"
#include "ui/AboutDlg.h"
#include "ui/ApplicationIcon.h"
#include "ui/CityPickerDlg.h"
#include "ui/GameFolder.h"
#include "ui/GameLaunch.h"
#include "ui/QtEditorHost.h"
#include "ui/QtGameFolderHost.h"
#include "ui/ScenarioPickerDlg.h"

using namespace rw::ui;

namespace {

// A scenario picker whose folder search returns names in a chosen order.
class ScriptedScenarioPicker : public ScenarioPickerDlg {
  public:
    explicit ScriptedScenarioPicker(QStringList found)
        : ScenarioPickerDlg(QString(), nullptr), m_found(found) {}

  protected:
    QStringList SearchFolder() const override { return m_found; }

  private:
    QStringList m_found;
};

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

// Sets PATH for one scope.
struct PathOverride {
    QByteArray saved = qgetenv("PATH");
    explicit PathOverride(const QString& path) { qputenv("PATH", path.toLocal8Bit()); }
    ~PathOverride() { qputenv("PATH", saved); }
};

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    // Names kept in the order found, shown sorted ignoring case, each entry's data the index of its name.
    void pickerShowsSortedKeepsFoundOrder_data() {
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("chosen");
        // clang-format off
        QTest::newRow("b a c") << QStringList{"b", "a", "c"} << QStringList{"a", "b", "c"} << 2 << "c";
        QTest::newRow("any case") << QStringList{"b", "C", "A"} << QStringList{"A", "b", "C"} << 0 << "A";
        // clang-format on
    }
    void pickerShowsSortedKeepsFoundOrder() {
        QFETCH(QStringList, found);
        QFETCH(QStringList, shown);
        QFETCH(int, row);
        QFETCH(QString, chosen);
        ScriptedScenarioPicker picker(found);
        picker.OnInitDialog();
        QCOMPARE(Shown(picker), shown);
        QCOMPARE(picker.FileNames(), found);
        for (int i = 0; i < found.size(); ++i) {
            QCOMPARE(found.value(picker.FileList()->item(i)->data(Qt::UserRole).toInt()), shown[i]);
        }
        QCOMPARE(picker.FileList()->currentRow(), 0);
        QVERIFY(picker.FileList()->item(0)->isSelected());
        QVERIFY(picker.OkButton()->isEnabled());
        picker.FileList()->setCurrentRow(row);
        QSignalSpy accepted(&picker, &QDialog::accepted);
        picker.OnOK();
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(picker.ChosenFile(), chosen);
    }

    void pickerDoubleClickActsAsOk() {
        ScriptedScenarioPicker picker({"b.scn", "a.scn", "c.scn"});
        picker.OnInitDialog();
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QSignalSpy accepted(&picker, &QDialog::accepted);
        QListWidget* list = picker.FileList();
        const QPoint middle = list->visualItemRect(list->item(1)).center();
        // A double-click is a press and release followed by the double-click event, as the platform sends it.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, middle);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, middle);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(picker.ChosenFile(), QStringLiteral("b.scn"));
    }

    void pickerOnEmptyFolderOffersOnlyCancel() {
        QTemporaryDir empty;
        ScenarioPickerDlg picker(empty.path() + QStringLiteral("/missing/"), nullptr);
        picker.OnInitDialog();
        QCOMPARE(picker.FileList()->count(), 0);
        QVERIFY(!picker.OkButton()->isEnabled());
        QSignalSpy accepted(&picker, &QDialog::accepted);
        QSignalSpy rejected(&picker, &QDialog::rejected);
        picker.OnDblclkFileList();
        QCOMPARE(accepted.count(), 0);
        picker.CancelButton()->click();
        QCOMPARE(rejected.count(), 1);
        QVERIFY(picker.ChosenFile().isEmpty());
    }

    void pickerFolderSearchMatchesExtensionInAnyCase() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        for (const char* name : {"b.scn", "A.SCN", "c.Scn", "notes.txt", "x.urb", "scn", "y.URB"}) {
            QVERIFY(WriteFile(folder + QLatin1String(name)));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d.scn")));
        ScenarioPickerDlg scenarios(folder, nullptr);
        scenarios.OnInitDialog();
        QCOMPARE(Shown(scenarios), (QStringList{"A.SCN", "b.scn", "c.Scn"}));
        QCOMPARE(scenarios.windowTitle(), QStringLiteral("Select Scenario file"));
        CityPickerDlg cities(folder, nullptr);
        cities.OnInitDialog();
        QCOMPARE(Shown(cities), (QStringList{"x.urb", "y.URB"}));
        QCOMPARE(cities.windowTitle(), QStringLiteral("Select City File"));
    }

    void hostListsThePickersFolderAfreshEachTime() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        QVERIFY(WriteFile(folder + QStringLiteral("m.scn")));
        QtEditorHost host;
        OnNextModal<FilePickerDlg>([](FilePickerDlg& picker) { picker.OkButton()->click(); });
        QCOMPARE(host.PickScenario(ToUtf8(folder)), std::optional<std::string>("m.scn"));
        QVERIFY(WriteFile(folder + QStringLiteral("k.scn")));
        OnNextModal<FilePickerDlg>([](FilePickerDlg& picker) {
            QCOMPARE(picker.FileList()->count(), 2);
            QTest::keyClick(&picker, Qt::Key_Return);
        });
        QCOMPARE(host.PickScenario(ToUtf8(folder)), std::optional<std::string>("k.scn"));
        OnNextModal<FilePickerDlg>([](FilePickerDlg& picker) { QTest::keyClick(&picker, Qt::Key_Escape); });
        QCOMPARE(host.PickScenario(ToUtf8(folder)), std::nullopt);
        OnNextModal<FilePickerDlg>([](FilePickerDlg& picker) {
            QCOMPARE(picker.windowTitle(), QStringLiteral("Select City File"));
            picker.CancelButton()->click();
        });
        QCOMPARE(host.PickCity(ToUtf8(folder)), std::nullopt);
    }

    void saveAsOpensInTheFolderAndMatchesAnyCase() {
        QTemporaryDir dir;
        const QString folder = dir.path();
        for (const char* name : {"a.SCN", "b.scn", "c.txt"}) {
            QVERIFY(WriteFile(folder + QLatin1Char('/') + QLatin1String(name)));
        }
        QtEditorHost host;
        QStringList shown;
        OnNextModal<QFileDialog>([&](QFileDialog& dialog) {
            QCOMPARE(Canonical(dialog.directory().path()), Canonical(folder));
            QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Scenario file (*.scn)")});
            QCOMPARE(dialog.defaultSuffix(), QStringLiteral("scn"));
            QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
            auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
            QVERIFY(view != nullptr);
            QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) > 0);
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
                if (view->model()->flags(index) & Qt::ItemIsEnabled) {
                    shown.append(index.data().toString());
                }
            }
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            QCOMPARE(name->text(), QStringLiteral("*.scn"));
            name->setText(QStringLiteral("race"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        const std::optional<std::string> chosen = host.AskSavePath(ToUtf8(folder));
        shown.sort();
        QCOMPARE(shown, (QStringList{"a.SCN", "b.scn"}));
        QVERIFY(chosen.has_value());
        QCOMPARE(QFileInfo(FromUtf8(*chosen)).fileName(), QStringLiteral("race.scn"));
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QCOMPARE(host.AskSavePath(ToUtf8(folder)), std::nullopt);
    }

    // The box shows version, icon and a default OK; the host runs it modally.
    void aboutShowsVersionIconAndOk() {
        AboutDlg about(nullptr);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Routewright"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("aboutVersion"))->text(),
                 QStringLiteral("Routewright Version 1.0"));
        QVERIFY(!about.findChild<QLabel*>(QStringLiteral("aboutSecondLine"))->text().isEmpty());
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("aboutIcon"))->pixmap().size(), QSize(32, 32));
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("control1"));
        QVERIFY(ok->isDefault());
        QSignalSpy accepted(&about, &QDialog::accepted);
        ok->click();
        QCOMPARE(accepted.count(), 1);
        QtEditorHost host;
        bool seen = false;
        OnNextModal<AboutDlg>([&seen](AboutDlg& box) {
            seen = true;
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        host.ShowAbout();
        QVERIFY(seen);
    }

    void iconIs32By32WithSixteenColoursAndTransparentCorners() {
        const QImage icon = ApplicationIconImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;  // transparent pixels count as one colour
        int opaque = 0;
        for (int i = 0; i < 32 * 32; ++i) {
            const QRgb pixel = icon.pixel(i % 32, i / 32);
            QVERIFY(qAlpha(pixel) == 0 || qAlpha(pixel) == 255);
            opaque += qAlpha(pixel) == 255 ? 1 : 0;
            colours.insert(qAlpha(pixel) == 255 ? pixel : 0u);
        }
        QVERIFY(colours.size() > 5 && colours.size() <= 17);
        QVERIFY(opaque > 32 * 32 * 3 / 4);
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(31, 31)), 0);
        QVERIFY(!ApplicationIcon().isNull());
    }

    void damagedIconBytesAreRefused() {
        const auto bytes = rw::res::AppIconBytes();
        QVERIFY(rw::res::DecodeIcon(bytes).has_value());
        for (std::size_t cut :
             {std::size_t{0}, std::size_t{5}, std::size_t{21}, std::size_t{61}, bytes.size() - 1}) {
            QVERIFY2(!rw::res::DecodeIcon(bytes.first(cut)).has_value(), qPrintable(QString::number(cut)));
        }
        // A cursor file, not an icon; the image's offset past the end; a bit depth the decoder does not take.
        for (const auto& [at, value] : {std::pair<std::size_t, std::uint8_t>{2, 2}, {18, 0xFF}, {36, 24}}) {
            std::vector<std::uint8_t> damaged(bytes.begin(), bytes.end());
            damaged[at] = value;
            QVERIFY2(!rw::res::DecodeIcon(damaged).has_value(), qPrintable(QString::number(at)));
        }
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
    void stubGameStartsInItsFolderWithoutWaiting() {
        QTemporaryDir game;
        const QString folder = QDir::toNativeSeparators(game.path());
        const QString program = folder + QStringLiteral("/vortane.exe");
        QVERIFY(WriteFile(program,
                          "#!/bin/sh\npwd > started.txt\necho \"$#\" > arguments.txt\n"
                          // Bounded, so a failed test leaves no game behind for long.
                          "i=0; while [ ! -e release ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n"
                          "echo done > finished.txt\n",
                          true));
        QtEditorHost host;
        QVERIFY(host.LaunchGame(ToUtf8(program), ToUtf8(folder)));
        QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/started.txt")));
        // The launch came back while the game still waits for its release.
        QVERIFY(!QFile::exists(folder + QStringLiteral("/finished.txt")));
        QCOMPARE(Canonical(ReadText(folder + QStringLiteral("/started.txt"))), Canonical(folder));
        QTRY_COMPARE(ReadText(folder + QStringLiteral("/arguments.txt")), QStringLiteral("0"));
        QVERIFY(WriteFile(folder + QStringLiteral("/release")));
        QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/finished.txt")));
    }

    void windowsProgramGoesThroughWineWhenOnThePath() {
        QTemporaryDir game;
        QTemporaryDir bin;
        const QString program = game.path() + QStringLiteral("/vortane.exe");
        QVERIFY(WriteFile(program, QByteArray("MZ\x90\x00", 4) + QByteArray(60, '\0')));
        const QString wine = bin.path() + QStringLiteral("/wine");
        QVERIFY(WriteFile(wine, "#!/bin/sh\necho \"$1\" > wine-program.txt\npwd > wine-folder.txt\n", true));
        {
            PathOverride path(bin.path() + QStringLiteral(":/usr/bin:/bin"));
            const LaunchCommand command = GameLaunchCommand(program);
            QCOMPARE(Canonical(command.program), Canonical(wine));
            QCOMPARE(command.arguments, QStringList{program});
            QVERIFY(LaunchGameDetached(program, game.path()));
            QTRY_VERIFY(QFile::exists(game.path() + QStringLiteral("/wine-folder.txt")));
            QTRY_COMPARE(ReadText(game.path() + QStringLiteral("/wine-program.txt")), program);
            QCOMPARE(Canonical(ReadText(game.path() + QStringLiteral("/wine-folder.txt"))),
                     Canonical(game.path()));
        }
        PathOverride path(QDir(game.path()).filePath(QStringLiteral("no-bin")));
        const LaunchCommand command = GameLaunchCommand(program);
        QCOMPARE(command.program, program);
        QVERIFY(command.arguments.isEmpty());
        QVERIFY(!LaunchGameDetached(program, game.path()));
    }

    void scriptThatIsNotExecutableFails() {
        QTemporaryDir game;
        const QString program = game.path() + QStringLiteral("/vortane.exe");
        QVERIFY(WriteFile(program, "#!/bin/sh\nexit 0\n"));
        QVERIFY(!LaunchGameDetached(program, game.path()));
    }
#endif

    // The window with the real host: a game folder without the game shows the launch message box.
    void missingGameShowsTheLaunchMessage() {
        QTemporaryDir game;
        QtEditorHost host;
        QVERIFY(!host.LaunchGame(ToUtf8(game.path() + QStringLiteral("/vortane.exe")), ToUtf8(game.path())));
        CourseEditorDlg window(host, ToUtf8(QDir::toNativeSeparators(game.path()) + QDir::separator()));
        host.SetWindow(&window);
        QString text, caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        OnNextModal<QMessageBox>([&](QMessageBox& box) {
            text = box.text();
            caption = box.windowTitle();
            icon = box.icon();
            QVERIFY(box.parentWidget() == &window);
            box.accept();
        });
        window.Editor().OnEnterGame();
        QCOMPARE(text,
                 QStringLiteral(
                     "Can not launch Vortane. Exit the race editor and enter Vortane from the Start Menu."));
        QCOMPARE(caption, QStringLiteral("Vortane Launch Failed"));
        QCOMPARE(icon, QMessageBox::Warning);
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
