#pragma once

#include <QIdentityProxyModel>
#include <QSet>

namespace app {

// A grid's view of a dataset model in which yes/no columns are check boxes and a secret column
// shows only whether it is filled. Ticking a box writes the field like typing would.
class CheckColumnsModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    void setCheckColumns(const QSet<int> &columns) { m_checkColumns = columns; }
    void setMaskedColumn(int column) { m_maskedColumn = column; }

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // What the secret column shows for a filled value.
    static QString mask() { return QStringLiteral("******"); }

private:
    QSet<int> m_checkColumns;
    int m_maskedColumn = -1;
};

} // namespace app
