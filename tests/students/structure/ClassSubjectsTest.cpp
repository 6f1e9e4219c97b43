#include "SchoolStructure.h"

#include "students/structure/ClassSubjects.h"
#include "students/structure/StructureLists.h"

using namespace students;

namespace {

class SavingGradeSubjects : public SchoolStructure
{
protected:
    void SetUp() override
    {
        SchoolStructure::SetUp();
        classes().open();
        gradeSubjects().open();
    }
    QStringList lines(std::initializer_list<const char *> codes)
    {
        const QStringList catalogue = subjectLines(db());
        QStringList picked;
        for (const char *code : codes)
            picked += lineOfCode(catalogue, QString::fromLatin1(code));
        return picked;
    }
};

} // namespace

TEST_F(SavingGradeSubjects, ASubjectAddedForOneClassShowsForEveryClassOfTheGrade)
{
    chooseClass(QStringLiteral("1G1A"));
    const GradeSubjectsSaved saved = appendGradeSubjects(gradeSubjects(), lines({"02", "03"}));
    EXPECT_FALSE(saved.stopped());
    EXPECT_EQ(saved.appended, 2);
    EXPECT_EQ(codesShown(gradeSubjects(), "CODIGO"), (QStringList{"01", "02", "03"}));

    chooseClass(QStringLiteral("1G1B"));
    EXPECT_EQ(codesShown(gradeSubjects(), "CODIGO"), (QStringList{"01", "02", "03"}));
    chooseClass(QStringLiteral("1G2A"));
    EXPECT_EQ(codesShown(gradeSubjects(), "CODIGO"), QStringList{"01"});

    EXPECT_EQ(count(QStringLiteral("select count(*) from Discturm where SERIE = '1G1' and CODIGO = '02' "
                                   "and Consolidada = 0 and Imp_AtaFinal = 1 and PESO = 1")),
              1);
}

TEST_F(SavingGradeSubjects, StopsAtASubjectAlreadyInTheGradeKeepingTheOnesBefore)
{
    chooseClass(QStringLiteral("1G1B"));
    const GradeSubjectsSaved saved = appendGradeSubjects(gradeSubjects(), lines({"02", "01", "03"}));
    ASSERT_TRUE(saved.stopped());
    EXPECT_EQ(saved.appended, 1);
    EXPECT_EQ(saved.failedLine, QStringLiteral("01 PORTUGUÊS"));
    EXPECT_EQ(saved.message,
              QStringLiteral("Disciplina 01 PORTUGUÊS não pode ser gravada.\rVerifique se ele já está cadastrada."));
    EXPECT_EQ(gradeSubjects().state(), data::DatasetState::Browse);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Discturm where SERIE = '1G1'")), 2) << "02 stays, 03 never came";
}

TEST_F(SavingGradeSubjects, WithoutTheTablesRightNothingIsWritten)
{
    logOnAs(user(QStringLiteral("SECRETARIA"), {QStringLiteral("Alunos")}));
    classes().open();
    gradeSubjects().open();
    chooseClass(QStringLiteral("1G1A"));
    const GradeSubjectsSaved saved = appendGradeSubjects(gradeSubjects(), lines({"02"}));
    EXPECT_EQ(saved.failedLine, QStringLiteral("02 MATEMÁTICA"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Discturm")), 2);
}

TEST_F(SavingGradeSubjects, WithoutAClassNoRowIsWritten)
{
    exec(QStringLiteral("delete from Tabturma"));
    classes().refresh();
    gradeSubjects().setFiltered(false);
    const GradeSubjectsSaved saved = appendGradeSubjects(gradeSubjects(), lines({"02"}));
    EXPECT_TRUE(saved.stopped());
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Não foi possível incluir este item em [tblDiscTurma]!"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Discturm")), 2) << "a row without a grade belongs to no class";
}
