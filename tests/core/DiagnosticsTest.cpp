#include "core/DiagnosticLogFile.h"
#include "core/Diagnostics.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

using core::DiagnosticLogFile;

namespace {

QStringList linesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

TEST(DiagnosticLogFile, OneLineAMessageWithTimeCategoryAndLevel)
{
    const QDateTime when(QDate(2026, 3, 5), QTime(14, 7, 9, 25));
    EXPECT_EQ(DiagnosticLogFile::line(when, QtWarningMsg, "lumesco.logon",
                                      QStringLiteral("Senha não confere\rpara JOSE\r\nde novo")),
              QStringLiteral("2026-03-05 14:07:09.025 lumesco.logon warning: Senha não confere | "
                             "para JOSE | de novo"));
    EXPECT_EQ(DiagnosticLogFile::line(when, QtCriticalMsg, nullptr, QStringLiteral("x")),
              QStringLiteral("2026-03-05 14:07:09.025 default critical: x"));
}

TEST(DiagnosticLogFile, AppendsAndCreatesItsFolder)
{
    TempDir dir;
    const DiagnosticLogFile log(dir.file(QStringLiteral("a/b/lumesco.log")));
    ASSERT_TRUE(log.append(QtInfoMsg, "lumesco.settings", QStringLiteral("primeira")));
    ASSERT_TRUE(log.append(QtWarningMsg, "lumesco.store", QStringLiteral("segunda")));
    const QStringList lines = linesOf(log.path());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.at(0).endsWith(QStringLiteral(" lumesco.settings info: primeira")));
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(" lumesco.store warning: segunda")));
}

TEST(DiagnosticLogFile, AFullFileMovesAsideOnceAndTheLogStartsAgain)
{
    TempDir dir;
    const DiagnosticLogFile log(dir.file(QStringLiteral("lumesco.log")), 200);
    int written = 0;
    auto write = [&] {
        return log.append(QtWarningMsg, "lumesco.rules", QStringLiteral("mensagem %1").arg(++written));
    };
    while (QFile(log.rotatedPath()).exists() == false && written < 100)
        ASSERT_TRUE(write());
    const QStringList firstRound = linesOf(log.rotatedPath());
    ASSERT_FALSE(firstRound.isEmpty());
    EXPECT_TRUE(firstRound.first().endsWith(QStringLiteral("mensagem 1")));
    EXPECT_EQ(linesOf(log.path()).size(), 1); // the message that found the file full
    EXPECT_TRUE(linesOf(log.path()).first().endsWith(QStringLiteral("mensagem %1").arg(written)));

    // The next rotation replaces the older file: never more than two.
    const int before = written;
    while (linesOf(log.rotatedPath()).first().endsWith(QStringLiteral("mensagem 1")) && written < 200)
        ASSERT_TRUE(write());
    EXPECT_TRUE(linesOf(log.rotatedPath()).first().endsWith(QStringLiteral("mensagem %1").arg(before)));
    EXPECT_FALSE(QFile::exists(log.path() + QStringLiteral(".2")));
    EXPECT_LE(QFile(log.path()).size(), 200);
}

TEST(DiagnosticLogFile, AnUnwritablePlaceIsReportedNotHidden)
{
    TempDir dir;
    dir.write(QStringLiteral("arquivo"), "x");
    const DiagnosticLogFile log(dir.file(QStringLiteral("arquivo/lumesco.log")));
    EXPECT_FALSE(log.append(QtWarningMsg, "lumesco.store", QStringLiteral("perdida?")));
}

TEST(DiagnosticLog, CategoriesGoToTheUsersLocalDataFolder)
{
    TempDir home;
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    core::installDiagnosticLog();
    EXPECT_EQ(core::diagnosticLogPath(), home.file(QStringLiteral("Lumesco/Lumesco/lumesco.log")));

    qCWarning(core::lcLogOn) << "recusado:" << QStringLiteral("JOSE");
    qCInfo(core::lcSettings, "configuração gravada");
    qCDebug(core::lcStore) << "detalhe que não interessa";
    qInstallMessageHandler(nullptr);
    qputenv("XDG_DATA_HOME", savedHome);

    const QStringList lines = linesOf(home.file(QStringLiteral("Lumesco/Lumesco/lumesco.log")));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.at(0).endsWith(QStringLiteral("lumesco.logon warning: recusado: \"JOSE\"")));
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral("lumesco.settings info: configuração gravada")));
}
