#include "data/schema/SettingsSchema.h"

#include "data/schema/Fields.h"

namespace data::schema {

TableDef usuario()
{
    TableDef t;
    t.name = "Usuario";
    t.fileName = "Usuario.DB";
    t.fields = {text("Estabel", 60),    text("Endereco", 60),
                text("Municipio", 60),  text("CGC", 18),
                text("FONE", 14),       shortInt("ANO_REF"),
                text("UF", 2),          text("NUM_CADASTRO", 15),
                floating("Juros"),      floating("UNI_MEDIA"),
                floating("GER_MEDIA"),  longInt("DATA_VENC"),
                longInt("PESO_1"),      longInt("PESO_2"),
                longInt("UNID_AVAL"),   longInt("LIMITE_DEP"),
                logical("Recup_Media"), longInt("PesoUND1"),
                longInt("PesoUND2"),    longInt("PesoUND3"),
                longInt("PesoUND4"),    longInt("Arredondamento"),
                logical("Usa_Rede"),    logical("Turma_Disc"),
                text("Termo_Func", 12), text("Termo_Unidade", 10),
                text("Termo_Recup", 5), text("Version_Info", 60)};
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
