#include "data/settings/IniFile.h"

#include "core/TextFile.h"

#include <QStringList>

namespace data {

namespace {

QString keyOf(const QString &section, const QString &key)
{
    return section.trimmed().toUpper() + u'\n' + key.trimmed().toUpper();
}

} // namespace

std::optional<IniFile> IniFile::read(const QString &path)
{
    const std::optional<QStringList> lines = core::readTextLines(path);
    if (!lines)
        return std::nullopt;
    return fromLines(*lines);
}

IniFile IniFile::fromLines(const QStringList &lines)
{
    IniFile ini;
    QString section;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = line.mid(1, close < 0 ? -1 : close - 1);
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = keyOf(section, line.left(equals));
        if (!ini.m_values.contains(key))
            ini.m_values.insert(key, line.mid(equals + 1).trimmed());
    }
    return ini;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return m_values.contains(keyOf(section, key));
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &fallback) const
{
    const auto it = m_values.constFind(keyOf(section, key));
    if (it == m_values.constEnd())
        return fallback;
    QString value = *it;
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace data
