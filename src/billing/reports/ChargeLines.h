#pragma once

#include "billing/reports/BillingChoice.h"
#include "core/Money.h"

#include <QDate>
#include <QList>
#include <QString>

// The charge rows the treasury's reports print, read with the values each report computes.
namespace billing {

// The fine of the defaulters' reports: a fixed 2,00 %, whatever fine is typed elsewhere.
inline constexpr double kDefaulterFinePercent = 2.0;

struct ChargeLine
{
    QString turma;
    QString classDescription;
    qint64 matricula = 0;
    QString nome;
    int parcela = 0;
    QString tipo;
    QString observacao;
    QDate vencimento;
    core::Money valor;
    core::Money descontoFixo;
    core::Money descontoEventual;
    core::Money acrescimos;
    qint64 nossoNum = 0;
    QDate pagoEm;
    core::Money pago;
    QString status;

    // Defaulters, as of today: the discounts are left out of what is owed.
    int diasAtraso = 0;
    core::Money cAcrescimos; // valor x (2,00 % + daily interest x days late)
    core::Money cValorFinal; // valor + cAcrescimos
    // Payments: valor - discounts + additions.
    core::Money valorDevido;
};

// Open charges due before today, with what they owe today at `dailyInterest` per cent a day;
// by class, name and due date, or (`alphabetical`) by name and due date.
QList<ChargeLine> defaulterLines(const data::Database &db, const BillingChoice &choice,
                                 const QDate &today, double dailyInterest, bool alphabetical);

// Charges paid within the period (and, with includeUnpaid, those due within it), by class,
// name and due date. Kind and class hold for both.
QList<ChargeLine> paymentLines(const data::Database &db, const BillingChoice &choice);

// Charges paid within the period, by name: the per-student payments list.
QList<ChargeLine> paidLines(const data::Database &db, const BillingChoice &choice);

struct RevenueLine
{
    QString turma;
    QString classDescription;
    qint64 matricula = 0; // 0 in the per-class totals
    QString nome;
    QString tipo;
    core::Money previsto; // value less both discounts
    core::Money recebido;
};

// Forecast against realised revenue of the charges due in the month (or up to it), per
// student and kind, or (`perClass`) per class and kind.
QList<RevenueLine> revenueLines(const data::Database &db, const BillingChoice &choice, bool perClass);

} // namespace billing
