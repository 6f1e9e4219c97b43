// grades: the grade tables' commands as a script runs them.

#include "data/store/Database.h"

#include "support/CliProgram.h"
#include "support/QStringPrinting.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

namespace {

struct GradesRun
{
    int exitCode = -1;
    QStringList lines;
    QString err;
};

class GradesVerb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        ASSERT_EQ(cli({QStringLiteral("init"), dataDir(), QStringLiteral("--year"), QStringLiteral("2009")}).exitCode, 0);
        exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values ('1G1A', '1º ANO A')"));
        exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO) values ('01', 'PORTUGUÊS'), ('02', 'MATEMÁTICA')"));
        exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values ('1G1', '01'), ('1G1', '02')"));
        exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, ESP, SIT) values "
                            "(100, 'CARLA', '1G1A', 5, null), (101, 'ANA', '1G1A', 6, 'D'), (102, 'BIA', '1G1A', 7, '')"));
    }
    void TearDown() override
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
    QString dataDir() const { return m_year; }
    GradesRun grades(const QStringList &arguments)
    {
        return cli(QStringList{QStringLiteral("grades"), arguments.first(), dataDir()} + arguments.mid(1));
    }
    GradesRun cli(const QStringList &arguments)
    {
        const ::CliRun run = m_program.run(arguments, {{QStringLiteral("LUMESCO_USER"), QStringLiteral("SUPERVISOR")},
                                                       {QStringLiteral("LUMESCO_PASSWORD"), QStringLiteral("segredo")},
                                                       {QStringLiteral("LUMESCO_NO_SHELL"), QStringLiteral("1")}});
        return {run.exitCode, run.out.split(u'\n', Qt::SkipEmptyParts), run.err};
    }
    QVariant scalar(const QString &sql)
    {
        const QVariant value = data::Database::open(dataDir()).scalar(sql);
        data::Database::closeAll();
        return value;
    }
    void exec(const QString &sql)
    {
        data::Database::open(dataDir()).exec(sql);
        data::Database::closeAll();
    }

    CliProgram m_program{QStringLiteral(LUMESCO_CLI)};
    // The year's folder, or a server year of its own.
    const QString m_year = testengine::yearLocation(m_program.file(QStringLiteral("2009")));
};

} // namespace

TEST_F(GradesVerb, GenerateOrderTypeAndShowTheBoard)
{
    const GradesRun generated = grades({QStringLiteral("generate")});
    ASSERT_EQ(generated.exitCode, 0) << generated.err.toStdString();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from NotasUni3")).toInt(), 4);

    ASSERT_EQ(grades({QStringLiteral("order")}).exitCode, 0);
    EXPECT_EQ(scalar(QStringLiteral("select Esp from NOTAS where MATRICULA = 102 and DISC = '02'")).toInt(), 1);

    // A mark posted on a unit row stores its average and reaches the year row.
    const GradesRun posted = cli({QStringLiteral("post"), dataDir(), QStringLiteral("NotasUni1"), QStringLiteral("--key"),
                                  QStringLiteral("MATRICULA=100"), QStringLiteral("--key"), QStringLiteral("DISC=01"),
                                  QStringLiteral("NOTA1=5,0"), QStringLiteral("NOTA2=6,0")});
    ASSERT_EQ(posted.exitCode, 0) << posted.err.toStdString();

    const GradesRun board = grades({QStringLiteral("board"), QStringLiteral("--class"), QStringLiteral("1G1A"),
                                    QStringLiteral("--subject"), QStringLiteral("01"), QStringLiteral("--unit"), QStringLiteral("1")});
    ASSERT_EQ(board.exitCode, 0) << board.err.toStdString();
    EXPECT_EQ(board.lines, QStringList({"Nº;MATRICULA;NOME;Und;NOTA1;NOTA2;NOTA3;NOTA4;NOTA5;FALTAS;Ptos(1);Media;Recup;Ptos(2);Md.Final;RESULTADO",
                                        "1;102;BIA;1;;;;;;;;;;;;",
                                        "2;100;CARLA;1;5,0;6,0;;;;;;5,5;;;5,5;Recuperação*;vermelho"}));
    const GradesRun recovery = grades({QStringLiteral("board"), QStringLiteral("--class"), QStringLiteral("1G1A"),
                                       QStringLiteral("--subject"), QStringLiteral("01"), QStringLiteral("--recovery")});
    EXPECT_EQ(recovery.exitCode, 0);
    EXPECT_EQ(recovery.lines.size(), 1); // the captions alone: no year average yet

    ASSERT_EQ(grades({QStringLiteral("recalc"), QStringLiteral("--year")}).exitCode, 0);
    const GradesRun year = grades({QStringLiteral("board"), QStringLiteral("--class"), QStringLiteral("1G1A"),
                                   QStringLiteral("--subject"), QStringLiteral("01")});
    EXPECT_EQ(year.lines.last(), QStringLiteral("2;100;CARLA;5,5;;;;;;;;5,5;0;0,0;2,8;REPROVADO;vermelho"));
    EXPECT_EQ(grades({QStringLiteral("rank")}).exitCode, 0);

    const GradesRun missing = grades({QStringLiteral("board"), QStringLiteral("--class"), QStringLiteral("9X9A"),
                                      QStringLiteral("--subject"), QStringLiteral("01")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_EQ(missing.lines.first(), QStringLiteral("Não há registros de notas para esta disciplina. Use menu [Utilitários] + "
                                                    "[Gerar Tabela de Notas] para corrigir este problema."));
}

TEST_F(GradesVerb, RepairPrintsItsLogAndGenerationWithoutSubjectsStops)
{
    ASSERT_EQ(grades({QStringLiteral("generate")}).exitCode, 0);
    exec(QStringLiteral("delete from NotasUni2 where MATRICULA = 100 and DISC = '02'"));
    const GradesRun repaired = grades({QStringLiteral("repair"), QStringLiteral("100")});
    ASSERT_EQ(repaired.exitCode, 0) << repaired.err.toStdString();
    EXPECT_TRUE(repaired.lines.contains(QStringLiteral("Será necessário criar 1 entradas na tabela NOTASUNI2.DB")));
    EXPECT_TRUE(repaired.lines.contains(QStringLiteral("Adcionada: 02")));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from NotasUni2")).toInt(), 4);

    exec(QStringLiteral("delete from Discturm"));
    const GradesRun stopped = grades({QStringLiteral("generate"), QStringLiteral("--replace")});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(stopped.lines.last(), QStringLiteral("Erro na operação. Não pode continuar"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from NOTAS")).toInt(), 4);

    EXPECT_EQ(grades({QStringLiteral("import"), QStringLiteral("nada.dbf"), QStringLiteral("--unit"), QStringLiteral("1")}).lines,
              QStringList{QStringLiteral("Erro ao tentar abrir a tabela. Verifique se este é um arquivo válido ou se já não está sendo usado.")});
    EXPECT_EQ(grades({QStringLiteral("nothing")}).exitCode, 2);
}
