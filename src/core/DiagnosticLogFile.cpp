#include "core/DiagnosticLogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace core {

namespace {

QLatin1String levelName(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return QLatin1String("debug");
    case QtInfoMsg:
        return QLatin1String("info");
    case QtWarningMsg:
        return QLatin1String("warning");
    case QtCriticalMsg:
        return QLatin1String("critical");
    case QtFatalMsg:
        return QLatin1String("fatal");
    }
    return QLatin1String("unknown");
}

} // namespace

DiagnosticLogFile::DiagnosticLogFile(QString path, qint64 cap) : m_path(std::move(path)), m_cap(cap)
{
}

QString DiagnosticLogFile::line(const QDateTime &when, QtMsgType type, const char *category,
                                const QString &text)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\\r\\n|\\r|\\n"));
    return when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")) + u' ' +
           QLatin1String(category ? category : "default") + u' ' + levelName(type) +
           QStringLiteral(": ") + QString(text).replace(lineBreaks, QStringLiteral(" | "));
}

void DiagnosticLogFile::rotateWhenFull() const
{
    if (QFileInfo(m_path).size() < m_cap)
        return;
    QFile::remove(rotatedPath());
    QFile::rename(m_path, rotatedPath());
}

bool DiagnosticLogFile::append(QtMsgType type, const char *category, const QString &text) const
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    rotateWhenFull();
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    // The real time, not the pinned clock of tests and demonstrations.
    const QByteArray bytes =
        line(QDateTime::currentDateTime(), type, category, text).toUtf8() + '\n';
    return file.write(bytes) == bytes.size();
}

} // namespace core
