#pragma once

#include "data/maintenance/IntegrityCheck.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QTableView;

namespace data {
class DatasetModel;
class Query;
} // namespace data

// "Verificar Integridade do Banco de Dados": lists the rows found by one of the six checks,
// deletes orphans where the check allows it, and exports the list for a spreadsheet.
class TfrmVerificarBD : public QDialog
{
    Q_OBJECT

public:
    // `db`: the open school year (by default the database named "Quorvel").
    explicit TfrmVerificarBD(QWidget *parent = nullptr, const data::Database &db = {});
    ~TfrmVerificarBD() override;

private slots:
    void cmdVerificarClick();
    void cmdCorrigirClick();
    void cmdExportarClick();

private:
    void showRows(std::unique_ptr<data::Query> rows, int check);

    data::IntegrityChecker m_checker;
    std::unique_ptr<data::Query> m_rows;
    std::unique_ptr<data::DatasetModel> m_model;
    int m_shownCheck = -1;

    QComboBox *m_check = nullptr;
    QTableView *m_grid = nullptr;
    QLabel *m_count = nullptr;
    QLabel *m_advice = nullptr;
};
