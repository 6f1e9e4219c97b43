// Bulk runs killed part-way: each bulk verb of lumesco-cli is stopped dead (SIGKILL) at several
// of its steps, and the school year must then be exactly as before the run or as after a whole
// run, and open cleanly for the next command.

#include "data/maintenance/YearMigration.h"
#include "data/store/Database.h"
#include "data/store/Query.h"
#include "data/store/ServerAddress.h"
#include "data/store/Transaction.h"

#include "support/CliProgram.h"
#include "support/QStringPrinting.h"
#include "support/TestEngine.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <libpq-fe.h>
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

// Every table and row of the year at `from` into the empty place `to` (a folder or a server
// year), through the store.
void copyThroughStore(const QString &from, const QString &to)
{
    {
        const data::Database source = data::Database::open(from, data::Database::Access::ReadOnly);
        const data::Database target = data::Database::open(to);
        data::migrateSchoolYear(source, target);
    }
    data::Database::closeAll();
}

// The server year at `to` made a copy of the one at `from`: the store makes the tables `to`
// lacks as `from` has them (a new year: all), the server drops those `from` lacks and copies
// every row from schema to schema in one statement list (row by row through the store, a copy
// takes a second).
void copyServerYear(const QString &from, const QString &to)
{
    const data::ServerAddress source = data::ServerAddress::parse(from);
    const data::ServerAddress target = data::ServerAddress::parse(to);
    const std::unique_ptr<PGconn, void (*)(PGconn *)> conn(PQconnectdb(source.conninfo.constData()), PQfinish);
    ASSERT_EQ(PQstatus(conn.get()), CONNECTION_OK) << PQerrorMessage(conn.get());
    // Each table of a schema: its name, its columns in order, its identity column (if any).
    const auto tables = [&conn](const QString &schema) {
        PGresult *result = PQexec(
            conn.get(),
            QStringLiteral("select c.relname, string_agg(quote_ident(a.attname), ',' order by a.attnum), "
                           "coalesce(string_agg(case when a.attidentity <> '' then quote_ident(a.attname) end, ','), '') "
                           "from pg_class c join pg_namespace n on n.oid = c.relnamespace "
                           "join pg_attribute a on a.attrelid = c.oid "
                           "where n.nspname = '%1' and c.relkind = 'r' and a.attnum > 0 and not a.attisdropped "
                           "group by c.relname")
                .arg(schema)
                .toUtf8()
                .constData());
        EXPECT_EQ(PQresultStatus(result), PGRES_TUPLES_OK) << PQerrorMessage(conn.get());
        QMap<QString, QStringList> found;
        for (int r = 0; r < PQntuples(result); ++r)
            found.insert(QString::fromUtf8(PQgetvalue(result, r, 0)),
                         {QString::fromUtf8(PQgetvalue(result, r, 1)), QString::fromUtf8(PQgetvalue(result, r, 2))});
        PQclear(result);
        return found;
    };
    const QMap<QString, QStringList> copied = tables(source.schema);
    QMap<QString, QStringList> present = tables(target.schema);
    if (std::any_of(copied.keyBegin(), copied.keyEnd(), [&](const QString &t) { return !present.contains(t); })) {
        {
            const data::Database from_ = data::Database::open(from, data::Database::Access::ReadOnly);
            const data::Database to_ = data::Database::open(to);
            for (const QString &name : from_.tableNames())
                if (!to_.hasTable(name))
                    to_.createTable(from_.layout(name));
        }
        data::Database::closeAll();
        present = tables(target.schema);
    }
    QStringList sql{QStringLiteral("begin")};
    for (auto it = present.cbegin(); it != present.cend(); ++it)
        sql << (copied.contains(it.key()) ? QStringLiteral("delete from %1.%2") : QStringLiteral("drop table %1.%2"))
                   .arg(target.schema, it.key());
    for (auto it = copied.cbegin(); it != copied.cend(); ++it) {
        sql << QStringLiteral("insert into %1.%3 (%4) select %4 from %2.%3")
                   .arg(target.schema, source.schema, it.key(), it.value().at(0));
        // The rows' own numbers go on after the copied ones, as in the other year.
        if (!it.value().at(1).isEmpty())
            sql << QStringLiteral("select setval(pg_get_serial_sequence('%1.%2', '%3'), coalesce(max(%3), 0) + 1, "
                                  "false) from %1.%2")
                       .arg(target.schema, it.key(), it.value().at(1));
    }
    sql << QStringLiteral("commit");
    PGresult *result = PQexec(conn.get(), sql.join(QStringLiteral(";\n")).toUtf8().constData());
    EXPECT_EQ(PQresultStatus(result), PGRES_COMMAND_OK) << PQerrorMessage(conn.get());
    PQclear(result);
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
        s_pristine = testengine::yearLocation(s_program->file(QStringLiteral("escola/2026")));
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
        s_copies.clear();
        testengine::dropServerYears();
    }
    // The demo year: a folder, or a server year.
    static QString pristine() { return s_pristine; }

    // A copy of the year at `from` named `name`: the folder copied file by file, or a new
    // server year with every row of the other.
    static QString copyYear(const QString &from, const QString &name)
    {
        const QString to = testengine::yearLocation(s_program->file(name));
        if (testengine::onServer())
            copyServerYear(from, to);
        else
            copyFolder(from, to);
        return to;
    }
    // The year for one run from `start`: a new copy of the folder each time; on the server, the
    // series' one server year (`reused`) with its rows put back to start's, as a new server year
    // takes a second to make.
    static QString runYear(const QString &start, int number, QString &reused)
    {
        if (testengine::onServer() && !reused.isEmpty()) {
            copyServerYear(start, reused);
            return reused;
        }
        reused = copyYear(start, QStringLiteral("copia%1").arg(number));
        return reused;
    }
    // A copy of the demo year under `name`, changed by `change` (one statement, or none).
    static QString yearCopy(const QString &name, const QString &change = QString())
    {
        if (!s_copies.contains(name)) {
            const QString year = copyYear(pristine(), name);
            if (!change.isEmpty()) {
                data::Database::open(year).exec(change);
                data::Database::closeAll();
            }
            s_copies.insert(name, year);
        }
        return s_copies.value(name);
    }
    // The demo year as a folder of its own (another year's files a verb imports from).
    static QString folderCopy(const QString &name)
    {
        const QString folder = s_program->file(name);
        if (!QDir(folder).exists()) {
            if (testengine::onServer()) {
                QDir().mkpath(folder);
                copyThroughStore(pristine(), folder);
            } else {
                copyFolder(pristine(), folder);
            }
        }
        return folder;
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
        const QString start = copyYear(pristine(), QStringLiteral("inicio%1").arg(++copies));
        if (!setUp.isEmpty()) {
            data::Database::open(start).exec(setUp);
            data::Database::closeAll();
        }
        const QString before = tableDump(start);

        QString reused;
        const QString whole = runYear(start, ++copies, reused);
        const CliRun done = s_program->run(verbWords + QStringList{whole} + options, kSession);
        ASSERT_EQ(done.exitCode, 0) << done.err.toStdString();
        const QString after = tableDump(whole);
        ASSERT_NE(digest(before), digest(after)) << "the run changes the year";
        if (!expectedAfter.isEmpty()) {
            ASSERT_EQ(digest(after), digest(tableDump(expectedAfter))) << "the whole run gives the expected year";
        }

        // A run killed on the server leaves what the server's rollback of its transaction leaves,
        // whatever the step: there the first and the last step (the run's two ends) are enough.
        const QList<int> steps = testengine::onServer() && crashSteps.size() > 2
                                     ? QList<int>{crashSteps.first(), crashSteps.last()}
                                     : crashSteps;
        for (const int step : steps) {
            const QString year = runYear(start, ++copies, reused);
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
    static QString s_pristine;
    static QMap<QString, QString> s_copies;
};

CliProgram *CrashRecovery::s_program = nullptr;
QString CrashRecovery::s_pristine;
QMap<QString, QString> CrashRecovery::s_copies;

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
    const QString lastYear = folderCopy(QStringLiteral("ano_anterior"));
    // 24 students: steps 1 to 24 copy them, 25 to 31 empty the tables.
    expectBeforeOrAfter({}, {QStringLiteral("students"), QStringLiteral("import")}, {lastYear}, {1, 13, 25, 29});
}

// Another year's charges brought in whole (the rows this year lacks), and the bank's slip
// numbers from its dBase file.
TEST_F(CrashRecovery, BookletImport)
{
    const QString otherYear = folderCopy(QStringLiteral("carnes_origem"));
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
    QString cut;
    if (testengine::onServer()) {
        // A server year has no file for the power cut to leave half written; what the server
        // holds then is a writer's transaction cut off: a run killed while it writes.
        cut = copyYear(pristine(), QStringLiteral("queda_de_energia"));
        CliProgram::Environment environment = kSession;
        environment.append({QStringLiteral("LUMESCO_CRASH_AT_STEP"), QStringLiteral("3")});
        const CliRun killed = s_program->run(
            {QStringLiteral("grades"), QStringLiteral("recalc"), cut, QStringLiteral("--unit"), QStringLiteral("1")},
            environment);
        ASSERT_TRUE(killed.crashed) << killed.err.toStdString();
        // The next command opens the year as usual (and the server has let the dead desk go).
        const CliRun next = s_program->run({QStringLiteral("sql"), cut, QStringLiteral("select count(*) from ALUNOS")},
                                          kSession);
        ASSERT_EQ(next.exitCode, 0) << next.err.toStdString();
    } else {
        const QString writing = yearCopy(QStringLiteral("gravando"));
        cut = s_program->file(QStringLiteral("queda_de_energia"));
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
    }

    const CliRun restored = s_program->run(
        {QStringLiteral("backup"), QStringLiteral("restore"), archive, QStringLiteral("--to"), cut}, kSession);
    ASSERT_EQ(restored.exitCode, 0) << restored.out.toStdString() << restored.err.toStdString();
    if (!testengine::onServer()) {
        const QString check = data::Database::open(cut).scalar(QStringLiteral("PRAGMA integrity_check")).toString();
        data::Database::closeAll();
        ASSERT_EQ(check, QStringLiteral("ok"));
        EXPECT_FALSE(QFileInfo::exists(QDir(cut).filePath(QStringLiteral("Lumesco.db-journal"))));
    }
    EXPECT_EQ(digest(tableDump(cut)), digest(tableDump(archived)));
}

} // namespace
