#include "data/forms/FieldBinder.h"

#include "core/Dialogs.h"
#include "data/store/Dataset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace data {

namespace {

// Restores a flag on every way out.
struct Flag
{
    explicit Flag(bool &flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~Flag() { m_flag = m_old; }
    bool &m_flag;
    bool m_old;
};

QString widgetText(QWidget *widget)
{
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
        return memo->toPlainText();
    return QString();
}

} // namespace

FieldBinder::FieldBinder(Dataset *dataset, QObject *parent) : QObject(parent), m_dataset(dataset)
{
    m_startEdit = [this] { return m_dataset->edit(); };
    connect(dataset, &Dataset::currentChanged, this, &FieldBinder::refresh);
    connect(dataset, &Dataset::reset, this, &FieldBinder::refresh);
    connect(dataset, &Dataset::stateChanged, this, &FieldBinder::refresh);
    connect(dataset, &Dataset::rowChanged, this, [this](int position) {
        if (m_dataset && position == m_dataset->recNo())
            refresh();
    });
}

void FieldBinder::setStartEdit(std::function<bool()> startEdit)
{
    m_startEdit = std::move(startEdit);
}

void FieldBinder::add(QWidget *widget, const QString &field, Options options, QString checkedText,
                      QString uncheckedText)
{
    m_bindings.append({widget, field, options, std::move(checkedText), std::move(uncheckedText)});
    show(m_bindings.last());
    applyReadOnly();
}

FieldBinder::Binding *FieldBinder::bindingOf(QWidget *widget)
{
    for (Binding &binding : m_bindings)
        if (binding.widget == widget)
            return &binding;
    return nullptr;
}

void FieldBinder::bind(QLineEdit *edit, const QString &field, Options options)
{
    add(edit, field, options);
    connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString &typed) {
        Binding *binding = bindingOf(edit);
        if (!binding || m_showing)
            return;
        if (binding->options.testFlag(UpperCase) && typed != typed.toUpper()) {
            const int cursor = edit->cursorPosition();
            edit->setText(typed.toUpper());
            edit->setCursorPosition(cursor);
        }
        write(*binding, edit->text(), false);
    });
}

void FieldBinder::bind(QComboBox *combo, const QString &field, Options options)
{
    add(combo, field, options);
    if (combo->isEditable()) {
        connect(combo, &QComboBox::editTextChanged, this, [this, combo](const QString &typed) {
            Binding *binding = bindingOf(combo);
            if (!binding || m_showing)
                return;
            if (binding->options.testFlag(UpperCase) && typed != typed.toUpper()) {
                Flag showing(m_showing);
                combo->setEditText(typed.toUpper());
            }
            write(*binding, combo->currentText(), false);
        });
    } else {
        connect(combo, &QComboBox::activated, this, [this, combo](int) {
            if (Binding *binding = bindingOf(combo); binding && !m_showing)
                write(*binding, combo->currentText(), true);
        });
    }
}

void FieldBinder::bind(QCheckBox *check, const QString &field, const QString &checkedText,
                       const QString &uncheckedText)
{
    add(check, field, NoOption, checkedText, uncheckedText);
    connect(check, &QCheckBox::clicked, this, [this, check](bool checked) {
        Binding *binding = bindingOf(check);
        if (!binding || m_showing)
            return;
        if (binding->checkedText.isEmpty())
            write(*binding, checked, true);
        else
            write(*binding, checked ? binding->checkedText : binding->uncheckedText, true);
    });
}

void FieldBinder::bind(QPlainTextEdit *memo, const QString &field)
{
    add(memo, field, NoOption);
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
        if (Binding *binding = bindingOf(memo); binding && !m_showing)
            write(*binding, memo->toPlainText(), false);
    });
}

void FieldBinder::bind(QLabel *label, const QString &field)
{
    add(label, field, Display);
}

bool FieldBinder::ensureEditing()
{
    if (m_dataset->isEditing())
        return true;
    if (m_dataset->isReadOnly())
        return false;
    try {
        return m_startEdit() && m_dataset->isEditing();
    } catch (const StoreError &e) {
        core::showError(e.message());
    } catch (const Abort &) {
    }
    return false;
}

bool FieldBinder::write(Binding &binding, const QVariant &value, bool reportErrors)
{
    if (!m_dataset || !binding.widget || binding.options.testFlag(Display))
        return false;
    QWidget *const previous = m_writing;
    m_writing = binding.widget; // the box keeps what is typed while the row starts editing
    struct Reset
    {
        QWidget *&writing;
        QWidget *previous;
        ~Reset() { writing = previous; }
    } reset{m_writing, previous};

    if (!ensureEditing()) {
        m_writing = previous;
        show(binding);
        return false;
    }
    try {
        if (value.typeId() == QMetaType::Bool)
            m_dataset->setValue(binding.field, value);
        else
            m_dataset->setText(binding.field, value.toString());
        binding.pending = false;
        return true;
    } catch (const StoreError &e) {
        binding.pending = true;
        if (reportErrors)
            core::showError(e.message());
    }
    return false;
}

bool FieldBinder::commit()
{
    if (!m_dataset || !m_dataset->isEditing())
        return true;
    for (Binding &binding : m_bindings) {
        if (!binding.pending || !binding.widget)
            continue;
        if (!write(binding, widgetText(binding.widget), true)) {
            binding.widget->setFocus();
            return false;
        }
    }
    return true;
}

void FieldBinder::show(Binding &binding)
{
    QWidget *widget = binding.widget;
    if (!widget || widget == m_writing)
        return;
    // Text that does not parse yet stays in its box until the row is saved or given up.
    if (binding.pending && m_dataset && m_dataset->isEditing())
        return;
    Flag showing(m_showing);
    binding.pending = false;
    const bool hasRow = m_dataset && m_dataset->isOpen() && (m_dataset->isEditing() || !m_dataset->isEmpty());
    const QString text = hasRow ? m_dataset->displayText(binding.field) : QString();
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(combo->findText(text));
    } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        check->setChecked(hasRow && (binding.checkedText.isEmpty() ? m_dataset->asLogical(binding.field)
                                                                   : m_dataset->asText(binding.field) == binding.checkedText));
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(widget)) {
        const QString memoText = hasRow ? m_dataset->asText(binding.field) : QString();
        if (memo->toPlainText() != memoText)
            memo->setPlainText(memoText);
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        label->setText(text);
    }
}

void FieldBinder::applyReadOnly()
{
    const bool open = m_dataset && m_dataset->isOpen();
    const bool writable = open && !m_dataset->isReadOnly() && (m_dataset->isEditing() || !m_dataset->isEmpty());
    for (const Binding &binding : std::as_const(m_bindings)) {
        QWidget *widget = binding.widget;
        if (!widget)
            continue;
        const bool readOnly = !writable || binding.options.testFlag(Display);
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            edit->setReadOnly(readOnly);
        else if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
            memo->setReadOnly(readOnly);
        else if (qobject_cast<QComboBox *>(widget) || qobject_cast<QCheckBox *>(widget))
            widget->setEnabled(!readOnly);
    }
}

void FieldBinder::refresh()
{
    for (Binding &binding : m_bindings)
        show(binding);
    applyReadOnly();
}

} // namespace data
