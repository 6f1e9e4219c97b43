#include "app/logon/LogOnToggle.h"
#include "core/Session.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include "app/QStringPrinting.h"

#include <QDir>
#include <gtest/gtest.h>
#include <stdexcept>

using app::LogOnChoice;
using app::LogOnToggle;

namespace {

class LogOnToggleTest : public ::testing::Test
{
protected:
    void SetUp() override { core::session() = core::Session(); }

    LogOnToggle make()
    {
        auto note = [this](const char *what) {
            return [this, what] { events += QString::fromLatin1(what); };
        };
        return LogOnToggle(
            program.path(),
            {note("no session"), note("Log OFF"),
             [this](const QString &text) { events += QStringLiteral("status ") + text; },
             note("settings"), note("session"), note("logo")},
            {[this](const LogOnChoice &choice) {
                 events += QStringLiteral("open ") + choice.year.path;
                 core::session().userName = choice.user.userId;
                 if (failOpen)
                     throw std::runtime_error("no database");
                 return QStringLiteral("here");
             },
             [this] { events += QStringLiteral("close"); }},
            [this] {
                events += QStringLiteral("dialog");
                return answer;
            });
    }

    TempDir program;
    QStringList events;
    std::optional<LogOnChoice> answer;
    bool failOpen = false;
    ScriptedDialogs::Guard dialogs;
};

LogOnChoice choice(const QString &user, const QString &path)
{
    LogOnChoice c;
    c.user.userId = user;
    c.year = {2026, path};
    return c;
}

TEST_F(LogOnToggleTest, aCancelledDialogLeavesNoSession)
{
    core::session().supervisor = true; // a stale flag is cleared before the dialog
    LogOnToggle toggle = make();
    toggle.toggle();
    EXPECT_EQ(events, QStringList{QStringLiteral("dialog")});
    EXPECT_FALSE(core::session().isOpen());
    EXPECT_FALSE(core::session().supervisor);
}

TEST_F(LogOnToggleTest, logOnOpensTheDataThenShowsTheSessionAndLogOffClosesIt)
{
    answer = choice(QStringLiteral("ANA"), QStringLiteral("/escola/2026"));
    LogOnToggle toggle = make();
    toggle.toggle();
    EXPECT_EQ(events, (QStringList{QStringLiteral("dialog"), QStringLiteral("Log OFF"),
                                   QStringLiteral("open /escola/2026"), QStringLiteral("status here"),
                                   QStringLiteral("settings"), QStringLiteral("session"),
                                   QStringLiteral("logo")}));
    EXPECT_TRUE(dialogs->shown().isEmpty());

    events.clear();
    QDir::setCurrent(QDir::tempPath()); // a form left the program elsewhere
    toggle.toggle();
    EXPECT_EQ(events, (QStringList{QStringLiteral("no session"), QStringLiteral("close")}));
    EXPECT_FALSE(core::session().isOpen());
    EXPECT_EQ(QDir::current(), QDir(program.path()));
}

TEST_F(LogOnToggleTest, aFailingStartUpIsReportedAndLeavesTheSessionAsFarAsItGot)
{
    answer = choice(QStringLiteral("ANA"), QStringLiteral("/sem/acesso"));
    failOpen = true;
    LogOnToggle toggle = make();
    EXPECT_FALSE(toggle.logOn());
    EXPECT_EQ(events, (QStringList{QStringLiteral("dialog"), QStringLiteral("Log OFF"),
                                   QStringLiteral("open /sem/acesso")}));
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->last().text, QStringLiteral("Erro no acesso à base de dados."));
    EXPECT_EQ(dialogs->last().icon, core::Icon::Error);
    // "Log OFF" ends it.
    EXPECT_TRUE(core::session().isOpen());
    events.clear();
    toggle.toggle();
    EXPECT_EQ(events, (QStringList{QStringLiteral("no session"), QStringLiteral("close")}));
}

} // namespace
