#include "cashbook/forms/PendingRowModel.h"

#include "data/store/Dataset.h"

namespace cashbook {

PendingRowModel::PendingRowModel(data::Dataset *dataset, QObject *parent)
    : data::DatasetModel(dataset, parent), m_dataset(dataset)
{
    connect(dataset, &data::Dataset::stateChanged, this, &PendingRowModel::followState);
}

// Only the start and the end of an insert change the row count; an edit of a shown row leaves
// the grid alone, so an open cell editor survives it.
void PendingRowModel::followState()
{
    const bool inserting = m_dataset && m_dataset->state() == data::DatasetState::Insert;
    if (inserting == m_showingPending)
        return;
    beginResetModel();
    m_showingPending = inserting;
    endResetModel();
}

int PendingRowModel::pendingRow() const
{
    return m_showingPending ? data::DatasetModel::rowCount() : -1;
}

int PendingRowModel::rowCount(const QModelIndex &parent) const
{
    const int shown = data::DatasetModel::rowCount(parent);
    return parent.isValid() ? shown : shown + (m_showingPending ? 1 : 0);
}

QVariant PendingRowModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() != pendingRow()
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return data::DatasetModel::data(index, role);
    const int field = fieldOfColumn(index.column());
    if (field < 0 || !m_dataset)
        return {};
    if (role == Qt::EditRole && m_dataset->fields()[field].type == data::FieldType::Logical)
        return m_dataset->value(field).toBool();
    return m_dataset->displayText(field);
}

bool PendingRowModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() != pendingRow())
        return data::DatasetModel::setData(index, value, role);
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int field = fieldOfColumn(index.column());
    try {
        if (value.typeId() == QMetaType::Bool)
            m_dataset->setValue(field, value);
        else
            m_dataset->setText(field, value.toString());
    } catch (const data::StoreError &error) {
        emit editFailed(error.message());
        return false;
    }
    emit dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(columnCount() - 1));
    return true;
}

} // namespace cashbook
