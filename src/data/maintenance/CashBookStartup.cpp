#include "data/maintenance/CashBookStartup.h"

#include "data/store/Database.h"

namespace data {

void runCashBookStartup(const Database &db)
{
    const char *statements[] = {
        "CREATE INDEX iGrupoDesc ON GrupoConta (Descricao_Grupo)",
        "ALTER TABLE \"CONTA.DB\" ADD DATA_VENC INTEGER ",
    };
    for (const char *statement : statements) {
        try {
            db.exec(QString::fromLatin1(statement));
        } catch (const std::exception &) {
        }
    }
}

} // namespace data
