#pragma once

#include "billing/slips/BoletoChoices.h"
#include "core/Money.h"

#include <QDate>
#include <QList>
#include <QString>

namespace data {
class Database;
}

// The charges the own-model slips print: one row per charge with its student and class, ordered
// by class, student name and due date.
namespace billing {

struct SlipRow
{
    QString sit;
    QString nome;
    qint64 matricula = 0;
    QString nomeResp;
    QString turma;
    QString tipo; // "N" for the monthly fee, a digit for the other kinds
    int mes = 0;  // month of the due date
    QDate parcelaData;
    core::Money parcelaValor;
    qint64 nossoNum = 0;
    core::Money descontoFixo;
    core::Money descontoEventual;
    core::Money acrescimos;
    core::Money pgtoValor;
    QDate pgtoData;
    QString descricao; // the class's description
};

// The slip number: the student number, then the due date's year, month and day (student 1234
// due on 05/03/2004: "123420040305"). The barcode carries it and the charge row keeps it.
QString slipNumber(qint64 matricula, const QDate &due);

// The charges of the chosen months, kind and students; students who left, transferred or hold a
// full scholarship (situation "D", "T" or "B") have none.
QList<SlipRow> selectSlipRows(const data::Database &db, const BoletoChoices &choices);

// The charge of `matricula` due on `due` (every kind), for the reprint of a paid charge.
QList<SlipRow> selectChargeRows(const data::Database &db, qint64 matricula, const QDate &due);

// Stores the slip number in the row of that student, kind and due date. Throws StoreError.
void storeSlipNumber(const data::Database &db, const SlipRow &row);

// "Todos" -> empty; "Mensalidade" -> "N"; "4-Viagem" -> "4".
QString slipKindCode(const QString &kind);

} // namespace billing
