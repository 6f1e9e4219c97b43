#include "GradeFixture.h"

#include "grades/DemoMarks.h"
#include "support/RecordingReporter.h"

// A small school: 30 students of two classes; "30" is consolidated from "31" and "32".
class DemoMarksTest : public GradeFixture
{
protected:
    void SetUp() override
    {
        GradeFixture::SetUp();
        for (const QString &code : {QStringLiteral("10"), QStringLiteral("30"), QStringLiteral("31"), QStringLiteral("32")})
            exec(QStringLiteral("insert into Discturm (SERIE, CODIGO, Consolidada, PESO) values ('1G1', :c, :k, 1)"),
                 {{QStringLiteral("c"), code}, {QStringLiteral("k"), code == QStringLiteral("30")}});
        for (int m = 1; m <= 30; ++m)
            addDependents(m, QStringLiteral("ALUNO %1").arg(m), m <= 15 ? QStringLiteral("1G1A") : QStringLiteral("1G1B"),
                          (m - 1) % 15 + 1,
                          {QStringLiteral("10"), QStringLiteral("30"), QStringLiteral("31"), QStringLiteral("32")});
    }
    QStringList marks() const
    {
        QStringList all;
        for (int unit = 1; unit <= 4; ++unit)
            all << scalar(QStringLiteral("select group_concat(m, ',') from (select coalesce(cast(NOTA1 as text), '-') || ' ' || "
                                         "coalesce(cast(RECUP as text), '-') as m from NotasUni%1 order by MATRICULA, DISC) as u")
                              .arg(unit))
                       .toString();
        return all;
    }
    RecordingReporter m_reporter;
};

TEST_F(DemoMarksTest, ThreeUnitsTypedThenEveryAverageAndTheRankingCalculated)
{
    ASSERT_EQ(grades::fillDemoMarks(db(), m_reporter, 7), core::RunOutcome::Completed);
    for (int unit = 1; unit <= 3; ++unit) {
        EXPECT_EQ(count(QStringLiteral("select count(*) from NotasUni%1 where NOTA1 is not null").arg(unit)), 90);
        EXPECT_EQ(count(QStringLiteral("select count(*) from NotasUni%1 where MEDIA is not null").arg(unit)), 90);
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from NotasUni4 where NOTA1 is not null")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NotasUni1 where DISC = '30' and NOTA1 is not null")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where DISC = '30' and UND3 is not null")), 30);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where MD_ANUAL is not null")), 120);
    // Most pass, and the recovery rows are there to see.
    EXPECT_GT(count(QStringLiteral("select count(*) from NotasUni1 where RESULTADO = 'Na Média*'")), 45);
    EXPECT_GT(count(QStringLiteral("select count(*) from NotasUni1 where RECUP is not null")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from posicao")), 30);
    EXPECT_TRUE(m_reporter.noteTexts().isEmpty());
}

TEST_F(DemoMarksTest, TheSameSeedTypesTheSameMarks)
{
    grades::fillDemoMarks(db(), m_reporter, 7);
    const QStringList first = marks();
    grades::fillDemoMarks(db(), m_reporter, 7);
    EXPECT_EQ(marks(), first);
    grades::fillDemoMarks(db(), m_reporter, 8);
    EXPECT_NE(marks(), first);
}
