#include "backup/BackupRun.h"

#include "backup/BackupNames.h"
#include "core/RunReporter.h"
#include "core/TextFile.h"

#include <QDir>
#include <limits>

namespace backup {

namespace {

// The reporter's steps are whole numbers: the bar counts kibibytes, so files of any size fit.
int kib(qint64 bytes)
{
    return int(qMin<qint64>((bytes + 1023) / 1024, std::numeric_limits<int>::max()));
}

// Connects the component's events to the reporter and the memo for the length of one run.
class RunEvents
{
public:
    RunEvents(TZipMaster &zip, core::RunReporter &reporter, QStringList &memo)
        : m_zip(zip), m_saved(zip.events())
    {
        TZipMaster::Events &events = zip.events();
        events.progress = [&zip, &reporter](ZipAction action, const QString &name, qint64 size) {
            if (action == ZipAction::FileStart)
                reporter.begin(name, kib(size));
            else if (action == ZipAction::BlockDone)
                reporter.step(kib(size));
            else
                reporter.begin(QString(), 0);
            if (reporter.cancelled())
                zip.cancel();
        };
        events.message = [&zip, &reporter, &memo](int errorCode, const QString &text) {
            memo.append(text);
            reporter.note(errorCode > 0 ? core::Severity::Error : core::Severity::Info, text);
            if (reporter.cancelled())
                zip.cancel();
        };
    }
    ~RunEvents() { m_zip.events() = m_saved; }

private:
    TZipMaster &m_zip;
    TZipMaster::Events m_saved;
};

void log(QStringList &memo, core::RunReporter &reporter, const QString &text)
{
    memo.append(text);
    reporter.note(core::Severity::Info, text);
}

} // namespace

RunResult runBackup(TZipMaster &zip, const QStringList &files, const AddOptions &options,
                    core::RunReporter &reporter)
{
    RunResult result;
    log(result.memo, reporter, QStringLiteral("Preparando arquivo... ") + zip.archiveName());
    {
        const RunEvents events(zip, reporter, result.memo);
        zip.fileSpecs() = files;
        zip.addOptions() = options;
        try {
            zip.add();
            result.count = zip.successCount();
        } catch (const std::exception &e) {
            log(result.memo, reporter, QStringLiteral("Error in Add; Fatal DLL Exception in mainunit"));
            log(result.memo, reporter, QString::fromUtf8(e.what()));
            result.count = zip.successCount();
        }
    }
    const QString logPath = logPathFor(zip.archiveName());
    QString error;
    if (!core::writeTextLines(logPath, result.memo, &error))
        reporter.note(core::Severity::Warning,
                      QStringLiteral("Não foi possível gravar o registro %1: %2")
                          .arg(QDir::toNativeSeparators(logPath), error));
    return result;
}

QString backupCountText(int count)
{
    return QString::number(count) + QStringLiteral(" arquivos foram copiados no Back-Up");
}

RunResult runRestore(TZipMaster &zip, const QString &destination, const ExtractOptions &options,
                     const QStringList &entries, core::RunReporter &reporter)
{
    RunResult result;
    log(result.memo, reporter,
        QStringLiteral("Aguarde... preparando arquivo ") + zip.archiveName());
    const RunEvents events(zip, reporter, result.memo);
    zip.setExtractDir(destination);
    zip.extractOptions() = options;
    zip.fileSpecs() = entries;
    try {
        zip.extract();
        result.count = zip.successCount();
    } catch (const std::exception &e) {
        log(result.memo, reporter, QStringLiteral("Error in Extract; Fatal DLL Exception in mainunit"));
        log(result.memo, reporter, QString::fromUtf8(e.what()));
    }
    return result;
}

QString restoreCountText(int count)
{
    return QString::number(count) + QStringLiteral(" arquivos foram recuperados");
}

} // namespace backup
