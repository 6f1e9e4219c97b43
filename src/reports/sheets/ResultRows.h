#pragma once

#include "reports/ReportValues.h"
#include "reports/sheets/AtaOptions.h"

#include "data/store/Database.h"

#include <QList>
#include <QString>

// "Resultados após Avaliação": the marks of a unit or of the year that fall in one outcome
// (approved by average, sent to recovery, approved after it, still below the average after it).
namespace reports {

// "Tipo do Relatório", numbered as the dialog lists them. The last two are the year analyses:
// chosen with a unit they print their own sheets (AnalysisSheet.h); with the year, the year's
// rows without an outcome condition.
enum class ResultType { ApprovedByAverage = 1, Recovery, ApprovedAfterRecovery, BelowAfterRecovery, YearPoints,
                        MinimumMark };

struct ResultSelection
{
    ResultType type = ResultType::ApprovedByAverage;
    AtaUnit unit = AtaUnit::Unit1; // the four units read their unit table, the other two NOTAS
    QString classCode;             // empty: every class
    QString subject;               // empty: every subject
    bool onlyConsolidated = false; // only the subjects flagged Imp_AtaFinal in the grade
};

struct ResultRow
{
    QString classCode;
    QString classDescription;
    QString subject;
    QString subjectName;
    QString kind; // DISCPL.TIPO
    qint64 matricula = 0;
    QString name;
    double average = 0;      // MD_ANUAL, or the unit's MEDIA
    double finalAverage = 0; // MD_FINAL, after recovery or the final exam
};

// The page heading of each outcome ("APROVADOS POR MÉDIA:").
QString resultHeading(ResultType type);

// The rows of the outcome, ordered by class, subject and student name. The average is compared
// with `unitPass` (Uni_Media), the average after recovery with `unitPass` in a unit and with
// `yearPass` (Ger_Media) for the year. Students who dropped out or transferred are left out.
// Throws StoreError.
QList<ResultRow> readResultRows(const data::Database &db, const ResultSelection &selection, double unitPass,
                                double yearPass);

// The subjects of DISCPL in code order: the code as value, "code description" as caption.
QList<ParamChoice> subjectEntries(const data::Database &db);

} // namespace reports
