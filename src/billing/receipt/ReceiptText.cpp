#include "billing/receipt/ReceiptText.h"

#include "core/Formats.h"

#include <cmath>

namespace billing {

namespace {

// The verification letters of the digits 0 to 9. Letters only, and none that reads like a
// digit (no O, I, L, S, B), so the code can't be mistaken for part of the number.
constexpr char16_t kVerificationLetters[] = u"KRTWXHPMZN";

QString wholeNumber(double value)
{
    return QString::number(static_cast<qint64>(std::llround(value)));
}

QString withoutSlashes(const QDate &date)
{
    return core::formatDate(date).remove(core::kDateSeparator);
}

} // namespace

QString withoutAccents(const QString &text)
{
    static const QString accented = QStringLiteral("àâêôûãõáéíóúçüÀÂÊÔÛÃÕÁÉÍÓÚÇÜ");
    static const QString plain = QStringLiteral("aaeouaoaeioucuAAEOUAOAEIOUCU");
    QString result = text;
    for (QChar &c : result) {
        const qsizetype at = accented.indexOf(c);
        if (at >= 0)
            c = plain.at(at);
    }
    return result;
}

QString receiptAmount(core::Money value)
{
    return value.format().rightJustified(12, u' ', true);
}

QString authenticationAmount(core::Money value)
{
    constexpr int width = 10;
    const QString amount = value.format();
    for (const QString &text : {QStringLiteral("R$ ") + amount, QStringLiteral("R$") + amount}) {
        if (text.size() <= width)
            return text.rightJustified(width, u' ');
    }
    return amount.rightJustified(width, u' ');
}

QString centredTitle(const QString &title, int width)
{
    const int side = std::max(0, width - int(title.size())) / 2;
    const QString blanks(side, u' ');
    return blanks + title.toUpper() + blanks;
}

QString slipNumberText(const std::optional<double> &nossoNum)
{
    return nossoNum ? wholeNumber(*nossoNum) : QString();
}

QString slipVerificationCode(const std::optional<double> &nossoNum)
{
    QString code = slipNumberText(nossoNum);
    for (QChar &c : code) {
        if (c.isDigit())
            c = QChar(kVerificationLetters[c.digitValue()]);
    }
    return code;
}

QStringList receiptLines(const ReceiptSource &source)
{
    const ChargeOnReceipt &charge = source.charge;
    const SchoolOnReceipt &school = source.school;
    return {
        withoutAccents(school.name),
        withoutAccents(school.address),
        withoutAccents(school.municipality) + u'-' + school.state + QStringLiteral(" Fone: ") +
            school.phone,
        QString(),
        centredTitle(QStringLiteral("Recibo de Pagamento")),
        QStringLiteral("Emitido em: ") + core::formatDate(source.today),
        QStringLiteral("Turma: ") + charge.turma,
        QStringLiteral("Aluno: ") + wholeNumber(source.student.matricula) + u' ' +
            withoutAccents(source.student.nome),
        QStringLiteral("Resp : ") + withoutAccents(source.student.nomeResp),
        QString(),
        QStringLiteral("Boleto No.: ") + slipNumberText(charge.nossoNum) + u' ' +
            slipVerificationCode(charge.nossoNum),
        QStringLiteral("Tipo : ") + charge.tipo + QStringLiteral(" Parc. ") +
            QString::number(charge.parcelaNum),
        QStringLiteral("Vencimento   :   ") + core::formatDate(charge.parcelaData),
        QStringLiteral("Valor        : ") + receiptAmount(charge.parcelaValor),
        QStringLiteral("Desconto *(-): ") +
            receiptAmount(charge.descontoFixo + charge.descontoEventual),
        QStringLiteral("Acrescimos(+): ") + receiptAmount(charge.acrescimos),
        QStringLiteral("Valor Pago   : ") + receiptAmount(charge.pgtoValor),
        QStringLiteral("Pago em      :   ") + core::formatDate(charge.pgtoData),
        QStringLiteral("* Somente valido ate o vencimento"),
        QString(),
        QStringLiteral("Usuario      : ") + source.userName,
        source.programTitle,
        QString(),
        QString(),
    };
}

QString authenticationLine(const ChargeOnReceipt &charge, const QDate &today)
{
    return slipNumberText(charge.nossoNum) + u' ' + withoutSlashes(today) + u' ' +
           withoutSlashes(charge.pgtoData) + u' ' + authenticationAmount(charge.pgtoValor);
}

} // namespace billing
