#pragma once

#include <QHash>
#include <QString>
#include <optional>

// A Windows-style initialisation file ("[SECTION]" lines and "Key=Value" lines), read whole.
// Sections and keys are found regardless of case; the first occurrence of a key wins; lines
// starting with ';' and lines that are neither are skipped.
namespace data {

class IniFile
{
public:
    // nullopt when the file is missing or unreadable. Windows-1252 text.
    static std::optional<IniFile> read(const QString &path);
    static IniFile fromLines(const QStringList &lines);

    bool contains(const QString &section, const QString &key) const;
    // The value without surrounding blanks or one pair of surrounding quotes. Numbers and
    // logicals are read by whoever knows what the key holds.
    QString readString(const QString &section, const QString &key, const QString &fallback) const;

private:
    QHash<QString, QString> m_values; // "SECTION\nKEY" in upper case -> value
};

} // namespace data
