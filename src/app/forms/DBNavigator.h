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
// one dataset; edit, save and cancel on request. Deleting asks first; a refused change shows the
// store's text.
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    explicit DBNavigator(data::Dataset *dataset, QWidget *parent = nullptr);

    // What "insert" does instead of appending an empty row.
    void setInsertAction(std::function<void()> action);
    // Adds edit, save and cancel for forms whose rows are typed in boxes and saved on request.
    void showEditButtons();
    // Runs before every button's action, so boxes bound to the row can hand over what was
    // typed; a StoreError it throws is shown and the action does not run.
    void setBeforeAction(std::function<void()> hook);

private:
    QToolButton *addButton(const char *objectName, const QString &symbol, const QString &hint,
                           std::function<void()> action);
    void run(const std::function<void()> &action);
    void updateButtons();
    void deleteCurrent();

    QPointer<data::Dataset> m_dataset;
    std::function<void()> m_insert;
    std::function<void()> m_beforeAction;
    QToolButton *m_first = nullptr;
    QToolButton *m_prior = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_last = nullptr;
    QToolButton *m_insertButton = nullptr;
    QToolButton *m_delete = nullptr;
    QToolButton *m_refresh = nullptr;
    QToolButton *m_edit = nullptr;
    QToolButton *m_post = nullptr;
    QToolButton *m_cancel = nullptr;
};

} // namespace app
