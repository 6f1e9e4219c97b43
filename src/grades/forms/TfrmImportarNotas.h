#pragma once

#include "data/store/Database.h"

#include <QDialog>

class ExternalTablePreview;
class QComboBox;
class QPushButton;

// "Importar Valores para tabela de Notas": a table file chosen and shown, then its marks copied
// onto the chosen unit's rows.
class TfrmImportarNotas : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmImportarNotas(const data::Database &db, QWidget *parent = nullptr);

    // Shows a source file, as "&Procurar" does once the file is chosen; false when it cannot be read.
    bool showSource(const QString &path);

private slots:
    void cmdProcurarClick();
    void cmdIniciarClick();

private:
    data::Database m_db;
    ExternalTablePreview *m_preview = nullptr;
    QComboBox *m_unit = nullptr;
    QPushButton *m_start = nullptr;
};
