#include "data/store/FieldValue.h"

#include "core/Formats.h"
#include "core/Money.h"
#include "data/store/Collation.h"
#include "data/store/Dataset.h"

namespace data::fieldvalue {

bool isTextType(FieldType type)
{
    return type == FieldType::Text || type == FieldType::Memo;
}

bool isIntegerType(FieldType type)
{
    return type == FieldType::Short || type == FieldType::Long || type == FieldType::AutoIncrement;
}

bool isNumberType(FieldType type)
{
    return isIntegerType(type) || type == FieldType::Float || type == FieldType::Money;
}

std::optional<bool> parseLogical(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == u"true" || t == u"t" || t == u"1" || t == u"s" || t == u"sim" || t == u"verdadeiro")
        return true;
    if (t == u"false" || t == u"f" || t == u"0" || t == u"n" || t == u"não" || t == u"nao" || t == u"falso")
        return false;
    return std::nullopt;
}

std::optional<QDate> parseDate(const QString &text)
{
    const QString t = text.trimmed();
    if (auto d = core::parseDate(t); d && d->isValid())
        return d;
    const QDate iso = QDate::fromString(t.left(10), Qt::ISODate);
    if (iso.isValid())
        return iso;
    return std::nullopt;
}

namespace {

QVariant numberIn(const DatasetField &field, const QVariant &value)
{
    double number = 0;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return {};
        const auto parsed = core::parseNumber(text);
        if (!parsed)
            throw StoreError(QStringLiteral("Campo %1: %2").arg(field.name, core::invalidNumberMessage(text)));
        number = *parsed;
    } else if (value.typeId() == QMetaType::Bool) {
        number = value.toBool() ? 1 : 0;
    } else {
        bool ok = false;
        number = value.toDouble(&ok);
        if (!ok)
            throw StoreError(QStringLiteral("'%1' não é um número válido para o campo %2.").arg(value.toString(), field.name));
    }
    if (field.type == FieldType::Money)
        return core::Money::fromDouble(number).toDouble();
    if (!isIntegerType(field.type))
        return number;
    const qint64 whole = qRound64(number);
    const qint64 limit = field.type == FieldType::Short ? 32767 : 2147483647;
    if (whole > limit || whole < -limit - 1)
        throw StoreError(QStringLiteral("O valor %1 está fora do intervalo do campo %2.").arg(whole).arg(field.name));
    return int(whole);
}

} // namespace

QVariant convertIn(const DatasetField &field, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (field.type) {
    case FieldType::Text:
    case FieldType::Memo: {
        QString s;
        if (value.typeId() == QMetaType::QDate)
            s = core::formatDate(value.toDate());
        else if (value.typeId() == QMetaType::Double)
            s = core::formatPlain(value.toDouble());
        else
            s = value.toString();
        if (field.type == FieldType::Text && field.size > 0 && s.size() > field.size)
            s.truncate(field.size);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Float:
    case FieldType::Money:
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        return numberIn(field, value);
    case FieldType::Date: {
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().isValid() ? value : QVariant();
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().date();
        const QString t = value.toString().trimmed();
        if (t.isEmpty())
            return {};
        if (const auto d = parseDate(t))
            return *d;
        throw StoreError(QStringLiteral("'%1' não é uma data válida para o campo %2.").arg(t, field.name));
    }
    case FieldType::Logical: {
        if (value.typeId() == QMetaType::Bool)
            return value;
        if (value.typeId() == QMetaType::QString) {
            const QString text = value.toString();
            if (text.trimmed().isEmpty())
                return {};
            const auto b = parseLogical(text);
            if (!b)
                throw StoreError(QStringLiteral("'%1' não é um valor lógico válido para o campo %2.").arg(text, field.name));
            return *b;
        }
        return value.toDouble() != 0;
    }
    }
    return value;
}

int compare(FieldType type, const QVariant &a, const QVariant &b, bool caseInsensitive)
{
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (isTextType(type))
        return collation::compare(a.toString(), b.toString(), caseInsensitive);
    if (type == FieldType::Date)
        return a.toDate() < b.toDate() ? -1 : a.toDate() > b.toDate() ? 1 : 0;
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : x > y ? 1 : 0;
}

QString format(const DatasetField &field, const QVariant &value, bool display)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (field.type) {
    case FieldType::Text:
    case FieldType::Memo:
        return value.toString();
    case FieldType::Date:
        return core::formatDate(value.toDate());
    case FieldType::Logical:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        if (display && !field.displayFormat.isEmpty())
            return core::formatNumber(value.toDouble(), field.displayFormat);
        return QString::number(value.toLongLong());
    case FieldType::Float:
    case FieldType::Money:
        if (display && !field.displayFormat.isEmpty())
            return core::formatNumber(value.toDouble(), field.displayFormat);
        if (display && field.type == FieldType::Money)
            return core::formatMoney(value.toDouble());
        return core::formatPlain(value.toDouble());
    }
    return value.toString();
}

} // namespace data::fieldvalue
