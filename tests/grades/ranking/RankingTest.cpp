#include "grades/Classification.h"
#include "grades/Ranking.h"

#include "data/modules/ModuleFixture.h"
#include "data/settings/Settings.h"
#include "support/RecordingReporter.h"

using grades::ClassificationScope;

TEST(RankingRules, AbsenceAndExemptionCodesDoNotCount)
{
    for (double v : {0.0, 9.0, 10.0, 90.5, 95.0})
        EXPECT_TRUE(grades::countsForRanking(v)) << v;
    for (double v : {10.1, 15.0, 89.9, 90.0})
        EXPECT_FALSE(grades::countsForRanking(v)) << v;
    EXPECT_DOUBLE_EQ(grades::rankingPoints(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(grades::rankingPoints(20.0, 3), -6.7);
}

class RankingTest : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        data::settings().Arredondamento = 0;
    }
    // One subject row per average given (UND1 and MD_FINAL alike).
    void grades(int matricula, const QString &turma, std::initializer_list<QVariant> unit1, const QString &nome = {})
    {
        int disc = 1;
        for (const QVariant &v : unit1)
            exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome, UND1, MD_FINAL) values (:m, :d, :t, :n, :v, :v)"),
                 {{QStringLiteral("m"), matricula}, {QStringLiteral("d"), QStringLiteral("%1").arg(disc++, 2, 10, QLatin1Char('0'))},
                  {QStringLiteral("t"), turma}, {QStringLiteral("n"), nome.isEmpty() ? QStringLiteral("ALUNO %1").arg(matricula) : nome},
                  {QStringLiteral("v"), v}});
    }
    QVariant posicao(int matricula, const QString &column) const
    {
        return scalar(QStringLiteral("select %1 from posicao where MATRICULA = :m").arg(column), {{QStringLiteral("m"), matricula}});
    }
    RecordingReporter m_reporter;
};

TEST_F(RankingTest, DensePlacesThatRestartInEveryClass)
{
    grades(1, QStringLiteral("1G1A"), {8.0, 6.0});  // 7.0
    grades(2, QStringLiteral("1G1A"), {7.0});       // 7.0
    grades(3, QStringLiteral("1G1A"), {5.0, 9.0, 7.3}); // 7.1 -> first
    grades(4, QStringLiteral("1G1A"), {6.0});
    grades(5, QStringLiteral("1G1B"), {3.0});
    exec(QStringLiteral("insert into posicao (MATRICULA, NOME) values (99, 'OLD')"));

    ASSERT_EQ(grades::rankStudents(db(), m_reporter), core::RunOutcome::Completed);
    EXPECT_EQ(count(QStringLiteral("select count(*) from posicao")), 5);
    EXPECT_DOUBLE_EQ(posicao(3, QStringLiteral("PONTOS1")).toDouble(), -7.1);
    EXPECT_EQ(posicao(3, QStringLiteral("Pos1")).toInt(), 1);
    EXPECT_EQ(posicao(1, QStringLiteral("Pos1")).toInt(), 2);
    EXPECT_EQ(posicao(2, QStringLiteral("Pos1")).toInt(), 2);
    EXPECT_EQ(posicao(4, QStringLiteral("Pos1")).toInt(), 3);
    EXPECT_EQ(posicao(5, QStringLiteral("Pos1")).toInt(), 1);
    EXPECT_EQ(posicao(5, QStringLiteral("GRUPO")).toString(), QStringLiteral("1G1"));
    EXPECT_EQ(posicao(3, QStringLiteral("Postotal")).toInt(), 1);
    EXPECT_EQ(m_reporter.stepTexts().last(), QStringLiteral("Lendo: 8 de 8"));
}

TEST_F(RankingTest, CodedAveragesAreLeftOutAndNoAverageComesLast)
{
    grades(1, QStringLiteral("1G1A"), {15.0, 15.0}); // absent in every subject
    grades(2, QStringLiteral("1G1A"), {90.0, 9.0});  // exempt in one: 9.0
    grades(3, QStringLiteral("1G1A"), {2.0});
    exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, SIT) values (3, 'ALUNO 3', '1G1A', 'D')"));
    grades::rankStudents(db(), m_reporter);
    EXPECT_DOUBLE_EQ(posicao(1, QStringLiteral("PONTOS1")).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(posicao(2, QStringLiteral("PONTOS1")).toDouble(), -9.0);
    EXPECT_EQ(posicao(2, QStringLiteral("Pos1")).toInt(), 1);
    EXPECT_EQ(posicao(3, QStringLiteral("Pos1")).toInt(), 2); // dropped out, still ranked
    EXPECT_EQ(posicao(1, QStringLiteral("Pos1")).toInt(), 3);
    // No unit 2 anywhere: everyone shares the place.
    EXPECT_EQ(posicao(1, QStringLiteral("Pos2")).toInt(), 1);
    EXPECT_EQ(posicao(3, QStringLiteral("Pos2")).toInt(), 1);
}

TEST_F(RankingTest, YearPointsUseTheSchoolRoundingOfTheFinalAverage)
{
    data::settings().Arredondamento = 1;
    grades(1, QStringLiteral("1G1A"), {6.1});
    grades(2, QStringLiteral("1G1A"), {6.4});
    grades::rankStudents(db(), m_reporter);
    EXPECT_DOUBLE_EQ(posicao(1, QStringLiteral("PONTOST")).toDouble(), -6.5);
    EXPECT_EQ(posicao(1, QStringLiteral("Postotal")).toInt(), 1);
    EXPECT_EQ(posicao(2, QStringLiteral("Postotal")).toInt(), 1);
    EXPECT_EQ(posicao(1, QStringLiteral("Pos1")).toInt(), 2);
}

TEST_F(RankingTest, GroupClassificationKeepsEveryoneUpToTheLimitWithTies)
{
    grades(1, QStringLiteral("1G1A"), {9.0});
    grades(2, QStringLiteral("1G2A"), {8.0});
    grades(3, QStringLiteral("1G3A"), {7.0});
    grades(4, QStringLiteral("1G4B"), {7.0});
    grades(5, QStringLiteral("1G4B"), {6.0});
    grades(6, QStringLiteral("1G5A"), {10.0}); // not in the lower primary
    grades::rankStudents(db(), m_reporter);

    const auto placed = grades::classify(db(), {ClassificationScope::LowerPrimary, {}, 1, 3});
    ASSERT_EQ(placed.size(), 4);
    EXPECT_EQ(placed.at(0).matricula, 1);
    EXPECT_EQ(placed.at(2).posicao, 3);
    EXPECT_EQ(placed.at(3).posicao, 3);
    EXPECT_EQ(posicao(5, QStringLiteral("Posicao")).toInt(), 4);

    const auto oneGrade = grades::classify(db(), {ClassificationScope::Grade, QStringLiteral("1G4 - 1º Grau 4ª Série"), 0, 5});
    ASSERT_EQ(oneGrade.size(), 2);
    EXPECT_EQ(oneGrade.at(1).matricula, 5);
    EXPECT_EQ(oneGrade.at(1).posicao, 2);

    // By class there is no limit.
    EXPECT_EQ(grades::classify(db(), {ClassificationScope::Class, QStringLiteral("1G4B"), 1, 1}).size(), 2);
    EXPECT_EQ(grades::classificationTitle(2), QStringLiteral("CLASSIFICAÇÃO GERAL - 2ª Unidade"));
    EXPECT_EQ(grades::classificationTitle(0), QStringLiteral("CLASSIFICAÇÃO GERAL - Geral"));
    EXPECT_EQ(grades::scopeGroups(ClassificationScope::Secondary, {}),
              (QStringList{QStringLiteral("2G1"), QStringLiteral("2G2"), QStringLiteral("2G3")}));
}

TEST_F(RankingTest, HomonymsOfOnePlaceComeInTheOrderOfTheirNumbers)
{
    // Ranked in another order than their numbers' (rows of an older run, say).
    exec(QStringLiteral("insert into posicao (MATRICULA, NOME, TURMA, GRUPO, PONTOS1) values "
                        "(9, 'ANA', '1G1A', '1G1', -7), (3, 'BIA', '1G1A', '1G1', -8), (8, 'ANA', '1G1A', '1G1', -7)"));
    for (const auto &scope : {ClassificationScope::Class, ClassificationScope::LowerPrimary}) {
        const auto placed = grades::classify(db(), {scope, QStringLiteral("1G1A"), 1, 5});
        ASSERT_EQ(placed.size(), 3);
        EXPECT_EQ(placed.at(1).matricula, 8);
        EXPECT_EQ(placed.at(2).matricula, 9);
        EXPECT_EQ(placed.at(2).posicao, 2);
    }
}
