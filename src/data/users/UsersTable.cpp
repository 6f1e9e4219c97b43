#include "data/users/UsersTable.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "data/schema/SettingsSchema.h"
#include "data/store/Query.h"
#include "data/store/StoreError.h"
#include "data/store/Transaction.h"
#include "data/users/PasswordHash.h"

namespace data {

namespace {

const QString kSelect = QStringLiteral(
    "select UserID, Password, Alunos, Notas, Caixa, Carnes, Backup, Tabelas, CriarUsuer, "
    "Supervisor from Usuarios");

UserRecord readUser(const Dataset &row)
{
    UserRecord user;
    user.userId = row.asText("UserID");
    user.password = row.asText("Password");
    user.rights.alunos = row.asLogical("Alunos");
    user.rights.notas = row.asLogical("Notas");
    user.rights.caixa = row.asLogical("Caixa");
    user.rights.carnes = row.asLogical("Carnes");
    user.rights.backup = row.asLogical("Backup");
    user.rights.tabelas = row.asLogical("Tabelas");
    user.criarUsuer = row.asLogical("CriarUsuer");
    user.supervisor = row.asLogical("Supervisor");
    return user;
}

// Tables of older installations keep ten characters of password, too few for a hash. The
// column is rebuilt wider with its contents, in one transaction.
void widenPasswordColumn(const Database &db)
{
    const int wanted = schema::usuarios().field(QStringLiteral("Password"))->size;
    const FieldDef *stored = db.layout(QStringLiteral("Usuarios")).field(QStringLiteral("Password"));
    if (stored && stored->size >= wanted)
        return;
    Transaction transaction(db);
    if (stored) {
        db.exec(QStringLiteral("alter table Usuarios add SenhaAntiga CHAR(%1)").arg(stored->size));
        db.exec(QStringLiteral("update Usuarios set SenhaAntiga = Password"));
        db.exec(QStringLiteral("alter table Usuarios drop Password"));
    }
    db.exec(QStringLiteral("alter table Usuarios add Password CHAR(%1)").arg(wanted));
    if (stored) {
        db.exec(QStringLiteral("update Usuarios set Password = SenhaAntiga"));
        db.exec(QStringLiteral("alter table Usuarios drop SenhaAntiga"));
    }
    transaction.commit();
}

} // namespace

UsersTable::UsersTable(const QString &usersDir)
{
    ensureUsersTable(usersDir);
    m_db = Database::open(usersDir);
    widenPasswordColumn(m_db);
}

std::optional<UserRecord> UsersTable::find(const QString &userId) const
{
    Query query(m_db);
    query.setSql(kSelect + QStringLiteral(" where UserID = :id"));
    query.bind(QStringLiteral("id"), userId);
    query.open();
    if (query.isEmpty())
        return std::nullopt;
    return readUser(query);
}

QList<UserRecord> UsersTable::list() const
{
    Query query(m_db);
    query.setSql(kSelect + QStringLiteral(" order by UserID"));
    query.open();
    QList<UserRecord> users;
    for (query.first(); !query.eof(); query.next())
        users += readUser(query);
    return users;
}

void UsersTable::add(const UserRecord &user) const
{
    const QString id = user.userId.trimmed();
    if (id.isEmpty())
        throw StoreError(QStringLiteral("Informe o nome do usuário."));
    if (id.size() > kUserIdWidth)
        throw StoreError(QStringLiteral("O nome do usuário tem no máximo %1 caracteres.").arg(kUserIdWidth));
    if (find(id))
        throw StoreError(QStringLiteral("O usuário %1 já está cadastrado.").arg(id));
    m_db.exec(QStringLiteral("insert into Usuarios (UserID, Alunos, Notas, Caixa, Carnes, Backup, "
                             "Tabelas, CriarUsuer, Supervisor) values (:id, :alunos, :notas, "
                             ":caixa, :carnes, :backup, :tabelas, :criar, :supervisor)"),
              {{QStringLiteral("id"), id},
               {QStringLiteral("alunos"), user.rights.alunos},
               {QStringLiteral("notas"), user.rights.notas},
               {QStringLiteral("caixa"), user.rights.caixa},
               {QStringLiteral("carnes"), user.rights.carnes},
               {QStringLiteral("backup"), user.rights.backup},
               {QStringLiteral("tabelas"), user.rights.tabelas},
               {QStringLiteral("criar"), user.criarUsuer},
               {QStringLiteral("supervisor"), user.supervisor}});
}

void UsersTable::setPassword(const QString &userId, const QString &password) const
{
    const int changed = m_db.exec(QStringLiteral("update Usuarios set Password = :password where UserID = :id"),
                                  {{QStringLiteral("password"), hashPassword(password)},
                                   {QStringLiteral("id"), userId}});
    if (changed != 1)
        throw StoreError(QStringLiteral("Usuário não encontrado: %1").arg(userId));
}

} // namespace data
