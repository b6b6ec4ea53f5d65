// The modal list of files from one folder of the game.
#include "FilePickerDlg.h"

#include "SingleSelectionList.h"

#include "ui/DialogUnits.h"
#include "ui/UiText.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <numeric>
#include <vector>

namespace rw::ui {

namespace {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdFileList = 1085;

// Case-insensitive first, so "a.scn" and "B.scn" sort as the platform's list box sorts them; the
// case-sensitive tie-break keeps the order stable for names that differ only in case.
bool ListsBefore(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

}  // namespace

FilePickerDlg::FilePickerDlg(QWidget* parent, QString folder, int captionId, QString extension)
    : QDialog(parent),
      m_folder(std::move(folder)),
      m_captionId(captionId),
      m_extension(std::move(extension)) {
    BuildControls();
}

FilePickerDlg::~FilePickerDlg() = default;

void FilePickerDlg::BuildControls() {
    setWindowTitle(UiText(173));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("control%1").arg(kIdOk));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("control%1").arg(kIdCancel));
    m_cancelButton->setAutoDefault(false);
    // Like the platform's list box, a Ctrl+click or another button never leaves it without a selection.
    m_fileList = new SingleSelectionList(this);
    m_fileList->setObjectName(QStringLiteral("control%1").arg(kIdFileList));
    m_fileList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const DialogUnits units(font());
    setFixedSize(units.Size(122, 161));
    m_okButton->setGeometry(units.Rect(65, 140, 50, 14));
    m_cancelButton->setGeometry(units.Rect(5, 140, 50, 14));
    m_fileList->setGeometry(units.Rect(5, 5, 110, 125));
    QWidget::setTabOrder(m_okButton, m_cancelButton);
    QWidget::setTabOrder(m_cancelButton, m_fileList);

    connect(m_okButton, &QPushButton::clicked, this, &FilePickerDlg::OnOK);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_fileList, &QListWidget::itemDoubleClicked, this, [this] { OnDblclkFileList(); });
}

int FilePickerDlg::exec() {
    if (!m_initialised) {
        OnInitDialog();
    }
    return QDialog::exec();
}

void FilePickerDlg::OnInitDialog() {
    m_initialised = true;
    setWindowTitle(UiText(m_captionId));

    m_fileList->clear();
    m_fileNames = SearchFolder();
    std::vector<int> order(static_cast<std::size_t>(m_fileNames.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return ListsBefore(m_fileNames[a], m_fileNames[b]); });
    for (const int index : order) {
        auto* item = new QListWidgetItem(m_fileNames[index], m_fileList);
        item->setData(Qt::UserRole, index);
    }

    m_okButton->setEnabled(!m_fileNames.isEmpty());
    if (m_fileList->count() > 0) {
        m_fileList->setCurrentRow(0);
    }
    (m_okButton->isEnabled() ? m_okButton : m_cancelButton)->setFocus();
}

void FilePickerDlg::OnOK() {
    const QListWidgetItem* selected = m_fileList->currentItem();
    if (selected != nullptr && selected->isSelected()) {
        m_chosenFile = m_fileNames.value(selected->data(Qt::UserRole).toInt());
    } else {
        m_chosenFile.clear();
    }
    QDialog::accept();
}

void FilePickerDlg::OnDblclkFileList() {
    if (!m_fileNames.isEmpty()) {
        OnOK();
    }
}

QStringList FilePickerDlg::SearchFolder() const {
    QStringList names;
    const QDir folder(m_folder);
    const QString suffix = QLatin1Char('.') + m_extension;
    // Unsorted: the order the file system gives, which m_fileNames keeps.
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().endsWith(suffix, Qt::CaseInsensitive)) {
            names.append(entry.fileName());
        }
    }
    return names;
}

}  // namespace rw::ui
