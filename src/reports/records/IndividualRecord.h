#pragma once

#include "reports/ReportRegistry.h"
#include "reports/cards/CardRules.h"

#include "data/store/Database.h"

#include <optional>

// "Ficha Individual": one page per student with the year's marks of every subject, the
// workload of each subject, the final result and the place for the signatures. Four unit
// columns when the school assesses four units, else two with the final recovery columns.
namespace reports {

struct RecordChoice
{
    QString classCode;             // empty: every class
    std::optional<qint64> student; // one enrolment number instead of a class
    bool skipEmptySubjects = false; // "NÃO IMPRIMA Disciplinas sem Notas informadas"
    bool consolidated = true;       // "Imprima Disciplina Consolidada": the subjects of the final minutes
};

struct RecordStatement
{
    QString sql;
    data::SqlParams params;
};

// The marks rows of the chosen students, in class, name and subject order.
RecordStatement recordStatement(const RecordChoice &choice, bool fourUnits);

// The classes the dialog offers: those that have marks, or every class when none has.
QList<ParamChoice> recordClassEntries(const data::Database &db);

// "Resultado Final: APROVADO", "(DEPENDÊNCIA) APROVADA" or "REPROVADO" by the failed subjects
// and the dependency limit, then the transfer or drop-out text.
QString recordResultLine(int failedSubjects, const CardStudent &student, int dependencyLimit);

// Throws StoreError when the rows cannot be read.
Document individualRecord(const data::Database &db, const SchoolInfo &school, const RecordChoice &choice);

// The choice the answers of "ficha-individual" stand for; throws ReportParamError for an
// enrolment number that is not a number.
RecordChoice recordChoice(const ReportValues &values);
void setRecordValues(ReportValues &values, const RecordChoice &choice, const data::Database &db);

// "ficha-individual".
ReportEntry individualRecordEntry();

} // namespace reports
