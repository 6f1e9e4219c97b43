#pragma once

#include "cashbook/TableExport.h"

#include <QDialog>
#include <optional>

class QListWidget;
class QPushButton;
class QTableView;

namespace data {
class DatasetModel;
class Query;
} // namespace data

namespace cashbook {

// "Exportar Tabelas para formato Texto": choosing an entry loads its rows into the grid,
// "&Exportar" writes them to "<entry>.csv" in the working directory and opens the file.
class TfrmExportarTabelas : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmExportarTabelas(QWidget *parent = nullptr);
    ~TfrmExportarTabelas() override;

    // Loads the entry's rows; the movements ask for their period first. False when nothing
    // was loaded (the period was cancelled, the entry loads nothing, or the rows could not
    // be read).
    bool chooseEntry(ExportEntry entry);
    std::optional<ExportEntry> chosenEntry() const { return m_entry; }
    // Writes the grid's rows; returns the file's path, empty when nothing was written.
    QString exportRows();

    const data::Query &rows() const { return *m_rows; }

private:
    bool load(const std::function<void(data::Query &)> &select);

    data::Query *m_rows;
    data::DatasetModel *m_model;
    QListWidget *m_entries;
    QTableView *m_grid;
    QPushButton *m_export;
    std::optional<ExportEntry> m_entry;
};

} // namespace cashbook
