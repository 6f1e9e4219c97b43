#include "grades/Classification.h"

#include "data/store/Query.h"
#include "data/store/Transaction.h"

namespace grades {

namespace {

QString pointsColumn(int measure)
{
    return measure >= 1 && measure <= 4 ? QStringLiteral("PONTOS%1").arg(measure) : QStringLiteral("PONTOST");
}

QStringList grades(const QString &prefix, int first, int last)
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        list << prefix + QString::number(n);
    return list;
}

} // namespace

QStringList scopeGroups(ClassificationScope scope, const QString &choice)
{
    switch (scope) {
    case ClassificationScope::Grade:
        return {choice.left(3)};
    case ClassificationScope::LowerPrimary:
        return grades(QStringLiteral("1G"), 1, 4);
    case ClassificationScope::UpperPrimary:
        return grades(QStringLiteral("1G"), 5, 9);
    case ClassificationScope::Secondary:
        return grades(QStringLiteral("2G"), 1, 3);
    case ClassificationScope::Class:
        break;
    }
    return {};
}

QString classificationTitle(int measure)
{
    const QString name = measure >= 1 && measure <= 4 ? QStringLiteral("%1ª Unidade").arg(measure) : QStringLiteral("Geral");
    return QStringLiteral("CLASSIFICAÇÃO GERAL - ") + name;
}

QList<ClassifiedStudent> classify(const data::Database &db, const ClassificationRequest &request)
{
    const QString points = pointsColumn(request.measure);
    data::SqlParams params;
    QString where;
    if (request.scope == ClassificationScope::Class) {
        where = QStringLiteral("TURMA = :turma");
        params.insert(QStringLiteral("turma"), request.choice);
    } else {
        QStringList names;
        const QStringList groups = scopeGroups(request.scope, request.choice);
        for (int i = 0; i < groups.size(); ++i) {
            names << QStringLiteral(":g%1").arg(i);
            params.insert(QStringLiteral("g%1").arg(i), groups.at(i));
        }
        where = QStringLiteral("GRUPO in (%1)").arg(names.join(QStringLiteral(", ")));
    }
    data::Query rows(db);
    // Homonyms of one place by their numbers, on every engine.
    rows.setSql(QStringLiteral("select MATRICULA, NOME, TURMA, %1 from posicao where %2 order by %1, NOME, MATRICULA")
                    .arg(points, where));
    for (auto it = params.constBegin(); it != params.constEnd(); ++it)
        rows.bind(it.key(), it.value());
    rows.open();

    QList<ClassifiedStudent> placed;
    data::Transaction transaction(db);
    int place = 1;
    QString previous;
    for (rows.first(); !rows.eof(); rows.next()) {
        const double value = rows.asFloat(3);
        const QString shownValue = QString::number(value, 'f', 1);
        if (!placed.isEmpty() && shownValue != previous)
            ++place;
        previous = shownValue;
        placed.append({rows.asFloat(0), rows.asText(1), rows.asText(2), value, place});
        db.exec(QStringLiteral("update posicao set Posicao = :p where MATRICULA = :m"),
                {{QStringLiteral("p"), place}, {QStringLiteral("m"), rows.asFloat(0)}});
    }
    transaction.commit();
    if (request.scope != ClassificationScope::Class) {
        placed.erase(std::remove_if(placed.begin(), placed.end(),
                                    [&](const ClassifiedStudent &s) { return s.posicao > request.limit; }),
                     placed.end());
    }
    return placed;
}

} // namespace grades
