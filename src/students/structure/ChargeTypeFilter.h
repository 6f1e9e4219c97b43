#pragma once

#include <QString>
#include <QStringList>

// The "Tipo Cobrança:" choice of the class pickers: which kinds of charge rows a report or a
// billing run takes, as a filter on the charge table's `Tipo`.
namespace students {

// The entries in the order the list shows them; "Todos" first.
QStringList chargeTypeEntries();

// The filter an entry stands for: "Todos" takes every kind but "1", "Mensalidade" the monthly
// fees, a numbered entry the kind of its first character. Empty for an unknown entry.
QString chargeTypeFilter(const QString &entry);

// "0 - DINHEIRO" .. "4 - DEPÓSITO": the means of payment of a charge row (`FormaPgto`), whose
// stored code is the leading digit.
const QStringList &paymentMeansEntries();

} // namespace students
