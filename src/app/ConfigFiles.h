#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The two configuration files beside the program: ConfigRede.txt lists the school years and
// their data directories, Usuarios.Config.txt names the directory of the users table.
namespace app {

QString configRedePath(const QString &programDir);
QString usersConfigPath(const QString &programDir);

// Written when the file is missing at start-up.
QStringList defaultConfigRede(const QString &programDir, int currentYear);
QStringList defaultUsersConfig(const QString &programDir);

struct SchoolYear
{
    int year = 0;
    QString path;
};

// One row per line whose first four characters read as an integer; the fifth character
// separates, the rest (trimmed) is the path. Other lines are titles or comments and are
// skipped. The last row is the default choice at log-on.
QList<SchoolYear> parseSchoolYears(const QStringList &lines);

// Empty when the file does not exist or can't be read.
QList<SchoolYear> readSchoolYears(const QString &configRedeFile);

// The users directory is the first line of the file (trimmed); the rest is ignored.
QString usersDirectoryFrom(const QStringList &lines);

} // namespace app
