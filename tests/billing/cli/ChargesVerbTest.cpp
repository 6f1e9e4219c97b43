// `lumesco-cli charges` as a script runs it: generating the year on the demo school, receiving a
// late payment, listing a view with its totals and exporting it, the rights, and the deletion.
#include "data/store/Database.h"
#include "support/CliProgram.h"
#include "support/TestEngine.h"
#include "support/QStringPrinting.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class ChargesVerb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        const CliRun init = cli({QStringLiteral("init"), dataDir(), QStringLiteral("--year"), QStringLiteral("2009")});
        ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
        exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO, Valor_Mensalidade) values ('1G1A', '1ª A', 300)"));
        exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, VENCIMENTO, ABAT, IMP) values "
                            "(1, 'ANA', '1G1A', '10', 10, '%'), (2, 'BRUNO', '1G1A', '10', 0, null), "
                            "(3, 'CAIO', '1G1A', '10', 0, null)"));
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
    CliRun charges(const QStringList &arguments)
    {
        return cli(QStringList{QStringLiteral("charges"), arguments.first(), dataDir()} + arguments.mid(1));
    }
    void exec(const QString &sql)
    {
        data::Database::open(dataDir()).exec(sql);
        data::Database::closeAll();
    }
    QString scalar(const QString &sql)
    {
        const QString value = data::Database::open(dataDir()).scalar(sql).toString();
        data::Database::closeAll();
        return value;
    }

    CliProgram m_program{QStringLiteral(LUMESCO_CLI)};
    // The year's folder, or a server year of its own.
    const QString m_year = testengine::yearLocation(m_program.file(QStringLiteral("2009")));
};

} // namespace

TEST_F(ChargesVerb, GeneratesAMonthAndAsksBeforeRedoingIt)
{
    CliRun run = charges({QStringLiteral("fees"), QStringLiteral("--month"), QStringLiteral("3")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Rotina completada com sucesso\n"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from CCORRENT where ParcelaNum = 3 and Tipo = 'N'")), QStringLiteral("3"));
    EXPECT_EQ(scalar(QStringLiteral("select DescontoFixo from CCORRENT where Matricula = 1")), QStringLiteral("30"));

    run = charges({QStringLiteral("fees"), QStringLiteral("--month"), QStringLiteral("3")}); // No by default
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from CCORRENT")), QStringLiteral("3"));
    run = charges({QStringLiteral("fees"), QStringLiteral("--month"), QStringLiteral("3"), QStringLiteral("--redo"),
                   QStringLiteral("--student"), QStringLiteral("2")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from CCORRENT where Matricula = 2")), QStringLiteral("2"));

    run = charges({QStringLiteral("fees"), QStringLiteral("--fine"), QStringLiteral("2.0")});
    EXPECT_EQ(run.exitCode, 2);
}

TEST_F(ChargesVerb, ReceivesALatePaymentAsTheDialogComputesIt)
{
    ASSERT_EQ(charges({QStringLiteral("fees"), QStringLiteral("--month"), QStringLiteral("3")}).exitCode, 0);
    const QStringList key{QStringLiteral("--key"), QStringLiteral("Matricula=2"), QStringLiteral("--key"),
                          QStringLiteral("ParcelaNum=3")};
    CliRun run = charges(QStringList{QStringLiteral("receive")} + key + QStringList{QStringLiteral("--dry-run")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("DIAS;ACRESCIMOS;VALOR_A_RECEBER\n4;0,36;300,36\n"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from CCORRENT where PgtoData is not null")), QStringLiteral("0"));

    run = charges(QStringList{QStringLiteral("receive")} + key
                  + QStringList{QStringLiteral("--fine"), QStringLiteral("2,0"), QStringLiteral("--means"), QStringLiteral("1")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("DIAS;ACRESCIMOS;VALOR_A_RECEBER\n4;6,36;306,36\n")));
    EXPECT_EQ(scalar(QStringLiteral("select PgtoValor || ' ' || FORMAPGTO || ' ' || STATUS2 || ' ' || USUARIO "
                                    "from CCORRENT where Matricula = 2")),
              QStringLiteral("306.36 1 2 SUPERVISOR"));

    run = charges({QStringLiteral("receive"), QStringLiteral("--key"), QStringLiteral("Matricula=9")});
    EXPECT_NE(run.exitCode, 0);
}

TEST_F(ChargesVerb, ListsAViewWithItsTotalsAndExportsIt)
{
    ASSERT_EQ(charges({QStringLiteral("fees"), QStringLiteral("--month"), QStringLiteral("3")}).exitCode, 0);
    ASSERT_EQ(charges({QStringLiteral("receive"), QStringLiteral("--key"), QStringLiteral("Matricula=3"),
                       QStringLiteral("--on"), QStringLiteral("10/03/2009")})
                  .exitCode,
              0);
    const CliRun run = charges({QStringLiteral("list"), QStringLiteral("--view"), QStringLiteral("Apenas os NÃO Pagos"),
                                QStringLiteral("--export")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("TURMA;MATRICULA;NOME;TIPO;PARCELANUM;PARCELADATA")));
    EXPECT_EQ(lines.at(3), QStringLiteral("Mensalidades: 600,00;Desc.Fixo: 30,00;Desc.Eventual 0,00;Acréscimos: 0,00;"
                                          "Vlr a Pagar 570,00;Valor Pago 0,00"));
    EXPECT_TRUE(QFile::exists(m_program.file(QStringLiteral("Tipo de Cobrança_Todos_Filtro_Apenas os NÃO Pagos.csv"))));
}

TEST_F(ChargesVerb, DeletingEverythingIsTheSupervisorsAndNeedsYes)
{
    ASSERT_EQ(charges({QStringLiteral("fees"), QStringLiteral("--month"), QStringLiteral("1")}).exitCode, 0);
    EXPECT_EQ(charges({QStringLiteral("delete-all")}).exitCode, 2);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from CCORRENT")), QStringLiteral("3"));
    EXPECT_EQ(charges({QStringLiteral("verify")}).exitCode, 0);
    EXPECT_EQ(charges({QStringLiteral("delete-all"), QStringLiteral("--yes")}).exitCode, 0);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from CCORRENT")), QStringLiteral("0"));
}
