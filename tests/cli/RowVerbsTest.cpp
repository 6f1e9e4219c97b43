// users, post and delete run as a script runs them: a real program folder, a real process.

#include "data/store/Database.h"

#include "support/QStringPrinting.h"
#include "support/CliProgram.h"
#include "support/TestEngine.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class RowVerbs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        ASSERT_EQ(asSupervisor({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("PROF"),
                                QStringLiteral("--rights"), QStringLiteral("Notas")}).exitCode, 0);
        ASSERT_EQ(asSupervisor({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("CARLOS"),
                                QStringLiteral("--rights"), QStringLiteral("Carnes")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("PROF"), QStringLiteral("prof"));
        m_program.setPassword(QStringLiteral("CARLOS"), QStringLiteral("carlos"));
        if (!testengine::onServer())
            QDir().mkpath(dataDir());
    }

    QString usersDir() const { return m_program.file(QStringLiteral("Data")); }
    void TearDown() override
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
    QString dataDir() const { return m_year; }

    CliRun cli(const QStringList &arguments, const QString &user = QString(), const QString &password = QString())
    {
        return m_program.run(arguments, {{QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2009-03-05")},
                                         {QStringLiteral("LUMESCO_USER"), user},
                                         {QStringLiteral("LUMESCO_PASSWORD"), password}});
    }
    CliRun asSupervisor(const QStringList &arguments) { return cli(arguments, QStringLiteral("SUPERVISOR"), QStringLiteral("segredo")); }
    CliRun post(const QString &user, const QString &password, const QStringList &arguments)
    {
        return cli(QStringList{QStringLiteral("post"), dataDir()} + arguments, user, password);
    }

    QVariant scalar(const QString &sql)
    {
        const QVariant value = data::Database::open(dataDir()).scalar(sql);
        data::Database::closeAll();
        return value;
    }
    void exec(const QString &sql)
    {
        data::Database::open(dataDir()).exec(sql);
        data::Database::closeAll();
    }

    CliProgram m_program{QStringLiteral(LUMESCO_CLI)};
    // The year's folder (empty), or a server year of its own (not made yet).
    const QString m_year = testengine::yearLocation(m_program.file(QStringLiteral("2009")));
};

} // namespace

TEST_F(RowVerbs, UsersAreListedWithTheirRightsAndOnlyASupervisorAddsThem)
{
    const CliRun list = cli({QStringLiteral("users"), QStringLiteral("list")});
    EXPECT_EQ(list.out, QStringLiteral("USERID;SENHA;SUPERVISOR;ALUNOS;CARNES;NOTAS;TABELAS;CAIXA;BACKUP\n"
                                       "CARLOS;protegida;False;False;True;False;False;False;False\n"
                                       "PROF;protegida;False;False;False;True;False;False;False\n"
                                       "SUPERVISOR;protegida;True;True;True;True;True;True;True\n"));

    const CliRun byProf = cli({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("OUTRO")},
                           QStringLiteral("PROF"), QStringLiteral("prof"));
    EXPECT_NE(byProf.exitCode, 0);
    const CliRun wrong = cli({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("OUTRO")},
                          QStringLiteral("SUPERVISOR"), QStringLiteral("x"));
    EXPECT_NE(wrong.exitCode, 0);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("Senha não Confere!"))) << wrong.err.toStdString();

    // A new user has no password yet: refused until one is set, then in.
    ASSERT_EQ(asSupervisor({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("NOVA")}).exitCode, 0);
    const CliRun first = post(QStringLiteral("NOVA"), QString(), {QStringLiteral("DISCPL"), QStringLiteral("CODIGO=01")});
    EXPECT_NE(first.exitCode, 0);
    EXPECT_TRUE(first.err.contains(QStringLiteral("Informe a senha para iniciar"))) << first.err.toStdString();
    EXPECT_EQ(cli({QStringLiteral("users"), QStringLiteral("passwd"), QStringLiteral("NOVA"), QStringLiteral("nova1")},
                  QStringLiteral("NOVA"), QString()).exitCode, 0);
    const CliRun unknown = post(QStringLiteral("NINGUEM"), QStringLiteral("x"), {QStringLiteral("DISCPL"), QStringLiteral("CODIGO=01")});
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Usuário Inválido!")));
}

TEST_F(RowVerbs, PostsRunTheRowRulesWithTheUsersRights)
{
    const CliRun added = post(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"),
                           {QStringLiteral("ALUNOS"), QStringLiteral("MATRICULA=100"), QStringLiteral("NOME=ANA SILVA"),
                            QStringLiteral("TURMA=MAT01"), QStringLiteral("DATANASC=05/03/2001"), QStringLiteral("ABAT=10,5")});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_TRUE(added.out.startsWith(QStringLiteral("MATRICULA;ORD;NOME;TURMA;")));
    EXPECT_TRUE(added.out.contains(QStringLiteral("\n100;;ANA SILVA;MAT01;;;;05/03/2001;")));
    exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome, Esp) values (100, '01', 'MAT01', 'ANA SILVA', 1)"));
    exec(QStringLiteral("insert into NotasUni2 (MATRICULA, DISC, TURMA, UNIDADE, NOME, Esp) values (100, '01', 'MAT01', '2', 'ANA SILVA', 1)"));
    exec(QStringLiteral("insert into Ccorrent (Matricula, NOME, ParcelaNum, ParcelaData, STATUS2) values (100, 'ANA SILVA', 1, '2009-02-10', '0')"));

    const CliRun renamed = post(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"),
                             {QStringLiteral("ALUNOS"), QStringLiteral("--key"), QStringLiteral("MATRICULA=100"),
                              QStringLiteral("NOME=ANA D'ÁVILA")});
    ASSERT_EQ(renamed.exitCode, 0) << renamed.err.toStdString();
    EXPECT_EQ(scalar(QStringLiteral("select Nome || '/' || Esp from NOTAS")).toString(), QStringLiteral("ANA D'ÁVILA/1"));
    EXPECT_EQ(scalar(QStringLiteral("select NOME from NotasUni2")).toString(), QStringLiteral("ANA D'ÁVILA"));
    EXPECT_EQ(scalar(QStringLiteral("select NOME from Ccorrent")).toString(), QStringLiteral("ANA D'ÁVILA"));

    const CliRun byProf = post(QStringLiteral("PROF"), QStringLiteral("prof"),
                            {QStringLiteral("ALUNOS"), QStringLiteral("--key"), QStringLiteral("MATRICULA=100"), QStringLiteral("NOME=X")});
    EXPECT_NE(byProf.exitCode, 0);
    EXPECT_TRUE(byProf.out.contains(QStringLiteral("somente para leitura"))) << byProf.out.toStdString();

    const QStringList remark{QStringLiteral("Ccorrent"), QStringLiteral("--key"), QStringLiteral("Matricula=100"),
                             QStringLiteral("Observacao=conferido")};
    ASSERT_EQ(post(QStringLiteral("CARLOS"), QStringLiteral("carlos"), remark).exitCode, 0);
    EXPECT_EQ(scalar(QStringLiteral("select USUARIO || '/' || STATUS2 from Ccorrent")).toString(), QStringLiteral("CARLOS/1"));
    ASSERT_EQ(post(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"),
                   {QStringLiteral("Ccorrent"), QStringLiteral("--key"), QStringLiteral("Matricula=100"),
                    QStringLiteral("PgtoData=10/02/2009"), QStringLiteral("PgtoValor=150,00")}).exitCode, 0);
    const CliRun locked = post(QStringLiteral("CARLOS"), QStringLiteral("carlos"), remark);
    EXPECT_NE(locked.exitCode, 0);
    EXPECT_EQ(scalar(QStringLiteral("select USUARIO || '/' || STATUS2 from Ccorrent")).toString(), QStringLiteral("SUPERVISOR/2"));
}

TEST_F(RowVerbs, AChangeEndingInARuleErrorIsUndone)
{
    ASSERT_EQ(post(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"),
                   {QStringLiteral("ALUNOS"), QStringLiteral("MATRICULA=7"), QStringLiteral("NOME=BIA"),
                    QStringLiteral("TURMA=MAT01")}).exitCode, 0);
    if (testengine::onServer()) {
        exec(QStringLiteral("create function notas_bloqueada() returns trigger language plpgsql as "
                            "$$ begin raise exception 'bloqueada'; end $$"));
        exec(QStringLiteral("create trigger notas_bloqueada before update on NOTAS for each row "
                            "execute function notas_bloqueada()"));
    } else {
        exec(QStringLiteral("create trigger notas_bloqueada before update on NOTAS begin select raise(abort, 'bloqueada'); end"));
    }
    exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome) values (7, '01', 'MAT01', 'BIA')"));
    exec(QStringLiteral("insert into Ccorrent (Matricula, NOME, ParcelaNum, ParcelaData) values (7, 'BIA', 1, '2009-02-10')"));
    const CliRun renamed = post(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"),
                             {QStringLiteral("ALUNOS"), QStringLiteral("--key"), QStringLiteral("MATRICULA=7"),
                              QStringLiteral("NOME=BEATRIZ")});
    EXPECT_EQ(renamed.exitCode, 1);
    EXPECT_TRUE(renamed.err.contains(QStringLiteral("Erro ao executar: update notas set nome = 'BEATRIZ'")))
        << renamed.err.toStdString();
    EXPECT_EQ(renamed.out, QStringLiteral("A gravação foi desfeita.\n")) << "the run's message, and no row";
    EXPECT_EQ(scalar(QStringLiteral("select NOME from ALUNOS")).toString(), QStringLiteral("BIA"));
    EXPECT_EQ(scalar(QStringLiteral("select NOME from Ccorrent")).toString(), QStringLiteral("BIA"))
        << "the charge row renamed before the failure is put back";
}

TEST_F(RowVerbs, DeletingAStudentNeedsTheYesAnswer)
{
    ASSERT_EQ(post(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"),
                   {QStringLiteral("ALUNOS"), QStringLiteral("MATRICULA=7"), QStringLiteral("NOME=BIA"),
                    QStringLiteral("TURMA=MAT01")}).exitCode, 0);
    exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma) values (7, '01', 'MAT01')"));
    const QStringList remove{QStringLiteral("delete"), dataDir(), QStringLiteral("ALUNOS"), QStringLiteral("--key"),
                             QStringLiteral("MATRICULA=7")};

    const CliRun no = cli(remove, QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
    EXPECT_NE(no.exitCode, 0);
    EXPECT_TRUE(no.err.contains(QStringLiteral("Exclusão cancelada!"))) << no.err.toStdString();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from NOTAS")).toInt(), 1);

    const CliRun yes = cli(remove + QStringList{QStringLiteral("--yes")}, QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
    ASSERT_EQ(yes.exitCode, 0) << yes.err.toStdString();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from ALUNOS")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from NOTAS")).toInt(), 0);
}
