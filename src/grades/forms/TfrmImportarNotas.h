#pragma once

#include "data/store/Database.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace data {
class Dataset;
class DatasetModel;
} // namespace data

// "Importar Valores para tabela de Notas": a table file chosen and shown, then its marks copied
// onto the chosen unit's rows.
class TfrmImportarNotas : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmImportarNotas(const data::Database &db, QWidget *parent = nullptr);
    ~TfrmImportarNotas() override;

    // Shows a source file, as "&Procurar" does once the file is chosen; false when it cannot be read.
    bool showSource(const QString &path);

private slots:
    void cmdProcurarClick();
    void cmdIniciarClick();

private:
    data::Database m_db;
    std::unique_ptr<data::Dataset> m_source;
    data::DatasetModel *m_model = nullptr;
    QLabel *m_hint = nullptr;
    QTableView *m_grid = nullptr;
    QComboBox *m_unit = nullptr;
    QPushButton *m_start = nullptr;
};
