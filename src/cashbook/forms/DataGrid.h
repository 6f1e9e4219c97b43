#pragma once

#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <functional>

namespace data {
class Dataset;
}

namespace cashbook {

class PendingRowModel;

// A grid on a dataset whose selected row and the dataset's cursor move together, so the
// navigator, the entry boxes and the totals act on the row the user sees selected. A row being
// inserted shows as the last row.
class DataGrid : public QTableView
{
    Q_OBJECT

public:
    struct Column
    {
        QString field;
        QString title;
        bool readOnly = false;
    };

    DataGrid(data::Dataset *dataset, const QList<Column> &columns, QWidget *parent = nullptr);

    // Nothing can be typed in the grid (the movements are typed in boxes).
    void setBrowseOnly();
    // Asked before the user's choice of a row moves the cursor; false keeps it where it is.
    void setBeforeMove(std::function<bool()> check) { m_beforeMove = std::move(check); }
    PendingRowModel *gridModel() const { return m_model; }

private:
    void followDataset();

    QPointer<data::Dataset> m_dataset;
    PendingRowModel *m_model;
    std::function<bool()> m_beforeMove;
};

} // namespace cashbook
