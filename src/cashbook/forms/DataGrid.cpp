#include "cashbook/forms/DataGrid.h"

#include "cashbook/forms/PendingRowModel.h"
#include "core/Dialogs.h"
#include "data/store/Dataset.h"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace cashbook {

DataGrid::DataGrid(data::Dataset *dataset, const QList<Column> &columns, QWidget *parent)
    : QTableView(parent), m_dataset(dataset), m_model(new PendingRowModel(dataset, this))
{
    QStringList fields;
    for (const Column &column : columns)
        fields += column.field;
    m_model->setColumns(fields);
    for (int i = 0; i < columns.size(); ++i) {
        m_model->setColumnTitle(i, columns[i].title);
        m_model->setColumnReadOnly(i, columns[i].readOnly);
    }
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);

    connect(m_model, &data::DatasetModel::editFailed, this,
            [](const QString &message) { core::showError(message); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid() || !m_dataset || !m_dataset->isOpen()
                    || current.row() == m_model->pendingRow() || current.row() == m_dataset->recNo())
                    return;
                if (m_beforeMove && !m_beforeMove()) {
                    QMetaObject::invokeMethod(this, &DataGrid::followDataset, Qt::QueuedConnection);
                    return;
                }
                try {
                    m_dataset->moveTo(current.row());
                } catch (const data::StoreError &error) {
                    core::showError(error.message());
                } catch (const data::Abort &) {
                    // A rule refused to leave the row; its message has been shown.
                }
            });
    connect(dataset, &data::Dataset::currentChanged, this, &DataGrid::followDataset);
    connect(dataset, &data::Dataset::stateChanged, this, &DataGrid::followDataset);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::followDataset);
}

void DataGrid::setBrowseOnly()
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void DataGrid::followDataset()
{
    if (!m_dataset || !m_dataset->isOpen())
        return;
    const int pending = m_model->pendingRow();
    const int row = pending >= 0 ? pending : m_dataset->recNo();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int column = std::max(0, currentIndex().column());
    if (currentIndex().row() != row)
        setCurrentIndex(m_model->index(row, column)); // the handler above sees the cursor there
    scrollTo(m_model->index(row, column));
}

} // namespace cashbook
