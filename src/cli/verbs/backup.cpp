// backup: the backup screen's work from the command line, for the office's nightly backup from
// the system's scheduler: create (every file of the data directory, as the automatic box does),
// list (an archive's table of contents) and restore. create and restore check the user as a
// log-on does and need the Backup right.

#include "app/ConfigFiles.h"
#include "backup/BackupNames.h"
#include "backup/BackupRun.h"
#include "backup/ChosenFiles.h"
#include "backup/ServerYearArchive.h"
#include "cli/ConsoleReporter.h"
#include "cli/LogOn.h"
#include "cli/Verb.h"
#include "core/Clock.h"
#include "core/Formats.h"
#include "core/Session.h"
#include "data/store/Database.h"
#include "data/store/ServerAddress.h"
#include "data/store/StoreError.h"
#include "data/users/UsersTable.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void logOnWithBackupRight(const cli::Args &args, cli::Context &context)
{
    core::programDirs() = cli::programDirectories(context);
    try {
        const data::UsersTable users(core::programDirs().users);
        const data::UserRecord user =
            cli::requireLogOn(cli::checkLogOn(cli::credentials(args), users));
        if (!user.rights.backup)
            throw cli::Failure(
                QStringLiteral("O usuário %1 não tem o direito de fazer Back-Ups.").arg(user.userId));
        core::Session &session = core::session();
        session.userName = user.userId;
        session.supervisor = user.supervisor;
        session.rights = user.rights;
    } catch (const data::StoreError &e) {
        throw cli::Failure(e.message());
    }
}

// The school year a log-on would open for the directory or server year: its line of
// ConfigRede.txt (the last one, as the log-on dialog proposes), else the server year's own
// year, else the current year.
QString schoolYearOf(const QString &dataDir)
{
    const bool server = data::ServerAddress::isServerAddress(dataDir);
    const QList<app::SchoolYear> years =
        app::readSchoolYears(app::configRedePath(core::programDirs().program));
    for (auto it = years.crbegin(); it != years.crend(); ++it) {
        const bool same = server ? it->path.trimmed() == dataDir.trimmed()
                                 : QDir::cleanPath(QDir(it->path).absolutePath()) == QDir::cleanPath(dataDir);
        if (same)
            return QString::number(it->year);
    }
    if (server)
        return QString::number(data::ServerAddress::parse(dataDir).year);
    return QString::number(core::today().year());
}

void openArchive(backup::TZipMaster &zip, const QString &archive)
{
    try {
        zip.setArchiveName(archive);
    } catch (const backup::ZipReadError &e) {
        throw cli::Failure(e.message());
    }
}

int create(const cli::Args &args, cli::Context &context)
{
    args.allowOnly({"archive", "user", "password"});
    const QString place = args.positional(1, "PASTA_DADOS");
    // A server year is written into the archive as the school-year file a folder would hold.
    const bool server = data::ServerAddress::isServerAddress(place);
    QTemporaryDir staging;
    const QString dataDir = server ? staging.path() : QDir(place).absolutePath();
    if (!server && !QDir(dataDir).exists())
        throw cli::Failure(
            QStringLiteral("A pasta de dados não existe: %1").arg(QDir::toNativeSeparators(dataDir)));
    logOnWithBackupRight(args, context);
    const QString archive = QDir().absoluteFilePath(args.value(
        "archive", core::joinPath(core::programDirs().backup,
                                  backup::defaultArchiveName(core::today(), schoolYearOf(server ? place : dataDir),
                                                             core::session().userName))));
    if (server) {
        try {
            backup::stageServerYear(place, dataDir);
        } catch (const data::StoreError &e) {
            throw cli::Failure(e.message());
        }
    }
    QDir::setCurrent(dataDir);
    backup::TZipMaster zip;
    openArchive(zip, archive);
    cli::ConsoleReporter reporter(context);
    const backup::RunResult result =
        backup::runBackup(zip, backup::directoryFiles(dataDir), {}, reporter);
    context.out << backup::backupCountText(result.count) << '\n';
    return reporter.exitStatus();
}

int list(const cli::Args &args, cli::Context &context)
{
    args.allowOnly({});
    const QString archive = args.positional(1, "ARQUIVO");
    if (!QFileInfo::exists(archive))
        throw cli::Failure(
            QStringLiteral("O arquivo ZIP não existe: %1").arg(QDir::toNativeSeparators(archive)));
    QList<QStringList> rows;
    try {
        for (const backup::ZipEntry &entry : backup::readZipDirectory(archive))
            rows.append({entry.name, QString::number(entry.compressedSize),
                         QString::number(entry.size), core::formatDateTime(entry.dateTime())});
    } catch (const backup::ZipReadError &e) {
        throw cli::Failure(e.message());
    }
    cli::printRows(context.out, {QString(), {"NOME", "COMPRIMIDO", "TAMANHO", "DATAHORA"}, rows});
    return 0;
}

int restore(const cli::Args &args, cli::Context &context)
{
    args.allowOnly({"to", "flat", "no-overwrite", "only", "user", "password"});
    const QString archive = QDir().absoluteFilePath(args.positional(1, "ARQUIVO"));
    if (!args.has("to") || args.value("to").isEmpty())
        throw cli::Failure(QStringLiteral("informe a pasta de destino com --to PASTA"), 2);
    // Into a server year: the archive's school-year file is unpacked aside, then loaded whole.
    const QString target = args.value("to");
    const bool server = data::ServerAddress::isServerAddress(target);
    QTemporaryDir staging;
    const QString destination = server ? staging.path() : QDir(target).absolutePath();
    logOnWithBackupRight(args, context);
    backup::TZipMaster zip;
    openArchive(zip, archive);
    if (!QFileInfo::exists(archive))
        throw cli::Failure(QStringLiteral("Erro! Defina um arquivo ZIP primeiro."));
    if (zip.entries().isEmpty())
        throw cli::Failure(QStringLiteral("Erro! Não há arquivos para serem recuperados!"));
    backup::ExtractOptions options;
    options.directoryNames = !args.has("flat");
    options.overwrite = !args.has("no-overwrite");
    cli::ConsoleReporter reporter(context);
    const backup::RunResult result =
        backup::runRestore(zip, destination, options, args.values("only"), reporter);
    if (server && result.outcome == core::RunOutcome::Completed) {
        try {
            backup::loadIntoServerYear(destination, target);
        } catch (const data::StoreError &e) {
            throw cli::Failure(e.message());
        }
        context.out << QStringLiteral("Ano letivo recuperado em %1").arg(target) << '\n';
    }
    context.out << backup::restoreCountText(result.count) << '\n';
    return reporter.exitStatus();
}

const cli::Verb verb{
    "backup",
    "backup create PASTA_DADOS|ENDEREÇO [--archive ARQUIVO] [--user U --password P] | backup list ARQUIVO | "
    "backup restore ARQUIVO --to PASTA|ENDEREÇO [--flat] [--no-overwrite] [--only NOME]... "
    "[--user U --password P]",
    "cópia de segurança da pasta de dados num arquivo ZIP (com o registro .log ao lado), o "
    "conteúdo de um arquivo e a recuperação dele",
    [](const QStringList &arguments, cli::Context &context) {
        const cli::Args args(arguments, {"flat", "no-overwrite"});
        const QString action = args.positional(0, "create|list|restore");
        if (action == u"create")
            return create(args, context);
        if (action == u"list")
            return list(args, context);
        if (action == u"restore")
            return restore(args, context);
        throw cli::Failure(QStringLiteral("ação desconhecida: %1 (create, list ou restore)").arg(action), 2);
    }};

} // namespace
