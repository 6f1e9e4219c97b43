// students: the register's commands as a script runs them, printing the window's messages.

#include "data/store/Database.h"

#include "support/QStringPrinting.h"
#include "support/CliProgram.h"
#include "support/TestEngine.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// A run with its standard output as lines.
struct StudentsRun
{
    int exitCode = -1;
    QStringList lines;
    QString err;
};

class StudentsVerb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The first run writes the program folder's configuration files.
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}, QString()).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        ASSERT_EQ(cli({QStringLiteral("init"), dataDir(), QStringLiteral("--year"), QStringLiteral("2009")}, QString()).exitCode, 0);
        exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values ('1G1AM', '1º ANO A'), ('2G3N', '3ª SÉRIE')"));
        exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO) values ('01', 'PORTUGUÊS'), ('02', 'MATEMÁTICA')"));
        exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values ('2G3', '01'), ('2G3', '02')"));
        exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, ESP, DATANASC, MARCADO) values "
                            "(100, 'ANA SILVA', '1G1AM', 3, '2002-03-17', 1), (101, 'BRUNO LIMA', '1G1AM', 4, null, 0)"));
    }
    void TearDown() override
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
    QString dataDir() const { return m_year; }

    StudentsRun students(const QStringList &arguments, const QString &password = QStringLiteral("segredo"))
    {
        return cli(QStringList{QStringLiteral("students")} + arguments, password);
    }
    StudentsRun cli(const QStringList &arguments, const QString &password)
    {
        const ::CliRun run = m_program.run(arguments, {{QStringLiteral("LUMESCO_USER"), QStringLiteral("SUPERVISOR")},
                                                       {QStringLiteral("LUMESCO_PASSWORD"), password},
                                                       {QStringLiteral("LUMESCO_NO_SHELL"), QStringLiteral("1")}});
        return {run.exitCode, run.out.split(u'\n', Qt::SkipEmptyParts), run.err};
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
    // The year's folder, or a server year of its own.
    const QString m_year = testengine::yearLocation(m_program.file(QStringLiteral("2009")));
};

} // namespace

TEST_F(StudentsVerb, BirthdaysFillMonthAndDayAndSayHowMany)
{
    const StudentsRun run = students({QStringLiteral("birthdays"), dataDir()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines, QStringList({QStringLiteral("Esta operação levará alguns segundos... Continua?"),
                                      QStringLiteral("Dia e mês de aniversário atualizados: 2 aluno(s).")}));
    EXPECT_EQ(scalar(QStringLiteral("select ORD || '/' || TM from ALUNOS where MATRICULA = 100")).toString(), QStringLiteral("3/17"));
    EXPECT_TRUE(scalar(QStringLiteral("select ORD from ALUNOS where MATRICULA = 101")).isNull());

    const StudentsRun refused = students({QStringLiteral("birthdays"), dataDir()}, QStringLiteral("errada"));
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Senha não Confere!"))) << refused.err.toStdString();
}

TEST_F(StudentsVerb, TheSpecialListIsExportedIntoTheWorkingFolderAndCleared)
{
    const StudentsRun exported = students({QStringLiteral("marked"), dataDir(), QStringLiteral("--export")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(m_program.read(QStringLiteral("Relacao_Especial.csv")),
              QByteArray("Rela\xe7\xe3o Especial de Alunos\r\nTURMA;MATRICULA;NOME;MARCADO\r\n1G1AM;100;ANA SILVA;1\r\n"));

    const StudentsRun cleared = students({QStringLiteral("marked"), dataDir(), QStringLiteral("--clear")});
    ASSERT_EQ(cleared.exitCode, 0) << cleared.err.toStdString();
    EXPECT_EQ(cleared.lines, QStringList{QStringLiteral("Apagar todas as marcas já feitas. Confirma?")});
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from ALUNOS where MARCADO = 1")).toInt(), 0);

    EXPECT_EQ(students({QStringLiteral("marked"), dataDir()}).exitCode, 2) << "--export or --clear";
}

TEST_F(StudentsVerb, IsolatedSubjectsReportADuplicateAndAddTheRest)
{
    exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome, Esp) values (100, '01', '2G3N', 'ANA SILVA', 3)"));
    const StudentsRun run = students({QStringLiteral("isolated"), dataDir(), QStringLiteral("100"), QStringLiteral("--class"),
                              QStringLiteral("2G3N"), QStringLiteral("01"), QStringLiteral("02")});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    ASSERT_EQ(run.lines.size(), 2) << run.lines.join(u'|').toStdString();
    EXPECT_TRUE(run.lines.at(0).startsWith(QStringLiteral("Erro SQL: Disciplina pode já estar cadastrada. ")));
    EXPECT_EQ(run.lines.at(1), QStringLiteral("Operação concluída . Verifique se as Disciplinas já não estão cadastradas!"));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(DISC) from NOTAS where MATRICULA = 100")).toString(), QStringLiteral("01,02"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from NotasUni3 where MATRICULA = 100 and TURMA = '2G3N'")).toInt(), 2);

    const StudentsRun unknown = students({QStringLiteral("isolated"), dataDir(), QStringLiteral("100"), QStringLiteral("--class"),
                                  QStringLiteral("2G3N"), QStringLiteral("07")});
    EXPECT_NE(unknown.exitCode, 0);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("A disciplina 07 não faz parte da série da turma 2G3N.")))
        << unknown.err.toStdString();
}
