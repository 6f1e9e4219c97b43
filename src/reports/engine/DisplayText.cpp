#include "reports/engine/DisplayText.h"

#include "core/Formats.h"

#include <QDate>
#include <QDateTime>

namespace reports {

namespace {

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

QString displayText(const QVariant &value, const QString &mask)
{
    if (value.isNull())
        return {};
    if (isNumber(value)) {
        const double number = value.toDouble();
        return mask.isEmpty() ? core::formatPlain(number) : core::formatNumber(number, mask);
    }
    if (value.typeId() == QMetaType::QDate)
        return core::formatDate(value.toDate());
    if (value.typeId() == QMetaType::QDateTime)
        return core::formatDateTime(value.toDateTime());
    return value.toString();
}

} // namespace reports
