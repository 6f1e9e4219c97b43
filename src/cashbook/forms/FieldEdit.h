#pragma once

#include <QLineEdit>
#include <QPointer>

namespace data {
class Dataset;
}

namespace cashbook {

// An entry box bound to one field of a dataset's current row: it shows the field's text, and
// typing in it puts the row into editing (an empty dataset gets a new row) and hands the text
// over. Read-only while the dataset is.
class FieldEdit : public QLineEdit
{
    Q_OBJECT

public:
    FieldEdit(data::Dataset *dataset, const QString &field, QWidget *parent = nullptr);

    // Letters are turned to capitals as they are typed.
    void setUpperCase(bool on = true) { m_upperCase = on; }
    // Hands what was typed to the row; throws StoreError when it does not fit the field
    // ("abc" as an amount). Nothing to do when the box was not typed in.
    void commit();
    // Shows the row's value again, dropping what was typed.
    void refresh();

private:
    void typed(const QString &text);

    QPointer<data::Dataset> m_dataset;
    QString m_field;
    bool m_upperCase = false;
    bool m_dirty = false;
    bool m_typing = false;
};

} // namespace cashbook
