#include "GradeRowsFixture.h"

#include "grades/GradeRepair.h"
#include "grades/GradeRows.h"

class GradeRepairTest : public GradeRowsFixture
{
protected:
    void SetUp() override
    {
        GradeRowsFixture::SetUp();
        ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    }
    static QStringList subjectHeader(const char *serie, const QStringList &subjects)
    {
        return QStringList{QStringLiteral("Verificando Tabela de Disciplinas para"), QStringLiteral("a Turma ") + QLatin1String(serie)} +
               subjects + QStringList{QStringLiteral("Total de Disciplinas na Turma: %1").arg(subjects.size())};
    }
};

TEST_F(GradeRepairTest, AddingTheMissingSubjectsLogsEveryTable)
{
    exec(QStringLiteral("delete from NotasUni2 where MATRICULA = 1 and DISC = '02'"));
    setUnit(1, 1, "01", "NOTA1", 9.0);

    const grades::RepairResult result = grades::repairGradeRows(db(), 1, grades::RepairMode::AddMissing);

    QStringList expected = subjectHeader("1G1", {"01 - PORTUGUÊS", "02 - MATEMÁTICA", "03 - HISTÓRIA"});
    expected << "Verificando Disciplinas para este Aluno"
             << "Não será necessário criar entradas na tabela NOTAS.DB"
             << "Verificando NotasUni1.db para este Aluno"
             << "Não será necessário criar entradas na tabela NOTASUNI1.DB"
             << "Verificando NotasUni2.db para este Aluno"
             << "Será necessário criar 1 entradas na tabela NOTASUNI2.DB"
             << "Erro ao adcionar: 01"
             << "Adcionada: 02"
             << "Erro ao adcionar: 03";
    for (int unit = 3; unit <= 4; ++unit)
        expected << QStringLiteral("Verificando NotasUni%1.db para este Aluno").arg(unit)
                 << QStringLiteral("Não será necessário criar entradas na tabela NOTASUNI%1.DB").arg(unit);
    EXPECT_EQ(result.log, expected);
    EXPECT_TRUE(result.errors.isEmpty()); // only the year table's failing inserts are shown
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(unitValue(2, 1, "02", "NOME").toString(), QStringLiteral("CARLA"));
    EXPECT_DOUBLE_EQ(unitValue(1, 1, "01", "NOTA1").toDouble(), 9.0);
}

TEST_F(GradeRepairTest, TheYearTablesFailingInsertsAreShownWithTheirStatement)
{
    exec(QStringLiteral("delete from NOTAS where MATRICULA = 6 and DISC = '04'"));
    const grades::RepairResult result = grades::repairGradeRows(db(), 6, grades::RepairMode::AddMissing);
    EXPECT_TRUE(result.log.contains(QStringLiteral("Será necessário criar 1 entradas na tabela NOTAS.DB")));
    EXPECT_TRUE(result.log.contains(QStringLiteral("Erro ao adcionar: 01")));
    EXPECT_TRUE(result.log.contains(QStringLiteral("Adcionada: 04")));
    EXPECT_EQ(result.errors, QStringList{QStringLiteral(
                                 "insert into notas (matricula, disc, turma, nome, esp) values ( 6, '01', '2G1A', 'FÁBIO', 4 )")});
}

TEST_F(GradeRepairTest, RedoingDeletesEverythingAndBuildsTheNewGradesRows)
{
    setUnit(1, 1, "01", "NOTA1", 9.0);
    exec(QStringLiteral("update ALUNOS set TURMA = '2G1A' where MATRICULA = 1"));

    const grades::RepairResult result = grades::repairGradeRows(db(), 1, grades::RepairMode::Redo);

    QStringList expected{"-> Deletando registros de Notas.db"};
    for (int unit = 1; unit <= 4; ++unit)
        expected << QStringLiteral("-> Deletando registros de NotasUni%1.db").arg(unit);
    expected << subjectHeader("2G1", {"01 - PORTUGUÊS", "04 - FÍSICA"});
    expected << "Verificando Disciplinas para este Aluno"
             << "Será necessário criar 2 entradas na tabela NOTAS.DB"
             << "Adcionada: 01"
             << "Adcionada: 04";
    for (int unit = 1; unit <= 4; ++unit)
        expected << QStringLiteral("Verificando NotasUni%1.db para este Aluno").arg(unit)
                 << QStringLiteral("Será necessário criar 2 entradas na tabela NOTASUNI%1.DB").arg(unit)
                 << "Adcionada: 01"
                 << "Adcionada: 04";
    EXPECT_EQ(result.log, expected);
    EXPECT_EQ(result.added, 10);
    const QStringList rows = sameRowsEverywhere();
    EXPECT_TRUE(rows.contains(QStringLiteral("1/04/2G1A")));
    EXPECT_FALSE(rows.contains(QStringLiteral("1/01/1G1A")));
    EXPECT_TRUE(unitValue(1, 1, "01", "NOTA1").isNull()); // marks are typed again
}

TEST_F(GradeRepairTest, AGradeWithoutSubjectsStopsAndTheDeletedRowsComeBack)
{
    setUnit(1, 1, "01", "NOTA1", 9.0);
    exec(QStringLiteral("update ALUNOS set TURMA = '3G1A' where MATRICULA = 1"));

    const grades::RepairResult result = grades::repairGradeRows(db(), 1, grades::RepairMode::Redo);

    EXPECT_TRUE(result.stopped);
    EXPECT_TRUE(result.noSubjects);
    EXPECT_EQ(result.log.last(), QStringLiteral("Total de Disciplinas na Turma: 0"));
    EXPECT_EQ(result.errors, QStringList{QStringLiteral(
                                 "Não foi possível montar a tabela \"Disciplinas\".\nA turma informada para o aluno não "
                                 "existe na Tabela DISCTURM.DB.\nO Processo não pode continuar.")});
    EXPECT_EQ(sameRowsEverywhere().size(), 11);
    EXPECT_DOUBLE_EQ(unitValue(1, 1, "01", "NOTA1").toDouble(), 9.0);
}

TEST_F(GradeRepairTest, AnUnknownStudentIsAnError)
{
    EXPECT_THROW(grades::repairGradeRows(db(), 99, grades::RepairMode::AddMissing), data::StoreError);
}
