#include "data/schema/SettingsSchema.h"

#include "data/schema/Fields.h"
#include "data/settings/SettingsItems.h"

namespace data::schema {

TableDef usuario()
{
    TableDef t;
    t.name = "Usuario";
    t.fileName = "Usuario.DB";
    for (const SettingsItem &item : settingsItems())
        t.fields += item.column;
    t.fields += text(QString::fromLatin1(kVersionInfoColumn), 60);
    return t;
}

TableDef usuarios()
{
    TableDef t;
    t.name = "Usuarios";
    t.fileName = "Usuarios.DB";
    // Password holds a salted hash; older tables kept ten characters and are widened on opening.
    t.fields = {text("UserID", 10),    text("Password", 100), logical("Alunos"), logical("Notas"),
                logical("Caixa"),      logical("Carnes"),     logical("Backup"), logical("Tabelas"),
                logical("CriarUsuer"), logical("Supervisor")};
    t.primaryKey = {"UserID"};
    return t;
}

} // namespace data::schema
