#pragma once

#include "backup/BackupScreen.h"

#include <QDialog>

class QLabel;
class QRadioButton;

namespace backup {

class DirectoryTree;

// "Confirme o diretório de destino": where a restore writes and how.
class TfrmDestino : public QDialog
{
    Q_OBJECT

public:
    TfrmDestino(const QString &startFolder, QWidget *parent = nullptr);

    RestoreChoice choice() const;

private:
    QRadioButton *addChoice(const char *objectName, const QString &caption);

    DirectoryTree *m_folders = nullptr;
    QLabel *m_folder = nullptr;
    QRadioButton *m_expand = nullptr;
    QRadioButton *m_keepExisting = nullptr;
    QRadioButton *m_selected = nullptr;
};

} // namespace backup
