#include "GradeRowsFixture.h"

#include "data/store/Table.h"
#include "grades/GradeBoard.h"
#include "grades/GradeRows.h"

class GradeBoardTest : public GradeRowsFixture
{
protected:
    void SetUp() override
    {
        GradeRowsFixture::SetUp();
        exec(QStringLiteral("update Discturm set Consolidada = 1 where SERIE = '1G1' and CODIGO = '01'"));
        ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
        // Left after the generation.
        exec(QStringLiteral("update NOTAS set SIT = 'D' where MATRICULA = 5"));
        exec(QStringLiteral("update NotasUni1 set SIT = 'D' where MATRICULA = 5"));
    }
    QStringList board(const grades::BoardChoice &choice, bool byRollNumber = false)
    {
        return grades::boardLines(grades::openBoard(*m_academic, choice, byRollNumber), choice.unit, data::settings());
    }
};

TEST_F(GradeBoardTest, ClassesWithGradeRowsAndTheirGradesSubjects)
{
    EXPECT_EQ(grades::classLines(db()),
              QStringList({"1G1A TURMA 1G1A", "1G1B TURMA 1G1B", "2G1A TURMA 2G1A"}));
    const QStringList subjects = grades::subjectLines(db(), QStringLiteral("1G1B"));
    EXPECT_EQ(subjects, QStringList({"01 PORTUGUÊS ** Consolidada **", "02 MATEMÁTICA", "03 HISTÓRIA"}));
    EXPECT_TRUE(grades::isConsolidatedLine(subjects.first()));
    EXPECT_FALSE(grades::isConsolidatedLine(subjects.last()));
    EXPECT_EQ(grades::codeOfLine(subjects.first()), QStringLiteral("01"));
    EXPECT_EQ(grades::codeOfLine(grades::classLines(db()).first()), QStringLiteral("1G1A"));
}

TEST_F(GradeBoardTest, TheUnitViewShowsLiveAveragesAndRedRowsBelowTheUnitAverage)
{
    setUnit(1, 1, "02", "NOTA1", 7.0);
    setUnit(1, 1, "02", "NOTA2", 8.0);
    setUnit(1, 2, "02", "NOTA1", 5.0);
    setUnit(1, 2, "02", "RECUP", 6.0);
    setUnit(1, 2, "02", "FALTAS", 3);

    const QStringList lines = board({QStringLiteral("1G1A"), QStringLiteral("02"), 1, false});
    EXPECT_EQ(lines, QStringList({"Nº;MATRICULA;NOME;Und;NOTA1;NOTA2;NOTA3;NOTA4;NOTA5;FALTAS;Ptos(1);Media;Recup;Ptos(2);Md.Final;RESULTADO",
                                  "8;2;ANA;1;5,0;;;;;3;;5,0;6,0;;5,5;;vermelho",
                                  "7;1;CARLA;1;7,0;8,0;;;;;;7,5;;;7,5;"}));
    // By roll number, and only the students in recovery.
    EXPECT_EQ(board({QStringLiteral("1G1A"), QStringLiteral("02"), 1, false}, true).at(1).left(6), QStringLiteral("7;1;CA"));
    exec(QStringLiteral("update NotasUni1 set MD_FINAL = 5.5 where MATRICULA = 2 and DISC = '02'"));
    EXPECT_EQ(board({QStringLiteral("1G1A"), QStringLiteral("02"), 1, true}).size(), 2);

    // Leavers do not show; a class without rows shows nothing.
    EXPECT_EQ(board({QStringLiteral("1G1B"), QStringLiteral("02"), 1, false}).size(), 1);
}

TEST_F(GradeBoardTest, TheYearViewDrawsRedOnlyWhenBothAveragesAreBelowTheirMarks)
{
    setYear(1, "03", "MD_ANUAL", 5.0);
    setYear(1, "03", "MD_FINAL", 5.9);
    setYear(2, "03", "MD_ANUAL", 5.0);
    setYear(2, "03", "MD_FINAL", 6.0);
    setYear(2, "03", "UND1", 6.25);
    const QStringList lines = board({QStringLiteral("1G1A"), QStringLiteral("03"), 0, false});
    EXPECT_EQ(lines.first(), QStringLiteral("Nº;MATRICULA;Nome;UND1;FLT1;UND2;FLT2;UND3;FLT3;UND4;FLT4;Média_ANO;Faltas;PFINAL;"
                                            "Média P.Final;RESULTADO"));
    ASSERT_EQ(lines.size(), 3) << lines.join(u'|').toStdString();
    EXPECT_FALSE(lines.at(1).endsWith(QStringLiteral("vermelho"))) << lines.at(1).toStdString(); // ANA: 6.0 is the year's passing mark
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("8;2;ANA;6,3;"))) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(2).endsWith(QStringLiteral(";vermelho")));
    // Only the final exam mark may be typed in the year view.
    QStringList editable;
    for (const grades::BoardColumn &column : grades::boardColumns(0))
        if (column.editable)
            editable << column.field;
    EXPECT_EQ(editable, QStringList{QStringLiteral("PFINAL")});
}

TEST_F(GradeBoardTest, AClassCodeWithAQuoteIsAValueNotFilterText)
{
    grades::BoardChoice choice{QStringLiteral("1G'1"), QStringLiteral("02"), 1, false};
    EXPECT_EQ(board(choice).size(), 1);
}
