#include "students/forms/RecordBinder.h"

#include "data/store/Dataset.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace students {

RecordBinder::RecordBinder(data::Dataset *dataset, QObject *parent) : QObject(parent), m_dataset(dataset)
{
    connect(dataset, &data::Dataset::currentChanged, this, &RecordBinder::refresh);
    connect(dataset, &data::Dataset::stateChanged, this, &RecordBinder::refresh);
    connect(dataset, &data::Dataset::reset, this, &RecordBinder::refresh);
    connect(dataset, &data::Dataset::rowChanged, this, &RecordBinder::refresh);
}

void RecordBinder::bind(QLineEdit *box, const QString &field, bool onlyWhileEditing)
{
    m_bindings.append({box, field, onlyWhileEditing});
    if (m_dataset && m_dataset->isOpen() && m_dataset->hasField(field)
        && m_dataset->field(field).type == data::FieldType::Text)
        box->setMaxLength(m_dataset->field(field).size);
    const Binding binding = m_bindings.last();
    connect(box, &QLineEdit::textEdited, this, [this, binding] { typed(binding); });
    refresh();
}

void RecordBinder::bind(QComboBox *box, const QString &field)
{
    m_bindings.append({box, field, false});
    const Binding binding = m_bindings.last();
    connect(box, &QComboBox::currentTextChanged, this, [this, binding] { typed(binding); });
    refresh();
}

QString RecordBinder::textOf(const Binding &binding) const
{
    if (auto *line = qobject_cast<QLineEdit *>(binding.box))
        return line->text();
    if (auto *combo = qobject_cast<QComboBox *>(binding.box))
        return combo->currentText();
    return QString();
}

void RecordBinder::setTextOf(const Binding &binding, const QString &text) const
{
    if (auto *line = qobject_cast<QLineEdit *>(binding.box))
        line->setText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(binding.box))
        combo->setCurrentText(text);
}

// The first key typed puts the row in editing; the value goes in at once when it fits, and
// writeBoxes() tries again (and says why) when it does not.
void RecordBinder::typed(const Binding &binding)
{
    if (m_refreshing || !m_dataset || !m_dataset->isOpen() || m_dataset->isReadOnly())
        return;
    // Starting the edit must not put the row's old values back into the boxes being typed in.
    const QScopedValueRollback<bool> typing(m_typing, true);
    try {
        if (m_dataset->isEditing() || m_dataset->edit())
            m_dataset->setText(binding.field, textOf(binding));
    } catch (const data::StoreError &) {
    } catch (const data::Abort &) {
    }
}

void RecordBinder::writeBoxes()
{
    if (!m_dataset || !m_dataset->isEditing())
        return;
    // Each value written must not put the stored ones back into the boxes still to write.
    const QScopedValueRollback<bool> typing(m_typing, true);
    for (const Binding &binding : std::as_const(m_bindings))
        if (binding.box)
            m_dataset->setText(binding.field, textOf(binding));
}

void RecordBinder::refresh()
{
    if (!m_dataset)
        return;
    m_refreshing = true;
    const bool open = m_dataset->isOpen();
    const bool rows = open && (!m_dataset->isEmpty() || m_dataset->isEditing());
    const bool writable = open && !m_dataset->isReadOnly();
    for (const Binding &binding : std::as_const(m_bindings)) {
        if (!binding.box)
            continue;
        if (!m_typing)
            setTextOf(binding, rows ? m_dataset->displayText(binding.field) : QString());
        binding.box->setEnabled(writable && (!binding.onlyWhileEditing || m_dataset->isEditing()));
    }
    m_refreshing = false;
    emit refreshed();
}

} // namespace students
