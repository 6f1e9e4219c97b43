#pragma once

#include "reports/ReportRegistry.h"

#include "data/store/Database.h"

// The lists of one class read from the marks table, so that a student appears once for every
// class in which he has marks: the class list, the attendance sheet for tests and the students
// with subjects taken in another class than their own. A student listed under another class
// than his own has " (*)" after his name, underlined, explained by "(*) Regime de Dependência".
namespace reports {

enum class ClassList
{
    Students,   // "RELAÇÃO DE ALUNOS POR TURMA": the class's students, under every class of their marks
    Attendance, // "ATA DE PRESENÇA - DATA:_____/_____/____": the class's students with marks in it
    Isolated,   // "ALUNOS COM DISCIPLINAS ISOLADAS": students of other classes with marks in it
};

QString classListTitle(ClassList list);

// " (*)" when the marks' class is not the student's own.
QString listedName(const QString &name, const QString &marksClass, const QString &ownClass);

// The rows of a list for a class: TURMA (the marks' class), TURMA2 (the student's own class),
// NOME, MATRICULA, DESCRICAO (the marks' class), SIT; the isolated subjects add DISC, DISCIPLINA
// and DESC_PROPRIA (the own class's description). Active students only. Throws StoreError.
struct ClassListStatement
{
    QString sql;
    data::SqlParams params;
};
ClassListStatement classListStatement(ClassList list, const QString &classCode);

// Throws ReportParamError without a class, StoreError when the rows cannot be read.
Document classList(const data::Database &db, const SchoolInfo &school, ClassList list, const QString &classCode);

// "alunos-turma", "ata-presenca" and "disciplinas-isoladas".
QList<ReportEntry> classListEntries();

} // namespace reports
