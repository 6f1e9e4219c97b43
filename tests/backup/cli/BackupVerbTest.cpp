// lumesco-cli backup as the office's scheduler runs it, on a demo school in scratch folders.

#include "core/TextFile.h"
#include "data/modules/ScriptSession.h"
#include "data/store/Database.h"

#include "support/QStringPrinting.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QStringList lines;
    QString err;
};

class BackupVerbTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_program = new TempDir;
        // The users stay in the program's folder "Data" on both engines; the year is that folder
        // or a server year of its own.
        s_year = testengine::yearLocation(s_program->file("Data"));
        const QString data = s_year;
        ASSERT_EQ(run({"init", data, "--year", "2025", "--demo", "--students", "80"}).exitCode, 0);
        ASSERT_EQ(run({"years"}).exitCode, 0);
        // The school year a log-on names for the folder: the one ConfigRede.txt gives it.
        ASSERT_TRUE(core::writeTextLines(s_program->file("ConfigRede.txt"),
                                         {"Ano Letivo;Caminho", "2025;" + data}));
        ASSERT_EQ(run({"users", "passwd", "SUPERVISOR", "segredo", "--user", "SUPERVISOR",
                       "--password", ""})
                      .exitCode,
                  0);
        ASSERT_EQ(run({"users", "add", "SECRET", "--rights", "Alunos,Notas", "--user", "SUPERVISOR",
                       "--password", "segredo"})
                      .exitCode,
                  0);
        ASSERT_EQ(run({"users", "passwd", "SECRET", "sec123", "--user", "SUPERVISOR", "--password",
                       "segredo"})
                      .exitCode,
                  0);
    }
    static void TearDownTestSuite()
    {
        delete s_program;
        s_program = nullptr;
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    static CliRun run(QStringList arguments)
    {
        arguments.prepend(s_program->path());
        arguments.prepend("--program-dir");
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LUMESCO_NOW", "2026-01-09T20:25:00");
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(LUMESCO_CLI), arguments);
        process.waitForFinished(120000);
        CliRun result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }
    static QStringList as(const char *user, const char *password)
    {
        return {"--user", user, "--password", password};
    }
    static QMap<QString, QByteArray> files(const QString &folder)
    {
        QMap<QString, QByteArray> contents;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            file.open(QIODevice::ReadOnly);
            contents.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
        }
        return contents;
    }
    // Rows of every table, as a log-on with the supervisor opens the school year.
    static QMap<QString, int> rowCounts(const QString &dataDir)
    {
        data::ScriptSession session(s_program->file("Data"), dataDir, "SUPERVISOR", "segredo");
        QMap<QString, int> counts;
        const data::Database db = session.database();
        for (const QString &table : db.tableNames())
            counts.insert(table, db.scalar("select count(*) from " + table).toInt());
        return counts;
    }

    static TempDir *s_program;
    static QString s_year;
};

TempDir *BackupVerbTest::s_program = nullptr;
QString BackupVerbTest::s_year;

TEST_F(BackupVerbTest, BackupThenRestoreIntoAnEmptyYearGivesTheSameFilesAndEveryRow)
{
    const QString archive = s_program->file("BACKUP/20260109_2025_SUPERVISOR.Zip");
    const CliRun backup = run(QStringList{"backup", "create", s_year} +
                              as("SUPERVISOR", "segredo"));
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    EXPECT_EQ(backup.lines.first(), "Preparando arquivo... " + archive);
    EXPECT_TRUE(backup.lines.contains("  adicionando: Lumesco.db"));
    EXPECT_TRUE(backup.lines.contains(
        "  omitido: Lumesco.lck (arquivo de controle do banco de dados, sem dados próprios)"));
    EXPECT_EQ(backup.lines.last(), "1 arquivos foram copiados no Back-Up");
    EXPECT_EQ(core::readTextLines(s_program->file("BACKUP/20260109_2025_SUPERVISOR.log")),
              backup.lines.mid(0, backup.lines.size() - 1));

    const CliRun list = run({"backup", "list", archive});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    ASSERT_EQ(list.lines.size(), 2);
    EXPECT_EQ(list.lines[0], "NOME;COMPRIMIDO;TAMANHO;DATAHORA");
    const QStringList row = list.lines[1].split(';');
    EXPECT_EQ(row[0], "Lumesco.db");
    EXPECT_LT(row[1].toLongLong(), row[2].toLongLong() / 3);
    EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$").match(row[3]).hasMatch())
        << row[3].toStdString();

    // The archive holds the year as a school-year file, whichever kind it came from: it unpacks
    // into a folder as the file itself, with every row of the year.
    const QString unpacked = s_program->file("desempacotado");
    const CliRun toFolder = run(QStringList{"backup", "restore", archive, "--to", unpacked} +
                                as("SUPERVISOR", "segredo"));
    ASSERT_EQ(toFolder.exitCode, 0) << toFolder.err.toStdString();
    EXPECT_EQ(toFolder.lines.last(), "1 arquivos foram recuperados");
    EXPECT_EQ(row[2].toLongLong(), QFileInfo(unpacked + "/Lumesco.db").size());
    if (!testengine::onServer()) {
        QMap<QString, QByteArray> original = files(s_program->file("Data"));
        original.remove("Lumesco.lck");
        EXPECT_EQ(files(unpacked), original);
    }
    EXPECT_EQ(rowCounts(unpacked), rowCounts(s_year));

    // Into an empty year of the same kind: every row again.
    const QString restored = testengine::yearLocation(s_program->file("restaurado/2025"));
    const CliRun restore = run(QStringList{"backup", "restore", archive, "--to", restored} +
                               as("SUPERVISOR", "segredo"));
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(restore.lines.last(), "1 arquivos foram recuperados");
    if (testengine::onServer())
        EXPECT_TRUE(restore.lines.contains("Ano letivo recuperado em " + restored));
    const QMap<QString, int> counts = rowCounts(restored);
    EXPECT_EQ(counts, rowCounts(s_year));
    EXPECT_EQ(counts.value("ALUNOS"), 80);
}

TEST_F(BackupVerbTest, RefusalsAndDamagedArchives)
{
    const CliRun wrong = run(QStringList{"backup", "create", s_year} +
                             as("SUPERVISOR", "errada"));
    EXPECT_NE(wrong.exitCode, 0);
    EXPECT_EQ(wrong.err.trimmed(), "Senha não Confere!");
    const CliRun noRight = run(QStringList{"backup", "create", s_year} +
                               as("SECRET", "sec123"));
    EXPECT_NE(noRight.exitCode, 0);
    EXPECT_EQ(noRight.err.trimmed(), "O usuário SECRET não tem o direito de fazer Back-Ups.");
    EXPECT_EQ(run({"backup", "restore", "x.zip"}).exitCode, 2) << "--to is required";
    EXPECT_EQ(run({"backup", "apagar"}).exitCode, 2);

    s_program->write("texto.zip", "isto não é um arquivo zip, apenas texto comum.");
    const CliRun damaged = run({"backup", "list", s_program->file("texto.zip")});
    EXPECT_NE(damaged.exitCode, 0);
    EXPECT_TRUE(damaged.lines.isEmpty());
    EXPECT_EQ(damaged.err.trimmed(), "Error 1 reading Zip File");
    const CliRun restore = run(QStringList{"backup", "restore", s_program->file("texto.zip"), "--to",
                                           s_program->file("r")} +
                               as("SUPERVISOR", "segredo"));
    EXPECT_NE(restore.exitCode, 0);
    EXPECT_EQ(restore.err.trimmed(), "Error 1 reading Zip File");
    EXPECT_FALSE(QDir(s_program->file("r")).exists());
}

TEST_F(BackupVerbTest, RestoreOfChosenEntriesWithoutOverwriting)
{
    const QString archive = s_program->file("parcial.zip");
    ASSERT_EQ(run(QStringList{"backup", "create", s_year, "--archive", archive} +
                  as("SUPERVISOR", "segredo"))
                  .exitCode,
              0);
    QDir().mkpath(s_program->file("alvo"));
    s_program->write("alvo/Lumesco.db", "mais novo");
    const CliRun kept = run(QStringList{"backup", "restore", archive, "--to", s_program->file("alvo"),
                                        "--only", "LUMESCO.DB", "--no-overwrite", "--flat"} +
                            as("SUPERVISOR", "segredo"));
    EXPECT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_EQ(kept.lines.last(), "0 arquivos foram recuperados");
    EXPECT_EQ(s_program->read("alvo/Lumesco.db"), "mais novo");
    const CliRun missing = run(QStringList{"backup", "restore", archive, "--to", s_program->file("alvo"),
                                           "--only", "Outro.db"} +
                               as("SUPERVISOR", "segredo"));
    EXPECT_TRUE(missing.lines.contains("  aviso: Outro.db não está no arquivo ZIP"));
}

} // namespace
