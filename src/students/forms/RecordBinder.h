#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;

namespace data {
class Dataset;
}

namespace students {

// Edit boxes bound to the fields of a dataset's current row, as a record screen has them: they
// show the row the cursor is on, typing in one starts editing the row, and writeBoxes() hands
// what the boxes hold to the row. A box may be enabled only while the row is being inserted or
// edited.
class RecordBinder : public QObject
{
    Q_OBJECT

public:
    explicit RecordBinder(data::Dataset *dataset, QObject *parent = nullptr);

    void bind(QLineEdit *box, const QString &field, bool onlyWhileEditing = false);
    void bind(QComboBox *box, const QString &field);

    // Writes what every box holds into the row being edited (nothing when none is); throws
    // data::StoreError for a value that does not fit its field. A navigator runs it before each
    // of its buttons, so what was typed is saved, or refused with the reason.
    void writeBoxes();
    // Shows the current row again and sets which boxes may be typed in.
    void refresh();

signals:
    // After the boxes show another row (or the same row again).
    void refreshed();

private:
    struct Binding
    {
        QPointer<QWidget> box;
        QString field;
        bool onlyWhileEditing = false;
    };
    QString textOf(const Binding &binding) const;
    void setTextOf(const Binding &binding, const QString &text) const;
    void typed(const Binding &binding);

    QPointer<data::Dataset> m_dataset;
    QList<Binding> m_bindings;
    bool m_refreshing = false;
    bool m_typing = false;
};

} // namespace students
