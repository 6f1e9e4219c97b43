#pragma once

#include <QComboBox>
#include <QPointer>

namespace data {
class Dataset;
}

namespace cashbook {

// A list of names from a lookup dataset, bound to a code field of another dataset's current
// row: it shows the name of the stored code, and choosing a name stores its code (putting the
// row into editing, as typing would).
class FieldLookup : public QComboBox
{
    Q_OBJECT

public:
    FieldLookup(data::Dataset *dataset, const QString &field, data::Dataset *lookup,
                const QString &lookupCode, const QString &lookupName, QWidget *parent = nullptr);

    void refresh();

private:
    void reloadNames();
    void chosen(int index);

    QPointer<data::Dataset> m_dataset;
    QString m_field;
    QPointer<data::Dataset> m_lookup;
    QString m_lookupCode;
    QString m_lookupName;
};

} // namespace cashbook
