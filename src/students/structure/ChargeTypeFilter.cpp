#include "students/structure/ChargeTypeFilter.h"

namespace students {

namespace {

const QString kAll = QStringLiteral("Todos");
const QString kMonthlyFee = QStringLiteral("Mensalidade");

} // namespace

QStringList chargeTypeEntries()
{
    return {kAll,
            kMonthlyFee,
            QStringLiteral("0-Matrícula"),
            QStringLiteral("1-Material Escolar"),
            QStringLiteral("2-Livros"),
            QStringLiteral("3-Brinquedos"),
            QStringLiteral("4-Viagem"),
            QStringLiteral("5-Comemorações"),
            QStringLiteral("6-Esportes"),
            QStringLiteral("7-Disciplina Extra"),
            QStringLiteral("9-Outras Taxas")};
}

const QStringList &paymentMeansEntries()
{
    static const QStringList lines{QStringLiteral("0 - DINHEIRO"), QStringLiteral("1 - CHEQUE"),
                                   QStringLiteral("2 - C.DÉBITO"), QStringLiteral("3 - C.CRÉDITO"),
                                   QStringLiteral("4 - DEPÓSITO")};
    return lines;
}

QString chargeTypeFilter(const QString &entry)
{
    if (entry == kAll)
        return QStringLiteral("(TIPO <> '1')");
    if (entry == kMonthlyFee)
        return QStringLiteral("(Tipo = 'N' )");
    if (!chargeTypeEntries().contains(entry))
        return QString();
    return QStringLiteral("(Tipo = '") + entry.at(0) + QStringLiteral("') ");
}

} // namespace students
