#include "cashbook/CashPeriod.h"
#include "cashbook/DatePicker.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

using namespace cashbook;

TEST(CashPeriod, TheMovementFilterAndTheOrderCheck)
{
    const Period march{QDate(2009, 3, 1), QDate(2009, 3, 31)};
    EXPECT_EQ(movementFilter(march),
              QStringLiteral("(DATA_MOVFIN >= '01/03/2009') and (DATA_MOVFIN <= '31/03/2009')"));
    EXPECT_FALSE(endsBeforeItStarts(march));
    EXPECT_FALSE(endsBeforeItStarts({QDate(2009, 3, 5), QDate(2009, 3, 5)})) << "one day is a period";
    EXPECT_TRUE(endsBeforeItStarts({QDate(2009, 3, 5), QDate(2009, 3, 4)}));
    EXPECT_EQ(periodOrderMessage(), QStringLiteral("Data Final não pode ser menor do que a Data Inicial"));
    EXPECT_TRUE(checksOrder(PeriodMode::Movimento));
    EXPECT_TRUE(checksOrder(PeriodMode::ReceitaDespesa));
    EXPECT_TRUE(checksOrder(PeriodMode::Fluxo));
    EXPECT_FALSE(checksOrder(PeriodMode::Exportacao));

    QString error;
    EXPECT_EQ(periodFromTexts(QStringLiteral("1/3/2009"), QStringLiteral("31/03/2009"), &error), march);
    EXPECT_FALSE(periodFromTexts(QStringLiteral("01/03/2009"), QStringLiteral("31/02/2009"), &error));
    EXPECT_EQ(error, QStringLiteral("Data inválida: 31/02/2009"));
}

TEST(DatePicker, StartsOnTheTypedDateAndKeepsTheDayWhereTheMonthHasIt)
{
    const QDate today(2009, 3, 5);
    EXPECT_EQ(pickerStartDate(QStringLiteral("17/08/2008"), today), QDate(2008, 8, 17));
    EXPECT_EQ(pickerStartDate(QString(), today), today);
    EXPECT_EQ(pickerStartDate(QStringLiteral("  /  /    "), today), today);
    EXPECT_EQ(pickerStartDate(QStringLiteral("31/02/2009"), today), today);

    EXPECT_EQ(withMonth(QDate(2009, 1, 31), 4), QDate(2009, 4, 28)) << "April has no 31st";
    EXPECT_EQ(withMonth(QDate(2009, 1, 30), 2), QDate(2009, 2, 28));
    EXPECT_EQ(withMonth(QDate(2009, 1, 15), 2), QDate(2009, 2, 15));
    EXPECT_EQ(withMonth(QDate(2008, 3, 29), 2), QDate(2008, 2, 29)) << "a leap February has it";
    EXPECT_EQ(withYear(QDate(2008, 2, 29), 2009), QDate(2009, 2, 28));
    EXPECT_EQ(withYear(QDate(2008, 2, 29), 2012), QDate(2012, 2, 29));

    EXPECT_EQ(pickerCaption(QDate(2009, 3, 5)), QStringLiteral("5 de Março de 2009"));
    EXPECT_EQ(pickerCaption(QDate(1999, 12, 31)), QStringLiteral("31 de Dezembro de 1999"));
}
