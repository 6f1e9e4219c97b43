#include "cli/KeyValue.h"
#include "cli/Verb.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

TEST(KeyValues, NamesAreTrimmedAndValuesKeptAsTyped)
{
    const QList<cli::KeyValue> pairs = cli::keyValues(
        {QStringLiteral(" NOME =ANA D'ÁVILA "), QStringLiteral("OBS=a=b"), QStringLiteral("SIT=")},
        QStringLiteral("CAMPO=VALOR"));
    ASSERT_EQ(pairs.size(), 3);
    EXPECT_EQ(pairs.at(0).key, QStringLiteral("NOME"));
    EXPECT_EQ(pairs.at(0).value, QStringLiteral("ANA D'ÁVILA "));
    EXPECT_EQ(pairs.at(1).key, QStringLiteral("OBS"));
    EXPECT_EQ(pairs.at(1).value, QStringLiteral("a=b"));
    EXPECT_TRUE(pairs.at(2).value.isEmpty());
}

TEST(KeyValues, AnArgumentWithoutNameOrEqualsIsAUsageError)
{
    for (const QString &bad : {QStringLiteral("NOME"), QStringLiteral("=ANA"), QStringLiteral(" =x")}) {
        try {
            cli::keyValues({QStringLiteral("A=1"), bad}, QStringLiteral("--set ITEM=VALOR"));
            ADD_FAILURE() << bad.toStdString();
        } catch (const cli::Failure &failure) {
            EXPECT_EQ(failure.exitCode(), 2);
            EXPECT_EQ(failure.message(), QStringLiteral("esperado --set ITEM=VALOR: ") + bad);
        }
    }
}
