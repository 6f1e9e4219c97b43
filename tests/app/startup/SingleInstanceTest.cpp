#include "app/SingleInstance.h"

#include "support/TempDir.h"

#include "support/QStringPrinting.h"

#include <QDir>
#include <QSysInfo>
#include <gtest/gtest.h>

TEST(SingleInstance, ASecondCopyIsRefusedUntilTheFirstEnds)
{
    TempDir dir;
    auto first = std::make_unique<app::SingleInstance>(dir.path());
    ASSERT_TRUE(first->tryAcquire());
    EXPECT_TRUE(first->tryAcquire()); // asking again is harmless

    app::SingleInstance second(dir.path());
    EXPECT_FALSE(second.tryAcquire());

    first.reset();
    EXPECT_TRUE(second.tryAcquire());
}

TEST(SingleInstance, ALockLeftByADeadCopyIsTakenOver)
{
    TempDir dir;
    QString lockName;
    {
        app::SingleInstance earlier(dir.path());
        ASSERT_TRUE(earlier.tryAcquire());
        const QStringList locks =
            QDir(dir.path()).entryList({QStringLiteral("lumesco-*.lock")}, QDir::Files);
        ASSERT_EQ(locks.size(), 1);
        lockName = locks.first();
    }
    // A crashed copy leaves its lock file behind, naming a process that no longer exists.
    dir.write(lockName, "999999\nlumesco\n" + QSysInfo::machineHostName().toUtf8() + "\n");

    app::SingleInstance next(dir.path());
    EXPECT_TRUE(next.tryAcquire());
}

TEST(SingleInstance, TheLockIsPerUserAndWorkstation)
{
    const QString a =
        app::SingleInstance::lockFileName(QStringLiteral("maria"), QStringLiteral("secretaria"));
    EXPECT_NE(
        a, app::SingleInstance::lockFileName(QStringLiteral("joao"), QStringLiteral("secretaria")));
    EXPECT_NE(a, app::SingleInstance::lockFileName(QStringLiteral("maria"),
                                                   QStringLiteral("tesouraria")));
    // Names from the system may hold characters a file name can't.
    EXPECT_EQ(
        app::SingleInstance::lockFileName(QStringLiteral("ESCOLA\\maria"), QStringLiteral("pc 1")),
        QStringLiteral("lumesco-ESCOLA_maria-pc_1.lock"));
}
