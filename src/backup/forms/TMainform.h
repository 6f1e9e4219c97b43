#pragma once

#include "backup/BackupScreen.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace backup {

// "Back-Ups dos arquivos do sistema (padrão zip files)": the archive, its table of contents
// and the buttons that make a backup or restore one. The decisions live in BackupScreen; the
// window shows its state and opens the windows it asks for.
class TMainform : public QDialog, public BackupScreenHost
{
    Q_OBJECT

public:
    TMainform(const BackupPlaces &places, QWidget *parent = nullptr);
    ~TMainform() override;

    // Closed by "&Recuperar": the session must end.
    bool closedAsRestore() const { return m_screen.closedAsRestore(); }

    std::optional<FileChoice> chooseFiles(const QString &directory, bool automatic) override;
    std::optional<RestoreChoice> chooseDestination(const QString &directory) override;
    QStringList selectedEntries() const override;
    void runInStatusWindow(const QString &caption,
                           const std::function<void(core::RunReporter &)> &job) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPushButton *addButton(const QString &caption, const char *objectName, void (TMainform::*handler)());
    void cmdNovoClick();
    void cmdAbrirClick();
    void cmdSalvarClick();
    void cmdRecuperarClick();
    void chkAutomaticoClick();
    void cmdAjudaClick();
    void showState();
    void showArchiveName();

    BackupScreen m_screen;
    QLabel *m_archive = nullptr;
    QLabel *m_count = nullptr;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_entries = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_restore = nullptr;
    QCheckBox *m_automatic = nullptr;
};

} // namespace backup
