#include "data/modules/CashBookNumbering.h"

#include "data/modules/RuleStatement.h"

namespace data {

CashBookNumbering::CashBookNumbering(Database db) : m_db(std::move(db)) {}

int CashBookNumbering::nextGroupNumber(const QString &kind) const
{
    return nextNumber(
        m_db,
        QStringLiteral("select max(CodGrupo_Grupo) from GrupoConta where Tipo_grupo = :tipogrupo"),
        {{QStringLiteral("tipogrupo"), kind}});
}

int CashBookNumbering::nextAccountNumber(const QString &kind, const QVariant &group) const
{
    return nextNumber(
        m_db,
        QStringLiteral(
            "select max(CodConta_Conta) from Conta where ((CodGrupo_grupo = :CodGrupogrupo) "
            "and (codGrupo_conta = :tipogrupo))"),
        {{QStringLiteral("CodGrupogrupo"), group}, {QStringLiteral("tipogrupo"), kind}});
}

int CashBookNumbering::nextEntryNumber() const
{
    return nextNumber(m_db, QStringLiteral("select max(CodMovFin_MovFin) from MovFin"));
}

} // namespace data
