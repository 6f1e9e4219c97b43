// classes, teachers and students import run the structure windows' commands as a script runs
// them: a real program folder, a real process, the window's messages one per line on standard
// output.

#include "core/TextFile.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"

#include "support/QStringPrinting.h"
#include "support/CliProgram.h"
#include "support/TestEngine.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class StructureVerbs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("list")}).exitCode, 0);
        m_program.setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("PROF"), QStringLiteral("--rights"),
                       QStringLiteral("Notas")},
                      QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"))
                      .exitCode,
                  0);
        m_program.setPassword(QStringLiteral("PROF"), QStringLiteral("prof"));
        const data::Database db = data::createSchoolYear(dataDir(), QStringLiteral("2009"));
        for (const char *sql :
             {"insert into Tabturma (TURMA, DESCRICAO) values ('1G1A', '1ª SÉRIE A'), ('1G1B', '1ª SÉRIE B'), "
              "('1G2A', '2ª SÉRIE A')",
              "insert into DISCPL (CODIGO, DESCRICAO) values ('01', 'PORTUGUÊS'), ('02', 'MATEMÁTICA'), ('03', 'ARTES')",
              "insert into Discturm (SERIE, CODIGO) values ('1G1', '01')",
              "insert into NOTAS (MATRICULA, DISC, Turma) values (1, '01', '1G1A'), (2, '01', '1G1B')",
              "insert into Funcionarios (MATRICULA, NOME, FUNCAO) values (7, 'CARLA MENDES', 'PROFESSORA'), "
              "(8, 'JOÃO', 'PORTEIRO')"})
            db.exec(QString::fromUtf8(sql));
        data::Database::closeAll();
    }

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
                                         {QStringLiteral("LUMESCO_PASSWORD"), password},
                                         {QStringLiteral("LUMESCO_NO_SHELL"), QStringLiteral("1")}});
    }
    CliRun asSupervisor(const QStringList &arguments)
    {
        return cli(arguments, QStringLiteral("SUPERVISOR"), QStringLiteral("segredo"));
    }
    QStringList rows(const QString &sql)
    {
        QStringList list;
        {
            const data::Database db = data::Database::open(dataDir());
            const int n = db.scalar(QStringLiteral("select count(*) from (%1)").arg(sql)).toInt();
            for (int i = 0; i < n; ++i)
                list += db.scalar(sql + QStringLiteral(" limit 1 offset %1").arg(i)).toString();
        }
        data::Database::closeAll();
        return list;
    }

    CliProgram m_program{QStringLiteral(LUMESCO_CLI)};
    // The year's folder, or a server year of its own.
    const QString m_year = testengine::yearLocation(m_program.file(QStringLiteral("2009")));
};

} // namespace

TEST_F(StructureVerbs, ClassSubjectsStopAtTheFirstSubjectAlreadyInTheGrade)
{
    const CliRun added = asSupervisor({QStringLiteral("classes"), QStringLiteral("subjects"), dataDir(),
                                       QStringLiteral("1G1B"), QStringLiteral("02"), QStringLiteral("01"), QStringLiteral("03")});
    EXPECT_EQ(added.exitCode, 1);
    EXPECT_EQ(added.out, QStringLiteral("Disciplina 01 PORTUGUÊS não pode ser gravada. Verifique se ele já está cadastrada.\n"));
    EXPECT_EQ(rows(QStringLiteral("select SERIE || CODIGO from Discturm order by 1")), (QStringList{"1G101", "1G102"}));

    const CliRun unknown = asSupervisor({QStringLiteral("classes"), QStringLiteral("subjects"), dataDir(),
                                         QStringLiteral("1G2A"), QStringLiteral("03"), QStringLiteral("99")});
    EXPECT_NE(unknown.exitCode, 0);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Disciplina 99 não existe"))) << unknown.err.toStdString();

    const CliRun byProf = cli({QStringLiteral("classes"), QStringLiteral("subjects"), dataDir(), QStringLiteral("1G2A"),
                               QStringLiteral("03")},
                              QStringLiteral("PROF"), QStringLiteral("prof"));
    EXPECT_EQ(byProf.exitCode, 1) << "the subject tables are read-only without the Tabelas right";
    EXPECT_EQ(byProf.out, QStringLiteral("Disciplina 03 ARTES não pode ser gravada. Verifique se ele já está cadastrada.\n"));

    const CliRun grade2 = asSupervisor({QStringLiteral("classes"), QStringLiteral("subjects"), dataDir(),
                                        QStringLiteral("1G2A"), QStringLiteral("03")});
    EXPECT_EQ(grade2.exitCode, 0) << grade2.err.toStdString();
    EXPECT_TRUE(grade2.out.isEmpty());
    EXPECT_EQ(rows(QStringLiteral("select SERIE || CODIGO from Discturm order by 1")),
              (QStringList{"1G101", "1G102", "1G203"}));
}

TEST_F(StructureVerbs, TeacherAssignmentsAskPerClassAndExport)
{
    const QStringList assign{QStringLiteral("teachers"), QStringLiteral("assign"), dataDir(), QStringLiteral("7"),
                             QStringLiteral("01"), QStringLiteral("1G1A"), QStringLiteral("1G1B")};
    const QString questions = QStringLiteral("7 CARLA MENDES leciona 01 PORTUGUÊS na Turma 1G1A 1ª SÉRIE A?\n"
                                             "7 CARLA MENDES leciona 01 PORTUGUÊS na Turma 1G1B 1ª SÉRIE B?\n");
    const CliRun no = asSupervisor(assign);
    EXPECT_EQ(no.exitCode, 0) << no.err.toStdString();
    EXPECT_EQ(no.out, questions);
    EXPECT_TRUE(rows(QStringLiteral("select TURMA from DiscProf")).isEmpty());

    const CliRun yes = asSupervisor(assign + QStringList{QStringLiteral("--yes")});
    EXPECT_EQ(yes.exitCode, 0) << yes.err.toStdString();
    EXPECT_EQ(yes.out, questions);
    const CliRun again = asSupervisor(assign + QStringList{QStringLiteral("--yes")});
    EXPECT_EQ(again.exitCode, 0) << "a repeated assignment is dropped without a word";
    EXPECT_EQ(rows(QStringLiteral("select cast(MATRICULA as integer) || NOME || DISCPL_COD || TURMA from DiscProf order by TURMA")),
              (QStringList{"7CARLA MENDES011G1A", "7CARLA MENDES011G1B"}));

    const CliRun notATeacher = asSupervisor({QStringLiteral("teachers"), QStringLiteral("assign"), dataDir(),
                                             QStringLiteral("8"), QStringLiteral("01"), QStringLiteral("1G1A")});
    EXPECT_NE(notATeacher.exitCode, 0);
    const CliRun noGrades = asSupervisor({QStringLiteral("teachers"), QStringLiteral("assign"), dataDir(),
                                          QStringLiteral("7"), QStringLiteral("01"), QStringLiteral("1G2A")});
    EXPECT_NE(noGrades.exitCode, 0) << "only classes with grade rows are offered";

    const CliRun exported = cli({QStringLiteral("teachers"), QStringLiteral("export"), dataDir()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const QStringList expected{"Relação de Professores x Turma x Disciplinas ", "MATRICULA;NOME;TURMA;CDISCIPLINA",
                               "7;CARLA MENDES;1G1A;01 - PORTUGUÊS", "7;CARLA MENDES;1G1B;01 - PORTUGUÊS"};
    EXPECT_EQ(exported.out, expected.join(u'\n') + u'\n');
    EXPECT_EQ(core::readTextLines(m_program.file(QStringLiteral("Professores_Turma_Disciplinas.csv"))).value_or(QStringList()), expected);
}

TEST_F(StructureVerbs, StudentImportAnswersYesAndPrintsEveryMessage)
{
    // Last year's register is a table file (a folder's year) on both engines.
    const QString lastYear = m_program.file(QStringLiteral("2008"));
    {
        const data::Database db = data::createSchoolYear(lastYear, QStringLiteral("2008"));
        db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G8M'), "
                               "(2, 'BIA', 'JD2A'), (3, 'CAIO', '2G3N')"));
    }
    data::Database::closeAll();
    const QStringList import{QStringLiteral("students"), QStringLiteral("import"), dataDir(), lastYear};
    const QString question = QStringLiteral("Este procedimento irá apagar todos os registros do Cadastro de Alunos e os "
                                            "importará de outro arquivo. Este procedimento deverá ser feito, "
                                            "normalmente, uma única vez. Desejar continuar?\n");

    const CliRun both = asSupervisor(import + QStringList{QStringLiteral("--migrate"), QStringLiteral("--adapted")});
    EXPECT_EQ(both.exitCode, 2);

    const CliRun byProf = cli(import, QStringLiteral("PROF"), QStringLiteral("prof"));
    EXPECT_EQ(byProf.exitCode, 1) << "the register needs the Alunos right";
    EXPECT_EQ(byProf.out, question + QStringLiteral("Erro ao tentar apagar registros em ALUNOS.DB. Não será possível continuar.\n"));

    const CliRun kept = asSupervisor(import + QStringList{QStringLiteral("--keep-classes")});
    EXPECT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_EQ(kept.out, question);
    EXPECT_EQ(rows(QStringLiteral("select TURMA from ALUNOS order by MATRICULA")), (QStringList{"1G8M", "JD2A", "2G3N"}));
    EXPECT_EQ(rows(QStringLiteral("select count(*) from NOTAS")), QStringList{"2"});

    const CliRun migrated = asSupervisor(import + QStringList{QStringLiteral("--migrate")});
    EXPECT_EQ(migrated.exitCode, 0) << migrated.err.toStdString();
    EXPECT_EQ(migrated.out, question + QStringLiteral(
                                "A importação foi concluída. O próximo passo será limpar os dados das tabelas de Carnês, "
                                "Movimento Financeiro e Notas.\n"
                                "Tabela de Carnês - Limpa - OK\nTabela de Notas - Limpa - OK\nTabela de Unidae 1 - Limpa - OK\n"
                                "Tabela de Unidade 2 - Limpa - OK\nTabela de Unidade 3 - Limpa - OK\n"
                                "Tabela de Unidade 4 - Limpa - OK\nMovimento Financeiro - OK\n"
                                "Processo de Importação Concluído.\n"));
    EXPECT_EQ(rows(QStringLiteral("select TURMA || coalesce(SIT, '') from ALUNOS order by MATRICULA")),
              (QStringList{"2G1M", "1G1A", "2G3NT"}));
    EXPECT_EQ(rows(QStringLiteral("select count(*) from NOTAS")), QStringList{"0"});

    const CliRun notATable = asSupervisor({QStringLiteral("students"), QStringLiteral("import"), dataDir(),
                                           m_program.file(QStringLiteral("nada.dbf"))});
    EXPECT_EQ(notATable.exitCode, 1);
    EXPECT_TRUE(notATable.out.endsWith(QStringLiteral("Erro ao tentar abrir a tabela. Verifique se este é um arquivo "
                                                      "válido ou se já não está sendo usado.\n")))
        << notATable.out.toStdString();
}
