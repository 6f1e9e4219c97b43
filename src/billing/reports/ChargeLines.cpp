#include "billing/reports/ChargeLines.h"

#include "data/store/Query.h"

namespace billing {

namespace {

const QString kLineFields = QStringLiteral(
    "select c.Matricula, c.NOME, c.TURMA, t.DESCRICAO, c.ParcelaNum, c.Tipo, c.Observacao, "
    "c.ParcelaData, c.ParcelaValor, c.DescontoFixo, c.DescontoEventual, c.Acrescimos, c.PgtoData, "
    "c.PgtoValor, c.NossoNum, c.STATUS from Ccorrent c left join Tabturma t on t.TURMA = c.TURMA ");

core::Money money(const data::Query &q, const char *field)
{
    return core::Money::fromDouble(q.asFloat(field));
}

QList<ChargeLine> readLines(const data::Database &db, const QString &sql, const data::SqlParams &params)
{
    data::Query q(db);
    q.setSql(sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        q.bind(it.key(), it.value());
    q.open();
    QList<ChargeLine> lines;
    for (q.first(); !q.eof(); q.next()) {
        ChargeLine l;
        l.matricula = qint64(q.asFloat("Matricula"));
        l.nome = q.asText("NOME");
        l.turma = q.asText("TURMA");
        l.classDescription = q.asText("DESCRICAO");
        l.parcela = int(q.asInteger("ParcelaNum"));
        l.tipo = q.asText("Tipo");
        l.observacao = q.asText("Observacao");
        l.vencimento = q.asDate("ParcelaData");
        l.valor = money(q, "ParcelaValor");
        l.descontoFixo = money(q, "DescontoFixo");
        l.descontoEventual = money(q, "DescontoEventual");
        l.acrescimos = money(q, "Acrescimos");
        l.pagoEm = q.asDate("PgtoData");
        l.pago = money(q, "PgtoValor");
        l.nossoNum = qint64(q.asFloat("NossoNum"));
        l.status = q.asText("STATUS");
        l.valorDevido = l.valor - (l.descontoFixo + l.descontoEventual) + l.acrescimos;
        lines << l;
    }
    return lines;
}

const QString kByName = QStringLiteral("c.NOME collate PTBR_CI, c.Matricula");
// A student's charges of one due date by kind and instalment: without these keys an engine hands
// tied rows over in any order (a server moves a changed row to the end of its table).
const QString kByDue = QStringLiteral(", c.ParcelaData, c.Tipo, c.ParcelaNum");

} // namespace

QList<ChargeLine> defaulterLines(const data::Database &db, const BillingChoice &choice,
                                 const QDate &today, double dailyInterest, bool alphabetical)
{
    data::SqlParams params{{QStringLiteral("hoje"), today}};
    const QString sql = kLineFields + QStringLiteral("where c.ParcelaData < :hoje and c.PgtoData is null") +
                        kindCondition(choice.kind, params) + classCondition(choice.classCode, params) +
                        QStringLiteral(" order by ") + (alphabetical ? QString() : QStringLiteral("c.TURMA, ")) +
                        kByName + kByDue;
    QList<ChargeLine> lines = readLines(db, sql, params);
    for (ChargeLine &l : lines) {
        l.diasAtraso = int(l.vencimento.daysTo(today));
        l.cAcrescimos = l.valor.times(kDefaulterFinePercent / 100.0 + dailyInterest * l.diasAtraso / 100.0);
        l.cValorFinal = l.valor + l.cAcrescimos;
    }
    return lines;
}

QList<ChargeLine> paymentLines(const data::Database &db, const BillingChoice &choice)
{
    data::SqlParams params{{QStringLiteral("de"), choice.from}, {QStringLiteral("ate"), choice.to}};
    QString period = QStringLiteral("(c.PgtoData >= :de and c.PgtoData <= :ate)");
    if (choice.includeUnpaid)
        period = QStringLiteral("(") + period + QStringLiteral(" or (c.ParcelaData >= :de and c.ParcelaData <= :ate))");
    const QString sql = kLineFields + QStringLiteral("where c.NOME is not null and ") + period +
                        kindCondition(choice.kind, params) + classCondition(choice.classCode, params) +
                        QStringLiteral(" order by c.TURMA, ") + kByName + kByDue;
    return readLines(db, sql, params);
}

QList<ChargeLine> paidLines(const data::Database &db, const BillingChoice &choice)
{
    data::SqlParams params{{QStringLiteral("de"), choice.from}, {QStringLiteral("ate"), choice.to}};
    const QString sql = kLineFields + QStringLiteral("where c.PgtoData >= :de and c.PgtoData <= :ate") +
                        kindCondition(choice.kind, params) + classCondition(choice.classCode, params) +
                        QStringLiteral(" order by ") + kByName + kByDue;
    return readLines(db, sql, params);
}

QList<RevenueLine> revenueLines(const data::Database &db, const BillingChoice &choice, bool perClass)
{
    data::SqlParams params{{QStringLiteral("mes"), choice.month}};
    const QString keys = perClass ? QStringLiteral("c.TURMA, c.Tipo") : QStringLiteral("c.TURMA, c.Matricula, c.NOME, c.Tipo");
    // A missing discount or payment counts as zero, so one empty cell does not blank a total.
    const QString sql =
        QStringLiteral("select ") + keys +
        QStringLiteral(", max(t.DESCRICAO) as DESCRICAO, sum(coalesce(c.PgtoValor, 0)) as Recebido, "
                       "sum(coalesce(c.ParcelaValor, 0) - coalesce(c.DescontoFixo, 0) - coalesce(c.DescontoEventual, 0)) "
                       "as Previsao from Ccorrent c left join Tabturma t on t.TURMA = c.TURMA where extract(month from c.ParcelaData) ") +
        (choice.upToMonth ? QStringLiteral("<= :mes") : QStringLiteral("= :mes")) +
        kindCondition(choice.kind, params) + classCondition(choice.classCode, params) + QStringLiteral(" group by ") + keys +
        QStringLiteral(" order by c.TURMA") + (perClass ? QString() : QStringLiteral(", c.NOME collate PTBR_CI, c.Matricula")) +
        QStringLiteral(", c.Tipo");
    data::Query q(db);
    q.setSql(sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        q.bind(it.key(), it.value());
    q.open();
    QList<RevenueLine> lines;
    for (q.first(); !q.eof(); q.next()) {
        RevenueLine l;
        l.turma = q.asText("TURMA");
        l.classDescription = q.asText("DESCRICAO");
        if (!perClass) {
            l.matricula = qint64(q.asFloat("Matricula"));
            l.nome = q.asText("NOME");
        }
        l.tipo = q.asText("Tipo");
        l.previsto = core::Money::fromDouble(q.asFloat("Previsao"));
        l.recebido = core::Money::fromDouble(q.asFloat("Recebido"));
        lines << l;
    }
    return lines;
}

} // namespace billing
