#include "data/store/DatasetModel.h"

#include "data/store/Dataset.h"

namespace data {

DatasetModel::DatasetModel(Dataset *dataset, QObject *parent) : QAbstractTableModel(parent), m_dataset(dataset)
{
    rebuildColumns();
    auto resetAll = [this] {
        if (m_dataset && m_dataset->controlsDisabled())
            return;
        beginResetModel();
        rebuildColumns();
        endResetModel();
    };
    connect(dataset, &Dataset::reset, this, resetAll);
    connect(dataset, &Dataset::rowInserted, this, resetAll);
    connect(dataset, &Dataset::rowRemoved, this, resetAll);
    connect(dataset, &Dataset::rowChanged, this, [this](int row) {
        if (m_dataset && !m_dataset->controlsDisabled() && row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

void DatasetModel::setColumns(const QStringList &fieldNames)
{
    beginResetModel();
    m_columnNames = fieldNames;
    rebuildColumns();
    endResetModel();
}

void DatasetModel::setColumnTitle(int column, const QString &title)
{
    m_titles.insert(column, title);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void DatasetModel::setColumnReadOnly(int column, bool readOnly)
{
    if (readOnly)
        m_readOnlyColumns.insert(column);
    else
        m_readOnlyColumns.remove(column);
}

int DatasetModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column] : -1;
}

void DatasetModel::rebuildColumns()
{
    m_columns.clear();
    if (!m_dataset || !m_dataset->isOpen())
        return;
    if (m_columnNames.isEmpty()) {
        for (int i = 0; i < m_dataset->fieldCount(); ++i)
            m_columns.append(i);
        return;
    }
    for (const QString &name : std::as_const(m_columnNames)) {
        const int field = m_dataset->fieldIndex(name);
        if (field >= 0)
            m_columns.append(field);
    }
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataset || !m_dataset->isOpen())
        return 0;
    return m_dataset->recordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset || index.column() >= m_columns.size())
        return {};
    const int field = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return m_dataset->displayTextAt(index.row(), field);
    case Qt::EditRole: {
        const DatasetField &f = m_dataset->fields()[field];
        if (f.type == FieldType::Logical)
            return m_dataset->valueAt(index.row(), field).toBool();
        return m_dataset->displayTextAt(index.row(), field);
    }
    case Qt::TextAlignmentRole: {
        const FieldType t = m_dataset->fields()[field].type;
        const bool number = t != FieldType::Text && t != FieldType::Memo && t != FieldType::Date && t != FieldType::Logical;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    if (m_titles.contains(section))
        return m_titles.value(section);
    const int field = fieldOfColumn(section);
    return field >= 0 && m_dataset ? m_dataset->fields()[field].name : QVariant();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || !m_dataset || m_dataset->isReadOnly() || m_readOnlyColumns.contains(index.column()))
        return f;
    const int field = fieldOfColumn(index.column());
    if (field >= 0 && !m_dataset->fields()[field].calculated)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int field = fieldOfColumn(index.column());
    try {
        if (m_dataset->recNo() != index.row())
            m_dataset->moveTo(index.row());
        if (!m_dataset->edit())
            return false;
        if (value.typeId() == QMetaType::Bool)
            m_dataset->setValue(field, value);
        else
            m_dataset->setText(field, value.toString());
        return m_dataset->post();
    } catch (const StoreError &error) {
        m_dataset->cancel();
        emit editFailed(error.message());
    } catch (const Abort &) {
        m_dataset->cancel();
    }
    return false;
}

} // namespace data
