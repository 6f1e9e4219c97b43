// The register's data steps: the views of the student table, the save with its after-steps,
// the history row, the marks of the edit state and the rights.

#include "RegisterFixture.h"

#include "core/Clock.h"
#include "data/store/Query.h"
#include "students/Birthdays.h"
#include "students/Situations.h"

using students::SortChoice;
using students::ViewChoice;

namespace {

class Register : public RegisterFixture
{
};

} // namespace

TEST_F(Register, OpensOnTheActiveStudentsInClassAndNameOrder)
{
    set(102, QStringLiteral("SIT = 'D'"));
    QList<int> counts;
    QObject::connect(m_register.get(), &students::StudentRegister::countChanged, [&counts](int n) { counts += n; });
    m_register->open();

    EXPECT_EQ(numbersInView(), QList<int>({100, 101, 103}));
    EXPECT_EQ(alunos().indexName(), QStringLiteral("kTurma"));
    EXPECT_EQ(alunos().asInteger("MATRICULA"), 100) << "1G1AM comes first";
    EXPECT_EQ(counts, QList<int>{3});
    EXPECT_TRUE(m_academic->tblHistoric().isOpen());
    EXPECT_TRUE(m_academic->tblCCorrent2().isOpen());
    EXPECT_TRUE(m_academic->tblTabTurma().isOpen());
    EXPECT_EQ(m_register->classCodes(), QStringList({"1G1AM", "1G1BM", "2G3N", "MAT01"}));

    m_register->close();
    EXPECT_FALSE(alunos().isOpen());
    EXPECT_TRUE(alunos().filter().isEmpty());
    EXPECT_FALSE(m_academic->tblHistoric().isOpen());
    EXPECT_FALSE(m_academic->tblTabTurma().isOpen());
}

TEST_F(Register, EachViewListsItsStudents)
{
    core::pinClock(QDateTime(QDate(2009, 3, 5), QTime(10, 0)));
    set(100, QStringLiteral("ABAT = 100, IMP = 'R'"));
    set(101, QStringLiteral("SIT = 'T', ABAT = 50, IMP = '%'"));
    set(102, QStringLiteral("SIT = 'I', ABAT = 20, IMP = '%', MARCADO = 1"));
    set(103, QStringLiteral("MARCADO = 1"));
    m_register->open();

    // A scholarship entered through the picker: 100 % and listed; 100 in reais is not.
    ASSERT_TRUE(go(103));
    ASSERT_TRUE(m_register->edit());
    students::pickSituation(alunos(), students::situationLines().at(0));
    students::situationLeft(alunos());
    ASSERT_TRUE(m_register->post());
    EXPECT_EQ(alunos().asText("SIT"), QStringLiteral("B"));
    EXPECT_EQ(alunos().asText("OBSSIT"), QStringLiteral("B - Bolsista (100%)"));
    EXPECT_EQ(alunos().asFloat("ABAT"), 100.0);
    EXPECT_EQ(alunos().asText("IMP"), QStringLiteral("%"));
    EXPECT_EQ(alunos().asDate("DATASIT"), QDate(2009, 3, 5));

    m_register->setView(ViewChoice::Bolsistas);
    EXPECT_EQ(numbersInView(), QList<int>{103});
    m_register->setView(ViewChoice::Todos);
    EXPECT_EQ(numbersInView(), QList<int>({100, 101, 102, 103}));
    m_register->setView(ViewChoice::Transferidos);
    EXPECT_EQ(numbersInView(), QList<int>{101});
    m_register->setView(ViewChoice::ComDesconto);
    EXPECT_EQ(numbersInView(), QList<int>({100, 102, 103})) << "the transferred student's discount does not count";
    m_register->setView(ViewChoice::Situacao, {1, QStringLiteral("I"), QString()});
    EXPECT_EQ(numbersInView(), QList<int>{102});
    m_register->setView(ViewChoice::Situacao, {1, QStringLiteral("'"), QString()});
    EXPECT_TRUE(numbersInView().isEmpty()) << "a typed quote is a value, not a broken filter";
    m_register->setView(ViewChoice::Desistentes);
    EXPECT_TRUE(numbersInView().isEmpty());
    EXPECT_EQ(m_register->recordCount(), 0);

    m_dialogs->clear();
    m_register->setView(ViewChoice::Turma, {1, QString(), QStringLiteral("1G1BM")});
    EXPECT_EQ(numbersInView(), QList<int>{102}) << "the transferred student of the class is left out";
    ASSERT_EQ(m_dialogs->shown().size(), 1);
    EXPECT_EQ(m_dialogs->last().text,
              QStringLiteral("Atenção:\rNão tente INSERIR registros para turmas\rdiferentes de 1G1BM, pois, \r"
                             "você não poderá visualizá-los em virtude de \rnão pertencerem ao grupo desta turma."));

    bool shown = false;
    QObject::connect(m_register.get(), &students::StudentRegister::specialListShown, [&shown](bool on) { shown = on; });
    m_register->setView(ViewChoice::Marcados);
    EXPECT_TRUE(shown);
    EXPECT_EQ(m_register->recordCount(), 2);
    EXPECT_EQ(m_register->specialList().fieldCount(), 4);
    m_register->setView(ViewChoice::Ativos);
    EXPECT_FALSE(shown);
    EXPECT_EQ(numbersInView(), QList<int>({100, 102, 103}));
}

TEST_F(Register, TheBirthdayViewIsEmptyUntilTheBirthdayCommandRuns)
{
    set(100, QStringLiteral("DATANASC = '2002-03-17'"));
    set(101, QStringLiteral("DATANASC = '2001-12-30'"));
    m_register->open();
    m_register->setView(ViewChoice::Aniversariantes, {3, QString(), QString()});
    EXPECT_TRUE(numbersInView().isEmpty());
    m_register->close();

    m_dialogs->answer(core::Button::No);
    EXPECT_EQ(students::runBirthdayCommand(db()), -1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS where ORD is not null")), 0);

    m_dialogs->answer(core::Button::Yes);
    EXPECT_EQ(students::runBirthdayCommand(db()), 4);
    EXPECT_EQ(m_dialogs->shown().at(1).text, QStringLiteral("Esta operação levará alguns segundos... Continua?"));
    EXPECT_EQ(m_dialogs->shown().at(1).caption, QStringLiteral("Recalcular Aniversário"));
    EXPECT_EQ(count(QStringLiteral("select TM from ALUNOS where MATRICULA = 100")), 17);

    m_register->open();
    m_register->setView(ViewChoice::Aniversariantes, {3, QString(), QString()});
    EXPECT_EQ(numbersInView(), QList<int>{100});
    m_register->setView(ViewChoice::Aniversariantes, {12, QString(), QString()});
    EXPECT_EQ(numbersInView(), QList<int>{101}) << "students without a birth date are nobody's December birthday";
    m_register->setSort(SortChoice::Nascimento);
    EXPECT_EQ(alunos().indexName(), QStringLiteral("kAniversario"));
}

TEST_F(Register, RenamingCarriesTheNameAndKeepsTheRollNumber)
{
    m_register->open();
    ASSERT_TRUE(go(100));
    ASSERT_TRUE(m_register->edit());
    alunos().setText("NOME", QStringLiteral("ANA SYLVA"));
    ASSERT_TRUE(m_register->post());

    EXPECT_TRUE(m_dialogs->shown().isEmpty()) << m_dialogs->texts().join(u'|').toStdString();
    for (const char *table : {"NOTAS", "NotasUni1", "NotasUni2", "NotasUni3", "NotasUni4", "Ccorrent"})
        EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct NOME) from %1 where MATRICULA = 100")
                             .arg(QLatin1String(table))).toString(),
                  QStringLiteral("ANA SYLVA")) << table;
    EXPECT_EQ(count(QStringLiteral("select ESP from ALUNOS where MATRICULA = 100")), 3);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where MATRICULA = 100 and Esp = 3")), 2);
}

TEST_F(Register, MovingToAnotherClassGivesTheNextNumberThereAndSaysSo)
{
    m_register->open();
    ASSERT_TRUE(go(100));
    ASSERT_TRUE(m_register->edit());
    m_register->classEntered();
    alunos().setText("TURMA", QStringLiteral("1G1BM"));
    m_register->classLeft();
    EXPECT_TRUE(m_register->classChanged());
    ASSERT_TRUE(m_register->post());
    EXPECT_FALSE(m_register->classChanged());

    ASSERT_TRUE(go(100));
    EXPECT_EQ(alunos().asInteger("ESP"), 32) << "the largest number of the class was 31";
    EXPECT_EQ(count(QStringLiteral("select count(*) from NotasUni2 where MATRICULA = 100 and Esp = 32 and TURMA = '1G1BM'")), 2);
    ASSERT_EQ(m_dialogs->shown().size(), 1);
    EXPECT_EQ(m_dialogs->last().text,
              QStringLiteral("A Turma deste aluno foi alterada.\rO sistema irá compatibilizar a tabela de notas..."));
    EXPECT_EQ(m_dialogs->last().caption, QStringLiteral("Aguarde"));

    // Typed straight into the row (no box left): still a move.
    m_register->setView(ViewChoice::Todos);
    ASSERT_TRUE(go(100));
    ASSERT_TRUE(m_register->edit());
    alunos().setText("TURMA", QStringLiteral("2G3N"));
    ASSERT_TRUE(m_register->post());
    ASSERT_TRUE(go(100));
    EXPECT_EQ(alunos().asInteger("ESP"), 1) << "alone in the class";
    EXPECT_EQ(m_dialogs->shown().size(), 2);
}

TEST_F(Register, ANewStudentGetsTheGradeRowsOfItsClass)
{
    m_register->open();
    ASSERT_TRUE(m_register->insert());
    EXPECT_TRUE(m_register->isNewRecord());
    EXPECT_EQ(alunos().asText("Vencimento"), QStringLiteral("10"));
    alunos().setText("MATRICULA", QStringLiteral("200"));
    alunos().setText("NOME", QStringLiteral("DAVI COSTA"));
    alunos().setText("TURMA", QStringLiteral("1G1BM"));
    ASSERT_TRUE(m_register->post());
    EXPECT_FALSE(m_register->isNewRecord());

    EXPECT_EQ(count(QStringLiteral("select ESP from ALUNOS where MATRICULA = 200")), 32);
    ASSERT_EQ(m_dialogs->shown().size(), 1) << m_dialogs->texts().join(u'|').toStdString();
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Tabela de Notas gerada com sucesso!"));
    const int subjects = count(QStringLiteral("select count(*) from Discturm where SERIE = '1G1'"));
    EXPECT_GT(subjects, 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where MATRICULA = 200 and Turma = '1G1BM'")), subjects);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NotasUni4 where MATRICULA = 200 and UNIDADE = '4'")), subjects);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Historic where Matricula = 200")), 1);
}

TEST_F(Register, CancelForgetsTheNewRecordAndTheClassChange)
{
    m_register->open();
    ASSERT_TRUE(m_register->insert());
    m_register->cancel();
    EXPECT_FALSE(m_register->isNewRecord());
    ASSERT_TRUE(go(100));
    ASSERT_TRUE(m_register->edit());
    m_register->classEntered();
    alunos().setText("TURMA", QStringLiteral("MAT01"));
    m_register->classLeft();
    m_register->cancel();
    EXPECT_FALSE(m_register->classChanged());
    EXPECT_EQ(alunos().asText("TURMA"), QStringLiteral("1G1AM"));
    EXPECT_TRUE(m_dialogs->shown().isEmpty());
}

TEST_F(Register, EveryStudentShownGetsExactlyOneHistoryRow)
{
    exec(QStringLiteral("insert into Historic (Matricula, Alergias) values (101, 'PENICILINA')"));
    m_register->open();
    m_register->setSort(SortChoice::Matricula);
    for (int pass = 0; pass < 2; ++pass)
        for (alunos().first(); !alunos().eof(); alunos().next())
            m_register->studentChanged();
    EXPECT_EQ(count(QStringLiteral("select count(*) from Historic")), 4);
    EXPECT_EQ(count(QStringLiteral("select count(distinct Matricula) from Historic")), 4);
    EXPECT_EQ(scalar(QStringLiteral("select Alergias from Historic where Matricula = 101")).toString(),
              QStringLiteral("PENICILINA"));
    EXPECT_TRUE(m_dialogs->shown().isEmpty());
}

TEST_F(Register, TheGradeGridListsTheStudentsRowsWithTheSubjectNames)
{
    m_register->open();
    ASSERT_TRUE(go(101));
    m_register->studentChanged();
    data::Query &grades = m_register->grades();
    ASSERT_EQ(grades.recordCount(), 2);
    grades.first();
    EXPECT_EQ(grades.asText("DISCIPLINA"), QStringLiteral("PORTUGUÊS"));
    EXPECT_EQ(grades.asText("Turma"), QStringLiteral("1G1BM"));
    ASSERT_TRUE(go(103));
    m_register->studentChanged();
    EXPECT_EQ(grades.recordCount(), 0);
}

TEST_F(Register, DeletingGoesThroughTheDataModuleAndTellsTheCount)
{
    m_register->open();
    QList<int> counts;
    QObject::connect(m_register.get(), &students::StudentRegister::countChanged, [&counts](int n) { counts += n; });
    ASSERT_TRUE(go(101));
    m_dialogs->answer(core::Button::Yes);
    EXPECT_TRUE(m_register->remove());
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where MATRICULA = 101")), 0);
    EXPECT_EQ(counts.last(), 3);
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Registro excluído com sucesso!"));
}

TEST_F(Register, WithoutTheStudentRightNothingIsWritten)
{
    logOnAs(user(QStringLiteral("CAIXA"), {QStringLiteral("Caixa")}));
    m_register->open();
    EXPECT_FALSE(m_register->isWritable());
    EXPECT_FALSE(m_register->insert());
    EXPECT_EQ(count(QStringLiteral("select count(*) from Historic")), 0) << "browsing leaves no history rows behind";
}
