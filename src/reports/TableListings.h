#pragma once

#include "reports/ReportRegistry.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Document.h"

#include <QList>
#include <QPair>
#include <QString>

namespace data {
class Database;
}

// The three listings of the school's tables: subjects, classes with their monthly fee, and the
// subjects of each grade.
namespace reports {

enum class Listing { Disciplinas, Turmas, DisciplinasTurma };

QString listingTitle(Listing listing);

// The registry's entries of the three listings: "disciplinas" ("&h. Disciplinas"), "turmas"
// ("&i. Turmas e Valor da Mensalidade") and "disciplinas-turma" ("&j. Disciplinas por Turma").
QList<ReportEntry> tableListingReports();

// Lays the listing out from the tables of the school year in `db`. Throws StoreError when a
// table cannot be read.
Document tableListing(Listing listing, const data::Database &db, const SchoolInfo &school);

// The description under a grade's heading: walking the classes (code, description) in table
// order, the last class of the grade gives its description without the last seven characters.
// Empty when no class belongs to the grade.
QString gradeDescription(const QList<QPair<QString, QString>> &classes, const QString &grade);

} // namespace reports
