#include "data/settings/SettingsStore.h"

#include "core/Diagnostics.h"
#include "core/Session.h"
#include "data/settings/QuorvelIni.h"
#include "data/settings/SettingsItems.h"
#include "data/store/Database.h"
#include "data/store/Table.h"

#include <QStringList>

namespace data {

namespace {

void writeRecord(const Database &db, const Settings &record)
{
    QStringList assignments;
    QStringList names;
    SqlParams params;
    auto add = [&](const QString &column, const QVariant &value) {
        assignments += column + QStringLiteral(" = :") + column;
        names += column;
        params.insert(column, value);
    };
    for (const SettingsItem &item : settingsItems())
        add(item.column.name, item.storeValue(record));
    add(QString::fromLatin1(kVersionInfoColumn), QString::fromLatin1(kVersionInfo));

    // Every row takes the values; a table left without its row gets one, so nothing is lost.
    if (db.exec(QStringLiteral("update Usuario set ") + assignments.join(QStringLiteral(", ")),
                params) == 0)
        db.exec(QStringLiteral("insert into Usuario (%1) values (:%2)")
                    .arg(names.join(QStringLiteral(", ")), names.join(QStringLiteral(", :"))),
                params);
}

void noteFailure(SettingsSaveResult &result, const std::exception &e)
{
    result.error = QString::fromUtf8(e.what());
    qCWarning(core::lcSettings).noquote()
        << QStringLiteral("a configuração não foi gravada: %1").arg(result.error);
}

} // namespace

void loadSettings(const Database &db, Settings &record)
{
    Table table(db, QStringLiteral("Usuario.DB"));
    table.open();
    table.first();
    Settings loaded = Settings::defaults(core::session().schoolYear);
    if (table.recordCount() > 0) {
        for (const SettingsItem &item : settingsItems())
            item.load(table, loaded);
    }
    table.close();
    loaded.computeDerived();
    record = loaded;
}

void loadSettings()
{
    loadSettings(Database::named(QString::fromLatin1(kMainDatabaseName)), settings());
}

SettingsSaveResult saveSettings(const Database &db, Settings &record, IniFileUse ini)
{
    SettingsSaveResult result;
    try {
        if (ini == IniFileUse::Read)
            result.iniNotes = readQuorvelIni(db.directory(), record).value_or(QStringList());
        writeRecord(db, record);
    } catch (const std::exception &e) {
        noteFailure(result, e);
    }
    return result;
}

SettingsSaveResult saveSettings(IniFileUse ini)
{
    try {
        return saveSettings(Database::named(QString::fromLatin1(kMainDatabaseName)), settings(),
                            ini);
    } catch (const std::exception &e) {
        // No school year is open under that name.
        SettingsSaveResult result;
        noteFailure(result, e);
        return result;
    }
}

core::Message settingsNotSavedMessage(const SettingsSaveResult &result)
{
    return {QStringLiteral("Não foi possível gravar a configuração.\r%1\r"
                           "As alterações valem apenas até o fim desta sessão.")
                .arg(result.error),
            QStringLiteral("Erro"), core::Icon::Error, core::Button::Ok};
}

} // namespace data
