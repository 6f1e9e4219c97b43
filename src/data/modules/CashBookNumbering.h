#pragma once

#include "data/store/Database.h"

#include <QString>
#include <QVariant>

namespace data {

// The numbers of the cash book: a group's number within its kind ("0" Receita, "1" Despesa),
// an account's number within its group, and the running number of the entries. Take each inside
// the transaction that writes the row (data::Transaction), so that two workstations never get
// the same number. A failing read throws RuleStatementError (data/modules/RuleStatement.h).
class CashBookNumbering
{
public:
    explicit CashBookNumbering(Database db);

    // 1 + the highest group number of the kind; 1 for the first group of a kind.
    int nextGroupNumber(const QString &kind) const;
    // 1 + the highest account number of the group (kind and group number); 1 for the first.
    int nextAccountNumber(const QString &kind, const QVariant &group) const;
    // 1 + the highest entry number of MovFin; 1 for the first entry.
    int nextEntryNumber() const;

private:
    Database m_db;
};

} // namespace data
