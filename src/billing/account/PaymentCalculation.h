#pragma once

#include "core/Money.h"

#include <QDate>
#include <QString>
#include <stdexcept>

namespace data {
class Dataset;
}

// Receiving a payment: the days of delay, the fine and the interest for the chosen payment date,
// the amount to receive, and the write of the payment into the charge row. The dialog
// (TfrmCalcular_Multa_juros) and `lumesco-cli charges receive` both use it.
namespace billing {

// The dialog's texts, as typed.
struct PaymentInputs
{
    QDate due;
    QDate paid;
    QString value;    // "Valor da Mensalidade"
    QString discount; // "Desconto"
    QString fine;     // percent, applied once when late
    QString interest; // percent per day of delay
    bool includePaymentDay = false; // "Incluir o dia de pagamento no Cálculo"
    bool grantDiscount = false;     // "Conceder o Desconto mesmo em atraso"
};

struct PaymentResult
{
    int days = 0;
    core::Money additions;
    core::Money amount;
};

// A box that does not hold a number; what() is the number parser's message.
class PaymentInputError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Days counted: whole days from the due date to the payment date less one, never below zero,
// plus one when the payment day counts.
int delayDays(const QDate &due, const QDate &paid, bool includePaymentDay);

// The computation of "&Calcular": base = value (less the discount when it is granted);
// additions = base x (fine + interest x days) / 100 when days > 0, rounded once at the centavo;
// amount = base + additions. Throws PaymentInputError for a malformed number.
PaymentResult computePayment(const PaymentInputs &inputs);

// What a new payment date does to the dialog: a late payment resets the fine to "0,0" and lets
// the operator decide on the discount; one on time grants the discount and hides the box.
struct PaymentDateEffect
{
    bool late = false;
    bool resetFine = false;
    bool discountBoxVisible = false;
    bool discountGranted = false; // ticked (only when on time)
};
PaymentDateEffect paymentDateEffect(const QDate &due, const QDate &paid);

// "0,36": two decimals, no thousands separator, as the dialog's boxes show amounts.
QString plainAmount(core::Money amount);

// Whether the session may receive a payment on a row whose STATUS2 is `ownerLevel`: a supervisor
// always, a user with the Carnes right on rows a supervisor did not save last.
bool mayReceive(const QString &ownerLevel);
inline const QString kSupervisorOnlyMessage =
    QStringLiteral("Este registro só pode ser modificado pelo Supervisor!");
inline const QString kSaveFailedMessage = QStringLiteral("Erro ao tentar salvar os valores na tabela.");

// Writes the payment into the current row of a charge dataset, as "&Salvar na Tabela" does:
// Acrescimos, PgtoData, PgtoValor and FORMAPGTO (0..4), then the row is saved and the ownership
// rule stamps it. False when the edit or the save was refused; the row then keeps its values.
bool postPayment(data::Dataset &charge, const PaymentResult &payment, const QDate &paid, int means);

} // namespace billing
