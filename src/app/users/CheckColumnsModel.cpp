#include "app/users/CheckColumnsModel.h"

namespace app {

QVariant CheckColumnsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (m_checkColumns.contains(index.column())) {
        if (role == Qt::CheckStateRole)
            return QIdentityProxyModel::data(index, Qt::EditRole).toBool() ? Qt::Checked
                                                                            : Qt::Unchecked;
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return {};
    }
    if (index.column() == m_maskedColumn && (role == Qt::DisplayRole || role == Qt::EditRole))
        return QIdentityProxyModel::data(index, Qt::DisplayRole).toString().isEmpty()
                   ? QString()
                   : mask();
    return QIdentityProxyModel::data(index, role);
}

Qt::ItemFlags CheckColumnsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QIdentityProxyModel::flags(index);
    if (index.isValid() && m_checkColumns.contains(index.column())) {
        if (f & Qt::ItemIsEditable)
            f |= Qt::ItemIsUserCheckable;
        f &= ~Qt::ItemIsEditable;
    }
    if (index.column() == m_maskedColumn)
        f &= ~Qt::ItemIsEditable;
    return f;
}

bool CheckColumnsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (index.isValid() && m_checkColumns.contains(index.column())) {
        if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable))
            return false;
        const bool on = value.toInt() == Qt::Checked;
        return sourceModel()->setData(mapToSource(index), on, Qt::EditRole);
    }
    return QIdentityProxyModel::setData(index, value, role);
}

} // namespace app
