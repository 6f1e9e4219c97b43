#pragma once

#include "cashbook/CashPeriod.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace data {
class Query;
}

// The window "Exportar Tabelas para formato Texto": four entries, each a set of rows that is
// written to "<entry>.csv" for a spreadsheet (data::semicolonRows, core::exportSemicolon).
namespace cashbook {

enum class ExportEntry { AlunosPorTurma, Mensalidades, MovimentacaoFinanceira, VisaoGeral };

QList<ExportEntry> exportEntries();
// "01-ALUNOS POR TURMA", "02-MENSALIDADES", "03-MOVIMENTAÇÃO FINANCEIRA ",
// "04-MENSALIDADES - VISÃO GERAL".
QString exportEntryText(ExportEntry entry);
// By its number ("01" .. "04", or "1" .. "4") or its text (blanks at the ends and letter case
// do not matter); nullopt for anything else.
std::optional<ExportEntry> exportEntryByName(const QString &name);

// The movements are asked for a period first.
bool asksForPeriod(ExportEntry entry);
// The fourth entry is offered but loads nothing, so there is nothing to write.
bool loadsRows(ExportEntry entry);

// Points the query at the entry's rows (the period only matters for the movements); the
// caller opens it. Nothing for an entry that loads no rows.
void selectEntryRows(data::Query &query, ExportEntry entry, const Period &period = {});
// What the grid shows before an entry is chosen: the students with their class description.
void selectInitialRows(data::Query &query);
// The display masks the grid and the file use, once the query is open.
void applyExportFormats(data::Query &query);

// The entry's text + ".csv".
QString exportFileName(ExportEntry entry);

} // namespace cashbook
