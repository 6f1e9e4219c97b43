#include "GradeFixture.h"

#include "grades/UnitRecalc.h"
#include "support/RecordingReporter.h"

class UnitRecalcTest : public GradeFixture
{
protected:
    void SetUp() override
    {
        GradeFixture::SetUp();
        addDependents(1, QStringLiteral("ANA"), QStringLiteral("1G1A"), 1);
        addDependents(2, QStringLiteral("BIA"), QStringLiteral("1G1A"), 2);
    }
    RecordingReporter m_reporter;
};

TEST_F(UnitRecalcTest, ImportedMarksGetTheirAveragesAndTheYearFollows)
{
    // As an import leaves them: marks without averages.
    setUnit(1, 1, QStringLiteral("01"), QStringLiteral("NOTA1"), 8.0);
    setUnit(1, 1, QStringLiteral("01"), QStringLiteral("NOTA2"), 9.0);
    setUnit(1, 1, QStringLiteral("01"), QStringLiteral("FALTAS"), 1);
    setUnit(1, 2, QStringLiteral("01"), QStringLiteral("NOTA1"), 4.0);
    setUnit(1, 2, QStringLiteral("01"), QStringLiteral("RECUP"), 6.0);
    // A stale average of a row whose marks were removed.
    setUnit(1, 2, QStringLiteral("02"), QStringLiteral("MEDIA"), 9.0);
    setYear(2, QStringLiteral("02"), QStringLiteral("UND1"), 9.0);
    // A blank row is removed.
    exec(QStringLiteral("insert into NotasUni1 (DISC, TURMA, UNIDADE) values ('01', '1G1A', '1')"));

    ASSERT_EQ(grades::recalculateUnit(db(), 1, m_reporter), core::RunOutcome::Completed);

    EXPECT_DOUBLE_EQ(unitValue(1, 1, QStringLiteral("01"), QStringLiteral("MEDIA")).toDouble(), 8.5);
    EXPECT_EQ(unitValue(1, 1, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("Na Média*"));
    EXPECT_DOUBLE_EQ(unitValue(1, 2, QStringLiteral("01"), QStringLiteral("MD_FINAL")).toDouble(), 5.0);
    EXPECT_TRUE(unitValue(1, 2, QStringLiteral("02"), QStringLiteral("MEDIA")).isNull());
    EXPECT_EQ(count(QStringLiteral("select count(*) from NotasUni1 where MATRICULA is null")), 0);

    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("01"), QStringLiteral("UND1")).toDouble(), 8.5);
    EXPECT_EQ(year(1, QStringLiteral("01"), QStringLiteral("FLT1")).toInt(), 1);
    EXPECT_TRUE(year(2, QStringLiteral("02"), QStringLiteral("UND1")).isNull());
    // Then the year recalculation ran.
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("01"), QStringLiteral("MD_ANUAL")).toDouble(), 8.5);
    EXPECT_EQ(year(1, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("APROVADO"));
    EXPECT_EQ(year(2, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("REPROVADO"));

    EXPECT_EQ(m_reporter.stepTexts().first(), QStringLiteral("Lendo: 1 de 4"));
    EXPECT_EQ(m_reporter.stepTexts().last(), QStringLiteral("Lendo: 4 de 4"));
}

TEST_F(UnitRecalcTest, FailingYearStatementsAreShownAndTheUnitsStillSaved)
{
    setUnit(2, 1, QStringLiteral("01"), QStringLiteral("NOTA1"), 8.0);
    exec(QStringLiteral("drop table NOTAS")); // the year cannot be recalculated
    grades::recalculateUnit(db(), 2, m_reporter);
    EXPECT_FALSE(m_reporter.noteTexts().isEmpty());
    // The unit rows were saved; only the year statements failed and were shown.
    EXPECT_DOUBLE_EQ(unitValue(2, 1, QStringLiteral("01"), QStringLiteral("MEDIA")).toDouble(), 8.0);
    EXPECT_TRUE(m_reporter.noteTexts().contains(QStringLiteral("Erro ao deletar registros em branco da tabela Notas.db")));
    EXPECT_TRUE(m_reporter.noteTexts().contains(
        QStringLiteral("(Linha: 310)Erro em: update NOTAS set MD_ANUAL = null, MD_FINAL = null, MD_RECUP = null, RESULTADO = null")));
}
