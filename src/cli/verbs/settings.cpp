// settings: lists the school's settings of a data directory, after saving the given items.

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
        const QStringList changes = args.values("set");
        for (const QString &change : changes) {
            const qsizetype equals = change.indexOf(u'=');
            if (equals <= 0)
                throw cli::Failure(QStringLiteral("--set espera ITEM=VALOR: %1").arg(change), 2);
            QString error;
            if (!data::setSettingsItem(record, change.left(equals), change.mid(equals + 1), &error))
                throw cli::Failure(error, 2);
        }
        if (!changes.isEmpty()) {
            if (!data::saveSettings(db, record))
                throw cli::Failure(QStringLiteral("não foi possível gravar a configuração"));
            data::loadSettings(db, record);
        }
        for (const auto &[item, value] : data::settingsItems(record))
            context.out << item << ';' << value << '\n';
        return 0;
    }};

} // namespace
