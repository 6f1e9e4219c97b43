#include "support/RecordedLog.h"

#include <QStringList>

namespace {
RecordedLog *g_current = nullptr;
}

RecordedLog::RecordedLog()
{
    g_current = this;
    m_previous = qInstallMessageHandler(&RecordedLog::record);
}

RecordedLog::~RecordedLog()
{
    qInstallMessageHandler(m_previous);
    g_current = nullptr;
}

void RecordedLog::record(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (g_current)
        g_current->m_entries += {QString::fromLatin1(context.category ? context.category : "default"),
                                 type, text};
}

QStringList RecordedLog::warnings(const QString &category) const
{
    QStringList texts;
    for (const Entry &entry : m_entries) {
        if (entry.category == category && entry.type != QtDebugMsg && entry.type != QtInfoMsg)
            texts += entry.text;
    }
    return texts;
}
