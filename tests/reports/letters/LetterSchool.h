#pragma once

#include "CardSchool.h"

#include <QDate>

// The report cards' school with what the letters read: addresses, birthdays, parents' CPFs,
// staff and the current account.
class LetterSchool : public CardSchool
{
protected:
    // A student born on `birth`, with an address and a responsible person named after him.
    void addPerson(qint64 matricula, const QString &nome, const QString &turma, const QDate &birth,
                   const QString &sit = QString());
    void setColumn(qint64 matricula, const QString &column, const QVariant &value);
    void addStaff(qint64 matricula, const QString &nome, const QDate &birth, const QString &funcao);
    // A monthly fee ("N") due on `due`; paid when `paidOn` is valid.
    void addCharge(qint64 matricula, int parcela, const QDate &due, double value, const QDate &paidOn = QDate(),
                   double paid = 0, const QString &tipo = QStringLiteral("N"));
};

// The text items of every page, in layout order.
QList<reports::Item> textItems(const reports::Document &document, int page);
