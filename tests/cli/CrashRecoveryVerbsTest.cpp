// Bulk runs killed part-way: each bulk verb of lumesco-cli is stopped dead (SIGKILL) at several
// of its steps, and the school year must then be exactly as before the run or as after a whole
// run, and open cleanly for the next command.

#include "data/store/Database.h"
#include "data/store/Query.h"
#include "data/store/Transaction.h"

#include "support/CliProgram.h"
#include "support/QStringPrinting.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <shapefil.h>

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

    // A copy of the demo year under `name`, changed by `change` (one statement, or none).
    static QString yearCopy(const QString &name, const QString &change = QString())
    {
        const QString year = s_program->file(name);
        if (!QDir(year).exists()) {
            copyFolder(pristine(), year);
            if (!change.isEmpty()) {
                data::Database::open(year).exec(change);
                data::Database::closeAll();
            }
        }
        return year;
    }

    // Runs `verb` (its data folder first after the verb's words) on a copy of the demo year
    // changed by `setUp` (so that the run has work to do), whole and then killed at each of
    // `crashSteps`, and checks each killed run's year. With `expectedAfter`, the whole run must
    // leave the year as that folder's (a restore: the archived year).
    void expectBeforeOrAfter(const QString &setUp, const QStringList &verbWords,
                             const QStringList &options, const QList<int> &crashSteps,
                             const QString &expectedAfter = QString())
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
        if (!expectedAfter.isEmpty()) {
            ASSERT_EQ(digest(after), digest(tableDump(expectedAfter))) << "the whole run gives the expected year";
        }

        for (const int step : crashSteps) {
            const QString year = s_program->file(QStringLiteral("copia%1").arg(++copies));
            copyFolder(start, year);
            CliProgram::Environment environment = kSession;
            environment.append({QStringLiteral("LUMESCO_CRASH_AT_STEP"), QString::number(step)});
            const CliRun run = s_program->run(verbWords + QStringList{year} + options, environment);
            // Each point is chosen inside the run: one past its end tests nothing.
            EXPECT_TRUE(run.crashed) << verbWords.join(u' ').toStdString() << " ran to the end before step " << step;
            const QString state = digest(tableDump(year));
            EXPECT_TRUE(state == digest(before) || state == digest(after))
                << verbWords.join(u' ').toStdString() << " killed at step " << step
                << (run.crashed ? "" : " (finished)") << ": the year is neither before nor after";
            // The next command opens the year as usual.
            const CliRun next = s_program->run({QStringLiteral("sql"), year,
                                                QStringLiteral("select count(*) from ALUNOS")}, kSession);
            EXPECT_EQ(next.exitCode, 0) << next.err.toStdString();
        }
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

// Last year's register (a copy of the demo year) moves up a class into the new year, whose
// grades, charges and financial movement are then emptied: killed while copying the students
// and while emptying the tables.
TEST_F(CrashRecovery, StudentImport)
{
    const QString lastYear = yearCopy(QStringLiteral("ano_anterior"));
    // 24 students: steps 1 to 24 copy them, 25 to 31 empty the tables.
    expectBeforeOrAfter({}, {QStringLiteral("students"), QStringLiteral("import")}, {lastYear}, {1, 13, 25, 29});
}

// Another year's charges brought in whole (the rows this year lacks), and the bank's slip
// numbers from its dBase file.
TEST_F(CrashRecovery, BookletImport)
{
    const QString otherYear = yearCopy(QStringLiteral("carnes_origem"));
    expectBeforeOrAfter(QStringLiteral("delete from CCORRENT where ParcelaNum > 6"),
                        {QStringLiteral("charges"), QStringLiteral("import")},
                        {QDir(otherYear).filePath(QStringLiteral("Lumesco.db"))}, {1, 2, 60, 200});

    // The bank's file: the March fee of each of the first students.
    QList<QPair<qint64, QDate>> fees;
    {
        data::Query march(data::Database::open(pristine()));
        march.setSql(QStringLiteral("select Matricula, ParcelaData from CCORRENT where Tipo = 'N' "
                                    "and ParcelaNum = 3 order by Matricula"));
        march.open();
        for (march.first(); !march.eof() && fees.size() < 8; march.next())
            fees.append({qint64(march.value(0).toDouble()), march.value(1).toDate()});
    }
    data::Database::closeAll();
    ASSERT_EQ(fees.size(), 8);
    const QString bankFile = s_program->file(QStringLiteral("banco.dbf"));
    DBFHandle dbf = DBFCreate(QFile::encodeName(bankFile).constData());
    ASSERT_NE(dbf, nullptr);
    DBFAddField(dbf, "matricula", FTDouble, 10, 0);
    DBFAddField(dbf, "vencimento", FTString, 6, 0);
    DBFAddField(dbf, "noss_nr_dv", FTString, 12, 0);
    for (int i = 0; i < fees.size(); ++i) {
        DBFWriteDoubleAttribute(dbf, i, 0, double(fees[i].first));
        DBFWriteStringAttribute(dbf, i, 1, fees[i].second.toString(QStringLiteral("ddMMyy")).toLatin1().constData());
        DBFWriteStringAttribute(dbf, i, 2, QByteArray::number(27000000000LL + i * 10).append('7').constData());
    }
    DBFClose(dbf);
    expectBeforeOrAfter({}, {QStringLiteral("charges"), QStringLiteral("import")},
                        {bankFile, QStringLiteral("--bank")}, {1, 3, 8});
}

// A backup of a changed year (the demo year without its fourth-unit marks), made once.
QString archiveOfChangedYear(const CliProgram &program, const QString &archived)
{
    const QString archive = program.file(QStringLiteral("copias/arquivado.zip"));
    if (!QFileInfo::exists(archive)) {
        QDir().mkpath(QFileInfo(archive).absolutePath());
        const CliRun created = program.run({QStringLiteral("backup"), QStringLiteral("create"), archived,
                                            QStringLiteral("--archive"), archive},
                                           kSession);
        EXPECT_EQ(created.exitCode, 0) << created.err.toStdString() << created.out.toStdString();
    }
    return archive;
}

// The backup restored over the demo year: killed while the archive's file is written out beside
// the year and just before it takes the year's place. Afterwards the year is the archived one.
TEST_F(CrashRecovery, BackupRestore)
{
    const QString archived = yearCopy(QStringLiteral("arquivado"), QStringLiteral("delete from NotasUni4"));
    const QString archive = archiveOfChangedYear(*s_program, archived);
    // The data folder comes after "--to". The year's file is 11 blocks: step 1 starts it, 2 to 12
    // write it, 13 comes just before it replaces the year's.
    expectBeforeOrAfter({}, {QStringLiteral("backup"), QStringLiteral("restore"), archive, QStringLiteral("--to")},
                        {}, {1, 2, 6, 13}, archived);
}

// The office restores a backup because the power went while a run was writing: the year's file
// is half written and its journal holds the old pages. Restored over it, the archived year must
// come back whole, not with the old transaction rolled back into it.
TEST_F(CrashRecovery, RestoreOverAYearLeftHalfWritten)
{
    const QString archived = yearCopy(QStringLiteral("arquivado"), QStringLiteral("delete from NotasUni4"));
    const QString archive = archiveOfChangedYear(*s_program, archived);
    const QString writing = yearCopy(QStringLiteral("gravando"));
    const QString cut = s_program->file(QStringLiteral("queda_de_energia"));
    QDir().mkpath(cut);
    {
        const data::Database db = data::Database::open(writing);
        // A tiny cache: changed pages reach the file before the commit, the old ones the journal.
        db.exec(QStringLiteral("PRAGMA cache_size = 1"));
        data::Transaction run(db);
        db.exec(QStringLiteral("delete from NotasUni4"));
        db.exec(QStringLiteral("update NotasUni1 set NOME = 'X'"));
        db.exec(QStringLiteral("delete from MovFin"));
        // What the disk holds when the power goes now.
        for (const QString &name : {QStringLiteral("Lumesco.db"), QStringLiteral("Lumesco.db-journal")})
            ASSERT_TRUE(QFile::copy(QDir(writing).filePath(name), QDir(cut).filePath(name))) << name.toStdString();
    }
    data::Database::closeAll();

    const CliRun restored = s_program->run(
        {QStringLiteral("backup"), QStringLiteral("restore"), archive, QStringLiteral("--to"), cut}, kSession);
    ASSERT_EQ(restored.exitCode, 0) << restored.out.toStdString() << restored.err.toStdString();
    {
        const QString check = data::Database::open(cut).scalar(QStringLiteral("PRAGMA integrity_check")).toString();
        data::Database::closeAll();
        ASSERT_EQ(check, QStringLiteral("ok"));
    }
    EXPECT_EQ(digest(tableDump(cut)), digest(tableDump(archived)));
    EXPECT_FALSE(QFileInfo::exists(QDir(cut).filePath(QStringLiteral("Lumesco.db-journal"))));
}

} // namespace
