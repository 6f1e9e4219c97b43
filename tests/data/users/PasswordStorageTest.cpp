#include "data/users/PasswordHash.h"
#include "data/users/PasswordScrambler.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

using namespace data;

TEST(PasswordScrambler, XorsWithTheWholeKeyAndUndoesItself)
{
    // The sixteen key characters XOR together to 0x13.
    EXPECT_EQ(scramblePassword(QStringLiteral("SENHA123")), QStringLiteral("@V][R\"! "));
    EXPECT_EQ(scramblePassword(scramblePassword(QStringLiteral("Çaramba 9"))), QStringLiteral("Çaramba 9"));
    EXPECT_EQ(scramblePassword(QString()), QString());
}

TEST(PasswordHash, Pbkdf2MatchesTheReferenceVectors)
{
    const QByteArray password("password");
    const QByteArray salt("salt");
    EXPECT_EQ(pbkdf2Sha256(password, salt, 1, 32).toHex(),
              "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b");
    EXPECT_EQ(pbkdf2Sha256(password, salt, 2, 32).toHex(),
              "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43");
    EXPECT_EQ(pbkdf2Sha256(password, salt, 4096, 32).toHex(),
              "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
    // Longer keys take a second block.
    EXPECT_EQ(pbkdf2Sha256("passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 40).toHex(),
              "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9");
}

TEST(PasswordHash, SaltedRecognisableAndVerifiable)
{
    const QString a = hashPasswordPbkdf2(QStringLiteral("segredo"), 1000);
    const QString b = hashPasswordPbkdf2(QStringLiteral("segredo"), 1000);
    EXPECT_TRUE(a.startsWith(QStringLiteral("$pbkdf2-sha256$1000$")));
    EXPECT_NE(a, b) << "each hash has its own salt";
    EXPECT_TRUE(isPasswordHash(a));
    EXPECT_TRUE(verifyPasswordHash(a, QStringLiteral("segredo")));
    EXPECT_TRUE(verifyPasswordHash(b, QStringLiteral("segredo")));
    EXPECT_FALSE(verifyPasswordHash(a, QStringLiteral("Segredo")));
    EXPECT_FALSE(verifyPasswordHash(a, QString()));
    EXPECT_TRUE(passwordHashNeedsRefresh(a)) << "the older method is replaced at the next log-on";

    QString tampered = a;
    tampered[tampered.size() - 2] = tampered.at(tampered.size() - 2) == u'A' ? u'B' : u'A';
    EXPECT_FALSE(verifyPasswordHash(tampered, QStringLiteral("segredo")));
    for (const QString &notAHash : {QStringLiteral("segredo"), QStringLiteral("$pbkdf2-sha256$x$AA$AA"),
                                    QStringLiteral("$pbkdf2-sha256$10$$"), QString()}) {
        EXPECT_FALSE(isPasswordHash(notAHash)) << notAHash.toStdString();
        EXPECT_FALSE(verifyPasswordHash(notAHash, QStringLiteral("segredo")));
    }
}

TEST(PasswordHash, Argon2idAtTodaysCostFitsTheFieldAndIsRefreshedWhenTheCostChanges)
{
    ASSERT_EQ(passwordCost(), PasswordCost::Standard);
    const QString production = hashPassword(QStringLiteral("segredo"));
    EXPECT_TRUE(production.startsWith(QStringLiteral("$argon2id$v=19$m=65536,t=2,p=1$")))
        << production.toStdString();
    EXPECT_LE(production.size(), 100) << "fits the users table's password field";
    EXPECT_TRUE(isPasswordHash(production));
    EXPECT_TRUE(verifyPasswordHash(production, QStringLiteral("segredo")));
    EXPECT_FALSE(verifyPasswordHash(production, QStringLiteral("segred0")));
    EXPECT_FALSE(passwordHashNeedsRefresh(production));

    setPasswordCost(PasswordCost::Minimal);
    const QString cheap = hashPassword(QStringLiteral("Çaramba"));
    EXPECT_NE(cheap, hashPassword(QStringLiteral("Çaramba"))) << "each hash has its own salt";
    EXPECT_TRUE(verifyPasswordHash(cheap, QStringLiteral("Çaramba")));
    EXPECT_TRUE(passwordHashNeedsRefresh(production)) << "another cost than the process's";
    setPasswordCost(PasswordCost::Standard);
    EXPECT_TRUE(passwordHashNeedsRefresh(cheap));

    for (const QString &broken : {QStringLiteral("$argon2id$v=19$m=65536,t=2,p=1$"),
                                  QStringLiteral("$argon2id$v=19$m=8,t=1,p=1$AAAA$"),
                                  QStringLiteral("$argon2id$") + QString(200, u'A')}) {
        EXPECT_FALSE(verifyPasswordHash(broken, QStringLiteral("segredo"))) << broken.toStdString();
    }
}
