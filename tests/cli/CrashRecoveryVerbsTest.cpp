// Bulk runs killed part-way: each bulk verb of lumesco-cli is stopped dead (SIGKILL) at several
// of its steps, and the school year must then be exactly as before the run or as after a whole
// run, and open cleanly for the next command.

#include "data/store/Database.h"
#include "data/store/Query.h"

#include "support/CliProgram.h"
#include "support/QStringPrinting.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const CliProgram::Environment kSession = {{QStringLiteral("LUMESCO_USER"), QStringLiteral("SUPERVISOR")},
                                          {QStringLiteral("LUMESCO_PASSWORD"), QStringLiteral("segredo")},
                                          {QStringLiteral("LUMESCO_NO_SHELL"), QStringLiteral("1")},
                                          {QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2026-06-15")},
                                          {QStringLiteral("LUMESCO_NOW"), QStringLiteral("2026-06-15T10:00:00")}};

// Every table's rows as text, each table's rows sorted, so two states compare whatever the row
// order on disk.
QString tableDump(const QString &dataDir)
{
    QString dump;
    {
        const data::Database db = data::Database::open(dataDir);
        QStringList tables = db.tableNames();
        tables.sort();
        for (const QString &table : tables) {
            data::Query query(db);
            query.setSql(QStringLiteral("select * from ") + table);
            query.open();
            QStringList rows;
            for (query.first(); !query.eof(); query.next()) {
                QStringList values;
                for (int i = 0; i < query.fieldCount(); ++i)
                    values << query.value(i).toString();
                rows << values.join(u'\x1f');
            }
            rows.sort();
            dump += QStringLiteral("== %1 (%2)\n").arg(table).arg(rows.size()) + rows.join(u'\n') + u'\n';
        }
    }
    data::Database::closeAll();
    return dump;
}

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir())
            copyFolder(entry.filePath(), target);
        else
            ASSERT_TRUE(QFile::copy(entry.filePath(), target)) << entry.filePath().toStdString();
    }
}

QString digest(const QString &dump)
{
    return QString::fromLatin1(QCryptographicHash::hash(dump.toUtf8(), QCryptographicHash::Sha1).toHex());
}

class CrashRecovery : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_program = new CliProgram(QStringLiteral(LUMESCO_CLI));
        ASSERT_EQ(s_program->run({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        s_program->setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        const CliRun init = s_program->run({QStringLiteral("init"), pristine(), QStringLiteral("--year"),
                                            QStringLiteral("2026"), QStringLiteral("--demo"),
                                            QStringLiteral("--students"), QStringLiteral("24"),
                                            QStringLiteral("--seed"), QStringLiteral("7")},
                                           kSession);
        ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete s_program;
        s_program = nullptr;
    }
    static QString pristine() { return s_program->file(QStringLiteral("escola/2026")); }

    // Runs `verb` (its data folder first after the verb's words) on a copy of the demo year
    // changed by `setUp` (so that the run has work to do), whole and then killed at each of
    // `crashSteps`, and checks each killed run's year.
    void expectBeforeOrAfter(const QString &setUp, const QStringList &verbWords,
                             const QStringList &options, const QList<int> &crashSteps)
    {
        static int copies = 0;
        const QString start = s_program->file(QStringLiteral("inicio%1").arg(++copies));
        copyFolder(pristine(), start);
        if (!setUp.isEmpty()) {
            data::Database::open(start).exec(setUp);
            data::Database::closeAll();
        }
        const QString before = tableDump(start);

        const QString whole = s_program->file(QStringLiteral("copia%1").arg(++copies));
        copyFolder(start, whole);
        const CliRun done = s_program->run(verbWords + QStringList{whole} + options, kSession);
        ASSERT_EQ(done.exitCode, 0) << done.err.toStdString();
        const QString after = tableDump(whole);
        ASSERT_NE(digest(before), digest(after)) << "the run changes the year";

        int killed = 0;
        for (const int step : crashSteps) {
            const QString year = s_program->file(QStringLiteral("copia%1").arg(++copies));
            copyFolder(start, year);
            CliProgram::Environment environment = kSession;
            environment.append({QStringLiteral("LUMESCO_CRASH_AT_STEP"), QString::number(step)});
            const CliRun run = s_program->run(verbWords + QStringList{year} + options, environment);
            killed += run.crashed ? 1 : 0;
            const QString state = digest(tableDump(year));
            EXPECT_TRUE(state == digest(before) || state == digest(after))
                << verbWords.join(u' ').toStdString() << " killed at step " << step
                << (run.crashed ? "" : " (finished)") << ": the year is neither before nor after";
            // The next command opens the year as usual.
            const CliRun next = s_program->run({QStringLiteral("sql"), year,
                                                QStringLiteral("select count(*) from ALUNOS")}, kSession);
            EXPECT_EQ(next.exitCode, 0) << next.err.toStdString();
        }
        EXPECT_GE(killed, 1) << "no kill point fell inside the run";
    }

    static CliProgram *s_program;
};

CliProgram *CrashRecovery::s_program = nullptr;

TEST_F(CrashRecovery, GradeGenerationRecalculationAndRanking)
{
    expectBeforeOrAfter(QStringLiteral("delete from NotasUni4"),
                        {QStringLiteral("grades"), QStringLiteral("generate")}, {}, {1, 2, 5, 12});
    expectBeforeOrAfter(QStringLiteral("update NotasUni1 set MEDIA = null"),
                        {QStringLiteral("grades"), QStringLiteral("recalc")},
                        {QStringLiteral("--unit"), QStringLiteral("1")}, {1, 3, 10, 40});
    expectBeforeOrAfter(QStringLiteral("delete from posicao"),
                        {QStringLiteral("grades"), QStringLiteral("rank")}, {}, {1, 4, 20});
}

TEST_F(CrashRecovery, FeeGeneration)
{
    expectBeforeOrAfter({}, {QStringLiteral("charges"), QStringLiteral("fees")},
                        {QStringLiteral("--redo"), QStringLiteral("--month"), QStringLiteral("7"),
                         QStringLiteral("--discount"), QStringLiteral("5")},
                        {1, 5, 15});
}

TEST_F(CrashRecovery, BookletNumbering)
{
    expectBeforeOrAfter({}, {QStringLiteral("booklets")},
                        {QStringLiteral("--start"), QStringLiteral("1000"), QStringLiteral("--no-printer"),
                         QStringLiteral("--from-month"), QStringLiteral("3"), QStringLiteral("--to-month"),
                         QStringLiteral("4")},
                        {1, 3, 9});
}

} // namespace
