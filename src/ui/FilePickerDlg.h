// The modal list of files from one folder of the game, shared by the scenario and city pickers.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace rw::ui {

// Lists the files of one folder whose extension matches (in any letter case). The list shows the names
// sorted while m_fileNames keeps them in the order the folder search found them; each list entry's item
// data (Qt::UserRole) is the index of its name there. After OK, ChosenFile() is the bare file name; after
// Cancel it is empty. The folder is searched afresh every time the dialog is run.
class FilePickerDlg : public QDialog {
    Q_OBJECT
  public:
    ~FilePickerDlg() override;

    // Runs the dialog modally, filling it first.
    int exec() override;

    // Fills the list from the folder: caption, search, sorted entries, first entry selected, OK disabled
    // when nothing was found. exec() calls it; tests may call it directly.
    void OnInitDialog();
    void OnOK();
    void OnDblclkFileList();

    const QString& ChosenFile() const { return m_chosenFile; }
    const QStringList& FileNames() const { return m_fileNames; }
    QListWidget* FileList() const { return m_fileList; }
    QPushButton* OkButton() const { return m_okButton; }
    QPushButton* CancelButton() const { return m_cancelButton; }
    const QString& Folder() const { return m_folder; }

  protected:
    FilePickerDlg(QWidget* parent, QString folder, int captionId, QString extension);

    // The matching names in the order the folder gives them; a missing folder gives none.
    virtual QStringList SearchFolder() const;

  private:
    void BuildControls();

    QString m_chosenFile;
    QListWidget* m_fileList = nullptr;
    QStringList m_fileNames;

    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QString m_folder;
    int m_captionId;
    QString m_extension;
    bool m_initialised = false;
};

}  // namespace rw::ui
