#pragma once

#include <QFlags>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

class QToolButton;

namespace data {
class Dataset;
}

namespace app {

// The navigator bar of a dataset: first, previous, next, last, insert, delete, edit, save,
// cancel, refresh and search. Which buttons show is the screen's choice; by default the moving
// buttons, insert, delete and refresh. Deleting asks first unless the dataset's own rule asks;
// a refused change shows the store's text.
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button
    {
        First = 0x1,
        Prior = 0x2,
        Next = 0x4,
        Last = 0x8,
        Insert = 0x10,
        Delete = 0x20,
        Edit = 0x40,
        Post = 0x80,
        Cancel = 0x100,
        Refresh = 0x200,
        Search = 0x400, // the screen's own search (setAction); hidden without one
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    static constexpr Buttons MoveButtons{First | Prior | Next | Last};

    explicit DBNavigator(data::Dataset *dataset, QWidget *parent = nullptr);

    // What "insert" does instead of appending an empty row.
    void setInsertAction(std::function<void()> action);
    // What a button does instead of the dataset's own operation (a screen with steps of its
    // own around saving, for one).
    void setAction(Button button, std::function<void()> action);
    void setVisibleButtons(Buttons buttons);
    Buttons visibleButtons() const { return m_visible; }
    // Adds edit, save and cancel for forms whose rows are typed in boxes and saved on request.
    void showEditButtons();
    // Off when the dataset's delete rule asks its own question.
    void setConfirmDelete(bool confirm);
    // Runs before every button's action, so boxes bound to the row can hand over what was
    // typed; a StoreError it throws is shown and the action does not run.
    void setBeforeAction(std::function<void()> hook);

signals:
    // After a button's action has run (whether or not the dataset took it).
    void clicked(app::DBNavigator::Button button);

private:
    QToolButton *addButton(Button button, const char *objectName, const QString &symbol, const QString &hint,
                           std::function<void()> action);
    void run(Button button, const std::function<void()> &action);
    void updateButtons();
    void deleteCurrent();

    QPointer<data::Dataset> m_dataset;
    QHash<int, QToolButton *> m_buttons;
    QHash<int, std::function<void()>> m_actions;
    std::function<void()> m_beforeAction;
    Buttons m_visible;
    bool m_confirmDelete = true;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DBNavigator::Buttons)

} // namespace app
