#pragma once

#include "data/store/DatasetModel.h"

#include <QPointer>

namespace data {
class Dataset;
}

namespace cashbook {

// A dataset's grid model that also shows the row being inserted, as the last row, and lets its
// cells be typed without saving it: the navigator's save (or moving to another row) posts it
// through the table's rules, its cancel drops it. The other rows edit as in DatasetModel.
class PendingRowModel : public data::DatasetModel
{
    Q_OBJECT

public:
    explicit PendingRowModel(data::Dataset *dataset, QObject *parent = nullptr);

    // The grid row of the row being inserted; -1 when none is.
    int pendingRow() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    void followState();

    QPointer<data::Dataset> m_dataset;
    bool m_showingPending = false;
};

} // namespace cashbook
