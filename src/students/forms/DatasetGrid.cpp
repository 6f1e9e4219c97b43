#include "students/forms/DatasetGrid.h"

#include "app/users/CheckColumnsModel.h"
#include "core/Dialogs.h"
#include "data/store/Dataset.h"
#include "data/store/DatasetModel.h"

#include <QAbstractProxyModel>
#include <QHeaderView>
#include <QItemSelectionModel>

namespace students {

DatasetGrid::DatasetGrid(data::Dataset *dataset, const QList<GridColumn> &columns, QWidget *parent)
    : QTableView(parent), m_dataset(dataset)
{
    m_model = new data::DatasetModel(dataset, this);
    QSet<int> checkColumns;
    for (int i = 0; i < columns.size(); ++i) {
        m_fields += columns.at(i).field;
        if (dataset->hasField(columns.at(i).field) && dataset->field(columns.at(i).field).type == data::FieldType::Logical)
            checkColumns.insert(i);
    }
    m_model->setColumns(m_fields);
    for (int i = 0; i < columns.size(); ++i) {
        m_model->setColumnTitle(i, columns.at(i).title);
        m_model->setColumnReadOnly(i, columns.at(i).readOnly);
    }
    connect(m_model, &data::DatasetModel::editFailed, this, [](const QString &message) { core::showError(message); });

    m_checks = new app::CheckColumnsModel(this);
    m_checks->setSourceModel(m_model);
    m_checks->setCheckColumns(checkColumns);
    setModel(m_checks);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    resizeColumnsToContents();

    connect(dataset, &data::Dataset::currentChanged, this, &DatasetGrid::followDataset);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DatasetGrid::followDataset);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DatasetGrid::followDataset);
    followSelection();
    followDataset();
}

void DatasetGrid::insertProxy(QAbstractProxyModel *proxy)
{
    proxy->setParent(this);
    proxy->setSourceModel(m_checks);
    setModel(proxy);
    followSelection();
    followDataset();
    resizeColumnsToContents(); // the proxy may draw in another font
}

int DatasetGrid::columnOf(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DatasetGrid::appendAskingKey(const QString &caption, const QString &prompt, const QString &keyField)
{
    const std::optional<QString> key = core::dialogs().askText(caption, prompt, QString());
    if (!key || key->trimmed().isEmpty())
        return;
    try {
        if (!m_dataset->append())
            return;
        m_dataset->setText(keyField, key->trimmed());
        if (m_dataset->post()) {
            setFocus();
            return;
        }
    } catch (const data::StoreError &error) {
        m_dataset->cancel();
        core::showError(error.message());
        return;
    } catch (const data::Abort &) {
    }
    m_dataset->cancel();
}

// A new model comes with a new selection model.
void DatasetGrid::followSelection()
{
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (!current.isValid() || !m_dataset || current.row() == m_dataset->recNo())
            return;
        try {
            m_dataset->moveTo(current.row());
        } catch (const data::StoreError &error) {
            core::showError(error.message());
        } catch (const data::Abort &) {
        }
    });
}

void DatasetGrid::followDataset()
{
    if (!m_dataset || !m_dataset->isOpen() || m_dataset->isEmpty())
        return;
    const int row = m_dataset->recNo();
    if (row < 0 || row >= model()->rowCount())
        return;
    if (currentIndex().row() != row)
        setCurrentIndex(model()->index(row, qMax(0, currentIndex().column())));
}

} // namespace students
