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
    RunEvents(TZipMaster &zip, core::RunReporter &reporter, RunResult &result)
        : m_zip(zip), m_reporter(reporter), m_result(result), m_saved(zip.events())
    {
        TZipMaster::Events &events = zip.events();
        events.progress = [this](ZipAction action, const QString &name, qint64 size) {
            if (action == ZipAction::FileStart)
                m_reporter.begin(name, kib(size), true);
            else if (action == ZipAction::BlockDone)
                m_reporter.step(kib(size), QString());
            else
                m_reporter.begin(QString(), 0, true);
            if (m_reporter.cancelled())
                m_zip.cancel();
        };
        events.message = [this](int errorCode, const QString &text) {
            m_result.memo.append(text);
            m_errors += errorCode > 0;
            m_reporter.note(errorCode > 0 ? core::Severity::Error : core::Severity::Info, text,
                            QString());
            if (m_reporter.cancelled())
                m_zip.cancel();
        };
        m_reporter.begin(QString(), 0, true);
    }
    ~RunEvents() { m_zip.events() = m_saved; }

    // Runs the operation, keeping what escapes it in the memo.
    template <typename Operation> void run(Operation operation, const QString &failure)
    {
        try {
            operation();
            m_result.count = m_zip.successCount();
        } catch (const std::exception &e) {
            log(m_result.memo, m_reporter, failure);
            log(m_result.memo, m_reporter, QString::fromUtf8(e.what()));
            m_result.count = m_zip.successCount();
            m_failed = true;
        }
        if (m_zip.cancelRequested())
            m_result.outcome = core::RunOutcome::Cancelled;
        else if (m_failed || (m_errors > 0 && m_result.count == 0))
            m_result.outcome = core::RunOutcome::Failed;
    }

    static void log(QStringList &memo, core::RunReporter &reporter, const QString &text)
    {
        memo.append(text);
        reporter.note(core::Severity::Info, text, QString());
    }

private:
    TZipMaster &m_zip;
    core::RunReporter &m_reporter;
    RunResult &m_result;
    TZipMaster::Events m_saved;
    int m_errors = 0;
    bool m_failed = false;
};

} // namespace

RunResult runBackup(TZipMaster &zip, const QStringList &files, const AddOptions &options,
                    core::RunReporter &reporter)
{
    RunResult result;
    RunEvents::log(result.memo, reporter, QStringLiteral("Preparando arquivo... ") + zip.archiveName());
    {
        RunEvents events(zip, reporter, result);
        zip.fileSpecs() = files;
        zip.addOptions() = options;
        events.run([&zip] { zip.add(); },
                   QStringLiteral("Error in Add; Fatal DLL Exception in mainunit"));
    }
    const QString logPath = logPathFor(zip.archiveName());
    QString error;
    if (!core::writeTextLines(logPath, result.memo, &error))
        reporter.note(core::Severity::Warning,
                      QStringLiteral("Não foi possível gravar o registro %1: %2")
                          .arg(QDir::toNativeSeparators(logPath), error),
                      QString());
    reporter.finish(result.outcome);
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
    RunEvents::log(result.memo, reporter,
                   QStringLiteral("Aguarde... preparando arquivo ") + zip.archiveName());
    {
        RunEvents events(zip, reporter, result);
        zip.setExtractDir(destination);
        zip.extractOptions() = options;
        zip.fileSpecs() = entries;
        events.run([&zip] { zip.extract(); },
                   QStringLiteral("Error in Extract; Fatal DLL Exception in mainunit"));
    }
    reporter.finish(result.outcome);
    return result;
}

QString restoreCountText(int count)
{
    return QString::number(count) + QStringLiteral(" arquivos foram recuperados");
}

} // namespace backup
