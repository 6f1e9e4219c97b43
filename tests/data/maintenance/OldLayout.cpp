#include "OldLayout.h"

#include "data/schema/SchoolYearSchema.h"

#include <QDir>

namespace {

void removeFields(data::TableDef &table, const QStringList &names)
{
    for (const QString &name : names) {
        table.fields.removeIf([&](const data::FieldDef &f) {
            return f.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        table.indexes.removeIf([&](const data::IndexDef &i) { return i.fields.contains(name); });
    }
}

} // namespace

data::Database createOldSchoolYear(const QString &dataDir, bool certificateFieldsOfFour)
{
    QDir().mkpath(dataDir);
    const data::Database db = data::Database::open(dataDir);
    for (data::TableDef table : data::schema::schoolYearTables()) {
        const QString name = table.name.toUpper();
        if (name == "USUARIO") {
            removeFields(table, {"Recup_Media", "PesoUND1", "PesoUND2", "PesoUND3", "PesoUND4",
                                 "Arredondamento", "Usa_Rede", "Termo_Func", "Termo_Unidade",
                                 "Termo_Recup", "Turma_Disc", "Version_Info"});
            for (data::FieldDef &f : table.fields) {
                if (f.name == "Estabel" || f.name == "Endereco" || f.name == "Municipio")
                    f.size = 40;
            }
        } else if (name == "DISCTURM") {
            removeFields(table, {"Consolidada", "Imp_AtaFinal", "PESO"});
        } else if (name == "ALUNOS") {
            removeFields(table, {"email_resp", "UsarPiscina", "celular_resp", "celular_pai",
                                 "celular_mae", "MARCADO"});
            if (certificateFieldsOfFour) {
                for (data::FieldDef &f : table.fields) {
                    if (f.name == "CN_FOLHA" || f.name == "CN_LIVRO")
                        f.size = 4;
                }
            } else {
                removeFields(table, {"TIPO_SANG", "COR_PELE", "CN_NUM", "CN_FOLHA", "CN_LIVRO",
                                     "CN_MUNNASC", "CN_DTEMISS", "CN_UFCART", "CN_CART"});
            }
        } else if (name == "NOTAS" || name.startsWith("NOTASUNI")) {
            removeFields(table, {"SIT", "RESULTADO"});
        } else if (name == "CCORRENT") {
            removeFields(table, {"USUARIO", "STATUS2", "FORMAPGTO"});
        } else if (name == "CONTA") {
            removeFields(table, {"DATA_VENC"});
        } else if (name == "GRUPOCONTA") {
            table.indexes.clear();
        }
        db.createTable(table);
    }
    return db;
}
