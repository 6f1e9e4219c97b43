#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QPointer>
#include <QStringList>

namespace data {

class Dataset;

// Lets a grid show and edit a dataset: one column per field (or per chosen field), display
// texts in Brazilian form, the current row followed both ways through currentRow().
// An edit of a cell edits the row, sets the text and posts it, so the row rules run.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DatasetModel(Dataset *dataset, QObject *parent = nullptr);

    // Field names of the columns, in order; empty: every field.
    void setColumns(const QStringList &fieldNames);
    void setColumnTitle(int column, const QString &title);
    void setColumnReadOnly(int column, bool readOnly);
    int fieldOfColumn(int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // A cell edit failed: the store's text, for the form to show.
    void editFailed(const QString &message);

private:
    void rebuildColumns();

    QPointer<Dataset> m_dataset;
    QStringList m_columnNames;
    QList<int> m_columns;
    QHash<int, QString> m_titles;
    QSet<int> m_readOnlyColumns;
};

} // namespace data
