#include "DemoSchoolVerbs.h"

#include "data/store/Database.h"
#include "support/CliProgram.h"
#include "support/QStringPrinting.h"

#include <gtest/gtest.h>

namespace {

// The demo school through lumesco-cli, as a script prints its cards.
class ReportCardVerbs : public DemoSchoolVerbs
{
protected:
    static CliRun report(const QStringList &arguments)
    {
        return s_program->run(QStringList{QStringLiteral("report"), dataDir()} + arguments);
    }
};

TEST_F(ReportCardVerbs, CardsRefreshTheRankingAndDumpEveryItem)
{
    data::Database::open(dataDir()).exec(QStringLiteral("delete from posicao"));
    const CliRun cards = report({QStringLiteral("boletim"), QStringLiteral("--param"), QStringLiteral("class=1G5A"),
                                 QStringLiteral("--param"), QStringLiteral("result=final"), QStringLiteral("--dump")});
    ASSERT_EQ(cards.exitCode, 0) << cards.err.toStdString();
    EXPECT_TRUE(cards.err.contains(QStringLiteral("Certifique-se de atualizar o arquivo")));
    EXPECT_TRUE(cards.err.contains(QStringLiteral("BoletimB: ")));
    EXPECT_GT(data::Database::open(dataDir()).scalar(QStringLiteral("select count(*) from posicao")).toInt(), 0);
    const QStringList lines = cards.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    // page, x, y, kind and style, text
    EXPECT_EQ(lines.first().split(u'\t').size(), 5);
    EXPECT_FALSE(lines.filter(QStringLiteral("\tBOLETIM")).isEmpty());
    EXPECT_FALSE(lines.filter(QStringLiteral("Resultado Final: ")).isEmpty());
    EXPECT_FALSE(lines.filter(QStringLiteral("italic center #ff0000\t* ")).isEmpty()); // below the pass mark

    // The options by their own names, the photograph a bare flag.
    const CliRun photo = report({QStringLiteral("boletim"), QStringLiteral("--class"), QStringLiteral("1G5A"),
                                 QStringLiteral("--photo"), QStringLiteral("--unit"), QStringLiteral("anual")});
    ASSERT_EQ(photo.exitCode, 0) << photo.err.toStdString();
    EXPECT_TRUE(photo.err.contains(QStringLiteral("Boletim: ")));

    const CliRun wrong = report({QStringLiteral("boletim"), QStringLiteral("--param"), QStringLiteral("recovery-limit=31")});
    EXPECT_EQ(wrong.exitCode, 2);
}

TEST_F(ReportCardVerbs, ClassificationOfAGroup)
{
    const CliRun list = report({QStringLiteral("classificacao"), QStringLiteral("--param"), QStringLiteral("scope=1g-menor"),
                                QStringLiteral("--param"), QStringLiteral("measure=geral"), QStringLiteral("--dump")});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.contains(QStringLiteral("CLASSIFICAÇÃO GERAL - Geral")));
    EXPECT_TRUE(list.out.contains(QStringLiteral("\t1.\n")));
}

} // namespace
