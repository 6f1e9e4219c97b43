// The cash book's verbs as a script runs them: a real program folder, a real process.

#include "data/store/Database.h"

#include "support/QStringPrinting.h"
#include "support/CliProgram.h"
#include "support/TestEngine.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

class CashVerbs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        if (!testengine::onServer())
            QDir().mkpath(dataDir());
    }
    void TearDown() override
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    QString dataDir() const { return m_year; }

    CliRun cli(const QStringList &arguments)
    {
        return m_program.run(arguments, {{QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2009-03-05")},
                                         {QStringLiteral("LUMESCO_USER"), QStringLiteral("SUPERVISOR")},
                                         {QStringLiteral("LUMESCO_PASSWORD"), QStringLiteral("segredo")}});
    }
    CliRun post(const QStringList &arguments) { return cli(QStringList{QStringLiteral("post"), dataDir()} + arguments); }
    void expectPosted(const QStringList &arguments)
    {
        const CliRun run = post(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    QString scalar(const QString &sql)
    {
        const QString value = data::Database::open(dataDir()).scalar(sql).toString();
        data::Database::closeAll();
        return value;
    }

    // Revenue group 1 with one account; expense groups 1 and 2, the second with two accounts;
    // a bank; movements in March and April 2009, all through the cash book's rules.
    void postCashBook()
    {
        expectPosted({QStringLiteral("GrupoConta"), QStringLiteral("Tipo_Grupo=0"), QStringLiteral("Descricao_Grupo=MENSALIDADES")});
        expectPosted({QStringLiteral("GrupoConta"), QStringLiteral("Tipo_Grupo=1"), QStringLiteral("Descricao_Grupo=PESSOAL")});
        expectPosted({QStringLiteral("GrupoConta"), QStringLiteral("Tipo_Grupo=1"), QStringLiteral("Descricao_Grupo=DESPESAS FIXAS")});
        expectPosted({QStringLiteral("Conta"), QStringLiteral("CodGrupo_Conta=0"), QStringLiteral("CodGrupo_Grupo=1"),
                      QStringLiteral("Descricao_Conta=MENSALIDADES ESCOLARES")});
        expectPosted({QStringLiteral("Conta"), QStringLiteral("CodGrupo_Conta=1"), QStringLiteral("CodGrupo_Grupo=2"),
                      QStringLiteral("Descricao_Conta=ENERGIA")});
        expectPosted({QStringLiteral("Bancos"), QStringLiteral("Descricao_Bancos=BANCO DO BRASIL")});
        const struct
        {
            const char *kind, *group, *account, *date, *value;
        } movements[] = {{"0", "1", "1", "02/03/2009", "1.000,00"},
                         {"1", "2", "1", "10/03/2009", "300,10"},
                         {"1", "2", "1", "15/03/2009", "200,20"},
                         {"0", "1", "1", "01/04/2009", "50,00"}};
        for (const auto &m : movements) {
            expectPosted({QStringLiteral("MovFin"), QStringLiteral("CodGrupo_MovFin=") + QString::fromLatin1(m.kind),
                          QStringLiteral("CodGrupo_Grupo=") + QString::fromLatin1(m.group),
                          QStringLiteral("CodConta_MovFin=") + QString::fromLatin1(m.account),
                          QStringLiteral("Data_MovFin=") + QString::fromLatin1(m.date),
                          QStringLiteral("Valor_MovFin=") + QString::fromLatin1(m.value),
                          QStringLiteral("CodBanco_MovFin=1"), QStringLiteral("Descricao_MovFin=CONTA DE LUZ")});
        }
    }

    CliProgram m_program{QStringLiteral(LUMESCO_CLI)};
    // The year's folder, or a server year of its own.
    const QString m_year = testengine::yearLocation(m_program.file(QStringLiteral("2009")));
};

} // namespace

TEST_F(CashVerbs, PostsNumberGroupsAndAccountsAndCheckTheDueDay)
{
    postCashBook();
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(Tipo_Grupo || '/' || CodGrupo_Grupo, ' ') from "
                                    "(select * from GrupoConta order by Tipo_Grupo, CodGrupo_Grupo)")),
              QStringLiteral("0/1 1/1 1/2"));
    const CliRun second = post({QStringLiteral("Conta"), QStringLiteral("CodGrupo_Conta=1"), QStringLiteral("CodGrupo_Grupo=2"),
                                QStringLiteral("Descricao_Conta=ÁGUA"), QStringLiteral("DATA_VENC=32")});
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_TRUE(second.err.contains(QStringLiteral("Valor deve estar entre '01' e '31'."))) << second.err.toStdString();
    EXPECT_EQ(scalar(QStringLiteral("select CodConta_Conta || '/' || DATA_VENC from Conta where Descricao_Conta = 'ÁGUA'")),
              QStringLiteral("2/1"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from MovFin where CodGrupo_MovFin = '1' and CodGrupo_Grupo = 2 "
                                    "and CodConta_MovFin = 1")),
              QStringLiteral("2"));
    const CliRun unknownAccount = post({QStringLiteral("MovFin"), QStringLiteral("CodGrupo_MovFin=1"),
                                        QStringLiteral("CodGrupo_Grupo=1"), QStringLiteral("CodConta_MovFin=7"),
                                        QStringLiteral("Valor_MovFin=1")});
    EXPECT_NE(unknownAccount.exitCode, 0) << "a movement needs an account that exists";
}

TEST_F(CashVerbs, TotalsAreTheWindowsForAnAccountAndAPeriod)
{
    postCashBook();
    const CliRun whole = cli({QStringLiteral("cash"), QStringLiteral("totals"), dataDir()});
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    EXPECT_EQ(whole.out, QStringLiteral("TOTAL_CONTA;RECEITAS;DESPESAS;SALDO\n"
                                        "R$ 1.050,00;R$ 1.050,00;R$ 500,30;R$ 549,70\n"));
    const CliRun march = cli({QStringLiteral("cash"), QStringLiteral("totals"), dataDir(), QStringLiteral("--account"),
                              QStringLiteral("1/2/1"), QStringLiteral("--from"), QStringLiteral("01/03/2009"),
                              QStringLiteral("--to"), QStringLiteral("31/03/2009")});
    EXPECT_EQ(march.out, QStringLiteral("TOTAL_CONTA;RECEITAS;DESPESAS;SALDO\n"
                                        "R$ 500,30;R$ 1.000,00;R$ 500,30;R$ 499,70\n"));
    const CliRun empty = cli({QStringLiteral("cash"), QStringLiteral("totals"), dataDir(), QStringLiteral("--from"),
                              QStringLiteral("01/01/2010"), QStringLiteral("--to"), QStringLiteral("31/01/2010")});
    EXPECT_EQ(empty.out.split(u'\n').value(1), QStringLiteral("R$ 0,00;R$ 0,00;R$ 0,00;R$ 0,00"));

    EXPECT_EQ(cli({QStringLiteral("cash"), QStringLiteral("totals"), dataDir(), QStringLiteral("--account"),
                   QStringLiteral("0/9/9")}).exitCode, 1);
    EXPECT_EQ(cli({QStringLiteral("cash"), QStringLiteral("totals"), dataDir(), QStringLiteral("--from"),
                   QStringLiteral("01/03/2009")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("cash"), QStringLiteral("somas"), dataDir()}).exitCode, 2);
}

TEST_F(CashVerbs, ExportWritesTheWindowsFileInTheWorkingDirectory)
{
    postCashBook();
    const CliRun run = cli({QStringLiteral("export"), dataDir(), QStringLiteral("03"), QStringLiteral("--from"),
                            QStringLiteral("01/03/2009"), QStringLiteral("--to"), QStringLiteral("31/03/2009")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString path = m_program.file(QStringLiteral("03-MOVIMENTAÇÃO FINANCEIRA .csv"));
    EXPECT_EQ(run.out.trimmed(), QDir::toNativeSeparators(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("\r\n"));
    const QStringList lines = QString(QStringDecoder("windows-1252").decode(bytes)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << "field names and the three movements of March";
    EXPECT_EQ(lines.at(0), QStringLiteral("TIPO;GRUPO;GRUPO_DESC;CONTA;CONTA_DESC;DATA;CHEQUE;VALOR;DESCRICAO;NOTAFISCAL"));
    EXPECT_EQ(lines.at(2), QStringLiteral("1;2;DESPESAS FIXAS;1;ENERGIA;10/03/2009;;300,10;CONTA DE LUZ;"));

    EXPECT_EQ(cli({QStringLiteral("export"), dataDir(), QStringLiteral("04")}).exitCode, 1);
    EXPECT_EQ(cli({QStringLiteral("export"), dataDir(), QStringLiteral("MENSALIDADES")}).exitCode, 2);
}

TEST_F(CashVerbs, TheCashReportsRunFromTheRegistryWithTheirPeriod)
{
    postCashBook();
    const QString pdf = m_program.file(QStringLiteral("movimento.pdf"));
    const CliRun march = cli({QStringLiteral("report"), dataDir(), QStringLiteral("caixa-movimento"), QStringLiteral("--param"),
                              QStringLiteral("from=01/03/2009"), QStringLiteral("--param"), QStringLiteral("to=31/03/2009"),
                              QStringLiteral("--dump"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(march.exitCode, 0) << march.err.toStdString();
    EXPECT_TRUE(march.out.contains(QStringLiteral("PERÍODO: 01/03/2009 a 31/03/2009")));
    EXPECT_TRUE(march.out.contains(QStringLiteral("1.000,00")));
    EXPECT_TRUE(march.err.startsWith(QStringLiteral("MOVIMENTO DO CAIXA: 1 página")));
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");

    // The period's parameters are options of their own as well.
    const CliRun backwards = cli({QStringLiteral("report"), dataDir(), QStringLiteral("caixa-fluxo"), QStringLiteral("--from"),
                                  QStringLiteral("31/03/2009"), QStringLiteral("--to"), QStringLiteral("01/03/2009")});
    EXPECT_NE(backwards.exitCode, 0);
    EXPECT_TRUE(backwards.err.contains(QStringLiteral("Data Final não pode ser menor do que a Data Inicial")))
        << backwards.err.toStdString();

    const CliRun unknown = cli({QStringLiteral("report"), dataDir(), QStringLiteral("caixa-fluxo"), QStringLiteral("--class"),
                                QStringLiteral("1A")});
    EXPECT_EQ(unknown.exitCode, 2) << unknown.err.toStdString();

    for (const char *name : {"caixa-grupos", "caixa-contas", "caixa-receita-despesa"}) {
        const CliRun run = cli({QStringLiteral("report"), dataDir(), QString::fromLatin1(name)});
        EXPECT_EQ(run.exitCode, 0) << name << run.err.toStdString();
    }
    const CliRun help = cli({QStringLiteral("report"), QStringLiteral("--help")});
    EXPECT_TRUE(help.out.contains(QStringLiteral("caixa-receita-despesa"))) << help.out.toStdString();
}
