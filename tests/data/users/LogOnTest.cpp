#include "data/schema/SettingsSchema.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/users/LogOn.h"
#include "data/users/PasswordHash.h"
#include "data/users/PasswordScrambler.h"
#include "data/users/UsersTable.h"

#include "support/QStringPrinting.h"
#include "support/RecordedLog.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

using namespace data;

namespace {

class LogOnTest : public ::testing::Test
{
protected:
    // Cheap hashes: the cost is a constant of production, not of what is tested here.
    void SetUp() override { setPasswordCost(PasswordCost::Minimal); }
    void TearDown() override
    {
        setPasswordCost(PasswordCost::Standard);
        m_users.reset();
        Database::closeAll();
        testengine::dropServerYears();
    }

    UsersTable &users()
    {
        if (!m_users)
            m_users = std::make_unique<UsersTable>(testengine::yearLocation(m_dir.path()));
        return *m_users;
    }
    void storeRaw(const QString &user, const QString &password)
    {
        users().database().exec(QStringLiteral("update Usuarios set Password = :p where UserID = :u"),
                                {{QStringLiteral("p"), password}, {QStringLiteral("u"), user}});
    }
    LogOnOutcome logOn(const QString &user, const QString &password)
    {
        return decideLogOn(user, users().find(user), password);
    }

    TempDir m_dir;
    std::unique_ptr<UsersTable> m_users;
};

UserRecord withPassword(const QString &stored)
{
    UserRecord user;
    user.userId = QStringLiteral("ANA");
    user.password = stored;
    return user;
}

} // namespace

TEST_F(LogOnTest, FirstStartHasOneSupervisorWithoutPasswordAndEveryRight)
{
    const QList<UserRecord> all = users().list();
    ASSERT_EQ(all.size(), 1);
    const UserRecord &supervisor = all.first();
    EXPECT_EQ(supervisor.userId, QStringLiteral("SUPERVISOR"));
    EXPECT_TRUE(supervisor.password.isEmpty());
    EXPECT_TRUE(supervisor.supervisor);
    EXPECT_EQ(rightNames(supervisor), kRightNames);
}

TEST_F(LogOnTest, BlankPasswordIsCreatedThenUsed)
{
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QString()), LogOnOutcome::MustCreatePassword);
    const core::Message ask = logOnMessage(LogOnOutcome::MustCreatePassword);
    EXPECT_EQ(ask.text, QStringLiteral("Informe a senha para iniciar"));
    EXPECT_EQ(ask.icon, core::Icon::Warning);
    EXPECT_EQ(ask.buttons, core::Button::Ok | core::Button::Cancel);

    EXPECT_EQ(saveNewPassword(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("abc12"), QStringLiteral("abc12")),
              NewPasswordOutcome::Saved);
    const QString stored = users().find(QStringLiteral("SUPERVISOR"))->password;
    EXPECT_TRUE(isPasswordHash(stored)) << "never kept readable";
    EXPECT_FALSE(stored.contains(QStringLiteral("abc12")));

    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("abc12")), LogOnOutcome::Accepted);
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QString()), LogOnOutcome::WrongPassword);
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), stored), LogOnOutcome::WrongPassword)
        << "the stored hash typed back is no password";
}

TEST_F(LogOnTest, PlainStoredPasswordMustBeReplaced)
{
    storeRaw(QStringLiteral("SUPERVISOR"), QStringLiteral("abc"));
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("abc")), LogOnOutcome::UnprotectedPassword);
    const core::Message warning = logOnMessage(LogOnOutcome::UnprotectedPassword);
    EXPECT_EQ(warning.text, QStringLiteral("Sua senha está sem proteção.\rInforme uma nova senha!"));
    EXPECT_EQ(warning.icon, core::Icon::Warning);
    EXPECT_EQ(warning.buttons, core::Button::Ok | core::Button::Cancel);

    ASSERT_EQ(saveNewPassword(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("novaSenha1"),
                              QStringLiteral("novaSenha1")),
              NewPasswordOutcome::Saved);
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("novaSenha1")), LogOnOutcome::Accepted);
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("abc")), LogOnOutcome::WrongPassword);
}

TEST_F(LogOnTest, ScrambledPasswordOfAnOlderInstallationIsRecognised)
{
    storeRaw(QStringLiteral("SUPERVISOR"), scramblePassword(QStringLiteral("SENHA")));
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("SENHA")), LogOnOutcome::Accepted);
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("senha")), LogOnOutcome::WrongPassword);
    EXPECT_EQ(checkChangePassword(users().find(QStringLiteral("SUPERVISOR")), QStringLiteral("SENHA")),
              ChangePasswordOutcome::Allowed);

    // The next password set is stored as a hash.
    users().setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("OUTRA"));
    EXPECT_TRUE(isPasswordHash(users().find(QStringLiteral("SUPERVISOR"))->password));
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("OUTRA")), LogOnOutcome::Accepted);
}

TEST_F(LogOnTest, OlderHashesAndScrambledPasswordsAreStoredAgainAtTheNextLogOn)
{
    const QString older = hashPasswordPbkdf2(QStringLiteral("SENHA"), 50);
    storeRaw(QStringLiteral("SUPERVISOR"), older);
    EXPECT_FALSE(logOnWithoutDialog(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("senha")));
    EXPECT_EQ(users().find(QStringLiteral("SUPERVISOR"))->password, older) << "a refused log-on changes nothing";

    ASSERT_TRUE(logOnWithoutDialog(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("SENHA")));
    const QString current = users().find(QStringLiteral("SUPERVISOR"))->password;
    EXPECT_TRUE(current.startsWith(QStringLiteral("$argon2id$"))) << current.toStdString();
    EXPECT_FALSE(passwordHashNeedsRefresh(current));
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("SENHA")), LogOnOutcome::Accepted);

    // Nothing is written again while the stored hash is of today's cost.
    ASSERT_TRUE(logOnWithoutDialog(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("SENHA")));
    EXPECT_EQ(users().find(QStringLiteral("SUPERVISOR"))->password, current);

    storeRaw(QStringLiteral("SUPERVISOR"), scramblePassword(QStringLiteral("ANTIGA")));
    ASSERT_TRUE(logOnWithoutDialog(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("ANTIGA")));
    EXPECT_TRUE(users().find(QStringLiteral("SUPERVISOR"))->password.startsWith(QStringLiteral("$argon2id$")));
}

TEST_F(LogOnTest, UnknownUserAndWrongPasswordEndTheDialogWithErrors)
{
    EXPECT_EQ(logOn(QStringLiteral("NINGUEM"), QStringLiteral("x")), LogOnOutcome::UnknownUser);
    EXPECT_EQ(logOn(QStringLiteral("supervisor"), QString()), LogOnOutcome::UnknownUser)
        << "names are found exactly, as on the table's key";
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("x")), LogOnOutcome::WrongPassword)
        << "nothing stored, something typed";

    const core::Message unknown = logOnMessage(LogOnOutcome::UnknownUser);
    EXPECT_EQ(unknown.text, QStringLiteral("Usuário Inválido!"));
    EXPECT_EQ(unknown.icon, core::Icon::Error);
    EXPECT_EQ(unknown.buttons, core::Buttons(core::Button::Ok));
    const core::Message wrong = logOnMessage(LogOnOutcome::WrongPassword);
    EXPECT_EQ(wrong.text, QStringLiteral("Senha não Confere!"));
    EXPECT_EQ(wrong.icon, core::Icon::Error);
    EXPECT_TRUE(logOnMessage(LogOnOutcome::Accepted).text.isEmpty());
}

TEST_F(LogOnTest, ScriptsAreRefusedWhereTheDialogWouldAskOrRefuse)
{
    LogOnOutcome outcome = LogOnOutcome::Accepted;
    EXPECT_FALSE(logOnWithoutDialog(users(), QStringLiteral("SUPERVISOR"), QString(), &outcome));
    EXPECT_EQ(outcome, LogOnOutcome::MustCreatePassword);
    users().setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("s3nha"));
    const std::optional<UserRecord> accepted = logOnWithoutDialog(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("s3nha"), &outcome);
    ASSERT_TRUE(accepted);
    EXPECT_EQ(outcome, LogOnOutcome::Accepted);
    EXPECT_TRUE(accepted->supervisor);
    EXPECT_TRUE(accepted->rights.caixa);
}

TEST(NewPassword, ChecksAndMessages)
{
    EXPECT_EQ(checkNewPassword(QStringLiteral("  "), QStringLiteral("  ")), NewPasswordOutcome::EmptyField);
    EXPECT_EQ(checkNewPassword(QStringLiteral("abc"), QString()), NewPasswordOutcome::EmptyField);
    EXPECT_EQ(checkNewPassword(QStringLiteral("abc"), QStringLiteral("abd")), NewPasswordOutcome::Mismatch);
    EXPECT_EQ(checkNewPassword(QStringLiteral("abc"), QStringLiteral("abc")), NewPasswordOutcome::Saved);

    const core::Message empty = newPasswordMessage(NewPasswordOutcome::EmptyField);
    EXPECT_EQ(empty.text, QStringLiteral("Campos não podem estar vazios! Tente novamente."));
    EXPECT_EQ(empty.icon, core::Icon::Information);
    const core::Message mismatch = newPasswordMessage(NewPasswordOutcome::Mismatch);
    EXPECT_EQ(mismatch.text, QStringLiteral("Campos não conferem! Tente novamente."));
    EXPECT_EQ(mismatch.icon, core::Icon::Error);
    const core::Message failed = newPasswordMessage(NewPasswordOutcome::SaveFailed);
    EXPECT_EQ(failed.text, QStringLiteral("Erro ao gravar a nova senha!"));
    EXPECT_EQ(failed.icon, core::Icon::Error);
}

TEST_F(LogOnTest, NewPasswordForAVanishedUserFailsToSave)
{
    EXPECT_EQ(saveNewPassword(users(), QStringLiteral("FANTASMA"), QStringLiteral("a"), QStringLiteral("a")),
              NewPasswordOutcome::SaveFailed);
    EXPECT_EQ(saveNewPassword(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("a"), QStringLiteral("b")),
              NewPasswordOutcome::Mismatch);
    EXPECT_TRUE(users().find(QStringLiteral("SUPERVISOR"))->password.isEmpty()) << "nothing written on a failed check";
}

TEST(ChangePassword, OpensTheNewFieldsOnlyForTheRightPassword)
{
    EXPECT_EQ(checkChangePassword(std::nullopt, QStringLiteral("x")), ChangePasswordOutcome::UnknownUser);
    EXPECT_EQ(checkChangePassword(withPassword(QString()), QString()), ChangePasswordOutcome::Allowed);
    EXPECT_EQ(checkChangePassword(withPassword(hashPassword(QStringLiteral("ok"))), QStringLiteral("ok")),
              ChangePasswordOutcome::Allowed);
    EXPECT_EQ(checkChangePassword(withPassword(hashPassword(QStringLiteral("ok"))), QStringLiteral("no")),
              ChangePasswordOutcome::WrongPassword);
    EXPECT_EQ(checkChangePassword(withPassword(QStringLiteral("plain")), QStringLiteral("plain")),
              ChangePasswordOutcome::Allowed);
    EXPECT_EQ(changePasswordMessage(ChangePasswordOutcome::WrongPassword).text, QStringLiteral("Senha não Confere!"));
    EXPECT_TRUE(changePasswordMessage(ChangePasswordOutcome::UnknownUser).text.isEmpty());
}

TEST_F(LogOnTest, UsersAreAddedWithABlankPasswordAndListedByName)
{
    UserRecord maria;
    maria.userId = QStringLiteral("MARIA");
    ASSERT_TRUE(grantRight(maria, QStringLiteral("notas")));
    ASSERT_TRUE(grantRight(maria, QStringLiteral("Tabelas")));
    EXPECT_FALSE(grantRight(maria, QStringLiteral("Diretoria")));
    users().add(maria);

    EXPECT_THROW(users().add(maria), StoreError);
    UserRecord longName;
    longName.userId = QStringLiteral("NOMECOMPRIDO");
    EXPECT_THROW(users().add(longName), StoreError);
    EXPECT_THROW(users().add(UserRecord()), StoreError);

    const QList<UserRecord> all = users().list();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all.at(0).userId, QStringLiteral("MARIA"));
    EXPECT_EQ(rightNames(all.at(0)), (QStringList{QStringLiteral("Notas"), QStringLiteral("Tabelas")}));
    EXPECT_EQ(logOn(QStringLiteral("MARIA"), QString()), LogOnOutcome::MustCreatePassword);
}

TEST(UsersTableLayout, OlderTableIsWidenedAndKeepsItsPasswords)
{
    setPasswordCost(PasswordCost::Minimal);
    TempDir dir;
    const QString place = testengine::yearLocation(dir.path());
    {
        const Database db = Database::open(place);
        TableDef old = schema::usuarios();
        for (FieldDef &f : old.fields)
            if (f.name == u"Password")
                f.size = 10;
        db.createTable(old);
        db.exec(QStringLiteral("insert into Usuarios (UserID, Password, Notas) values ('JOSE', :p, 1)"),
                {{QStringLiteral("p"), scramblePassword(QStringLiteral("JOSE123"))}});
    }
    Database::closeAll();

    const UsersTable users(place);
    EXPECT_EQ(users.database().layout(QStringLiteral("Usuarios")).field(QStringLiteral("Password"))->size, 100);
    const std::optional<UserRecord> jose = users.find(QStringLiteral("JOSE"));
    ASSERT_TRUE(jose);
    EXPECT_TRUE(jose->rights.notas);
    EXPECT_EQ(decideLogOn(QStringLiteral("JOSE"), jose, QStringLiteral("JOSE123")), LogOnOutcome::Accepted);
    EXPECT_FALSE(users.find(QStringLiteral("SUPERVISOR"))) << "an existing table gets no new supervisor";

    users.setPassword(QStringLiteral("JOSE"), QStringLiteral("uma senha bem mais longa"));
    EXPECT_EQ(decideLogOn(QStringLiteral("JOSE"), users.find(QStringLiteral("JOSE")), QStringLiteral("uma senha bem mais longa")),
              LogOnOutcome::Accepted)
        << "the hash is not cut to the old width";
    setPasswordCost(PasswordCost::Standard);
    Database::closeAll();
    testengine::dropServerYears();
}

TEST_F(LogOnTest, EveryRefusalIsLoggedWithItsCauseAndNeverThePassword)
{
    users().setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("s3nha"));
    RecordedLog log;
    EXPECT_EQ(logOn(QStringLiteral("FANTASMA"), QStringLiteral("x")), LogOnOutcome::UnknownUser);
    EXPECT_EQ(logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("errada")), LogOnOutcome::WrongPassword);
    EXPECT_EQ(checkChangePassword(users().find(QStringLiteral("SUPERVISOR")), QStringLiteral("errada2")),
              ChangePasswordOutcome::WrongPassword);
    EXPECT_EQ(saveNewPassword(users(), QStringLiteral("SUMIDO"), QStringLiteral("a"), QStringLiteral("a")),
              NewPasswordOutcome::SaveFailed);
    const core::Message box = databaseAccessErrorMessage(StoreError(QStringLiteral("disco cheio")));
    EXPECT_EQ(box.text, QStringLiteral("Erro no acesso à base de dados."));

    EXPECT_EQ(log.warnings(QStringLiteral("lumesco.logon")),
              QStringList({QStringLiteral("log-on recusado: o usuário \"FANTASMA\" não está na tabela de usuários"),
                           QStringLiteral("log-on recusado: a senha não confere para o usuário \"SUPERVISOR\""),
                           QStringLiteral("troca de senha recusada: a senha não confere para o usuário \"SUPERVISOR\""),
                           QStringLiteral("não foi possível gravar a nova senha do usuário \"SUMIDO\": "
                                          "Usuário não encontrado: SUMIDO"),
                           QStringLiteral("o ano letivo não abriu depois do log-on: disco cheio")}));
    for (const RecordedLog::Entry &entry : log.entries()) {
        EXPECT_FALSE(entry.text.contains(QStringLiteral("errada"))) << entry.text.toStdString();
        EXPECT_FALSE(entry.text.contains(QStringLiteral("s3nha"))) << entry.text.toStdString();
    }

    // A script may not create a password: that refusal is logged too; an accepted one is noted.
    storeRaw(QStringLiteral("SUPERVISOR"), QString());
    log.clear();
    EXPECT_FALSE(logOnWithoutDialog(users(), QStringLiteral("SUPERVISOR"), QString()));
    EXPECT_EQ(log.warnings(QStringLiteral("lumesco.logon")),
              QStringList(QStringLiteral("log-on sem diálogo recusado: o usuário \"SUPERVISOR\" precisa "
                                         "criar uma senha nova no programa")));
    users().setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("s3nha"));
    log.clear();
    EXPECT_TRUE(logOnWithoutDialog(users(), QStringLiteral("SUPERVISOR"), QStringLiteral("s3nha")));
    EXPECT_TRUE(log.warnings(QStringLiteral("lumesco.logon")).isEmpty());
    ASSERT_EQ(log.entries().size(), 1);
    EXPECT_EQ(log.entries().first().text, QStringLiteral("log-on de \"SUPERVISOR\" aceito"));
}
