#include "ModuleFixture.h"

#include "data/modules/LiveQuery.h"
#include "data/store/StoreError.h"

#include <QSet>

using namespace data;

namespace {

class Rights : public ModuleFixture
{
protected:
    // The names of the datasets that open writable for a user with `rights`.
    QSet<QString> writableFor(const QStringList &rights)
    {
        logOnAs(user(QStringLiteral("U"), rights));
        QList<GuardedDataset> all = m_academic->guardedDatasets();
        all += m_cashBook->guardedDatasets();
        QSet<QString> writable;
        for (const GuardedDataset &g : all) {
            g.dataset->open();
            if (!g.dataset->isReadOnly())
                writable.insert(g.dataset->objectName());
            g.dataset->close();
        }
        return writable;
    }
};

QSet<QString> names(std::initializer_list<const char *> list)
{
    QSet<QString> set;
    for (const char *n : list)
        set.insert(QString::fromLatin1(n));
    return set;
}

const QSet<QString> kGrades = names({"tblNotas", "tblNotasUni1", "tblNotasUni2", "tblNotasUni3", "tblNotasUni4", "qryNotas"});
const QSet<QString> kStudents = names({"tblAlunos", "tblHistoric", "tblCCorrent2"});
const QSet<QString> kBilling = names({"tblCCorrent", "tblAlunos2"});
const QSet<QString> kStructure = names({"tblDiscpl", "tblDiscTurma", "tblTabTurma", "tblFuncionarios", "tblDiscProf", "tblPosicao"});
const QSet<QString> kCashBook = names({"taGrupoConta", "taConta", "taMovFin", "taBancos"});

} // namespace

TEST_F(Rights, EachRightOpensItsOwnTablesForWriting)
{
    EXPECT_EQ(writableFor({QStringLiteral("Notas")}), kGrades);
    EXPECT_EQ(writableFor({QStringLiteral("Alunos")}), kStudents);
    EXPECT_EQ(writableFor({QStringLiteral("Carnes")}), kBilling);
    EXPECT_EQ(writableFor({QStringLiteral("Tabelas")}), kStructure);
    EXPECT_EQ(writableFor({QStringLiteral("Caixa")}), kCashBook);
    EXPECT_TRUE(writableFor({QStringLiteral("Backup")}).isEmpty());
}

TEST_F(Rights, ASupervisorWithoutCaixaReadsTheCashBookOnly)
{
    const QSet<QString> writable = writableFor({QStringLiteral("Supervisor"), QStringLiteral("Alunos"),
                                                QStringLiteral("Notas"), QStringLiteral("Carnes"),
                                                QStringLiteral("Tabelas"), QStringLiteral("Backup")});
    EXPECT_EQ(writable, kGrades + kStudents + kBilling + kStructure + names({"tblUsuario"}));
}

TEST_F(Rights, AReadOnlyTableRefusesChanges)
{
    logOnAs(user(QStringLiteral("PROF"), {QStringLiteral("Notas")}));
    addStudent(100, QStringLiteral("ANA"), QStringLiteral("MAT01"), 1);
    Table &alunos = m_academic->tblAlunos();
    alunos.open();
    EXPECT_THROW(alunos.edit(), StoreError);
    EXPECT_THROW(alunos.append(), StoreError);
    EXPECT_THROW(alunos.remove(), StoreError);
}

TEST_F(Rights, TheLiveGradeQueryNeverAddsRows)
{
    addDependents(100, QStringLiteral("ANA"), QStringLiteral("MAT01"), 1);
    LiveQuery &query = m_academic->qryNotas();
    query.open();
    EXPECT_FALSE(query.append());
    EXPECT_FALSE(query.isEditing());
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS")), 2);

    ASSERT_TRUE(query.edit());
    query.setText("UND1", QStringLiteral("7,5"));
    ASSERT_TRUE(query.post());
    EXPECT_EQ(scalar(QStringLiteral("select max(UND1) from NOTAS")).toDouble(), 7.5);
    EXPECT_EQ(query.displayText("UND1"), QStringLiteral("7,5"));

    logOnAs(user(QStringLiteral("SECRET"), {QStringLiteral("Alunos")}));
    m_academic->qryNotas().open();
    EXPECT_THROW(m_academic->qryNotas().edit(), StoreError);
}
