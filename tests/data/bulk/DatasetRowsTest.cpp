#include "data/bulk/DatasetRows.h"
#include "data/store/Table.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace data;

TEST(DatasetRows, RowsInViewAsDisplayTextsInTheDatasetsOrder)
{
    TempDir dir;
    {
        const Database db = Database::open(testengine::yearLocation(dir.path()));
        TableDef t;
        t.name = QStringLiteral("ALUNOS");
        t.fields = {{QStringLiteral("MATRICULA"), FieldType::Float, 0, true},
                    {QStringLiteral("Nome"), FieldType::Text, 30},
                    {QStringLiteral("DATANASC"), FieldType::Date},
                    {QStringLiteral("ABAT"), FieldType::Float},
                    {QStringLiteral("SIT"), FieldType::Text, 2}};
        t.primaryKey = {QStringLiteral("MATRICULA")};
        t.indexes = {{QStringLiteral("kNome"), {QStringLiteral("Nome")}}};
        db.createTable(t);
        db.exec(QStringLiteral("insert into ALUNOS values (2, 'BIA', '2001-03-05', 7.5, null), "
                               "(1, 'CAIO', null, null, 'T'), (3, 'ANA', null, 10, null)"));
        Table table(db, QStringLiteral("ALUNOS"));
        table.setIndexName(QStringLiteral("kNome"));
        table.setFilter(QStringLiteral("SIT <> 'T'"));
        table.setFiltered(true);
        table.open();

        const core::SemicolonTable all = semicolonRows(table);
        EXPECT_EQ(core::semicolonLines(all),
                  (QStringList{QStringLiteral("MATRICULA;NOME;DATANASC;ABAT;SIT"), QStringLiteral("3;ANA;;10;"),
                               QStringLiteral("2;BIA;05/03/2001;7,5;")}));
        const core::SemicolonTable some = semicolonRows(table, {1, 0});
        EXPECT_EQ(core::semicolonLines(some),
                  (QStringList{QStringLiteral("NOME;MATRICULA"), QStringLiteral("ANA;3"), QStringLiteral("BIA;2")}));
    }
    Database::closeAll();
    testengine::dropServerYears();
}
