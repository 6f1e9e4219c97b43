#pragma once

#include "data/store/Database.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace data {

class Dataset;

// What the student rules copy of a student into the rows that depend on it.
struct StudentFacts
{
    QVariant matricula; // MATRICULA as stored; null for a row without a number
    QString name;
    QString schoolClass;
    QString situation;   // SIT: empty, "B", "D", "I" or "T"
    QVariant rollNumber; // ESP; null when the student has none yet

    // The current row of an ALUNOS dataset (the row being edited while editing).
    static StudentFacts of(const Dataset &alunos);
};

// The student rules over one school year's database, for the register's dataset events, the
// student import, the roll-number command and anything else that writes students:
//
//   StudentService students(db);
//   Transaction write(db);                        // numbers inside the writing transaction
//   facts.rollNumber = students.nextRollNumber(facts.schoolClass, facts.matricula);
//   ...write the ALUNOS row with that ESP...
//   for (const QString &table : studentGradeTables())
//       students.carryIntoGrades(table, facts, true);
//   students.carryIntoCharges(facts);
//   write.commit();
//
// Each statement that fails throws RuleStatementError (data/modules/RuleStatement.h), which
// carries the statement as the error boxes quote it; nothing is shown here.
class StudentService
{
public:
    explicit StudentService(Database db);

    // 1 + the highest roll number (ESP) of the other students of the class, or 1 when the
    // class has none. Call it inside the transaction that writes the roll number.
    int nextRollNumber(const QString &schoolClass, const QVariant &exceptMatricula) const;

    // Name, class and situation (its first character, the charge row's STATUS) into every
    // charge row of the student.
    void carryIntoCharges(const StudentFacts &student) const;
    // Name, class and situation, and with `withRollNumber` the roll number, into every row of
    // the student in one grade table (one of studentGradeTables()).
    void carryIntoGrades(const QString &table, const StudentFacts &student,
                         bool withRollNumber = false) const;
    // The roll number alone, in ALUNOS or one grade table, for every row of the student.
    void setRollNumber(const QString &table, const QVariant &matricula, int rollNumber) const;

    // Removes the student's grade and charge rows; call it inside the transaction that removes
    // the student's own row, so that all go or none does.
    void deleteDependents(const QVariant &matricula) const;
    // The student's row and every dependent row, in one transaction (a savepoint inside a
    // bulk run): all go or none does. Exactly that student: the number must be given.
    void deleteStudent(const QVariant &matricula) const;

    const Database &database() const { return m_db; }

private:
    Database m_db;
};

// The grade tables that hold a copy of each student, the year table first:
// "notas", "notasuni1" .. "notasuni4".
const QStringList &studentGradeTables();

} // namespace data
