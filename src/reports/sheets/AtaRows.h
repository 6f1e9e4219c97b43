#pragma once

#include "data/store/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// The rows the minutes and their export read: the report cards' rows (marks joined to student,
// subject, class, ranking and subject of the grade) gathered per class and per student, and the
// subjects of a grade that head the columns.
namespace reports {

struct AtaMarkRow
{
    QString subject; // DISC
    QString kind;    // DISCPL.TIPO
    double units[4] = {0, 0, 0, 0};
    double yearAverage = 0;     // MD_ANUAL
    double finalAverage = 0;    // MD_FINAL
    double recoveryAverage = 0; // MD_RECUP
};

struct AtaStudent
{
    qint64 matricula = 0;
    QString name;
    QString situation; // "T" transferred, "D" dropped out
    QDate situationDate;
    QList<AtaMarkRow> rows; // in subject-code order
    bool flagged = false;   // MARCADO: the office wants to see the student

    bool isLeaver() const;
};

struct AtaClass
{
    QString code;
    QString description;
    QList<AtaStudent> students; // in name order
};

struct AtaSelection
{
    QString classCode;  // empty: every class
    bool skipLeavers = true;
    bool onlyMarked = true; // only the subjects marked for the minutes (Imp_AtaFinal)
};

// Classes in code order. Students without a ranking row are left out, as the cards leave them.
// Throws StoreError.
QList<AtaClass> readAtaClasses(const data::Database &db, const AtaSelection &selection);

struct AtaSubject
{
    QString code;
    QString shortName; // DESC_RESUMO
    QString name;      // DESCRICAO
    std::optional<int> workload; // CHORA, in hours
};

// The subjects of the grade (the first three characters of a class code) in code order; with
// `onlyMarked`, those marked for the minutes. Throws StoreError.
QList<AtaSubject> gradeSubjects(const data::Database &db, const QString &grade, bool onlyMarked);

} // namespace reports
