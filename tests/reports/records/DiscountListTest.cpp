#include "LetterSchool.h"

#include "reports/records/DiscountList.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class DiscountListTest : public LetterSchool
{
protected:
    void SetUp() override
    {
        LetterSchool::SetUp();
        m_db.exec(QStringLiteral("update Tabturma set Valor_Mensalidade = 300 where TURMA = '1G5A'"));
        m_db.exec(QStringLiteral("update Tabturma set Valor_Mensalidade = 450.5 where TURMA = '1G4A'"));
        addPerson(1, QStringLiteral("BRUNA"), QStringLiteral("1G5A"), QDate(2015, 3, 20));
        addPerson(2, QStringLiteral("ALICE"), QStringLiteral("1G4A"), QDate(2015, 3, 4));
        addPerson(3, QStringLiteral("CAIO"), QStringLiteral("1G4A"), QDate(2015, 3, 4));
        setColumn(1, QStringLiteral("ABAT"), 10);
        setColumn(1, QStringLiteral("IMP"), QStringLiteral("%"));
        setColumn(2, QStringLiteral("ABAT"), 50.25);
        setColumn(2, QStringLiteral("IMP"), QStringLiteral("R"));
    }
};

TEST_F(DiscountListTest, PercentageDiscountOfTheClassFee)
{
    EXPECT_EQ(discountOf(core::Money::fromCentavos(30000), 10, QStringLiteral("%")).centavos(), 3000);
    // A third of a centavo is rounded once.
    EXPECT_EQ(discountOf(core::Money::fromCentavos(10000), 33.3333, QStringLiteral("%")).centavos(), 3333);
    EXPECT_EQ(discountOf(core::Money::fromCentavos(30000), 25.5, QStringLiteral("R")).centavos(), 2550);

    const QList<DiscountRow> rows = discountRows(m_db, QStringLiteral("1G5A"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).percent, QStringLiteral("10%"));
    EXPECT_EQ(rows.at(0).discount.format(), QStringLiteral("30,00"));
    EXPECT_EQ(rows.at(0).finalValue.format(), QStringLiteral("270,00"));
}

TEST_F(DiscountListTest, ListShowsTheAmountsAndTheTotals)
{
    const Document document = discountList(m_db, m_school, QString());
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("ALUNOS COM DESCONTO NA MENSALIDADE")));
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("TURMA: ")),
              (QStringList{"TURMA: 1G4A - 4º ANO A", "TURMA: 1G5A - 5º ANO A"}));
    for (const char *text : {"300,00", "10%", "30,00", "270,00", "450,50", "50,25", "400,25"})
        EXPECT_TRUE(findText(document, 0, QString::fromLatin1(text))) << text;
    EXPECT_FALSE(findText(document, 0, QStringLiteral("CAIO"))); // no discount

    const QStringList texts = document.texts(0);
    const auto after = [&texts](const QString &caption) {
        const qsizetype at = texts.indexOf(caption);
        return at >= 0 && at + 1 < texts.size() ? texts.at(at + 1) : QString();
    };
    EXPECT_EQ(after(QStringLiteral("Total de Alunos com Desconto =")), QStringLiteral("2"));
    EXPECT_EQ(after(QStringLiteral("Total das Mensalidades =")), QStringLiteral("750,50"));
    EXPECT_EQ(after(QStringLiteral("Total do Abatimento =")), QStringLiteral("80,25"));
    EXPECT_EQ(after(QStringLiteral("A Receber =")), QStringLiteral("670,25"));
}

TEST_F(DiscountListTest, OneClassOnly)
{
    const Document document = discountList(m_db, m_school, QStringLiteral("1G4A"));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("BRUNA")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("ALICE")));
    const DiscountTotals totals = discountTotals(discountRows(m_db, QStringLiteral("1G4A")));
    EXPECT_EQ(totals.students, 1);
    EXPECT_EQ(totals.toReceive.centavos(), 40025);
}

} // namespace
