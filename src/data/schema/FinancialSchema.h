#pragma once

#include "data/schema/TableLink.h"
#include "data/store/Schema.h"

// The students' current account and the school's cash book.
namespace data::schema {

TableDef ccorrent();
TableDef grupoConta();
TableDef conta();
TableDef movFin();
TableDef bancos();

// Working tables the revenue reports drop and re-create: "RelatPagamentos" or "RelatMensalidades".
TableDef revenueWorkTable(const QString &name);

// Every permanent financial table, in the order a new school year creates them.
QList<TableDef> financialTables();
QList<TableLink> financialLinks();

} // namespace data::schema
