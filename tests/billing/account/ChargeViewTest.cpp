// The billing window's views, totals, export, verification stamp and deletion, on a stored
// charge table with the ownership rule.
#include "billing/account/ChargeView.h"
#include "billing/BillingSchool.h"
#include "core/ApplicationTitle.h"
#include "data/store/Transaction.h"

using namespace billing;

namespace {

class ChargeViews : public BillingSchool
{
protected:
    void SetUp() override
    {
        BillingSchool::SetUp();
        addCharge(1, QStringLiteral("N"), 11, QDate(2007, 11, 30), 300);
        addCharge(1, QStringLiteral("N"), 12, QDate(2007, 12, 1), 300, QDate(2007, 12, 5), QStringLiteral("2"),
                  0, 0, 2.5, 302.5);
        addCharge(2, QStringLiteral("N"), 12, QDate(2007, 12, 31), 300, QVariant(), QStringLiteral("0"), 30, 10);
        addCharge(2, QStringLiteral("N"), 1, QDate(2008, 1, 1), 300);
        addCharge(3, QStringLiteral("2"), 1, QDate(2007, 12, 10), 80.1, QDate(2007, 12, 10), QStringLiteral("1"),
                  0, 0, 0, 80.1);
        m_charges->refresh();
    }

    int shown(ChargeView view, const QString &kind = QStringLiteral("Todos"), const QDate &date = QDate(2007, 12, 15),
              const QVariant &student = QVariant())
    {
        applyChargeFilter(*m_charges, viewFilter(kind, view, date, QDate(2007, 12, 20), student));
        return m_charges->recordCount();
    }
};

} // namespace

TEST_F(ChargeViews, KindAndViewFiltersPickTheRows)
{
    EXPECT_EQ(kindFilter(QStringLiteral("Todos")).filtered, false);
    EXPECT_EQ(shown(ChargeView::Todos), 5);
    EXPECT_EQ(shown(ChargeView::Todos, QStringLiteral("Mensalidade")), 4);
    EXPECT_EQ(shown(ChargeView::Todos, QStringLiteral("2-Livros")), 1);
    EXPECT_EQ(shown(ChargeView::NaoPagos), 3);
    EXPECT_EQ(shown(ChargeView::NaoPagos, QStringLiteral("Mensalidade")), 3);
    EXPECT_EQ(shown(ChargeView::ComDesconto), 1);
    EXPECT_EQ(shown(ChargeView::VencimentoEm, QStringLiteral("Todos"), QDate(2007, 12, 31)), 1);
    EXPECT_EQ(shown(ChargeView::PagosDesde, QStringLiteral("Todos"), QDate(2007, 12, 6)), 1);
    EXPECT_EQ(shown(ChargeView::AlunoSelecionado, QStringLiteral("Todos"), QDate(), 2.0), 2);
}

TEST_F(ChargeViews, DecemberMonthRunsToTheFirstOfJanuaryExcluded)
{
    const ChargeFilter f = viewFilter(QStringLiteral("Todos"), ChargeView::VencimentoNoMes, QDate(2007, 12, 15),
                                      QDate(2007, 12, 20), QVariant());
    EXPECT_TRUE(f.expression.contains(QStringLiteral("'01/12/2007'")));
    EXPECT_TRUE(f.expression.contains(QStringLiteral("'01/01/2008'")));
    EXPECT_EQ(shown(ChargeView::VencimentoNoMes), 3); // 01/12, 10/12 and 31/12, not 01/01/2008
    EXPECT_EQ(shown(ChargeView::VencimentoNoMes, QStringLiteral("Todos"), QDate(2007, 11, 2)), 1);
}

TEST_F(ChargeViews, TotalsAreExactSumsOfTheRowsInView)
{
    ChargeTotals totals = totalsInView(*m_charges);
    EXPECT_EQ(totals.parcelaValor, core::Money::fromCentavos(128010));
    EXPECT_EQ(totals.descontoFixo, core::Money::fromCentavos(3000));
    EXPECT_EQ(totals.descontoEventual, core::Money::fromCentavos(1000));
    EXPECT_EQ(totals.acrescimos, core::Money::fromCentavos(250));
    EXPECT_EQ(totals.valorFinal, core::Money::fromCentavos(128010 + 250 - 4000));
    EXPECT_EQ(totals.pgtoValor, core::Money::fromCentavos(38260));
    EXPECT_EQ(totalsPanelTexts(totals).first(), QStringLiteral("Mensalidades: 1.280,10"));
    EXPECT_EQ(m_charges->recNo(), 0);
    EXPECT_FALSE(m_charges->controlsDisabled());

    // Ten thousand dimes make exactly a thousand reais.
    m_db.exec(QStringLiteral("delete from CCORRENT"));
    data::Transaction many(m_db);
    for (int i = 0; i < 10000; ++i)
        addCharge(1, QStringLiteral("9"), i, QDate(2007, 1, 1), 0.1);
    many.commit();
    m_charges->refresh();
    EXPECT_EQ(totalsInView(*m_charges).parcelaValor, core::Money::fromCentavos(100000));

    EXPECT_EQ(shown(ChargeView::ComDesconto, QStringLiteral("Mensalidade")), 0);
    totals = totalsInView(*m_charges);
    for (const QString &panel : totalsPanelTexts(totals))
        EXPECT_TRUE(panel.endsWith(QStringLiteral("0,00"))) << qPrintable(panel);
}

TEST_F(ChargeViews, FinalValueIsValuePlusAdditionsLessBothDiscounts)
{
    m_db.exec(QStringLiteral("delete from CCORRENT"));
    addCharge(1, QStringLiteral("N"), 1, QDate(2007, 1, 10), 100, QVariant(), QStringLiteral("0"), 10, 5, 2);
    m_charges->refresh();
    EXPECT_EQ(totalsInView(*m_charges).valorFinal, core::Money::fromCentavos(8700));
}

TEST_F(ChargeViews, ExportNamesTheFileAfterBothListsAndWritesTheViewAsShown)
{
    EXPECT_EQ(exportFileName(QStringLiteral("Todos"), QStringLiteral("Apenas os NÃO Pagos")),
              QStringLiteral("Tipo de Cobrança_Todos_Filtro_Apenas os NÃO Pagos.csv"));
    shown(ChargeView::Todos, QStringLiteral("2-Livros"));
    const core::SemicolonTable table = exportTable(*m_charges);
    EXPECT_EQ(table.title, QStringLiteral(";;") + QString::fromUtf8(core::kApplicationTitle));
    EXPECT_EQ(table.fieldNames.first(), QStringLiteral("TURMA"));
    EXPECT_TRUE(table.fieldNames.contains(QStringLiteral("PGTODATA")));
    EXPECT_TRUE(table.fieldNames.contains(QStringLiteral("CVALORFINAL")) || !m_charges->hasField("cValorFinal"));
    ASSERT_EQ(table.rows.size(), 1);
    const QStringList row = table.rows.first();
    EXPECT_EQ(row.at(table.fieldNames.indexOf(QStringLiteral("PARCELAVALOR"))), QStringLiteral("80,10"));
    EXPECT_EQ(row.at(table.fieldNames.indexOf(QStringLiteral("PGTODATA"))), QStringLiteral("10/12/2007"));
}

TEST_F(ChargeViews, VerificationStampsTheViewButLeavesSupervisorRowsToTheSupervisor)
{
    asUser(QStringLiteral("CONFERE"), false, true);
    shown(ChargeView::Todos, QStringLiteral("Mensalidade"));
    const QString before = m_charges->filter();
    EXPECT_EQ(verifyCharges(*m_charges), 3);
    EXPECT_EQ(m_charges->filter(), before);
    EXPECT_EQ(count(QStringLiteral("USUARIO = 'CONFERE'")), 3);
    EXPECT_EQ(count(QStringLiteral("STATUS2 = '2'")), 1); // the paid row the supervisor saved

    asUser(QStringLiteral("CHEFE"), true, false);
    shown(ChargeView::Todos);
    EXPECT_EQ(verifyCharges(*m_charges), 5);
    EXPECT_EQ(count(QStringLiteral("USUARIO = 'CHEFE' and STATUS2 = '2'")), 5);
}

TEST_F(ChargeViews, SupervisorLockLastsOnlyWhileTheRowIsPaid)
{
    asUser(QStringLiteral("CHEFE"), true, false);
    m_db.exec(QStringLiteral("update CCORRENT set STATUS2 = '2'"));
    asUser(QStringLiteral("CAIXA"), false, true);
    m_charges->refresh();
    m_charges->first(); // the open November row
    EXPECT_FALSE(m_charges->edit());

    data::releaseOpenCharges(m_db); // the window closes
    m_charges->refresh();
    EXPECT_TRUE(m_charges->locate(QStringLiteral("ParcelaNum;Matricula"), {11, 1.0}));
    EXPECT_TRUE(m_charges->edit());
    m_charges->cancel();
    EXPECT_TRUE(m_charges->locate(QStringLiteral("ParcelaNum;Matricula"), {12, 1.0}));
    EXPECT_FALSE(m_charges->edit()); // paid: still the supervisor's
}

TEST_F(ChargeViews, DeleteAllEmptiesTheTable)
{
    deleteAllCharges(m_db);
    EXPECT_EQ(count(), 0);
}
