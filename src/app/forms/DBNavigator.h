#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class QToolButton;

namespace data {
class Dataset;
}

namespace app {

// The navigator bar under a grid: first, previous, next, last, insert, delete and refresh on
// one dataset. Deleting asks first; a refused change shows the store's text.
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    explicit DBNavigator(data::Dataset *dataset, QWidget *parent = nullptr);

    // What "insert" does instead of appending an empty row.
    void setInsertAction(std::function<void()> action);

private:
    QToolButton *addButton(const char *objectName, const QString &symbol, const QString &hint,
                           std::function<void()> action);
    void run(const std::function<void()> &action);
    void updateButtons();
    void deleteCurrent();

    QPointer<data::Dataset> m_dataset;
    std::function<void()> m_insert;
    QToolButton *m_first = nullptr;
    QToolButton *m_prior = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_last = nullptr;
    QToolButton *m_insertButton = nullptr;
    QToolButton *m_delete = nullptr;
    QToolButton *m_refresh = nullptr;
};

} // namespace app
