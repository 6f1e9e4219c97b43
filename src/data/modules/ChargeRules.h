#pragma once

#include <QString>

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

// The level a post by the current session leaves in STATUS2; empty when the session holds
// none of the three rights (the row keeps its level).
QString chargeOwnerLevel();

} // namespace data
