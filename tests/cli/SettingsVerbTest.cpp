// settings: a support person reads and changes the school's settings from a script.

#include "data/store/Database.h"

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

class SettingsVerb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("init"), dataDir(), QStringLiteral("--year"), QStringLiteral("2026")})
                      .exitCode,
                  0);
    }

    void TearDown() override
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
    QString dataDir() const { return m_year; }
    // The user's local data folder of the runs, where the diagnostic log goes.
    QString logFile() const { return m_home.file(QStringLiteral("Lumesco/Lumesco/lumesco.log")); }

    CliRun cli(const QStringList &arguments) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(LUMESCO_CLI), arguments);
        process.waitForFinished(120000);
        CliRun run;
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
    CliRun set(const QStringList &changes) const
    {
        QStringList arguments = {QStringLiteral("settings"), dataDir()};
        for (const QString &change : changes)
            arguments << QStringLiteral("--set") << change;
        return cli(arguments);
    }

    TempDir m_school;
    TempDir m_home;
    // The year's folder, or a server year of its own.
    const QString m_year = testengine::yearLocation(m_school.file(QStringLiteral("2026")));
};

} // namespace

TEST_F(SettingsVerb, ListsEveryItemAndSavesTheGivenOnes)
{
    const CliRun listed = set({});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    ASSERT_EQ(listed.lines.size(), 30);
    EXPECT_TRUE(listed.lines.contains(QStringLiteral("Pix_Chave;")));
    EXPECT_EQ(listed.lines.first(), QStringLiteral("Estabel;"));
    EXPECT_TRUE(listed.lines.contains(QStringLiteral("Juros;0,03")));

    const CliRun changed = set({QStringLiteral("Juros=1.500,25"), QStringLiteral("unid_aval=3"),
                                QStringLiteral("Usa_Rede=sim"), QStringLiteral("UF=BAHIA")});
    ASSERT_EQ(changed.exitCode, 0) << changed.err.toStdString();
    EXPECT_TRUE(changed.lines.contains(QStringLiteral("Juros;1500,25")));
    EXPECT_TRUE(changed.lines.contains(QStringLiteral("Unid_Aval;3")));
    EXPECT_TRUE(changed.lines.contains(QStringLiteral("Usa_Rede;True")));
    EXPECT_TRUE(changed.lines.contains(QStringLiteral("UF;BA")));
    EXPECT_TRUE(changed.err.isEmpty()) << changed.err.toStdString();
}

TEST_F(SettingsVerb, AValueThatDoesNotFitChangesNothing)
{
    const CliRun point = set({QStringLiteral("Uni_Media=8"), QStringLiteral("Juros=0.05")});
    EXPECT_EQ(point.exitCode, 2);
    EXPECT_TRUE(point.lines.isEmpty());
    EXPECT_EQ(point.err.trimmed(),
              QStringLiteral("valor inválido para Juros: \"0.05\" não é um número válido. Use a vírgula "
                             "para os decimais (0,05) e o ponto só para os milhares (1.500,00)."));
    const CliRun range = set({QStringLiteral("Unid_Aval=5")});
    EXPECT_EQ(range.exitCode, 2);
    EXPECT_EQ(range.err.trimmed(), QStringLiteral("valor inválido para Unid_Aval: 5 (de 1 a 4)"));
    const CliRun malformed = set({QStringLiteral("Juros")});
    EXPECT_EQ(malformed.exitCode, 2);
    EXPECT_EQ(malformed.err.trimmed(), QStringLiteral("esperado --set ITEM=VALOR: Juros"));
    const CliRun unknown = set({QStringLiteral("Cor=azul")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err.trimmed(), QStringLiteral("item de configuração desconhecido: Cor"));

    const CliRun listed = set({});
    EXPECT_TRUE(listed.lines.contains(QStringLiteral("Uni_Media;7")));
    EXPECT_TRUE(listed.lines.contains(QStringLiteral("Juros;0,03")));
}

TEST_F(SettingsVerb, AFailedSaveExitsNonZeroAndIsLoggedOffStandardOutput)
{
    const QStringList lock = testengine::onServer()
        ? QStringList{QStringLiteral("create function travada() returns trigger language plpgsql as "
                                     "$$ begin raise exception 'tabela travada'; end $$"),
                      QStringLiteral("create trigger travada before update on Usuario for each row "
                                     "execute function travada()")}
        : QStringList{QStringLiteral("create trigger travada before update on Usuario "
                                     "begin select raise(abort, 'tabela travada'); end")};
    for (const QString &sql : lock)
        ASSERT_EQ(cli({QStringLiteral("sql"), dataDir(), sql}).exitCode, 0) << sql.toStdString();
    const CliRun run = set({QStringLiteral("Uni_Media=8")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.lines.isEmpty()) << run.lines.join(u'\n').toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("não foi possível gravar a configuração: ")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("tabela travada")));

    QFile log(logFile());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << logFile().toStdString();
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains(QStringLiteral("lumesco.settings warning: a configuração não foi gravada: ")))
        << logged.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("lumesco.settings"))) << "the log is not the console";
}
