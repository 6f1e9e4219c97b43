#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "data/store/ServerAddress.h"
#include "support/ServerYearsLeft.h"
#include "support/TestEngine.h"

#include <QUrl>
#include <gtest/gtest.h>
#include <libpq-fe.h>

// The clean-up of the server years a test made: a year that does not go is named with the
// server's reason, and tried again at the next clean-up.
namespace {

QStringList &warnings()
{
    static QStringList lines;
    return lines;
}

void recordWarning(QtMsgType, const QMessageLogContext &, const QString &text)
{
    warnings().append(text);
}

// A connection of its own to the test server, as another program would hold one.
class OtherConnection
{
public:
    OtherConnection()
        : m_conn(PQconnectdb(QUrl(qEnvironmentVariable("LUMESCO_TEST_POSTGRESQL")).toString(QUrl::FullyEncoded).toUtf8().constData()))
    {
    }
    ~OtherConnection() { PQfinish(m_conn); }
    bool ok() const { return PQstatus(m_conn) == CONNECTION_OK; }
    QString run(const QString &sql) const
    {
        PGresult *result = PQexec(m_conn, sql.toUtf8().constData());
        const QString value = PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) > 0
            ? QString::fromUtf8(PQgetvalue(result, 0, 0))
            : QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
        PQclear(result);
        return value;
    }

private:
    PGconn *m_conn;
};

} // namespace

TEST(DropServerYears, AYearStillHeldIsNamedWithTheServersReasonAndDroppedNextTime)
{
    if (!testengine::onServer())
        GTEST_SKIP() << "a folder goes with its test's temporary folder";
    const QString address = testengine::yearLocation(QStringLiteral("unused"));
    data::createSchoolYear(address, QStringLiteral("2026"));
    data::Database::closeAll();
    const QString schema = QStringLiteral("ano%1").arg(data::ServerAddress::parse(address).year);

    OtherConnection other;
    ASSERT_TRUE(other.ok());
    const QString table =
        other.run(QStringLiteral("select tablename from pg_tables where schemaname = '%1' limit 1").arg(schema));
    other.run(QStringLiteral("begin"));
    other.run(QStringLiteral("lock table %1.\"%2\" in access share mode").arg(schema, table));
    // The held table makes the drop give up at once instead of after the usual wait.
    const QByteArray options = qgetenv("PGOPTIONS");
    qputenv("PGOPTIONS", "-c lock_timeout=100");
    const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
    testengine::dropServerYears();
    qInstallMessageHandler(previous);
    options.isNull() ? qunsetenv("PGOPTIONS") : qputenv("PGOPTIONS", options);

    const QStringList left = testengine::undroppedServerYears();
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(left.first().startsWith(schema + QStringLiteral(": "))) << left.first().toStdString();
    EXPECT_GT(left.first().size(), schema.size() + 2) << "the server's message";
    ASSERT_EQ(warnings().size(), 1);
    EXPECT_TRUE(warnings().first().contains(left.first())) << warnings().first().toStdString();

    other.run(QStringLiteral("rollback"));
    testengine::dropServerYears();
    EXPECT_EQ(testengine::undroppedServerYears(), QStringList());
    EXPECT_EQ(other.run(QStringLiteral("select count(*) from pg_namespace where nspname = '%1'").arg(schema)),
              QStringLiteral("0"));
}
