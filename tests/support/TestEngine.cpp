#include "support/TestEngine.h"

#include <QCoreApplication>
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
    if (!onServer() || madeYears().isEmpty())
        return;
    PGconn *conn = PQconnectdb(QUrl(serverAddress()).toString(QUrl::FullyEncoded).toUtf8().constData());
    if (PQstatus(conn) == CONNECTION_OK) {
        for (int year : std::as_const(madeYears()))
            PQclear(PQexec(conn, QStringLiteral("DROP SCHEMA IF EXISTS ano%1 CASCADE").arg(year).toUtf8().constData()));
    }
    PQfinish(conn);
    madeYears().clear();
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
