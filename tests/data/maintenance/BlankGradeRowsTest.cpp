#include "data/maintenance/BlankGradeRows.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace data;

TEST(BlankGradeRows, AreDeletedFromEveryGradeTableAndAFailureIsShownAndSkipped)
{
    TempDir dir;
    const Database db = createSchoolYear(dir.path(), "2009");
    db.exec("insert into NOTAS (MATRICULA, DISC, Turma) values (1, 'PO', '1G1A'), "
            "(null, 'MA', '1G1A'), (2, null, '1G1A')");
    db.exec("insert into NotasUni2 (MATRICULA, DISC, TURMA, UNIDADE) values (1, 'PO', '1G1A', "
            "'2'), (null, null, '1G1A', '2')");
    db.exec(
        "insert into NotasUni4 (MATRICULA, DISC, TURMA, UNIDADE) values (3, null, '1G1A', '4')");
    db.dropTable("NotasUni3");

    ScriptedDialogs::Guard dialogs;
    EXPECT_EQ(removeBlankGradeRows(db), 4);
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->last().text,
              QStringLiteral("Erro ao deletar registros em branco da tabela NotasUni3.db"));
    EXPECT_EQ(dialogs->last().caption, QStringLiteral("Erro"));
    EXPECT_EQ(db.scalar("select count(*) from NOTAS").toInt(), 1);
    EXPECT_EQ(db.scalar("select count(*) from NotasUni2").toInt(), 1);
    EXPECT_EQ(db.scalar("select count(*) from NotasUni4").toInt(), 0);
    Database::closeAll();
}
