#include "cashbook/forms/FieldEdit.h"

#include "core/Dialogs.h"
#include "data/store/Dataset.h"

namespace cashbook {

FieldEdit::FieldEdit(data::Dataset *dataset, const QString &field, QWidget *parent)
    : QLineEdit(parent), m_dataset(dataset), m_field(field)
{
    setObjectName(QStringLiteral("txt") + field);
    connect(this, &QLineEdit::textEdited, this, &FieldEdit::typed);
    connect(this, &QLineEdit::editingFinished, this, [this] {
        try {
            commit();
        } catch (const data::StoreError &error) {
            core::showError(error.message());
        }
    });
    connect(dataset, &data::Dataset::currentChanged, this, &FieldEdit::refresh);
    connect(dataset, &data::Dataset::reset, this, &FieldEdit::refresh);
    // A new row, a save or a cancel shows the row's values; the edit that typing starts
    // keeps what is being typed.
    connect(dataset, &data::Dataset::stateChanged, this, [this] {
        if (!m_typing)
            refresh();
    });
    connect(dataset, &data::Dataset::rowChanged, this, [this] {
        if (!m_dirty)
            refresh();
    });
    refresh();
}

void FieldEdit::refresh()
{
    m_dirty = false;
    const bool open = m_dataset && m_dataset->isOpen();
    setReadOnly(!open || m_dataset->isReadOnly());
    setText(open && (m_dataset->isEditing() || !m_dataset->isEmpty()) ? m_dataset->displayText(m_field)
                                                                        : QString());
}

void FieldEdit::typed(const QString &text)
{
    if (!m_dataset || !m_dataset->isOpen() || m_dataset->isReadOnly())
        return;
    if (m_upperCase && text != text.toUpper()) {
        const int cursor = cursorPosition();
        setText(text.toUpper());
        setCursorPosition(cursor);
    }
    try {
        m_typing = true;
        const bool editing = m_dataset->isEditing() || m_dataset->edit();
        m_typing = false;
        if (!editing) {
            refresh();
            return;
        }
    } catch (const data::StoreError &error) {
        m_typing = false;
        refresh();
        core::showError(error.message());
        return;
    }
    m_dirty = true;
    // The row holds what the box reads as, and nothing while it reads as no value ("12,3,"),
    // so a save from elsewhere (choosing another account) never keeps a half-typed value;
    // the box itself says what is wrong when it is left or the row is saved.
    try {
        m_dataset->setText(m_field, this->text());
    } catch (const data::StoreError &) {
        m_dataset->clear(m_field);
    }
}

void FieldEdit::commit()
{
    if (!m_dirty || !m_dataset || !m_dataset->isEditing())
        return;
    m_dataset->setText(m_field, text());
    m_dirty = false;
}

} // namespace cashbook
