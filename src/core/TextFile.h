#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The program's text files (configuration, messages, exports) are Windows-1252 with CR LF,
// read and written whole as lists of lines.
namespace core {

QString fromWindows1252(const QByteArray &bytes);
// Characters outside Windows-1252 become '?'.
QByteArray toWindows1252(const QString &text);

// Splits on CR LF, LF or a lone CR. A final line break does not make an extra empty line.
// A UTF-8 byte-order mark switches the decoding to UTF-8. nullopt when the file can't be read.
std::optional<QStringList> readTextLines(const QString &path);

// Writes every line followed by CR LF, without a byte-order mark. On failure returns false and
// fills `error` (when given) with the system's message.
bool writeTextLines(const QString &path, const QStringList &lines, QString *error = nullptr);

} // namespace core
