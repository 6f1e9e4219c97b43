#pragma once

#include "core/RunReporter.h"

#include <QString>
#include <QtGlobal>

namespace data {
class Database;
}

// The demo school's current account: the monthly fees of the whole year from each class's fee,
// most months before today paid (on time, or late with fine and interest, by every means of
// payment), some left open, and a few other charges (books for everyone, a trip for the last
// years) of which some are paid. Written through the generators and the payment posting, as the
// treasury would, in the name of the user "TESOURARIA". The same seed gives the same account.
namespace billing {

struct DemoChargesSummary
{
    int fees = 0;
    int otherCharges = 0;
    int paid = 0;
    int paidLate = 0;
};

// Fills the charge table of a demo school year; the run's messages go to `reporter`.
// Nothing is written when a generator fails.
std::optional<DemoChargesSummary> fillDemoCharges(const data::Database &db, const QString &schoolYear,
                                                  core::RunReporter &reporter, quint32 seed = 1);

} // namespace billing
