#pragma once

#include <QDate>
#include <QString>

// What the date picker "Informe a Data" decides, apart from its widgets.
namespace cashbook {

// The picker opens on the date typed in the entry field, or on today when that is not a date.
QDate pickerStartDate(const QString &typed, const QDate &today);

// Another month or year of the same day; a day the month lacks (31 in April, 29 in a common
// February) becomes the 28th.
QDate withMonth(const QDate &date, int month);
QDate withYear(const QDate &date, int year);

// "5 de Março de 2009": the caption above the calendar.
QString pickerCaption(const QDate &date);

// The year spinner's range.
inline constexpr int kFirstPickerYear = 1900;
inline constexpr int kLastPickerYear = 2999;

} // namespace cashbook
