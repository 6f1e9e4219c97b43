#include "cashbook/CashBookFixture.h"

#include "cashbook/CashPeriod.h"
#include "cashbook/CashTotals.h"
#include "data/store/Transaction.h"

using namespace cashbook;

namespace {

class Totals : public CashBookFixture
{
protected:
    void SetUp() override
    {
        CashBookFixture::SetUp();
        addChartOfAccounts();
    }
    AccountKey revenue() const { return {kRevenueKind, 1, 1}; }
    AccountKey salaries() const { return {kExpenseKind, 1, 1}; }
};

} // namespace

TEST_F(Totals, WithoutAPeriodTheyCoverTheWholeBookFrom1980To2050)
{
    addMovement(kRevenueKind, 1, 1, QDate(1979, 12, 31), 1000);
    addMovement(kRevenueKind, 1, 1, QDate(1980, 1, 1), 10);
    addMovement(kRevenueKind, 1, 1, QDate(2050, 12, 31), 20);
    addMovement(kRevenueKind, 1, 1, QDate(2051, 1, 1), 2000);
    EXPECT_EQ(wholeBook(), (Period{QDate(1980, 1, 1), QDate(2050, 12, 31)}));
    EXPECT_EQ(accountTotal(db(), revenue(), wholeBook()), reais("30"));
    EXPECT_EQ(generalTotals(db(), wholeBook()).revenue, reais("30"));
}

TEST_F(Totals, AnAccountIsKnownByItsKindGroupAndNumber)
{
    const QDate day(2009, 3, 5);
    addMovement(kRevenueKind, 1, 1, day, 100);
    addMovement(kExpenseKind, 1, 1, day, 40);   // same group and account numbers, other kind
    addMovement(kExpenseKind, 2, 1, day, 7.5);  // same account number, other group
    addMovement(kExpenseKind, 1, 1, day.addDays(40), 1);
    const Period march{QDate(2009, 3, 1), QDate(2009, 3, 31)};
    EXPECT_EQ(accountTotal(db(), revenue(), march), reais("100"));
    EXPECT_EQ(accountTotal(db(), salaries(), march), reais("40"));
    EXPECT_EQ(accountTotal(db(), {kExpenseKind, 2, 1}, march), reais("7,50"));

    const GeneralTotals totals = generalTotals(db(), march);
    EXPECT_EQ(totals.revenue, reais("100"));
    EXPECT_EQ(totals.expense, reais("47,50"));
    EXPECT_EQ(totals.balance(), reais("52,50"));
}

TEST_F(Totals, ThousandsOfMovementsAddUpToTheSumOfTheirShownValues)
{
    data::Transaction transaction(db());
    for (int i = 0; i < 3000; ++i)
        addMovement(kExpenseKind, 1, 1, QDate(2009, 1, 1).addDays(i % 365), (i % 3 + 1) / 10.0);
    addMovement(kRevenueKind, 1, 1, QDate(2009, 6, 1), 0.1 + 0.2);
    transaction.commit();
    const GeneralTotals totals = generalTotals(db(), wholeBook());
    EXPECT_EQ(totals.expense.centavos(), 1000 * (10 + 20 + 30));
    EXPECT_EQ(totals.revenue.centavos(), 30);
    EXPECT_EQ(currencyText(totals.balance()), QStringLiteral("-R$ 599,70"));
}

TEST_F(Totals, ColoursFollowTheAccountKindAndTheBalanceSign)
{
    EXPECT_EQ(accountTotalColor(kRevenueKind), QColor(Qt::blue));
    EXPECT_EQ(accountTotalColor(kExpenseKind), QColor(Qt::red));

    // A period without movements balances at zero, in the red-violet of "zero or below".
    const GeneralTotals empty = generalTotals(db(), {QDate(2009, 3, 1), QDate(2009, 3, 31)});
    EXPECT_TRUE(empty.balance().isZero());
    EXPECT_EQ(currencyText(empty.balance()), QStringLiteral("R$ 0,00"));
    const QColor redViolet = balanceColor(empty.balance());
    EXPECT_EQ(balanceColor(reais("-0,01")), redViolet);
    EXPECT_NE(balanceColor(reais("0,01")), redViolet);
    EXPECT_GT(redViolet.red(), redViolet.blue());
    EXPECT_GT(balanceColor(reais("1")).blue(), balanceColor(reais("1")).red());
    EXPECT_EQ(currencyText(reais("1234567,8")), QStringLiteral("R$ 1.234.567,80"));
}

TEST_F(Totals, TheWindowsTotalsFollowTheChosenAccountOrTheFirstOne)
{
    EXPECT_EQ(firstAccount(db())->kind, kRevenueKind);
    addMovement(kExpenseKind, 2, 1, QDate(2009, 3, 5), 12.34);
    const WindowTotals withAccount = windowTotals(db(), AccountKey{kExpenseKind, 2, 1}, wholeBook());
    EXPECT_EQ(withAccount.accountTotal, reais("12,34"));
    EXPECT_EQ(withAccount.general.expense, reais("12,34"));
    const WindowTotals none = windowTotals(db(), std::nullopt, wholeBook());
    EXPECT_TRUE(none.accountTotal.isZero());

    EXPECT_TRUE(accountExists(db(), {kExpenseKind, 2, 1}));
    EXPECT_FALSE(accountExists(db(), {kRevenueKind, 2, 1}));
    const std::optional<AccountKey> key = parseAccountKey(QStringLiteral("1/2/1"));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->kind, kExpenseKind);
    EXPECT_EQ(key->group, 2);
    EXPECT_FALSE(parseAccountKey(QStringLiteral("1/2")));
    EXPECT_FALSE(parseAccountKey(QStringLiteral("a/2/1")));
}
