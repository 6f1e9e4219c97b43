#pragma once

#include "billing/slips/BoletoChoices.h"

#include <QDate>

class QWidget;

namespace data {
class Database;
}

// Where the own-model slips start from in the program.
namespace billing {

// "&Imprimir" of "Imprimir Boletos" with the bank's booklet box unticked: opens "Imprimir o
// Boleto com Modelo Próprio" on the open school year with the dialog's choices.
void printOwnModelSlips(QWidget *parent, const BoletoChoices &choices);

// "&Imprimir" of the student register's payments tab: previews the slip of the selected charge
// again, reckoned up to its payment date, and stores its slip number again.
void reprintPaidCharge(QWidget *parent, const data::Database &db, qint64 matricula, const QDate &due,
                       const QDate &paidOn);

} // namespace billing
