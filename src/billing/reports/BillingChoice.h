#pragma once

#include "data/store/Database.h"

#include <QDate>
#include <QString>

// What the treasury's reports are asked: the class, the kind of charge, the period or month,
// and the boxes of their dialog.
namespace billing {

struct BillingChoice
{
    QString classCode;                       // empty: every class
    QString kind = QStringLiteral("Todos");  // an entry of the "Tipo Cobrança:" list
    QDate from;
    QDate to;
    int month = 1;          // 1..12
    bool upToMonth = false; // "Até o MÊS" rather than "Apenas para o MÊS"
    bool includeUnpaid = false; // "Incluir Mensalidades não Pagas"
    bool amountsDue = false;    // "Imprima Valores Devidos"
    bool exportToExcel = false; // "Exportar para MS Excel"
};

// The conditions on the charge table's kind and class, with their values bound in `params`
// (each starts with " and "). "Todos" keeps every kind, as the billing window does; "Mensalidade"
// keeps the monthly fees ('N'); any other entry the kind of its first character.
QString kindCondition(const QString &kindEntry, data::SqlParams &params, const QString &column = QStringLiteral("c.Tipo"));
QString classCondition(const QString &classCode, data::SqlParams &params, const QString &column = QStringLiteral("c.TURMA"));

// The "Tipo Cobrança:" entry of a stored kind ("N" -> "Mensalidade", "0" -> "0-Matrícula");
// the code itself when the list has no such kind.
QString kindText(const QString &tipo);

} // namespace billing
