#include "reports/sheets/AtaRows.h"

#include "reports/cards/CardRows.h"

#include "data/store/Query.h"

namespace reports {

namespace {

double numberOf(const data::Query &rows, const char *field)
{
    return rows.value(QString::fromLatin1(field)).toDouble();
}

} // namespace

bool AtaStudent::isLeaver() const
{
    return situation == QLatin1String("T") || situation == QLatin1String("D");
}

QList<AtaClass> readAtaClasses(const data::Database &db, const AtaSelection &selection)
{
    CardOptions options;
    options.scope = selection.classCode.isEmpty() ? CardScope::AllClasses : CardScope::OneClass;
    options.classCode = selection.classCode;
    options.skipLeavers = selection.skipLeavers;
    options.onlyConsolidated = selection.onlyMarked;
    // The two-unit card adds no condition of its own to the shared statement.
    const std::unique_ptr<data::Query> rows = openCardRows(db, CardMember::TwoUnits, options);
    QList<AtaClass> classes;
    for (rows->first(); !rows->eof(); rows->next()) {
        const QString classCode = rows->value(QStringLiteral("TURMA")).toString();
        if (classes.isEmpty() || classes.last().code != classCode)
            classes.append({classCode, rows->value(QStringLiteral("turma_desc")).toString(), {}});
        QList<AtaStudent> &students = classes.last().students;
        const qint64 matricula = rows->value(QStringLiteral("MATRICULA")).toLongLong();
        if (students.isEmpty() || students.last().matricula != matricula) {
            students.append({matricula, rows->value(QStringLiteral("NOME")).toString(),
                             rows->value(QStringLiteral("SIT")).toString().trimmed(),
                             rows->value(QStringLiteral("DATASIT")).toDate(), {}});
            students.last().flagged = rows->value(QStringLiteral("MARCADO")).toBool();
        }
        AtaMarkRow row;
        row.subject = rows->value(QStringLiteral("DISC")).toString();
        row.kind = rows->value(QStringLiteral("TIPO")).toString().trimmed();
        row.units[0] = numberOf(*rows, "UND1");
        row.units[1] = numberOf(*rows, "UND2");
        row.units[2] = numberOf(*rows, "UND3");
        row.units[3] = numberOf(*rows, "UND4");
        row.yearAverage = numberOf(*rows, "MD_ANUAL");
        row.finalAverage = numberOf(*rows, "MD_FINAL");
        row.recoveryAverage = numberOf(*rows, "MD_RECUP");
        students.last().rows.append(row);
    }
    return classes;
}

QList<AtaSubject> gradeSubjects(const data::Database &db, const QString &grade, bool onlyMarked)
{
    data::Query query(db);
    query.setSql(QStringLiteral("select d.CODIGO, d.CHORA, p.DESC_RESUMO, p.DESCRICAO from Discturm d "
                                "left join DISCPL p on p.CODIGO = d.CODIGO where d.SERIE = :serie") +
                 (onlyMarked ? QStringLiteral(" and d.Imp_AtaFinal = 1") : QString()) +
                 QStringLiteral(" order by d.CODIGO"));
    query.bind(QStringLiteral("serie"), grade);
    query.open();
    QList<AtaSubject> subjects;
    for (query.first(); !query.eof(); query.next()) {
        const QVariant workload = query.value(QStringLiteral("CHORA"));
        subjects.append({query.value(QStringLiteral("CODIGO")).toString(),
                         query.value(QStringLiteral("DESC_RESUMO")).toString(),
                         query.value(QStringLiteral("DESCRICAO")).toString(),
                         workload.isNull() ? std::nullopt : std::optional<int>(workload.toInt())});
    }
    return subjects;
}

} // namespace reports
