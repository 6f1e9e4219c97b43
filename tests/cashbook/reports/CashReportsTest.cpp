#include "cashbook/CashBookFixture.h"
#include "ReportLines.h"

#include "cashbook/CashReports.h"
#include "core/Formats.h"
#include "data/store/Transaction.h"

#include <QDir>

using namespace cashbook;

namespace {

const reports::SchoolInfo kSchool{QStringLiteral("ESCOLA"), {}, {}, {}, {}, QStringLiteral("Lumesco\nCrédito")};

// December 2008 takes in more than it spends, January 2009 spends more, February breaks even;
// November 2008 holds the first movement ever.
class CashReports : public CashBookFixture
{
protected:
    void SetUp() override
    {
        CashBookFixture::SetUp();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path()); // no logo.bmp here
        addChartOfAccounts();
        addMovement(kRevenueKind, 1, 1, QDate(2008, 11, 3), 50, QStringLiteral("PRIMEIRO"));
        addMovement(kRevenueKind, 1, 1, QDate(2008, 12, 12), 1000, QStringLiteral("MENSALIDADES"));
        addMovement(kExpenseKind, 1, 1, QDate(2008, 12, 20), 300, QStringLiteral("FOLHA"), QStringLiteral("000123"));
        addMovement(kRevenueKind, 1, 1, QDate(2009, 1, 5), 200, QStringLiteral("MENSALIDADES"));
        addMovement(kExpenseKind, 2, 1, QDate(2009, 1, 10), 500.5, QStringLiteral("LUZ"));
        addMovement(kExpenseKind, 1, 1, QDate(2009, 2, 5), 100, QStringLiteral("FOLHA"));
        addMovement(kRevenueKind, 1, 1, QDate(2009, 2, 5), 100, QStringLiteral("MENSALIDADES"));
    }
    void TearDown() override
    {
        QDir::setCurrent(m_previous);
        CashBookFixture::TearDown();
    }
    QStringList lines(CashReport report, const Period &period = {}) const
    {
        return printedLines(buildCashReport(report, db(), kSchool, period));
    }
    static Period winter() { return {QDate(2008, 12, 1), QDate(2009, 2, 28)}; }

    QString m_previous;
};

} // namespace

TEST_F(CashReports, GroupsAreListedUnderTheirKind)
{
    const reports::Document document = groupsReport(db(), kSchool);
    EXPECT_EQ(document.title, QStringLiteral("RELAÇÃO DE GRUPOS DE CONTAS"));
    const QStringList all = printedLines(document);
    EXPECT_EQ(linesBetween(all, QStringLiteral("RECEITA"), QStringLiteral("Lumesco")),
              (QStringList{QStringLiteral("RECEITA"), QStringLiteral("1 | MENSALIDADES"), QStringLiteral("DESPESA"),
                           QStringLiteral("1 | PESSOAL"), QStringLiteral("2 | DESPESAS FIXAS")}));
}

TEST_F(CashReports, AccountsAreListedUnderTheGroupOfTheirOwnKind)
{
    addAccount(QStringLiteral("1"), 2, 2, QString()); // an account without a name is left out
    const QStringList all = lines(CashReport::Contas);
    EXPECT_EQ(linesBetween(all, QStringLiteral("Receita"), QStringLiteral("Lumesco")),
              (QStringList{QStringLiteral("Receita"), QStringLiteral("Grupo: | MENSALIDADES"),
                           QStringLiteral("1 | MENSALIDADES ESCOLARES"), QStringLiteral("Despesa"),
                           QStringLiteral("Grupo: | PESSOAL"), QStringLiteral("1 | SALÁRIOS"),
                           QStringLiteral("Grupo: | DESPESAS FIXAS"), QStringLiteral("1 | ENERGIA")}));
}

TEST_F(CashReports, TheMovementCarriesEachMonthsBalanceIntoTheNextAcrossTheYear)
{
    const QStringList all = lines(CashReport::Movimento, winter());
    EXPECT_TRUE(all.contains(QStringLiteral("PERÍODO: 01/12/2008 a 28/02/2009")));
    EXPECT_TRUE(all.contains(QStringLiteral("DOC N.º | DATA | CHEQUE | HISTÓRICO | ENTRADAS | SAÍDAS")));

    EXPECT_EQ(linesBetween(all, QStringLiteral("ANO: 2008  MÊS: DEZEMBRO"), QStringLiteral("ANO: 2009")),
              (QStringList{QStringLiteral("ANO: 2008  MÊS: DEZEMBRO"),
                           QStringLiteral("2 | 12/12/2008 | MENSALIDADES | 1.000,00"),
                           QStringLiteral("3 | 20/12/2008 | 000123 | FOLHA | 300,00"),
                           QStringLiteral("Total | 1.000,00 | 300,00"),
                           QStringLiteral("Saldo do Período | 700,00 | 0.00"),
                           QStringLiteral("( + ) Saldo Mês Anterior | 50,00"),
                           QStringLiteral("( = ) Saldo Atual | 750,00")}));
    // Exits larger than entries: the period's balance goes under SAÍDAS, as a positive amount.
    EXPECT_EQ(linesBetween(all, QStringLiteral("ANO: 2009  MÊS: JANEIRO"), QStringLiteral("ANO: 2009  MÊS: FEV")).mid(3),
              (QStringList{QStringLiteral("Total | 200,00 | 500,50"),
                           QStringLiteral("Saldo do Período | 0.00 | 300,50"),
                           QStringLiteral("( + ) Saldo Mês Anterior | 750,00"),
                           QStringLiteral("( = ) Saldo Atual | 449,50")}));
    EXPECT_EQ(linesBetween(all, QStringLiteral("ANO: 2009  MÊS: FEVEREIRO"), QStringLiteral("Lumesco")).mid(3),
              (QStringList{QStringLiteral("Total | 100,00 | 100,00"),
                           QStringLiteral("Saldo do Período | 0.00 | 0.00"),
                           QStringLiteral("( + ) Saldo Mês Anterior | 449,50"),
                           QStringLiteral("( = ) Saldo Atual | 449,50")}));
}

TEST_F(CashReports, TheFirstMovementEverCarriesNoBalanceAndOneDayIsAPeriod)
{
    const QStringList fromFirst = lines(CashReport::Movimento, {QDate(2008, 11, 3), QDate(2008, 11, 30)});
    EXPECT_TRUE(fromFirst.contains(QStringLiteral("( + ) Saldo Mês Anterior | 0,00")));
    EXPECT_TRUE(fromFirst.contains(QStringLiteral("( = ) Saldo Atual | 50,00")));

    const QStringList oneDay = lines(CashReport::Movimento, {QDate(2009, 2, 5), QDate(2009, 2, 5)});
    EXPECT_TRUE(oneDay.contains(QStringLiteral("PERÍODO: 05/02/2009 a 05/02/2009")));
    EXPECT_EQ(linesBetween(oneDay, QStringLiteral("ANO: 2009"), QStringLiteral("Total")).size(), 3)
        << "the two movements of that day";
    EXPECT_TRUE(oneDay.contains(QStringLiteral("( + ) Saldo Mês Anterior | 449,50")));
}

TEST_F(CashReports, APeriodWithoutMovementsPrintsItsHeadingsAndZeroTotals)
{
    const reports::Document document = movementReport(db(), kSchool, {QDate(2010, 1, 1), QDate(2010, 1, 31)});
    ASSERT_EQ(document.pageCount(), 1);
    const QStringList all = printedLines(document);
    EXPECT_EQ(linesBetween(all, QStringLiteral("Total"), QStringLiteral("Lumesco")),
              (QStringList{QStringLiteral("Total | 0,00 | 0,00"), QStringLiteral("Saldo do Período | 0.00 | 0.00"),
                           QStringLiteral("( + ) Saldo Mês Anterior | 449,50"),
                           QStringLiteral("( = ) Saldo Atual | 449,50")}));
    for (CashReport report : {CashReport::Fluxo, CashReport::ReceitaDespesa}) {
        const QStringList empty = lines(report, {QDate(2010, 1, 1), QDate(2010, 1, 31)});
        EXPECT_TRUE(empty.contains(QStringLiteral("PERÍODO: 01/01/2010 a 31/01/2010"))) << cashReportName(report).toStdString();
        EXPECT_TRUE(empty.contains(QStringLiteral("Total | 0,00 | 0,00"))
                    || empty.contains(QStringLiteral("Total das Receitas = 0,00")))
            << cashReportName(report).toStdString();
    }
}

TEST_F(CashReports, TheCashFlowRunsItsBalanceFromThePreviousOne)
{
    const QStringList all = lines(CashReport::Fluxo, winter());
    EXPECT_TRUE(all.contains(QStringLiteral("DOC N.º | DATA | CHEQUE | HISTÓRICO | ENTRADAS | SAÍDAS | SALDO")));
    EXPECT_EQ(linesBetween(all, QStringLiteral("ANO: 2008"), QStringLiteral("ANO: 2009")),
              (QStringList{QStringLiteral("ANO: 2008  MÊS: DEZEMBRO"), QStringLiteral("Saldo Mês Anterior | 50,00"),
                           QStringLiteral("2 | 12/12/2008 | MENSALIDADES | 1.000,00 | 1.050,00"),
                           QStringLiteral("3 | 20/12/2008 | 000123 | FOLHA | 300,00 | 750,00"),
                           QStringLiteral("Total | 1.000,00 | 300,00")}));
    EXPECT_EQ(linesBetween(all, QStringLiteral("ANO: 2009  MÊS: JANEIRO"), QStringLiteral("Total")),
              (QStringList{QStringLiteral("ANO: 2009  MÊS: JANEIRO"), QStringLiteral("Saldo Mês Anterior | 750,00"),
                           QStringLiteral("4 | 05/01/2009 | MENSALIDADES | 200,00 | 950,00"),
                           QStringLiteral("5 | 10/01/2009 | LUZ | 500,50 | 449,50")}));
}

TEST_F(CashReports, RevenueAndExpenseGroupsEachMonthByGroupAndAccount)
{
    addAccount(QStringLiteral("0"), 1, 2, QStringLiteral("MATRÍCULAS"));
    addMovement(kRevenueKind, 1, 2, QDate(2009, 1, 20), 80.25, QStringLiteral("MATRÍCULA"));
    const QStringList all = lines(CashReport::ReceitaDespesa, winter());
    EXPECT_TRUE(all.contains(QStringLiteral("ACOMPANHAMENTO DE RECEITA E DESPESA")));
    EXPECT_TRUE(all.contains(QStringLiteral("DOC N.º | CHEQUE | DATA | HISTÓRICO | Valor")));
    EXPECT_EQ(linesBetween(all, QStringLiteral("ANO: 2009  MÊS: JANEIRO"), QStringLiteral("ANO: 2009  MÊS: FEV")),
              (QStringList{QStringLiteral("ANO: 2009  MÊS: JANEIRO"),
                           QStringLiteral("Grupo: | MENSALIDADES - RECEITA"),
                           QStringLiteral("Conta: | MENSALIDADES ESCOLARES"),
                           QStringLiteral("4 | 05/01/2009 | MENSALIDADES | 200,00"),
                           QStringLiteral("Total Conta | 200,00"),
                           QStringLiteral("Conta: | MATRÍCULAS"),
                           QStringLiteral("8 | 20/01/2009 | MATRÍCULA | 80,25"),
                           QStringLiteral("Total Conta | 80,25"),
                           QStringLiteral("Total Grupo | 280,25"),
                           QStringLiteral("Grupo: | DESPESAS FIXAS - DESPESA"),
                           QStringLiteral("Conta: | ENERGIA"),
                           QStringLiteral("5 | 10/01/2009 | LUZ | 500,50"),
                           QStringLiteral("Total Conta | 500,50"),
                           QStringLiteral("Total Grupo | 500,50"),
                           QStringLiteral("Total das Receitas = 280,25"),
                           QStringLiteral("Total das Despesas = 500,50"),
                           QStringLiteral("Saldo = -220,25")}));
    // Each month is one block, though the movements are ordered by kind and account within it.
    EXPECT_EQ(all.filter(QStringLiteral("ANO: 2008  MÊS: DEZEMBRO")).size(), 1);
    EXPECT_EQ(all.filter(QStringLiteral("MÊS: JANEIRO")).size(), 1);
}

TEST_F(CashReports, PrintedTotalsOfThousandsOfMovementsEqualTheSumOfTheirCells)
{
    {
        data::Transaction transaction(db());
        for (int i = 0; i < 3000; ++i)
            addMovement(kRevenueKind, 1, 1, QDate(2010, 5, 1 + i % 31), (i % 3 + 1) / 10.0);
        transaction.commit();
    }
    const reports::Document document = movementReport(db(), kSchool, {QDate(2010, 5, 1), QDate(2010, 5, 31)});
    EXPECT_GT(document.pageCount(), 40);
    qint64 cells = 0;
    int rows = 0;
    QString total;
    for (const QString &line : printedLines(document)) {
        const QStringList parts = line.split(QStringLiteral(" | "));
        if (parts.size() == 3 && parts[1].contains(u'/')) {
            cells += core::Money::parse(parts.last())->centavos();
            ++rows;
        } else if (parts.first() == u"Total") {
            total = parts.at(1);
        }
    }
    EXPECT_EQ(rows, 3000);
    EXPECT_EQ(cells, 60000);
    EXPECT_EQ(total, QStringLiteral("600,00"));
}
