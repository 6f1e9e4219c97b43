// settings: lists the school's settings of a data directory, after saving the given items.
// A support tool: it writes the settings table directly, without log-on or rights.

#include "cli/KeyValue.h"
#include "cli/Verb.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/SettingsItems.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"

namespace {

const cli::Verb verb{
    "settings", "settings DATA_DIR [--set ITEM=VALOR]...",
    "grava os itens dados e lista a configuração da escola (Item;valor)",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({"set"});
        const data::Database db = data::openSchoolYear(args.positional(0, "DATA_DIR"));
        data::Settings record;
        data::loadSettings(db, record);
        QList<std::pair<const data::SettingsItem *, QString>> changes;
        for (const cli::KeyValue &change :
             cli::keyValues(args.values("set"), QStringLiteral("--set ITEM=VALOR"))) {
            const data::SettingsItem *item = data::findSettingsItem(change.key);
            if (!item)
                throw cli::Failure(
                    QStringLiteral("item de configuração desconhecido: %1").arg(change.key), 2);
            changes += {item, change.value};
        }
        QString error;
        if (!data::setSettingsTexts(record, changes, &error))
            throw cli::Failure(error, 2);
        if (!changes.isEmpty()) {
            const data::SettingsSaveResult saved = data::saveSettings(db, record);
            if (!saved)
                throw cli::Failure(
                    QStringLiteral("não foi possível gravar a configuração: %1").arg(saved.error));
            data::loadSettings(db, record);
        }
        for (const data::SettingsItem &item : data::settingsItems())
            context.out << item.name << ';' << item.text(record) << '\n';
        return 0;
    }};

} // namespace
