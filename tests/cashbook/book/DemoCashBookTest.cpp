#include "cashbook/CashBookFixture.h"

#include "cashbook/CashMovements.h"
#include "cashbook/DemoCashBook.h"
#include "cashbook/MonthlyBalance.h"

using namespace cashbook;

TEST_F(CashBookFixture, TheDemoBookHasTwoYearsWithMonthsOfBothSigns)
{
    const DemoCashBookSummary summary = fillDemoCashBook(db(), QStringLiteral("2009"));
    EXPECT_EQ(summary.groups, count(QStringLiteral("select count(*) from GrupoConta")));
    EXPECT_EQ(summary.accounts, count(QStringLiteral("select count(*) from Conta")));
    EXPECT_EQ(summary.banks, count(QStringLiteral("select count(*) from Bancos")));
    EXPECT_EQ(summary.movements, count(QStringLiteral("select count(distinct CodMovFin_MovFin) from MovFin")));
    EXPECT_GT(summary.movements, 900);
    // Every movement is on an account of its own kind and group, with a bank.
    EXPECT_EQ(count(QStringLiteral("select count(*) from MovFin m left join Conta c on c.CodGrupo_Conta = m.CodGrupo_MovFin "
                                   "and c.CodGrupo_Grupo = m.CodGrupo_Grupo and c.CodConta_Conta = m.CodConta_MovFin "
                                   "where c.Descricao_Conta is null or m.CodBanco_MovFin is null")),
              0);
    EXPECT_EQ(scalar(QStringLiteral("select min(Data_MovFin) || ' ' || max(Data_MovFin) from MovFin")).toString(),
              QStringLiteral("2008-01-01 2009-12-31"));

    const QList<Movement> movements =
        movementsOf(db(), {QDate(2008, 1, 1), QDate(2009, 12, 31)}, MovementOrder::DateAndKind);
    int positive = 0;
    int negative = 0;
    for (const MonthBalance &month : monthlyBalances(movements, {})) {
        positive += month.periodBalance() > core::Money() ? 1 : 0;
        negative += month.periodBalance() < core::Money() ? 1 : 0;
    }
    EXPECT_GE(positive, 12);
    EXPECT_GE(negative, 4);

    // The same school year gives the same book.
    const QString first = scalar(QStringLiteral("select sum(Valor_MovFin) from MovFin")).toString();
    exec(QStringLiteral("delete from MovFin"));
    exec(QStringLiteral("delete from Conta"));
    exec(QStringLiteral("delete from GrupoConta"));
    exec(QStringLiteral("delete from Bancos"));
    fillDemoCashBook(db(), QStringLiteral("2009"));
    EXPECT_EQ(scalar(QStringLiteral("select sum(Valor_MovFin) from MovFin")).toString(), first);
}
