#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class QTableView;

namespace data {
class Dataset;
class DatasetModel;
} // namespace data

// What an import window shows of the table file chosen for it: a hint line above a grid of the
// file's rows, and the dataset read from it.
class ExternalTablePreview : public QWidget
{
public:
    explicit ExternalTablePreview(QWidget *parent = nullptr);
    ~ExternalTablePreview() override;

    // Forgets the file shown: grid, hint and dataset.
    void clear();
    // Shows `source` below `hint`.
    void showTable(std::unique_ptr<data::Dataset> source, const QString &hint);
    // The file's dataset, or null when none is shown.
    data::Dataset *source() const { return m_source.get(); }
    // Keeps the grid from following the dataset row by row while a run walks it.
    void detachGrid();

private:
    std::unique_ptr<data::Dataset> m_source;
    data::DatasetModel *m_model = nullptr;
    QLabel *m_hint;
    QTableView *m_grid;
};
