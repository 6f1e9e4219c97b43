#include "data/users/UserRecord.h"

namespace data {

namespace {

bool *flag(UserRecord &user, int index)
{
    switch (index) {
    case 0: return &user.rights.alunos;
    case 1: return &user.rights.notas;
    case 2: return &user.rights.caixa;
    case 3: return &user.rights.carnes;
    case 4: return &user.rights.backup;
    case 5: return &user.rights.tabelas;
    case 6: return &user.supervisor;
    }
    return nullptr;
}

} // namespace

bool grantRight(UserRecord &user, const QString &name)
{
    for (int i = 0; i < kRightNames.size(); ++i) {
        if (kRightNames.at(i).compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            *flag(user, i) = true;
            return true;
        }
    }
    return false;
}

QStringList rightNames(const UserRecord &user)
{
    UserRecord copy = user;
    QStringList names;
    for (int i = 0; i < kRightNames.size(); ++i) {
        if (*flag(copy, i))
            names += kRightNames.at(i);
    }
    return names;
}

} // namespace data
