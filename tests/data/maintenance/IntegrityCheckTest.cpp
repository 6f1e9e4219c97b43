#include "data/maintenance/IntegrityCheck.h"
#include "core/Shell.h"
#include "core/TextFile.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Query.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace data;

namespace {

class Integrity : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_db = createSchoolYear(m_dir.file("2009"), "2009");
        // 1 active with everything; 2 active without grades nor charges (a blank situation);
        // 3 transferred without anything; 4 on a scholarship with charges; 5 dropped out with
        // one charge still to be handled and one handled.
        m_db.exec("insert into ALUNOS (MATRICULA, NOME, TURMA, SIT) values "
                  "(1, 'ANA', '1G1A', null), (2, :davila, '1G1A', ''), (3, 'CAIO', '1G2A', 'T'), "
                  "(4, 'DORA', '1G2A', 'B'), (5, 'EDU', '1G1A', 'D')",
                  {{"davila", QStringLiteral("BIA D'ÁVILA")}});
        m_db.exec("insert into NOTAS (MATRICULA, DISC, Turma, Nome) values (1, 'PO', '1G1A', "
                  "'ANA'), (4, 'PO', '1G2A', 'DORA'), (5, 'PO', '1G1A', 'EDU'), "
                  "(999, 'PO', '1G1A', 'SUMIDO'), (999, 'MA', '1G1A', 'SUMIDO')");
        m_db.exec("insert into NotasUni1 (MATRICULA, DISC, TURMA, UNIDADE) values "
                  "(1, 'PO', '1G1A', '1'), (999, 'PO', '1G1A', '1')");
        m_db.exec("insert into Ccorrent (Matricula, TURMA, NOME, ParcelaNum, ParcelaData, "
                  "ParcelaValor, STATUS) values (1, '1G1A', 'ANA', 1, '2009-02-10', 500, null), "
                  "(4, '1G2A', 'DORA', 1, '2009-02-10', 500, null), "
                  "(4, '1G2A', 'DORA', 2, '2009-03-10', 500, 'B'), "
                  "(5, '1G1A', 'EDU', 1, '2009-02-10', 500, null), "
                  "(5, '1G1A', 'EDU', 2, '2009-03-10', 500, 'D'), "
                  "(998, '1G1A', 'SUMIDO', 1, '2009-02-10', 500, null)");
    }
    void TearDown() override { Database::closeAll(); }

    // Rows of a check as "field=value" lists, for short assertions.
    QStringList rows(int check, const QString &field)
    {
        const auto query = IntegrityChecker(m_db).run(check);
        QStringList values;
        for (query->first(); !query->eof(); query->next())
            values += query->displayText(field);
        return values;
    }

    TempDir m_dir;
    Database m_db;
};

} // namespace

TEST_F(Integrity, TheSixChecksAreOfferedInOrder)
{
    const QList<IntegrityCheck> &checks = integrityChecks();
    ASSERT_EQ(checks.size(), 6);
    EXPECT_EQ(checks.at(0).caption,
              QStringLiteral("Alunos ATIVOS sem registro para Disiciplinas e Notas"));
    EXPECT_EQ(checks.at(0).advice,
              QStringLiteral("Obs: Execute \"Corrigir\" no módulo Alunos->Notas"));
    EXPECT_EQ(
        checks.at(1).advice,
        QStringLiteral("Obs: Gerar registros de Cobrança para a relação acima no módulo Boletos"));
    EXPECT_EQ(checks.at(5).caption,
              QStringLiteral("Registro de Pagamentos sem vínculo com Alunos "));
    for (int i = 2; i < 6; ++i)
        EXPECT_EQ(checks.at(i).advice, QStringLiteral("Obs: Clique no botão Corrigir"));
}

TEST_F(Integrity, ActiveStudentsWithoutGradesOrCharges)
{
    EXPECT_EQ(rows(0, "NOME"), QStringList{QStringLiteral("BIA D'ÁVILA")});
    EXPECT_EQ(rows(1, "NOME"), (QStringList{QStringLiteral("BIA D'ÁVILA")}));
    m_db.exec("delete from Ccorrent where Matricula = 4");
    EXPECT_EQ(rows(1, "NOME"), (QStringList{QStringLiteral("BIA D'ÁVILA"), "DORA"}));
}

TEST_F(Integrity, ChargesOfScholarshipAndLeavingStudents)
{
    EXPECT_EQ(rows(2, "PARCELADATA"), (QStringList{"10/02/2009", "10/03/2009"}));
    EXPECT_EQ(rows(2, "Sit_Aluno"), (QStringList{"B", "B"}));
    EXPECT_EQ(rows(3, "NOME"), QStringList{"EDU"}); // only the charge nobody handled yet
    const auto query = IntegrityChecker(m_db).run(2);
    QStringList names;
    for (const DatasetField &f : query->fields())
        names += f.name.toUpper();
    EXPECT_EQ(names, (QStringList{"MATRICULA", "NOME", "SIT_ALUNO", "DATASIT", "SIT_COBRANCA",
                                  "PARCELADATA", "PARCELAVALOR", "PGTODATA", "PGTOVALOR"}));
}

TEST_F(Integrity, OrphanGradesAreListedAndCorrectedInEveryGradeTable)
{
    const IntegrityChecker checker(m_db);
    EXPECT_EQ(rows(4, "MATRICULA"), (QStringList{"999", "999"}));
    RecordingReporter reporter;
    EXPECT_EQ(checker.fix(0, reporter), 0); // the listing checks delete nothing
    EXPECT_FALSE(reporter.outcome()) << "and need no run";
    EXPECT_EQ(checker.fix(4, reporter), 3);
    EXPECT_EQ(reporter.outcome(), core::RunOutcome::Completed);
    EXPECT_EQ(reporter.steps(), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(rows(4, "MATRICULA").isEmpty());
    EXPECT_EQ(m_db.scalar("select count(*) from NOTAS").toInt(), 3);
    EXPECT_EQ(m_db.scalar("select count(*) from NotasUni1").toInt(), 1);
    EXPECT_EQ(m_db.scalar("select count(*) from Ccorrent").toInt(), 6);
}

TEST_F(Integrity, OrphanChargesAreListedAndCorrected)
{
    EXPECT_EQ(rows(5, "NOME"), QStringList{"SUMIDO"});
    RecordingReporter reporter;
    EXPECT_EQ(IntegrityChecker(m_db).fix(5, reporter), 1);
    EXPECT_EQ(IntegrityChecker(m_db).run(5)->recordCount(), 0);
    EXPECT_EQ(m_db.scalar("select count(*) from Ccorrent").toInt(), 5);
}

namespace {

QStringList g_logged;

void recordMaintenanceLog(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (QByteArray(context.category) == "lumesco.maintenance")
        g_logged += message;
}

} // namespace

TEST_F(Integrity, ADeletionThatFailsIsLoggedAndTheOthersStay)
{
    m_db.exec("create trigger uni1_bloqueada before delete on NotasUni1 begin select raise(abort, 'bloqueada'); end");
    g_logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordMaintenanceLog);
    RecordingReporter reporter;
    const int deleted = IntegrityChecker(m_db).fix(4, reporter);
    qInstallMessageHandler(previous);

    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(m_db.scalar("select count(*) from NOTAS where MATRICULA = 999").toInt(), 0);
    EXPECT_EQ(m_db.scalar("select count(*) from NotasUni1").toInt(), 2);
    EXPECT_EQ(reporter.outcome(), core::RunOutcome::Completed);
    EXPECT_TRUE(reporter.notes().isEmpty()) << "the check ignores such failures on screen";
    ASSERT_EQ(g_logged.size(), 1);
    EXPECT_TRUE(g_logged.first().contains("notasUni1")) << qPrintable(g_logged.first());
    EXPECT_TRUE(g_logged.first().contains("bloqueada")) << qPrintable(g_logged.first());
    EXPECT_FALSE(m_db.inTransaction());
}

TEST_F(Integrity, ExportWritesTheRowsToAFileNamedAfterTheCheckAndOpensIt)
{
    auto recording = std::make_unique<core::RecordingShell>();
    core::RecordingShell *shell = recording.get();
    auto previous = core::setShell(std::move(recording));

    EXPECT_EQ(IntegrityChecker::exportFileName(4),
              QStringLiteral("Registro de Notas sem vínculo com Alunos.csv"));
    const auto rows = IntegrityChecker(m_db).run(5);
    ASSERT_TRUE(IntegrityChecker::exportRows(*rows, 5, m_dir.path()));
    const QString path =
        m_dir.file(QStringLiteral("Registro de Pagamentos sem vínculo com Alunos.csv"));
    EXPECT_EQ(*core::readTextLines(path),
              (QStringList{"TURMA;MATRICULA;NOME;SIT_COBRANCA", "1G1A;998;SUMIDO;"}));
    EXPECT_EQ(shell->opened(), QStringList{path});
    core::setShell(std::move(previous));
}
