#pragma once

#include "core/Money.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The payment receipt and the authentication line printed on the ticket printer for a paid
// charge. Plain text in, plain text out: the printer work lives in TicketPrintFlows.
namespace billing {

// What the receipt shows of one charge row.
struct ChargeOnReceipt
{
    QString turma;
    std::optional<double> nossoNum; // slip number; none when no slip was issued
    QString tipo;
    int parcelaNum = 0;
    QDate parcelaData;
    core::Money parcelaValor;
    core::Money descontoFixo;
    core::Money descontoEventual;
    core::Money acrescimos;
    core::Money pgtoValor;
    QDate pgtoData; // null while unpaid

    bool isPaid() const { return pgtoData.isValid(); }
};

// The student as the register shows them.
struct StudentOnReceipt
{
    double matricula = 0;
    QString nome;
    QString nomeResp;
};

// The school's identity from the settings.
struct SchoolOnReceipt
{
    QString name;
    QString address;
    QString municipality;
    QString state;
    QString phone;
};

struct ReceiptSource
{
    ChargeOnReceipt charge;
    StudentOnReceipt student;
    SchoolOnReceipt school;
    QString userName;
    QString programTitle;
    QDate today;
};

// Width of the receipt paper in characters.
inline constexpr int kReceiptColumns = 40;

// Accented letters become their plain letters (names and addresses print on a printer
// without accents): "João Conceição" -> "Joao Conceicao". Other characters stay.
QString withoutAccents(const QString &text);

// "1.234,50" right-aligned in 12 characters.
QString receiptAmount(core::Money value);

// The amount of the authentication line: currency text in 10 characters. When "R$ " and the
// amount do not fit, the blank and then the sign give way, so no digit is ever lost.
QString authenticationAmount(core::Money value);

// The title centred in `width` columns: the blanks split evenly, an odd one dropped, upper case.
QString centredTitle(const QString &title, int width = kReceiptColumns);

// The slip number as a whole number ("12345678"); empty when there is none.
QString slipNumberText(const std::optional<double> &nossoNum);

// Each digit of the slip number replaced by its letter of the verification table, so a
// slip number typed or read wrongly shows at a glance against the receipt. Empty without a slip.
QString slipVerificationCode(const std::optional<double> &nossoNum);

// The receipt, one entry per printed line, two empty lines at the end.
QStringList receiptLines(const ReceiptSource &source);

// Slip number, today, payment date (dates without "/"), and the amount paid.
QString authenticationLine(const ChargeOnReceipt &charge, const QDate &today);

} // namespace billing
