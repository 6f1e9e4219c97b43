#include "backup/zip/TZipMaster.h"

#include "core/Dialogs.h"

#include <QDir>

namespace backup {

namespace {

QString absolute(const QString &spec)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(spec));
}

} // namespace

void TZipMaster::setArchiveName(const QString &path)
{
    m_archiveName = path;
    m_replaceArchive = false;
    readDirectory();
}

void TZipMaster::startNewArchive(const QString &path)
{
    m_archiveName = path;
    m_replaceArchive = true;
    m_entries.clear();
    if (m_events.dirUpdate)
        m_events.dirUpdate();
}

void TZipMaster::readDirectory()
{
    m_entries.clear();
    m_entries = readZipDirectory(m_archiveName);
    if (m_events.dirUpdate)
        m_events.dirUpdate();
}

bool TZipMaster::dispatch(const ZipCallbackRecord &record)
{
    if (record.action == ZipAction::Message) {
        QString text = record.text;
        while (text.endsWith(u'\r') || text.endsWith(u'\n'))
            text.chop(1);
        if (m_events.message)
            m_events.message(record.errorCode, text);
    } else if (m_events.progress) {
        m_events.progress(record.action, record.text, record.size);
    }
    return m_cancel;
}

template <typename Operation> void TZipMaster::run(Operation operation)
{
    if (m_busy)
        return;
    struct Done
    {
        TZipMaster &zip;
        ~Done()
        {
            zip.m_fileSpecs.clear();
            zip.m_busy = false;
        }
    } done{*this};
    m_busy = true;
    m_cancel = false;
    m_successCount = 0;
    const ZipCallback callback = [this](const ZipCallbackRecord &record) {
        return dispatch(record);
    };
    try {
        m_successCount = operation(callback);
    } catch (const ZipEngineError &e) {
        dispatch({ZipAction::Message, 0, 0, QString::fromUtf8(e.what())});
        core::showError(QStringLiteral("Fatal DLL Error: abort exception"));
    }
}

void TZipMaster::add()
{
    if (m_busy)
        return;
    if (m_fileSpecs.isEmpty()) {
        dispatch({ZipAction::Message, 1, 0, QStringLiteral("Error - no files to zip")});
        return;
    }
    if (m_archiveName.isEmpty()) {
        dispatch({ZipAction::Message, 1, 0, QStringLiteral("Error - no zip file specified")});
        return;
    }
    run([this](const ZipCallback &callback) {
        AddRequest request;
        request.archive = absolute(m_archiveName);
        for (const QString &spec : std::as_const(m_fileSpecs))
            request.specs.append(absolute(spec));
        request.baseDir = QDir::currentPath();
        request.level = kLevel;
        request.storeDirNames = m_addOptions.dirNames;
        request.recurse = m_addOptions.recurse;
        request.replace = m_replaceArchive;
        request.verbose = m_verbose;
        return zipAdd(request, callback);
    });
    if (m_successCount > 0) {
        m_replaceArchive = false;
        readDirectory();
    }
}

void TZipMaster::extract()
{
    run([this](const ZipCallback &callback) {
        ExtractRequest request;
        request.archive = absolute(m_archiveName);
        request.specs = m_fileSpecs;
        request.destination = m_extractDir.isEmpty() ? QDir::currentPath() : absolute(m_extractDir);
        request.directoryNames = m_extractOptions.directoryNames;
        request.overwrite = m_extractOptions.overwrite;
        request.verbose = m_verbose;
        return zipExtract(request, callback);
    });
}

} // namespace backup
