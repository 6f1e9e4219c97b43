#pragma once

#include "billing/receipt/ReceiptText.h"

#include <QList>
#include <QString>
#include <stdexcept>

namespace data {
class Database;
class Dataset;
} // namespace data

// Finding the charge row a receipt is printed for, and the student it belongs to.
namespace billing {

// The charge row has no unique key: it is named by as many of its fields as it takes.
struct KeyValue
{
    QString field; // a field of Ccorrent, any case ("matricula")
    QString value; // as typed: "1234", "N", "05/03/2007", "150,00"; empty: the field is empty
};

// A key that names no row, or more than one, or a field the table lacks. The text is shown
// as it stands.
class ChargeLookupError : public std::runtime_error
{
public:
    explicit ChargeLookupError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A charge row with what it copies of its student.
struct ChargeRecord
{
    ChargeOnReceipt charge;
    double matricula = 0;
    QString nome;
};

// The current row of a Ccorrent dataset.
ChargeRecord chargeOfCurrentRow(const data::Dataset &ccorrent);

// The one row of Ccorrent whose fields hold the key's values. Throws ChargeLookupError,
// or data::StoreError when the table can't be read.
ChargeRecord findCharge(const data::Database &db, const QList<KeyValue> &key);

// The student of the charge as the register shows them. A student no longer in the register
// keeps the name copied into the charge row.
StudentOnReceipt findStudent(const data::Database &db, const ChargeRecord &record);

} // namespace billing
