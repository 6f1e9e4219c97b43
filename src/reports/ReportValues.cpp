#include "reports/ReportValues.h"

#include "core/Clock.h"
#include "core/Formats.h"

namespace reports {

namespace {

QString defaultOf(const ReportParam &param)
{
    if (!param.defaultValue.isEmpty())
        return param.defaultValue;
    switch (param.kind) {
    case ParamKind::Date:
        return core::formatDate(core::today());
    case ParamKind::Month:
        return QString::number(core::today().month());
    case ParamKind::Flag:
        return QStringLiteral("N");
    case ParamKind::Text:
    case ParamKind::Integer:
    case ParamKind::Choice:
        break;
    }
    return {};
}

std::optional<int> monthOf(const QString &text)
{
    if (const std::optional<qint64> number = core::parseInteger(text))
        return *number >= 1 && *number <= 12 ? std::optional<int>(int(*number)) : std::nullopt;
    for (int month = 1; month <= 12; ++month)
        if (text.compare(core::monthName(month), Qt::CaseInsensitive) == 0)
            return month;
    return std::nullopt;
}

std::optional<bool> flagOf(const QString &text)
{
    static const QStringList yes{QStringLiteral("s"), QStringLiteral("sim"), QStringLiteral("1"),
                                 QStringLiteral("true")};
    static const QStringList no{QStringLiteral("n"), QStringLiteral("não"), QStringLiteral("nao"),
                                QStringLiteral("0"), QStringLiteral("false")};
    const QString t = text.trimmed().toLower();
    if (yes.contains(t))
        return true;
    if (no.contains(t))
        return false;
    return std::nullopt;
}

// The parameter's own form of `text`, or nullopt when it does not fit.
std::optional<QString> normalised(const ReportParam &param, const QString &text,
                                  const data::Database &db)
{
    switch (param.kind) {
    case ParamKind::Text:
        return text;
    case ParamKind::Integer:
        if (const std::optional<qint64> n = core::parseInteger(text))
            return QString::number(*n);
        return std::nullopt;
    case ParamKind::Date:
        if (const std::optional<QDate> d = core::parseDate(text))
            return core::formatDate(*d);
        return std::nullopt;
    case ParamKind::Month:
        if (const std::optional<int> m = monthOf(text.trimmed()))
            return QString::number(*m);
        return std::nullopt;
    case ParamKind::Flag:
        if (const std::optional<bool> f = flagOf(text))
            return *f ? QStringLiteral("S") : QStringLiteral("N");
        return std::nullopt;
    case ParamKind::Choice:
        for (const ParamChoice &choice : param.choicesIn(db))
            if (choice.value.compare(text.trimmed(), Qt::CaseInsensitive) == 0)
                return choice.value;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

QList<ParamChoice> ReportParam::choicesIn(const data::Database &db) const
{
    QList<ParamChoice> all = choices;
    if (choicesFrom)
        all += choicesFrom(db);
    return all;
}

QString describeKind(const ReportParam &param)
{
    switch (param.kind) {
    case ParamKind::Text:
        return QStringLiteral("texto");
    case ParamKind::Integer:
        return QStringLiteral("número inteiro");
    case ParamKind::Date:
        return QStringLiteral("data dd/mm/aaaa");
    case ParamKind::Month:
        return QStringLiteral("mês de 1 a 12");
    case ParamKind::Flag:
        return QStringLiteral("S ou N");
    case ParamKind::Choice: {
        QStringList values;
        // A blank value ("every class") is named by its caption, or it would not show at all.
        for (const ParamChoice &choice : param.choices)
            values += choice.value.isEmpty() ? QStringLiteral("\"\" (%1)").arg(choice.caption) : choice.value;
        if (param.choicesFrom)
            values += QStringLiteral("os da escola");
        return QStringLiteral("um de: ") + values.join(QStringLiteral(", "));
    }
    }
    return {};
}

ReportValues::ReportValues(QList<ReportParam> params) : m_params(std::move(params))
{
    for (const ReportParam &param : std::as_const(m_params))
        m_values.insert(param.name, defaultOf(param));
}

void ReportValues::set(const QString &name, const QString &text, const data::Database &db)
{
    const ReportParam &p = param(name);
    const std::optional<QString> value = normalised(p, text, db);
    if (!value)
        throw ReportParamError(QStringLiteral("Valor inválido para %1: \"%2\" (%3).")
                                   .arg(p.name, text, describeKind(p)));
    m_values.insert(p.name, *value);
}

const ReportParam &ReportValues::param(const QString &name) const
{
    QStringList names;
    for (const ReportParam &p : m_params) {
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return p;
        names += p.name;
    }
    throw ReportParamError(
        names.isEmpty()
            ? QStringLiteral("Parâmetro desconhecido: %1 (este relatório não tem parâmetros).")
                  .arg(name)
            : QStringLiteral("Parâmetro desconhecido: %1 (este relatório aceita: %2).")
                  .arg(name, names.join(QStringLiteral(", "))));
}

QString ReportValues::text(const QString &name) const
{
    return m_values.value(param(name).name);
}

qint64 ReportValues::integer(const QString &name) const
{
    return core::parseInteger(text(name)).value_or(0);
}

QDate ReportValues::date(const QString &name) const
{
    return core::parseDate(text(name)).value_or(QDate());
}

int ReportValues::month(const QString &name) const
{
    return monthOf(text(name)).value_or(0);
}

bool ReportValues::flag(const QString &name) const
{
    return text(name) == u"S";
}

} // namespace reports
