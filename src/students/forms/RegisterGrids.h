#pragma once

#include <QHash>
#include <QIdentityProxyModel>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <functional>

#include "data/store/Dataset.h"

namespace data {
class DatasetModel;
}

class QTableView;

// How the register's grids look: a dataset model seen through a proxy that draws leavers in
// red, shows logical columns as check boxes and codes as their list texts.
namespace students {

class RegisterGridModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    // Columns are field names of `dataset`; titles go with them (empty: the field name).
    RegisterGridModel(data::Dataset *dataset, const QStringList &fields, const QStringList &titles,
                      QObject *parent = nullptr);

    data::DatasetModel *datasetModel() const { return m_source; }
    data::Dataset *dataset() const { return m_dataset; }
    // Rows whose SIT is "D" or "T" are drawn in red.
    void setLeaversInRed(bool on) { m_leaversInRed = on; }
    // A logical column shown and edited as a check box.
    void setCheckColumn(int column) { m_checkColumns.insert(column); }
    // A column whose code is shown as the list line starting with it ("1" -> "1 - CHEQUE").
    void setCodeTexts(int column, const QStringList &lines) { m_codeTexts.insert(column, lines); }

    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QPointer<data::Dataset> m_dataset;
    data::DatasetModel *m_source;
    bool m_leaversInRed = false;
    QSet<int> m_checkColumns;
    QHash<int, QStringList> m_codeTexts;
};

// The column takes the width the others leave, whenever the grid has it.
void stretchColumn(QTableView *grid, int column);

// A grid over one of the register's datasets: whole rows selected, the dataset's cursor
// followed both ways. Choosing a row calls `moveTo` (by default the dataset's own).
QTableView *makeRegisterGrid(RegisterGridModel *model, const QString &objectName, QWidget *parent,
                             std::function<void(int)> moveTo = {});

} // namespace students
