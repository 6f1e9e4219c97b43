#include "backup/BackupScreen.h"
#include "backup/ChosenFiles.h"
#include "backup/ServerYearArchive.h"

#include "core/Clock.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/store/Table.h"
#include "support/ChildProcess.h"
#include "support/QStringPrinting.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"
#include "support/TableHolder.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace backup;

// The backup screen on the session's school year, wherever it lives: a data folder, or a year
// on the server, which is backed up as the school-year file a folder holds and restored whole
// into itself.
namespace {

class Host : public BackupScreenHost
{
public:
    // The automatic box: every file of the folder.
    std::optional<FileChoice> chooseFiles(const QString &directory, bool) override
    {
        calls.append(QStringLiteral("chooser"));
        return FileChoice{directoryFiles(directory), {}};
    }
    std::optional<RestoreChoice> chooseDestination(const QString &directory) override
    {
        calls.append(QStringLiteral("destination"));
        return RestoreChoice{directory, {}, false};
    }
    QStringList selectedEntries() const override { return {}; }
    void runInStatusWindow(const QString &caption,
                           const std::function<void(core::RunReporter &)> &job) override
    {
        calls.append(QStringLiteral("status ") + caption);
        job(reporter);
    }

    QStringList calls;
    RecordingReporter reporter;
};

// The files of a school year ("Lumesco.db" and its journals) this process has open outside
// `folder`.
QStringList openYearFilesOutside(const QString &folder)
{
    QStringList files;
    for (const std::filesystem::directory_entry &fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const QString target = QString::fromStdString(std::filesystem::read_symlink(fd.path(), error).string());
        if (!error && target.contains(QStringLiteral("Lumesco.db")) && !target.startsWith(folder + u'/'))
            files.append(target);
    }
    return files;
}

// Asks `probe`, as each message comes up, what should be gone by then.
class ProbingDialogs : public ScriptedDialogs
{
public:
    explicit ProbingDialogs(std::function<QStringList()> probe) : m_probe(std::move(probe)) {}
    core::Button show(const core::Message &message) override
    {
        for (const QString &left : m_probe())
            leftovers.append(message.text.section(u'\n', 0, 0) + QStringLiteral(": ") + left);
        return ScriptedDialogs::show(message);
    }

    QStringList leftovers;

private:
    std::function<QStringList()> m_probe;
};

// Temporary folders go into `folder` for the scope.
class TempFolderIn
{
public:
    explicit TempFolderIn(const QString &folder) : m_system(qgetenv("TMPDIR")) { qputenv("TMPDIR", folder.toUtf8()); }
    ~TempFolderIn() { m_system.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", m_system); }

private:
    QByteArray m_system;
};

// `dialogs` answer for the scope, in place of the fixture's.
class DialogsInPlace
{
public:
    explicit DialogsInPlace(std::unique_ptr<core::Dialogs> dialogs) : m_other(core::setDialogs(std::move(dialogs))) {}
    ~DialogsInPlace() { core::setDialogs(std::move(m_other)); }

private:
    std::unique_ptr<core::Dialogs> m_other;
};

class YearBackup : public ::testing::Test
{
protected:
    YearBackup()
    {
        core::pinClock(QDateTime(QDate(2026, 3, 5), QTime(18, 0)));
        m_location = testengine::yearLocation(m_dir.file("Dados2026"));
        data::createSchoolYear(m_location, QStringLiteral("2026"));
        addStudent(1, "ANA");
        addStudent(2, "BRUNO");
    }
    ~YearBackup() override
    {
        // The folders the screen worked in are about to go.
        QDir::setCurrent(QDir::tempPath());
        data::Database::closeAll();
        testengine::dropServerYears();
        core::pinClock(QDateTime());
    }

    data::Database year() const { return data::Database::open(m_location); }
    void addStudent(int matricula, const char *name) const
    {
        year().exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (:m, :n, '1G1A')"),
                    {{QStringLiteral("m"), matricula}, {QStringLiteral("n"), QString::fromLatin1(name)}});
    }
    QString names() const
    {
        QStringList names;
        data::Table alunos(year(), QStringLiteral("Alunos.DB"));
        alunos.open();
        for (alunos.first(); !alunos.eof(); alunos.next())
            names.append(alunos.value("NOME").toString());
        alunos.close();
        names.sort();
        return names.join(u',');
    }
    BackupPlaces places() const
    {
        return {m_location, m_dir.file("BACKUP"), m_dir.file("AJUDA"), QStringLiteral("2026"),
                QStringLiteral("MARIA")};
    }
    QString archive() const { return m_dir.file("BACKUP/20260305_2026_MARIA.Zip"); }
    // "Execute o Back-Up Automático", then "&Salvar".
    void backUp(BackupScreen &screen)
    {
        screen.setAutomatic(true);
        screen.save();
    }
    // An archive of the year as it was, then ANA taken out of it, for a restore to bring back.
    void backUpThenDeleteAna()
    {
        {
            BackupScreen screen(m_host, places());
            backUp(screen);
        }
        year().exec(QStringLiteral("delete from ALUNOS where MATRICULA = 1"));
    }

    TempDir m_dir;
    QString m_location;
    Host m_host;
    ScriptedDialogs::Guard m_dialogs;
};

TEST_F(YearBackup, TheYearGoesIntoTheArchiveAsItsFileAndComesBackWhole)
{
    BackupScreen screen(m_host, places());
    EXPECT_EQ(screen.serverYear(), testengine::onServer());
    backUp(screen);
    ASSERT_EQ(m_dialogs->texts().last(), "1 arquivos foram copiados no Back-Up") << m_dialogs->texts().join('\n').toStdString();
    ASSERT_EQ(screen.zip().entries().size(), 1);
    EXPECT_EQ(screen.zip().entries().first().name, "Lumesco.db");
    EXPECT_EQ(m_host.calls.last(), "status Status do andamento do Back-Up");
    // A server year has no folder to choose files from.
    EXPECT_EQ(m_host.calls.contains("chooser"), !testengine::onServer());
    EXPECT_TRUE(QFileInfo::exists(m_dir.file("BACKUP/20260305_2026_MARIA.log")));

    year().exec(QStringLiteral("delete from ALUNOS where MATRICULA = 1"));
    addStudent(3, "CARLA");
    ASSERT_EQ(names(), "BRUNO,CARLA");
    if (!testengine::onServer())
        data::Database::closeAll(); // the file is replaced under the folder's name

    BackupScreen restoring(m_host, places());
    restoring.zip().setArchiveName(archive());
    m_host.calls.clear();
    m_dialogs->clear();
    m_dialogs->answer(core::Button::Ok);
    m_dialogs->answer(core::Button::Yes); // the server year's question
    restoring.restore();
    EXPECT_TRUE(restoring.closedAsRestore());
    EXPECT_EQ(names(), "ANA,BRUNO") << m_dialogs->texts().join('\n').toStdString();
    EXPECT_EQ(m_host.calls.last(), "status Status do andamento da recuperação do back-up");
    EXPECT_EQ(m_host.calls.contains("destination"), !testengine::onServer());
    if (testengine::onServer()) {
        ASSERT_EQ(m_dialogs->shown().size(), 3);
        const QString place = dataPlaceText(m_location);
        EXPECT_TRUE(place.startsWith("Ano letivo ") && place.contains(" no servidor deste computador (banco "));
        EXPECT_TRUE(m_dialogs->shown()[1].text.startsWith("Todos os dados do a" + place.mid(1) + " serão"));
        EXPECT_TRUE(m_dialogs->shown()[1].text.contains("Back-Up 20260305_2026_MARIA.Zip"));
        EXPECT_EQ(m_dialogs->shown()[1].buttons, core::Button::Yes | core::Button::No);
        EXPECT_EQ(m_dialogs->last().text, place + " recuperado.");
    }
}

TEST_F(YearBackup, AServerRestoreAsksFirstAndTakesOnlyAnArchiveWithAYear)
{
    if (!testengine::onServer())
        GTEST_SKIP() << "a folder's restore extracts into the folder chosen";
    backUpThenDeleteAna();

    BackupScreen restoring(m_host, places());
    restoring.zip().setArchiveName(archive());
    m_dialogs->clear();
    m_host.calls.clear();
    restoring.restore(); // Enter on each question
    EXPECT_TRUE(restoring.closedAsRestore());
    EXPECT_TRUE(m_host.calls.isEmpty());
    EXPECT_EQ(m_dialogs->texts().size(), 2);
    EXPECT_EQ(names(), "BRUNO") << "No, the answer a stray Enter gives, leaves the year as it is";

    // An archive of other files (a folder's backup without its school-year file).
    m_dir.write("Outros/Quorvel.ini", "[Geral]");
    BackupScreen other(m_host, {m_dir.file("Outros"), m_dir.file("BACKUP"), QString(), "2026", "MARIA"});
    other.zip().setArchiveName(m_dir.file("BACKUP/outros.zip"));
    other.save();
    ASSERT_EQ(other.zip().entries().size(), 1);
    restoring.zip().setArchiveName(m_dir.file("BACKUP/outros.zip"));
    m_dialogs->clear();
    restoring.restore();
    EXPECT_EQ(m_dialogs->texts().last(),
              "Este Back-Up não tem um ano letivo (Lumesco.db): nada foi recuperado.");
    EXPECT_EQ(names(), "BRUNO");
}

TEST_F(YearBackup, AServerYearIsNotReplacedUnderAnotherDesksOpenWindow)
{
    if (!testengine::onServer())
        GTEST_SKIP() << "a folder's restore writes files; the question before it is the guard";
    backUpThenDeleteAna();

    QDir::setCurrent(m_dir.path()); // the other desk starts where this one stands
    const pid_t desk = childprocess::start("YearBackupChild.HoldsTheRegister", {m_location, m_dir.path()});
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(m_dir.file("ready")) && waited.elapsed() < 20000)
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(m_dir.file("ready")));

    BackupScreen restoring(m_host, places());
    restoring.zip().setArchiveName(archive());
    m_dialogs->clear();
    m_dialogs->answer(core::Button::Ok);
    m_dialogs->answer(core::Button::Yes);
    restoring.restore();
    QFile(m_dir.file("done")).open(QIODevice::WriteOnly);
    EXPECT_EQ(childprocess::wait(desk), 10);
    EXPECT_EQ(m_dialogs->last().caption, "Erro");
    EXPECT_EQ(m_dialogs->last().text, "O ano letivo não foi recuperado; ele continua como estava.\n"
                                      "A tabela ALUNOS está sendo usada por outro usuário.");
    EXPECT_EQ(names(), "BRUNO");

    // Once the other desk has closed it, the same restore goes through.
    m_dialogs->clear();
    m_dialogs->answer(core::Button::Ok);
    m_dialogs->answer(core::Button::Yes);
    restoring.restore();
    EXPECT_EQ(names(), "ANA,BRUNO") << m_dialogs->texts().join('\n').toStdString();
}

TEST_F(YearBackup, TheCopyOfTheYearIsClosedAndGoneBeforeAnyMessageAlsoWhenTheArchiveFails)
{
    // The copies of a server year go where the temporary folders of this process go.
    const QString temp = m_dir.file("tmp");
    ASSERT_TRUE(QDir().mkpath(temp));
    const TempFolderIn tempFolder(temp);
    const QString schoolFolder = QDir(m_dir.path()).canonicalPath() + QStringLiteral("/Dados2026");
    const auto leftovers = [&] {
        QStringList left = openYearFilesOutside(schoolFolder);
        for (const QString &name : QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            left.append(QStringLiteral("tmp/") + name);
        return left;
    };
    auto owned = std::make_unique<ProbingDialogs>(leftovers);
    ProbingDialogs &probing = *owned;
    const DialogsInPlace inPlace(std::move(owned));

    {
        BackupScreen screen(m_host, places());
        backUp(screen);
        EXPECT_EQ(probing.texts().last(), "1 arquivos foram copiados no Back-Up");
    }
    {
        BackupScreen restoring(m_host, places());
        restoring.zip().setArchiveName(archive());
        probing.answer(core::Button::Ok);
        probing.answer(core::Button::Yes); // the server year's question
        restoring.restore();
        EXPECT_EQ(names(), "ANA,BRUNO");
    }
    {
        // The archive cannot be written: a file holds the name of its folder.
        ASSERT_TRUE(QDir(m_dir.file("BACKUP")).removeRecursively());
        m_dir.write("BACKUP", "not a folder");
        probing.clear();
        BackupScreen failing(m_host, places());
        backUp(failing);
        EXPECT_NE(probing.texts().last(), "1 arquivos foram copiados no Back-Up");
    }
    if (testengine::onServer()) {
        // The copy itself fails: the place it goes to already has a register.
        const QString taken = m_dir.file("tmp/ocupada");
        data::createSchoolYear(taken, QStringLiteral("2026"))
            .exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (9, 'ZÉ', '1G1A')"));
        EXPECT_THROW(stageServerYear(m_location, taken), data::StoreError);
        EXPECT_EQ(openYearFilesOutside(schoolFolder), QStringList());
        QDir(taken).removeRecursively();
    }
    EXPECT_EQ(probing.leftovers, QStringList()) << probing.texts().join('\n').toStdString();
    EXPECT_EQ(leftovers(), QStringList());
}

TEST(YearBackupChild, HoldsTheRegister)
{
    const QStringList task = childprocess::task();
    if (task.size() != 2)
        GTEST_SKIP() << "runs only as the other desk of the restore test";
    _exit(holdTableUntilDone(task[0], QStringLiteral("Alunos.DB"), task[1]));
}

TEST(DataPlaceText, NamesTheFolderOrTheYearOnItsServer)
{
    EXPECT_EQ(dataPlaceText("/srv/escola/Dados2026"),
              "Pasta " + QDir::toNativeSeparators("/srv/escola/Dados2026"));
    EXPECT_EQ(dataPlaceText("postgresql://secretaria@servidor/escola?ano=2026"),
              "Ano letivo 2026 no servidor servidor (banco escola)");
    EXPECT_EQ(dataPlaceText("postgresql://servidor:5433/escola?ano=2025&sslmode=require"),
              "Ano letivo 2025 no servidor servidor (banco escola)");
    EXPECT_EQ(dataPlaceText("postgresql:///escola?host=/var/run/postgresql&ano=2026"),
              "Ano letivo 2026 no servidor deste computador (banco escola)");
    EXPECT_EQ(dataPlaceText("postgresql:///escola?host=192.168.0.10&ano=2026"),
              "Ano letivo 2026 no servidor 192.168.0.10 (banco escola)");
    // A malformed address is shown as written; the log-on has already said what is wrong.
    EXPECT_EQ(dataPlaceText("postgresql://servidor/?ano=2026"), "postgresql://servidor/?ano=2026");
}

} // namespace
