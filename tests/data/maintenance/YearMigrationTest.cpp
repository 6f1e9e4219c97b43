#include "data/maintenance/SchoolYearSetup.h"
#include "data/maintenance/YearMigration.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"

#include "support/QStringPrinting.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace data;

namespace {

// A school year with awkward values: accents and quotes, empty texts, dates, money, logicals.
Database sampleYear(const QString &dir)
{
    const Database db = createSchoolYear(dir, QStringLiteral("2026"));
    for (int i = 1; i <= 30; ++i)
        db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, DATANASC, SIT, ESP, MARCADO) values (:m, :n, :t, :d, :s, :e, :k)"),
                {{QStringLiteral("m"), 2026000 + i},
                 {QStringLiteral("n"), QStringLiteral("JOÃO D'ÁVILA %1").arg(i)},
                 {QStringLiteral("t"), i % 2 ? QStringLiteral("1G1A") : QStringLiteral("2G1B")},
                 {QStringLiteral("d"), i % 3 ? QVariant(QDate(2012, 1 + i % 12, 1 + i % 28)) : QVariant()},
                 {QStringLiteral("s"), i % 5 ? QVariant() : QVariant(QStringLiteral("B"))},
                 {QStringLiteral("e"), i},
                 {QStringLiteral("k"), i % 2 == 0}});
    for (int i = 1; i <= 12; ++i)
        db.exec(QStringLiteral("insert into Ccorrent (Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor, STATUS2) "
                               "values (2026001, 'JOÃO', 'N', :p, :d, :v, '0')"),
                {{QStringLiteral("p"), i}, {QStringLiteral("d"), QDate(2026, i, 10)}, {QStringLiteral("v"), 350.1 + i / 3.0}});
    return db;
}

// Table -> "rows:checksum".
QMap<QString, QString> checksums(const Database &db)
{
    QMap<QString, QString> out;
    for (const QString &t : db.tableNames()) {
        const MigratedTable sum = tableChecksum(db, t);
        out.insert(t.toUpper(), QString::number(sum.rows) + u':' + sum.checksum);
    }
    return out;
}

} // namespace

TEST(YearMigration, AYearMovesToAnotherPlaceAndBackWithEveryRowAndValue)
{
    TempDir from, middle, back;
    const Database source = sampleYear(from.path());
    const auto expected = checksums(source);
    ASSERT_GE(expected.size(), 15);

    // On the server run the middle place is a server year: folder -> server -> folder.
    const Database there = Database::open(testengine::yearLocation(middle.path()));
    const QList<MigratedTable> copied = migrateSchoolYear(source, there);
    EXPECT_EQ(copied.size(), expected.size());
    EXPECT_EQ(checksums(there), expected);
    EXPECT_EQ(there.layout(QStringLiteral("Alunos.DB")).fields.size(), source.layout(QStringLiteral("Alunos.DB")).fields.size());
    EXPECT_TRUE(there.compareLayout(source.layout(QStringLiteral("Ccorrent.DB"))).isEmpty());

    const Database returned = Database::open(back.path());
    migrateSchoolYear(there, returned);
    EXPECT_EQ(checksums(returned), expected);
    EXPECT_EQ(returned.scalar(QStringLiteral("select NOME from ALUNOS where MATRICULA = 2026007")).toString(),
              QStringLiteral("JOÃO D'ÁVILA 7"));

    // A place that holds rows is not overwritten by a move; a restore replaces it whole.
    try {
        migrateSchoolYear(source, there);
        ADD_FAILURE() << "rows were copied over rows";
    } catch (const StoreError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("já tem registros")));
    }
    there.exec(QStringLiteral("delete from ALUNOS where MATRICULA > 2026010"));
    migrateSchoolYear(source, there, MigrationMode::Replace);
    EXPECT_EQ(checksums(there), expected);

    Database::closeAll();
    testengine::dropServerYears();
}

TEST(YearMigration, TheUsersTableMovesAloneOutOfAFolderThatAlsoHoldsAYear)
{
    TempDir from, users;
    const Database source = sampleYear(from.path());
    ensureUsersTable(from.path());
    // The server's users are shared by the suites that run side by side: held while in use.
    const testengine::UsersHeld held(users.path());
    const Database target = Database::open(held.location());
    if (target.hasTable(QStringLiteral("Usuarios"))) // left by a run that stopped midway
        target.dropTable(QStringLiteral("Usuarios"));
    const QList<MigratedTable> copied = migrateSchoolYear(source, target, MigrationMode::IntoEmpty, {QStringLiteral("usuarios")});
    ASSERT_EQ(copied.size(), 1);
    EXPECT_EQ(target.tableNames(), QStringList({QStringLiteral("Usuarios")}));
    EXPECT_EQ(tableChecksum(target, QStringLiteral("Usuarios")).checksum, tableChecksum(source, QStringLiteral("Usuarios")).checksum);
    EXPECT_THROW(migrateSchoolYear(source, target, MigrationMode::Replace, {QStringLiteral("Nada")}), StoreError);
    target.dropTable(QStringLiteral("Usuarios")); // the test server's users are shared by every test
    Database::closeAll();
}
