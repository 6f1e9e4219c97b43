#pragma once

#include "reports/ReportRegistry.h"

#include "core/SemicolonExport.h"

// Birthdays of the month: the students' list by class (all or one class, optionally one day),
// with its spreadsheet file, and the staff's list.
namespace reports {

struct BirthdayChoice
{
    QString classCode; // empty: every class
    int month = 1;
    int day = 0;       // 0: the whole month
};

// "ANIVERSARIANTES DO MÊS DE MARÇO".
QString birthdayTitle(int month);

// Active students (neither dropped out nor transferred) born in the month (and on the day),
// by class and day: SIT, MATRICULA, NOME, DIA, TURMA as the spreadsheet lists them.
// Throws StoreError.
core::SemicolonTable studentBirthdays(const data::Database &db, const BirthdayChoice &choice);

// "Alunos Aniversariantes em Março.csv".
QString birthdayFileName(int month);

Document birthdayList(const data::Database &db, const SchoolInfo &school, const BirthdayChoice &choice);
// The staff born in the month, by day, under the staff term of the settings.
Document staffBirthdayList(const data::Database &db, const SchoolInfo &school, int month);

// "aniversariantes" ("Aniversariantes do Mês"), "aniversariantes-dia" ("Aniversariantes do Dia",
// today's day by default) and "aniversariantes-funcionarios".
QList<ReportEntry> birthdayEntries();

} // namespace reports
