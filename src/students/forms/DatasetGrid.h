#pragma once

#include "data/store/Dataset.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTableView>

class QAbstractProxyModel;

namespace app {
class CheckColumnsModel;
}

namespace data {
class DatasetModel;
}

namespace students {

// A column of a grid: a field of the dataset and its title.
struct GridColumn
{
    QString field;
    QString title;
    bool readOnly = false;
};

// A grid on a dataset: the selected row and the dataset's cursor move together, yes/no fields
// are check boxes, a cell typed in is written at once (so the row rules run), and a refused
// change shows the store's text.
class DatasetGrid : public QTableView
{
    Q_OBJECT

public:
    // `dataset` must be open: the columns take the types of its fields.
    DatasetGrid(data::Dataset *dataset, const QList<GridColumn> &columns, QWidget *parent = nullptr);

    data::Dataset *dataset() const { return m_dataset; }
    // Puts a model between the dataset's and the view (one row for one row), e.g. for colours.
    void insertProxy(QAbstractProxyModel *proxy);
    // Column of a field, -1 when the grid does not show it.
    int columnOf(const QString &field) const;

    // The navigator's insert for a table keyed by one code: the code is asked first, then the
    // row is appended with it and saved, and the grid goes to it for the other cells.
    void appendAskingKey(const QString &caption, const QString &prompt, const QString &keyField);

private:
    void followSelection();
    void followDataset();

    QPointer<data::Dataset> m_dataset;
    QStringList m_fields;
    data::DatasetModel *m_model = nullptr;
    app::CheckColumnsModel *m_checks = nullptr;
};

} // namespace students
