#include "cashbook/DatePicker.h"

#include "core/Formats.h"

namespace cashbook {

namespace {

QDate sameDayOr28th(int year, int month, int day)
{
    const QDate date(year, month, day);
    return date.isValid() ? date : QDate(year, month, 28);
}

} // namespace

QDate pickerStartDate(const QString &typed, const QDate &today)
{
    if (const std::optional<QDate> date = core::parseDate(typed); date && date->isValid())
        return *date;
    return today;
}

QDate withMonth(const QDate &date, int month)
{
    return sameDayOr28th(date.year(), month, date.day());
}

QDate withYear(const QDate &date, int year)
{
    return sameDayOr28th(year, date.month(), date.day());
}

QString pickerCaption(const QDate &date)
{
    return QStringLiteral("%1 de %2 de %3")
        .arg(date.day())
        .arg(core::monthName(date.month(), core::LetterCase::Capitalised))
        .arg(date.year());
}

} // namespace cashbook
