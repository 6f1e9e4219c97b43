#include "app/logon/LogOnFlow.h"
#include "data/store/Database.h"
#include "data/users/PasswordScrambler.h"
#include "data/users/UsersTable.h"

#include "support/TempDir.h"
#include "support/TestEngine.h"

#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

using app::DialogStep;
using app::LogOnFlow;

namespace {

class LogOnFlowTest : public ::testing::Test
{
protected:
    void storePassword(const QString &userId, const QString &stored)
    {
        users.database().exec(QStringLiteral("update Usuarios set Password = :p where UserID = :id"),
                              {{QStringLiteral("p"), stored}, {QStringLiteral("id"), userId}});
    }
    void addUser(const QString &userId)
    {
        data::UserRecord user;
        user.userId = userId;
        user.rights.notas = true;
        users.add(user);
    }

    // The store's connections closed once the table is gone, before the users are let go.
    struct ConnectionsClosed
    {
        ~ConnectionsClosed() { data::Database::closeAll(); }
    };

    TempDir dir;
    testengine::UsersHeld held{dir.path()};
    ConnectionsClosed closed;
    data::UsersTable users{held.location()};
    LogOnFlow flow{users};
};

void expectMessage(const DialogStep &step, const QString &text, core::Icon icon,
                   core::Buttons buttons = core::Button::Ok)
{
    EXPECT_EQ(step.message.text, text);
    EXPECT_EQ(step.message.icon, icon);
    EXPECT_EQ(step.message.buttons, buttons);
}

TEST_F(LogOnFlowTest, olderStoredFormsAreRecognised)
{
    // Scrambled by an older installation: accepted as it was.
    storePassword(QStringLiteral("SUPERVISOR"), data::scramblePassword(QStringLiteral("velha")));
    EXPECT_EQ(flow.logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("velha"), true).close,
              DialogStep::Close::Accepted);

    // Kept as typed: the user must protect it before entering.
    storePassword(QStringLiteral("SUPERVISOR"), QStringLiteral("clara"));
    DialogStep step = flow.logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("clara"), true);
    expectMessage(step, QStringLiteral("Sua senha está sem proteção.\rInforme uma nova senha!"),
                  core::Icon::Warning, core::Button::Ok | core::Button::Cancel);
    EXPECT_TRUE(step.showNewPasswordFields);
    EXPECT_EQ(step.close, DialogStep::Close::No);
    EXPECT_EQ(flow.confirmNewPassword(QStringLiteral("nova"), QStringLiteral("nova")).password,
              QStringLiteral("nova"));
    EXPECT_EQ(flow.logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("nova"), true).close,
              DialogStep::Close::Accepted);
}

TEST_F(LogOnFlowTest, aRightPasswordWithoutASchoolYearKeepsTheDialogOpen)
{
    storePassword(QStringLiteral("SUPERVISOR"), data::scramblePassword(QStringLiteral("x")));
    const DialogStep step = flow.logOn(QStringLiteral("SUPERVISOR"), QStringLiteral("x"), false);
    EXPECT_EQ(step.close, DialogStep::Close::No);
    EXPECT_EQ(step.message.text, app::noSchoolYearMessage().text);
    EXPECT_FALSE(flow.acceptedUser());
}

TEST_F(LogOnFlowTest, theNewPasswordGoesToTheUserWhoOpenedTheFields)
{
    addUser(QStringLiteral("ANA"));
    flow.logOn(QStringLiteral("ANA"), QString(), true);
    flow.confirmNewPassword(QStringLiteral("segredo"), QStringLiteral("segredo"));
    EXPECT_FALSE(users.find(QStringLiteral("ANA"))->password.isEmpty());
    EXPECT_TRUE(users.find(QStringLiteral("SUPERVISOR"))->password.isEmpty());
}

TEST_F(LogOnFlowTest, aPasswordThatCannotBeWrittenSaysSo)
{
    addUser(QStringLiteral("ANA"));
    flow.logOn(QStringLiteral("ANA"), QString(), true);
    users.database().exec(QStringLiteral("delete from Usuarios where UserID = 'ANA'"));
    const DialogStep step = flow.confirmNewPassword(QStringLiteral("a"), QStringLiteral("a"));
    expectMessage(step, QStringLiteral("Erro ao gravar a nova senha!"), core::Icon::Error);
    EXPECT_EQ(step.focus, DialogStep::Focus::NewPassword);
    EXPECT_FALSE(step.password);
}

} // namespace
