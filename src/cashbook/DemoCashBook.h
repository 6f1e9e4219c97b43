#pragma once

#include <QString>

namespace data {
class Database;
}

// The demo school's cash book: the revenue and expense groups and accounts a school keeps,
// its banks, and two years of daily movements (the school year and the one before), with
// months of both signs of balance: January, July and December spend more than they take in.
// The same school year and seed always give the same book.
namespace cashbook {

struct DemoCashBookSummary
{
    int groups = 0;
    int accounts = 0;
    int banks = 0;
    int movements = 0;
};

// Fills an empty cash book in one transaction; throws StoreError (nothing written) on failure.
DemoCashBookSummary fillDemoCashBook(const data::Database &db, const QString &schoolYear,
                                     quint32 seed = 1);

} // namespace cashbook
