#pragma once

#include "core/Session.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace data {

// One row of the users table.
struct UserRecord
{
    QString userId;
    QString password; // as stored: blank, a hash, or an older plain or scrambled form
    core::Rights rights;
    bool supervisor = false;
    bool criarUsuer = false; // kept in the table, used nowhere
};

// The names of the rights as the users table and the command line write them.
inline const QStringList kRightNames = {QStringLiteral("Alunos"), QStringLiteral("Notas"),
                                        QStringLiteral("Caixa"),  QStringLiteral("Carnes"),
                                        QStringLiteral("Backup"), QStringLiteral("Tabelas"),
                                        QStringLiteral("Supervisor")};

// Sets the right named `name` (case-insensitive, one of kRightNames); false for another name.
bool grantRight(UserRecord &user, const QString &name);
// The names of the rights the user holds, in the order of kRightNames.
QStringList rightNames(const UserRecord &user);

} // namespace data
