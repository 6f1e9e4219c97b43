#pragma once

#include "core/Session.h"

#include <QList>

namespace data {

class Dataset;

// The right that makes a dataset of the data modules writable. Being a supervisor grants no
// table by itself: a supervisor without Caixa reads the cash book only.
enum class TableRight { Alunos, Notas, Caixa, Carnes, Tabelas, Supervisor };

bool holdsRight(const core::Session &session, TableRight right);

struct GuardedDataset
{
    Dataset *dataset = nullptr;
    TableRight right = TableRight::Supervisor;
};

// Closes each dataset and opens it again later read-only unless the session holds its right.
void applyTableRights(const QList<GuardedDataset> &datasets, const core::Session &session);

} // namespace data
