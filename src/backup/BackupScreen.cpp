#include "backup/BackupScreen.h"

#include "backup/BackupNames.h"
#include "backup/BackupRun.h"
#include "backup/ChosenFiles.h"
#include "backup/ServerYearArchive.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Shell.h"
#include "data/store/Database.h"
#include "data/store/ServerAddress.h"
#include "data/store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace backup {

namespace {

const QString kZipFilter = QStringLiteral("ZIP Files (*.ZIP *.zip)");

bool confirmNoAccess()
{
    return core::dialogs().show({QStringLiteral("Certifique-se que não há acessos ao Banco de "
                                                "Dados neste momento!"),
                                 QStringLiteral("Atenção"), core::Icon::Warning,
                                 core::Button::Ok | core::Button::Cancel}) == core::Button::Ok;
}

// "Ano letivo 2026 no servidor ..." inside a sentence.
QString inSentence(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

void defineArchiveFirst()
{
    core::showError(QStringLiteral("Erro! Defina um arquivo ZIP primeiro."), QStringLiteral("Erro"));
}

} // namespace

BackupScreen::BackupScreen(BackupScreenHost &host, BackupPlaces places)
    : m_host(host), m_places(std::move(places))
{
    // Archives go to the backup folder; a new installation has none yet.
    QDir().mkpath(m_places.backupDir);
}

QString BackupScreen::archiveLabel() const
{
    const QString name = m_zip.archiveName();
    return name.isEmpty() ? QStringLiteral("(nenhum)") : QDir::toNativeSeparators(name);
}

QString BackupScreen::dataLabel() const
{
    return dataPlaceText(m_places.dataDir);
}

bool BackupScreen::serverYear() const
{
    return data::ServerAddress::isServerAddress(m_places.dataDir);
}

void BackupScreen::nameArchive(const QString &path)
{
    try {
        m_zip.setArchiveName(path);
    } catch (const ZipReadError &e) {
        core::showError(e.message());
    }
}

void BackupScreen::newArchive()
{
    // The window asks about an existing archive itself, after ".zip" is added.
    const QString chosen = core::dialogs().saveFile(
        {QStringLiteral("Criar um Novo Arquivo ZIP de back-Up"), m_places.backupDir,
         defaultArchiveName(core::today(), m_places.schoolYear, m_places.userName), kZipFilter, false});
    if (chosen.isEmpty())
        return;
    m_saveEnabled = true;
    m_restoreEnabled = false;
    const QString name = withZipExtension(chosen);
    if (QFileInfo::exists(name) &&
        core::dialogs().show({QStringLiteral("Arquivo já existe. Deseja escrever sobre os dados "
                                             "já gravados?"),
                              QStringLiteral("Atenção"), core::Icon::Warning,
                              core::Button::Yes | core::Button::No}) != core::Button::Yes)
        return;
    // The old archive is replaced by the next backup, and only once it has succeeded.
    m_zip.startNewArchive(name);
}

void BackupScreen::openArchive()
{
    const QString chosen = core::dialogs().openFile(
        {QStringLiteral("Open Existing ZIP File"), m_places.backupDir, QString(), kZipFilter});
    if (chosen.isEmpty())
        return;
    m_saveEnabled = false;
    m_restoreEnabled = true;
    nameArchive(chosen);
}

void BackupScreen::setAutomatic(bool on)
{
    m_automatic = on;
    if (!on) {
        core::inform(QStringLiteral("Você precisará informar manualmente os arquivos para Back-Up"),
                     QStringLiteral("Back-Up manual"));
        return;
    }
    m_saveEnabled = true;
    m_restoreEnabled = false;
    if (m_zip.archiveName().isEmpty())
        nameArchive(core::joinPath(m_places.backupDir,
                                   defaultArchiveName(core::today(), m_places.schoolYear,
                                                      m_places.userName)));
    core::inform(QStringLiteral("Pressione o botão \"Salvar\" para gerar o Back-Up automaticamente"),
                 QStringLiteral("Back-Up automático"));
}

void BackupScreen::save()
{
    if (m_zip.archiveName().isEmpty()) {
        defineArchiveFirst();
        return;
    }
    if (!confirmNoAccess())
        return;
    if (serverYear()) {
        saveServerYear();
        return;
    }
    QDir::setCurrent(m_places.dataDir);
    const std::optional<FileChoice> choice = m_host.chooseFiles(m_places.dataDir, m_automatic);
    if (!choice || choice->files.isEmpty())
        return;
    m_host.runInStatusWindow(QStringLiteral("Status do andamento do Back-Up"),
                             [&](core::RunReporter &reporter) {
                                 const RunResult result =
                                     runBackup(m_zip, choice->files, choice->options, reporter);
                                 core::inform(backupCountText(result.count));
                             });
}

void BackupScreen::restore()
{
    m_closedAsRestore = true;
    if (!QFileInfo::exists(m_zip.archiveName())) {
        m_closedAsRestore = false;
        defineArchiveFirst();
        return;
    }
    if (!confirmNoAccess())
        return;
    if (serverYear()) {
        restoreServerYear();
        return;
    }
    QDir::setCurrent(m_places.dataDir);
    const std::optional<RestoreChoice> choice = m_host.chooseDestination(m_places.dataDir);
    if (!choice)
        return;
    if (m_zip.entries().isEmpty()) {
        core::showError(QStringLiteral("Erro! Não há arquivos para serem recuperados!"),
                        QStringLiteral("Erro"));
        return;
    }
    QStringList entries;
    if (choice->selectedOnly) {
        entries = m_host.selectedEntries();
        if (entries.isEmpty()) {
            core::showError(QStringLiteral("Error - no files selected"), QStringLiteral("Erro"));
            return;
        }
    }
    m_host.runInStatusWindow(
        QStringLiteral("Status do andamento da recuperação do back-up"),
        [&](core::RunReporter &reporter) {
            const RunResult result =
                runRestore(m_zip, choice->destination, choice->options, entries, reporter);
            core::inform(restoreCountText(result.count));
        });
}

void BackupScreen::saveServerYear()
{
    m_host.runInStatusWindow(
        QStringLiteral("Status do andamento do Back-Up"), [&](core::RunReporter &reporter) {
            // The year is written as the school-year file a folder holds, into a folder of its
            // own that goes away with the copy; the archive gets the same "Lumesco.db".
            QTemporaryDir staging;
            reporter.begin(QStringLiteral("Copiando o ano letivo do servidor..."), 0, false);
            try {
                if (!staging.isValid())
                    throw data::StoreError(QStringLiteral("Não foi possível criar uma pasta temporária: %1")
                                               .arg(staging.errorString()));
                stageServerYear(m_places.dataDir, staging.path());
            } catch (const data::StoreError &e) {
                staging.remove();
                reporter.note(core::Severity::Error, e.message(), QString());
                reporter.finish(core::RunOutcome::Failed);
                core::showError(QStringLiteral("Não foi possível copiar o %1.\n%2")
                                    .arg(inSentence(dataLabel()), e.message()),
                                QStringLiteral("Erro"));
                return;
            }
            reporter.note(core::Severity::Info,
                          QStringLiteral("%1 copiado como %2").arg(dataLabel(), QString::fromLatin1(data::kStoreFileName)),
                          QString());
            const QString previous = QDir::currentPath();
            QDir::setCurrent(staging.path());
            const RunResult result = runBackup(m_zip, directoryFiles(staging.path()), {}, reporter);
            QDir::setCurrent(previous);
            // Written or not, the copy of the year goes now, not when the message is answered.
            staging.remove();
            core::inform(backupCountText(result.count));
        });
}

void BackupScreen::restoreServerYear()
{
    const QString yearFile = QString::fromLatin1(data::kStoreFileName);
    if (m_zip.entries().isEmpty()) {
        core::showError(QStringLiteral("Erro! Não há arquivos para serem recuperados!"),
                        QStringLiteral("Erro"));
        return;
    }
    QString entry;
    for (const ZipEntry &e : m_zip.entries())
        if (e.name.compare(yearFile, Qt::CaseInsensitive) == 0)
            entry = e.name;
    if (entry.isEmpty()) {
        core::showError(QStringLiteral("Este Back-Up não tem um ano letivo (%1): nada foi recuperado.")
                            .arg(yearFile),
                        QStringLiteral("Erro"));
        return;
    }
    // Instead of the destination dialog: the only place a server year restores into is itself.
    // Everything typed since the backup is lost, so a stray Enter answers No.
    if (core::dialogs().show({QStringLiteral("Todos os dados do %1 serão substituídos pelos do "
                                             "Back-Up %2.\nO que foi lançado depois dele será "
                                             "perdido. Deseja continuar?")
                                  .arg(inSentence(dataLabel()),
                                       QFileInfo(m_zip.archiveName()).fileName()),
                              QStringLiteral("Atenção"), core::Icon::Warning,
                              core::Button::Yes | core::Button::No, core::Button::No}) != core::Button::Yes)
        return;
    m_host.runInStatusWindow(
        QStringLiteral("Status do andamento da recuperação do back-up"),
        [&](core::RunReporter &reporter) {
            QTemporaryDir staging;
            const RunResult result =
                runRestore(m_zip, staging.path(), {}, {entry}, reporter);
            if (result.outcome != core::RunOutcome::Completed || result.count == 0) {
                staging.remove();
                core::showError(QStringLiteral("O ano letivo não foi recuperado; ele continua como "
                                               "estava."),
                                QStringLiteral("Erro"));
                return;
            }
            try {
                loadIntoServerYear(staging.path(), m_places.dataDir);
                staging.remove();
            } catch (const data::StoreError &e) {
                staging.remove();
                reporter.note(core::Severity::Error, e.message(), QString());
                core::showError(QStringLiteral("O ano letivo não foi recuperado; ele continua como "
                                               "estava.\n%1").arg(e.message()),
                                QStringLiteral("Erro"));
                return;
            }
            core::inform(QStringLiteral("%1 recuperado.").arg(dataLabel()));
        });
}

void BackupScreen::help() const
{
    // A missing help page is no reason to stop anyone.
    core::shell().open(core::joinPath(m_places.helpDir, QStringLiteral("backup01.htm")));
}

} // namespace backup
