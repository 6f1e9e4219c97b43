#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// Records every diagnostic message (qCWarning(core::lcLogOn) ...) while it lives, instead of
// printing it; restores the previous handler when it dies. One at a time.
class RecordedLog
{
public:
    struct Entry
    {
        QString category; // "lumesco.logon"
        QtMsgType type = QtDebugMsg;
        QString text;
    };

    RecordedLog();
    ~RecordedLog();
    RecordedLog(const RecordedLog &) = delete;
    RecordedLog &operator=(const RecordedLog &) = delete;

    const QList<Entry> &entries() const { return m_entries; }
    // The texts of one category's warnings (and worse), in order.
    QStringList warnings(const QString &category) const;
    void clear() { m_entries.clear(); }

private:
    static void record(QtMsgType type, const QMessageLogContext &context, const QString &text);

    QList<Entry> m_entries;
    QtMessageHandler m_previous = nullptr;
};
