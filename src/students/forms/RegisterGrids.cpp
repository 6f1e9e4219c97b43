#include "students/forms/RegisterGrids.h"

#include "data/store/Dataset.h"
#include "data/store/DatasetModel.h"
#include "students/Situations.h"

#include <QColor>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace students {

RegisterGridModel::RegisterGridModel(data::Dataset *dataset, const QStringList &fields, const QStringList &titles,
                                     QObject *parent)
    : QIdentityProxyModel(parent), m_dataset(dataset), m_source(new data::DatasetModel(dataset, this))
{
    m_source->setColumns(fields);
    for (int column = 0; column < titles.size(); ++column)
        if (!titles.at(column).isEmpty())
            m_source->setColumnTitle(column, titles.at(column));
    setSourceModel(m_source);
}

QVariant RegisterGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset)
        return {};
    if (m_checkColumns.contains(index.column())) {
        if (role == Qt::CheckStateRole)
            return QIdentityProxyModel::data(index, Qt::EditRole).toBool() ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return {};
    }
    if (role == Qt::DisplayRole && m_codeTexts.contains(index.column())) {
        const QString code = QIdentityProxyModel::data(index, role).toString().trimmed();
        for (const QString &line : m_codeTexts.value(index.column()))
            if (!code.isEmpty() && line.startsWith(code))
                return line;
        return code;
    }
    if (role == Qt::ForegroundRole && m_leaversInRed) {
        const int sit = m_dataset->fieldIndex("SIT");
        if (sit >= 0 && isLeaver(m_dataset->valueAt(index.row(), sit).toString()))
            return QColor(Qt::red);
    }
    return QIdentityProxyModel::data(index, role);
}

bool RegisterGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role == Qt::CheckStateRole && m_checkColumns.contains(index.column()))
        return QIdentityProxyModel::setData(index, value.toInt() == Qt::Checked, Qt::EditRole);
    return QIdentityProxyModel::setData(index, value, role);
}

Qt::ItemFlags RegisterGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QIdentityProxyModel::flags(index);
    if (m_checkColumns.contains(index.column()) && f.testFlag(Qt::ItemIsEditable))
        f = (f & ~Qt::ItemIsEditable) | Qt::ItemIsUserCheckable;
    return f;
}

void stretchColumn(QTableView *grid, int column)
{
    auto apply = [grid, column] {
        if (grid->model() && column < grid->model()->columnCount())
            grid->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    };
    QObject::connect(grid->model(), &QAbstractItemModel::modelReset, grid, apply);
    apply();
}

QTableView *makeRegisterGrid(RegisterGridModel *model, const QString &objectName, QWidget *parent,
                             std::function<void(int)> moveTo)
{
    auto *grid = new QTableView(parent);
    grid->setObjectName(objectName);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setAlternatingRowColors(true);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    data::Dataset *dataset = model->dataset();
    if (!moveTo)
        moveTo = [dataset](int row) { dataset->moveTo(row); };
    auto showCurrent = [grid, dataset] {
        if (!dataset || !dataset->isOpen() || dataset->controlsDisabled())
            return;
        const int row = dataset->recNo();
        const QModelIndex current = grid->currentIndex();
        if (row >= 0 && (!current.isValid() || current.row() != row)) {
            const QSignalBlocker quiet(grid->selectionModel());
            grid->setCurrentIndex(grid->model()->index(row, qMax(0, current.column())));
            grid->selectRow(row);
        }
    };
    QObject::connect(dataset, &data::Dataset::currentChanged, grid, showCurrent);
    QObject::connect(dataset, &data::Dataset::reset, grid, showCurrent, Qt::QueuedConnection);
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [dataset, moveTo](const QModelIndex &current) {
                         if (current.isValid() && dataset && dataset->isOpen() && current.row() != dataset->recNo())
                             moveTo(current.row());
                     });
    return grid;
}

} // namespace students
