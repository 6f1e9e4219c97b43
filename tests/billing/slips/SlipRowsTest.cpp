#include "billing/BillingSchool.h"
#include "support/QStringPrinting.h"
#include "billing/slips/SlipRows.h"

using namespace billing;

namespace {

class SlipRows : public BillingSchool
{
protected:
    void SetUp() override
    {
        BillingSchool::SetUp();
        m_db.exec(QStringLiteral("update ALUNOS set NOME_RESP = 'RESP ' || NOME"));
        m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, SIT) values (8, 'ABEL', '2G1A', 'D')"));
        for (qint64 m : {1, 2, 3, 4, 5, 6, 7, 8}) {
            addCharge(m, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
            addCharge(m, QStringLiteral("N"), 4, QDate(2007, 4, 10), 300);
        }
        addCharge(1, QStringLiteral("4"), 1, QDate(2007, 3, 10), 80);
        addCharge(2, QStringLiteral("0"), 1, QDate(2007, 1, 5), 150);
    }

    QStringList picked(const BoletoChoices &choices) const
    {
        QStringList lines;
        for (const SlipRow &r : selectSlipRows(m_db, choices))
            lines << QStringLiteral("%1 %2 %3 %4").arg(r.matricula).arg(r.tipo).arg(r.mes).arg(r.turma);
        return lines;
    }

    static BoletoChoices months(int from, int to, const QString &kind)
    {
        BoletoChoices c;
        c.fromMonth = from;
        c.toMonth = to;
        c.kind = kind;
        return c;
    }
};

} // namespace

TEST_F(SlipRows, MonthsAndKindPickTheChargesInClassNameAndDueDateOrder)
{
    // Monthly fees of March: the students still enrolled (a blank situation and "I" are),
    // by class then name; FABIO's class has no row in the class table, so he has no slip.
    EXPECT_EQ(picked(months(3, 3, QStringLiteral("Mensalidade"))),
              (QStringList{"1 N 3 1G1A", "2 N 3 1G1A", "3 N 3 2G1A", "7 N 3 2G1A"}));
    EXPECT_EQ(picked(months(3, 4, QStringLiteral("4-Viagem"))), (QStringList{"1 4 3 1G1A"}));
    // Every kind: the enrolment fee of January comes first for BRUNO.
    EXPECT_EQ(picked(months(1, 3, QStringLiteral("Todos"))),
              (QStringList{"1 N 3 1G1A", "1 4 3 1G1A", "2 0 1 1G1A", "2 N 3 1G1A", "3 N 3 2G1A", "7 N 3 2G1A"}));
    EXPECT_TRUE(picked(months(5, 12, QStringLiteral("Todos"))).isEmpty());
}

TEST_F(SlipRows, NamesakesOfAClassGetTheirSlipsOneStudentAfterTheOther)
{
    // A second ANA in ANA's class, and ANA's rows changed afterwards (a server keeps a changed
    // row at the end of its table).
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (10, 'ANA', '1G1A')"));
    addCharge(10, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
    addCharge(10, QStringLiteral("N"), 4, QDate(2007, 4, 10), 300);
    m_db.exec(QStringLiteral("update ALUNOS set NOME_RESP = 'MARIA' where MATRICULA = 1"));
    m_db.exec(QStringLiteral("update CCORRENT set DescontoFixo = 10 where Matricula = 1 and Tipo = 'N'"));
    // Charges of one due date in the order they were written.
    EXPECT_EQ(picked(months(1, 4, QStringLiteral("Todos"))),
              (QStringList{"1 N 3 1G1A", "1 4 3 1G1A", "1 N 4 1G1A", "10 N 3 1G1A", "10 N 4 1G1A", "2 0 1 1G1A",
                           "2 N 3 1G1A", "2 N 4 1G1A", "3 N 3 2G1A", "3 N 4 2G1A", "7 N 3 2G1A", "7 N 4 2G1A"}));
}

TEST_F(SlipRows, AClassOrAListOfNumbersNarrowsTheStudents)
{
    BoletoChoices c = months(4, 4, QStringLiteral("Mensalidade"));
    c.students.kind = StudentSelection::Kind::Class;
    c.students.classCode = QStringLiteral("2G1A");
    EXPECT_EQ(picked(c), (QStringList{"3 N 4 2G1A", "7 N 4 2G1A"}));
    // A name with a quote is a value like any other.
    c.students.classCode = QStringLiteral("2G'1A");
    EXPECT_TRUE(picked(c).isEmpty());

    c.students.kind = StudentSelection::Kind::List;
    c.students.numbers = {7, 4, 2};
    EXPECT_EQ(picked(c), (QStringList{"2 N 4 1G1A", "7 N 4 2G1A"})); // 4 transferred
    c.students.numbers.clear();
    EXPECT_TRUE(picked(c).isEmpty());
}

TEST_F(SlipRows, ARowCarriesEverythingTheSlipPrints)
{
    m_db.exec(QStringLiteral("update CCORRENT set DescontoFixo = 10, DescontoEventual = 5.5, Acrescimos = 1.25, "
                             "NossoNum = 99 where Matricula = 3 and ParcelaNum = 3"));
    const QList<SlipRow> rows = selectChargeRows(m_db, 3, QDate(2007, 3, 10));
    ASSERT_EQ(rows.size(), 1);
    const SlipRow &r = rows[0];
    EXPECT_EQ(r.nome, "CARLA");
    EXPECT_EQ(r.nomeResp, "RESP CARLA");
    EXPECT_EQ(r.descricao, QStringLiteral("2ª SÉRIE A"));
    EXPECT_EQ(r.parcelaValor.centavos(), 30000);
    EXPECT_EQ(r.descontoFixo.centavos(), 1000);
    EXPECT_EQ(r.descontoEventual.centavos(), 550);
    EXPECT_EQ(r.acrescimos.centavos(), 125);
    EXPECT_EQ(r.nossoNum, 99);
    EXPECT_FALSE(r.pgtoData.isValid());
}

TEST_F(SlipRows, TheSlipNumberIsStoredOnlyInTheRowOfItsKind)
{
    const QList<SlipRow> rows = selectChargeRows(m_db, 1, QDate(2007, 3, 10));
    ASSERT_EQ(rows.size(), 2); // the fee and the trip, due the same day
    EXPECT_EQ(slipNumber(rows[0].matricula, rows[0].parcelaData), slipNumber(rows[1].matricula, rows[1].parcelaData));
    const SlipRow trip = rows[0].tipo == u"4" ? rows[0] : rows[1];
    storeSlipNumber(m_db, trip);
    EXPECT_EQ(count(QStringLiteral("NossoNum = 120070310")), 1);
    EXPECT_EQ(count(QStringLiteral("NossoNum = 120070310 and Tipo = '4'")), 1);
    // Again: the same number, still one row.
    storeSlipNumber(m_db, trip);
    EXPECT_EQ(count(QStringLiteral("NossoNum = 120070310")), 1);
    EXPECT_EQ(count(QStringLiteral("NossoNum is not null")), 1);
}

TEST(SlipKind, TheKindOfTheChoiceIsItsCode)
{
    EXPECT_EQ(slipKindCode(QStringLiteral("Todos")), QString());
    EXPECT_EQ(slipKindCode(QStringLiteral("Mensalidade")), QStringLiteral("N"));
    EXPECT_EQ(slipKindCode(QStringLiteral("7-Disciplina Extra")), QStringLiteral("7"));
}
