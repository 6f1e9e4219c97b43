#pragma once

#include "data/schema/TableLink.h"
#include "data/store/Schema.h"

// The whole layout of a school year's data directory.
namespace data::schema {

// Every table a new school year starts with: academic, financial and the settings table.
QList<TableDef> schoolYearTables();

// The tables bulk runs create and drop while they work.
QList<TableDef> workingTables();

// Looks a table up by its name or file name ("ALUNOS", "alunos.db", "NotasUni1.DB"),
// among the school-year, working and users tables. Null when unknown.
const TableDef *findTable(const QString &nameOrFileName);

QList<TableLink> schoolYearLinks();

} // namespace data::schema
