// `lumesco-cli booklets` and `charges import` as a script runs them: numbering a class's March
// booklets without the printer and into a PDF of the bank's forms, and bringing the bank's slip
// numbers back from its dBase file.
#include "data/store/Database.h"
#include "support/CliProgram.h"
#include "support/TestEngine.h"
#include "support/QStringPrinting.h"

#include <QFile>
#include <gtest/gtest.h>
#include <shapefil.h>

namespace {

class BookletsVerb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        const CliRun init = cli({QStringLiteral("init"), dataDir(), QStringLiteral("--year"), QStringLiteral("2009")});
        ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
        exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO, Valor_Mensalidade) values ('1G1A', '1ª A', 300), "
                            "('2G1A', '2ª A', 400)"));
        exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, VENCIMENTO) values "
                            "(1, 'ANA', '1G1A', '10'), (2, 'BRUNO', '1G1A', '10'), (3, 'CAIO', '2G1A', '10')"));
        ASSERT_EQ(cli({QStringLiteral("charges"), QStringLiteral("fees"), dataDir(), QStringLiteral("--month"),
                       QStringLiteral("3")})
                      .exitCode,
                  0);
    }

    void TearDown() override
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
    QString dataDir() const { return m_year; }
    CliRun cli(const QStringList &arguments)
    {
        return m_program.run(arguments, {{QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2009-02-15")},
                                         {QStringLiteral("LUMESCO_USER"), QStringLiteral("SUPERVISOR")},
                                         {QStringLiteral("LUMESCO_PASSWORD"), QStringLiteral("segredo")}});
    }
    CliRun booklets(const QStringList &arguments)
    {
        return cli(QStringList{QStringLiteral("booklets"), dataDir()} + arguments);
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

TEST_F(BookletsVerb, NumbersAClassWithoutThePrinter)
{
    const CliRun run = booklets({QStringLiteral("--start"), QStringLiteral("41"), QStringLiteral("--class"),
                                 QStringLiteral("1G1A"), QStringLiteral("--from-month"), QStringLiteral("3"),
                                 QStringLiteral("--to-month"), QStringLiteral("3"), QStringLiteral("--no-printer")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Impressão foi concluída\n"));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(cast(Matricula as integer) || ':' || cast(NossoNum as bigint)) from "
                                    "(select * from CCORRENT where NossoNum is not null order by NossoNum)")),
              QStringLiteral("1:41,2:42"));
}

TEST_F(BookletsVerb, WritesTheFormsToAPdfAndRefusesWrongOptions)
{
    const QString pdf = m_program.file(QStringLiteral("carnes.pdf"));
    CliRun run = booklets({QStringLiteral("--start"), QStringLiteral("1"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 2); // three slips, two sheets
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from CCORRENT where NossoNum between 1 and 3")), QStringLiteral("3"));

    run = booklets({QStringLiteral("--start"), QStringLiteral("1")});
    EXPECT_EQ(run.exitCode, 2);
    run = booklets({QStringLiteral("--start"), QStringLiteral("0"), QStringLiteral("--no-printer")});
    EXPECT_EQ(run.exitCode, 2);
    run = booklets({QStringLiteral("--start"), QStringLiteral("5"), QStringLiteral("--no-printer"),
                    QStringLiteral("--class"), QStringLiteral("9Z9Z")});
    EXPECT_EQ(run.out, QStringLiteral("Nada há para imprimir para esta Turma.\n"));
}

TEST_F(BookletsVerb, ImportsTheBanksSlipNumbersAndPrintsTheCounters)
{
    const QString path = m_program.file(QStringLiteral("banco.dbf"));
    DBFHandle h = DBFCreate(QFile::encodeName(path).constData());
    DBFAddField(h, "matricula", FTDouble, 10, 0);
    DBFAddField(h, "vencimento", FTString, 6, 0);
    DBFAddField(h, "noss_nr_dv", FTString, 12, 0);
    DBFWriteDoubleAttribute(h, 0, 0, 2);
    DBFWriteStringAttribute(h, 0, 1, "100309");
    DBFWriteStringAttribute(h, 0, 2, "123456789017");
    DBFWriteDoubleAttribute(h, 1, 0, 3);
    DBFWriteStringAttribute(h, 1, 1, "100409");
    DBFWriteStringAttribute(h, 1, 2, "999999999999");
    DBFClose(h);
    const CliRun run = cli({QStringLiteral("charges"), QStringLiteral("import"), dataDir(), path, QStringLiteral("--bank")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Lendo: 2 de 2\nGravados: 1\n"));
    EXPECT_EQ(scalar(QStringLiteral("select cast(NossoNum as bigint) from CCORRENT where Matricula = 2")),
              QStringLiteral("12345678901"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from CCORRENT where NossoNum is not null")), QStringLiteral("1"));
}
