#include "reports/sheets/ResultRows.h"

#include "data/store/Query.h"

namespace reports {

namespace {

bool yearLevel(AtaUnit unit)
{
    return unit == AtaUnit::Year || unit == AtaUnit::Final;
}

// The outcome's condition on the average (`average`) and on the average after recovery.
QString outcomeCondition(ResultType type, const QString &average)
{
    switch (type) {
    case ResultType::ApprovedByAverage:
        return QStringLiteral(" and (%1 >= :unitPass)").arg(average);
    case ResultType::Recovery:
        return QStringLiteral(" and (%1 < :unitPass)").arg(average);
    case ResultType::ApprovedAfterRecovery:
        return QStringLiteral(" and (%1 < :unitPass) and (m.MD_FINAL >= :recoveryPass)").arg(average);
    case ResultType::BelowAfterRecovery:
        return QStringLiteral(" and (%1 < :unitPass) and (m.MD_FINAL < :recoveryPass)").arg(average);
    case ResultType::YearPoints:
    case ResultType::MinimumMark:
        break;
    }
    return QString();
}

} // namespace

QString resultHeading(ResultType type)
{
    switch (type) {
    case ResultType::ApprovedByAverage:
        return QStringLiteral("APROVADOS POR MÉDIA:");
    case ResultType::Recovery:
        return QStringLiteral("ALUNOS EM RECUPERAÇÃO:");
    case ResultType::ApprovedAfterRecovery:
        return QStringLiteral("APROVADOS APÓS RECUPERAÇÃO:");
    case ResultType::BelowAfterRecovery:
        return QStringLiteral("ABAIXO DA MÉDIA:");
    case ResultType::YearPoints:
        return QStringLiteral("SOMA DE PONTOS NO ANO");
    case ResultType::MinimumMark:
        return QStringLiteral("Nota Mínima p/ atingimento da Média Final");
    }
    return QString();
}

QList<ResultRow> readResultRows(const data::Database &db, const ResultSelection &selection, double unitPass,
                                double yearPass)
{
    const bool year = yearLevel(selection.unit);
    // The unit number picks the table; it never comes from typed text.
    const QString table = year ? QStringLiteral("NOTAS") : QStringLiteral("NotasUni%1").arg(int(selection.unit));
    const QString average = year ? QStringLiteral("m.MD_ANUAL") : QStringLiteral("m.MEDIA");
    QString sql = QStringLiteral("select m.TURMA, t.DESCRICAO as TURMA_DESC, m.DISC, p.DESCRICAO as DISC_DESC, "
                                 "p.TIPO, a.MATRICULA, a.NOME, %1 as AVERAGE, m.MD_FINAL "
                                 "from %2 m "
                                 "join ALUNOS a on a.MATRICULA = m.MATRICULA "
                                 "join DISCPL p on p.CODIGO = m.DISC "
                                 "join Tabturma t on t.TURMA = m.TURMA "
                                 "join Discturm d on d.CODIGO = m.DISC and d.SERIE = substr(m.TURMA, 1, 3) "
                                 "where ((a.SIT <> 'D') and (a.SIT <> 'T') or (a.SIT is null)) "
                                 "and (a.NOME is not null)")
                      .arg(average, table);
    if (!selection.classCode.isEmpty())
        sql += QStringLiteral(" and (m.TURMA = :turma)");
    if (!selection.subject.isEmpty())
        sql += QStringLiteral(" and (m.DISC = :disc)");
    if (selection.onlyConsolidated)
        sql += QStringLiteral(" and (cast(d.Imp_AtaFinal as integer) = 1)");
    sql += outcomeCondition(selection.type, average);
    sql += QStringLiteral(" order by m.TURMA, m.DISC, a.NOME, a.MATRICULA");

    data::Query query(db);
    query.setSql(sql);
    if (!selection.classCode.isEmpty())
        query.bind(QStringLiteral("turma"), selection.classCode);
    if (!selection.subject.isEmpty())
        query.bind(QStringLiteral("disc"), selection.subject);
    if (selection.type < ResultType::YearPoints)
        query.bind(QStringLiteral("unitPass"), unitPass);
    if (selection.type == ResultType::ApprovedAfterRecovery || selection.type == ResultType::BelowAfterRecovery)
        query.bind(QStringLiteral("recoveryPass"), year ? yearPass : unitPass);
    query.open();

    QList<ResultRow> rows;
    for (query.first(); !query.eof(); query.next()) {
        ResultRow row;
        row.classCode = query.value(QStringLiteral("TURMA")).toString();
        row.classDescription = query.value(QStringLiteral("TURMA_DESC")).toString();
        row.subject = query.value(QStringLiteral("DISC")).toString();
        row.subjectName = query.value(QStringLiteral("DISC_DESC")).toString();
        row.kind = query.value(QStringLiteral("TIPO")).toString().trimmed();
        row.matricula = query.value(QStringLiteral("MATRICULA")).toLongLong();
        row.name = query.value(QStringLiteral("NOME")).toString();
        row.average = query.value(QStringLiteral("AVERAGE")).toDouble();
        row.finalAverage = query.value(QStringLiteral("MD_FINAL")).toDouble();
        rows.append(row);
    }
    return rows;
}

QList<ParamChoice> subjectEntries(const data::Database &db)
{
    data::Query query(db);
    query.setSql(QStringLiteral("select CODIGO, DESCRICAO from DISCPL order by CODIGO"));
    query.open();
    QList<ParamChoice> subjects;
    for (query.first(); !query.eof(); query.next()) {
        const QString code = query.value(QStringLiteral("CODIGO")).toString();
        subjects.append({code, code + QLatin1Char(' ') + query.value(QStringLiteral("DESCRICAO")).toString()});
    }
    return subjects;
}

} // namespace reports
