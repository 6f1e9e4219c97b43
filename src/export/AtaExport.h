#pragma once

#include "reports/sheets/AtaRows.h"

#include "data/store/Database.h"

#include <QDate>
#include <QStringList>
#include <functional>

// "&Gerar Arquivo" of the minutes: the minutes as a semicolon text file (Windows-1252, CR LF)
// that a spreadsheet opens, one line per student with the average after recovery of every
// subject of the grade and the result.
namespace exporting {

// ";Lumesco;dd/mm/yyyy", then for every class its title, its "Turma:" line, the header
// "Ordem;Matricula;Nome do Aluno;<subjects>;RESULTADO" and one line per student. `eachStudent`
// runs after every student (the window keeps itself painted this way). Throws StoreError.
QStringList ataExportLines(const data::Database &db, const reports::AtaSelection &selection, const QDate &today,
                           const std::function<void()> &eachStudent = {});

// "ATA_FINAL-" + the text of the class list ("Todas as Turmas" or the chosen class's entry).
QString ataExportFileName(const QString &classListText);

} // namespace exporting
