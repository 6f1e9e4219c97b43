#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace data {
class Dataset;
}

// The register's "Copiar"/"Colar": one student's identity, family and address kept in memory
// for the whole run, so brothers and sisters are typed once. Pasting writes back only the
// family part, never who the student is.
namespace students {

class RecordClipboard
{
public:
    // What "Copiar" keeps: enrolment number, name, class, roll number, birth date, birthplace,
    // sex, and every parent, responsible-person and address field.
    static const QStringList &copiedFields();
    // What "Colar" writes: birthplace, parents, responsible person, civil status, phones,
    // address.
    static const QStringList &pastedFields();

    bool isEmpty() const { return m_values.isEmpty(); }
    void clear() { m_values.clear(); }
    // The current row of a student dataset.
    void copy(const data::Dataset &alunos);
    // Into the row being inserted or edited. False, with the message shown, when the dataset
    // is not editing, and false when nothing was copied; nothing is written then.
    bool paste(data::Dataset &alunos) const;
    QVariant value(const QString &field) const { return m_values.value(field.toUpper()); }

private:
    QHash<QString, QVariant> m_values;
};

// The program-wide clipboard of the register.
RecordClipboard &recordClipboard();

} // namespace students
