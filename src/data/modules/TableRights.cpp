#include "data/modules/TableRights.h"

#include "data/modules/LiveQuery.h"
#include "data/store/Table.h"

namespace data {

bool holdsRight(const core::Session &session, TableRight right)
{
    switch (right) {
    case TableRight::Alunos:
        return session.rights.alunos;
    case TableRight::Notas:
        return session.rights.notas;
    case TableRight::Caixa:
        return session.rights.caixa;
    case TableRight::Carnes:
        return session.rights.carnes;
    case TableRight::Tabelas:
        return session.rights.tabelas;
    case TableRight::Supervisor:
        return session.supervisor;
    }
    return false;
}

void applyTableRights(const QList<GuardedDataset> &datasets, const core::Session &session)
{
    for (const GuardedDataset &guarded : datasets) {
        const bool readOnly = !holdsRight(session, guarded.right);
        guarded.dataset->close();
        if (auto *table = qobject_cast<Table *>(guarded.dataset))
            table->setReadOnly(readOnly);
        else if (auto *query = qobject_cast<LiveQuery *>(guarded.dataset))
            query->setReadOnly(readOnly);
    }
}

} // namespace data
