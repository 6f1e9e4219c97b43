#include "billing/reports/BillingExports.h"

#include "core/Formats.h"
#include "data/store/StoreError.h"

#include <QDir>

namespace billing {

namespace {

QString moneyCell(core::Money amount)
{
    return amount.format();
}

QStringList chargeCells(const ChargeLine &l, bool withAdditions)
{
    QStringList cells{QString::number(l.matricula), l.nome, l.turma, QString::number(l.parcela), l.tipo,
                      l.observacao, core::formatDate(l.vencimento), moneyCell(l.valor), moneyCell(l.descontoFixo),
                      moneyCell(l.descontoEventual)};
    if (withAdditions)
        cells << moneyCell(l.acrescimos);
    cells << core::formatDate(l.pagoEm) << (l.pagoEm.isValid() ? moneyCell(l.pago) : QString())
          << (l.nossoNum ? QString::number(l.nossoNum) : QString()) << l.status;
    return cells;
}

QStringList chargeFields(bool withAdditions)
{
    QStringList fields{QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("TURMA"),
                       QStringLiteral("PARCELANUM"), QStringLiteral("TIPO"), QStringLiteral("OBSERVACAO"),
                       QStringLiteral("PARCELADATA"), QStringLiteral("PARCELAVALOR"), QStringLiteral("DESCONTOFIXO"),
                       QStringLiteral("DESCONTOEVENTUAL")};
    if (withAdditions)
        fields << QStringLiteral("ACRESCIMOS");
    fields << QStringLiteral("PGTODATA") << QStringLiteral("PGTOVALOR") << QStringLiteral("NOSSONUM")
           << QStringLiteral("STATUS");
    return fields;
}

} // namespace

core::SemicolonTable defaulterTable(const QList<ChargeLine> &lines, const QString &title)
{
    core::SemicolonTable table{title, chargeFields(false) << QStringLiteral("CACRESCIMOS") << QStringLiteral("CVALORFINAL"), {}};
    for (const ChargeLine &l : lines)
        table.rows << (chargeCells(l, false) << moneyCell(l.cAcrescimos) << moneyCell(l.cValorFinal));
    return table;
}

core::SemicolonTable paymentTable(const QList<ChargeLine> &lines, const QString &title)
{
    core::SemicolonTable table{title, chargeFields(true) << QStringLiteral("CVALORFINAL"), {}};
    for (const ChargeLine &l : lines)
        table.rows << (chargeCells(l, true) << moneyCell(l.valorDevido));
    return table;
}

core::SemicolonTable revenueTable(const QList<RevenueLine> &lines, bool perClass)
{
    core::SemicolonTable table;
    table.fieldNames = perClass ? QStringList{QStringLiteral("TURMA"), QStringLiteral("TIPO")}
                                : QStringList{QStringLiteral("TURMA"), QStringLiteral("MATRICULA"), QStringLiteral("NOME"),
                                              QStringLiteral("TIPO")};
    table.fieldNames << QStringLiteral("RECEBIDO") << QStringLiteral("PREVISAO");
    for (const RevenueLine &l : lines) {
        QStringList cells{l.turma};
        if (!perClass)
            cells << QString::number(l.matricula) << l.nome;
        cells << l.tipo << moneyCell(l.recebido) << moneyCell(l.previsto);
        table.rows << cells;
    }
    return table;
}

void exportToWorkingDirectory(const QString &fileName, const core::SemicolonTable &table)
{
    QString error;
    const QString path = QDir::current().absoluteFilePath(fileName);
    if (!core::exportSemicolon(path, table, &error))
        throw data::StoreError(QStringLiteral("Não foi possível gravar %1:\r%2").arg(QDir::toNativeSeparators(path), error));
}

} // namespace billing
