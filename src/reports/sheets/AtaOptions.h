#pragma once

#include "reports/ReportValues.h"
#include "reports/sheets/AtaCells.h"

#include <QDate>
#include <QList>
#include <QString>

// What the minutes' dialog ("Defina a Turma  e a Disciplina") asks, shared by the dialog, the
// command line ("lumesco-cli report ata --class 1G5A --last-day 15/12/2026 ...") and the export.
namespace reports {

// "Defina a Unidade ": the four units, the year's average ("Média Geral") or the final one.
enum class AtaUnit { Unit1 = 1, Unit2, Unit3, Unit4, Year, Final };

struct AtaOptions
{
    QString classCode; // empty: "Todas as Turmas"
    bool skipLeavers = true; // "Não Imprimir Desistentes / Transferidos"
    QDate lastDay;           // "Último dia letivo"
    QString secretary;       // "Secretário/Coordenador"
    QString director;        // "Diretor"
    AtaResultTexts texts;
    AtaUnit unit = AtaUnit::Final;
};

// class, keep-leavers, last-day, secretary, director, approved, progression, failed and unit
// (1..4, geral, final).
QList<ReportParam> ataParams();

AtaOptions ataOptions(const ReportValues &values);

// The unit answer ("1".."4", "geral", "final") of the sheets' dialogs.
AtaUnit ataUnit(const QString &value);

// The answers that stand for `options` (the dialog hands its choices over this way).
void setAtaValues(ReportValues &values, const AtaOptions &options, const data::Database &db);

} // namespace reports
