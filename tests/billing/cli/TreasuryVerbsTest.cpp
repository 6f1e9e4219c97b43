// `words`, `contracts` and `spreadsheet` as a script runs them, on a program folder of their own.
#include "data/store/Database.h"
#include "support/CliProgram.h"
#include "support/TestEngine.h"
#include "support/QStringPrinting.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class TreasuryVerbs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        ASSERT_EQ(cli({QStringLiteral("init"), dataDir(), QStringLiteral("--year"), QStringLiteral("2009")}).exitCode, 0);
        data::Database db = data::Database::open(dataDir());
        db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO, Valor_Mensalidade) values ('1G1A', '1ª SÉRIE A', 1200)"));
        db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, SIT, NOME_RESP) values "
                               "(1, 'ANA', '1G1A', null, 'JOÃO D''ÁVILA'), (2, 'CAIO', '1G1A', 'T', null)"));
        db.exec(QStringLiteral("insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor, "
                               "PgtoData, PgtoValor) values ('1G1A', 1, 'ANA', 'N', 3, '2009-03-10', 1200, '2009-03-09', 1200)"));
        db = {};
        data::Database::closeAll();
    }

    void TearDown() override
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
    QString dataDir() const { return m_year; }
    CliRun cli(const QStringList &arguments, const QString &user = QStringLiteral("SUPERVISOR"))
    {
        return m_program.run(arguments, {{QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2009-03-15")},
                                         {QStringLiteral("LUMESCO_USER"), user},
                                         {QStringLiteral("LUMESCO_PASSWORD"), QStringLiteral("segredo")}});
    }

    CliProgram m_program{QStringLiteral(LUMESCO_CLI)};
    // The year's folder, or a server year of its own.
    const QString m_year = testengine::yearLocation(m_program.file(QStringLiteral("2009")));
};

} // namespace

TEST_F(TreasuryVerbs, WordsPrintsTheAmountOrRefusesIt)
{
    CliRun run = cli({QStringLiteral("words"), QStringLiteral("1.200")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("mil e duzentos reais\n"));
    run = cli({QStringLiteral("words"), QStringLiteral("0")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QStringLiteral("***Valor inválido***\n"));
}

TEST_F(TreasuryVerbs, ContractsWritesTheFileBesideTheModelAndPrintsItsPath)
{
    CliRun run = cli({QStringLiteral("contracts"), dataDir(), QStringLiteral("--class"), QStringLiteral("1g1a")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString output = m_program.file(QStringLiteral("Contrato_1ª_SÉRIE_A.rtf"));
    EXPECT_EQ(run.out, output + u'\n');
    EXPECT_TRUE(QFile::exists(m_program.file(QStringLiteral("Contrato.rtf"))));
    const QByteArray rtf = m_program.read(QStringLiteral("Contrato_1ª_SÉRIE_A.rtf"));
    EXPECT_TRUE(rtf.contains("JO\\'c3O D'\\'c1VILA"));
    EXPECT_TRUE(rtf.contains("(quatorze mil e quatrocentos reais)"));
    EXPECT_FALSE(rtf.contains("CAIO"));

    run = cli({QStringLiteral("contracts"), dataDir(), QStringLiteral("--student"), QStringLiteral("2")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("A turma indicada não possui registros de alunos")));
    run = cli({QStringLiteral("contracts"), dataDir(), QStringLiteral("--model"), m_program.file(QStringLiteral("nada.rtf"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Não foi possível ler o modelo de contrato")));
}

TEST_F(TreasuryVerbs, TheSpreadsheetsFollowTheRights)
{
    CliRun run = cli({QStringLiteral("spreadsheet"), dataDir(), QStringLiteral("pagamentos")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Arquivo exportado com sucesso!")));
    const QStringList lines = QString::fromLatin1(m_program.read(QStringLiteral("Relação Anual de Pagamentos Previsto x Realizado.csv")))
                                  .split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.first(), QStringLiteral(";1G1A"));

    ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("TESOURARIA"), QStringLiteral("--rights"),
                   QStringLiteral("Carnes")}).exitCode, 0);
    m_program.setPassword(QStringLiteral("TESOURARIA"), QStringLiteral("segredo"));
    run = cli({QStringLiteral("spreadsheet"), dataDir(), QStringLiteral("pagamentos")}, QStringLiteral("TESOURARIA"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("só do Supervisor")));
    run = cli({QStringLiteral("spreadsheet"), dataDir(), QStringLiteral("mensalidades")}, QStringLiteral("TESOURARIA"));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(m_program.file(QStringLiteral("Relação Anual de Mensalidades.csv"))));
}
