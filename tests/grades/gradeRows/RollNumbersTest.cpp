#include "GradeRowsFixture.h"

#include "grades/GradeRows.h"
#include "grades/RollNumbers.h"
#include "support/RefusingTrigger.h"

class RollNumbersTest : public GradeRowsFixture
{
protected:
    void SetUp() override
    {
        GradeRowsFixture::SetUp();
        addStudent(9, QStringLiteral("ÁLVARO"), QStringLiteral("1G1B"), 0, QVariant());
        addStudent(10, QStringLiteral("BEATRIZ"), QStringLiteral("1G1B"), 0, QStringLiteral("B"));
        ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    }
    // Esp of a student in the register and on every grade row (one distinct value, or a list).
    QString espEverywhere(int matricula) const
    {
        QStringList values{scalar(QStringLiteral("select ESP from ALUNOS where MATRICULA = %1").arg(matricula)).toString()};
        for (int table = 0; table <= 4; ++table)
            values << scalar(QStringLiteral("select group_concat(distinct Esp) from %1 where MATRICULA = %2")
                                 .arg(table == 0 ? QStringLiteral("NOTAS") : QStringLiteral("NotasUni%1").arg(table))
                                 .arg(matricula))
                          .toString();
        values.removeDuplicates();
        return values.join(u',');
    }
};

TEST_F(RollNumbersTest, EveryClassIsNumberedByNameFromOneInAllSixTables)
{
    RecordingReporter reporter;
    ASSERT_EQ(grades::createRollNumbers(db(), reporter), core::RunOutcome::Completed);
    // 1G1A: ANA, CARLA (BRUNO dropped out, DANI transferred); 1G1B: ÁLVARO, BEATRIZ, ÉRICA
    // (accents sort as their letters); 2G1A: FÁBIO.
    EXPECT_EQ(espEverywhere(2), QStringLiteral("1"));
    EXPECT_EQ(espEverywhere(1), QStringLiteral("2"));
    EXPECT_EQ(espEverywhere(9), QStringLiteral("1"));
    EXPECT_EQ(espEverywhere(10), QStringLiteral("2"));
    EXPECT_EQ(espEverywhere(5), QStringLiteral("3"));
    EXPECT_EQ(espEverywhere(6), QStringLiteral("1"));
    // Leavers keep what they had.
    EXPECT_EQ(scalar(QStringLiteral("select ESP from ALUNOS where MATRICULA = 3")).toInt(), 9);
    EXPECT_EQ(scalar(QStringLiteral("select ESP from ALUNOS where MATRICULA = 4")).toInt(), 10);
    EXPECT_EQ(reporter.stepTexts().first(), QStringLiteral("Lendo turma: 1G1A"));
    EXPECT_TRUE(reporter.notes().isEmpty());
}

TEST_F(RollNumbersTest, AStudentThatCannotBeSavedIsShownAndSkipped)
{
    // A rule of the register that refuses one student's number.
    refuseWrites(db(), QStringLiteral("refuse_esp"), QStringLiteral("update of ESP"), QStringLiteral("ALUNOS"),
                 QStringLiteral("new.MATRICULA = 1"), QStringLiteral("recusado"));
    EXPECT_EQ(grades::createRollNumbers(db(), m_reporter), core::RunOutcome::Completed);
    ASSERT_EQ(m_reporter.notes().size(), 1);
    EXPECT_EQ(m_reporter.notes().first().text, QStringLiteral("Erro ao tentar gravar nº de ordem para o aluno 1 - CARLA"));
    EXPECT_EQ(m_reporter.notes().first().caption, QStringLiteral("Erro ao gravar"));
    EXPECT_EQ(espEverywhere(1), QStringLiteral("7"));
    EXPECT_EQ(espEverywhere(2), QStringLiteral("1"));
}

TEST_F(RollNumbersTest, AKilledRunLeavesEveryNumberAsBefore)
{
    KillingReporter killed(3);
    EXPECT_THROW(grades::createRollNumbers(db(), killed), std::runtime_error);
    EXPECT_EQ(espEverywhere(2), QStringLiteral("8"));
    EXPECT_EQ(espEverywhere(1), QStringLiteral("7"));
}
