#pragma once

#include "data/schema/TableLink.h"
#include "data/store/Schema.h"

// The academic tables of a school year: students, classes, subjects, grades, health record,
// staff, teacher assignments and the class ranking.
namespace data::schema {

TableDef alunos();
TableDef tabturma();
TableDef discpl();
TableDef discturm();
TableDef notas();
TableDef notasUni(int unit); // 1..4
TableDef historic();
TableDef funcionarios();
TableDef discProf();
TableDef posicao();

// Working table of the consolidated averages, created and dropped by that run.
TableDef tbConsol();

// Every permanent academic table, in the order a new school year creates them.
QList<TableDef> academicTables();
QList<TableLink> academicLinks();

} // namespace data::schema
