// The verbs a support person runs to look at a school: a real process on scratch folders.

#include "support/QStringPrinting.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QStringList lines;
    QString err;
};

CliRun cli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2026-03-05"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LUMESCO_CLI), arguments);
    process.waitForFinished(120000);
    CliRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Drops the server years a test made, however it ends.
struct ServerYearsDropped
{
    ~ServerYearsDropped() { testengine::dropServerYears(); }
};

} // namespace

TEST(ReadVerbs, YearsWritesTheDefaultsAndListsOneYear)
{
    TempDir program;
    const CliRun run = cli({QStringLiteral("--program-dir"), program.path(), QStringLiteral("years")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines, QStringList({QStringLiteral("2026;") + program.file(QStringLiteral("Data"))}));
    EXPECT_EQ(program.read(QStringLiteral("ConfigRede.txt")),
              QByteArray("!Gera\xe7\xe3o Autom\xe1tica \r\nAno Letivo;Caminho\r\n2026;") +
                  program.file(QStringLiteral("Data")).toUtf8() + "\r\n");
    EXPECT_EQ(program.read(QStringLiteral("Usuarios.Config.txt")),
              program.file(QStringLiteral("Data")).toUtf8() + "\r\n!Gera\xe7\xe3o Autom\xe1tica \r\n");
}

TEST(ReadVerbs, DemoSchoolListsThroughIndexesFiltersAndReports)
{
    TempDir school;
    const ServerYearsDropped dropped;
    const QString dir = testengine::yearLocation(school.file(QStringLiteral("2026")));
    const CliRun init = cli({QStringLiteral("init"), dir, QStringLiteral("--year"), QStringLiteral("2026"),
                             QStringLiteral("--demo"), QStringLiteral("--students"), QStringLiteral("60")});
    ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
    EXPECT_EQ(init.lines.value(1).section(u',', 0, 0), QStringLiteral("Escola de demonstração: 60 alunos"));
    EXPECT_TRUE(init.lines.last().startsWith(QStringLiteral("Livro caixa: ")));
    EXPECT_TRUE(init.err.isEmpty()) << "no progress line on a pipe: " << init.err.toStdString();
    const CliRun again = cli({QStringLiteral("init"), dir, QStringLiteral("--demo")});
    EXPECT_NE(again.exitCode, 0);

    // Active students by name: the header line, then rows in alphabetical order.
    const CliRun active = cli({QStringLiteral("table"), dir, QStringLiteral("Alunos.DB"),
                               QStringLiteral("--index"), QStringLiteral("kNome"),
                               QStringLiteral("--filter"), QStringLiteral("(SIT <> 'D') AND (SIT <> 'T')"),
                               QStringLiteral("--fields"), QStringLiteral("NOME,SIT")});
    ASSERT_EQ(active.exitCode, 0) << active.err.toStdString();
    EXPECT_EQ(active.lines.first(), QStringLiteral("NOME;SIT"));
    ASSERT_GT(active.lines.size(), 10);
    for (const QString &line : active.lines.mid(1)) {
        const QString sit = line.section(u';', 1);
        EXPECT_TRUE(sit != u"D" && sit != u"T") << line.toStdString();
    }
    const CliRun count = cli({QStringLiteral("sql"), dir,
                              QStringLiteral("select count(*) as N from alunos")});
    ASSERT_EQ(count.exitCode, 0) << count.err.toStdString();
    EXPECT_EQ(count.lines.value(1), QStringLiteral("60"));
    EXPECT_LT(active.lines.size() - 1, 60); // some dropped out or moved away

    const CliRun report = cli({QStringLiteral("report"), dir, QStringLiteral("turmas"), QStringLiteral("--dump")});
    ASSERT_EQ(report.exitCode, 0) << report.err.toStdString();
    EXPECT_TRUE(report.lines.join(u'\n').contains(QStringLiteral("TABELA DE TURMAS / MENSALIDADES")));

    const QString pdf = school.file(QStringLiteral("turmas.pdf"));
    ASSERT_EQ(cli({QStringLiteral("report"), dir, QStringLiteral("turmas"), QStringLiteral("--pdf"), pdf}).exitCode, 0);
    EXPECT_TRUE(school.read(QStringLiteral("turmas.pdf")).startsWith("%PDF"));

    const CliRun extra = cli({QStringLiteral("report"), dir, QStringLiteral("turmas"), QStringLiteral("--param"),
                              QStringLiteral("turma=1G1A")});
    EXPECT_EQ(extra.exitCode, 2);
    EXPECT_EQ(extra.err.trimmed(), QStringLiteral("Parâmetro desconhecido: turma (este relatório não tem parâmetros)."));
    const CliRun unknown = cli({QStringLiteral("report"), dir, QStringLiteral("nao-existe")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("relatórios: disciplinas, turmas, disciplinas-turma"))) << unknown.err.toStdString();
}

TEST(ReadVerbs, ReportHelpListsEveryReportWithItsMenuEntry)
{
    const CliRun help = cli({QStringLiteral("report"), QStringLiteral("--help")});
    ASSERT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.lines.contains(QStringLiteral("  turmas               Relatórios > i. Turmas e Valor da Mensalidade")))
        << help.lines.join(u'\n').toStdString();
    EXPECT_TRUE(help.lines.contains(QStringLiteral("  caixa-movimento      MOVIMENTO DO CAIXA")))
        << "a report of a module's window goes by its title";
}

TEST(ReadVerbs, CheckCorrectsOrphansAndListsAgain)
{
    TempDir school;
    const ServerYearsDropped dropped;
    const QString dir = testengine::yearLocation(school.file(QStringLiteral("2026")));
    ASSERT_EQ(cli({QStringLiteral("init"), dir, QStringLiteral("--year"), QStringLiteral("2026")}).exitCode, 0);
    ASSERT_EQ(cli({QStringLiteral("sql"), dir,
                   QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome) values (9, 'PO', '1G1A', 'SUMIDO')")})
                  .exitCode,
              0);
    const CliRun listed = cli({QStringLiteral("check"), dir, QStringLiteral("5")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.lines, (QStringList{QStringLiteral("TURMA;MATRICULA;NOME;SIT"), QStringLiteral("1G1A;9;SUMIDO;")}));
    EXPECT_TRUE(listed.err.contains(QStringLiteral("Registros: 1")));

    const CliRun fixed = cli({QStringLiteral("check"), dir, QStringLiteral("5"), QStringLiteral("--fix")});
    ASSERT_EQ(fixed.exitCode, 0) << fixed.err.toStdString();
    EXPECT_EQ(fixed.lines, QStringList{QStringLiteral("TURMA;MATRICULA;NOME;SIT")});
    EXPECT_TRUE(fixed.err.contains(QStringLiteral("Registros: 0")));

    const CliRun param = cli({QStringLiteral("sql"), dir, QStringLiteral("select 1"),
                              QStringLiteral("--param"), QStringLiteral("semigual")});
    EXPECT_EQ(param.exitCode, 2);
    EXPECT_TRUE(param.err.contains(QStringLiteral("esperado --param NOME=VALOR: semigual"))) << param.err.toStdString();
}

TEST(ReadVerbs, BadUsageAndBadInputFailWithAMessage)
{
    const CliRun unknown = cli({QStringLiteral("nothing")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("verbo desconhecido")));

    TempDir school;
    const CliRun filter = cli({QStringLiteral("table"), school.path(), QStringLiteral("Alunos.DB"),
                               QStringLiteral("--filter"), QStringLiteral("(SIT <> ")});
    EXPECT_NE(filter.exitCode, 0);
    EXPECT_FALSE(filter.err.isEmpty());

    const CliRun round = cli({QStringLiteral("round"), QStringLiteral("2"), QStringLiteral("5,25")});
    EXPECT_EQ(round.exitCode, 0);
    EXPECT_EQ(round.lines, QStringList({QStringLiteral("5")}));
}
