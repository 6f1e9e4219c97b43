#include "ModuleFixture.h"

#include "data/settings/Settings.h"
#include "data/store/Transaction.h"
#include "support/RecordedLog.h"


using namespace data;

namespace {

class StudentRows : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        Transaction fill(db());
        addStudent(100, QStringLiteral("ANA SILVA"), QStringLiteral("MAT01"), 3);
        addDependents(100, QStringLiteral("ANA SILVA"), QStringLiteral("MAT01"), 3);
        addStudent(101, QStringLiteral("BRUNO LIMA"), QStringLiteral("MAT02"), 31);
        addDependents(101, QStringLiteral("BRUNO LIMA"), QStringLiteral("MAT02"), 31);
        addStudent(102, QStringLiteral("CARLA REIS"), QStringLiteral("MAT02"), 5);
        fill.commit();
        alunos().open();
    }
    Table &alunos() { return m_academic->tblAlunos(); }
    void editStudent(int matricula, const QString &field, const QString &text)
    {
        ASSERT_TRUE(alunos().locate(QStringLiteral("MATRICULA"), {matricula}));
        ASSERT_TRUE(alunos().edit());
        alunos().setText(field, text);
        ASSERT_TRUE(alunos().post());
    }
    // The distinct values of a column among a student's rows of every dependent table.
    QStringList dependentValues(const QString &column, int matricula)
    {
        QStringList values;
        for (const char *table : {"notas", "notasuni1", "notasuni2", "notasuni3", "notasuni4"})
            values += scalar(QStringLiteral("select group_concat(distinct %1) from %2 where matricula = %3")
                                 .arg(column, QLatin1String(table))
                                 .arg(matricula))
                          .toString();
        return values;
    }
};

QStringList fiveTimes(const QString &value)
{
    return QStringList(5, value);
}

} // namespace

TEST_F(StudentRows, RenamingCarriesTheNameEverywhereAndKeepsTheRollNumber)
{
    editStudent(100, QStringLiteral("NOME"), QStringLiteral("ANA D'ÁVILA"));

    EXPECT_TRUE(m_dialogs->shown().isEmpty()) << m_dialogs->texts().join(u'|').toStdString();
    EXPECT_EQ(dependentValues(QStringLiteral("nome"), 100), fiveTimes(QStringLiteral("ANA D'ÁVILA")));
    EXPECT_EQ(dependentValues(QStringLiteral("esp"), 100), fiveTimes(QStringLiteral("3")));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct NOME) from Ccorrent where Matricula = 100")).toString(),
              QStringLiteral("ANA D'ÁVILA"));
    EXPECT_EQ(alunos().asInteger("ESP"), 3);
    EXPECT_EQ(dependentValues(QStringLiteral("nome"), 101), fiveTimes(QStringLiteral("BRUNO LIMA")))
        << "other students untouched";
}

TEST_F(StudentRows, MovingToAnotherClassGivesTheNextRollNumberThere)
{
    editStudent(100, QStringLiteral("TURMA"), QStringLiteral("MAT02"));
    EXPECT_EQ(alunos().asInteger("ESP"), 32) << "one more than the largest of the new class";
    EXPECT_EQ(count(QStringLiteral("select ESP from ALUNOS where MATRICULA = 100")), 32);
    EXPECT_EQ(dependentValues(QStringLiteral("esp"), 100), fiveTimes(QStringLiteral("32")));
    EXPECT_EQ(dependentValues(QStringLiteral("turma"), 100), fiveTimes(QStringLiteral("MAT02")));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct TURMA) from Ccorrent where Matricula = 100")).toString(),
              QStringLiteral("MAT02"));

    editStudent(100, QStringLiteral("TURMA"), QStringLiteral("JD101"));
    EXPECT_EQ(alunos().asInteger("ESP"), 1) << "alone in the class";
    EXPECT_EQ(dependentValues(QStringLiteral("esp"), 100), fiveTimes(QStringLiteral("1")));
}

TEST_F(StudentRows, SituationIsCarriedOnEveryPost)
{
    editStudent(100, QStringLiteral("SIT"), QStringLiteral("T"));
    EXPECT_EQ(dependentValues(QStringLiteral("SIT"), 100), fiveTimes(QStringLiteral("T")));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct STATUS) from Ccorrent where Matricula = 100")).toString(),
              QStringLiteral("T"));
}

TEST_F(StudentRows, NewStudentGetsTheDueDayAndTheNextRollNumber)
{
    ASSERT_TRUE(alunos().append());
    EXPECT_EQ(alunos().asText("Vencimento"), QString::number(data::settings().Data_Venc));
    alunos().setText("MATRICULA", QStringLiteral("200"));
    alunos().setText("NOME", QStringLiteral("DAVI"));
    alunos().setText("TURMA", QStringLiteral("MAT02"));
    ASSERT_TRUE(alunos().post());
    EXPECT_EQ(alunos().asInteger("MATRICULA"), 200);
    EXPECT_EQ(alunos().asInteger("ESP"), 32);
}

TEST_F(StudentRows, DeletingAsksAndNoKeepsEveryRow)
{
    m_dialogs->answer(core::Button::No);
    ASSERT_TRUE(alunos().locate(QStringLiteral("MATRICULA"), {100}));
    EXPECT_FALSE(alunos().remove());

    ASSERT_EQ(m_dialogs->shown().size(), 2);
    EXPECT_EQ(m_dialogs->shown().at(0).text,
              QStringLiteral("Você está prestes a excluir um registro\rcom conteúdo. Você deveria marcar seu status "
                             "como \"D\" ou \"T\".\rDeseja continuar com a exclusão?"));
    EXPECT_EQ(m_dialogs->shown().at(0).buttons, core::Button::Yes | core::Button::No);
    EXPECT_EQ(m_dialogs->shown().at(1).text, QStringLiteral("Exclusão cancelada!"));
    EXPECT_EQ(m_dialogs->shown().at(1).icon, core::Icon::Error);
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS")), 3);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where MATRICULA = 100")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Ccorrent where Matricula = 100")), 2);
}

TEST_F(StudentRows, DeletingRemovesExactlyThatStudentAndTheDependentRows)
{
    QList<int> counted;
    QObject::connect(m_academic.get(), &TDataModule1::studentCountChanged, [&counted](int n) { counted += n; });
    m_dialogs->answer(core::Button::Yes);
    ASSERT_TRUE(alunos().locate(QStringLiteral("MATRICULA"), {100}));
    EXPECT_TRUE(alunos().remove());

    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Registro excluído com sucesso!"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS where MATRICULA = 100")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS")), 2);
    for (const char *table : {"NOTAS", "NotasUni1", "NotasUni2", "NotasUni3", "NotasUni4", "Ccorrent"}) {
        EXPECT_EQ(count(QStringLiteral("select count(*) from %1 where MATRICULA = 100").arg(QLatin1String(table))), 0) << table;
        EXPECT_GT(count(QStringLiteral("select count(*) from %1 where MATRICULA = 101").arg(QLatin1String(table))), 0) << table;
    }
    EXPECT_EQ(alunos().recordCount(), 2);
    EXPECT_EQ(counted, QList<int>{2});
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(StudentRows, FailingStatementsAreShownAndThePostStands)
{
    alunos().close();
    db().dropTable(QStringLiteral("NotasUni3"));
    alunos().open();
    editStudent(100, QStringLiteral("NOME"), QStringLiteral("ANA D'ÁVILA"));

    const QStringList texts = m_dialogs->texts();
    ASSERT_EQ(texts.size(), 2) << texts.join(u'|').toStdString();
    EXPECT_EQ(texts.at(0), QStringLiteral("tblAlunosBeforePost\rErro ao executar: update notasuni3 set nome = "
                                          "'ANA D''ÁVILA', Turma = 'MAT01', SIT = NULL where matricula = 100"));
    EXPECT_TRUE(texts.at(1).startsWith(QStringLiteral("tblAlunosAfterPost(5)\rErro ao executar: update notasuni3 set nome")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS where NOME = 'ANA D''ÁVILA'")), 1);
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct nome) from notas where matricula = 100")).toString(),
              QStringLiteral("ANA D'ÁVILA"));
}

TEST_F(StudentRows, AFailedDeletionLeavesEverythingInPlace)
{
    alunos().close();
    db().dropTable(QStringLiteral("NotasUni4"));
    alunos().open();
    m_dialogs->answer(core::Button::Yes);
    ASSERT_TRUE(alunos().locate(QStringLiteral("MATRICULA"), {100}));
    EXPECT_FALSE(alunos().remove());
    EXPECT_EQ(m_dialogs->last().text,
              QStringLiteral("Erro ao tentar excluir registros dependentes\rem Notas e Pagamentos!\rtblAlunosBeforeDelete"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS where MATRICULA = 100")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where MATRICULA = 100")), 2)
        << "rows deleted before the failure come back";
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(StudentRows, APostThatFailsUndoesWhatItCarried)
{
    ASSERT_TRUE(alunos().append());
    alunos().setText("MATRICULA", QStringLiteral("101")); // BRUNO's number: the row cannot be written
    alunos().setText("NOME", QStringLiteral("INTRUSO"));
    alunos().setText("TURMA", QStringLiteral("MAT01"));
    EXPECT_THROW(alunos().post(), StoreError);
    alunos().cancel();
    EXPECT_EQ(dependentValues(QStringLiteral("nome"), 101), fiveTimes(QStringLiteral("BRUNO LIMA")));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(distinct NOME) from Ccorrent where Matricula = 101")).toString(),
              QStringLiteral("BRUNO LIMA"));
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(StudentRows, AChangeMadeInsideARunIsUndoneWithTheRun)
{
    {
        Transaction run(db());
        editStudent(100, QStringLiteral("TURMA"), QStringLiteral("MAT02"));
        EXPECT_EQ(dependentValues(QStringLiteral("esp"), 100), fiveTimes(QStringLiteral("32")));
        EXPECT_TRUE(db().inTransaction());
    }
    alunos().refresh();
    ASSERT_TRUE(alunos().locate(QStringLiteral("MATRICULA"), {100}));
    EXPECT_EQ(alunos().asText("TURMA"), QStringLiteral("MAT01"));
    EXPECT_EQ(dependentValues(QStringLiteral("esp"), 100), fiveTimes(QStringLiteral("3")));
}

TEST_F(StudentRows, TheQuietCarryIntoChargesWritesItsFailureToTheLog)
{
    alunos().close();
    db().dropTable(QStringLiteral("Ccorrent"));
    alunos().open();
    const RecordedLog log;
    editStudent(100, QStringLiteral("SIT"), QStringLiteral("B")); // neither renamed nor moved
    EXPECT_TRUE(m_dialogs->shown().isEmpty()) << m_dialogs->texts().join(u'|').toStdString();
    const QStringList logged = log.warnings(QStringLiteral("lumesco.rules"));
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged.first().startsWith(QStringLiteral("\"update CCorrent set nome = 'ANA SILVA'")))
        << logged.first().toStdString();
    EXPECT_EQ(dependentValues(QStringLiteral("SIT"), 100), fiveTimes(QStringLiteral("B")));
}
