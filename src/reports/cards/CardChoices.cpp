#include "reports/cards/CardChoices.h"

#include "core/TextFile.h"
#include "data/store/Query.h"

namespace reports {

QList<ParamChoice> classEntries(const data::Database &db)
{
    data::Query query(db);
    query.setSql(QStringLiteral("select TURMA, DESCRICAO from Tabturma order by TURMA"));
    query.open();
    QList<ParamChoice> entries;
    for (query.first(); !query.eof(); query.next()) {
        const QString code = query.asText("TURMA");
        entries.append({code, code + u' ' + query.asText("DESCRICAO")});
    }
    return entries;
}

std::optional<QString> studentEntry(const data::Database &db, qint64 matricula)
{
    const QVariant name = db.scalar(QStringLiteral("select NOME from ALUNOS where MATRICULA = :m"),
                                    {{QStringLiteral("m"), double(matricula)}});
    if (!name.isValid())
        return std::nullopt;
    return QString::number(matricula) + u' ' + name.toString().left(15);
}

bool saveCardMessages(const QString &line1, const QString &line2)
{
    return core::writeTextLines(kCardMessageFile, {line1, line2});
}

std::optional<std::pair<QString, QString>> readCardMessages()
{
    const std::optional<QStringList> lines = core::readTextLines(kCardMessageFile);
    if (!lines)
        return std::nullopt;
    return std::pair{lines->value(0), lines->value(1)};
}

} // namespace reports
