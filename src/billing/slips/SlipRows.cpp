#include "billing/slips/SlipRows.h"

#include "data/store/Database.h"
#include "data/store/Query.h"
#include "data/store/SqlDialect.h"

namespace billing {

namespace {

QString rowSelect(const data::Database &db)
{
    return QStringLiteral(
               "select a.SIT, a.NOME, a.MATRICULA, a.NOME_RESP, a.TURMA, c.Tipo, %1 as MES, c.ParcelaData, "
               "c.ParcelaValor, c.NossoNum, c.DescontoFixo, c.DescontoEventual, c.Acrescimos, c.PgtoValor, "
               "c.PgtoData, t.DESCRICAO "
               "from ALUNOS a inner join Ccorrent c on a.MATRICULA = c.Matricula "
               "inner join Tabturma t on a.TURMA = t.TURMA ")
        .arg(db.dialect().month(QStringLiteral("c.ParcelaData")));
}

// Namesakes one after the other, and charges of one due date in the order they were written:
// without the last keys an engine hands tied rows over in any order.
const QString kOrder = QStringLiteral(" order by a.TURMA, a.NOME collate PTBR_CI, a.MATRICULA, c.ParcelaData, c.rowid");

core::Money money(const data::Query &q, const char *field)
{
    return core::Money::fromDouble(q.asFloat(field));
}

QList<SlipRow> readRows(const data::Database &db, const QString &sql, const data::SqlParams &params)
{
    data::Query q(db);
    q.setSql(sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        q.bind(it.key(), it.value());
    q.open();
    QList<SlipRow> rows;
    for (q.first(); !q.eof(); q.next()) {
        SlipRow r;
        r.sit = q.asText("SIT");
        r.nome = q.asText("NOME");
        r.matricula = qint64(q.asFloat("MATRICULA"));
        r.nomeResp = q.asText("NOME_RESP");
        r.turma = q.asText("TURMA");
        r.tipo = q.asText("Tipo");
        r.mes = int(q.asInteger("MES"));
        r.parcelaData = q.asDate("ParcelaData");
        r.parcelaValor = money(q, "ParcelaValor");
        r.nossoNum = qint64(q.asFloat("NossoNum"));
        r.descontoFixo = money(q, "DescontoFixo");
        r.descontoEventual = money(q, "DescontoEventual");
        r.acrescimos = money(q, "Acrescimos");
        r.pgtoValor = money(q, "PgtoValor");
        r.pgtoData = q.asDate("PgtoData");
        r.descricao = q.asText("DESCRICAO");
        rows << r;
    }
    return rows;
}

} // namespace

QString slipNumber(qint64 matricula, const QDate &due)
{
    return QString::number(matricula) + due.toString(QStringLiteral("yyyyMMdd"));
}

QString slipKindCode(const QString &kind)
{
    if (kind.isEmpty() || kind == u"Todos")
        return QString();
    if (kind == u"Mensalidade")
        return QStringLiteral("N");
    return kind.left(1);
}

QList<SlipRow> selectSlipRows(const data::Database &db, const BoletoChoices &choices)
{
    const QString month = db.dialect().month(QStringLiteral("c.ParcelaData"));
    data::SqlParams params{{QStringLiteral("de"), choices.fromMonth}, {QStringLiteral("ate"), choices.toMonth}};
    QString where = QStringLiteral("where (%1 >= :de) and (%1 <= :ate)").arg(month);
    const QString kind = slipKindCode(choices.kind);
    if (!kind.isEmpty()) {
        where += QStringLiteral(" and (c.Tipo = :tipo)");
        params.insert(QStringLiteral("tipo"), kind);
    }
    // A blank situation is an enrolled student, as in every other list of the program.
    where += QStringLiteral(" and coalesce(a.SIT, '') not in ('D', 'T', 'B')");
    switch (choices.students.kind) {
    case StudentSelection::Kind::All:
        break;
    case StudentSelection::Kind::Class:
        where += QStringLiteral(" and (a.TURMA = :turma)");
        params.insert(QStringLiteral("turma"), choices.students.classCode);
        break;
    case StudentSelection::Kind::List: {
        if (choices.students.numbers.isEmpty())
            return {};
        QStringList terms;
        for (qsizetype i = 0; i < choices.students.numbers.size(); ++i) {
            const QString name = QStringLiteral("m%1").arg(i);
            terms << QStringLiteral("(a.MATRICULA = :%1)").arg(name);
            params.insert(name, double(choices.students.numbers[i]));
        }
        where += QStringLiteral(" and (") + terms.join(QStringLiteral(" or ")) + QStringLiteral(")");
        break;
    }
    }
    return readRows(db, rowSelect(db) + where + kOrder, params);
}

QList<SlipRow> selectChargeRows(const data::Database &db, qint64 matricula, const QDate &due)
{
    return readRows(db, rowSelect(db) + QStringLiteral("where (a.MATRICULA = :m) and (c.ParcelaData = :d)") + kOrder,
                    {{QStringLiteral("m"), double(matricula)}, {QStringLiteral("d"), due}});
}

void storeSlipNumber(const data::Database &db, const SlipRow &row)
{
    db.exec(QStringLiteral("update Ccorrent set NossoNum = :nossonum where (Ccorrent.Matricula = :matric) and "
                           "(Ccorrent.Tipo = :tip) and (Ccorrent.ParcelaData = :parc)"),
            {{QStringLiteral("nossonum"), slipNumber(row.matricula, row.parcelaData).toDouble()},
             {QStringLiteral("matric"), double(row.matricula)},
             {QStringLiteral("tip"), row.tipo},
             {QStringLiteral("parc"), row.parcelaData}});
}

} // namespace billing
