#include "DemoSchoolVerbs.h"

#include "data/store/Database.h"
#include "support/CliProgram.h"
#include "support/QStringPrinting.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// The labels, lists and letters of the demo school through lumesco-cli, as a script prints them.
class LetterVerbs : public DemoSchoolVerbs
{
protected:
    static CliRun report(const QStringList &arguments)
    {
        return s_program->run(QStringList{QStringLiteral("report"), dataDir()} + arguments,
                              {{QStringLiteral("LUMESCO_NO_SHELL"), QStringLiteral("1")},
                               {QStringLiteral("LUMESCO_TODAY"), QStringLiteral("2026-06-15")}});
    }
    // The dumped items of page 1 whose text is `text`: "x<TAB>y".
    static QStringList positions(const CliRun &run, const QString &text)
    {
        QStringList found;
        for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList cells = line.split(u'\t');
            if (cells.size() == 5 && cells.at(0) == u"1" && cells.at(4) == text)
                found << cells.at(1) + u'\t' + cells.at(2);
        }
        return found;
    }
};

TEST_F(LetterVerbs, LabelsLandOnTheSheetsGridInTenthsOfAMillimetre)
{
    const CliRun sheet = report({QStringLiteral("etiquetas"), QStringLiteral("--class"), QStringLiteral("1G1A"),
                                 QStringLiteral("--columns"), QStringLiteral("2"), QStringLiteral("--margin"),
                                 QStringLiteral("3"), QStringLiteral("--spacing"), QStringLiteral("2"),
                                 QStringLiteral("--border"), QStringLiteral("--dump")});
    ASSERT_EQ(sheet.exitCode, 0) << sheet.err.toStdString();
    // Label frames: 99,1 x 38,1 mm from 4,7 + 3 mm, 101,6 mm apart, rows 38,1 + 2 mm apart.
    const QStringList frames = sheet.out.split(u'\n').filter(QStringLiteral("rect 991x381"));
    ASSERT_GE(frames.size(), 3);
    EXPECT_TRUE(frames.at(0).startsWith(QStringLiteral("1\t77\t151\t"))) << frames.at(0).toStdString();
    EXPECT_TRUE(frames.at(1).startsWith(QStringLiteral("1\t1093\t151\t"))) << frames.at(1).toStdString();
    EXPECT_TRUE(frames.at(2).startsWith(QStringLiteral("1\t77\t552\t"))) << frames.at(2).toStdString();
    EXPECT_TRUE(frames.at(0).contains(QStringLiteral("#c0c0c0")));

    const CliRun wrong = report({QStringLiteral("etiquetas"), QStringLiteral("--columns"), QStringLiteral("5")});
    EXPECT_EQ(wrong.exitCode, 2);
    const CliRun unknown = report({QStringLiteral("etiquetas"), QStringLiteral("--situation"), QStringLiteral("alguns")});
    EXPECT_EQ(unknown.exitCode, 2);
}

TEST_F(LetterVerbs, BirthdaysExportTheMonthsFile)
{
    const CliRun list = report({QStringLiteral("aniversariantes"), QStringLiteral("--month"), QStringLiteral("3"),
                                QStringLiteral("--export"), QStringLiteral("--dump")});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_EQ(positions(list, QStringLiteral("ANIVERSARIANTES DO MÊS DE MARÇO")).size(), 1);
    EXPECT_TRUE(QFile::exists(s_program->file(QStringLiteral("Alunos Aniversariantes em Março.csv"))));
    const CliRun staff = report({QStringLiteral("aniversariantes-funcionarios"), QStringLiteral("--month"), QStringLiteral("5")});
    EXPECT_EQ(staff.exitCode, 0) << staff.err.toStdString();
}

TEST_F(LetterVerbs, DeclarationAndNoticeFromTheCommandLine)
{
    const QString cpf = data::Database::open(dataDir())
                            .scalar(QStringLiteral("select CPF_MAE from ALUNOS order by MATRICULA"))
                            .toString();
    const CliRun declaration = report({QStringLiteral("declaracao-ir"), QStringLiteral("--cpf"), cpf, QStringLiteral("--as"),
                                       QStringLiteral("mae"), QStringLiteral("--dump")});
    ASSERT_EQ(declaration.exitCode, 0) << declaration.err.toStdString();
    EXPECT_EQ(positions(declaration, QStringLiteral("Total Pago no Ano")).size(), 1);
    EXPECT_TRUE(QFile::exists(s_program->file(QStringLiteral("declara.txt"))));
    const CliRun nobody = report({QStringLiteral("declaracao-ir"), QStringLiteral("--cpf"), QStringLiteral("000.000.000-00")});
    EXPECT_EQ(nobody.exitCode, 2);
    EXPECT_TRUE(nobody.err.contains(QStringLiteral("Não há registro para este CPF.")));

    const CliRun notice = report({QStringLiteral("aviso"), QStringLiteral("--date"), QStringLiteral("15/06/2026"),
                                  QStringLiteral("--no-letterhead"), QStringLiteral("--no-values"), QStringLiteral("--dump")});
    ASSERT_EQ(notice.exitCode, 0) << notice.err.toStdString();
    EXPECT_TRUE(notice.out.contains(QStringLiteral("Prezado(a) Senhor(a),  ")));
    EXPECT_FALSE(notice.out.contains(QStringLiteral("\tCOMUNICADO\n")));
    EXPECT_TRUE(QFile::exists(s_program->file(QStringLiteral("aviso.txt"))));
}

} // namespace
