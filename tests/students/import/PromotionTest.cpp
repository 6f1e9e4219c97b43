#include "students/import/Promotion.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

using namespace students;

namespace {

struct Case
{
    const char *from;
    const char *plain;     // neither box ticked
    const char *migration; // "Migrar para novas regras"
    const char *adapted;   // "já estão adaptados"
};

// "T" stands for "class kept, transferred today"; "=" for "class kept".
const Case kCases[] = {
    {"1G1AM", "1G2AM", "1G3AM", "1G2AM"},
    {"1G8M", "1G9M", "2G1M", "1G9M"},
    {"1G9T", "2G1T", "2G1T", "2G1T"},
    {"2G3N", "T", "T", "T"},
    {"JD2A", "ALFA", "1G1A", "1G1A"},
    {"MAT01", "JD101", "JD101", "JD101"},
    {"ALFM", "1G1M", "1G2M", "1G1M"},
    {"JD1A", "JD2A", "JD2A", "JD2A"},
    {"1G7M", "1G8M", "1G9M", "1G8M"},
    {"2G1M", "2G2M", "2G2M", "2G2M"},
    {"2G2M", "2G3M", "2G3M", "2G3M"},
    {"2G8M", "2G9M", "2G1M", "2G9M"}, // the eighth-grade rule takes any level
    {"1GXA", "=", "=", "="},           // a grade that is not a digit
    {"", "=", "=", "="},
};

QString outcome(const QString &from, const PromotionRules &rules)
{
    const Promotion p = promote(from, rules);
    switch (p.kind) {
    case Promotion::Kind::Transferred:
        return p.schoolClass == from ? QStringLiteral("T") : QStringLiteral("T with another class");
    case Promotion::Kind::Unchanged:
        return p.schoolClass == from ? QStringLiteral("=") : QStringLiteral("= with another class");
    case Promotion::Kind::NewClass:
        break;
    }
    return p.schoolClass;
}

} // namespace

TEST(Promotion, FirstMatchingRuleOfTheTableDecides)
{
    for (const Case &c : kCases) {
        const QString from = QString::fromLatin1(c.from);
        EXPECT_EQ(outcome(from, {}), QString::fromLatin1(c.plain)) << c.from;
        EXPECT_EQ(outcome(from, {true, false}), QString::fromLatin1(c.migration)) << c.from << " with migration";
        EXPECT_EQ(outcome(from, {false, true}), QString::fromLatin1(c.adapted)) << c.from << " already adapted";
    }
}
