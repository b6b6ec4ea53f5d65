// The scenario and city pickers: found order versus shown order, selection, OK/Cancel/double-click, folders.
#include "ui/CityPickerDlg.h"
#include "ui/QtEditorHost.h"
#include "ui/ScenarioPickerDlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using rw::ui::CityPickerDlg;
using rw::ui::FilePickerDlg;
using rw::ui::ScenarioPickerDlg;

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

void Touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// Runs action on the picker the host opens, once it is shown modally.
void OnNextPicker(std::function<void(FilePickerDlg&)> action) {
    QTimer::singleShot(0, [action] {
        auto* picker = qobject_cast<FilePickerDlg*>(QApplication::activeModalWidget());
        QVERIFY(picker != nullptr);
        action(*picker);
    });
}

}  // namespace

class PickerTest : public QObject {
    Q_OBJECT

  private slots:
    void showsSortedKeepsFoundOrder() {
        ScriptedScenarioPicker picker({"b.scn", "a.scn", "c.scn"});
        picker.OnInitDialog();
        QCOMPARE(Shown(picker), (QStringList{"a.scn", "b.scn", "c.scn"}));
        QCOMPARE(picker.FileNames(), (QStringList{"b.scn", "a.scn", "c.scn"}));
        QCOMPARE(picker.FileList()->item(0)->data(Qt::UserRole).toInt(), 1);
        QCOMPARE(picker.FileList()->item(2)->data(Qt::UserRole).toInt(), 2);
        QCOMPARE(picker.FileList()->currentRow(), 0);
        QVERIFY(picker.FileList()->item(0)->isSelected());
        QVERIFY(picker.OkButton()->isEnabled());

        picker.FileList()->setCurrentRow(2);
        QSignalSpy accepted(&picker, &QDialog::accepted);
        picker.OnOK();
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(picker.ChosenFile(), QStringLiteral("c.scn"));
    }

    void sortIgnoresLetterCase() {
        ScriptedScenarioPicker picker({"b.scn", "C.scn", "A.scn"});
        picker.OnInitDialog();
        QCOMPARE(Shown(picker), (QStringList{"A.scn", "b.scn", "C.scn"}));
        picker.OnOK();
        QCOMPARE(picker.ChosenFile(), QStringLiteral("A.scn"));
    }

    void doubleClickActsAsOk() {
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

    void emptyFolderOffersOnlyCancel() {
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

    void folderSearchMatchesExtensionInAnyCase() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        for (const char* name : {"b.scn", "A.SCN", "c.Scn", "notes.txt", "x.urb", "scn", "y.URB"}) {
            Touch(folder + QLatin1String(name));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d.scn")));

        ScenarioPickerDlg scenarios(folder, nullptr);
        scenarios.OnInitDialog();
        QCOMPARE(Shown(scenarios), (QStringList{"A.SCN", "b.scn", "c.Scn"}));
        QStringList found = scenarios.FileNames();
        found.sort(Qt::CaseInsensitive);
        QCOMPARE(found, Shown(scenarios));
        QCOMPARE(scenarios.windowTitle(), QStringLiteral("Select Scenario file"));

        CityPickerDlg cities(folder, nullptr);
        cities.OnInitDialog();
        QCOMPARE(Shown(cities), (QStringList{"x.urb", "y.URB"}));
        QCOMPARE(cities.windowTitle(), QStringLiteral("Select City File"));
    }

    void hostListsTheFolderAfreshEachTime() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        Touch(folder + QStringLiteral("m.scn"));
        rw::ui::QtEditorHost host;

        OnNextPicker([](FilePickerDlg& picker) { picker.OkButton()->click(); });
        QCOMPARE(host.PickScenario(nullptr, folder), std::optional<QString>(QStringLiteral("m.scn")));

        Touch(folder + QStringLiteral("k.scn"));
        OnNextPicker([](FilePickerDlg& picker) {
            QCOMPARE(picker.FileList()->count(), 2);
            QTest::keyClick(&picker, Qt::Key_Return);
        });
        QCOMPARE(host.PickScenario(nullptr, folder), std::optional<QString>(QStringLiteral("k.scn")));

        OnNextPicker([](FilePickerDlg& picker) { QTest::keyClick(&picker, Qt::Key_Escape); });
        QCOMPARE(host.PickScenario(nullptr, folder), std::nullopt);

        OnNextPicker([](FilePickerDlg& picker) {
            QCOMPARE(picker.windowTitle(), QStringLiteral("Select City File"));
            picker.CancelButton()->click();
        });
        QCOMPARE(host.PickCity(nullptr, folder), std::nullopt);
    }

    void saveAsOpensInTheFolderAndMatchesAnyCase() {
        QTemporaryDir dir;
        const QString folder = dir.path();
        for (const char* name : {"a.SCN", "b.scn", "c.txt"}) {
            Touch(folder + QLatin1Char('/') + QLatin1String(name));
        }
        rw::ui::QtEditorHost host;
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("*.scn"));
            QCOMPARE(QFileInfo(dialog->directory().path()).canonicalFilePath(),
                     QFileInfo(folder).canonicalFilePath());
            QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Scenario file (*.scn)")});
            QCOMPARE(dialog->defaultSuffix(), QStringLiteral("scn"));
            QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            QVERIFY(view != nullptr);
            QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) > 0);
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
                if (view->model()->flags(index) & Qt::ItemIsEnabled) {
                    shown.append(index.data().toString());
                }
            }
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->setText(QStringLiteral("race"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        const std::optional<QString> chosen = host.AskSavePath(nullptr, folder);
        shown.sort();
        QCOMPARE(shown, (QStringList{"a.SCN", "b.scn"}));
        QVERIFY(chosen.has_value());
        QCOMPARE(QFileInfo(*chosen).fileName(), QStringLiteral("race.scn"));

        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QCOMPARE(host.AskSavePath(nullptr, folder), std::nullopt);
    }
};

QTEST_MAIN(PickerTest)
#include "PickerTest.moc"
