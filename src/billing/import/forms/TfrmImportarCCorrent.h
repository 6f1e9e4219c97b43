#pragma once

#include "data/store/Database.h"

#include <QDialog>

class ExternalTablePreview;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// "Importar Valores para tabela de Controle de Pagamento": a table file chosen and shown, then
// its charge rows, or only the bank's slip numbers, brought into the charge table.
class TfrmImportarCCorrent : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmImportarCCorrent(const data::Database &db, QWidget *parent = nullptr);

    // Shows a source file, as "&Procurar" does once the file is chosen; false when it cannot be read.
    bool showSource(const QString &path);

public slots:
    void cmdProcurarClick();
    void cmdIniciarClick();

private:
    data::Database m_db;
    ExternalTablePreview *m_preview = nullptr;
    QCheckBox *m_bankOnly = nullptr;
    QProgressBar *m_bar = nullptr;
    QLabel *m_read = nullptr;
    QLabel *m_written = nullptr;
    QPushButton *m_find = nullptr;
    QPushButton *m_server = nullptr; // "Ano no &Servidor...", on a server year only
    QPushButton *m_start = nullptr;
    QPushButton *m_close = nullptr;
};
