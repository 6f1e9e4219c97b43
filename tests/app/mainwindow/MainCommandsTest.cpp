#include "app/MainCommands.h"
#include "app/ProgramReports.h"
#include "core/Session.h"

#include "support/QStringPrinting.h"

#include <QSet>
#include <gtest/gtest.h>

using app::Access;

namespace {

core::Session loggedOn(core::Rights rights, bool supervisor = false)
{
    core::Session s;
    s.userName = QStringLiteral("MARIA");
    s.schoolYear = QStringLiteral("2026");
    s.rights = rights;
    s.supervisor = supervisor;
    return s;
}

const app::MenuEntry *findEntry(const QString &objectName)
{
    for (const app::MenuEntry &e : app::mainMenuEntries()) {
        if (e.objectName == objectName)
            return &e;
    }
    return nullptr;
}

} // namespace

TEST(CommandAccess, WithoutSessionOnlyTheAlwaysEntriesWork)
{
    const core::Session none;
    for (Access a : {Access::Session, Access::Supervisor, Access::CarnesOrSupervisor,
                     Access::Alunos, Access::TabelasOrNotas, Access::Backup, Access::Carnes,
                     Access::CaixaOrSupervisor, Access::Never})
        EXPECT_FALSE(app::allows(a, none)) << int(a);
    EXPECT_TRUE(app::allows(Access::Always, none));
}

TEST(CommandAccess, ButtonsFollowTheRights)
{
    core::Rights notasOnly;
    notasOnly.notas = true;
    const core::Session teacher = loggedOn(notasOnly);
    EXPECT_TRUE(app::allows(Access::TabelasOrNotas, teacher));
    EXPECT_FALSE(app::allows(Access::Alunos, teacher));
    EXPECT_FALSE(app::allows(Access::CaixaOrSupervisor, teacher));
    EXPECT_FALSE(app::allows(Access::Supervisor, teacher));
    EXPECT_TRUE(app::allows(Access::Session, teacher));

    // A supervisor without the Caixa right still reaches the cash book (read-only there).
    const core::Session director = loggedOn({}, true);
    EXPECT_TRUE(app::allows(Access::CaixaOrSupervisor, director));
    EXPECT_TRUE(app::allows(Access::CarnesOrSupervisor, director));
    EXPECT_FALSE(app::allows(Access::Carnes, director));
    EXPECT_FALSE(app::allows(Access::Never, director));

    core::Rights treasury;
    treasury.carnes = true;
    EXPECT_TRUE(app::allows(Access::CarnesOrSupervisor, loggedOn(treasury)));
    EXPECT_TRUE(app::showsStudentTotal(loggedOn(treasury)));
    EXPECT_FALSE(app::showsCashTotals(loggedOn(treasury)));
    EXPECT_TRUE(app::showsCashTotals(director));
}

TEST(MainCaption, ShowsWhoWorksOnWhichYear)
{
    EXPECT_EQ(app::mainCaption(core::Session(), QStringLiteral("ESCOLA")),
              QStringLiteral("Lumesco v 2010.01.21 - *** Nenhum usuário definido ***"));
    EXPECT_EQ(app::mainCaption(loggedOn({}), QStringLiteral("COLÉGIO SÃO JOSÉ")),
              QStringLiteral(
                  "Lumesco v 2010.01.21 - Usuário: MARIA - Ano Letivo: 2026 - COLÉGIO SÃO JOSÉ"));
    EXPECT_EQ(app::mainCaption(loggedOn({}, true), QStringLiteral("X")),
              QStringLiteral("Lumesco v 2010.01.21 - Usuário: MARIA (S) - Ano Letivo: 2026 - X"));
    EXPECT_EQ(app::logOnButtonCaption(false), QStringLiteral("Log ON"));
    EXPECT_EQ(app::logOnButtonCaption(true), QStringLiteral("Log OFF"));
}

TEST(StaffCaptions, UseTheTermCutTo25And16Characters)
{
    const app::StaffCaptions w = app::staffTermCaptions(QStringLiteral("Colaboradores"));
    EXPECT_EQ(w.record, QStringLiteral("&y. Ficha de Colaboradores"));
    EXPECT_EQ(w.birthdays, QStringLiteral("&z. Colaboradores Aniversariantes do Mês"));

    const QString longTerm = QStringLiteral("Funcionários e Professores da Escola");
    const app::StaffCaptions cut = app::staffTermCaptions(longTerm);
    EXPECT_EQ(cut.record, QStringLiteral("&y. Ficha de ") + longTerm.left(25));
    EXPECT_EQ(cut.birthdays, QStringLiteral("&z. Funcionários e P Aniversariantes do Mês"));
}

TEST(MainMenu, EveryEntryHasAUniqueNameAndAKnownParent)
{
    QSet<QString> seen;
    QSet<QString> menus;
    for (const app::MenuEntry &e : app::mainMenuEntries()) {
        EXPECT_FALSE(seen.contains(e.objectName)) << e.objectName.toStdString();
        seen.insert(e.objectName);
        EXPECT_TRUE(e.parent.isEmpty() || menus.contains(e.parent)) << e.objectName.toStdString();
        EXPECT_FALSE(e.parent.isEmpty() && e.kind != app::EntryKind::Menu);
        if (e.kind == app::EntryKind::Menu)
            menus.insert(e.objectName);
    }
    for (const app::ButtonEntry &b : app::buttonBarEntries())
        EXPECT_FALSE(seen.contains(b.objectName)) << b.objectName.toStdString();
}

TEST(MainMenu, GatesOfTheMenusThatDependOnTheSession)
{
    EXPECT_EQ(findEntry(app::entry::Relatorios)->access, Access::Session);
    EXPECT_EQ(findEntry(app::entry::Utilitarios)->access, Access::Session);
    EXPECT_EQ(findEntry(app::entry::Preferencias)->access, Access::Supervisor);
    EXPECT_EQ(findEntry(app::entry::CadastroUsuarios)->access, Access::Supervisor);
    EXPECT_EQ(findEntry(QStringLiteral("mnuMensalidades"))->access, Access::CarnesOrSupervisor);
    EXPECT_EQ(findEntry(QStringLiteral("mnuExportarTexto"))->access, Access::CarnesOrSupervisor);
}

TEST(MainMenu, EveryReportHasACommandEntryOfTheReportsMenu)
{
    EXPECT_EQ(app::menuPath(QStringLiteral("mnuAniversariantesMes")),
              QStringLiteral("Relatórios > Cadastro de Alunos > Aniversariantes por Turma > Aniversariantes do Mês"));
    EXPECT_EQ(app::menuPath(QStringLiteral("mnuNada")), QString());
    ASSERT_FALSE(app::programReports().entries().isEmpty());
    for (const reports::ReportEntry &report : app::programReports().entries()) {
        EXPECT_TRUE(report.build) << report.name.toStdString();
        if (report.menuEntry.isEmpty())
            continue; // printed from its module's window (the cash book)
        const app::MenuEntry *entry = findEntry(report.menuEntry);
        ASSERT_TRUE(entry) << report.name.toStdString();
        EXPECT_EQ(entry->kind, app::EntryKind::Command) << report.name.toStdString();
        EXPECT_TRUE(app::menuPath(report.menuEntry).startsWith(QStringLiteral("Relatórios > ")))
            << report.name.toStdString();
    }
}
