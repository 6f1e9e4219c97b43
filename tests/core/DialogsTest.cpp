#include "core/Dialogs.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Dialogs, ScriptedAnswersAndRecords)
{
    ScriptedDialogs::Guard dialogs;
    dialogs->answer(Button::No);
    EXPECT_FALSE(confirm(QStringLiteral("Sair?"), QStringLiteral("Fim")));
    EXPECT_TRUE(confirm(QStringLiteral("De novo?"))); // no answer left: default is Yes
    showError(QStringLiteral("Falhou"));
    ASSERT_EQ(dialogs->shown().size(), 3);
    EXPECT_EQ(dialogs->shown().at(0).caption, QStringLiteral("Fim"));
    EXPECT_EQ(dialogs->last().icon, Icon::Error);
    EXPECT_EQ(dialogs->last().caption, QStringLiteral("Erro"));
    EXPECT_FALSE(dialogs->askText(QStringLiteral("c"), QStringLiteral("p"), QString()).has_value());
}

TEST(Dialogs, DefaultAnswerFollowsButtons)
{
    EXPECT_EQ(defaultAnswer({QString(), QString(), Icon::Warning, Button::Abort | Button::Retry | Button::Ignore}),
              Button::Abort);
    EXPECT_EQ(defaultAnswer({QString(), QString(), Icon::Question, Button::Yes | Button::No, Button::No}),
              Button::No);
    ConsoleDialogs console;
    EXPECT_EQ(console.show({QStringLiteral("a\rb"), QStringLiteral("c"), Icon::Information, Button::Ok}),
              Button::Ok);
}
