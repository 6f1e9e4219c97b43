#pragma once

#include <QString>
#include <QVariant>

namespace data {

class Database;
class Dataset;

// Who owns a charge row: every post stamps the user and the user's level ("0" Alunos,
// "1" Carnes, "2" supervisor, the last that applies), and a row a supervisor saved stays the
// supervisor's (no one else may edit it, silently) until log-on releases the unpaid ones.
void attachChargeRules(Dataset &ccorrent);

// Releases every unpaid charge row to all users again (STATUS2 "0"), as log-on does; the
// billing window runs it when it closes and the fee generator after each run.
void releaseOpenCharges(const Database &db);

// The instalment number (ParcelaNum) of a student's next charge other than a monthly fee:
// 1 + the highest of the student's charge rows, 1 for the first. Take it inside the
// transaction that writes the charge (data::Transaction). Throws RuleStatementError.
int nextInstalmentNumber(const Database &db, const QVariant &matricula);

// The level a post by the current session leaves in STATUS2; empty when the session holds
// none of the three rights (the row keeps its level).
QString chargeOwnerLevel();

} // namespace data
