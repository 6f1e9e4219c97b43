#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace data {
class Database;
}

// Subjects a student takes in another class (dependency, extra subjects): grade rows that
// carry the other class's code. The lists hold display lines: a code, a blank, a description.
namespace students {

struct IsolatedStudent
{
    QVariant matricula;
    QString nome;
    QString turma;
    QVariant esp;
};

// "Turma Normal: " + class + " - " + its description.
QString normalClassText(const data::Database &db, const QString &schoolClass);
// Every class of Tabturma but the student's own, as "TURMA DESCRICAO".
QStringList otherClassLines(const data::Database &db, const QString &ownClass);
// The subjects of the grade of a class line, as "CODIGO DESCRICAO".
QStringList subjectLines(const data::Database &db, const QString &classLine);

// The class code of a class line.
QString classOfLine(const QString &classLine);
// The subject code of a subject line.
QString subjectOfLine(const QString &subjectLine);

// "&Salvar": one NOTAS row and one row in each unit table per subject line, in the class of
// `classLine`. Each refused insert (the subject is there already) is shown and the rest goes
// on; the closing message says whether everything went in. False after any refusal.
bool addIsolatedSubjects(const data::Database &db, const IsolatedStudent &student, const QString &classLine,
                         const QStringList &subjectLines);

} // namespace students
