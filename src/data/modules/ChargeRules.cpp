#include "data/modules/ChargeRules.h"

#include "core/Session.h"
#include "data/modules/RuleStatement.h"
#include "data/store/Database.h"
#include "data/store/Dataset.h"

namespace data {

QString chargeOwnerLevel()
{
    const core::Session &session = core::session();
    QString level;
    if (session.rights.alunos)
        level = QStringLiteral("0");
    if (session.rights.carnes)
        level = QStringLiteral("1");
    if (session.supervisor)
        level = QStringLiteral("2");
    return level;
}

void releaseOpenCharges(const Database &db)
{
    db.exec(QStringLiteral("update CCorrent set STATUS2 = '0' where (PgtoData is null) "
                           "and (STATUS2 is null or STATUS2 <> '0')"));
}

int nextInstalmentNumber(const Database &db, const QVariant &matricula)
{
    return nextNumber(db, QStringLiteral("select max(ParcelaNum) from Ccorrent where Matricula = :matricula"),
                      {{QStringLiteral("matricula"), matricula}});
}

void attachChargeRules(Dataset &ccorrent)
{
    ccorrent.events.beforePost = [](Dataset &row) {
        row.setText("USUARIO", core::session().userName);
        if (const QString level = chargeOwnerLevel(); !level.isEmpty())
            row.setText("STATUS2", level);
    };
    ccorrent.events.beforeEdit = [](Dataset &row) {
        if (row.asText("STATUS2") == u"2" && !core::session().supervisor)
            throw Abort();
    };
}

} // namespace data
