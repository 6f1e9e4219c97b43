#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// The file behind the diagnostic log. Every message becomes one line, appended:
//   2026-12-08 22:41:07.125 lumesco.logon warning: log-on refused ...
// The file is opened for each message, so the program and lumesco-cli can share it. When it has
// reached its cap it is renamed "<name>.1" (replacing an older one) and a new file starts: the
// log never takes much more than twice the cap.
namespace core {

class DiagnosticLogFile
{
public:
    static constexpr qint64 kDefaultCap = 1024 * 1024;

    explicit DiagnosticLogFile(QString path, qint64 cap = kDefaultCap);

    const QString &path() const { return m_path; }
    QString rotatedPath() const { return m_path + QStringLiteral(".1"); }

    // Appends one message, creating the folder when needed; false when it cannot be written.
    bool append(QtMsgType type, const char *category, const QString &text) const;

    // The line of one message, without the line end. Line breaks inside the text become " | "
    // so each message stays one line.
    static QString line(const QDateTime &when, QtMsgType type, const char *category,
                        const QString &text);

private:
    void rotateWhenFull() const;

    QString m_path;
    qint64 m_cap;
};

} // namespace core
