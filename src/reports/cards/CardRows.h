#pragma once

#include "reports/cards/CardMember.h"
#include "reports/cards/CardOptions.h"

#include "data/store/Database.h"

#include <memory>

namespace data {
class Query;
}

// The rows the report cards run over: one per student and subject, the year's marks joined to
// the student, the subject, the class, the ranking and the subject of the grade, in class,
// name and subject order.
namespace reports {

struct CardStatement
{
    QString sql;
    data::SqlParams params; // the chosen class and enrolment numbers, bound
};

// The statement of `member` for the chosen options: the leaver and recovery conditions each
// member applies, then the chosen class or students and the consolidated-subject choice.
CardStatement cardStatement(CardMember member, const CardOptions &options);

// Opens the statement, read-only. Throws StoreError.
std::unique_ptr<data::Query> openCardRows(const data::Database &db, CardMember member,
                                          const CardOptions &options);

} // namespace reports
