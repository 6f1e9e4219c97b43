#include "backup/BackupScreen.h"

#include "core/Clock.h"
#include "core/Shell.h"
#include "core/TextFile.h"
#include "support/QStringPrinting.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace backup;

namespace {

class FakeHost : public BackupScreenHost
{
public:
    std::optional<FileChoice> chooseFiles(const QString &directory, bool automatic) override
    {
        calls.append(QStringLiteral("chooser %1 %2 cwd=%3")
                         .arg(directory, automatic ? "auto" : "manual", QDir::currentPath()));
        return files;
    }
    std::optional<RestoreChoice> chooseDestination(const QString &directory) override
    {
        calls.append(QStringLiteral("destination ") + directory);
        return destination;
    }
    QStringList selectedEntries() const override { return selected; }
    void runInStatusWindow(const QString &caption,
                           const std::function<void(core::RunReporter &)> &job) override
    {
        calls.append(QStringLiteral("status ") + caption);
        job(reporter);
    }

    std::optional<FileChoice> files;
    std::optional<RestoreChoice> destination;
    QStringList selected;
    QStringList calls;
    RecordingReporter reporter;
};

class BackupScreenTest : public ::testing::Test
{
protected:
    BackupScreenTest()
    {
        core::pinClock(QDateTime(QDate(2026, 1, 9), QTime(20, 25)));
        writeData("Lumesco.txt", "tabelas");
        writeData("Quorvel.ini", "[Geral]");
    }
    ~BackupScreenTest() override { core::pinClock(QDateTime()); }

    void writeData(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(m_dir.file("Data"));
        m_dir.write("Data/" + name, bytes);
    }
    QString data(const QString &name) const { return m_dir.file("Data/" + name); }
    QString backup(const QString &name) const { return m_dir.file("BACKUP/" + name); }
    // An archive holding the two data files.
    void makeArchive(const QString &name)
    {
        ScriptedDialogs::Guard quiet;
        BackupScreen maker(m_host, places());
        maker.zip().setArchiveName(backup(name));
        m_host.files = FileChoice{{data("Lumesco.txt"), data("Quorvel.ini")}, {}};
        maker.save();
        m_host.calls.clear();
        m_host.reporter = RecordingReporter();
    }
    BackupPlaces places() const
    {
        return {m_dir.file("Data"), m_dir.file("BACKUP"), m_dir.file("AJUDA"), "2025", "JOAO"};
    }

    TempDir m_dir;
    FakeHost m_host;
    ScriptedDialogs::Guard m_dialogs;
    BackupScreen m_screen{m_host, places()};
};

TEST_F(BackupScreenTest, NewProposesTheDefaultNameAndReplacesAnExistingArchiveOnlyWhenAsked)
{
    EXPECT_EQ(m_screen.archiveLabel(), "(nenhum)");
    EXPECT_FALSE(m_screen.saveEnabled());
    EXPECT_FALSE(m_screen.restoreEnabled());
    EXPECT_TRUE(QDir(m_dir.file("BACKUP")).exists()) << "made for a new installation";

    m_dialogs->answerFile(backup("semana"));
    m_screen.newArchive();
    ASSERT_EQ(m_dialogs->shown().size(), 1);
    EXPECT_EQ(m_dialogs->last().kind, "save");
    EXPECT_EQ(m_dialogs->last().caption, "Criar um Novo Arquivo ZIP de back-Up");
    EXPECT_EQ(m_dialogs->last().text, "20260109_2025_JOAO.Zip");
    EXPECT_FALSE(m_dialogs->lastSaveRequest().confirmOverwrite) << "the window asks about an existing archive itself";
    EXPECT_EQ(m_screen.zip().archiveName(), backup("semana.zip"));
    EXPECT_EQ(m_screen.archiveLabel(), QDir::toNativeSeparators(backup("semana.zip")));
    EXPECT_TRUE(m_screen.saveEnabled());
    EXPECT_FALSE(m_screen.restoreEnabled());

    makeArchive("velho.ZIP");
    m_dialogs->clear();
    m_dialogs->answerFile(backup("velho.ZIP"));
    m_dialogs->answer(core::Button::No);
    m_screen.newArchive();
    EXPECT_EQ(m_dialogs->last().text, "Arquivo já existe. Deseja escrever sobre os dados já gravados?");
    EXPECT_EQ(m_dialogs->last().caption, "Atenção");
    EXPECT_EQ(m_dialogs->last().buttons, core::Button::Yes | core::Button::No);
    EXPECT_EQ(m_screen.zip().archiveName(), backup("semana.zip")) << "No stops";

    m_dialogs->answerFile(backup("velho.ZIP"));
    m_dialogs->answer(core::Button::Yes);
    m_screen.newArchive();
    EXPECT_EQ(m_screen.zip().archiveName(), backup("velho.ZIP"));
    EXPECT_TRUE(m_screen.zip().entries().isEmpty()) << "the grid is emptied";
    EXPECT_TRUE(QFileInfo::exists(backup("velho.ZIP"))) << "until the new backup succeeds";
}

TEST_F(BackupScreenTest, OpenReadsTheTableOfContentsOrShowsTheReadingError)
{
    makeArchive("copia.zip");
    m_dialogs->answerFile(backup("copia.zip"));
    m_screen.openArchive();
    EXPECT_EQ(m_dialogs->last().caption, "Open Existing ZIP File");
    EXPECT_EQ(m_screen.zip().entries().size(), 2);
    EXPECT_FALSE(m_screen.saveEnabled());
    EXPECT_TRUE(m_screen.restoreEnabled());

    m_dir.write("BACKUP/texto.zip", "não sou um zip");
    m_dialogs->answerFile(backup("texto.zip"));
    m_screen.openArchive();
    EXPECT_EQ(m_dialogs->last().text, "Error 1 reading Zip File");
    EXPECT_EQ(m_dialogs->last().icon, core::Icon::Error);
    EXPECT_TRUE(m_screen.zip().entries().isEmpty());
}

TEST_F(BackupScreenTest, TheAutomaticBoxNamesTheDefaultArchiveAndExplainsItself)
{
    m_screen.setAutomatic(false);
    EXPECT_EQ(m_dialogs->last().text, "Você precisará informar manualmente os arquivos para Back-Up");
    EXPECT_EQ(m_dialogs->last().caption, "Back-Up manual");
    EXPECT_EQ(m_screen.zip().archiveName(), QString());

    m_screen.setAutomatic(true);
    EXPECT_EQ(m_dialogs->last().text, "Pressione o botão \"Salvar\" para gerar o Back-Up automaticamente");
    EXPECT_EQ(m_dialogs->last().caption, "Back-Up automático");
    EXPECT_EQ(m_screen.zip().archiveName(), backup("20260109_2025_JOAO.Zip"));
    EXPECT_TRUE(m_screen.saveEnabled());
    EXPECT_FALSE(m_screen.restoreEnabled());

    m_dialogs->answerFile(backup("outro"));
    m_screen.newArchive();
    m_screen.setAutomatic(true);
    EXPECT_EQ(m_screen.zip().archiveName(), backup("outro.zip")) << "a named archive stays";
}

TEST_F(BackupScreenTest, SaveAsksChoosesRunsTheStatusWindowAndLogs)
{
    m_screen.save();
    EXPECT_EQ(m_dialogs->texts(), QStringList({"Erro! Defina um arquivo ZIP primeiro."}));
    EXPECT_EQ(m_dialogs->last().caption, "Erro");

    m_screen.setAutomatic(true);
    m_dialogs->clear();
    m_dialogs->answer(core::Button::Cancel);
    m_screen.save();
    EXPECT_EQ(m_dialogs->texts(), QStringList({"Certifique-se que não há acessos ao Banco de Dados neste momento!"}));
    EXPECT_EQ(m_dialogs->last().buttons, core::Button::Ok | core::Button::Cancel);
    EXPECT_TRUE(m_host.calls.isEmpty());

    // Files were chosen, then the chooser was cancelled: no archive.
    m_screen.save();
    EXPECT_EQ(m_host.calls, QStringList({"chooser " + m_dir.file("Data") + " auto cwd=" +
                                         m_dir.file("Data")}));
    EXPECT_FALSE(QFileInfo::exists(backup("20260109_2025_JOAO.Zip")));

    m_host.calls.clear();
    m_dialogs->clear();
    m_host.files = FileChoice{{data("Lumesco.txt"), data("Quorvel.ini")}, {}};
    m_screen.save();
    EXPECT_EQ(m_host.calls.last(), "status Status do andamento do Back-Up");
    EXPECT_EQ(m_dialogs->texts().last(), "2 arquivos foram copiados no Back-Up");
    EXPECT_EQ(m_screen.zip().entries().size(), 2);
    const QStringList memo = m_host.reporter.noteTexts();
    EXPECT_EQ(memo.first(), "Preparando arquivo... " + backup("20260109_2025_JOAO.Zip"));
    EXPECT_EQ(core::readTextLines(backup("20260109_2025_JOAO.log")), memo);
}

TEST_F(BackupScreenTest, RestoreEndsTheSessionUnlessTheArchiveIsMissing)
{
    m_screen.restore();
    EXPECT_EQ(m_dialogs->texts(), QStringList({"Erro! Defina um arquivo ZIP primeiro."}));
    EXPECT_FALSE(m_screen.closedAsRestore());

    makeArchive("copia.zip");
    m_screen.zip().setArchiveName(backup("copia.zip"));
    m_dialogs->clear();
    m_dialogs->answer(core::Button::Cancel);
    m_screen.restore();
    EXPECT_TRUE(m_screen.closedAsRestore()) << "a cancelled question ends the session too";
    EXPECT_TRUE(m_host.calls.isEmpty());

    BackupScreen cancelled(m_host, places());
    cancelled.zip().setArchiveName(backup("copia.zip"));
    cancelled.restore();
    EXPECT_EQ(m_host.calls, QStringList({"destination " + m_dir.file("Data")}));
    EXPECT_TRUE(cancelled.closedAsRestore());
}

TEST_F(BackupScreenTest, RestoreRefusesAnEmptyArchiveOrAnEmptySelectionAndExtractsTheChoice)
{
    m_dir.write("BACKUP/vazio.zip", QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    m_screen.zip().setArchiveName(backup("vazio.zip"));
    m_host.destination = RestoreChoice{m_dir.file("restaurado"), {}, true};
    m_screen.restore();
    EXPECT_EQ(m_dialogs->last().text, "Erro! Não há arquivos para serem recuperados!");
    EXPECT_EQ(m_dialogs->last().caption, "Erro");

    makeArchive("copia.zip");
    m_screen.zip().setArchiveName(backup("copia.zip"));
    m_screen.restore();
    EXPECT_EQ(m_dialogs->last().text, "Error - no files selected");
    EXPECT_FALSE(QDir(m_dir.file("restaurado")).exists());

    m_host.selected = QStringList{"Quorvel.ini"};
    m_screen.restore();
    EXPECT_EQ(m_host.calls.last(), "status Status do andamento da recuperação do back-up");
    EXPECT_EQ(m_dialogs->last().text, "1 arquivos foram recuperados");
    EXPECT_EQ(m_dir.read("restaurado/Quorvel.ini"), "[Geral]");
    EXPECT_FALSE(QFileInfo::exists(m_dir.file("restaurado/Lumesco.txt")));
    EXPECT_EQ(m_host.reporter.noteTexts().first(), "Aguarde... preparando arquivo " + backup("copia.zip"));

    m_host.destination->selectedOnly = false;
    m_screen.restore();
    EXPECT_EQ(m_dialogs->last().text, "2 arquivos foram recuperados");
}

TEST_F(BackupScreenTest, HelpOpensItsPage)
{
    auto *shell = new core::RecordingShell;
    auto previous = core::setShell(std::unique_ptr<core::Shell>(shell));
    m_screen.help();
    EXPECT_EQ(shell->opened(), QStringList({QDir(m_dir.file("AJUDA")).filePath("backup01.htm")}));
    core::setShell(std::move(previous));
}

} // namespace
