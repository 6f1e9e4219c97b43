// Receiving a payment: days of delay, fine and interest in exact centavos, the payment-date rule,
// who may receive, and the write into the row (or nothing at all when it fails).
#include "billing/account/PaymentCalculation.h"
#include "billing/BillingSchool.h"
#include "core/Formats.h"

using namespace billing;

namespace {

PaymentInputs example()
{
    PaymentInputs in;
    in.due = QDate(2007, 3, 10);
    in.paid = QDate(2007, 3, 15);
    in.value = QStringLiteral("300,00");
    in.discount = QStringLiteral("30,00");
    in.fine = QStringLiteral("0,0");
    in.interest = QStringLiteral("0,03");
    return in;
}

} // namespace

TEST(PaymentCalculation, WorkedExampleWithFineResetAndTypedBack)
{
    PaymentInputs in = example();
    PaymentResult r = computePayment(in);
    EXPECT_EQ(r.days, 4);
    EXPECT_EQ(plainAmount(r.additions), QStringLiteral("0,36"));
    EXPECT_EQ(plainAmount(r.amount), QStringLiteral("300,36"));

    in.fine = QStringLiteral("2,0");
    r = computePayment(in);
    EXPECT_EQ(plainAmount(r.additions), QStringLiteral("6,36"));
    EXPECT_EQ(plainAmount(r.amount), QStringLiteral("306,36"));
    // No thousands separator in the dialog's boxes.
    EXPECT_EQ(plainAmount(core::Money::fromCentavos(123456789)), QStringLiteral("1234567,89"));
}

TEST(PaymentCalculation, DayCountingAtTheEdges)
{
    PaymentInputs in = example();
    in.fine = QStringLiteral("2,0");

    in.paid = QDate(2007, 3, 11); // one day late, payment day not counted
    PaymentResult r = computePayment(in);
    EXPECT_EQ(r.days, 0);
    EXPECT_TRUE(r.additions.isZero());
    EXPECT_EQ(plainAmount(r.amount), QStringLiteral("300,00"));

    in.paid = in.due; // on the due date, payment day counted: fine and one day of interest
    in.includePaymentDay = true;
    r = computePayment(in);
    EXPECT_EQ(r.days, 1);
    EXPECT_EQ(plainAmount(r.additions), QStringLiteral("6,09"));

    in.paid = QDate(2007, 2, 1); // early: the negative count is floored
    in.includePaymentDay = false;
    in.grantDiscount = paymentDateEffect(in.due, in.paid).discountGranted;
    r = computePayment(in);
    EXPECT_EQ(r.days, 0);
    EXPECT_EQ(plainAmount(r.amount), QStringLiteral("270,00"));

    // Across a year's end.
    EXPECT_EQ(delayDays(QDate(2007, 12, 30), QDate(2008, 1, 2), false), 2);
}

TEST(PaymentCalculation, PaymentDateDecidesFineAndDiscountBox)
{
    const QDate due(2007, 3, 10);
    const PaymentDateEffect late = paymentDateEffect(due, due.addDays(1));
    EXPECT_TRUE(late.resetFine);
    EXPECT_TRUE(late.discountBoxVisible);
    EXPECT_FALSE(late.discountGranted);
    for (const QDate &paid : {due, due.addDays(-3)}) {
        const PaymentDateEffect onTime = paymentDateEffect(due, paid);
        EXPECT_FALSE(onTime.resetFine);
        EXPECT_FALSE(onTime.discountBoxVisible);
        EXPECT_TRUE(onTime.discountGranted);
    }
}

TEST(PaymentCalculation, RoundsOnceHalfAwayFromZeroAtTheCentavo)
{
    PaymentInputs in = example();
    in.value = QStringLiteral("0,50");
    in.fine = QStringLiteral("1,0");
    in.interest = QStringLiteral("0");
    in.paid = in.due.addDays(2);
    EXPECT_EQ(plainAmount(computePayment(in).additions), QStringLiteral("0,01")); // half a centavo

    // 1.234,55 x 0,03 % x 7 days = 2,592555: one rounding of the product, not of each day.
    in.value = QStringLiteral("1.234,55");
    in.fine = QStringLiteral("0");
    in.interest = QStringLiteral("0,03");
    in.paid = in.due.addDays(8);
    const PaymentResult r = computePayment(in);
    EXPECT_EQ(r.days, 7);
    EXPECT_EQ(plainAmount(r.additions), QStringLiteral("2,59"));
    EXPECT_EQ(plainAmount(r.amount), QStringLiteral("1237,14"));
}

TEST(PaymentCalculation, MalformedNumberComputesNothing)
{
    for (const char *field : {"value", "discount", "fine", "interest"}) {
        PaymentInputs in = example();
        QString &box = QLatin1String(field) == u"value"      ? in.value
                     : QLatin1String(field) == u"discount" ? in.discount
                     : QLatin1String(field) == u"fine"     ? in.fine
                                                           : in.interest;
        box = QStringLiteral("3O,00");
        try {
            computePayment(in);
            ADD_FAILURE() << field << " accepted";
        } catch (const PaymentInputError &e) {
            EXPECT_EQ(QString::fromStdString(e.what()), core::invalidNumberMessage(QStringLiteral("3O,00")));
        }
    }
}

class Receiving : public BillingSchool
{
};

TEST_F(Receiving, OnlyTheSupervisorReceivesRowsTheSupervisorSaved)
{
    asUser(QStringLiteral("CHEFE"), true, false);
    EXPECT_TRUE(mayReceive(QStringLiteral("2")));
    asUser(QStringLiteral("CAIXA"), false, true);
    EXPECT_TRUE(mayReceive(QStringLiteral("1")));
    EXPECT_TRUE(mayReceive(QStringLiteral("0")));
    EXPECT_FALSE(mayReceive(QStringLiteral("2")));
    asUser(QStringLiteral("SECRETARIA"), false, false, true);
    EXPECT_FALSE(mayReceive(QStringLiteral("0")));
}

TEST_F(Receiving, SaveWritesThePaymentAndStampsTheRow)
{
    addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300, QVariant(), QStringLiteral("0"), 30);
    m_charges->refresh();
    m_charges->first();
    PaymentInputs in = example();
    in.fine = QStringLiteral("2,0");
    ASSERT_TRUE(postPayment(*m_charges, computePayment(in), in.paid, 3));

    m_charges->refresh();
    m_charges->first();
    EXPECT_EQ(m_charges->displayText("Acrescimos"), QStringLiteral("6,36"));
    EXPECT_EQ(m_charges->asDate("PgtoData"), QDate(2007, 3, 15));
    EXPECT_EQ(m_charges->displayText("PgtoValor"), QStringLiteral("306,36"));
    EXPECT_EQ(m_charges->asText("FORMAPGTO"), QStringLiteral("3"));
    EXPECT_EQ(m_charges->asText("USUARIO"), QStringLiteral("TESOURARIA"));
    EXPECT_EQ(m_charges->asText("STATUS2"), QStringLiteral("1"));
}

TEST_F(Receiving, RefusedOrFailedSaveLeavesTheRowAsItWas)
{
    addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300, QDate(2007, 3, 9), QStringLiteral("2"));
    m_charges->refresh();
    m_charges->first();
    PaymentResult paid{4, core::Money::fromCentavos(36), core::Money::fromCentavos(30036)};
    // A Carnes user on a row the supervisor saved: the edit is refused silently.
    EXPECT_FALSE(postPayment(*m_charges, paid, QDate(2007, 3, 15), 1));

    // A save the store refuses.
    asUser(QStringLiteral("CHEFE"), true, false);
    m_charges->events.beforePost = [](data::Dataset &) { throw data::StoreError(QStringLiteral("disco cheio")); };
    EXPECT_FALSE(postPayment(*m_charges, paid, QDate(2007, 3, 15), 1));
    EXPECT_FALSE(m_charges->isEditing());

    m_charges->refresh();
    m_charges->first();
    EXPECT_EQ(m_charges->asDate("PgtoData"), QDate(2007, 3, 9));
    EXPECT_TRUE(m_charges->asMoney("PgtoValor").isZero());
    EXPECT_EQ(m_charges->asText("FORMAPGTO"), QStringLiteral("0"));
}
