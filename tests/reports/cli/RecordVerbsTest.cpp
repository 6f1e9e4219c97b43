#include "DemoSchoolVerbs.h"

#include "support/CliProgram.h"
#include "support/QStringPrinting.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The records and class lists of the demo school through lumesco-cli, as a script prints them.
class RecordVerbs : public DemoSchoolVerbs
{
protected:
    static CliRun report(const QStringList &arguments)
    {
        return s_program->run(QStringList{QStringLiteral("report"), dataDir()} + arguments + QStringList{"--dump"},
                              {{QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2026-06-15")}});
    }
    // The dumped texts of every page.
    static QStringList texts(const CliRun &run)
    {
        QStringList found;
        for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList cells = line.split(u'\t');
            if (cells.size() == 5)
                found << cells.at(4);
        }
        return found;
    }
};

TEST_F(RecordVerbs, ClassListMarksTheStudentsListedUnderAnotherClass)
{
    // The demo's 2G3A has students taking a subject in 2G2A.
    const CliRun run = report({QStringLiteral("alunos-turma"), QStringLiteral("--class"), QStringLiteral("2G3A")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList all = texts(run);
    EXPECT_TRUE(all.contains(QStringLiteral("TURMA: 2G2A - 2ª SÉRIE 2º GRAU - TURMA A")));
    EXPECT_FALSE(all.filter(QRegularExpression(QStringLiteral(" \\(\\*\\)$"))).isEmpty());
    EXPECT_TRUE(all.contains(QStringLiteral("(*) Regime de Dependência")));

    const CliRun isolated = report({QStringLiteral("disciplinas-isoladas"), QStringLiteral("--class"), QStringLiteral("2G2A")});
    ASSERT_EQ(isolated.exitCode, 0) << isolated.err.toStdString();
    EXPECT_FALSE(texts(isolated).filter(QStringLiteral("2G3A - ")).isEmpty());

    const CliRun missing = report({QStringLiteral("ata-presenca")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Informe a turma.")));
}

TEST_F(RecordVerbs, IndividualRecordTakesItsRowOptions)
{
    const QStringList base{QStringLiteral("ficha-individual"), QStringLiteral("--class"), QStringLiteral("2G3A")};
    const CliRun consolidated = report(base);
    ASSERT_EQ(consolidated.exitCode, 0) << consolidated.err.toStdString();
    const CliRun every = report(base + QStringList{QStringLiteral("--no-consolidated")});
    ASSERT_EQ(every.exitCode, 0) << every.err.toStdString();
    // Every subject: the parts of the consolidated ones too, and the subject taken in another class.
    EXPECT_FALSE(texts(every).filter(QStringLiteral("(Dep.)")).isEmpty());
    EXPECT_GT(texts(every).size(), texts(consolidated).size());
    EXPECT_TRUE(texts(every).contains(QStringLiteral("Resultado Final: APROVADA")) ||
                texts(every).contains(QStringLiteral("Resultado Final: APROVADO")));
    const CliRun skipped = report(base + QStringList{QStringLiteral("--skip-empty-subjects")});
    EXPECT_EQ(skipped.exitCode, 0) << skipped.err.toStdString();
}

TEST_F(RecordVerbs, FormsDiscountsAndHelp)
{
    const CliRun blank = report({QStringLiteral("ficha-aluno"), QStringLiteral("--blank-page")});
    ASSERT_EQ(blank.exitCode, 0) << blank.err.toStdString();
    EXPECT_TRUE(blank.err.contains(QStringLiteral("FICHA DO ALUNO: 1 página")));
    const CliRun staff = report({QStringLiteral("ficha-funcionario"), QStringLiteral("--staff"), QStringLiteral("1")});
    ASSERT_EQ(staff.exitCode, 0) << staff.err.toStdString();
    const CliRun discounts = report({QStringLiteral("descontos")});
    ASSERT_EQ(discounts.exitCode, 0) << discounts.err.toStdString();
    EXPECT_TRUE(texts(discounts).contains(QStringLiteral("A Receber =")));

    const CliRun help = s_program->run({QStringLiteral("report"), QStringLiteral("--help")});
    for (const char *name : {"ficha-individual", "ficha-aluno", "ficha-funcionario", "alunos-turma", "ata-presenca",
                             "disciplinas-isoladas", "descontos", "--skip-empty-subjects", "--no-consolidated",
                             "--blank-page", "--keep-leavers"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(name))) << name;
}

} // namespace
