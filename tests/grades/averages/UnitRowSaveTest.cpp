#include "GradeFixture.h"

#include "data/store/Table.h"

// Typing marks in a unit grid and saving: the row keeps its averages and the year row follows.
class UnitRowSaveTest : public GradeFixture
{
protected:
    void SetUp() override
    {
        GradeFixture::SetUp();
        addStudent(1, QStringLiteral("ANA"), QStringLiteral("1G1A"), 1);
        addDependents(1, QStringLiteral("ANA"), QStringLiteral("1G1A"), 1);
    }
    data::Table &openUnit(int unit)
    {
        data::Table &t = m_academic->tblNotasUni(unit);
        t.open();
        EXPECT_TRUE(t.locate(QStringLiteral("MATRICULA;DISC"), {1, QStringLiteral("01")}));
        return t;
    }
};

TEST_F(UnitRowSaveTest, SavingStoresTheAveragesAndCarriesThemToTheYearRow)
{
    data::Table &t = openUnit(2);
    t.edit();
    t.setValue("NOTA1", 5.0);
    t.setValue("NOTA2", 5.0);
    t.setValue("RECUP", 8.0);
    t.setValue("FALTAS", 3);
    // Live, before saving.
    EXPECT_DOUBLE_EQ(t.asFloat("cMedia"), 5.0);
    EXPECT_DOUBLE_EQ(t.asFloat("cMediaFinal"), 6.5);
    ASSERT_TRUE(t.post());

    EXPECT_DOUBLE_EQ(unitValue(2, 1, QStringLiteral("01"), QStringLiteral("MEDIA")).toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(unitValue(2, 1, QStringLiteral("01"), QStringLiteral("MD_FINAL")).toDouble(), 6.5);
    EXPECT_EQ(unitValue(2, 1, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("Recuperação*"));
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("01"), QStringLiteral("UND2")).toDouble(), 6.5);
    EXPECT_EQ(year(1, QStringLiteral("01"), QStringLiteral("FLT2")).toInt(), 3);
    EXPECT_EQ(year(1, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("Recuperação"));
    // Other units and subjects are untouched.
    EXPECT_TRUE(year(1, QStringLiteral("01"), QStringLiteral("UND1")).isNull());
    EXPECT_TRUE(year(1, QStringLiteral("02"), QStringLiteral("UND2")).isNull());

    t.edit();
    t.setValue("RECUP", 10.0); // (5 + 10) / 2 = 7.5
    ASSERT_TRUE(t.post());
    EXPECT_EQ(unitValue(2, 1, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("Na Média*"));
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("01"), QStringLiteral("UND2")).toDouble(), 7.5);
    EXPECT_EQ(year(1, QStringLiteral("01"), QStringLiteral("RESULTADO")).toString(), QStringLiteral("Aprovado"));
}

TEST_F(UnitRowSaveTest, ClearingTheMarksClearsTheStoredAveragesAndTheYearColumns)
{
    data::Table &t = openUnit(1);
    t.edit();
    t.setValue("NOTA1", 9.0);
    t.setValue("FALTAS", 2);
    ASSERT_TRUE(t.post());
    EXPECT_DOUBLE_EQ(year(1, QStringLiteral("01"), QStringLiteral("UND1")).toDouble(), 9.0);

    t.edit();
    t.clear("NOTA1");
    EXPECT_TRUE(t.isBlank("cMedia"));
    ASSERT_TRUE(t.post());
    EXPECT_TRUE(unitValue(1, 1, QStringLiteral("01"), QStringLiteral("MEDIA")).isNull());
    EXPECT_TRUE(unitValue(1, 1, QStringLiteral("01"), QStringLiteral("RESULTADO")).isNull());
    EXPECT_TRUE(year(1, QStringLiteral("01"), QStringLiteral("UND1")).isNull());
    EXPECT_TRUE(year(1, QStringLiteral("01"), QStringLiteral("FLT1")).isNull());
    EXPECT_TRUE(year(1, QStringLiteral("01"), QStringLiteral("RESULTADO")).isNull());
}

TEST_F(UnitRowSaveTest, TheOpenYearGridShowsTheCarriedAverageAndItsSchoolRounding)
{
    data::settings().Arredondamento = 1;
    data::Table &notas = m_academic->tblNotas();
    notas.open();
    data::Table &t = openUnit(3);
    t.edit();
    t.setValue("NOTA1", 6.0);
    t.setValue("NOTA2", 6.5); // 6.25 -> 6.2 -> 6.5 in mode 1
    ASSERT_TRUE(t.post());
    ASSERT_TRUE(notas.locate(QStringLiteral("MATRICULA;DISC"), {1, QStringLiteral("01")}));
    EXPECT_DOUBLE_EQ(notas.asFloat("UND3"), 6.5);

    setYear(1, QStringLiteral("01"), QStringLiteral("MD_ANUAL"), 6.6);
    notas.refresh();
    ASSERT_TRUE(notas.locate(QStringLiteral("MATRICULA;DISC"), {1, QStringLiteral("01")}));
    EXPECT_DOUBLE_EQ(notas.asFloat("cMedia"), 7.0);
    EXPECT_TRUE(notas.isBlank("cMediaFinal"));
    EXPECT_EQ(notas.asText("cDisciplina"), m_academic->tblNotas().asText("cDisciplina")); // still filled
}
