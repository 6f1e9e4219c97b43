#include "billing/account/PaymentCalculation.h"

#include "core/Formats.h"
#include "core/Session.h"
#include "data/store/Dataset.h"

namespace billing {

namespace {

core::Money moneyOf(const QString &text)
{
    const std::optional<core::Money> money = core::Money::parse(text);
    if (!money)
        throw PaymentInputError(core::invalidNumberMessage(text).toStdString());
    return *money;
}

double rateOf(const QString &text)
{
    const std::optional<double> rate = core::parseNumber(text);
    if (!rate)
        throw PaymentInputError(core::invalidNumberMessage(text).toStdString());
    return *rate;
}

} // namespace

int delayDays(const QDate &due, const QDate &paid, bool includePaymentDay)
{
    const int days = std::max<qint64>(due.daysTo(paid) - 1, 0);
    return includePaymentDay ? days + 1 : days;
}

PaymentResult computePayment(const PaymentInputs &inputs)
{
    // Every box is read before anything is computed, so a bad one leaves no half result.
    const core::Money value = moneyOf(inputs.value);
    const core::Money discount = moneyOf(inputs.discount);
    const double fine = rateOf(inputs.fine);
    const double interest = rateOf(inputs.interest);

    PaymentResult result;
    result.days = delayDays(inputs.due, inputs.paid, inputs.includePaymentDay);
    const core::Money base = inputs.grantDiscount ? value - discount : value;
    if (result.days > 0)
        result.additions = base.percent(fine + interest * result.days);
    result.amount = base + result.additions;
    return result;
}

PaymentDateEffect paymentDateEffect(const QDate &due, const QDate &paid)
{
    PaymentDateEffect effect;
    effect.late = paid > due;
    effect.resetFine = effect.late;
    effect.discountBoxVisible = effect.late;
    effect.discountGranted = !effect.late;
    return effect;
}

QString plainAmount(core::Money amount)
{
    return amount.format(QStringLiteral("0.00"));
}

bool mayReceive(const QString &ownerLevel)
{
    const core::Session &session = core::session();
    if (session.supervisor)
        return true;
    return session.rights.carnes && ownerLevel != u"2";
}

bool postPayment(data::Dataset &charge, const PaymentResult &payment, const QDate &paid, int means)
{
    try {
        if (!charge.edit())
            return false;
        charge.setMoney("Acrescimos", payment.additions);
        charge.setDate("PgtoData", paid);
        charge.setMoney("PgtoValor", payment.amount);
        charge.setText("FORMAPGTO", QString::number(means));
        if (charge.post())
            return true;
    } catch (const data::StoreError &) {
    }
    if (charge.isEditing())
        charge.cancel();
    return false;
}

} // namespace billing
