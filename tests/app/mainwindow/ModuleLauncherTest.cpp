#include "app/ModuleLauncher.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include "support/QStringPrinting.h"

#include <QDir>
#include <gtest/gtest.h>
#include <stdexcept>

using app::Module;
using app::ModuleLauncher;
using app::TablesToClose;

namespace {

// Records what the launcher asks of the window.
struct FakeWindow
{
    QStringList events;
    bool barEnabled = true;
    int busyDepth = 0;

    ModuleLauncher::Host host()
    {
        return {[this](bool busy) {
                    busyDepth += busy ? 1 : -1;
                    events.append(busy ? QStringLiteral("busy") : QStringLiteral("normal"));
                },
                [this](bool enabled) {
                    barEnabled = enabled;
                    events.append(enabled ? QStringLiteral("bar on") : QStringLiteral("bar off"));
                }};
    }
};

class ModuleLauncherTest : public ::testing::Test
{
protected:
    ModuleLauncherTest() : m_previous(QDir::currentPath()) { QDir::setCurrent(program.path()); }
    ~ModuleLauncherTest() override { QDir::setCurrent(m_previous); }

    TempDir program;
    TempDir elsewhere;
    FakeWindow window;

private:
    QString m_previous;
};

} // namespace

TEST_F(ModuleLauncherTest, AModuleRunsWithTheBarOffAndComesBackToTheProgramFolder)
{
    ModuleLauncher launcher(program.path(), window.host());
    QList<TablesToClose> closed;
    launcher.setCloseTables([&](TablesToClose t) {
        closed.append(t);
        window.events.append(QStringLiteral("close tables"));
    });

    bool barWhileOpen = true;
    launcher.startModule(Module::Alunos, [&](ModuleLauncher &l) {
        barWhileOpen = window.barEnabled;
        EXPECT_TRUE(l.isRunning());
        QDir::setCurrent(elsewhere.path()); // a form that browsed for a file
        window.events.append(QStringLiteral("form"));
    });

    EXPECT_FALSE(barWhileOpen);
    EXPECT_TRUE(window.barEnabled);
    EXPECT_FALSE(launcher.isRunning());
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(), QDir(program.path()).canonicalPath());
    EXPECT_EQ(closed, QList<TablesToClose>{TablesToClose::Academic});
    EXPECT_EQ(window.events, (QStringList{QStringLiteral("busy"), QStringLiteral("close tables"),
                                          QStringLiteral("bar off"), QStringLiteral("form"),
                                          QStringLiteral("normal"), QStringLiteral("bar on")}));
}

TEST_F(ModuleLauncherTest, EachModuleClosesWhatItMust)
{
    EXPECT_EQ(app::tablesClosedBefore(Module::Alunos), TablesToClose::Academic);
    EXPECT_EQ(app::tablesClosedBefore(Module::Cobranca), TablesToClose::Academic);
    EXPECT_EQ(app::tablesClosedBefore(Module::Tabelas), TablesToClose::Academic);
    EXPECT_EQ(app::tablesClosedBefore(Module::Caixa), TablesToClose::None);
    EXPECT_EQ(app::tablesClosedBefore(Module::Backup), TablesToClose::AcademicAndSettings);

    ModuleLauncher launcher(program.path(), window.host());
    int closings = 0;
    launcher.setCloseTables([&](TablesToClose) { ++closings; });
    launcher.startModule(Module::Caixa, [](ModuleLauncher &) {});
    launcher.runCommand([](ModuleLauncher &) {});
    EXPECT_EQ(closings, 0);
}

TEST_F(ModuleLauncherTest, AFormThatRestoresTheCursorEarlyIsNotRestoredTwice)
{
    ModuleLauncher launcher(program.path(), window.host());
    launcher.runCommand([&](ModuleLauncher &l) {
        l.restoreCursor(); // before showing, as the tables form does
        EXPECT_EQ(window.busyDepth, 0);
    });
    EXPECT_EQ(window.busyDepth, 0);
    EXPECT_EQ(window.events.count(QStringLiteral("normal")), 1);
}

TEST_F(ModuleLauncherTest, AFailingFormIsReportedAndEverythingIsRestored)
{
    ScriptedDialogs::Guard dialogs;
    ModuleLauncher launcher(program.path(), window.host());
    launcher.startModule(Module::Tabelas, [&](ModuleLauncher &) {
        QDir::setCurrent(elsewhere.path());
        throw std::runtime_error("Tabela TURMAS não encontrada");
    });

    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->last().text, QStringLiteral("Tabela TURMAS não encontrada"));
    EXPECT_EQ(dialogs->last().icon, core::Icon::Error);
    EXPECT_TRUE(window.barEnabled);
    EXPECT_EQ(window.busyDepth, 0);
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(), QDir(program.path()).canonicalPath());
}
