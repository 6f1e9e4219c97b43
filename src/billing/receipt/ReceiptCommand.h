#pragma once

#include "billing/receipt/ChargeLookup.h"
#include "billing/receipt/ReceiptText.h"

#include <optional>

namespace data {
struct Settings;
}

// The register's "&Autenticar": from a charge row to the texts the ticket-printer window prints.
namespace billing {

struct Receipt
{
    QStringList lines;
    QString authentication;
};

// The receipt's inputs: the charge and its student, the school of the settings, the user
// logged on, the program's title and today.
ReceiptSource receiptSource(const ChargeRecord &record, const StudentOnReceipt &student,
                            const data::Settings &settings, const QString &userName,
                            const QDate &today);

// The receipt of a paid charge. An unpaid one gets the warning that the payment must be
// posted first, and nothing is built.
std::optional<Receipt> prepareReceipt(const ReceiptSource &source);

} // namespace billing
