#include "GradeRowsFixture.h"

#include "grades/GradeRows.h"
#include "grades/GradeRowsDemo.h"

#include <QRegularExpression>

class GradeRowsTest : public GradeRowsFixture
{
};

TEST_F(GradeRowsTest, ActiveStudentsOfExistingClassesGetTheirGradesSubjectsInAllFiveTables)
{
    EXPECT_EQ(grades::gradeRowsToCreate(db()), 11);
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);

    // Empty situation (1), no situation at all (2), B (5) and I (6) are in; D (3), T (4) and the
    // student of a class that does not exist (7) are not.
    EXPECT_EQ(sameRowsEverywhere(),
              QStringList({"1/01/1G1A", "1/02/1G1A", "1/03/1G1A", "2/01/1G1A", "2/02/1G1A", "2/03/1G1A", "5/01/1G1B",
                           "5/02/1G1B", "5/03/1G1B", "6/01/2G1A", "6/04/2G1A"}));
    EXPECT_EQ(year(1, "02", "Nome").toString(), QStringLiteral("CARLA"));
    EXPECT_EQ(year(1, "02", "Esp").toInt(), 7);
    for (int unit = 1; unit <= 4; ++unit) {
        EXPECT_EQ(unitValue(unit, 6, "04", "UNIDADE").toString(), QString::number(unit));
        EXPECT_EQ(unitValue(unit, 6, "04", "NOME").toString(), QStringLiteral("FÁBIO"));
        EXPECT_EQ(unitValue(unit, 6, "04", "Esp").toInt(), 4);
    }
    EXPECT_EQ(m_reporter.stepTexts().last(), QStringLiteral("Lendo: 11 de 11"));
    EXPECT_TRUE(m_reporter.notes().isEmpty());
}

TEST_F(GradeRowsTest, RunningTwiceAddsNothingAndKeepsEveryMark)
{
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    setUnit(2, 1, "01", "NOTA1", 8.5);
    setYear(1, "01", "UND1", 7.0);
    exec(QStringLiteral("update NOTAS set Nome = 'NOME ANTIGO' where MATRICULA = 2"));

    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    EXPECT_EQ(sameRowsEverywhere().size(), 11);
    EXPECT_DOUBLE_EQ(unitValue(2, 1, "01", "NOTA1").toDouble(), 8.5);
    EXPECT_DOUBLE_EQ(year(1, "01", "UND1").toDouble(), 7.0);
    EXPECT_EQ(year(2, "01", "Nome").toString(), QStringLiteral("NOME ANTIGO")); // an existing row is not rewritten

    // A subject added to the grade is all a second run adds.
    addSubject(QStringLiteral("2G1"), QStringLiteral("05"), QStringLiteral("QUÍMICA"));
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    EXPECT_TRUE(sameRowsEverywhere().contains(QStringLiteral("6/05/2G1A")));
    EXPECT_EQ(sameRowsEverywhere().size(), 12);
}

TEST_F(GradeRowsTest, ReplacingEmptiesTheTablesFirst)
{
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    setUnit(1, 1, "01", "NOTA1", 8.5);
    exec(QStringLiteral("update ALUNOS set SIT = 'T' where MATRICULA = 5"));

    ASSERT_EQ(grades::generateGradeRows(db(), true, m_reporter), core::RunOutcome::Completed);
    EXPECT_EQ(sameRowsEverywhere().size(), 8); // the transferred student's rows are gone
    EXPECT_TRUE(unitValue(1, 1, "01", "NOTA1").isNull());
}

TEST_F(GradeRowsTest, WithoutSubjectsTheRunStopsWithItsMessagesAndTheTablesStayAsTheyWere)
{
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    setUnit(1, 1, "01", "NOTA1", 8.5);
    exec(QStringLiteral("delete from Discturm"));

    RecordingReporter reporter;
    EXPECT_EQ(grades::generateGradeRows(db(), true, reporter), core::RunOutcome::Failed);
    ASSERT_EQ(reporter.notes().size(), 2);
    EXPECT_EQ(reporter.notes().at(0).text, QString::fromUtf8(grades::kNoGradeSubjectsMessage));
    EXPECT_EQ(reporter.notes().at(0).caption, QStringLiteral("Erro"));
    EXPECT_EQ(reporter.notes().at(1).text, QStringLiteral("Erro na operação. Não pode continuar"));
    // The replacing run emptied nothing: its failure undid it.
    EXPECT_EQ(sameRowsEverywhere().size(), 11);
    EXPECT_DOUBLE_EQ(unitValue(1, 1, "01", "NOTA1").toDouble(), 8.5);
}

TEST_F(GradeRowsTest, AStudentMovedToAnotherGradeKeepsTheOldRowsAndGetsTheNewOnes)
{
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    exec(QStringLiteral("update ALUNOS set TURMA = '2G1A' where MATRICULA = 1"));
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    const QStringList rows = sameRowsEverywhere();
    for (const char *row : {"1/01/1G1A", "1/02/1G1A", "1/03/1G1A", "1/01/2G1A", "1/04/2G1A"})
        EXPECT_TRUE(rows.contains(QString::fromLatin1(row))) << row;
}

TEST_F(GradeRowsTest, AMovedStudentsRowsCarryingTheNewClassKeepTheirMarks)
{
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    setUnit(1, 2, "01", "NOTA1", 6.5);
    // Saving the student in the register carries the new class into the grade rows.
    exec(QStringLiteral("update ALUNOS set TURMA = '2G1A' where MATRICULA = 2"));
    exec(QStringLiteral("update NOTAS set Turma = '2G1A' where MATRICULA = 2"));
    for (int unit = 1; unit <= 4; ++unit)
        exec(QStringLiteral("update NotasUni%1 set TURMA = '2G1A' where MATRICULA = 2").arg(unit));

    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    QStringList rows = sameRowsEverywhere().filter(QRegularExpression(QStringLiteral("^2/")));
    EXPECT_EQ(rows, QStringList({"2/01/2G1A", "2/02/2G1A", "2/03/2G1A", "2/04/2G1A"}));
    EXPECT_DOUBLE_EQ(unitValue(1, 2, "01", "NOTA1").toDouble(), 6.5);
}

TEST_F(GradeRowsTest, AKilledRunLeavesTheTablesAsBefore)
{
    ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    setUnit(1, 1, "01", "NOTA1", 8.5);
    addSubject(QStringLiteral("1G1"), QStringLiteral("05"), QStringLiteral("QUÍMICA"));

    KillingReporter killed(2); // after the first class
    EXPECT_THROW(grades::generateGradeRows(db(), true, killed), std::runtime_error);
    EXPECT_EQ(sameRowsEverywhere().size(), 11);
    EXPECT_DOUBLE_EQ(unitValue(1, 1, "01", "NOTA1").toDouble(), 8.5);
}

TEST_F(GradeRowsTest, TheDemoSchoolHasTwoStudentsRetakingASubjectOfTheGradeBelow)
{
    addStudent(8, QStringLiteral("HELENA"), QStringLiteral("2G1A"), 5, QVariant());
    ASSERT_EQ(grades::generateDemoGradeRows(db(), m_reporter), core::RunOutcome::Completed);
    const QStringList rows = sameRowsEverywhere();
    EXPECT_TRUE(rows.contains(QStringLiteral("6/01/1G1B")));
    EXPECT_TRUE(rows.contains(QStringLiteral("8/01/1G1B")));
    EXPECT_EQ(rows.size(), 11 + 2 + 2);
}
