#include "data/modules/RuleStatement.h"

#include "core/Formats.h"

#include <QDate>
#include <QRegularExpression>

namespace data {

namespace {

QString literal(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::QString:
        return u'\'' + value.toString().replace(u'\'', QStringLiteral("''")) + u'\'';
    case QMetaType::QDate:
        return u'\'' + core::formatDate(value.toDate()) + u'\'';
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

} // namespace

QString statementText(const QString &sql, const SqlParams &params)
{
    static const QRegularExpression parameter(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
    QString text;
    qsizetype last = 0;
    auto it = parameter.globalMatch(sql);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1);
        auto value = params.constFind(name);
        if (value == params.constEnd())
            value = params.constFind(u':' + name);
        if (value == params.constEnd())
            continue;
        text += sql.mid(last, m.capturedStart() - last) + literal(value.value());
        last = m.capturedEnd();
    }
    return text + sql.mid(last);
}

int runRuleStatement(const Database &db, const QString &sql, const SqlParams &params)
{
    try {
        return db.exec(sql, params);
    } catch (const StoreError &e) {
        throw RuleStatementError(statementText(sql, params), e.message());
    }
}

int nextNumber(const Database &db, const QString &maxSql, const SqlParams &params)
{
    try {
        return int(db.scalar(maxSql, params).toLongLong()) + 1;
    } catch (const StoreError &e) {
        throw RuleStatementError(statementText(maxSql, params), e.message());
    }
}

} // namespace data
