#include "cashbook/forms/FieldLookup.h"

#include "core/Dialogs.h"
#include "data/store/Dataset.h"

namespace cashbook {

FieldLookup::FieldLookup(data::Dataset *dataset, const QString &field, data::Dataset *lookup,
                         const QString &lookupCode, const QString &lookupName, QWidget *parent)
    : QComboBox(parent), m_dataset(dataset), m_field(field), m_lookup(lookup),
      m_lookupCode(lookupCode), m_lookupName(lookupName)
{
    setObjectName(QStringLiteral("cb") + field);
    connect(this, &QComboBox::activated, this, &FieldLookup::chosen);
    for (auto signal : {&data::Dataset::reset, &data::Dataset::stateChanged}) {
        connect(lookup, signal, this, &FieldLookup::reloadNames);
        connect(dataset, signal, this, &FieldLookup::refresh);
    }
    connect(lookup, &data::Dataset::rowInserted, this, &FieldLookup::reloadNames);
    connect(lookup, &data::Dataset::rowRemoved, this, &FieldLookup::reloadNames);
    connect(lookup, &data::Dataset::rowChanged, this, &FieldLookup::reloadNames);
    connect(dataset, &data::Dataset::currentChanged, this, &FieldLookup::refresh);
    reloadNames();
}

// The names in the lookup's order; read by position so the lookup's cursor stays put.
void FieldLookup::reloadNames()
{
    const QSignalBlocker quiet(this);
    clear();
    if (m_lookup && m_lookup->isOpen()) {
        const int code = m_lookup->fieldIndex(m_lookupCode);
        const int name = m_lookup->fieldIndex(m_lookupName);
        for (int row = 0; row < m_lookup->recordCount(); ++row)
            addItem(m_lookup->displayTextAt(row, name), m_lookup->valueAt(row, code));
    }
    refresh();
}

void FieldLookup::refresh()
{
    const QSignalBlocker quiet(this);
    const bool open = m_dataset && m_dataset->isOpen();
    setEnabled(open && !m_dataset->isReadOnly());
    const bool hasRow = open && (m_dataset->isEditing() || !m_dataset->isEmpty());
    const QVariant code = hasRow ? m_dataset->value(m_field) : QVariant();
    setCurrentIndex(code.isNull() ? -1 : findData(code.toLongLong()));
}

void FieldLookup::chosen(int index)
{
    if (!m_dataset || !m_dataset->isOpen() || m_dataset->isReadOnly() || index < 0)
        return;
    try {
        if (!m_dataset->isEditing() && !m_dataset->edit()) {
            refresh();
            return;
        }
        m_dataset->setValue(m_field, itemData(index));
    } catch (const data::StoreError &error) {
        refresh();
        core::showError(error.message());
    }
}

} // namespace cashbook
