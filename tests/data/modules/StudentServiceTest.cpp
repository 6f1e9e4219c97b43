#include "ModuleFixture.h"

#include "data/modules/RuleStatement.h"
#include "data/modules/StudentService.h"
#include "data/store/Transaction.h"

using namespace data;

namespace {

class StudentServiceTest : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        Transaction fill(db());
        addStudent(100, QStringLiteral("ANA SILVA"), QStringLiteral("MAT01"), 3);
        addDependents(100, QStringLiteral("ANA SILVA"), QStringLiteral("MAT01"), 3);
        addStudent(101, QStringLiteral("BRUNO LIMA"), QStringLiteral("MAT01"), 31);
        addDependents(101, QStringLiteral("BRUNO LIMA"), QStringLiteral("MAT01"), 31);
        fill.commit();
    }
    StudentService students() const { return StudentService(db()); }
    int rowsOf(int matricula) const
    {
        int rows = count(QStringLiteral("select count(*) from ALUNOS where MATRICULA = %1").arg(matricula));
        for (const char *table : {"NOTAS", "NotasUni1", "NotasUni2", "NotasUni3", "NotasUni4", "Ccorrent"})
            rows += count(QStringLiteral("select count(*) from %1 where MATRICULA = %2").arg(QLatin1String(table)).arg(matricula));
        return rows;
    }
};

} // namespace

TEST_F(StudentServiceTest, TheNextRollNumberFollowsTheOtherStudentsOfTheClass)
{
    EXPECT_EQ(students().nextRollNumber(QStringLiteral("MAT01"), 200), 32);
    EXPECT_EQ(students().nextRollNumber(QStringLiteral("MAT01"), 101), 4) << "the student's own number does not count";
    EXPECT_EQ(students().nextRollNumber(QStringLiteral("MAT01"), QVariant()), 32) << "a student without a number yet";
    EXPECT_EQ(students().nextRollNumber(QStringLiteral("JD101"), 100), 1) << "an empty class starts at 1";
}

TEST_F(StudentServiceTest, CarriesReachOnlyThatStudentAndQuoteTheStatementWhenRefused)
{
    StudentFacts ana{100, QStringLiteral("ANA D'ÁVILA"), QStringLiteral("MAT02"), QStringLiteral("TR"), 7};
    for (const QString &table : studentGradeTables())
        students().carryIntoGrades(table, ana, true);
    students().carryIntoCharges(ana);
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct NOME || '/' || TURMA || '/' || SIT || '/' || ESP) from NotasUni4 where MATRICULA = 100")).toString(),
              QStringLiteral("ANA D'ÁVILA/MAT02/TR/7"));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct NOME || '/' || TURMA || '/' || STATUS) from Ccorrent where Matricula = 100")).toString(),
              QStringLiteral("ANA D'ÁVILA/MAT02/T")) << "the charge row's status is one character";
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct NOME || '/' || ESP) from NOTAS where MATRICULA = 101")).toString(),
              QStringLiteral("BRUNO LIMA/31"));

    db().dropTable(QStringLiteral("NotasUni2"));
    try {
        students().carryIntoGrades(QStringLiteral("notasuni2"), ana);
        FAIL() << "a missing table must be reported";
    } catch (const RuleStatementError &e) {
        EXPECT_EQ(e.statement(), QStringLiteral("update notasuni2 set nome = 'ANA D''ÁVILA', Turma = 'MAT02', SIT = 'TR' "
                                                "where matricula = 100"));
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_THROW(students().setRollNumber(QStringLiteral("alunos where 1=1; --"), 100, 1), StoreError)
        << "only the register and the grade tables take a roll number";
}

TEST_F(StudentServiceTest, DeletingAStudentTakesExactlyThatStudentOrNothing)
{
    students().deleteStudent(100);
    EXPECT_EQ(rowsOf(100), 0);
    EXPECT_EQ(rowsOf(101), 1 + 2 * 5 + 2);

    addStudent(102, QStringLiteral("CARLA"), QStringLiteral("MAT01"), 4);
    addDependents(102, QStringLiteral("CARLA"), QStringLiteral("MAT01"), 4);
    db().dropTable(QStringLiteral("Ccorrent"));
    EXPECT_THROW(students().deleteStudent(102), RuleStatementError);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where MATRICULA = 102")), 2)
        << "the grade rows removed before the failure come back";
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS where MATRICULA = 102")), 1);
    EXPECT_FALSE(db().inTransaction());

    EXPECT_THROW(students().deleteStudent(QVariant()), StoreError) << "no number, no deletion";
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS")), 2);
}

TEST_F(StudentServiceTest, ADeletionInsideARunIsUndoneWithTheRun)
{
    {
        Transaction run(db());
        students().deleteStudent(100);
        EXPECT_EQ(rowsOf(100), 0);
        EXPECT_TRUE(db().inTransaction()) << "the run's transaction stays open";
    }
    EXPECT_EQ(rowsOf(100), 1 + 2 * 5 + 2);
}
