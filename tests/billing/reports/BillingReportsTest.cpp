#include "billing/BillingSchool.h"
#include "billing/reports/BillingReports.h"
#include "billing/reports/ChargeLines.h"
#include "billing/reports/StudentListReport.h"
#include "core/Clock.h"
#include "core/TextFile.h"

#include <QDir>

using namespace billing;

namespace {

// Today is 10/03/2007; the daily interest is 0,05 %.
class BillingReports : public BillingSchool
{
protected:
    void SetUp() override
    {
        BillingSchool::SetUp();
        core::pinClock(QDateTime(QDate(2007, 3, 10), QTime(9, 0)));
        m_db.exec(QStringLiteral("update Usuario set Juros = 0.05"));
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override
    {
        QDir::setCurrent(m_previousDir);
        core::pinClock({});
        BillingSchool::TearDown();
    }

    // A charge of `matricula` in its own class with its own name.
    void charge(qint64 matricula, const QString &tipo, int parcela, const QDate &due, double value,
                const QVariant &paid = QVariant(), double paidValue = 0, double fixed = 0, double occasional = 0,
                double additions = 0)
    {
        addCharge(matricula, tipo, parcela, due, value, paid, QStringLiteral("0"), fixed, occasional, additions, paidValue);
        m_db.exec(QStringLiteral("update CCORRENT set TURMA = (select TURMA from ALUNOS where MATRICULA = :m), "
                                 "NOME = (select NOME from ALUNOS where MATRICULA = :m) where Matricula = :m"),
                  {{"m", double(matricula)}});
    }

    reports::Document build(const char *name, const QList<std::pair<QString, QString>> &answers)
    {
        const reports::ReportEntry *entry = nullptr;
        const QList<reports::ReportEntry> entries = billingReports();
        for (const reports::ReportEntry &e : entries) {
            if (e.name == QLatin1String(name))
                entry = &e;
        }
        EXPECT_NE(entry, nullptr) << name;
        reports::ReportValues values(entry->params);
        for (const auto &[key, value] : answers)
            values.set(key, value, m_db);
        return entry->build({m_db, {}, values});
    }

    static QStringList allTexts(const reports::Document &document)
    {
        QStringList texts;
        for (int p = 0; p < document.pageCount(); ++p)
            texts += document.texts(p);
        return texts;
    }

    QString m_previousDir;
};

BillingChoice choice(const QString &classCode = QString(), const QString &kind = QStringLiteral("Todos"))
{
    BillingChoice c;
    c.classCode = classCode;
    c.kind = kind;
    return c;
}

QStringList namesAndParcels(const QList<ChargeLine> &lines)
{
    QStringList list;
    for (const ChargeLine &l : lines)
        list << l.nome + u'/' + QString::number(l.parcela);
    return list;
}

} // namespace

TEST_F(BillingReports, ADefaulterOwesTheFixedFineAndTheDailyInterestButNoDiscount)
{
    const QDate today(2007, 3, 10);
    charge(1, QStringLiteral("N"), 3, today, 300);                               // due today: not late
    charge(1, QStringLiteral("N"), 2, today.addDays(-1), 300, {}, 0, 30, 10);    // one day late, with discounts
    charge(2, QStringLiteral("N"), 1, today.addDays(-40), 100.10);               // forty days late
    charge(2, QStringLiteral("N"), 2, today.addDays(-20), 100, today, 100);      // paid
    const QList<ChargeLine> lines = defaulterLines(m_db, choice(), today, 0.05, false);
    ASSERT_EQ(namesAndParcels(lines), QStringList({"ANA/2", "BRUNO D'ÁVILA/1"}));
    EXPECT_EQ(lines.at(0).diasAtraso, 1);
    EXPECT_EQ(lines.at(0).cAcrescimos.centavos(), 615);    // 300 x (2 % + 0,05 % x 1)
    EXPECT_EQ(lines.at(0).cValorFinal.centavos(), 30615); // the discounts of 40,00 are left out
    EXPECT_EQ(lines.at(0).descontoFixo.centavos(), 3000);
    EXPECT_EQ(lines.at(1).diasAtraso, 40);
    EXPECT_EQ(lines.at(1).cAcrescimos.centavos(), 400);    // 100,10 x 4 % = 4,004
    EXPECT_EQ(lines.at(1).cValorFinal.centavos(), 10410);
}

TEST_F(BillingReports, TodosKeepsEveryKindAndTheOtherEntriesNarrowIt)
{
    const QDate late(2007, 2, 1);
    charge(1, QStringLiteral("N"), 1, late, 300);
    charge(1, QStringLiteral("1"), 1, late, 50); // school material stays under "Todos"
    charge(1, QStringLiteral("4"), 1, late, 80);
    charge(3, QStringLiteral("N"), 1, late, 412.5);
    const QDate today(2007, 3, 10);
    EXPECT_EQ(defaulterLines(m_db, choice(), today, 0, false).size(), 4);
    EXPECT_EQ(defaulterLines(m_db, choice({}, QStringLiteral("Mensalidade")), today, 0, false).size(), 2);
    const QList<ChargeLine> trips = defaulterLines(m_db, choice({}, QStringLiteral("4-Viagem")), today, 0, false);
    ASSERT_EQ(trips.size(), 1);
    EXPECT_EQ(trips.first().tipo, QStringLiteral("4"));
    EXPECT_EQ(defaulterLines(m_db, choice(QStringLiteral("2G1A")), today, 0, false).size(), 1);
    EXPECT_EQ(kindText(QStringLiteral("1")), QStringLiteral("1-Material Escolar"));
    EXPECT_EQ(kindText(QStringLiteral("N")), QStringLiteral("Mensalidade"));
}

TEST_F(BillingReports, PaymentsInThePeriodAndWithTheBoxTheFeesDueInItOfTheSameClassAndKind)
{
    const QDate from(2007, 3, 1), to(2007, 3, 31);
    charge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300, QDate(2007, 3, 9), 290, 10, 0, 0);
    charge(1, QStringLiteral("N"), 2, QDate(2007, 2, 10), 300, QDate(2007, 3, 20), 306, 0, 0, 6);
    charge(1, QStringLiteral("N"), 1, QDate(2007, 1, 10), 300, QDate(2007, 2, 20), 300);  // paid before
    charge(2, QStringLiteral("N"), 3, QDate(2007, 3, 5), 270);                             // due, unpaid
    charge(3, QStringLiteral("N"), 3, QDate(2007, 3, 30), 412.5);                          // other class, unpaid
    charge(3, QStringLiteral("4"), 3, QDate(2007, 3, 30), 80, QDate(2007, 3, 30), 80);     // other class, paid
    BillingChoice c = choice(QStringLiteral("1G1A"), QStringLiteral("Mensalidade"));
    c.from = from;
    c.to = to;
    EXPECT_EQ(namesAndParcels(paymentLines(m_db, c)), QStringList({"ANA/2", "ANA/3"}));
    c.includeUnpaid = true;
    EXPECT_EQ(namesAndParcels(paymentLines(m_db, c)), QStringList({"ANA/2", "ANA/3", "BRUNO D'ÁVILA/3"}));
    const QList<ChargeLine> lines = paymentLines(m_db, c);
    EXPECT_EQ(lines.at(0).valorDevido.centavos(), 30600); // 300 - 0 + 6
    EXPECT_EQ(lines.at(1).valorDevido.centavos(), 29000); // 300 - 10 + 0
    c.classCode.clear();
    c.kind = QStringLiteral("Todos");
    c.includeUnpaid = false;
    EXPECT_EQ(paymentLines(m_db, c).size(), 3);
    EXPECT_EQ(namesAndParcels(paidLines(m_db, c)), QStringList({"ANA/2", "ANA/3", "CARLA/3"}));
}

TEST_F(BillingReports, ChargesOfOneDueDateComeInKindThenInstalmentOrder)
{
    const QDate due(2007, 2, 10), paid(2007, 3, 9);
    charge(1, QStringLiteral("N"), 2, due, 300, paid, 300);
    charge(1, QStringLiteral("4"), 1, due, 80, paid, 80);
    charge(1, QStringLiteral("1"), 1, due, 50, paid, 50);
    charge(2, QStringLiteral("N"), 5, due, 270);
    charge(2, QStringLiteral("N"), 2, due, 270);
    // Rows changed afterwards: a server keeps a changed row at the end of its table.
    m_db.exec(QStringLiteral("update CCORRENT set Observacao = 'revisto' where Tipo = 'N'"));
    const auto kindsAndParcels = [](const QList<ChargeLine> &lines) {
        QStringList list;
        for (const ChargeLine &l : lines)
            list << QStringLiteral("%1 %2/%3").arg(l.matricula).arg(l.tipo).arg(l.parcela);
        return list;
    };
    BillingChoice c = choice();
    c.from = QDate(2007, 3, 1);
    c.to = QDate(2007, 3, 31);
    EXPECT_EQ(kindsAndParcels(paidLines(m_db, c)), QStringList({"1 1/1", "1 4/1", "1 N/2"}));
    EXPECT_EQ(kindsAndParcels(paymentLines(m_db, c)), QStringList({"1 1/1", "1 4/1", "1 N/2"}));
    EXPECT_EQ(kindsAndParcels(defaulterLines(m_db, c, QDate(2007, 3, 10), 0, false)), QStringList({"2 N/2", "2 N/5"}));
}

TEST_F(BillingReports, RevenueUpToMarchCoversJanuaryToMarch)
{
    charge(1, QStringLiteral("N"), 1, QDate(2007, 1, 10), 300, QDate(2007, 1, 10), 300);
    charge(1, QStringLiteral("N"), 2, QDate(2007, 2, 10), 300, {}, 0, 30, 0);
    charge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300, QDate(2007, 3, 1), 300);
    charge(1, QStringLiteral("N"), 4, QDate(2007, 4, 10), 300);
    charge(3, QStringLiteral("N"), 3, QDate(2007, 3, 10), 412.5);
    m_db.exec(QStringLiteral("update CCORRENT set DescontoEventual = null"));
    BillingChoice c = choice();
    c.month = 3;
    c.upToMonth = true;
    const QList<RevenueLine> perStudent = revenueLines(m_db, c, false);
    ASSERT_EQ(perStudent.size(), 2);
    EXPECT_EQ(perStudent.at(0).nome, QStringLiteral("ANA"));
    EXPECT_EQ(perStudent.at(0).previsto.centavos(), 87000); // 3 x 300 - 30; an empty discount is zero
    EXPECT_EQ(perStudent.at(0).recebido.centavos(), 60000);
    c.upToMonth = false;
    const QList<RevenueLine> march = revenueLines(m_db, c, true);
    ASSERT_EQ(march.size(), 2);
    EXPECT_EQ(march.at(0).turma, QStringLiteral("1G1A"));
    EXPECT_EQ(march.at(0).previsto.centavos(), 30000);
    EXPECT_EQ(march.at(1).previsto.centavos(), 41250);
    EXPECT_EQ(march.at(1).classDescription, QStringLiteral("2ª SÉRIE A"));
}

TEST_F(BillingReports, TheDefaultersByClassPrintTheirSubtotalsTotalsAndFootnote)
{
    const QDate today(2007, 3, 10);
    charge(1, QStringLiteral("N"), 1, today.addDays(-1), 300, {}, 0, 30);
    charge(1, QStringLiteral("N"), 2, today.addDays(-1), 300);
    charge(2, QStringLiteral("4"), 1, today.addDays(-1), 100);
    charge(3, QStringLiteral("N"), 1, today.addDays(-1), 412.5);
    const QStringList texts = allTexts(build("inadimplentes-turma", {}));
    EXPECT_TRUE(texts.contains(QStringLiteral("ALUNOS COM MENSALIDADES/TAXAS ATRASADAS")));
    EXPECT_TRUE(texts.contains(QStringLiteral("ALUNOS COM MENSALIDADES EM ABERTO")));
    EXPECT_TRUE(texts.contains(QStringLiteral("TURMA: 1G1A - 1ª SÉRIE A")));
    EXPECT_EQ(texts.count(QStringLiteral("SubTotal:")), 3);
    EXPECT_TRUE(texts.contains(QStringLiteral("612,30"))); // ANA: 2 x 306,15
    EXPECT_TRUE(texts.contains(QStringLiteral("714,35"))); // class 1G1A: 612,30 + 102,05
    EXPECT_TRUE(texts.contains(QStringLiteral("Quantidade Total de Alunos Relacionados na Turma: 2.")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Quantidade Total de Alunos Relacionados na Turma: 1.")));
    EXPECT_TRUE(texts.contains(kDefaultersFootnote));
    EXPECT_FALSE(QFile::exists(QStringLiteral("Inadimplentes_Turma.csv")));

    const QStringList trips = allTexts(build("inadimplentes-turma", {{"kind", "4-Viagem"}, {"export", "S"}}));
    EXPECT_TRUE(trips.contains(QStringLiteral("ALUNOS COM \"4-Viagem\" EM ABERTO")));
    const QStringList file = *core::readTextLines(QStringLiteral("Inadimplentes_Turma.csv"));
    ASSERT_EQ(file.size(), 3);
    EXPECT_EQ(file.at(0), QStringLiteral("Mensalidades/Taxas Atrasadas por Turma"));
    EXPECT_TRUE(file.at(1).startsWith(QStringLiteral("MATRICULA;NOME;TURMA;PARCELANUM;TIPO;")));
    EXPECT_TRUE(file.at(1).endsWith(QStringLiteral(";CACRESCIMOS;CVALORFINAL")));
    EXPECT_TRUE(file.at(2).startsWith(QStringLiteral("2;BRUNO D'ÁVILA;1G1A;1;4;;09/03/2007;100,00;")));
    EXPECT_TRUE(file.at(2).endsWith(QStringLiteral(";2,05;102,05")));
}

TEST_F(BillingReports, TheCompactListsJoinTheInstalmentsAndShowAmountsOnlyWhenAsked)
{
    const QDate today(2007, 3, 10);
    charge(2, QStringLiteral("N"), 1, today.addDays(-30), 100);
    charge(2, QStringLiteral("N"), 2, today.addDays(-1), 100);
    charge(1, QStringLiteral("N"), 2, today.addDays(-1), 300);
    const QStringList plain = allTexts(build("inadimplentes-geral", {}));
    EXPECT_TRUE(plain.contains(QStringLiteral("ALUNOS COM MENSALIDADES ATRASADAS")));
    EXPECT_TRUE(plain.contains(QStringLiteral("1 - 2")));
    EXPECT_FALSE(plain.contains(QStringLiteral("Total:")));
    const QStringList withValues = allTexts(build("inadimplentes-geral", {{"values", "S"}, {"export", "S"}}));
    EXPECT_TRUE(withValues.contains(QStringLiteral("306,15")));
    EXPECT_TRUE(withValues.contains(QStringLiteral("205,55"))); // 103,50 + 102,05
    EXPECT_TRUE(withValues.contains(QStringLiteral("511,70")));
    EXPECT_EQ(core::readTextLines(QStringLiteral("Inadimplentes_Todos.csv"))->first(),
              QStringLiteral("Alunos com Mensalidades/Taxas atrasadas"));

    charge(1, QStringLiteral("N"), 1, QDate(2007, 1, 10), 300, QDate(2007, 3, 2), 300);
    charge(3, QStringLiteral("N"), 1, QDate(2007, 1, 10), 412.5, QDate(2007, 1, 9), 412.5);
    const QStringList paid = allTexts(build("pagamentos-geral", {{"from", "01/03/2007"}, {"to", "31/03/2007"}, {"values", "S"}, {"export", "S"}}));
    EXPECT_TRUE(paid.contains(QStringLiteral("ALUNOS COM MENSALIDADES PAGAS")));
    EXPECT_TRUE(paid.contains(QStringLiteral("300,00")));
    EXPECT_FALSE(paid.contains(QStringLiteral("CARLA"))); // paid before the period
    EXPECT_EQ(core::readTextLines(QStringLiteral("Pagamentos_Todos.csv"))->first(),
              QStringLiteral("Pagamentos por Aluno no Período: 01/03/2007 a 31/03/2007"));
}

TEST_F(BillingReports, PaymentsAndRevenueReportsCarryTheirTitlesAndTotals)
{
    charge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300, QDate(2007, 3, 9), 290, 10);
    charge(3, QStringLiteral("N"), 3, QDate(2007, 3, 10), 412.5, QDate(2007, 3, 12), 420, 0, 0, 7.5);
    const QStringList payments = allTexts(build("pagamentos-turma", {{"from", "01/03/2007"}, {"to", "31/03/2007"}, {"export", "S"}}));
    EXPECT_TRUE(payments.contains(QStringLiteral("PAGAMENTOS GERAIS NO PERÍODO  (01/03/2007 - 31/03/2007)")));
    EXPECT_TRUE(payments.contains(QStringLiteral("Valor Total Recebido (nesta turma) :")));
    EXPECT_TRUE(payments.contains(QStringLiteral("Valor Total Recebido :")));
    EXPECT_TRUE(payments.contains(QStringLiteral("710,00")));
    const QStringList file = *core::readTextLines(QStringLiteral("Pagamentos_Turma.csv"));
    EXPECT_TRUE(file.first().startsWith(QStringLiteral("MATRICULA;NOME;")));
    EXPECT_EQ(file.size(), 3);
    EXPECT_THROW(build("pagamentos-turma", {{"from", "31/03/2007"}, {"to", "01/03/2007"}}), reports::ReportParamError);

    const QStringList revenue = allTexts(build("receita-turma", {{"month", "3"}, {"until-month", "S"}, {"export", "S"}}));
    EXPECT_TRUE(revenue.contains(QStringLiteral("RECEITA PREVISTA X REALIZADA - Até o mês: MARÇO")));
    EXPECT_TRUE(revenue.contains(QStringLiteral("TOTAL NA TURMA")));
    EXPECT_TRUE(revenue.contains(QStringLiteral("702,50"))); // 290,00 + 412,50 forecast
    EXPECT_EQ(core::readTextLines(QStringLiteral("Receita_Turma.csv"))->first(),
              QStringLiteral("TURMA;TIPO;RECEBIDO;PREVISAO"));
    build("receita-aluno", {{"month", "marÇo"}, {"export", "S"}});
    EXPECT_EQ(core::readTextLines(QStringLiteral("Receita_Aluno_Turma.csv"))->size(), 3);
}
