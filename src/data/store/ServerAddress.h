#pragma once

#include <QByteArray>
#include <QString>

namespace data {

// A school year kept on a PostgreSQL server instead of in a directory, named where a directory
// would be (ConfigRede.txt, Usuarios.Config.txt, the command line):
//
//   postgresql://servidor/escola?ano=2026          the 2026 school year of database "escola"
//   postgresql://servidor:5433/escola?ano=2026     another port
//   postgresql:///escola?host=/var/run/postgresql&ano=2026   this machine, through its socket
//   postgresql://servidor/escola                   the school's users table (no year)
//
// Everything but "ano" is libpq's own connection address (user=..., sslmode=...); the password
// comes from the user's ~/.pgpass or the service file, never from here. One database holds the
// school: each year is a schema ("ano2026"), and the users table lives in schema "usuarios".
struct ServerAddress
{
    QString text;        // as written, without surrounding blanks
    QByteArray conninfo; // the address libpq takes (without "ano")
    QString schema;      // "ano2026", or "usuarios"
    int year = 0;        // 0: the users' schema

    static bool isServerAddress(const QString &location);
    // Throws StoreError with a readable reason for a malformed address or a password in it.
    static ServerAddress parse(const QString &location);
    // The same server and database, another school year (0: the users' schema).
    QString withYear(int year) const;
};

} // namespace data
