#include "ModuleFixture.h"

#include "data/modules/LiveQuery.h"
#include "data/modules/NetworkRefresh.h"

using namespace data;

namespace {

class NetworkRefreshTick : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        addStudent(100, QStringLiteral("ANA"), QStringLiteral("MAT01"), 1);
        for (Dataset *d : m_academic->academicDatasets())
            d->open();
        m_academic->setNetworkRefresh(true);
    }
    QStringList tick() { return m_academic->refreshOpenTables(); }
};

const QStringList kEveryTable{
    QStringLiteral("tblPosicao"),   QStringLiteral("tblAlunos"),       QStringLiteral("tblNotas"),
    QStringLiteral("tblNotasUni1"), QStringLiteral("tblNotasUni2"),    QStringLiteral("tblNotasUni3"),
    QStringLiteral("tblNotasUni4"), QStringLiteral("tblAlunos2"),      QStringLiteral("tblCCorrent"),
    QStringLiteral("tblCCorrent2"), QStringLiteral("tblTabTurma"),     QStringLiteral("tblHistoric"),
    QStringLiteral("qryNotas"),     QStringLiteral("tblDiscpl"),       QStringLiteral("tblDiscTurma"),
    QStringLiteral("tblDiscProf"),  QStringLiteral("tblFuncionarios")};

QStringList without(QStringList list, const QStringList &gone)
{
    for (const QString &g : gone)
        list.removeAll(g);
    return list;
}

} // namespace

TEST_F(NetworkRefreshTick, ReReadsEveryOpenTableInItsOrder)
{
    EXPECT_EQ(tick(), kEveryTable);

    // A change made elsewhere shows after the tick.
    exec(QStringLiteral("update ALUNOS set NOME = 'ANA MARIA'"));
    EXPECT_EQ(m_academic->tblAlunos().asText("NOME"), QStringLiteral("ANA"));
    tick();
    EXPECT_EQ(m_academic->tblAlunos().asText("NOME"), QStringLiteral("ANA MARIA"));
}

TEST_F(NetworkRefreshTick, OffOrPausedReadsNothing)
{
    m_academic->setNetworkRefresh(false);
    EXPECT_TRUE(tick().isEmpty());
    EXPECT_FALSE(m_academic->refresher().timer().isActive());

    m_academic->setNetworkRefresh(true);
    EXPECT_TRUE(m_academic->refresher().timer().isActive());
    EXPECT_EQ(m_academic->refresher().timer().interval(), 10000);
    m_academic->pauseRefresh();
    EXPECT_FALSE(m_academic->refresher().timer().isActive());
    EXPECT_TRUE(tick().isEmpty());
    m_academic->resumeRefresh();
    EXPECT_TRUE(m_academic->refresher().timer().isActive());
    EXPECT_EQ(tick(), kEveryTable);
}

TEST_F(NetworkRefreshTick, ClosedTablesAreSkipped)
{
    m_academic->tblDiscpl().close();
    m_academic->tblPosicao().close();
    EXPECT_EQ(tick(), without(kEveryTable, {QStringLiteral("tblDiscpl"), QStringLiteral("tblPosicao"),
                                            QStringLiteral("tblAlunos")}))
        << "the students wait for the subjects to be open";
}

TEST_F(NetworkRefreshTick, AChargeOfTheStudentBeingEditedHoldsTheStudentAndChargeViews)
{
    ASSERT_TRUE(m_academic->tblCCorrent2().append());
    EXPECT_EQ(tick(), without(kEveryTable, {QStringLiteral("tblAlunos"), QStringLiteral("tblAlunos2"),
                                            QStringLiteral("tblCCorrent"), QStringLiteral("tblCCorrent2")}));
    m_academic->tblCCorrent2().cancel();
}

TEST_F(NetworkRefreshTick, ASubjectBeingEditedHoldsEveryTableThatShowsSubjects)
{
    ASSERT_TRUE(m_academic->tblDiscpl().append());
    EXPECT_EQ(tick(), without(kEveryTable, {QStringLiteral("tblAlunos"), QStringLiteral("tblTabTurma"),
                                            QStringLiteral("qryNotas"), QStringLiteral("tblDiscpl"),
                                            QStringLiteral("tblDiscTurma"), QStringLiteral("tblDiscProf")}));
    m_academic->tblDiscpl().cancel();

    ASSERT_TRUE(m_academic->tblDiscTurma().append());
    EXPECT_EQ(tick(), without(kEveryTable, {QStringLiteral("tblTabTurma"), QStringLiteral("tblDiscTurma")}));
    m_academic->tblDiscTurma().cancel();
}

TEST_F(NetworkRefreshTick, EveryDeclaredTableIsATableOfTheSchoolYear)
{
    for (const AcademicTable &t : academicTables()) {
        EXPECT_EQ(m_academic->dataset(t.objectName).objectName(), t.objectName);
        if (t.liveQuery)
            continue;
        EXPECT_TRUE(db().hasTable(t.source)) << t.source.toStdString();
        for (const QString &other : t.waitsFor)
            EXPECT_EQ(m_academic->dataset(other).objectName(), other);
    }
    EXPECT_EQ(m_academic->datasetForTable(QStringLiteral("alunos.db")), &m_academic->tblAlunos()) << "the first view";
    EXPECT_EQ(m_academic->datasetForTable(QStringLiteral("CCORRENT")), &m_academic->tblCCorrent());
}
