#include "support/TestEngine.h"
#include "support/ServerYearsLeft.h"

#include <QCoreApplication>
#include <QDebug>
#include <QList>
#include <QUrl>
#include <QUrlQuery>

#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>

namespace testengine {

namespace {

QList<int> &madeYears()
{
    static QList<int> years;
    return years;
}

QStringList &undropped()
{
    static QStringList years;
    return years;
}

QString serverAddress()
{
    return qEnvironmentVariable("LUMESCO_TEST_POSTGRESQL");
}

QString withYear(int year)
{
    QUrl url(serverAddress());
    QUrlQuery query(url);
    if (year > 0)
        query.addQueryItem(QStringLiteral("ano"), QString::number(year));
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

// A server run without a server (a test started by hand): the whole program is skipped, with
// the exit code CTest counts as a skip.
const bool kChecked = [] {
    if (qEnvironmentVariable("LUMESCO_TEST_ENGINE") == u"postgresql" && serverAddress().isEmpty()) {
        std::fputs("No PostgreSQL server for this run (scripts/test.sh starts one): skipped.\n", stderr);
        std::exit(77);
    }
    return true;
}();

} // namespace

bool onServer()
{
    return qEnvironmentVariable("LUMESCO_TEST_ENGINE") == u"postgresql";
}

QString yearLocation(const QString &folder)
{
    if (!onServer())
        return folder;
    // Years of their own per process and test: suites run side by side on one server.
    static int next = 0;
    const int year = int(QCoreApplication::applicationPid() % 2000000) * 1000 + ++next;
    madeYears().append(year);
    return withYear(year);
}

QString usersLocation(const QString &folder)
{
    return onServer() ? withYear(0) : folder;
}

void dropServerYears()
{
    undropped().clear();
    if (!onServer() || madeYears().isEmpty())
        return;
    PGconn *conn = PQconnectdb(QUrl(serverAddress()).toString(QUrl::FullyEncoded).toUtf8().constData());
    QList<int> kept;
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString why = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
        for (int year : std::as_const(madeYears()))
            undropped().append(QStringLiteral("ano%1: %2").arg(year).arg(why));
        kept = madeYears();
    } else {
        // The cascade's notices list every table; only what went wrong is worth reading. A
        // year that a connection left open still holds fails after a while instead of making
        // the clean-up wait for ever (unless the run asked for another limit, PGOPTIONS).
        PQclear(PQexec(conn, "SET client_min_messages = warning"));
        PQclear(PQexec(conn, "SELECT set_config('lock_timeout', '30s', false) "
                             "WHERE current_setting('lock_timeout') IN ('0', '0ms')"));
        for (int year : std::as_const(madeYears())) {
            PGresult *result =
                PQexec(conn, QStringLiteral("DROP SCHEMA IF EXISTS ano%1 CASCADE").arg(year).toUtf8().constData());
            if (PQresultStatus(result) != PGRES_COMMAND_OK) {
                undropped().append(QStringLiteral("ano%1: %2")
                                       .arg(year)
                                       .arg(QString::fromUtf8(PQresultErrorMessage(result)).trimmed()));
                kept.append(year);
            }
            PQclear(result);
        }
    }
    PQfinish(conn);
    madeYears() = kept;
    for (const QString &left : std::as_const(undropped()))
        qWarning().noquote() << QStringLiteral("Server year not dropped (tried again at the next clean-up): ") + left;
}

QStringList undroppedServerYears()
{
    return undropped();
}

UsersHeld::UsersHeld(const QString &folder) : m_location(usersLocation(folder))
{
    if (!onServer())
        return;
    PGconn *conn = PQconnectdb(QUrl(serverAddress()).toString(QUrl::FullyEncoded).toUtf8().constData());
    m_connection = conn;
    if (PQstatus(conn) != CONNECTION_OK) {
        std::fprintf(stderr, "The test server refused the users' turn: %s\n", PQerrorMessage(conn));
        return;
    }
    // A lock of the session: the server ends the turn of a test that dies.
    PQclear(PQexec(conn, "SELECT pg_advisory_lock(hashtext('lumesco_test_usuarios'))"));
    PQclear(PQexec(conn, "SET client_min_messages TO warning"));
    PQclear(PQexec(conn, "DROP SCHEMA IF EXISTS usuarios CASCADE"));
}

UsersHeld::~UsersHeld()
{
    if (m_connection)
        PQfinish(static_cast<PGconn *>(m_connection));
}

} // namespace testengine
