#include "SchoolStructure.h"

#include "students/structure/TeacherAssignments.h"

using namespace students;

namespace {

class AssigningTeachers : public SchoolStructure
{
protected:
    void SetUp() override
    {
        SchoolStructure::SetUp();
        assignments().open();
    }
    int assign(const QString &teacher, const QStringList &classes)
    {
        return assignTeacher(assignments(), teacher, QStringLiteral("01 PORTUGUÊS"), classes, *m_dialogs);
    }
    const QStringList m_threeClasses{QStringLiteral("1G1A 1ª SÉRIE A"), QStringLiteral("1G1B 1ª SÉRIE B"),
                                     QStringLiteral("1G2A 2ª SÉRIE A")};
};

} // namespace

TEST_F(AssigningTeachers, AskOncePerClassAndRecordTheYeses)
{
    m_dialogs->answer(core::Button::Yes);
    m_dialogs->answer(core::Button::No);
    m_dialogs->answer(core::Button::Yes);
    EXPECT_EQ(assign(QStringLiteral("7 CARLA MENDES"), m_threeClasses), 2);

    ASSERT_EQ(m_dialogs->shown().size(), 3);
    EXPECT_EQ(m_dialogs->shown().at(0).text,
              QStringLiteral("7 CARLA MENDES\rleciona 01 PORTUGUÊS\rna Turma 1G1A 1ª SÉRIE A?"));
    EXPECT_EQ(m_dialogs->shown().at(2).text,
              QStringLiteral("7 CARLA MENDES\rleciona 01 PORTUGUÊS\rna Turma 1G2A 2ª SÉRIE A?"));
    EXPECT_EQ(m_dialogs->shown().at(1).caption, QStringLiteral("Confirme"));
    EXPECT_EQ(m_dialogs->shown().at(1).buttons, core::Button::Yes | core::Button::No);

    EXPECT_EQ(codesShown(assignments(), "TURMA"), (QStringList{"1G1A", "1G2A"}));
    ASSERT_TRUE(assignments().locate(QStringLiteral("TURMA"), {QStringLiteral("1G2A")}));
    EXPECT_EQ(assignments().asInteger("MATRICULA"), 7);
    EXPECT_EQ(assignments().asText("NOME"), QStringLiteral("CARLA MENDES"));
    EXPECT_EQ(assignments().asText("cDisciplina"), QStringLiteral("01 - PORTUGUÊS"));
}

TEST_F(AssigningTeachers, AnAssignmentAlreadyRecordedIsDroppedWithoutAWord)
{
    for (int i = 0; i < 3; ++i)
        m_dialogs->answer(core::Button::Yes);
    EXPECT_EQ(assign(QStringLiteral("7 CARLA MENDES"), m_threeClasses.mid(0, 1)), 1);
    EXPECT_EQ(assign(QStringLiteral("7 CARLA MENDES"), m_threeClasses.mid(0, 2)), 1);
    EXPECT_EQ(m_dialogs->shown().size(), 3) << "questions only, no error box";
    EXPECT_EQ(assignments().state(), data::DatasetState::Browse);
    EXPECT_EQ(count(QStringLiteral("select count(*) from DiscProf")), 2);
}

TEST_F(AssigningTeachers, ALongNameIsCutToTheField)
{
    m_dialogs->answer(core::Button::Yes);
    const QString name = QStringLiteral("MARIA DAS GRAÇAS DE ALBUQUERQUE CAVALCANTI FILHA");
    EXPECT_EQ(assign(QStringLiteral("12 ") + name, m_threeClasses.mid(0, 1)), 1);
    EXPECT_EQ(scalar(QStringLiteral("select NOME from DiscProf")).toString(), name.left(42));
}

TEST_F(AssigningTeachers, DeletingAsksAndSaysWhenItCannot)
{
    exec(QStringLiteral("insert into DiscProf (MATRICULA, NOME, DISCPL_COD, TURMA) values (7, 'CARLA MENDES', '01', '1G1A')"));
    assignments().refresh();

    m_dialogs->answer(core::Button::No);
    EXPECT_FALSE(deleteAssignment(assignments(), *m_dialogs));
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Confirma exclusão do registro?"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from DiscProf")), 1);

    m_dialogs->answer(core::Button::Yes);
    EXPECT_TRUE(deleteAssignment(assignments(), *m_dialogs));
    EXPECT_EQ(count(QStringLiteral("select count(*) from DiscProf")), 0);

    exec(QStringLiteral("insert into DiscProf (MATRICULA, NOME, DISCPL_COD, TURMA) values (7, 'CARLA MENDES', '01', '1G1A')"));
    logOnAs(user(QStringLiteral("PROFESSOR"), {QStringLiteral("Notas")}));
    assignments().open();
    m_dialogs->clear();
    m_dialogs->answer(core::Button::Yes);
    EXPECT_FALSE(deleteAssignment(assignments(), *m_dialogs));
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Erro! o registro não pode ser apagado"));
    EXPECT_EQ(m_dialogs->last().icon, core::Icon::Error);
    EXPECT_EQ(count(QStringLiteral("select count(*) from DiscProf")), 1);
}

TEST_F(AssigningTeachers, TheSpreadsheetHasTitleFieldNamesAndTheGridRows)
{
    exec(QStringLiteral("insert into DiscProf (MATRICULA, NOME, DISCPL_COD, TURMA) values "
                        "(9, 'BRUNO LIMA', '03', '1G1B'), (7, 'CARLA MENDES', '01', '1G1A')"));
    assignments().refresh();
    EXPECT_EQ(core::semicolonLines(assignmentsForExport(assignments())),
              (QStringList{"Relação de Professores x Turma x Disciplinas ", "MATRICULA;NOME;TURMA;CDISCIPLINA",
                           "7;CARLA MENDES;1G1A;01 - PORTUGUÊS", "9;BRUNO LIMA;1G1B;03 - ARTES"}));
}
