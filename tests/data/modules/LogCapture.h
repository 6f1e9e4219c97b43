#pragma once

#include <QLoggingCategory>
#include <QStringList>

// Collects what the program writes to its diagnostic log while it lives: one "category: text"
// line per message.
class LogCapture
{
public:
    LogCapture() : m_previous(qInstallMessageHandler(&LogCapture::handle)) { s_lines.clear(); }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList lines() const { return s_lines; }
    QString joined() const { return s_lines.join(u'\n'); }

private:
    static void handle(QtMsgType, const QMessageLogContext &context, const QString &message)
    {
        s_lines += QString::fromUtf8(context.category) + QStringLiteral(": ") + message;
    }

    inline static QStringList s_lines;
    QtMessageHandler m_previous;
};
