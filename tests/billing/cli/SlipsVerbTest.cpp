// "report DATA_DIR boletos" as a script runs it: the options of "Imprimir Boletos", the PDF, the
// slip numbers written as printing writes them, and the refusals.
#include "data/store/Database.h"
#include "support/CliProgram.h"
#include "support/TestEngine.h"
#include "support/QStringPrinting.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class SlipsVerb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        ASSERT_EQ(cli({QStringLiteral("init"), dataDir(), QStringLiteral("--year"), QStringLiteral("2009")}).exitCode, 0);
        data::Database db = data::Database::open(dataDir());
        db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO) values ('1G1A', '1ª SÉRIE A'), ('2G1A', '2ª SÉRIE A')"));
        db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G1A'), (2, 'BIA', '2G1A'), "
                               "(3, 'CAIO', '2G1A')"));
        db.exec(QStringLiteral("insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor) "
                               "values ('1G1A', 1, 'ANA', 'N', 3, '2009-03-10', 300), ('2G1A', 2, 'BIA', 'N', 3, "
                               "'2009-03-10', 300), ('2G1A', 3, 'CAIO', 'N', 3, '2009-03-10', 300), ('2G1A', 3, 'CAIO', "
                               "'N', 4, '2009-04-10', 300)"));
        db = {};
        data::Database::closeAll();
    }

    void TearDown() override
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
    QString dataDir() const { return m_year; }
    CliRun cli(QStringList arguments)
    {
        return m_program.run(arguments, {{QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2009-03-02")},
                                         {QStringLiteral("LUMESCO_USER"), QStringLiteral("SUPERVISOR")},
                                         {QStringLiteral("LUMESCO_PASSWORD"), QStringLiteral("segredo")}});
    }
    CliRun slips(const QStringList &options)
    {
        return cli(QStringList{QStringLiteral("report"), dataDir(), QStringLiteral("boletos")} + options);
    }
    QString stored() const
    {
        data::Database db = data::Database::open(dataDir());
        const QString numbers =
            db.scalar(QStringLiteral("select group_concat(coalesce(cast(NossoNum as bigint), 0), ' ') from "
                                     "(select NossoNum from CCORRENT order by Matricula, ParcelaData)"))
                .toString();
        db = {};
        data::Database::closeAll();
        return numbers;
    }

    CliProgram m_program{QStringLiteral(LUMESCO_CLI)};
    // The year's folder, or a server year of its own.
    const QString m_year = testengine::yearLocation(m_program.file(QStringLiteral("2009")));
};

} // namespace

TEST_F(SlipsVerb, WritesThePdfAndTheSlipNumbersOfTheChosenStudents)
{
    const CliRun run = slips({QStringLiteral("--from-month"), QStringLiteral("3"), QStringLiteral("--to-month"),
                              QStringLiteral("3"), QStringLiteral("--student"), QStringLiteral("3"),
                              QStringLiteral("--student"), QStringLiteral("1"), QStringLiteral("--message1"),
                              QStringLiteral("Boas aulas"), QStringLiteral("--pdf"), m_program.file(QStringLiteral("b.pdf")),
                              QStringLiteral("--dump")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(m_program.file(QStringLiteral("b.pdf"))));
    EXPECT_EQ(run.out.count(QStringLiteral("VIA DA TESOURARIA")), 2);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Boas aulas")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("PARA CADA DIA DE ATRASO APLICAR JUROS DE MORA DE  0,03%")));
    EXPECT_EQ(stored(), QStringLiteral("120090310 0 320090310 0"));
}

TEST_F(SlipsVerb, AClassAndNoFineText)
{
    const CliRun run = slips({QStringLiteral("--from-month"), QStringLiteral("3"), QStringLiteral("--to-month"),
                              QStringLiteral("4"), QStringLiteral("--class"), QStringLiteral("2G1A"),
                              QStringLiteral("--no-fine-text"), QStringLiteral("--dump")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(QStringLiteral("VIA DO ALUNO")), 3);
    EXPECT_FALSE(run.out.contains(QStringLiteral("APLICAR MULTA")));
    EXPECT_EQ(stored(), QStringLiteral("0 220090310 320090310 320090410"));
}

TEST_F(SlipsVerb, RefusesWhatItCannotPrint)
{
    CliRun run = slips({QStringLiteral("--kind"), QStringLiteral("4-Viagem")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Não há registros para o mês informado."))) << run.err.toStdString();
    run = slips({QStringLiteral("--class"), QStringLiteral("1G1A"), QStringLiteral("--student"), QStringLiteral("1")});
    EXPECT_EQ(run.exitCode, 2);
    run = slips({QStringLiteral("--from-month"), QStringLiteral("5"), QStringLiteral("--to-month"), QStringLiteral("4")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(stored(), QStringLiteral("0 0 0 0"));
}
