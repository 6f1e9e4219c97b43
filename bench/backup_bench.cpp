// Backup and restore of a large school's data directory against Info-ZIP on the same folder:
// 2000 students with a year of grades (NOTAS and the four unit tables), twelve monthly charges
// each and a year of cash movements. The archive component (level 9, the consistent database
// copy included) is timed against `zip -9 -r`, and its extraction against `unzip -o` of the same
// archive; the best of a few runs is printed with the ratios the office asks for.
//
//   bench_backup [runs]

#include "backup/ChosenFiles.h"
#include "backup/zip/TZipMaster.h"
#include "core/RunReporter.h"
#include "data/demo/DemoSchool.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Collation.h"
#include "data/store/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <chrono>
#include <functional>
#include <stdexcept>

namespace {

class SilentReporter : public core::RunReporter
{
public:
    void begin(const QString &, int, bool) override {}
    void step(int, const QString &) override {}
    void note(core::Severity, const QString &, const QString &) override {}
    bool cancelled() const override { return false; }
    void finish(core::RunOutcome) override {}
};

void exec(sqlite3 *db, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK)
        throw std::runtime_error(std::string(sql) + ": " + (error ? error : "?"));
}

// A year of school life on top of the demo register.
void fillYear(const QString &dataDir)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(QDir(dataDir).filePath(QString::fromLatin1(data::kStoreFileName))).constData(), &db);
    data::collation::registerOn(db);
    exec(db, "begin");
    exec(db, "insert into NOTAS (MATRICULA, DISC, UND1, UND2, UND3, UND4, FLT1, FLT2, FLT3, FLT4,"
             " MD_ANUAL, FALTAS, Turma, Nome, Esp)"
             " select a.MATRICULA, d.CODIGO, abs(random() % 101) / 10.0, abs(random() % 101) / 10.0,"
             " abs(random() % 101) / 10.0, abs(random() % 101) / 10.0, abs(random() % 4),"
             " abs(random() % 4), abs(random() % 4), abs(random() % 4), abs(random() % 101) / 10.0,"
             " abs(random() % 12), a.TURMA, a.NOME, a.ESP"
             " from ALUNOS a join Discturm d on d.SERIE = substr(a.TURMA, 1, 3)");
    for (int unit = 1; unit <= 4; ++unit) {
        const QByteArray sql =
            QStringLiteral("insert into NotasUni%1 (TURMA, MATRICULA, NOME, DISC, UNIDADE, NOTA1, NOTA2,"
                           " NOTA3, NOTA4, NOTA5, MEDIA, FALTAS, Esp)"
                           " select TURMA, MATRICULA, Nome, DISC, '%1', abs(random() %% 101) / 10.0,"
                           " abs(random() %% 101) / 10.0, abs(random() %% 101) / 10.0,"
                           " abs(random() %% 101) / 10.0, abs(random() %% 101) / 10.0,"
                           " abs(random() %% 101) / 10.0, abs(random() %% 4), Esp from NOTAS")
                .arg(unit)
                .replace(QStringLiteral("%%"), QStringLiteral("%"))
                .toUtf8();
        exec(db, sql.constData());
    }
    exec(db, "insert into Ccorrent (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor,"
             " DescontoFixo, Acrescimos, NossoNum, PgtoData, PgtoValor, FORMAPGTO, USUARIO)"
             " with recursive mes(n) as (select 1 union all select n + 1 from mes where n < 12)"
             " select a.TURMA, a.MATRICULA, a.NOME, 'N', mes.n, printf('2026-%02d-10', mes.n),"
             " 650 + abs(random() % 300), abs(random() % 50), abs(random() % 20),"
             " 20260000 + a.rowid * 100 + mes.n,"
             " case when mes.n < 11 then printf('2026-%02d-%02d', mes.n, 1 + abs(random() % 28)) end,"
             " case when mes.n < 11 then 650 + abs(random() % 300) end, 'D', 'TESOURARIA'"
             " from ALUNOS a, mes");
    exec(db, "insert into MovFin (CodGrupo_MovFin, CodConta_MovFin, Data_MovFin, Mes, Cheque_MovFin,"
             " Valor_MovFin, CodBanco_MovFin, Descricao_MovFin, NotaFiscal_MovFin, CodGrupo_Grupo)"
             " with recursive m(n) as (select 1 union all select n + 1 from m where n < 6000)"
             " select case when n % 3 = 0 then 'R' else 'D' end, 1 + n % 40,"
             " date('2026-01-02', '+' || (n % 360) || ' days'), printf('%02d', 1 + n % 12),"
             " printf('%06d', n), abs(random() % 500000) / 100.0, 1 + n % 3,"
             " 'Pagamento de fornecedor ' || hex(randomblob(8)), printf('%06d', n * 7 % 999999), 1 + n % 8"
             " from m");
    exec(db, "commit");
    sqlite3_close(db);
}

double seconds(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double best(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    double fastest = 1e9;
    for (int i = 0; i < runs; ++i) {
        prepare();
        fastest = std::min(fastest, seconds(work));
    }
    return fastest;
}

void run(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        throw std::runtime_error((program + u' ' + arguments.join(u' ') + QStringLiteral(": ") +
                                  QString::fromLocal8Bit(process.readAllStandardError()))
                                     .toStdString());
}

qint64 folderSize(const QString &folder)
{
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        total += QFileInfo(it.next()).size();
    return total;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTextStream out(stdout);
    QTemporaryDir scratch;
    const QString dataDir = QDir(scratch.path()).filePath(QStringLiteral("Data"));
    QDir().mkpath(dataDir);
    {
        const data::Database db = data::createSchoolYear(dataDir, QStringLiteral("2026"));
        SilentReporter quiet;
        data::demo::fillDemoSchool(db, QStringLiteral("2026"), quiet, {2000, 1});
    }
    data::Database::closeAll();
    fillYear(dataDir);
    const qint64 dataSize = folderSize(dataDir);
    out << "Data directory: " << dataSize / 1024 << " KiB in "
        << QDir(dataDir).entryList(QDir::Files).size() << " files\n";

    const QString ours = QDir(scratch.path()).filePath(QStringLiteral("ours.zip"));
    const QString theirs = QDir(scratch.path()).filePath(QStringLiteral("theirs.zip"));
    const QString restoreDir = QDir(scratch.path()).filePath(QStringLiteral("restored"));
    auto remove = [](const QString &path) { return [path] { QFile::remove(path); }; };
    auto emptyFolder = [&restoreDir] { QDir(restoreDir).removeRecursively(); };

    const double backupOurs = best(runs, remove(ours), [&] {
        QDir::setCurrent(dataDir);
        backup::TZipMaster zip;
        zip.startNewArchive(ours);
        zip.fileSpecs() = backup::directoryFiles(dataDir);
        zip.add();
        if (zip.successCount() == 0)
            throw std::runtime_error("backup failed");
    });
    const double backupZip = best(runs, remove(theirs), [&] {
        run(QStringLiteral("zip"), {QStringLiteral("-9"), QStringLiteral("-r"), QStringLiteral("-q"),
                                    theirs, QStringLiteral("Data")},
            scratch.path());
    });
    const double restoreOurs = best(runs, emptyFolder, [&] {
        backup::TZipMaster zip;
        zip.setArchiveName(ours);
        zip.setExtractDir(restoreDir);
        zip.extract();
    });
    const double restoreUnzip = best(runs, emptyFolder, [&] {
        QDir().mkpath(restoreDir);
        run(QStringLiteral("unzip"), {QStringLiteral("-o"), QStringLiteral("-q"), ours,
                                      QStringLiteral("-d"), restoreDir},
            scratch.path());
    });

    const double mb = dataSize / 1e6;
    const qint64 oursSize = QFileInfo(ours).size();
    const qint64 zipSize = QFileInfo(theirs).size();
    out << QStringLiteral("backup   lumesco %1 s (%2 MB/s)   zip -9 -r %3 s (%4 MB/s)   ratio %5 (>= 0.80)\n")
               .arg(backupOurs, 0, 'f', 3).arg(mb / backupOurs, 0, 'f', 1)
               .arg(backupZip, 0, 'f', 3).arg(mb / backupZip, 0, 'f', 1)
               .arg(backupZip / backupOurs, 0, 'f', 2);
    out << QStringLiteral("size     lumesco %1 bytes   zip -9 -r %2 bytes   ratio %3 (<= 1.05)\n")
               .arg(oursSize).arg(zipSize).arg(double(oursSize) / zipSize, 0, 'f', 3);
    out << QStringLiteral("restore  lumesco %1 s   unzip -o %2 s   ratio %3 (>= 0.80)\n")
               .arg(restoreOurs, 0, 'f', 3).arg(restoreUnzip, 0, 'f', 3)
               .arg(restoreUnzip / restoreOurs, 0, 'f', 2);
    return 0;
}
