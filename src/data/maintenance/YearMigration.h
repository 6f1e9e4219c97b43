#pragma once

#include "data/store/Database.h"

#include <QList>
#include <QString>

namespace data {

// One table as a move found it on both sides.
struct MigratedTable
{
    QString name;
    qint64 rows = 0;
    QString checksum; // SHA-256 of the rows, each as the store reads its values, in sorted order
};

// Copies every table of a school year (or of the users' place) from one place to another, a
// folder or a server year, each way: layouts, every row with its values as stored. Runs in
// one transaction of the destination, and reads every table back before committing: a count
// or checksum that differs undoes the whole copy (StoreError). IntoEmpty: the destination may
// not hold rows already in a table of the same name. Replace (a restore): every table of the
// destination is dropped first, in the same transaction.
// `only` limits the copy to those tables (the users table out of a data folder that also
// holds a year).
enum class MigrationMode { IntoEmpty, Replace };
QList<MigratedTable> migrateSchoolYear(const Database &from, const Database &to,
                                       MigrationMode mode = MigrationMode::IntoEmpty, const QStringList &only = {});

// The checksum of a table's rows, as migrateSchoolYear computes it.
MigratedTable tableChecksum(const Database &db, const QString &table);

} // namespace data
