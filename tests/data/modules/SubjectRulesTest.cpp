#include "ModuleFixture.h"

#include "data/store/Transaction.h"

using namespace data;

namespace {

class SubjectsOfAGrade : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        Transaction fill(db());
        for (const char *schoolClass : {"MAT01", "MAT02", "1G101"})
            exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, 'Turma')"),
                 {{QStringLiteral("t"), QString::fromLatin1(schoolClass)}});
        exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO) values ('01', 'PORTUGUÊS'), ('02', 'MATEMÁTICA')"));
        exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values ('MAT', '01'), ('MAT', '02'), ('1G1', '01')"));
        addDependents(100, QStringLiteral("ANA"), QStringLiteral("MAT01"), 1);
        addDependents(101, QStringLiteral("BIA"), QStringLiteral("MAT02"), 1);
        addDependents(102, QStringLiteral("CAIO"), QStringLiteral("1G101"), 1);
        fill.commit();
        classes().open();
        subjects().open();
    }
    Table &classes() { return m_academic->tblTabTurma(); }
    Table &subjects() { return m_academic->tblDiscTurma(); }
    void chooseClass(const char *schoolClass)
    {
        ASSERT_TRUE(classes().locate(QStringLiteral("TURMA"), {QString::fromLatin1(schoolClass)}));
    }
    int gradeRows(const char *table, const char *disc) const
    {
        return count(QStringLiteral("select count(*) from %1 where DISC = '%2'").arg(QLatin1String(table), QLatin1String(disc)));
    }
};

} // namespace

TEST_F(SubjectsOfAGrade, FollowTheCurrentClassAndShowTheirNames)
{
    chooseClass("1G101");
    EXPECT_EQ(subjects().recordCount(), 1);
    chooseClass("MAT02");
    ASSERT_EQ(subjects().recordCount(), 2);
    subjects().first();
    EXPECT_EQ(subjects().asText("Disciplina"), QStringLiteral("PORTUGUÊS"));

    ASSERT_TRUE(subjects().append());
    EXPECT_EQ(subjects().asText("SERIE"), QStringLiteral("MAT"));
    subjects().cancel();

    Table &assignments = m_academic->tblDiscProf();
    exec(QStringLiteral("insert into DiscProf (MATRICULA, NOME, DISCPL_COD, TURMA) values (9, 'PROF', '02', 'MAT01')"));
    assignments.open();
    EXPECT_EQ(assignments.asText("cDisciplina"), QStringLiteral("02 - MATEMÁTICA"));
}

TEST_F(SubjectsOfAGrade, RemovingASubjectRemovesItsYearRowsInEveryClassOfTheGrade)
{
    chooseClass("MAT01");
    ASSERT_TRUE(subjects().locate(QStringLiteral("CODIGO"), {QStringLiteral("01")}));
    m_dialogs->answer(core::Button::Ok);
    ASSERT_TRUE(subjects().remove());

    EXPECT_EQ(m_dialogs->shown().at(0).text,
              QStringLiteral("À exclusão desta Disciplina seguirá a exclusão das Notas (se houver). Confirma?)"));
    EXPECT_EQ(m_dialogs->shown().at(0).caption, QStringLiteral("Atenção: Exclusão de Notas"));
    EXPECT_EQ(m_dialogs->shown().at(0).buttons, core::Button::Ok | core::Button::Cancel);
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Processo concluído com sucesso!"));
    EXPECT_EQ(gradeRows("NOTAS", "01"), 1) << "only the other grade's row is left";
    EXPECT_EQ(gradeRows("NotasUni1", "01"), 3) << "unit rows stay";
    EXPECT_EQ(count(QStringLiteral("select count(*) from Discturm where SERIE = 'MAT'")), 1);
}

TEST_F(SubjectsOfAGrade, CancelKeepsTheGradesButTheSubjectGoesAnyway)
{
    chooseClass("MAT01");
    ASSERT_TRUE(subjects().locate(QStringLiteral("CODIGO"), {QStringLiteral("02")}));
    m_dialogs->answer(core::Button::Cancel);
    ASSERT_TRUE(subjects().remove());
    EXPECT_EQ(m_dialogs->shown().size(), 1);
    EXPECT_EQ(gradeRows("NOTAS", "02"), 3);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Discturm where SERIE = 'MAT'")), 1);
}

TEST_F(SubjectsOfAGrade, ANewSubjectNeedsAClass)
{
    classes().close();
    ASSERT_TRUE(subjects().append());
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Não foi possível incluir este item em [tblDiscTurma]!"));
    EXPECT_EQ(m_dialogs->last().caption, QStringLiteral("Erro"));
    subjects().cancel();
}
