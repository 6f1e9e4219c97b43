#include "data/settings/QuorvelIni.h"

#include "core/Diagnostics.h"
#include "core/ProgramDirs.h"
#include "data/settings/IniFile.h"
#include "data/settings/SettingsItems.h"

#include <QDir>

namespace data {

namespace {

// Files copied from Windows may carry any letter case ("QUORVEL.INI").
QString iniPath(const QString &dataDir)
{
    const QString name = QString::fromLatin1(kQuorvelIniName);
    const QStringList found = QDir(dataDir).entryList({name}, QDir::Files);
    return core::joinPath(dataDir, found.isEmpty() ? name : found.first());
}

// These files were written by hand for a program that read the fine with the decimal comma
// ("Juros=0,03"), so that is what they hold. A point without a comma ("Juros=0.05", "0.050",
// "1.500") is then either someone's decimal point or a slip: read as thousands it can make a
// 0,05 % daily fine 50 %, read as a decimal point it guesses. Neither is safe for a value
// applied once and never shown again, so it is refused like any value that does not convert.
bool holdsALonePoint(const SettingsItem &item, const QString &text, QString *error)
{
    if (item.kind != SettingsItem::Kind::Percent || !text.contains(u'.') || text.contains(u','))
        return false;
    *error = QStringLiteral("valor inválido para %1: %2 (o arquivo usa a vírgula decimal, por "
                            "exemplo %1=0,05)")
                 .arg(item.iniKey, text);
    return true;
}

} // namespace

QStringList applyQuorvelIni(const IniFile &ini, Settings &record)
{
    QStringList notes;
    for (const SettingsItem &item : settingsItems()) {
        if (item.iniKey.isEmpty())
            continue;
        item.reset(record);
        const QString text = ini.readString(item.iniSection, item.iniKey, QString()).trimmed();
        if (text.isEmpty())
            continue;
        QString error;
        if (holdsALonePoint(item, text, &error) || !item.setText(record, text, &error)) {
            if (!error.endsWith(u'.'))
                error += u'.';
            const QString note = QStringLiteral("%1, [%2]: %3 Vale o padrão %4.")
                                     .arg(QString::fromLatin1(kQuorvelIniName), item.iniSection,
                                          error, item.defaultText);
            qCWarning(core::lcSettings).noquote() << note;
            notes += note;
        }
    }
    return notes;
}

std::optional<QStringList> readQuorvelIni(const QString &dataDir, Settings &record)
{
    const std::optional<IniFile> ini = IniFile::read(iniPath(dataDir));
    if (!ini)
        return std::nullopt;
    return applyQuorvelIni(*ini, record);
}

} // namespace data
