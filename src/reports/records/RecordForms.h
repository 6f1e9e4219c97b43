#pragma once

#include "reports/ReportRegistry.h"

#include "data/store/Database.h"

#include <optional>

// The record forms: "FICHA DO ALUNO", one page per student with the personal data, the
// parents and the responsible person, the discount, the pool and the history note; and the
// staff member's form, titled after the school's word for its staff.
namespace reports {

struct StudentFormChoice
{
    QString classCode;             // empty: every class
    std::optional<qint64> student; // one enrolment number instead of a class
    bool skipLeavers = true;       // "Não imprimir alunos Desistente ou Transferido"
    bool photo = false;            // "Imprima com a Fotografia do Aluno"
    bool blankPage = false;        // "Imprima uma página em branco": the form without a student
};

// The condition on ALUNOS (alias a) and its bound values. Every class leaves the dropped-out and
// transferred students out; a class or a student does only when asked.
QString studentFormCondition(const StudentFormChoice &choice, data::SqlParams &params);

// "(X)Sim ( )Não", "( )Sim (X)Não", or "( )Sim  ( )Não" when not filled.
QString poolText(const QVariant &usesPool);
// "10%" for a percentage (IMP "%"), "R$ 50,00" for an amount; empty without a discount.
QString discountText(const QVariant &abat, const QString &imp);

// Throws StoreError when the rows cannot be read.
Document studentForm(const data::Database &db, const SchoolInfo &school, const StudentFormChoice &choice);
// Every staff member, or the one of `matricula`.
Document staffForm(const data::Database &db, const SchoolInfo &school, std::optional<qint64> matricula);

// The choice the answers of "ficha-aluno" stand for; throws ReportParamError for an enrolment
// number that is not a number.
StudentFormChoice studentFormChoice(const ReportValues &values);
void setStudentFormValues(ReportValues &values, const StudentFormChoice &choice, const data::Database &db);

// "ficha-aluno" and "ficha-funcionario".
QList<ReportEntry> recordFormEntries();

} // namespace reports
