#pragma once

#include "backup/BackupScreen.h"
#include "backup/ChosenFiles.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace backup {

class DirectoryTree;

// "Criar arquivo de Back-Up": the files of a folder on the left, the files chosen for the
// archive on the right. In the automatic backup it chooses every file of the folder and
// confirms by itself.
class TfrmArquivosBackup : public QDialog
{
    Q_OBJECT

public:
    TfrmArquivosBackup(const QString &folder, bool automatic, QWidget *parent = nullptr);

    // The files chosen and the options; meaningful once accepted ("Add To &Zip").
    FileChoice choice() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showFiles(const QString &folder);
    void showChosen();
    void cmdSelecionarTodosClick();
    void cmdAddClick();
    void cmdRemoverClick();
    void cmdOrdenarClick();

    bool m_automatic;
    bool m_automaticDone = false;
    ChosenFiles m_chosen;
    QComboBox *m_drives = nullptr;
    DirectoryTree *m_folders = nullptr;
    QListWidget *m_files = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_sort = nullptr;
    QPushButton *m_addToZip = nullptr;
    QCheckBox *m_dirNames = nullptr;
    QCheckBox *m_recurse = nullptr;
};

} // namespace backup
