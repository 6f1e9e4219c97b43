#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace data {

class Dataset;

// Keeps edit boxes in step with the fields of a dataset's current row and writes what the user
// types into the row being edited: the data-aware boxes of a record screen.
//
//   FieldBinder binder(&alunos);
//   binder.bind(txtNome, "NOME", FieldBinder::UpperCase);
//   binder.bind(chkImp, "IMP", "%", "R");
//
// Typing into a box while the dataset browses starts an edit first (through the start-edit
// action, so a screen can remember what it needs). A read-only dataset makes every box
// read-only. Values that only make sense whole (dates, numbers) are written once they parse;
// commit() reports a box left holding text that does not.
class FieldBinder : public QObject
{
    Q_OBJECT

public:
    enum Option
    {
        NoOption = 0,
        UpperCase = 0x1, // names, places, professions: typed in capitals
        Display = 0x2,   // shown, never written
    };
    Q_DECLARE_FLAGS(Options, Option)

    explicit FieldBinder(Dataset *dataset, QObject *parent = nullptr);

    void bind(QLineEdit *edit, const QString &field, Options options = NoOption);
    // An editable combo box holds free text with suggestions; a fixed one offers its items.
    void bind(QComboBox *combo, const QString &field, Options options = NoOption);
    // A logical field, or a text field holding `checkedText` / `uncheckedText`.
    void bind(QCheckBox *check, const QString &field, const QString &checkedText = QString(),
              const QString &uncheckedText = QString());
    void bind(QPlainTextEdit *memo, const QString &field);
    // The field's display text.
    void bind(QLabel *label, const QString &field);

    // What typing in browse state calls before writing; false leaves the row alone. The
    // default is the dataset's edit().
    void setStartEdit(std::function<bool()> startEdit);

    // Shows the current row's values again (after code changed fields of a row being inserted,
    // which the dataset does not announce).
    void refresh();
    // Writes what is still pending; false, with the message shown, when a box holds text its
    // field can't take (a date like 31/02/2009). The box keeps the focus.
    bool commit();

private:
    struct Binding
    {
        QPointer<QWidget> widget;
        QString field;
        Options options;
        QString checkedText;
        QString uncheckedText;
        bool pending = false; // typed text not written yet (does not parse)
    };

    void add(QWidget *widget, const QString &field, Options options, QString checkedText = QString(),
             QString uncheckedText = QString());
    Binding *bindingOf(QWidget *widget);
    void show(Binding &binding);
    // Writes the text of a box; false when it does not parse (the binding stays pending).
    bool write(Binding &binding, const QVariant &value, bool reportErrors);
    bool ensureEditing();
    void applyReadOnly();

    QPointer<Dataset> m_dataset;
    QList<Binding> m_bindings;
    std::function<bool()> m_startEdit;
    bool m_showing = false;
    QWidget *m_writing = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FieldBinder::Options)

} // namespace data
