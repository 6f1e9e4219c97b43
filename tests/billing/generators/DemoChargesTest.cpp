// The demo school's current account: a year of fees, most past months paid (some late, with fine
// and interest, by every means), some open, books and a trip; the same seed, the same account.
#include "billing/DemoCharges.h"
#include "core/Clock.h"
#include "data/demo/DemoSchool.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

QStringList fillAndDescribe(const QString &dir)
{
    const data::Database db = data::createSchoolYear(dir, QStringLiteral("2026"));
    RecordingReporter reporter;
    data::demo::fillDemoSchool(db, QStringLiteral("2026"), reporter, {40, 7});
    const std::optional<billing::DemoChargesSummary> summary =
        billing::fillDemoCharges(db, QStringLiteral("2026"), reporter, 7);
    EXPECT_TRUE(summary.has_value());
    QStringList facts;
    for (const char *sql :
         {"select count(distinct ParcelaNum) from CCORRENT where Tipo = 'N'",
          "select count(*) from CCORRENT where Tipo = 'N' and ParcelaData < '2026-09-15' and PgtoData is null",
          "select count(*) from CCORRENT where Tipo = 'N' and ParcelaData < '2026-09-15' and PgtoData is not null",
          "select count(*) from CCORRENT where PgtoData > ParcelaData and Acrescimos > 0",
          "select count(distinct FORMAPGTO) from CCORRENT where PgtoData is not null",
          "select count(*) from CCORRENT where PgtoData > '2026-09-15' or (PgtoData is not null and ParcelaData >= '2026-09-15')",
          "select count(distinct Tipo) from CCORRENT",
          "select count(*) from CCORRENT where USUARIO <> 'TESOURARIA' or STATUS2 = '2'"})
        facts << db.scalar(QString::fromLatin1(sql)).toString();
    data::Database::closeAll();
    return facts;
}

} // namespace

TEST(DemoCharges, AYearOfFeesMostlyPaidSomeLateSomeOpen)
{
    core::pinClock(QDateTime(QDate(2026, 9, 15), QTime(10, 0)));
    TempDir first, second;
    const QStringList facts = fillAndDescribe(first.path());
    core::pinClock(QDateTime());
    ASSERT_EQ(facts.size(), 8);
    EXPECT_EQ(facts[0], QStringLiteral("12"));
    const int open = facts[1].toInt(), paid = facts[2].toInt();
    EXPECT_GT(open, 0);
    EXPECT_GT(paid, 4 * open);
    EXPECT_GT(facts[3].toInt(), 0);             // late, with fine and interest
    EXPECT_EQ(facts[4], QStringLiteral("5"));   // every means of payment
    EXPECT_EQ(facts[5], QStringLiteral("0"));   // nothing paid in the future
    EXPECT_EQ(facts[6], QStringLiteral("3"));   // fees, books and a trip
    EXPECT_EQ(facts[7], QStringLiteral("0"));

    core::pinClock(QDateTime(QDate(2026, 9, 15), QTime(10, 0)));
    EXPECT_EQ(fillAndDescribe(second.path()), facts);
    core::pinClock(QDateTime());
}
